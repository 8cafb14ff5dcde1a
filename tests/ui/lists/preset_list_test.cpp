// The preset list of the preset page, over presets a user saved before the
// page opens (the L4 description offers six preset options; from tray 1
// preset 3 is hidden): one entry per stored preset, a pick recalls the
// preset, and drawing the cells, which recalls each entry's preset to
// draw its preview, leaves the settings as they were, with the marks of
// what changed since the last refresh.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "storage/stores/preset_store.h"
#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kPresetList = 2001;
constexpr WORD kPresetName = 762;
constexpr WORD kPresetBase = 119;  // the option of preset 0

class PresetList : public ListMachine {
 protected:
  // Saves the current settings with this fold as the next preset. A user
  // saves presets while the pages are up: the context's tables are
  // corrected as the pages correct them, once, when a page first opens.
  void SavePreset(const std::u16string& name, const char* fold) {
    Store(kFold, V(fold));
    std::array<WCHAR, kRstNameChars> path{};
    ASSERT_TRUE(GetNewRstFileName(ucb_, path.data()));
    ASSERT_NE(SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kPresetName), name.c_str()), nullptr);
    const int index = ReadPresetCount(ucb_);
    ASSERT_TRUE(AddPresetData(ucb_, path.data(), name.c_str(), u""));
    ASSERT_TRUE(WritePresetByID(ucb_, index));
  }
  // Presets A, B, ... with these folds, or that many without a fold.
  void SavePresets(const std::vector<const char*>& folds) {
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
    host_.Close();
    char16_t letter = u'A';
    for (const char* fold : folds) ASSERT_NO_FATAL_FAILURE(SavePreset(u"Preset " + std::u16string(1, letter++), fold));
  }
  void SavePresets(int count) {
    ASSERT_NO_FATAL_FAILURE(SavePresets(std::vector<const char*>(static_cast<std::size_t>(count), "KKDMFOLDTYPE_NONE")));
  }
  std::vector<std::u16string> Keys() const {
    std::vector<std::u16string> keys;
    const auto count = SendMessageW(Control(kPresetList), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      WCHAR text[64] = {};
      SendMessageW(Control(kPresetList), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      keys.emplace_back(text);
    }
    return keys;
  }
  // The settings' changed marks, which the next refresh reads.
  std::vector<WORD> Marks() const {
    std::vector<WORD> marks;
    for (int i = 0; i < ucb_->pSFL->count; ++i) marks.push_back(ucb_->pSFL->pSFCB[i].flags & kSfcbChangedMask);
    return marks;
  }
  std::vector<BYTE> Dcb() const {
    const auto* bytes = reinterpret_cast<const BYTE*>(ucb_->pDCB);
    return std::vector<BYTE>(bytes, bytes + sizeof(DCB));
  }
};

struct FillCase {
  const char* what;
  int presets;
  const char* tray;
  std::vector<WORD> listed;  // preset indexes
};

TEST_F(PresetList, TheListHoldsOneEntryPerStoredPresetAndLeavesHiddenOnesOut) {
  const FillCase cases[] = {
      {"fewer presets than options", 2, "TRAY_AUTO", {0, 1}},
      {"preset 3 hidden", 5, "TRAY_TRAY1", {0, 1, 2, 4, 5}},
      {"no presets", 0, "TRAY_AUTO", {}},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(ResetPresetData(ucb_));
    ASSERT_NO_FATAL_FAILURE(SavePresets(c.presets));
    Store(kTray, V(c.tray));
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
    std::vector<WORD> options;
    std::vector<std::u16string> keys;
    for (WORD index : c.listed) {
      options.push_back(static_cast<WORD>(kPresetBase + index));
      keys.push_back(u"PresetList" + std::u16string(1, static_cast<char16_t>(u'0' + index)));
    }
    EXPECT_EQ(Entries(kPresetList), options);
    EXPECT_EQ(Keys(), keys);
    host_.Close();
  }
}

