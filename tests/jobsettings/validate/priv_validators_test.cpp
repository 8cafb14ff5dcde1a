// Private-field validators: the table that gives each private id its
// routine and default, and for every routine a table of boundary cases in
// check mode (2) and store mode (1). Each case stores a value into a
// hand-built context, runs the id's routine from the table on the value
// read back, and looks at the answer and at what the field holds after.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "jobsettings/validate/priv_validators.h"
#include "platform/base/machine.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "tests/settings/context/hand_context.h"

namespace {

using kesm_test::HandContext;

constexpr int kCheck = kPrivCheckMode;
constexpr int kStore = kPrivStoreMode;

const ValidatePrivRow& Row(WORD funcId) { return ValidatePrivTable[funcId - kPrivFirstFuncId]; }

struct Case {
  WORD funcId;
  LONG_PTR value;  // stored first, then read back through the setting
  int mode;
  int result;
  LONG_PTR after;  // the field's value afterwards
};

class PrivValidators : public ::testing::Test {
 protected:
  UCB* ucb() { return ctx_.ucb(); }
  void Set(WORD funcId, LONG_PTR value) { SetDevmodeValueDirectByFuncID(ucb(), funcId, value); }
  LONG_PTR Get(WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb(), funcId, nullptr); }

  // Runs the table's routine of the id on the field's current value.
  int Validate(WORD funcId, int mode) {
    const ValidatePrivRow& row = Row(funcId);
    SFCB* sfcb = GetSFCBbyFuncID(ucb(), funcId);
    return row.routine(funcId, GetDevmodeValueDirect(ucb(), sfcb), sfcb, row.defaultValue, mode, ucb());
  }

  void ExpectCases(PrivValidator routine, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      ASSERT_EQ(Row(c.funcId).routine, routine) << c.funcId;
      Set(c.funcId, c.value);
      EXPECT_EQ(Validate(c.funcId, c.mode), c.result) << "id " << c.funcId << " value " << c.value << " mode " << c.mode;
      EXPECT_EQ(Get(c.funcId), c.after) << "id " << c.funcId << " value " << c.value << " mode " << c.mode;
    }
  }

  plat::ScopedMachine machine_;
  HandContext ctx_;
};

TEST(ValidatePrivTable, HasOneRowPerPrivateIdAndTheRoutinesOfTheModel) {
  std::map<PrivValidator, int> rowsPerRoutine;
  for (std::size_t n = 0; n < ValidatePrivTable.size(); ++n) {
    EXPECT_EQ(ValidatePrivTable[n].funcId, kPrivFirstFuncId + n);
    if (ValidatePrivTable[n].routine != nullptr) ++rowsPerRoutine[ValidatePrivTable[n].routine];
  }
  int routines = 0;
  for (const auto& [routine, rows] : rowsPerRoutine) routines += rows;
  EXPECT_EQ(ValidatePrivTable.size(), 564u);
  EXPECT_EQ(routines, 148);
  EXPECT_EQ(rowsPerRoutine[ProcSetDefaultkdm], 37);
  EXPECT_EQ(rowsPerRoutine[ProcSetDefault], 21);
  EXPECT_EQ(rowsPerRoutine[ProckdmListedValue], 54);
  EXPECT_EQ(rowsPerRoutine[ProckdmLocaleID], 4);
  // Defaults of ids without a routine.
  EXPECT_EQ(Row(152).defaultValue, 17);
  EXPECT_EQ(Row(444).defaultValue, 17);
  EXPECT_EQ(Row(536).defaultValue, 1);
  EXPECT_EQ(Row(568).defaultValue, 1);
  EXPECT_EQ(Row(152).routine, nullptr);
  EXPECT_EQ(Row(40).routine, nullptr);
}

// In store mode every routine that checks writes a value its own check
// accepts.
TEST_F(PrivValidators, StoredDefaultsPassTheirOwnCheck) {
  for (const ValidatePrivRow& row : ValidatePrivTable) {
    if (row.routine == nullptr || row.routine == ProcSetDefault || row.routine == ProcSetDefaultkdm ||
        row.routine == ProckdmLocaleID) {
      continue;
    }
    const auto id = static_cast<WORD>(row.funcId);
    Set(id, 0x5A5A);
    EXPECT_EQ(Validate(id, kStore), 0) << id;
    EXPECT_EQ(Validate(id, kCheck), 1) << id << " holds " << Get(id);
  }
}

