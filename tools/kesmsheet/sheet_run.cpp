#include "tools/kesmsheet/sheet_run.h"

#include <memory>

#include "platform/compstui/compstui_host.h"
#include "platform/window/commctrl_listview.h"
#include "platform/window/dialog/dialog_template.h"
#include "platform/text/utf.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/script_driver.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"

namespace kesmsheet {
namespace {

using plat::window::Script;
using plat::window::WindowRef;

std::u16string Widen(const std::string& text) { return plat::utf::FromUtf8(text); }

struct Run {
  const SheetPlan& plan;
  SheetOutcome& outcome;
  HWND sheet = nullptr;
};

WindowRef SheetRef(const Run& run) {
  return WindowRef::Found("the property sheet", [&run] { return IsWindow(run.sheet) ? run.sheet : nullptr; });
}

// The window in front: the one a person can work, a dialog or nested
// sheet the sheet opened (its owner is disabled while it runs), else the
// sheet.
HWND FrontWindow(const Run& run) {
  HWND active = GetActiveWindow();
  if (active != nullptr && IsWindow(active) && IsWindowEnabled(active)) return active;
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
              if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found != nullptr ? found : run.sheet;
}

bool IsSheet(HWND window) { return window != nullptr && GetDlgItem(window, IDC_SHEETTABS) != nullptr; }

// The sheet a page lies on; null for a window that is no child (GetParent
// would give a pop-up's owner).
HWND SheetOfPage(HWND window) {
  if (window == nullptr || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) return nullptr;
  HWND parent = GetParent(window);
  return IsSheet(parent) ? parent : nullptr;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::string CaptionOf(HWND window) {
  WCHAR text[256] = {};
  GetWindowTextW(window, text, 256);
  return plat::utf::ToUtf8(text);
}

std::u16string TabText(HWND tabs, int index);

std::string CurrentTabTitle(HWND sheet) {
  HWND tabs = GetDlgItem(sheet, IDC_SHEETTABS);
  const auto index = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  return index >= 0 ? plat::utf::ToUtf8(TabText(tabs, index)) : std::string();
}

bool NamesWindow(const Step& step) { return step.windowId != 0 || !step.windowTitle.empty(); }

std::string WindowName(const Step& step) {
  return step.windowId != 0 ? "the window of dialog " + std::to_string(step.windowId)
                            : "the window \"" + step.windowTitle + "\"";
}

// The shown window the step names, front first: a dialog made from the
// named template or of the named caption, or the page shown of a sheet
// when the page's template, the sheet's caption or the page's tab title is
// the one named.
HWND NamedWindow(const Step& step) {
  struct Search {
    const Step& step;
    HWND found = nullptr;
  } search{step};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        if (!IsWindowVisible(window)) return TRUE;
        HWND page = IsSheet(window) ? CurrentPage(window) : nullptr;
        const bool byId = s.step.windowId != 0 &&
                          (plat::window::DialogTemplateId(page != nullptr ? page : window) == s.step.windowId);
        const bool byTitle = !s.step.windowTitle.empty() &&
                             (CaptionOf(window) == s.step.windowTitle ||
                              (page != nullptr && CurrentTabTitle(window) == s.step.windowTitle));
        if (!byId && !byTitle) return TRUE;
        s.found = page != nullptr ? page : window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The window whose controls a step works: the named one, else the dialog
// in front, else the page shown of the sheet in front (a nested sheet the
// page opened, or the script's sheet).
HWND StepWindow(const Run& run, const Step& step) {
  if (NamesWindow(step)) return NamedWindow(step);
  HWND front = FrontWindow(run);
  if (IsSheet(front)) return CurrentPage(front);
  return front;
}

// The sheet a step's tab, OK or Cancel works: the one the step's window
// is a page of; null when that window is a dialog.
HWND StepSheet(const Run& run, const Step& step) {
  HWND window = StepWindow(run, step);
  if (HWND sheet = SheetOfPage(window); sheet != nullptr) return sheet;
  if (IsSheet(window)) return window;
  return nullptr;
}

WindowRef StepSheetRef(const Run& run, const Step& step) {
  const std::string name = NamesWindow(step) ? "the sheet of " + WindowName(step) : "the property sheet";
  return WindowRef::Found(name, [&run, step]() -> HWND {
    HWND sheet = StepSheet(run, step);
    return sheet != nullptr || NamesWindow(step) ? sheet : run.sheet;
  });
}

// A control of the step's window; a sheet's own controls (its buttons)
// are found from its page as well.
WindowRef ControlRef(const Run& run, const Step& step) {
  const std::string name =
      "the control " + std::to_string(step.id) + (NamesWindow(step) ? " of " + WindowName(step) : "");
  return WindowRef::Found(name, [&run, step]() -> HWND {
    HWND window = StepWindow(run, step);
    if (window == nullptr) return nullptr;
    if (HWND control = GetDlgItem(window, step.id); control != nullptr) return control;
    if (HWND sheet = SheetOfPage(window); sheet != nullptr) return GetDlgItem(sheet, step.id);
    // A dialog in front may leave the step to the sheet's page beneath it.
    if (!NamesWindow(step) && window != run.sheet && IsWindow(run.sheet)) {
      HWND page = CurrentPage(run.sheet);
      HWND control = page != nullptr ? GetDlgItem(page, step.id) : nullptr;
      return control != nullptr ? control : GetDlgItem(run.sheet, step.id);
    }
    return nullptr;
  });
}

std::u16string TabText(HWND tabs, int index) {
  WCHAR text[128] = {};
  TCITEMW item{TCIF_TEXT, 0, 0, text, 128, 0, 0};
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return text;
}

// "03-Cover-and-mark.png": the index, then the caption's letters and digits.
std::string ShotName(int index, const std::u16string& caption) {
  std::string name = (index < 10 ? "0" : "") + std::to_string(index) + "-";
  for (char c : plat::utf::ToUtf8(caption)) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (plain) name.push_back(c);
    else if (name.back() != '-') name.push_back('-');
  }
  if (name.back() == '-') name.pop_back();
  return name + ".png";
}

void AddShots(Script& script, Run& run) {
  HWND tabs = GetDlgItem(run.sheet, IDC_SHEETTABS);
  const int count = tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
  run.outcome.notes.push_back("the sheet has " + std::to_string(count) + " pages");
  for (int i = 0; i < count; ++i) {
    const std::filesystem::path file = run.plan.shots / ShotName(i, TabText(tabs, i));
    script.tab(SheetRef(run), i).check("picture", [&run, file] {
      if (plat::window::WriteWindowPng(run.sheet, file)) {
        run.outcome.notes.push_back("wrote " + file.string());
      } else {
        run.outcome.failures.push_back("cannot write the picture " + file.string());
      }
    });
  }
  // The user's steps start where a person starts: on the first page.
  if (count > 1 && !run.plan.steps.empty()) script.tab(SheetRef(run), 0);
}

// OK or Cancel of the step's window: a sheet's button (the script's
// sheet or a nested one), else a dialog's own button of that id, else
// Enter or Escape as its dialog manager has them (a dialog need not have
// buttons of those ids).
void Close(Script& script, const Run& run, const Step& step, int button) {
  script.decide([&run, step, button](Script& next) {
    HWND sheet = StepSheet(run, step);
    HWND window = StepWindow(run, step);
    if (sheet != nullptr) {
      next.press(WindowRef::Found("the sheet", [sheet] { return IsWindow(sheet) ? sheet : nullptr; }), button);
    } else if (NamesWindow(step) && window != nullptr && GetDlgItem(window, button) != nullptr) {
      next.press(WindowRef::Found(WindowName(step), [window] { return IsWindow(window) ? window : nullptr; }),
                 button);
    } else if (NamesWindow(step) && window == nullptr) {
      next.check("the window named", [&run, step] {
        run.outcome.failures.push_back("line " + std::to_string(step.line) + ": " + WindowName(step) +
                                       " is not open");
      });
    } else {
      next.key(button == IDOK ? VK_RETURN : VK_ESCAPE);
    }
  });
}

std::u16string ClassOf(HWND window) {
  WCHAR name[64] = {};
  if (window == nullptr || GetClassNameW(window, name, 64) == 0) return {};
  return name;
}

// Whether a list box shows item index whole, or its bar would have to
// scroll it down into sight.
bool BelowSight(HWND list, int index) {
  RECT item{};
  RECT client{};
  if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
    return false;
  }
  GetClientRect(list, &client);
  return item.bottom > client.bottom && (GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) != 0;
}

// Clicks the down arrow of the list's own bar until the item shows (at
// most once an item), then clicks the item, as a person would.
void ScrollAndSelect(Script& script, const WindowRef& list, int index, int clicksLeft) {
  script.decide([list, index, clicksLeft](Script& next) {
    HWND window = list.Resolve();
    if (window == nullptr || clicksLeft <= 0 || !BelowSight(window, index)) {
      next.select(list, index);
      return;
    }
    RECT client{};
    GetClientRect(window, &client);
    next.clickAt(list, POINT{client.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
                             client.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2});
    ScrollAndSelect(next, list, index, clicksLeft - 1);
  });
}

// A pick chooses an item the way the control offers it: a combo box is
// dropped and its item clicked, a list box's or a list view's item is
// clicked where it shows (a list box is scrolled to it first).
void Pick(Script& script, const Run& run, const Step& step) {
  const WindowRef control = ControlRef(run, step);
  script.decide([control, step](Script& next) {
    const std::u16string cls = ClassOf(control.Resolve());
    if (cls == u"ListBox") {
      ScrollAndSelect(next, control, step.number, step.number + 1);
    } else if (cls == WC_LISTVIEWW) {
      next.listView(control, step.number);
    } else {
      next.pick(control, step.number);
    }
  });
}

// A dropped combo box holds the mouse: a person's click elsewhere only
// folds its list. So before a step works another control, a list left
// dropped (by a click on its combo) is folded by such a click; one that
// stays dropped fails the step, naming the combo.
void FoldDroppedList(Script& script, const Run& run, const Step& step) {
  script.decide([&run, step](Script& next) {
    HWND held = GetCapture();
    if (held == nullptr || ClassOf(held) != u"ComboBox" || SendMessageW(held, CB_GETDROPPEDSTATE, 0, 0) == FALSE) {
      return;
    }
    if (step.kind == StepKind::kClick && GetDlgCtrlID(held) == step.id) return;  // a click on it folds it
    RECT client{};
    GetClientRect(held, &client);
    next.clickAt(held, POINT{-4, client.bottom / 2});
    const std::string name = "the combo box " + std::to_string(GetDlgCtrlID(held));
    next.check("the list of " + name + " folded", [held, name, &run] {
      if (IsWindow(held) && SendMessageW(held, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
        run.outcome.failures.push_back("the list of " + name + " stays dropped");
      }
    });
  });
}

void AddStep(Script& script, const Run& run, const Step& step) {
  if (step.kind == StepKind::kCheck || step.kind == StepKind::kType || step.kind == StepKind::kClick ||
      step.kind == StepKind::kPick) {
    FoldDroppedList(script, run, step);
  }
  switch (step.kind) {
    case StepKind::kTab: script.tab(StepSheetRef(run, step), step.number); break;
    case StepKind::kClick: script.click(ControlRef(run, step)); break;
    case StepKind::kPick: Pick(script, run, step); break;
    case StepKind::kType: script.text(ControlRef(run, step), Widen(step.text)); break;
    case StepKind::kCheck: script.check(ControlRef(run, step)); break;
    case StepKind::kAnswer: script.answerBox(Widen(step.text), step.number); break;
    case StepKind::kOk: Close(script, run, step, IDOK); break;
    case StepKind::kCancel: Close(script, run, step, IDCANCEL); break;
    case StepKind::kShot: {
      const std::filesystem::path file = run.plan.shots / (step.text + ".png");
      script.check("picture " + step.text, [&run, step, file] {
        // A named page is pictured with its sheet around it.
        HWND window = NamesWindow(step) ? StepWindow(run, step) : FrontWindow(run);
        if (HWND sheet = SheetOfPage(window); sheet != nullptr) window = sheet;
        if (window != nullptr && plat::window::WriteWindowPng(window, file)) {
          run.outcome.notes.push_back("wrote " + file.string());
        } else {
          run.outcome.failures.push_back("cannot write the picture " + file.string());
        }
      });
      break;
    }
  }
}

// Boxes the sheet shows before it opens are answered with OK; then the
// sheet, the active window, is worked.
void Settle(Script& script, Run& run) {
  const auto boxes = plat::window::OpenMessageBoxes();
  if (!boxes.empty()) {
    run.outcome.notes.push_back("answered \"" + plat::utf::ToUtf8(boxes.back().text) + "\" with OK");
    script.answerBox(boxes.back().text, IDOK);
    script.decide([&run](Script& s) { Settle(s, run); });
    return;
  }
  run.sheet = GetActiveWindow();
  if (run.sheet == nullptr || GetDlgItem(run.sheet, IDC_SHEETTABS) == nullptr) {
    // With no step left the script gives up on whatever loop runs.
    run.outcome.failures.push_back("no property sheet opened");
    return;
  }
  if (!run.plan.shots.empty()) AddShots(script, run);
  if (run.plan.walk) run.plan.walk(script, run.sheet);
  for (const Step& step : run.plan.steps) AddStep(script, run, step);
  if (run.plan.steps.empty() || !EndsSheet(run.plan.steps.back())) script.press(SheetRef(run), IDCANCEL);
}

}  // namespace

SheetOutcome RunSheet(PFNPROPSHEETUI entry, LPARAM header, const SheetPlan& plan) {
  SheetOutcome outcome;
  Run run{plan, outcome};
  {
    Script script;
    script.budget(1000000, 20000000);
    script.decide([&run](Script& s) { Settle(s, run); });
    outcome.answer = CommonPropertySheetUIW(nullptr, entry, header, &outcome.result);
    for (const std::string& failure : script.failures()) outcome.failures.push_back(failure);
    if (!script.done() && script.failures().empty()) {
      outcome.failures.push_back("the sheet closed before the script ended");
    }
  }
  return outcome;
}

}  // namespace kesmsheet
