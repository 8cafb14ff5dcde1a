// The life of the pages, on two pages of our own in a document sheet of the
// W2 printer: the order in which a page starts, is shown, laid out and
// accepted; the layout that pulls an overflowing page into its place; the
// buttons a preset-save request puts at the sheet's OK and what they save;
// and a modal dialog's closing buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "features/custom_modules.h"
#include "features/preset/preset_names.h"
#include "platform/profile/winprofile.h"
#include "platform/runtime/winmath.h"
#include "platform/window/help_control.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"
#include "tests/common/shared_files.h"
#include "tests/ui/sheets/sheet_machine.h"
#include "ui/engine/item_window.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr WORD kTooSmallPage = 1001;
constexpr WORD kFittingPage = 1002;
constexpr WORD kPresetNo = 37;
constexpr WORD kPresetName = 762;
constexpr LONG_PTR kNoPreset = 118;
constexpr LONG_PTR kFirstPreset = 119;

// What the test's module saw of the pages: one line per event.
std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}

INT_PTR RecordPageEvents(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR, LPARAM lParam, void*) {
  if (icb != nullptr || tcb == nullptr) return 0;
  std::string what;
  if (message == WM_INITDIALOG) what = "init";
  if (message == kMsgLayoutPage) what = "layout";
  if (message == WM_NOTIFY) {
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    what = code == PSN_SETACTIVE ? "active" : code == PSN_APPLY ? "apply" : code == PSN_RESET ? "reset" : "";
  }
  if (!what.empty()) {
    Events().push_back(std::to_string(tcb->tabId) + " " + what + " (current " + std::to_string(ucb->wCurrentDialog) +
                       ")");
  }
  return 0;
}

class PageLife : public SheetMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SheetMachine::SetUp());
    std::filesystem::copy_file(KESM_PAGE_RESOURCES, resourceDll_, std::filesystem::copy_options::overwrite_existing);
    Events().clear();
    plat::window::ClearMessageBoxRecords();
  }

  static HWND PageChild(int id) { return GetDlgItem(WindowRef::Page(Sheet()).Resolve(), id); }
  static RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // Where the dialog manager puts a control of the template: its place and
  // its size each in pixels.
  static RECT TemplateRect(HWND page, int x, int y, int cx, int cy) {
    RECT r{x, y, cx, cy};
    MapDialogRect(page, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
  }

  // A request of the preset page for the sheet it opens: the items bound
  // first (the preset page is bound by then), then the request.
  static SheetHooks Request(DWORD bits, std::function<void(UCB*)> more = nullptr) {
    SheetHooks hooks;
    hooks.afterInit = [bits, more](UCB* ucb) {
      CheckICB(ucb, nullptr);
      if (more) more(ucb);
      KesmRequestForUiCore(ucb, bits);
    };
    return hooks;
  }

  // The per-user presets of the printer, as the preset page left them:
  // Count and, per preset, its file and name.
  void WritePresets(const std::vector<std::string>& names) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    ini_ = GetIniFilePath(ucb);
    section_ = GetPresetSectionName(ucb);
    FreeUcb2(ucb, 1);
    ASSERT_EQ(ini_, u"C:\\_kesm\\kesmusr.ini");
    std::string text = "[" + std::string(section_.begin(), section_.end()) + "]\r\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string key = "PresetList" + std::to_string(i);
      text += key + "=C:\\_kesm\\preset" + std::to_string(i) + ".rst\r\n" + key + "Name=" + names[i] + "\r\n";
    }
    text += "Count=" + std::to_string(names.size()) + "\r\n";
    kesm_test::PutDriveFile(kesm_test::kSharedSettingsIni, text);
    // Each preset after the first was saved from the printer's settings
    // (which leaves its name as the settings had it: the list is written
    // again).
    ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    for (std::size_t i = 1; i < names.size(); ++i) EXPECT_TRUE(WritePresetByID(ucb, static_cast<int>(i)));
    FreeUcb2(ucb, 1);
    kesm_test::PutDriveFile(kesm_test::kSharedSettingsIni, text);
  }
  std::u16string PresetValue(const std::u16string& key) {
    WCHAR value[300] = {};
    GetPrivateProfileStringW(section_.c_str(), key.c_str(), u"", value, 300, ini_.c_str());
    return value;
  }
  static SHORT StoredPreset(Bytes& out) { return static_cast<signed char>(out[370]); }

  std::u16string ini_;
  std::u16string section_;
};

