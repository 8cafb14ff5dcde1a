// Public-field validators: the driver's own checks at their boundaries, the
// fall-back from the description's verdict to those checks, and the
// paper-size tests. The description, where one is used, is a small compiled
// one holding groups for orientation, paper size and colour.
#include <vector>

#include <gtest/gtest.h>

#include "jobsettings/validate/field_judgement.h"
#include "jobsettings/validate/public_validators.h"
#include "platform/base/machine.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/bkpd/bkpd_work.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"

namespace {

using kesm_test::HandContext;

struct PlainCase {
  const char* check;
  BOOL (*fn)(LONG);
  LONG value;
  BOOL valid;
};

TEST(PlainChecks, HoldTheirBoundaries) {
  const PlainCase cases[] = {
      {"default source", _IsValidatedmDefaultSource, 0, 0},
      {"default source", _IsValidatedmDefaultSource, 1, 1},
      {"default source", _IsValidatedmDefaultSource, 15, 1},
      {"default source", _IsValidatedmDefaultSource, 16, 0},
      {"default source", _IsValidatedmDefaultSource, 256, 1},
      {"default source", _IsValidatedmDefaultSource, 272, 1},
      {"default source", _IsValidatedmDefaultSource, 273, 0},
      {"default source", _IsValidatedmDefaultSource, 281, 1},
      {"default source", _IsValidatedmDefaultSource, 287, 0},
      {"orientation", _IsValidatedmOrientation, 0, 0},
      {"orientation", _IsValidatedmOrientation, 2, 1},
      {"orientation", _IsValidatedmOrientation, 3, 0},
      {"print quality", _IsValidatedmPrintQuality, 149, 0},
      {"print quality", _IsValidatedmPrintQuality, 150, 1},
      {"print quality", _IsValidatedmPrintQuality, 700, 0},
      {"print quality", _IsValidatedmPrintQuality, 2400, 1},
      {"print quality", _IsValidatedmPrintQuality, -4, 0},
      {"duplex", _IsValidatedmDuplex, 0, 0},
      {"duplex", _IsValidatedmDuplex, 3, 1},
      {"duplex", _IsValidatedmDuplex, 4, 0},
      {"colour", _IsValidatedmColor, 0, 0},
      {"colour", _IsValidatedmColor, 1, 1},
      {"colour", _IsValidatedmColor, 3, 0},
      {"TrueType option", _IsValidatedmTTOption, 0, 0},
      {"TrueType option", _IsValidatedmTTOption, 4, 1},
      {"TrueType option", _IsValidatedmTTOption, 5, 0},
      {"ICM method", _IsValidatedmICMMethod, 0, 0},
      {"ICM method", _IsValidatedmICMMethod, 4, 1},
      {"ICM method", _IsValidatedmICMMethod, 5, 0},
      {"ICM intent", _IsValidatedmICMIntent, 2, 1},
      {"ICM intent", _IsValidatedmICMIntent, 3, 0},
      {"media type", _IsValidatedmMediaType, 0, 0},
      {"media type", _IsValidatedmMediaType, 3, 1},
      {"media type", _IsValidatedmMediaType, 4, 0},
      {"media type", _IsValidatedmMediaType, 256, 1},
      {"media type", _IsValidatedmMediaType, 288, 1},
      {"media type", _IsValidatedmMediaType, 289, 0},
      {"media type", _IsValidatedmMediaType, 520, 1},
      {"media type", _IsValidatedmMediaType, 521, 0},
      {"dither type", _IsValidatedmDitherType, 0, 0},
      {"dither type", _IsValidatedmDitherType, 5, 1},
      {"dither type", _IsValidatedmDitherType, 6, 0},
      {"paper size", __IsValidatedmPaperSize, 0, 0},
      {"paper size", __IsValidatedmPaperSize, 118, 1},
      {"paper size", __IsValidatedmPaperSize, 119, 0},
      {"paper size", __IsValidatedmPaperSize, 256, 1},
      {"paper size", __IsValidatedmPaperSize, 266, 0},
      {"paper size", __IsValidatedmPaperSize, 516, 0},
      {"paper size", __IsValidatedmPaperSize, 524, 1},
      {"paper size", __IsValidatedmPaperSize, 1024, 0},
      {"special output size", ___IsValidatedmPaperSize, 1024, 1},
      {"special output size", ___IsValidatedmPaperSize, 1025, 0},
      {"special output size", ___IsValidatedmPaperSize, 9, 0},
      {"custom size code", _IsValidatedmPaperSizeFree, 255, 0},
      {"custom size code", _IsValidatedmPaperSizeFree, 256, 1},
      {"custom size code", _IsValidatedmPaperSizeFree, 383, 0},
      {"custom size code", _IsValidatedmPaperSizeFree, 384, 1},
      {"custom size code", _IsValidatedmPaperSizeFree, 393, 1},
      {"custom size code", _IsValidatedmPaperSizeFree, 394, 0},
      {"custom size code", _IsValidatedmPaperSizeFree, 448, 1},
      {"custom size code", _IsValidatedmPaperSizeFree, 449, 0},
  };
  for (const PlainCase& c : cases) EXPECT_EQ(c.fn(c.value), c.valid) << c.check << " " << c.value;
}

TEST(PlainChecks, QualityConstantsAreTheSystemsFour) {
  for (LONG q : {-5, 0, 1}) EXPECT_FALSE(IsValidatedmPrintQualityDefined(q, nullptr)) << q;
  for (LONG q : {-4, -3, -2, -1}) EXPECT_TRUE(IsValidatedmPrintQualityDefined(q, nullptr)) << q;
  EXPECT_TRUE(IsValidatedmFormNameEx(0, nullptr));
}

struct ExCase {
  const char* validator;
  BOOL (*fn)(LONG, UCB*);
  LONG value;
  BOOL valid;
};

// Without a description no field has a group: every validator but the
// paper size's falls back to the driver's check; the paper size has no
// check of its own and refuses every value.
TEST(ExValidators, WithoutADescriptionFallBackToTheDriversCheck) {
  HandContext ctx;
  const ExCase cases[] = {
      {"default source", IsValidatedmDefaultSourceEx, 16, 0},
      {"default source", IsValidatedmDefaultSourceEx, 286, 1},
      {"orientation", IsValidatedmOrientation, 2, 1},
      {"orientation", IsValidatedmOrientation, 5, 0},
      {"paper size", IsValidatedmPaperSizeEx, 9, 0},
      {"paper size", IsValidatedmPaperSizeEx, 256, 0},
      {"print quality", IsValidatedmPrintQualityEx, 600, 1},
      {"print quality", IsValidatedmPrintQualityEx, 601, 0},
      {"duplex", IsValidatedmDuplexEx, 3, 1},
      {"duplex", IsValidatedmDuplexEx, 4, 0},
      {"colour", IsValidatedmColorEx, 2, 1},
      {"colour", IsValidatedmColorEx, 3, 0},
      {"TrueType option", IsValidatedmTTOptionEx, 4, 1},
      {"TrueType option", IsValidatedmTTOptionEx, 5, 0},
      {"ICM method", IsValidatedmICMMethodEx, 4, 1},
      {"ICM intent", IsValidatedmICMIntentEx, 3, 0},
      {"media type", IsValidatedmMediaTypeEx, 520, 1},
      {"media type", IsValidatedmMediaTypeEx, 4, 0},
      {"dither type", IsValidatedmDitherTypeEx, 5, 1},
      {"dither type", IsValidatedmDitherTypeEx, 6, 0},
  };
  for (const ExCase& c : cases) EXPECT_EQ(c.fn(c.value, ctx.ucb()), c.valid) << c.validator << " " << c.value;
}

template <class T>
T* New() {
  return static_cast<T*>(GetMemPtr(sizeof(T)));
}

// A pick-one group with one option, keyed as the description keys it: by
// the string id of a setting's listed value.
void AddPickOne(WorkBKPD* w, WORD groupId, WORD funcId, WORD option) {
  auto* g = New<WorkUiGroup>();
  g->groupId = groupId;
  g->funcId = funcId;
  g->type = kUiPickOne;
  g->options = New<WorkOption>();
  g->options->value = option;
  g->next = w->header->groups;
  w->header->groups = g;
}

// Groups for orientation (7, portrait), paper size (8, A4) and colour (15,
// monochrome).
std::vector<BYTE> Description() {
  WorkBKPD* w = WorkBKPD_Entry();
  AddPickOne(w, 435, 7, 2026);
  AddPickOne(w, 419, 8, 14009);
  AddPickOne(w, 437, 15, 17600);
  DWORD size = 0;
  std::vector<BYTE> bytes;
  if (BKPDGetWriteSize(w, &size)) {
    bytes.resize(size);
    if (!PackPpdData(bytes.data(), size, w)) bytes.clear();
  }
  WorkBKPD_Free(w);
  return bytes;
}

class WithDescription : public ::testing::Test {
 protected:
  void SetUp() override {
    description_ = Description();
    PCBKPD b = UnpackPpdData(description_.data(), description_.size());
    ASSERT_NE(b, nullptr);
    ctx_.ucb()->pBKPD = reinterpret_cast<BKPD*>(const_cast<BKPDHEADER*>(b));
  }
  UCB* ucb() { return ctx_.ucb(); }