TEST_F(PresetList, PresetsLieSideBySideInCellsOfTheItemTablesSize) {
  ASSERT_NO_FATAL_FAILURE(SavePresets(2));
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  RECT cell{};
  SendMessageW(Control(kPresetList), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(cell.left, 108);
  EXPECT_EQ(cell.top, 0);
  EXPECT_EQ(cell.right, 216);
  EXPECT_EQ(cell.bottom, 107);
}

TEST_F(PresetList, APickRecallsThePresetAndSelectsIt) {
  ASSERT_NO_FATAL_FAILURE(SavePresets({"KKDMFOLDTYPE_NONE", "KKDMFOLDTYPE_ZFOLD", "KKDMFOLDTYPE_ZFOLD", "KKDMFOLDTYPE_NONE"}));
  Store(kFold, V("KKDMFOLDTYPE_HALFFOLD"));
  Store(kPresetNo, kPresetBase);
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  const HWND list = Control(kPresetList);
  kesm_test::UiScript script;
  script.select(list, 1).check("the second preset", [&] {
    EXPECT_EQ(Ui(kPresetNo), kPresetBase + 1);
    EXPECT_EQ(Ui(kFold), V("KKDMFOLDTYPE_ZFOLD"));
  });
  script.select(list, 0).check("the first preset", [&] {
    EXPECT_EQ(Ui(kPresetNo), kPresetBase);
    EXPECT_EQ(Ui(kFold), V("KKDMFOLDTYPE_NONE"));
  });
  script.key(VK_RIGHT).key(VK_RIGHT).key(VK_RIGHT).check("the fourth preset, scrolled into view", [&] {
    EXPECT_EQ(Ui(kPresetNo), kPresetBase + 3);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 2);
  });
  EXPECT_TRUE(script.run());
}

TEST_F(PresetList, ARefusedPresetGivesWayToTheFirstPresetWithABeep) {
  // The L4 description asks to confirm a preset with the half fold.
  ASSERT_NO_FATAL_FAILURE(SavePresets({"KKDMFOLDTYPE_NONE", "KKDMFOLDTYPE_ZFOLD", "KKDMFOLDTYPE_HALFFOLD"}));
  Store(kFold, V("KKDMFOLDTYPE_ZFOLD"));
  Store(kPresetNo, kPresetBase + 1);
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  const HWND list = Control(kPresetList);
  kesm_test::UiScript script;
  script.select(list, 1).key(VK_RIGHT).answerBox(u"", IDCANCEL).check("the first preset instead", [&] {
    EXPECT_EQ(Ui(kPresetNo), kPresetBase);
    EXPECT_EQ(Ui(kFold), V("KKDMFOLDTYPE_NONE"));
    EXPECT_EQ(Selected(kPresetList), 0);
    EXPECT_EQ(plat::window::MessageBeeps(), (std::vector<UINT>{0xFFFFFFFFu}));
  });
  script.key(VK_RIGHT).key(VK_RIGHT).answerBox(u"", IDOK).check("confirmed", [&] {
    EXPECT_EQ(Ui(kPresetNo), kPresetBase + 2);
    EXPECT_EQ(Ui(kFold), V("KKDMFOLDTYPE_HALFFOLD"));
  });
  EXPECT_TRUE(script.run());
}

TEST_F(PresetList, DrawingTheCellsLeavesTheSettingsByteForByteAndTheirChangeMarks) {
  ASSERT_NO_FATAL_FAILURE(SavePresets({"KKDMFOLDTYPE_NONE", "KKDMFOLDTYPE_ZFOLD"}));
  Store(kFold, V("KKDMFOLDTYPE_HALFFOLD"));
  Store(kPresetNo, kPresetBase + 1);
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  Store(kCopies, 3);  // a change the page has not been refreshed for yet
  const std::vector<BYTE> before = Dcb();
  const std::vector<WORD> marks = Marks();
  // The list alone repainted: the page's own paint would refresh the page,
  // which takes the marks.
  std::vector<std::uint32_t> cells;
  SIZE size{};
  ASSERT_TRUE(plat::window::PaintWindowImage(Control(kPresetList), &cells, &size));
  EXPECT_TRUE(Dcb() == before);
  EXPECT_TRUE(Marks() == marks) << "the refresh still sees what changed";
  EXPECT_NE(GetSFCBbyFuncID(ucb_, kCopies)->flags & kSfcbChangedMask, 0);
  const Picture shot = Shot();  // every cell drawn, each with its preset recalled
  Dump("preset_list");
  EXPECT_TRUE(Dcb() == before);
  EXPECT_EQ(Ui(kFold), V("KKDMFOLDTYPE_HALFFOLD"));
  EXPECT_EQ(Ui(kCopies), 3);
  RECT name{};
  SendMessageW(Control(kPresetList), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&name));
  name.bottom = name.top + 12;
  EXPECT_GT(shot.Count(host_.page(), Control(kPresetList), name, RGB(0, 0, 0)), 0) << "the first preset's name";
  EXPECT_EQ(CheckPresetCache(ucb_, u"PresetList0", kPresetCacheRestore), 1) << "recalled to be drawn";
}

}  // namespace
}  // namespace ui_test