TEST_F(PageLife, APageStartsIsShownLaidOutAndAcceptedInThatOrder) {
  Bytes out = Filled(kDriverDevmode);
  SheetHooks hooks;
  hooks.procedure = RecordPageEvents;
  UiScript script;
  script
      .check("the first page is laid out and live",
             [&] {
               HWND page = WindowRef::Page(Sheet()).Resolve();
               UCB* ucb = ContextOfPage(page);
               ASSERT_NE(ucb, nullptr);
               EXPECT_EQ(TabTexts(Sheet().Resolve()), (std::vector<std::u16string>{u"Too small", u"Fits"}));
               EXPECT_TRUE(IsWindowEnabled(page));
               EXPECT_TRUE(IsWindowVisible(PageChild(101)));
               EXPECT_EQ(ucb->pWork->dialog.fLayoutPending, 0);
               EXPECT_EQ(ucb->pWork->dialog.wStartPageId, kTooSmallPage);
               EXPECT_EQ(GetTCBbyTabID(ucb, kTooSmallPage)->hWnd, page);
             })
      .tab(Sheet(), 1)
      .check("the second page's item is bound to its window",
             [&] {
               UCB* ucb = ContextOfPage(WindowRef::Page(Sheet()).Resolve());
               EXPECT_EQ(GetICBbyItemID(ucb, GetTCBbyTabID(ucb, kFittingPage), 2038)->hWnd, PageChild(2038));
               EXPECT_TRUE(IsWindowVisible(PageChild(103)));
             })
      .tab(Sheet(), 0)
      .press(Sheet(), IDOK);
  LONG result = -1;
  EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, hooks, &result), CPSUI_OK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(result, 1);
  const std::vector<std::string> expected = {
      "1001 init (current 1001)",   "1001 active (current 1001)", "1001 layout (current 1001)",
      "1002 init (current 1002)",   "1002 active (current 1002)", "1002 layout (current 1002)",
      "1001 active (current 1002)", "1001 apply (current 1001)",  "1002 apply (current 1001)",
  };
  EXPECT_EQ(Events(), expected);
  EXPECT_EQ(Dm(out)->dmSize, 220);
  EXPECT_EQ(Dm(out)->dmDriverExtra, 1016);
}

// The preset page of a description whose page alert always holds.
class PageAlert : public PageLife {
 protected:
  const char* Description() const override { return "kesm_w2_page_alert.kpd"; }
};

// OK judges each page's own group first: Cancel in its alert keeps the
// sheet open on the page it shows, and nothing is handed out; OK in the
// alert lets the sheet close.
TEST_F(PageAlert, ARefusedOkKeepsTheSheetOnItsPage) {
  struct Case {
    int answer;
    LONG result;
  };
  const Case cases[] = {{IDCANCEL, 0}, {IDOK, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    Bytes out = Filled(kDriverDevmode);
    HWND shown = nullptr;
    UiScript script;
    script.tab(Sheet(), 1)
        .check("the page shown", [&] { shown = WindowRef::Page(Sheet()).Resolve(); })
        .press(Sheet(), IDOK)
        .answerBox(u"More copies than the page allows.", c.answer);
    if (c.answer == IDCANCEL) {
      script
          .check("the sheet stays on its page",
                 [&] {
                   ASSERT_NE(Sheet().Resolve(), nullptr);
                   EXPECT_EQ(WindowRef::Page(Sheet()).Resolve(), shown);
                   EXPECT_EQ(ContextOfPage(shown)->pWork->dialog.fApplying, 0);
                 })
          .press(Sheet(), IDCANCEL);
    }
    LONG result = -1;
    EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, {}, &result), CPSUI_OK);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(result, c.result);
    if (c.answer == IDCANCEL) {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

// Every page made accepts OK, but only the page the sheet started with
// hands the settings out (and reports to the host); DESTROY reports once
// more.
TEST_F(PageLife, OnlyTheStartPageHandsTheSettingsOutWhenAccepted) {
  Bytes out = Filled(kDriverDevmode);
  int reported = 0;
  SheetHooks hooks;
  hooks.onReason = [&](WORD reason) { reported += reason == PROPSHEETUI_REASON_SET_RESULT ? 1 : 0; };
  UiScript script;
  script.tab(Sheet(), 1).press(Sheet(), IDOK);
  LONG result = -1;
  EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, hooks, &result), CPSUI_OK);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(reported, 2);
}