TEST_F(PrivValidators, MachineIdIsTheContextsModel) {
  ucb()->pDP->bMachineID = 0x21;
  ExpectCases(ProckdmMachineID, {{35, 0x21, kCheck, 1, 0x21},
                                 {35, 0xA9, kCheck, 0, 0x21},
                                 {35, 0x21, kStore, 0, 0x21}});
}

TEST_F(PrivValidators, UiModeChange) {
  ExpectCases(ProckdmUIModeChange,
              {{36, 0, kCheck, 1, 0}, {36, 1, kCheck, 1, 1}, {36, 2, kCheck, 0, 1}, {36, 0, kStore, 0, 1}});
}

// The preset number is judged as its unsigned byte, so that both its check
// and the description's correction of 119-134 see the same number; the
// setting itself reads signed.
TEST_F(PrivValidators, PresetNumberIsReadAsItsUnsignedByte) {
  ExpectCases(ProckdmPresetNo, {{37, 0, kCheck, 1, 0},
                                {37, 127, kCheck, 1, 127},
                                {37, 255, kCheck, 1, -1},
                                {37, 128, kCheck, 0, 0},
                                {37, 254, kCheck, 0, 0},
                                {37, 5, kStore, 0, 0}});
}

TEST_F(PrivValidators, DestinationResolutionFollowsAValidPrintQuality) {
  ucb()->pDP->awResolution[0] = 300;
  ucb()->pDP->awResolution[1] = 400;
  Set(14, 1200);
  ExpectCases(ProckdmDstResolutionW, {{38, 600, kCheck, 1, 600},
                                      {38, 2400, kCheck, 1, 2400},
                                      {38, 700, kCheck, 0, 1200},
                                      {38, 600, kStore, 0, 1200}});
  ExpectCases(ProckdmDstResolutionH, {{39, 150, kCheck, 1, 150}, {39, 149, kCheck, 0, 1200}});
  Set(14, 700);
  ExpectCases(ProckdmDstResolutionW, {{38, 700, kCheck, 0, 300}});
  ExpectCases(ProckdmDstResolutionH, {{39, 700, kCheck, 0, 400}, {39, 600, kStore, 0, 400}});
}

TEST_F(PrivValidators, OutputPaperSizeTakesPaperSizesAndTheSpecialOutputSize) {
  ExpectCases(ProckdmOutPaperSize, {{46, 1024, kCheck, 1, 1024},
                                    {46, 1, kCheck, 1, 1},
                                    {46, 118, kCheck, 1, 118},
                                    {46, 119, kCheck, 0, 1024},
                                    {46, 256, kCheck, 1, 256},
                                    {46, 1025, kCheck, 0, 1024},
                                    {46, 0, kCheck, 0, 1024},
                                    {46, 9, kStore, 0, 1024}});
}

TEST_F(PrivValidators, OutputTray) {
  ExpectCases(ProckdmOutputTrayID, {{53, 0, kCheck, 1, 0},
                                    {53, 46, kCheck, 1, 46},
                                    {53, 47, kCheck, 0, 0},
                                    {53, 48, kCheck, 0, 0},
                                    {53, 128, kCheck, 1, 128},
                                    {53, 129, kCheck, 1, 129},
                                    {53, 130, kCheck, 0, 0},
                                    {53, 129, kStore, 0, 0}});
}

TEST_F(PrivValidators, MediaType) {
  ExpectCases(ProckdmMediaType, {{54, 1, kCheck, 1, 1},
                                 {54, 3, kCheck, 1, 3},
                                 {54, 4, kCheck, 0, 1},
                                 {54, 288, kCheck, 1, 288},
                                 {54, 289, kCheck, 0, 1},
                                 {54, 520, kCheck, 1, 520},
                                 {54, 0, kCheck, 0, 1}});
}

TEST_F(PrivValidators, Scale) {
  ExpectCases(ProckdmScaleH, {{89, 19, kCheck, 0, 100},
                              {89, 20, kCheck, 1, 20},
                              {89, 400, kCheck, 1, 400},
                              {89, 401, kCheck, 0, 100},
                              {90, 401, kCheck, 0, 100},
                              {90, 50, kStore, 0, 100}});
}

// A margin is at most 50 mm at the destination resolution, and never
// negative.
TEST_F(PrivValidators, MarginIsNeitherNegativeNorWiderThanFiftyMillimetres) {
  Set(38, 600);
  const auto limit = static_cast<LONG_PTR>(CmnToDot(kUnitMmOf01, 500, 600));
  ASSERT_GT(limit, 0);
  ExpectCases(ProckdmMarginOdd, {{98, 0, kCheck, 1, 0},
                                 {98, limit, kCheck, 1, limit},
                                 {98, limit + 1, kCheck, 0, 0},
                                 {98, -1, kCheck, 0, 0},
                                 {99, -limit, kCheck, 0, 0},
                                 {99, 10, kStore, 0, 0}});
  Set(38, 0);
  ExpectCases(ProckdmMarginOdd, {{98, 0, kCheck, 1, 0}, {98, 1, kCheck, 0, 0}});
}

