// Picks that do not stand, on pages of the L4 description. An option the
// constraints disable (from the bypass tray the paper and print size
// Letter and black and white) is refused with the item's hint in an
// information box only when the control has list data with a hint flag and
// a hint string; otherwise the pick goes on like any other. A pick whose
// confirmation is cancelled (the paper A5, the print size A3, the half
// fold) leaves the setting and the control showing the old value, in every
// kind; a confirmed one stays. Picking a list's current option again
// changes nothing and asks nothing; choosing a combo's current option again
// judges it again.
#include <gtest/gtest.h>

#include "tests/ui/lists/list_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kPaperCombo = 2017;      // list data with hint flag, hint string
constexpr WORD kPrintSizeCombo = 2023;  // list data with hint flag, no hint string
constexpr WORD kColourCombo = 3302;     // hint string, no list data
constexpr UINT kHint = 40067;
constexpr WORD kFinishPage = 1004;
constexpr WORD kFileOpen = 4001;
constexpr WORD kFoldList = 3387;
constexpr WORD kFileList = 1120;   // kind 42, bound to the paper here
constexpr WORD kFileCombo = 1136;  // kind 43, bound to the print size here

class ListRefusal : public ListMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ListMachine::SetUp());
    Store(kTray, V("TRAY_MANUAL"));
    Store(kPaper, V("PAPER_A4"));
    Store(kPrintSize, V("PAPER_A4"));
    Store(kColour, V("DMCOLOR_COLOR"));
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  }
};

TEST_F(ListRefusal, ADisabledOptionIsRefusedWithTheHintAndTheValueStaysShown) {
  kesm_test::UiScript script;
  script.pick(Control(kPaperCombo), 2).answerBox(GetResDll(ucb_), kHint, IDOK).check("refused", [&] {
    EXPECT_EQ(Ui(kPaper), V("PAPER_A4"));
    EXPECT_EQ(Selected(kPaperCombo), 0) << "the entry of the value is selected again";
  });
  EXPECT_TRUE(script.run());
  const auto boxes = plat::window::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, Control(kPaperCombo));
  EXPECT_EQ(boxes[0].caption, u"Information");
  EXPECT_EQ(boxes[0].type, MB_ICONINFORMATION);
}

TEST_F(ListRefusal, WithoutListDataOrHintStringADisabledOptionIsPickedLikeAnyOther) {
  kesm_test::UiScript script;
  script.pick(Control(kPrintSizeCombo), 2).check("no hint string", [&] {
    EXPECT_EQ(Ui(kPrintSize), V("PAPER_LETTER"));
  });
  script.pick(Control(kColourCombo), 1).check("no list data", [&] {
    EXPECT_EQ(Ui(kColour), V("DMCOLOR_MONOCHROME"));
  });
  EXPECT_TRUE(script.run());
  EXPECT_TRUE(plat::window::MessageBoxes().empty());
}

class ListConfirmation : public ListMachine {};

struct ConfirmCase {
  const char* what;
  WORD dialog;
  WORD control;
  WORD setting;
  const char* tray;
  const char* before;
  int beforeEntry;
  int asking;  // the entry whose option asks for a confirmation
  const char* asked;
};

TEST_F(ListConfirmation, ACancelledPickPutsTheOldValueBackAndAConfirmedOneStays) {
  const ConfirmCase cases[] = {
      {"owner combo", kPresetPage, kPaperCombo, kPaper, "TRAY_AUTO", "PAPER_A4", 0, 3, "PAPER_A5"},
      {"owner list", kFinishPage, kFoldList, kFold, "TRAY_AUTO", "KKDMFOLDTYPE_ZFOLD", 1, 2, "KKDMFOLDTYPE_HALFFOLD"},
      {"plain list", kFileOpen, kFileList, kPaper, "TRAY_TRAY1", "PAPER_LETTER", 1, 2, "PAPER_A5"},
      {"plain combo", kFileOpen, kFileCombo, kPrintSize, "TRAY_AUTO", "PAPER_A4", 0, 1, "PAPER_A3"},
  };
  for (const ConfirmCase& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.dialog == kFileOpen) {
      ASSERT_NO_FATAL_FAILURE(BindFileDialogLists());
    }
    Store(kTray, V(c.tray));
    Store(c.setting, V(c.before));
    ASSERT_TRUE(host_.Open(ucb_, c.dialog));
    const HWND control = Control(c.control);
    kesm_test::UiScript script;
    PickEntry(script, control, c.asking);
    script.answerBox(u"", IDCANCEL).check("cancelled", [&] {
      EXPECT_EQ(Ui(c.setting), V(c.before));
      EXPECT_EQ(Selected(c.control), c.beforeEntry);
    });
    PickEntry(script, control, c.asking);
    script.answerBox(u"", IDOK).check("confirmed", [&] {
      EXPECT_EQ(Ui(c.setting), V(c.asked));
      EXPECT_EQ(Selected(c.control), c.asking);
    });
    EXPECT_TRUE(script.run());
    host_.Close();
  }
}

TEST_F(ListConfirmation, PickingAListsCurrentOptionAgainAsksNothing) {
  Store(kFold, V("KKDMFOLDTYPE_HALFFOLD"));
  ASSERT_TRUE(host_.Open(ucb_, kFinishPage));
  plat::window::ClearMessageBoxRecords();
  kesm_test::UiScript script;
  script.select(Control(kFoldList), 2).check("unchanged", [&] { EXPECT_EQ(Ui(kFold), V("KKDMFOLDTYPE_HALFFOLD")); });
  EXPECT_TRUE(script.run());
  EXPECT_TRUE(plat::window::MessageBoxes().empty()) << "the confirmation of the half fold is not asked again";
}

// The printer picture of the basic page chooses a tray through the tray
// combo as a pick does; choosing the tray already chosen judges it again,
// whose actions set two copies from tray 1.
TEST_F(ListConfirmation, ChoosingACombosCurrentOptionAgainJudgesItAgain) {
  constexpr WORD kBasicPage = 1002;
  constexpr WORD kPrinterPicture = 2067;
  constexpr POINT kTray1{100, 78};
  Store(kTray, V("TRAY_TRAY1"));
  Store(kCopies, 5);
  ASSERT_TRUE(host_.Open(ucb_, kBasicPage));
  kesm_test::UiScript script;
  script.clickAt(Control(kPrinterPicture), kTray1).check("judged again", [&] {
    EXPECT_EQ(Ui(kTray), V("TRAY_TRAY1"));
    EXPECT_EQ(Ui(kCopies), 2);
  });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
