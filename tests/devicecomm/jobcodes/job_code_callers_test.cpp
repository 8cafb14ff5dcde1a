// The job codes around a document sheet's apply: the codes the user typed
// go to the library, the user code comes back from it, and the library is
// unbound again.
#include <gtest/gtest.h>

#include "storage/properties/devmode_handout.h"
#include "storage/setfiles/set_file.h"
#include "tests/storage/storage_support.h"
#include "tests/devicecomm/jobcodes/job_code_fixture.h"
#include "tests/storage/properties/devmode_samples.h"

namespace jobcode_test {
namespace {

using JobCodeCallers = JobCodeTest;

TEST_F(JobCodeCallers, ADocumentSheetsApplyGivesTheCodesAndTakesTheUserCode) {
  property_test::MakeCurrent(ucb_, property_test::OurDevmode(2));
  ClearDevmodeJobCode(ucb_, kJCMaskAllDevmodeKinds);
  SetText(ucb_, 204, u"Ada");
  SetText(ucb_, 203, u"1");
  Office().values[kJCKindUserCode] = jobcodelib::Text(u"4711");
  ucb_->pWork->sheet.wSheetKind = kSheetDocument;

  SetDefaultDevmodeToOut2000Apply(ucb_);
  EXPECT_EQ(KindsOf("set"), (std::vector<DWORD>{2, 3, 4, 5, 8}));
  EXPECT_EQ(Stored(kJCKindOwnerName), u"Ada");
  EXPECT_EQ(KindsOf("query"), (std::vector<DWORD>{1}));
  EXPECT_EQ(Text(ucb_, 203), u"4711");
  EXPECT_EQ(DrvJCRecord(ucb_)->hModule, nullptr);
  EXPECT_EQ(lib().interfacesOut, 0);
}

// A settings file read in whole takes the user code the library keeps and
// hands the library the codes the file brought, leaving it unbound.
TEST_F(JobCodeCallers, APlainSetFileReadTakesTheUserCodeAndGivesTheCodes) {
  storage_test::Put("Sets/.keep", "");
  constexpr const WCHAR* kPath = u"C:\\Sets\\codes.rst";
  property_test::MakeCurrent(ucb_, property_test::OurDevmode(2));
  ClearDevmodeJobCode(ucb_, kJCMaskAllDevmodeKinds);
  SetText(ucb_, 204, u"Ada");
  ASSERT_TRUE(WriteSetFile(office_, kPath, 0, ucb_));
  SetText(ucb_, 204, u"");
  Office().values[kJCKindUserCode] = jobcodelib::Text(u"4711");
  lib().calls.clear();

  ASSERT_TRUE(ReadSetFile(office_, kPath, 0, ucb_));
  EXPECT_EQ(KindsOf("query"), (std::vector<DWORD>{1}));
  EXPECT_EQ(Text(ucb_, 203), u"4711");
  EXPECT_EQ(KindsOf("set"), (std::vector<DWORD>{2, 3, 4, 5, 8}));
  EXPECT_EQ(Stored(kJCKindOwnerName), u"Ada");
  EXPECT_EQ(DrvJCRecord(ucb_)->hModule, nullptr);
  EXPECT_EQ(lib().interfacesOut, 0);
}

}  // namespace
}  // namespace jobcode_test