TEST_F(PrivValidators, HeaderFooterFontPoint) {
  ExpectCases(ProckdmHFFontPoint,
              {{116, 5, kCheck, 0, 10}, {116, 6, kCheck, 1, 6}, {116, 100, kCheck, 1, 100}, {116, 101, kCheck, 0, 10}});
}

// The watermark index names one of at most 32 stored watermarks, or 256,
// the watermark not yet saved.
TEST_F(PrivValidators, WatermarkIndexIsRangeChecked) {
  ExpectCases(ProckdmWmID, {{118, 0, kCheck, 1, 0},
                            {118, 31, kCheck, 1, 31},
                            {118, 32, kCheck, 0, 0},
                            {118, 255, kCheck, 0, 0},
                            {118, 256, kCheck, 1, 256},
                            {118, 257, kCheck, 0, 0},
                            {118, 0xFFFF, kCheck, 0, 0},
                            {118, 5, kStore, 0, 0}});
}

TEST_F(PrivValidators, InsertTraysAreDefaultSources) {
  ExpectCases(ProckdmMPInputTray, {{123, 0, kCheck, 0, 7},
                                   {123, 1, kCheck, 1, 1},
                                   {123, 15, kCheck, 1, 15},
                                   {125, 16, kCheck, 0, 7},
                                   {125, 256, kCheck, 1, 256},
                                   {127, 280, kCheck, 0, 7},
                                   {127, 286, kCheck, 1, 286},
                                   {127, -1, kCheck, 0, 7}});
}

TEST_F(PrivValidators, ColourAdjustments) {
  ExpectCases(ProckdmBrightness, {{138, -51, kCheck, 0, 0},
                                  {138, -50, kCheck, 1, -50},
                                  {139, 50, kCheck, 1, 50},
                                  {143, 51, kCheck, 0, 0},
                                  {140, 20, kStore, 0, 0}});
}

TEST_F(PrivValidators, LanguagesFallBackToTheModel) {
  ucb()->pDP->bDefaultLanguage = 3;
  ucb()->pDP->bDefaultDspLanguage = 4;
  ExpectCases(ProckdmLanguageID, {{169, 18, kCheck, 1, 18}, {169, 19, kCheck, 0, 3}, {169, 0, kStore, 0, 3}});
  ExpectCases(ProckdmDspLanguageID, {{170, 0, kCheck, 1, 0}, {170, 19, kCheck, 0, 4}, {170, 18, kStore, 0, 4}});
}

TEST_F(PrivValidators, DisplayUnitAndPrintAreaFallBackToTheModel) {
  ucb()->pDP->bDefaultDspUnit = 0;
  ucb()->pDP->bDefaultExtPrintArea = 2;
  ExpectCases(ProckdmDspUnit, {{171, 1, kCheck, 1, 1}, {171, 2, kCheck, 0, 0}, {171, 1, kStore, 0, 0}});
  ExpectCases(ProckdmExtPrintArea, {{173, 5, kCheck, 1, 5}, {173, 6, kCheck, 0, 2}, {173, 0, kStore, 0, 2}});
}

TEST_F(PrivValidators, UserTextsAreNeverTouched) {
  ExpectCases(ProckdmLocaleID, {{172, 7, kCheck, 1, 7}, {172, 9, kStore, 1, 9}});
  const char user[] = "USER0001";
  SFCB* sfcb = GetSFCBbyFuncID(ucb(), 202);
  SetDevmodeValueDirect(ucb(), sfcb, reinterpret_cast<LONG_PTR>(user));
  for (WORD id : {202, 207, 231}) {
    ASSERT_EQ(Row(id).routine, ProckdmLocaleID);
    EXPECT_EQ(Validate(id, kStore), 1) << id;
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(GetDevmodeValueDirect(ucb(), sfcb)), user);
}

TEST_F(PrivValidators, Gamma) {
  ExpectCases(ProckdmGammaX,
              {{399, 0, kCheck, 0, 5}, {400, 1, kCheck, 1, 1}, {401, 9, kCheck, 1, 9}, {402, 10, kCheck, 0, 5}});
}

