// ShowDialogBox as the levels of a person's work meet it: a settings sheet
// opened from the preset page, a dialog opened from one of its pages, a
// file dialog opened from that dialog; each level cancelled undoes only
// its own changes, and acceptance keeps them and marks the parent page
// changed when the dialog can change settings at all. Also the user-quality
// sheet and its colour matching given back on cancel, the option dialog of
// the preset refresh, and the ends without a dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/propsheet/prsht.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "storage/install/preset_refresh.h"
#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;
using plat::window::WindowRef;

constexpr WORD kBitmapPath = 767;
constexpr WORD kColorMatching = 133;

// The pages' parent records what the pages tell it.
std::vector<WPARAM> g_changedPages;
WNDPROC g_frameProc = nullptr;
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PSM_CHANGED) g_changedPages.push_back(wParam);
  return CallWindowProcW(g_frameProc, hwnd, message, wParam, lParam);
}

class SubDialogs : public SubDialogMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SubDialogMachine::SetUp());
    drive::Put("Pictures/a.bmp", TinyBitmap());
    drive::Put("Pictures/b.bmp", TinyBitmap());
    g_changedPages.clear();
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(host_.frame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
  }
  void TearDown() override {
    SetWindowLongPtrW(host_.frame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
    SubDialogMachine::TearDown();
  }
  std::vector<BYTE> Devmode() const {
    const BYTE* dm = ucb_->pDCB->devmode;
    return std::vector<BYTE>(dm, dm + sizeof ucb_->pDCB->devmode);
  }
  static WindowRef Sheet() {
    return WindowRef::Found("the settings sheet", [] { return FindWindowW(nullptr, u"Kesm W2 Office"); });
  }
};

TEST_F(SubDialogs, EachLevelCancelledUndoesItsOwnChangesOnly) {
  // The page's own undo point, as the binding of a sheet's first page
  // leaves it: with the sheet, the dialog and the file dialog open, four
  // levels stand on the three-deep ring, and the page's is the one let go.
  BackupPrivateDevmode(ucb_);
  const std::vector<BYTE> before = Devmode();
  int sheet = -2;
  int stampFile = -2;
  int stamp = -2;
  int picture = -2;
  std::string inSheet;
  std::string inStamp;
  std::string afterStamp;
  UiScript script;
  Open(script, 1003, &sheet, kShowDialogSheet);
  // The page of the sheet picks a picture, then opens the image stamp
  // dialog, which picks another.
  Open(script, 4003, &stampFile, kShowDialogModal, 1003);
  script.chooseFile(u"C:\\Pictures\\a.bmp").check("in the sheet", [&] { inSheet = Text(kBitmapPath); });
  Open(script, 1023, &stamp, kShowDialogModal, 1003);
  Open(script, 4003, &picture, kShowDialogModal, 1023);
  script.chooseFile(u"C:\\Pictures\\b.bmp")
      .check("in the stamp dialog", [&] { inStamp = Text(kBitmapPath); })
      .key(VK_ESCAPE)
      .check("back in the sheet", [&] {
        afterStamp = Text(kBitmapPath);
        EXPECT_EQ(ucb_->wCurrentDialog, 1003) << "the sheet's page is current again";
      })
      .press(Sheet(), IDCANCEL);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(stampFile, 1);
  EXPECT_EQ(picture, 1);
  EXPECT_EQ(stamp, IDCANCEL);
  EXPECT_EQ(sheet, 0);
  EXPECT_EQ(inSheet, "C:\\Pictures\\a.bmp");
  EXPECT_EQ(inStamp, "C:\\Pictures\\b.bmp");
  EXPECT_EQ(afterStamp, "C:\\Pictures\\a.bmp") << "the stamp dialog undid only its own picture";
  EXPECT_EQ(Text(kBitmapPath), "");
  EXPECT_EQ(Devmode(), before);
  EXPECT_EQ(ucb_->wCurrentDialog, kPresetPage);
  EXPECT_TRUE(g_changedPages.empty()) << "nothing was accepted";
}