TEST_F(PageLife, CancelResetsEveryPageMadeAndHandsNothingOut) {
  Bytes out = Filled(kDriverDevmode);
  SheetHooks hooks;
  hooks.procedure = RecordPageEvents;
  UiScript script;
  script.tab(Sheet(), 1).press(Sheet(), IDCANCEL);
  LONG result = -1;
  const DWORD open = OpenContexts();
  EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, hooks, &result), CPSUI_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(out, Filled(kDriverDevmode));
  EXPECT_EQ(OpenContexts(), open);
  ASSERT_GE(Events().size(), 2u);
  EXPECT_EQ(Events()[Events().size() - 2], "1001 reset (current 1002)");
  EXPECT_EQ(Events().back(), "1002 reset (current 1002)");
}

TEST_F(PageLife, AnOverflowingPageIsPulledInOnceEachDirectionByItsOwnRatio) {
  Bytes out = Filled(kDriverDevmode);
  RECT scaled{};
  UiScript script;
  script
      .check("the page is scaled into its client area",
             [&] {
               HWND page = WindowRef::Page(Sheet()).Resolve();
               RECT client{};
               GetClientRect(page, &client);
               const LONG width = client.right - 3;
               const LONG height = client.bottom - 3;
               const RECT far = TemplateRect(page, 150, 80, 100, 40);
               const RECT left = TemplateRect(page, 10, 10, 60, 10);
               ASSERT_GT(far.right, width);
               ASSERT_GT(far.bottom, height);
               scaled = ChildRect(PageChild(102));
               EXPECT_EQ(scaled.right, width);
               EXPECT_EQ(scaled.bottom, height);
               EXPECT_EQ(scaled.left, MulDiv(far.left, width, far.right));
               EXPECT_EQ(scaled.top, MulDiv(far.top, height, far.bottom));
               const RECT label = ChildRect(PageChild(101));
               EXPECT_EQ(label.left, MulDiv(left.left, width, far.right));
               EXPECT_EQ(label.bottom, MulDiv(left.bottom, height, far.bottom));
             })
      .tab(Sheet(), 1)
      .check("a page that fits keeps its places",
             [&] {
               HWND page = WindowRef::Page(Sheet()).Resolve();
               const RECT inside = TemplateRect(page, 10, 10, 60, 10);
               const RECT label = ChildRect(PageChild(103));
               EXPECT_EQ(label.left, inside.left);
               EXPECT_EQ(label.bottom, inside.bottom);
             })
      .tab(Sheet(), 0)
      .check("the first page is not scaled again", [&] { EXPECT_EQ(ChildRect(PageChild(102)).left, scaled.left); })
      .press(Sheet(), IDCANCEL);
  EXPECT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDCANCEL);
  EXPECT_TRUE(script.done());
}

