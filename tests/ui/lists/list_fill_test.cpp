// What the list and combo kinds offer and store, on real pages of the L4
// description (tests/data/kpd/kesm_l4_lists.kpd): which options a control
// lists for the tray chosen before the page opens (hidden ones left out,
// disabled ones kept), which entry shows the stored value, and what a
// person's pick stores. The plain list and combo kinds (42, 43) are tried
// on the file-open dialog, bound to the paper and print size settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kFinishPage = 1004;
constexpr WORD kFileOpen = 4001;
constexpr WORD kPaperCombo = 2017;
constexpr WORD kPrintSizeCombo = 2023;
constexpr WORD kColourCombo = 3302;
constexpr WORD kFoldList = 3387;
constexpr WORD kPunchList = 2100;
constexpr WORD kFileList = 1120;   // kind 42, bound to the paper
constexpr WORD kFileCombo = 1136;  // kind 43, bound to the print size

class ListFill : public ListMachine {
 protected:
  void OpenPage(WORD dialog) {
    if (dialog == kFileOpen) {
      ASSERT_NO_FATAL_FAILURE(BindFileDialogLists());
    }
    ASSERT_TRUE(host_.Open(ucb_, dialog));
  }
};

struct FillCase {
  const char* what;
  WORD dialog;
  WORD control;
  WORD setting;
  const char* tray;
  const char* value;
  std::vector<const char*> listed;
  int selected;
};

TEST_F(ListFill, EachKindListsItsOptionsWithoutTheHiddenOnesAndShowsTheStoredValue) {
  const FillCase cases[] = {
      {"owner combo, every paper", kPresetPage, kPaperCombo, kPaper, "TRAY_AUTO", "PAPER_A4",
       {"PAPER_A4", "PAPER_A3", "PAPER_LETTER", "PAPER_A5"}, 0},
      {"owner combo, A3 hidden from tray 1", kPresetPage, kPaperCombo, kPaper, "TRAY_TRAY1", "PAPER_LETTER",
       {"PAPER_A4", "PAPER_LETTER", "PAPER_A5"}, 1},
      {"owner combo, a hidden value shows no entry", kPresetPage, kPaperCombo, kPaper, "TRAY_TRAY1", "PAPER_A3",
       {"PAPER_A4", "PAPER_LETTER", "PAPER_A5"}, -1},
      {"owner combo, a disabled paper is listed", kPresetPage, kPaperCombo, kPaper, "TRAY_MANUAL", "PAPER_LETTER",
       {"PAPER_A4", "PAPER_A3", "PAPER_LETTER", "PAPER_A5"}, 2},
      {"owner combo, print size", kPresetPage, kPrintSizeCombo, kPrintSize, "TRAY_TRAY1", "PAPER_LETTER",
       {"PAPER_A4", "PAPER_LETTER"}, 1},
      {"owner combo, colour", kPresetPage, kColourCombo, kColour, "TRAY_MANUAL", "DMCOLOR_MONOCHROME",
       {"DMCOLOR_COLOR", "DMCOLOR_MONOCHROME"}, 1},
      {"owner list, every fold", kFinishPage, kFoldList, kFold, "TRAY_AUTO", "KKDMFOLDTYPE_ZFOLD",
       {"KKDMFOLDTYPE_NONE", "KKDMFOLDTYPE_ZFOLD", "KKDMFOLDTYPE_HALFFOLD"}, 1},
      {"owner list, the Z fold hidden", kFinishPage, kFoldList, kFold, "TRAY_TRAY1", "KKDMFOLDTYPE_HALFFOLD",
       {"KKDMFOLDTYPE_NONE", "KKDMFOLDTYPE_HALFFOLD"}, 1},
      {"owner list, a hidden value shows no entry", kFinishPage, kFoldList, kFold, "TRAY_TRAY1",
       "KKDMFOLDTYPE_ZFOLD", {"KKDMFOLDTYPE_NONE", "KKDMFOLDTYPE_HALFFOLD"}, -1},
      {"picture list", kFinishPage, kPunchList, kPunch, "TRAY_TRAY1", "KKDMPUNCHTYPE_2HOLE_TOP",
       {"KKDMPUNCHTYPE_NONE", "KKDMPUNCHTYPE_2HOLE_TOP"}, 1},
      {"plain list, shown by the page's refresh", kFileOpen, kFileList, kPaper, "TRAY_TRAY1", "PAPER_A5",
       {"PAPER_A4", "PAPER_LETTER", "PAPER_A5"}, 2},
      {"plain list, a hidden value shows no entry", kFileOpen, kFileList, kPaper, "TRAY_TRAY1", "PAPER_A3",
       {"PAPER_A4", "PAPER_LETTER", "PAPER_A5"}, -1},
      {"plain combo", kFileOpen, kFileCombo, kPrintSize, "TRAY_AUTO", "PAPER_A3",
       {"PAPER_A4", "PAPER_A3", "PAPER_LETTER"}, 1},
      {"plain combo, a hidden value shows no entry", kFileOpen, kFileCombo, kPrintSize, "TRAY_TRAY1", "PAPER_A3",
       {"PAPER_A4", "PAPER_LETTER"}, -1},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.what);
    Store(kTray, V(c.tray));
    Store(c.setting, V(c.value));
    ASSERT_NO_FATAL_FAILURE(OpenPage(c.dialog));
    std::vector<WORD> listed;
    for (const char* k : c.listed) listed.push_back(V(k));
    EXPECT_EQ(Entries(c.control), listed);
    EXPECT_EQ(Selected(c.control), c.selected);
    host_.Close();
  }
}