TEST_F(SubDialogs, AcceptedLevelsKeepTheirChangesAndTellTheParentPage) {
  int sheet = -2;
  int picture = -2;
  UiScript script;
  Open(script, 1003, &sheet, kShowDialogSheet);
  Open(script, 4003, &picture, kShowDialogModal, 1003);
  script.chooseFile(u"C:\\Pictures\\a.bmp").press(Sheet(), IDOK);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(sheet, 1);
  EXPECT_EQ(Text(kBitmapPath), "C:\\Pictures\\a.bmp");
  EXPECT_EQ(g_changedPages, std::vector<WPARAM>{reinterpret_cast<WPARAM>(host_.page())});

  // The version dialog never changes a setting: its OK tells nobody.
  g_changedPages.clear();
  int version = -2;
  UiScript shown;
  Open(shown, 1025, &version);
  shown.click(Button(IDOK));
  ASSERT_TRUE(shown.run());
  EXPECT_EQ(version, IDOK);
  EXPECT_TRUE(g_changedPages.empty());
}

TEST_F(SubDialogs, TheUserQualitySheetGivesItsColourMatchingBackOnCancel) {
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kColorMatching, 0));
  // What the quality pages keep to give back: colour matching 2.
  ucb_->pWork->cmmReturn.values[0] = 2;
  ucb_->pWork->cmmReturn.flags = 1;
  // Asked for one of its pages, the whole sheet opens under its own caption.
  const WindowRef quality = WindowRef::Top(String(5001));
  int result = -2;
  int pages = 0;
  UiScript script;
  Open(script, 1038, &result);
  script
      .check("its pages",
             [&] {
               HWND tabs = GetDlgItem(quality.Resolve(), IDC_SHEETTABS);
               pages = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
               EXPECT_EQ(ucb_->wCurrentDialog, 1038);
             })
      .press(quality, IDCANCEL);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(pages, 4);
  EXPECT_EQ(Value(kColorMatching), 2);
  EXPECT_EQ(ucb_->pWork->cmmReturn.flags, 0) << "given back once";
}

TEST_F(SubDialogs, ThePresetRefreshAsksForTheInstalledOptionsFirst) {
  ASSERT_EQ(Ini(u"PresetRefresh"), "<none>");
  // The sheet asks before it has pages.
  host_.Close();
  const WindowRef options =
      WindowRef::Found("the option dialog", [this] { return GetTCBbyTabID(ucb_, 1011)->hWnd; });
  UiScript cancelled;
  cancelled.check("the printer sheet starts", [this] { PresetRefreshForOptionDialog(ucb_, 0); })
      .answerBox(Strings(), 7004, IDOK)
      .key(VK_ESCAPE);
  ASSERT_TRUE(cancelled.run());
  EXPECT_EQ(Ini(u"PresetRefresh"), "<none>") << "cancelled: it asks again next time";

  UiScript accepted;
  accepted.check("the printer sheet starts", [this] { PresetRefreshForOptionDialog(ucb_, 0); })
      .answerBox(Strings(), 7004, IDOK)
      .click(WindowRef::Item(options, IDOK));
  ASSERT_TRUE(accepted.run());
  EXPECT_EQ(Ini(u"PresetRefresh"), "1");
}

TEST_F(SubDialogs, WithoutItsTabOrTheResourceDllNothingOpens) {
  const std::vector<BYTE> before = Devmode();
  EXPECT_EQ(ShowDialogBox(ucb_, kShowDialogModal, 999, host_.page()), 0);
  EXPECT_EQ(ucb_->wCurrentDialog, kPresetPage);
  EXPECT_EQ(Devmode(), before);
  host_.Close();
  FreeResDll(ucb_);
  std::filesystem::remove(resourceDll_);
  EXPECT_EQ(ShowDialogBox(ucb_, kShowDialogModal, 1023, nullptr), -1);
}

}  // namespace
}  // namespace ui_test