// The request word of the preset page decides the buttons: both bits give
// a new button and OK relabelled, one bit relabels OK alone.
TEST_F(PageLife, APresetSaveRequestPutsItsButtonsAtTheSheetsOk) {
  struct Case {
    DWORD bits;
    bool newButton;      // a new 11111 beside OK
    WORD okBecomes;      // OK's new id
    const char16_t* okText;
  };
  const Case cases[] = {
      {0xC0000000, true, kCmdOverwritePreset, u"Overwrite"},
      {0x80000000, false, kCmdSaveNewPreset, u"Save as new"},
      {0x40000000, false, kCmdOverwritePreset, u"Overwrite"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script
        .check("the buttons",
               [&] {
                 HWND sheet = Sheet().Resolve();
                 EXPECT_EQ(GetDlgItem(sheet, IDOK), nullptr);
                 HWND ok = GetDlgItem(sheet, c.okBecomes);
                 ASSERT_NE(ok, nullptr);
                 WCHAR text[64] = {};
                 GetWindowTextW(ok, text, 64);
                 EXPECT_EQ(std::u16string(text), c.okText);
                 const RECT okRect = ChildRect(ok);
                 const RECT cancel = ChildRect(GetDlgItem(sheet, IDCANCEL));
                 EXPECT_EQ(okRect.right - okRect.left, (cancel.right - cancel.left) * 4 / 3);
                 HWND added = c.newButton ? GetDlgItem(sheet, kCmdSaveNewPreset) : nullptr;
                 EXPECT_EQ(added != nullptr, c.newButton);
                 if (added == nullptr) return;
                 GetWindowTextW(added, text, 64);
                 EXPECT_EQ(std::u16string(text), u"Save as new");
                 const RECT addedRect = ChildRect(added);
                 EXPECT_EQ(addedRect.right - addedRect.left, okRect.right - okRect.left);
                 EXPECT_EQ(okRect.left - addedRect.right, cancel.left - okRect.right);
                 EXPECT_EQ(addedRect.top, okRect.top);
                 EXPECT_EQ(GetWindowLongW(added, GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
               })
        .press(Sheet(), IDCANCEL);
    LONG result = -1;
    EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, Request(c.bits), &result), CPSUI_OK);
    EXPECT_EQ(result, 0);
  }
}

// Save as new: the settings become a new preset after the ones listed,
// the new preset is selected, and the sheet's OK is pressed for the user.
TEST_F(PageLife, SaveAsNewAddsThePresetAndThenAccepts) {
  ASSERT_NO_FATAL_FAILURE(WritePresets({"Standard"}));
  Bytes out = Filled(kDriverDevmode);
  UiScript script;
  script.click(WindowRef::Item(Sheet(), kCmdSaveNewPreset));
  LONG result = -1;
  const auto none = [](UCB* ucb) { SetDevmodeValueByFuncID(ucb, kPresetNo, kNoPreset); };
  EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, Request(0x80000000, none), &result), CPSUI_OK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(PresetValue(u"Count"), u"2");
  const std::u16string file = PresetValue(u"PresetList1");
  ASSERT_FALSE(file.empty());
  EXPECT_TRUE(plat::HostPathOf(file.c_str()).has_value() &&
              std::filesystem::exists(*plat::HostPathOf(file.c_str())));
  EXPECT_EQ(StoredPreset(out), 1);
}

// Overwrite: a name is needed, the fallback preset's name is refused, and
// another preset's name asks first; the sheet stays until the save is done.
TEST_F(PageLife, OverwriteChecksTheNameBeforeItSaves) {
  ASSERT_NO_FATAL_FAILURE(WritePresets({"Standard", "Draft", "Booklet"}));
  struct Case {
    const char16_t* name;
    std::vector<std::pair<const char16_t*, int>> boxes;  // a box's text, the answer
    bool saved;
    SHORT preset;  // selected in the DEVMODE handed out
  };
  const Case cases[] = {
      {u"", {{u"Enter a name", IDOK}}, false, 0},
      {u"Standard", {{u"cannot be used", IDOK}}, false, 0},
      {u"Draft", {{u"Overwrite it?", IDNO}}, false, 0},
      {u"Draft", {{u"Overwrite it?", IDYES}}, true, 1},
      {u"Booklet", {}, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
    Bytes out = Filled(kDriverDevmode);
    const auto selectBooklet = [&c](UCB* ucb) {
      SetDevmodeValueByFuncID(ucb, kPresetNo, kFirstPreset + 2);
      SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kPresetName), c.name);
    };
    UiScript script;
    script.click(WindowRef::Item(Sheet(), kCmdOverwritePreset));
    for (const auto& [text, answer] : c.boxes) script.answerBox(text, answer);
    if (!c.saved) {
      script.check("the sheet stays", [&] { EXPECT_NE(Sheet().Resolve(), nullptr); }).press(Sheet(), IDCANCEL);
    }
    LONG result = -1;
    EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, Request(0x40000000, selectBooklet), &result), CPSUI_OK);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(result, c.saved ? 1 : 0);
    if (c.saved) {
      EXPECT_EQ(StoredPreset(out), c.preset);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

// Enter presses the sheet's own OK while the save is pending: the page
// refuses, saves over the selected preset, and presses OK again.
TEST_F(PageLife, TheSheetsOwnOkSavesThePendingPresetFirst) {
  ASSERT_NO_FATAL_FAILURE(WritePresets({"Standard", "Draft", "Booklet"}));
  Bytes out = Filled(kDriverDevmode);
  SheetHooks hooks = Request(0xC0000000, [](UCB* ucb) {
    SetDevmodeValueByFuncID(ucb, kPresetNo, kFirstPreset + 2);
    SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kPresetName), u"Booklet");
  });
  hooks.procedure = RecordPageEvents;
  UiScript script;
  // The sheet is gone before the key comes up again.
  script.key(VK_RETURN);
  LONG result = -1;
  EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, hooks, &result), CPSUI_OK);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(StoredPreset(out), 2);
  const std::vector<std::string> applies(
      std::count(Events().begin(), Events().end(), "1001 apply (current 1001)"), "apply");
  EXPECT_EQ(applies.size(), 2u) << "refused while the save waits, accepted after it";
  EXPECT_TRUE(std::filesystem::exists(kesm_test::OnDrive("_kesm/preset2.rst")));
}

