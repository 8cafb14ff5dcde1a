// The Other module outside its pages: the separation-sheet cycle, the
// quality default of a refused resolution, the tray details of a device
// answer, the colour matching a cancelled dialog gives back, and the
// status query of a sheet's start.
#include <gtest/gtest.h>

#include "devicecomm/bidi/bidi_events.h"
#include "devicecomm/bidi/bidi_query.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_names.h"
#include "features/custom_modules.h"
#include "features/quality/quality_module.h"
#include "settings/bkpd/description_queries.h"
#include "settings/values/setting_lookup.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

constexpr WORD kCopies = 12;
constexpr WORD kCycle = 411;

class Other : public FeatureTest {};

TEST_F(Other, FewerCopiesThanOneSeparationCycleMakePseudoSetting1108True) {
  struct Case {
    LONG_PTR copies, cycle;
    DWORD value;
  };
  const Case cases[] = {{3, 5, 1}, {5, 5, 0}, {7, 5, 0}, {-1, 0, 1}, {0, 1, 1}};
  for (const Case& c : cases) {
    S(kCopies, c.copies);
    S(kCycle, c.cycle);
    EXPECT_EQ(Ucf_JudgeHook(ucb_, 1108), c.value) << c.copies << " " << c.cycle;
  }
}

TEST_F(Other, BuiltIn901TakesTheCopiesIntoTheCycleWhenThereAreAny) {
  S(kCopies, 4);
  S(kCycle, 9);
  KesmCustomBuiltInFunc(ucb_, 901);
  EXPECT_EQ(V(kCycle), 4);
  S(kCopies, 0);
  KesmCustomBuiltInFunc(ucb_, 901);
  EXPECT_EQ(V(kCycle), 4);
}

TEST_F(Other, ARefusedResolutionTakesTheDescriptionsGroupDefault) {
  constexpr WORD kResolution = 38;  // the device resolution the DEVMODE validation asks about
  SFCB* record = GetSFCBbyFuncID(ucb_, kResolution);
  ASSERT_NE(record, nullptr);
  CustomQualityPick pick{nullptr, record, -7};
  KesmCustomFunction(ucb_, kCustomPickQuality, &pick);
  const LONG defaultId = BKPDGetGroupDefaultByFuncID(kResolution, ucb_);
  const LONG_PTR expected =
      record->valueList != nullptr ? ConvertResIDToDevmodeValue(ucb_, record, defaultId) : defaultId;
  EXPECT_EQ(pick.value, expected);
  EXPECT_NE(pick.value, -7);
}

TEST_F(Other, TrayDetailsOfADeviceAnswerAreWantedAndNoResolutionListIsGiven) {
  CustomBidiTrayDetails details{0};
  KesmCustomFunction(ucb_, kCustomBidiTrayDetails, &details);
  EXPECT_EQ(details.wanted, 1u);
  int marker = 0;
  CustomResolutionList list{&marker};
  KesmCustomFunction(ucb_, kCustomResolutionList, &list);
  EXPECT_EQ(list.list, nullptr);
}

// The quality module keeps the colour matching of the mode in use when a
// dialog opens; a cancel gives it back and forgets it, an OK forgets it.
TEST_F(Other, ACancelledDialogGivesBackTheKeptColourMatching) {
  constexpr WORD kAdjustMode = 128, kAdjustObject = 129;
  S(kAdjustMode, 1);
  S(kAdjustObject, 1);  // line art: setting 799
  S(799, 3);
  S(133, 2);
  SaveCMMtoWork(ucb_, 0);
  EXPECT_EQ(ucb_->pWork->cmmReturn.flags, 4);
  S(799, 1);
  S(133, 1);
  CustomDialogState other{0};
  KesmCustomFunction(ucb_, kCustomDialogCancelled, &other);
  EXPECT_EQ(V(799), 1) << "a dialog that kept nothing";
  CustomDialogState cancelled{kDialogCmmReturn};
  KesmCustomFunction(ucb_, kCustomDialogCancelled, &cancelled);
  EXPECT_EQ(V(799), 3);
  EXPECT_EQ(V(133), 1) << "only the kept value comes back";
  EXPECT_EQ(ucb_->pWork->cmmReturn.flags, 0);

  S(kAdjustMode, 0);
  SaveCMMtoWork(ucb_, 0);
  EXPECT_EQ(ucb_->pWork->cmmReturn.flags, 1);
  CustomDialogState accepted{kDialogCmmReturn};
  KesmCustomFunction(ucb_, kCustomDialogAccepted, &accepted);
  EXPECT_EQ(ucb_->pWork->cmmReturn.flags, 0);
}

// The status query a sheet asks for as it starts is the Other module's:
// its answer is the query's.
TEST_F(Other, TheSheetsStartQueryAnswersWithTheQuery) {
  // No port-monitor library on this machine: the device cannot answer.
  EXPECT_FALSE(GetBidiDataStart(ucb_, nullptr));
  // Bidi turned off for the driver: nothing to ask, and nothing came.
  PutText(GetDriverName(ucb_), u"bIsBIDISupportForKESM", u"0");
  SetKDMBiDirectOn(ucb_);
  EXPECT_TRUE(GetBidiDataStart(ucb_, nullptr));
  EXPECT_EQ(GetKDMBiDirect(ucb_), 0u);
}

}  // namespace
}  // namespace features_test