TEST_F(PrivValidators, SeparationSheetCycle) {
  ExpectCases(ProckdmSeparationSheetCycle,
              {{411, 0, kCheck, 0, 1}, {411, 1, kCheck, 1, 1}, {411, 99, kCheck, 1, 99}, {411, 100, kCheck, 0, 1}});
}

// The settings judged by their row of the accepted-value table, the seven
// whose rows were added among them.
TEST_F(PrivValidators, ListedSettingsAreJudgedByTheirRow) {
  ExpectCases(ProckdmListedValue, {{92, 1, kCheck, 1, 1},
                                   {92, 0x8003, kCheck, 1, 0x8003},
                                   {92, 17, kCheck, 0, 1},
                                   {93, 0, kCheck, 1, 0},
                                   {93, 2, kCheck, 0, 1},
                                   {130, 1, kCheck, 1, 1},
                                   {135, 1, kCheck, 1, 1},
                                   {136, 1, kCheck, 1, 1},
                                   {174, 1, kCheck, 1, 1},
                                   {199, 1, kCheck, 1, 1},
                                   {228, 1, kCheck, 1, 1},
                                   {120, 0, kCheck, 1, 0},
                                   {120, 4, kCheck, 0, 0},
                                   {137, 257, kCheck, 1, 257},
                                   {137, 15, kCheck, 0, 257},
                                   {179, 160, kCheck, 1, 160},
                                   {179, 40, kCheck, 0, 32},
                                   {201, 255, kCheck, 1, 255},
                                   {201, 32, kCheck, 0, 255},
                                   {178, 20, kCheck, 1, 20},
                                   {178, 21, kCheck, 0, 18},
                                   {87, 3, kStore, 0, 2}});
}

TEST_F(PrivValidators, SetDefaultRoutinesReplaceInEveryMode) {
  ucb()->pDP->awWords2[0] = 21;
  ExpectCases(ProcSetDefaultkdm, {{61, 0, kCheck, 0, 1},
                                  {55, 1, kCheck, 0, 0},
                                  {144, 0, kStore, 0, 1},
                                  {147, 0, kStore, 0, 1},
                                  {233, 16, kCheck, 0, 21}});
  ExpectCases(ProcSetDefault, {{527, 50, kCheck, 0, 100}, {513, 0, kStore, 0, 3}, {445, 9, kCheck, 0, 2}});
}

// The action bits share one word; their defaults leave every action off.
TEST_F(PrivValidators, ActionDefaultsSwitchNoActionOn) {
  for (WORD id = 211; id <= 217; ++id) {
    Set(id, 1);
    EXPECT_EQ(Validate(id, kStore), 0);
  }
  for (WORD id = 211; id <= 226; ++id) EXPECT_EQ(Get(id), 0) << id;
}

TEST(NupKind, PagesClassAndImpliedKindOfEachType) {
  struct Row {
    LONG type;
    int pages;
    LONG kind;
  } rows[] = {{1, 1, 1},   {2, 1, 1},   {3, 1, 2},      {33, 2, 1},     {38, 2, 1},     {65, 3, 1},
              {70, 3, 1},  {97, 4, 1},  {102, 4, 1},    {0x8001, 9, 1}, {0x8003, 9, 1}, {0, 0, 1},
              {17, 0, 1},  {35, 0, 1},  {0x8004, 0, 1}, {-1, 0, 1}};
  for (const Row& r : rows) {
    LONG kind = 77;
    EXPECT_EQ(GetNUPPOSTKindFromNUPType(r.type, &kind), r.pages) << r.type;
    EXPECT_EQ(kind, r.kind) << r.type;
  }
  EXPECT_EQ(GetNUPPOSTKindFromNUPType(3, nullptr), 1);
}

TEST_F(PrivValidators, WatermarkAndQualitySetOfTheCurrentSettings) {
  Set(118, 4);
  EXPECT_EQ(_IsValidatedmWM(ucb()), -1);
  Set(60, 1);
  EXPECT_EQ(_IsValidatedmWM(ucb()), 4);

  static const CDT kQualitySets[] = {{32, 135, 0}, {33, 136, 0}, {160, 143, 0}, {0, 0, 0}};
  ctx_.record(179).valueList = kQualitySets;
  Set(179, 33);
  EXPECT_EQ(_IsValidatedmPrintQuality2(ucb()), -1);
  Set(176, 1);
  EXPECT_EQ(_IsValidatedmPrintQuality2(ucb()), 1);
  Set(179, 160);
  EXPECT_EQ(_IsValidatedmPrintQuality2(ucb()), 8);
}

}  // namespace