// A modal driver dialog run by the one dialog procedure, as the sub-dialog
// opener runs it: the context is the creation parameter and names the
// dialog; a test module watches its messages and the modules' events.
class ModalDialog : public PageLife {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageLife::SetUp());
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    ASSERT_NE(ucb_->pWork->pCustom, nullptr);
    CUSTOMROW& first = ucb_->pWork->pCustom->rows[0];
    kept_ = first;
    first.procedure = Watch;
    first.function = Hear;
    seen_ = {};
  }
  void TearDown() override {
    if (ucb_ != nullptr) {
      ucb_->pWork->pCustom->rows[0] = kept_;
      FreeUcb2(ucb_, 1);
    }
    PageLife::TearDown();
  }
  INT_PTR Run(WORD dialogId) {
    ucb_->wCurrentDialog = dialogId;
    return DialogBoxParamW(GetResDll(ucb_), MAKEINTRESOURCEW(dialogId), nullptr, DialogProc,
                           reinterpret_cast<LPARAM>(ucb_));
  }
  static WindowRef Dialog() { return WindowRef::Top(u"Version"); }

  struct Seen {
    bool queueAlertOnOk = false;  // the first OK posts a number edit's alert
    int oks = 0;
    std::vector<std::string> events;
    WORD closedWith = 0;
    WORD closingItem = 0;
    WORD hiddenFunctionItem = 0;
    int sharedName = -1;                   // the preset a 0x8004 named
    std::function<void()> onSharedName;   // what the user does about it
  };
  static Seen seen_;

 private:
  static INT_PTR Watch(UCB*, TCB*, ICB* icb, UINT message, UINT_PTR wParam, LPARAM, void*) {
    if (icb != nullptr) return 0;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && seen_.queueAlertOnOk && seen_.oks++ == 0) {
      seen_.events.push_back("ok, an alert is queued");
      PostMessageW(Dialog().Resolve(), kMsgQueuedAlert, 3922, 0);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      seen_.events.push_back("ok");
    } else if (message == kMsgQueuedAlert) {
      seen_.events.push_back("the alert");
    } else if (message == kMsgPresetNameShared) {
      seen_.sharedName = static_cast<int>(wParam);
      if (seen_.onSharedName) seen_.onSharedName();
    }
    return 0;
  }
  static int Hear(UCB*, DWORD code, void* parameter, void*) {
    if (code == kCustomDialogClosed) {
      const auto* closed = static_cast<const CustomDialogClosed*>(parameter);
      seen_.closedWith = static_cast<WORD>(closed->id);
      seen_.closingItem = closed->icb != nullptr ? closed->icb->itemId : 0;
    }
    if (code == kCustomHiddenFunction) {
      seen_.hiddenFunctionItem = static_cast<const CustomItemEvent*>(parameter)->icb->itemId;
    }
    return 0;
  }

 protected:
  UCB* ucb_ = nullptr;
  CUSTOMROW kept_{};
};

ModalDialog::Seen ModalDialog::seen_;

