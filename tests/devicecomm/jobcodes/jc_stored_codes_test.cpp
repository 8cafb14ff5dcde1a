// The DEVMODE job codes in printer data under their setting names, and
// emptied in the DEVMODE.
#include "devicecomm/jobcodes/jc_stored_codes.h"

#include <gtest/gtest.h>

#include "devicecomm/jobcodes/jc_code_table.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

class StoredJobCodes : public PropertyTest {
 protected:
  void SetUp() override {
    PropertyTest::SetUp();
    ucb_ = OpenOn(office_);
    ASSERT_NE(ucb_, nullptr);
  }
  void TearDown() override {
    Release(ucb_);
    PropertyTest::TearDown();
  }
  UCB* ucb_ = nullptr;
};

struct Row {
  WORD funcId;
  const char16_t* name;
  const char16_t* text;  // the text kinds' value
};
const Row kTextKinds[] = {
    {203, u"kdmUserCode", u"4711"},  {204, u"kdmOwnerName", u"Ada"},      {207, u"kdmJOBPassword", u"1234"},
    {202, u"kdmUserID", u"ada7"},    {206, u"kdmDocumentName", u"Report"}, {231, u"kdmTelNo", u"0301234"},
    {208, u"kdmStoredPassword", u"9876"},
};
constexpr WORD kFuncTelLine = 232;

TEST_F(StoredJobCodes, TheCodesLiveInPrinterDataUnderTheirSettingNames) {
  for (const Row& row : kTextKinds) SetText(ucb_, row.funcId, row.text);
  Set(ucb_, kFuncTelLine, 5);
  EXPECT_EQ(SetJobCodeToReg(ucb_, kJCMaskAllDevmodeKinds | kJCMaskDriverWords), 0u);
  for (const Row& row : kTextKinds) {
    EXPECT_TRUE(ReadRaw(office_, row.name).present) << row.funcId;
    SetText(ucb_, row.funcId, u"");
  }
  EXPECT_EQ(ReadRaw(office_, u"kdmTelLine").bytes, Le(5, 1));
  Set(ucb_, kFuncTelLine, 0);

  EXPECT_EQ(GetJobCodeFromReg(ucb_, kJCMaskDevmodeCodes), 0u);
  for (const Row& row : kTextKinds) {
    const bool inMask = row.funcId != 231;  // kdmTelNo is kind 6, outside 0x9F
    EXPECT_EQ(Text(ucb_, row.funcId), inMask ? row.text : u"") << row.funcId;
  }
  EXPECT_EQ(Value(ucb_, kFuncTelLine), 0);
  EXPECT_EQ(GetJobCodeFromReg(ucb_, 0x40), 0u);
  EXPECT_EQ(Value(ucb_, kFuncTelLine), 5);
}

TEST_F(StoredJobCodes, AMissingValueLeavesTheSetting) {
  SetText(ucb_, 204, u"Ada");
  EXPECT_EQ(DrvJCGetCodeFromReg(ucb_, kJCKindOwnerName), 0u);
  EXPECT_EQ(Text(ucb_, 204), u"Ada");
}

TEST_F(StoredJobCodes, KindsOutsideTheDevmodeOnesTouchNothing) {
  for (DWORD kind : {0u, 9u, kJCKindProduct, kJCKindDriverVersion, kJCKindLanguage}) {
    EXPECT_EQ(DrvJCGetCodeFromReg(ucb_, kind), kJCUnknownKind) << kind;
    EXPECT_EQ(DrvJCSetCodeToReg(ucb_, kind), kJCUnknownKind) << kind;
    EXPECT_EQ(DrvJCClearDevmode(ucb_, kind), kJCUnknownKind) << kind;
  }
  EXPECT_FALSE(ReadRaw(office_, u"wdmDriverVersion").present);
}

TEST_F(StoredJobCodes, ClearingEmptiesTheTextsAndZeroesTheLine) {
  for (const Row& row : kTextKinds) SetText(ucb_, row.funcId, row.text);
  Set(ucb_, kFuncTelLine, 5);
  ClearDevmodeJobCodeDependOnMachine(ucb_, kJCMaskDevmodeCodes);
  for (const Row& row : kTextKinds) {
    EXPECT_EQ(Text(ucb_, row.funcId), row.funcId == 231 ? row.text : u"") << row.funcId;
  }
  EXPECT_EQ(Value(ucb_, kFuncTelLine), 5);
  EXPECT_EQ(ClearDevmodeJobCode(ucb_, kJCMaskAllDevmodeKinds), 0u);
  EXPECT_EQ(Text(ucb_, 231), u"");
  EXPECT_EQ(Value(ucb_, kFuncTelLine), 0);
}

}  // namespace
}  // namespace property_test
