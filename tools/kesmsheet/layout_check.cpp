#include "tools/kesmsheet/layout_check.h"

#include <algorithm>
#include <array>
#include <map>
#include <ostream>
#include <set>

#include "platform/modules/winmodule.h"
#include "platform/text/utf.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/tables/dialog_tables.h"
#include "settings/values/setting_lookup.h"
#include "tools/kesmsheet/sheet_run.h"
#include "ui/alerts/engine_hooks.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/entry/dll_entry.h"
#include "ui/resource_dll.h"

namespace kesmsheet {
namespace {

using plat::window::Script;
using plat::window::WindowRef;

// The dialogs whose layout findings are cleared: one found again fails.
constexpr WORD kLayoutCleared[] = {
    1001, 1002, 1003, 1004, 1042, 1005, 1006,
    1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024,
    1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041,
    1043, 1044, 1065,
    4001, 4002, 4003, 4004, 4005, 4006, 4007, 4008, 4009, 4010, 4011, 4012, 4013, 4014, 4015, 4016, 4017, 4018,
};

// The modeless progress window is shown by the code that waits, never by
// the engine's dialog road: it is made from its template.
constexpr WORD kProgressDialog = 4006;

// A dialog left open after Escape is asked to close this many times.
constexpr int kCloseRounds = 4;

struct Walk {
  LayoutReport& report;
  HWND sheet = nullptr;
  bool tablesChecked = false;
  std::filesystem::path shots;  // empty: no pictures
  std::set<WORD> opened;  // dialogs asked for that came up
};

// The window that shows dialog id, as a picture in the shots folder.
void Shoot(Walk& walk, HWND window, WORD id) {
  if (walk.shots.empty()) return;
  const std::filesystem::path file = walk.shots / (std::to_string(id) + ".png");
  if (!plat::window::WriteWindowPng(window, file)) walk.report.failures.push_back("cannot write " + file.string());
}

HWND CurrentPage(HWND sheet) {
  return IsWindow(sheet) ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
}
UCB* ContextOf(HWND page) {
  return page != nullptr ? reinterpret_cast<UCB*>(GetWindowLongPtrW(page, DWLP_USER)) : nullptr;
}

WindowRef Ref(HWND window, const char* name) {
  return WindowRef::Found(name, [window] { return IsWindow(window) ? window : nullptr; });
}

// The page a sheet shows now, under its tab id.
void InspectPage(Walk& walk, HWND sheet) {
  HWND page = CurrentPage(sheet);
  UCB* ucb = ContextOf(page);
  const TCB* tab = ucb != nullptr ? GetTCBbyHwnd(ucb, page) : nullptr;
  if (tab == nullptr) {
    walk.report.failures.push_back("a page of the sheet has no tab record");
    return;
  }
  if (!walk.tablesChecked) {
    CheckTableIds(ucb, walk.report.findings);
    walk.tablesChecked = true;
  }
  if (!walk.report.inspected.emplace(tab->tabId, 0).second) return;
  const int shown = InspectDialog(page, tab->tabId, ucb, walk.report.findings);
  walk.report.inspected[tab->tabId] = shown;
  walk.report.controlsShown += shown;
  Shoot(walk, sheet, tab->tabId);
}

void AddPages(Script& script, Walk& walk, HWND sheet) {
  HWND tabs = GetDlgItem(sheet, IDC_SHEETTABS);
  const int count = tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    script.tab(Ref(sheet, "the sheet"), i).check("the page", [&walk, sheet] { InspectPage(walk, sheet); });
  }
}

// What the window in front shows once the dialog was asked to open: boxes
// answered, the dialog (or every page of a nested sheet) inspected, then
// closed as a person cancels it.
void Front(Script& next, Walk& walk, WORD id, int round) {
  if (const auto boxes = plat::window::OpenMessageBoxes(); !boxes.empty()) {
    next.answerBox(boxes.back().text, IDOK);
    next.decide([&walk, id, round](Script& s) { Front(s, walk, id, round + 1); });
    return;
  }
  HWND front = GetActiveWindow();
  if (front == nullptr || front == walk.sheet) {
    if (walk.opened.count(id) == 0 && walk.report.inspected.count(id) == 0) {
      walk.report.failures.push_back("dialog " + std::to_string(id) + " did not open");
    }
    return;
  }
  if (walk.opened.count(id) != 0) {  // still open after Cancel
    if (round >= kCloseRounds) {
      walk.report.failures.push_back("dialog " + std::to_string(id) + " does not close");
      next.check("give up", [] {});
      return;
    }
    PostMessageW(front, WM_CLOSE, 0, 0);
  } else if (GetDlgItem(front, IDC_SHEETTABS) != nullptr) {
    // The page asked for is one of the sheet's pages: looked at with them.
    walk.opened.insert(id);
    AddPages(next, walk, front);
    next.check("the nested sheet", [&walk, id] { walk.report.inspected.emplace(id, 0); });
    next.press(Ref(front, "the nested sheet"), IDCANCEL);
  } else {
    walk.opened.insert(id);
    const int shown = InspectDialog(front, id, ContextOf(CurrentPage(walk.sheet)), walk.report.findings);
    walk.report.inspected[id] = shown;
    walk.report.controlsShown += shown;
    Shoot(walk, front, id);
    next.key(VK_ESCAPE);
  }
  next.decide([&walk, id, round](Script& s) { Front(s, walk, id, round + 1); });
}

void OpenDialog(Script& script, Walk& walk, WORD id) {
  script.check("dialog " + std::to_string(id), [&walk, id] {
    HWND page = CurrentPage(walk.sheet);
    UCB* ucb = ContextOf(page);
    if (ucb == nullptr || walk.report.inspected.count(id) != 0) return;
    if (id == kProgressDialog) {
      HWND window = CreateDialogParamW(GetResDll(ucb), MAKEINTRESOURCEW(id), page, nullptr, 0);
      if (window == nullptr) return;
      // No dialog procedure runs it, so no item of it is painted: its
      // controls are plain texts that the waiting code fills.
      const int shown = InspectDialog(window, id, nullptr, walk.report.findings);
      walk.report.inspected[id] = shown;
      walk.report.controlsShown += shown;
      Shoot(walk, window, id);
      DestroyWindow(window);
      return;
    }
    ShowDialogBox(ucb, kShowDialogModal, id, page);
  });
  script.decide([&walk, id](Script& next) { Front(next, walk, id, 0); });
}

// Every dialog of the table that no page of the sheets showed; a page that
// is only a page is left to the printers whose sheets show it.
void AddDialogs(Script& script, Walk& walk) {
  script.tab(Ref(walk.sheet, "the sheet"), 0).decide([&walk](Script& next) {
    for (const TCB& tab : fgTCB) {
      if (walk.report.inspected.count(tab.tabId) != 0) continue;
      if ((tab.kind & (kTabDocumentPage | kTabPrinterPage)) != 0 && (tab.kind & kTabSubDialog) == 0) {
        walk.report.failures.push_back("page " + std::to_string(tab.tabId) + " is not shown for this printer");
        continue;
      }
      OpenDialog(next, walk, tab.tabId);
    }
  });
}

void RunOne(PFNPROPSHEETUI entry, LPARAM header, Walk& walk, bool dialogs) {
  SheetPlan plan;
  plan.walk = [&walk, dialogs](Script& script, HWND sheet) {
    walk.sheet = sheet;
    AddPages(script, walk, sheet);
    if (dialogs) AddDialogs(script, walk);
  };
  const SheetOutcome outcome = RunSheet(entry, header, plan);
  for (const std::string& failure : outcome.failures) walk.report.failures.push_back(failure);
}

}  // namespace

