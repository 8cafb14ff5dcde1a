// The fixed lists of controls that are re-initialised on the open pages
// when the data behind them changed: the preset lists (whose choice falls
// back to the first preset when it lies past the stored presets), the
// pictures that follow the orientation, the stamp list (emptied first), and
// the tray, paper and output-bin lists. The refresh drives the preset and
// orientation lists after a click; the others have no caller on a page yet
// and are asked for directly, as the feature pages will.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/winfile.h"
#include "settings/context/context_names.h"
#include "storage/stores/preset_store.h"
#include "tests/ui/engine/refresh_machine.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kPresetPageButton = 2002;
constexpr WORD kEditPage = 1003;
constexpr WORD kMaintenance = 1007;
constexpr WORD kMaintenanceList = 2139;
constexpr WORD kFuncMaintenanceChoice = 1166;  // the preset the maintenance list shows: -1 none, 0-15
constexpr WORD kStampCombo = 2089;

class RefreshLists : public RefreshMachine {
 protected:
  void StorePresets(int count) {
    // The folder of the user's settings INI, which an install makes.
    const std::u16string ini = GetIniFilePath(ucb_);
    CreateDirectoryW(ini.substr(0, ini.rfind(u'\\')).c_str(), nullptr);
    ASSERT_TRUE(ResetPresetData(ucb_));
    for (int i = 0; i < count; ++i) ASSERT_TRUE(AddPresetData(ucb_, u"C:\\presets\\user.rst", u"Preset", u""));
    ASSERT_EQ(ReadPresetCount(ucb_), count);
  }
};

struct FallbackCase {
  LONG_PTR shown;  // the maintenance list's choice when it opens
  int stored;      // presets in the store
  LONG_PTR after;
};

TEST_F(RefreshLists, APresetChoicePastTheStoredPresetsFallsBackToTheFirst) {
  const FallbackCase cases[] = {{5, 2, 0}, {2, 2, 0}, {1, 2, 1}, {-1, 2, -1}, {0, 0, 0}};
  for (const FallbackCase& c : cases) {
    SCOPED_TRACE(c.shown);
    ASSERT_NO_FATAL_FAILURE(StorePresets(c.stored));
    SetDevmodeValueDirectByFuncID(ucb_, 37, 0);  // the user's first preset, chosen
    SetDevmodeValueDirectByFuncID(ucb_, 613, 0);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncWatermarkOn, 0);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncMaintenanceChoice, c.shown);
    ASSERT_TRUE(Open(kBasicPage));
    ASSERT_TRUE(Open(kMaintenance, 1));
    Forget();
    kesm_test::UiScript script;
    script.click(control(kWatermarkOn)).check("the preset dropped, its lists updated", [&] {
      EXPECT_EQ(Value(37), -1);
      EXPECT_EQ(Seen(kMaintenanceList, WM_INITDIALOG, 1), 1);
      EXPECT_EQ(Value(kFuncMaintenanceChoice), c.after);
    });
    EXPECT_TRUE(script.run());
  }
}

TEST_F(RefreshLists, TurningThePaperUpdatesTheOrientationPicturesOfTheEditPage) {
  ASSERT_TRUE(Open(kPresetPage));
  ASSERT_TRUE(Open(kEditPage, 1));
  Forget();
  kesm_test::UiScript script;
  script.check("landscape", [&] { SetDevmodeValueDirectByFuncID(ucb_, 7, 2); })
      .click(control(kPresetPageButton))
      .check("both pictures", [&] {
        EXPECT_EQ(Seen(2085, WM_INITDIALOG, 1), 1);
        EXPECT_EQ(Seen(2087, WM_INITDIALOG, 1), 1);
      });
  EXPECT_TRUE(script.run());
}

std::vector<std::u16string> Entries(HWND combo) {
  std::vector<std::u16string> entries;
  const auto n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    WCHAR text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

TEST_F(RefreshLists, TheStampListIsEmptiedBeforeItIsFilledAgain) {
  for (const bool watermark : {true, false}) {
    SCOPED_TRACE(watermark);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncWatermarkOn, watermark ? 1 : 0);
    ASSERT_TRUE(Open(kEditPage));
    HWND combo = control(kStampCombo);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Old stamp"));
    Forget();
    UpdateStampList(ucb_);
    const std::vector<std::u16string> entries = Entries(combo);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), u"Old stamp"), watermark ? 0 : 1);
    EXPECT_EQ(Seen(kStampCombo, WM_INITDIALOG), watermark ? 1 : 0);
  }
  // Its page closed, the list's item is still initialised.
  host().Close();
  SetDevmodeValueDirectByFuncID(ucb_, kFuncWatermarkOn, 1);
  const ICB* stamps = GetICBbyItemID(ucb_, GetTCBbyTabID(ucb_, kEditPage), kStampCombo);
  Forget();
  UpdateStampList(ucb_);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].icb, stamps);
}

struct ListCase {
  const char* what;
  void (*update)(UCB*);
  std::vector<std::pair<int, WORD>> items;  // {host, control} re-initialised
};

TEST_F(RefreshLists, AFixedListReinitialisesItsControlsOnTheOpenPagesOnly) {
  const ListCase cases[] = {
      {"trays", UpdateTrayList, {{0, 2007}, {1, 2007}}},
      {"paper sizes", UpdatePaperSizeList, {{0, 2017}, {0, 2023}, {1, 2017}, {1, 2053}}},
      {"output bins", UpdateOutbinList, {{0, 2011}, {1, 2066}}},
      {"orientation pictures, their page closed", UpdateListDependOnOrient, {}},
  };
  ASSERT_TRUE(Open(kPresetPage));
  ASSERT_TRUE(Open(kBasicPage, 1));
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.what);
    Forget();
    c.update(ucb_);
    ASSERT_EQ(seen_.size(), c.items.size());
    for (const auto& [n, id] : c.items) EXPECT_EQ(Seen(id, WM_INITDIALOG, n), 1) << id;
  }
  const DialogControlPair none[] = {{0, 0}};
  EXPECT_EQ(UpdateControlOnSomewhere(ucb_, none), 0);
}

}  // namespace
}  // namespace ui_test