  plat::ScopedMachine machine_;
  std::vector<BYTE> description_;
  HandContext ctx_;
};

TEST_F(WithDescription, TheVerdictTellsLabelGroupAndCoverage) {
  EXPECT_EQ(IsValidateEachDMEx(8, 9, ucb()), 1) << "a field the description covers";
  EXPECT_EQ(IsValidateEachDMEx(8, 1, ucb()), 0) << "a paper the group does not offer";
  EXPECT_EQ(IsValidateEachDMEx(16, 2, ucb()), 3) << "a field without a group";
  ctx_.record(15).groupId = 0;
  EXPECT_EQ(IsValidateEachDMEx(15, 2, ucb()), 2) << "a field without a label";
  EXPECT_EQ(IsValidateEachDMEx(2000, 0, ucb()), 2) << "no setting";
}

TEST_F(WithDescription, PaperSizeIsValidOnlyWhereTheDescriptionCoversIt) {
  EXPECT_TRUE(IsValidatedmPaperSizeEx(9, ucb()));
  EXPECT_FALSE(IsValidatedmPaperSizeEx(1, ucb())) << "letter is not a paper of the group";
  ctx_.record(8).groupId = 0;
  EXPECT_FALSE(IsValidatedmPaperSizeEx(9, ucb())) << "a verdict of 2 has no fall-back for the paper size";
}

TEST_F(WithDescription, AFieldWithoutLabelFallsBackToTheDriversCheck) {
  ctx_.record(15).groupId = 0;
  EXPECT_TRUE(IsValidatedmColorEx(2, ucb()));
  EXPECT_FALSE(IsValidatedmColorEx(3, ucb()));
}

// The correcting form judges a pick-one field with a value list by that
// list, which may hold values the driver's own check refuses.
TEST_F(WithDescription, OrientationIsJudgedByItsValueList) {
  static const CDT kOrientations[] = {{1, 2026, 0}, {2, 2027, 0}, {5, 2028, 0}, {0, 0, 0}};
  ctx_.record(7).valueList = kOrientations;
  EXPECT_TRUE(IsValidatedmOrientation(5, ucb()));
  EXPECT_TRUE(IsValidatedmOrientation(2, ucb()));
  EXPECT_FALSE(IsValidatedmOrientation(3, ucb()));
  ctx_.record(7).groupId = 0;
  EXPECT_FALSE(IsValidatedmOrientation(5, ucb())) << "without a verdict, the driver's check";
}

// The registered free sizes are the free-size store's ten stored sizes,
// 384-393 in slots 0-9; the user size (256) and the print size (448) carry
// their geometry in the DEVMODE and are not among them.
TEST(RegisteredFreeSizes, AreTheTenStoredSizes) {
  struct Case {
    LONG paper;
    int slot;
  };
  for (const Case& k : {Case{384, 0}, Case{388, 4}, Case{393, 9}, Case{383, -1}, Case{394, -1}, Case{256, -1},
                        Case{448, -1}, Case{0, -1}, Case{9, -1}}) {
    SCOPED_TRACE(k.paper);
    HandContext ctx;
    EXPECT_EQ(RegisteredFreeSizeSlotOf(ctx.ucb(), k.paper), k.slot);
    EXPECT_EQ(IsValidatedmPaperSizeFree(k.paper, ctx.ucb()), k.slot >= 0 ? TRUE : FALSE);
    SetDevmodeValueDirectByFuncID(ctx.ucb(), 8, k.paper);
    SetDevmodeValueDirectByFuncID(ctx.ucb(), 46, k.paper);
    EXPECT_EQ(_IsValidatedmPaperSizeFree2(ctx.ucb()), k.slot);
    EXPECT_EQ(_IsValidatekdmOutPaperSizeFree(ctx.ucb()), k.slot);
  }
}

}  // namespace