std::span<const WORD> LayoutClearedDialogs() {
  return kLayoutCleared;
}

bool FailsCheck(const Finding& finding) {
  if (!InfoOf(finding.kind).layout) return true;
  const auto cleared = LayoutClearedDialogs();
  return std::find(cleared.begin(), cleared.end(), finding.dialog) != cleared.end();
}

LayoutReport CheckLayout(HANDLE printer, const std::u16string& name, const std::filesystem::path& shots) {
  LayoutReport report;
  Walk walk{report, nullptr, false, shots, {}};
  std::u16string printerName = name;
  // The library's boxes reach the layers below it, and its pages join the
  // module table, as when it is loaded.
  DllInitialize(GetModuleHandleW(nullptr), DLL_PROCESS_ATTACH, nullptr);
  {
    DEVICEPROPERTYHEADER device{sizeof device, 0, printer, printerName.data()};
    RunOne(DrvDevicePropertySheets, reinterpret_cast<LPARAM>(&device), walk, false);
  }
  const LONG size = DrvDocumentProperties(nullptr, printer, printerName.data(), nullptr, nullptr, 0);
  std::vector<BYTE> out(size > 0 ? static_cast<std::size_t>(size) : 0);
  if (!out.empty()) {
    walk.tablesChecked = false;
    DOCUMENTPROPERTYHEADER document{sizeof document, 0, printer, printerName.data(), nullptr,
                                    reinterpret_cast<DEVMODEW*>(out.data()), static_cast<DWORD>(out.size()),
                                    DM_PROMPT};
    RunOne(DrvDocumentPropertySheets, reinterpret_cast<LPARAM>(&document), walk, true);
  } else {
    report.failures.push_back("the printer has no DEVMODE");
  }
  DllInitialize(GetModuleHandleW(nullptr), DLL_PROCESS_DETACH, nullptr);
  return report;
}

std::size_t PrintLayoutReport(const LayoutReport& report, bool details, std::ostream& out) {
  constexpr int kKinds = static_cast<int>(std::size(kFindingKinds));
  std::map<WORD, std::array<int, kKinds>> counts;
  std::size_t failing = 0;
  for (const Finding& finding : report.findings) {
    counts.try_emplace(finding.dialog).first->second[static_cast<std::size_t>(finding.kind)]++;
    failing += FailsCheck(finding) ? 1 : 0;
  }
  out << "dialogs looked at: " << report.inspected.size() << ", controls shown: " << report.controlsShown << '\n';
  for (const auto& [dialog, row] : counts) {
    out << (dialog == 0 ? std::string("tables") : "dialog " + std::to_string(dialog)) << ':';
    for (int k = 0; k < kKinds; ++k) {
      if (row[static_cast<std::size_t>(k)] != 0) out << ' ' << kFindingKinds[k].name << ' ' << row[static_cast<std::size_t>(k)];
    }
    out << '\n';
  }
  if (details) {
    for (const Finding& finding : report.findings) {
      out << (FailsCheck(finding) ? "FAIL " : "     ") << finding.dialog << ' ' << InfoOf(finding.kind).name << ": "
          << finding.what << '\n';
    }
  }
  for (const std::string& failure : report.failures) out << "could not check: " << failure << '\n';
  out << "findings: " << report.findings.size() << ", failing the check: " << failing << '\n';
  return failing;
}

}  // namespace kesmsheet