TEST_F(ListFill, TheTextKindsShowTheOptionsTexts) {
  Store(kTray, V("TRAY_TRAY1"));
  ASSERT_NO_FATAL_FAILURE(OpenPage(kFileOpen));
  const std::u16string expected[] = {u"A4", u"Letter", u"A5"};
  for (int i = 0; i < 3; ++i) {
    WCHAR text[64] = {};
    SendMessageW(Control(kFileList), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::u16string(text), expected[i]);
  }
  WCHAR text[64] = {};
  SendMessageW(Control(kFileCombo), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::u16string(text), u"Letter");
}

struct PickCase {
  const char* what;
  WORD dialog;
  WORD control;
  WORD setting;
  std::vector<std::pair<int, const char*>> picks;  // entry, the value it stores
};

TEST_F(ListFill, APickStoresTheOptionOfTheEntry) {
  // Options that ask for a confirmation are left to the refusal tests; the
  // picture list, whose cells are taller than its window, is worked with
  // the keys below.
  const PickCase cases[] = {
      {"owner combo", kPresetPage, kPaperCombo, kPaper, {{1, "PAPER_A3"}, {2, "PAPER_LETTER"}, {0, "PAPER_A4"}}},
      {"owner combo without hint", kPresetPage, kPrintSizeCombo, kPrintSize, {{2, "PAPER_LETTER"}, {0, "PAPER_A4"}}},
      {"owner combo without list data", kPresetPage, kColourCombo, kColour,
       {{1, "DMCOLOR_MONOCHROME"}, {0, "DMCOLOR_COLOR"}}},
      {"owner list", kFinishPage, kFoldList, kFold, {{1, "KKDMFOLDTYPE_ZFOLD"}, {0, "KKDMFOLDTYPE_NONE"}}},
      {"plain list", kFileOpen, kFileList, kPaper, {{2, "PAPER_LETTER"}, {0, "PAPER_A4"}}},
      {"plain combo", kFileOpen, kFileCombo, kPrintSize, {{2, "PAPER_LETTER"}, {0, "PAPER_A4"}}},
  };
  for (const PickCase& c : cases) {
    SCOPED_TRACE(c.what);
    Store(kTray, V("TRAY_AUTO"));
    ASSERT_NO_FATAL_FAILURE(OpenPage(c.dialog));
    kesm_test::UiScript script;
    for (const auto& [entry, value] : c.picks) {
      PickEntry(script, Control(c.control), entry);
      script.check(value, [&, value = value] { EXPECT_EQ(Ui(c.setting), V(value)); });
    }
    EXPECT_TRUE(script.run());
    host_.Close();
  }
}

TEST_F(ListFill, AnOwnerComboRefilledForAnotherTrayStillShowsItsValue) {
  constexpr WORD kTrayCombo = 2007;
  Store(kTray, V("TRAY_AUTO"));
  Store(kPaper, V("PAPER_A4"));
  ASSERT_NO_FATAL_FAILURE(OpenPage(kPresetPage));
  kesm_test::UiScript script;
  script.pick(Control(kTrayCombo), 1).check("tray 1 hides A3", [&] {
    EXPECT_EQ(Ui(kTray), V("TRAY_TRAY1"));
    EXPECT_EQ(Entries(kPaperCombo), (std::vector<WORD>{V("PAPER_A4"), V("PAPER_LETTER"), V("PAPER_A5")}));
    EXPECT_EQ(Selected(kPaperCombo), 0) << "A4 is still shown";
  });
  EXPECT_TRUE(script.run());
}

TEST_F(ListFill, TheArrowKeysPickInAListAsAClickDoes) {
  ASSERT_NO_FATAL_FAILURE(OpenPage(kFinishPage));
  kesm_test::UiScript script;
  script.select(Control(kPunchList), 0).key(VK_DOWN).check("the next picture", [&] {
    EXPECT_EQ(Ui(kPunch), V("KKDMPUNCHTYPE_2HOLE_TOP"));
  });
  script.key(VK_DOWN).check("the last picture, scrolled into view", [&] {
    EXPECT_EQ(Ui(kPunch), V("KKDMPUNCHTYPE_2HOLE_RIGHT"));
  });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