TEST_F(ModalDialog, OkWaitsForTheAlertQueuedBeforeIt) {
  seen_.queueAlertOnOk = true;
  UiScript script;
  script.click(WindowRef::Item(Dialog(), IDOK))
      .check("the dialog stays for the alert", [&] {
        EXPECT_NE(Dialog().Resolve(), nullptr);
        EXPECT_EQ(seen_.events, (std::vector<std::string>{"ok, an alert is queued", "the alert"}));
      })
      .click(WindowRef::Item(Dialog(), IDOK));
  EXPECT_EQ(Run(1025), IDOK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(seen_.events.back(), "ok");
  EXPECT_EQ(ucb_->pWork->dialog.fOk, 1);
  EXPECT_EQ(seen_.closedWith, IDOK);
  EXPECT_EQ(seen_.closingItem, IDOK);
  EXPECT_EQ(GetTCBbyTabID(ucb_, 1025)->hWnd, nullptr) << "the dialog forgets its windows";
}

TEST_F(ModalDialog, CancelEndsWithoutAcceptance) {
  ucb_->pWork->dialog.fOk = 1;
  UiScript script;
  script.click(WindowRef::Item(Dialog(), IDCANCEL));
  EXPECT_EQ(Run(1025), IDCANCEL);
  EXPECT_EQ(ucb_->pWork->dialog.fOk, 0);
  EXPECT_EQ(seen_.closedWith, IDCANCEL);
  EXPECT_EQ(seen_.closingItem, 0) << "the dialog's table has no item of Cancel";
}

// The version dialog of a description that greys its hidden-functions
// text.
class HiddenFunctions : public ModalDialog {
 protected:
  const char* Description() const override { return "kesm_w2_hidden_functions.kpd"; }
};

// Ctrl, Shift and a right double-click over the greyed text open the
// hidden functions of the one item that has them; anything less, or
// another item, does nothing.
TEST_F(HiddenFunctions, AnswerOnlyTheirItemAndTheFullGesture) {
  struct Case {
    int control;
    WPARAM keys;
    WORD expected;
  };
  const Case cases[] = {{2361, MK_CONTROL | MK_SHIFT, 2361}, {2361, MK_CONTROL, 0}, {2361, 0, 0}, {104, MK_CONTROL | MK_SHIFT, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.control) + " keys " + std::to_string(c.keys));
    seen_.hiddenFunctionItem = 0;
    UiScript script;
    const WindowRef target = WindowRef::Item(Dialog(), c.control);
    script.click(target, plat::window::MouseButton::kRight, c.keys)
        .click(target, plat::window::MouseButton::kRight, c.keys)
        .check("what opened", [&] { EXPECT_EQ(seen_.hiddenFunctionItem, c.expected); })
        .click(WindowRef::Item(Dialog(), IDCANCEL));
    EXPECT_EQ(Run(1025), IDCANCEL);
    EXPECT_TRUE(script.done());
  }
}

// Two presets may not share a name: closing the maintenance dialog shows
// the later of the two for renaming, and closes once the names differ.
TEST_F(ModalDialog, TheMaintenanceDialogStaysWhileTwoPresetsShareAName) {
  ASSERT_NO_FATAL_FAILURE(WritePresets({"Standard", "Draft", "Draft"}));
  seen_.onSharedName = [&] {
    WritePrivateProfileStringW(section_.c_str(), u"PresetList2Name", u"Draft copy", ini_.c_str());
  };
  const WindowRef dialog = WindowRef::Top(u"Maintenance");
  UiScript script;
  script.click(WindowRef::Item(dialog, IDOK))
      .check("the later preset is shown for renaming",
             [&] {
               EXPECT_NE(dialog.Resolve(), nullptr);
               EXPECT_EQ(seen_.sharedName, 2);
               EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Resolve(), 2145));
               EXPECT_EQ(GetDevmodeValueByICB(ucb_, GetICBbyItemID(ucb_, GetTCBbyTabID(ucb_, 1007), 2139)),
                         kFirstPreset + 2);
               EXPECT_EQ(ucb_->pWork->dialog.fOk, 0);
             })
      .click(WindowRef::Item(dialog, 8));
  EXPECT_EQ(Run(1007), 8);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(ucb_->pWork->dialog.fOk, 1);
}

// The Help button of a driver dialog opens the dialog's topic in the
// driver's help file.
TEST_F(ModalDialog, HelpShowsTheDialogsTopic) {
  const WindowRef dialog = WindowRef::Top(u"Maintenance");
  std::u16string helpFile;
  UiScript script;
  script.click(WindowRef::Item(dialog, IDHELP))
      .check("the dialog stays", [&] {
        EXPECT_NE(dialog.Resolve(), nullptr);
        helpFile = reinterpret_cast<const char16_t*>(GetHelpFileName(ucb_));
      })
      .click(WindowRef::Item(dialog, 8));
  plat::window::ClearHelpRequests();
  EXPECT_EQ(Run(1007), 8);
  const auto requests = plat::window::HelpRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].file, helpFile);
  EXPECT_FALSE(helpFile.empty());
  EXPECT_EQ(requests[0].command, HELP_CONTEXT);
  EXPECT_EQ(requests[0].data, 20201u);
}

}  // namespace
}  // namespace ui_test
