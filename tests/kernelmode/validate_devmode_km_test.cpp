// The rendering library's DEVMODE validation (no application request, no
// job or user codes, no free-size store): every file of the hostile corpus
// through the PDEV-enable and document-start flag words leaves the context
// sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "jobsettings/request/app_request.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/public_validators.h"
#include "jobsettings/validate/validate_devmode.h"
#include "tests/settings/context/hand_context.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

using KernelValidation = ValidationMachine;

TEST_F(KernelValidation, EveryCorpusFileLeavesTheContextSound) {
  ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd"));
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  const Bytes runTime(ucb->pDCB->devmode + kOffRunTimeFlags, ucb->pDCB->devmode + kSizeofKesmDM);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(KESM_TEST_DATA) + "/devmodes")) {
    if (entry.path().extension() != ".bin") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (DWORD flags : {0x10008u, 0x20008u}) {
      EXPECT_EQ(ValidateDevmode(ucb, reinterpret_cast<const DEVMODEW*>(bytes.data()), bytes.size(), flags), 1);
      ExpectSound(ucb, runTime);
    }
    ++files;
  }
  EXPECT_GT(files, 20);
}

// The rendering library has no job-code library, so no application request
// is carried out and no capability block is written.
TEST_F(KernelValidation, NoApplicationRequestIsCarriedOut) {
  ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd"));
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  EXPECT_FALSE(IsSupportJobCodeDLL());
  EXPECT_FALSE(IsSupportWEXA_API());
  Bytes b = Image(ucb);
  BYTE* request = b.data() + KDM_OFFSET(header.kdmTcomMember);
  request[1] = 1;  // pending, apply mode
  request[2] = 2;  // duplex on
  EXPECT_EQ(ValidateDevmode(ucb, Dm(b), b.size(), 0x10008), 1);
  EXPECT_EQ(Value(ucb, 58), 0);
  const Bytes caps(ucb->pDCB->devmode + KDM_OFFSET(header.kdmTcomCaps),
                   ucb->pDCB->devmode + KDM_OFFSET(header.kdmTcomCaps) + 32);
  EXPECT_TRUE(SetWEXA_API(ucb));
  EXPECT_EQ(Bytes(ucb->pDCB->devmode + KDM_OFFSET(header.kdmTcomCaps),
                  ucb->pDCB->devmode + KDM_OFFSET(header.kdmTcomCaps) + 32),
            caps);
}

// Without a free-size store no paper value is a registered free size here.
TEST(KernelFreeSizes, NoneIsRegistered) {
  kesm_test::HandContext ctx;
  for (const LONG paper : {384L, 393L, 256L, 448L}) {
    EXPECT_EQ(RegisteredFreeSizeSlotOf(ctx.ucb(), paper), -1) << paper;
    EXPECT_FALSE(IsValidatedmPaperSizeFree(paper, ctx.ucb())) << paper;
  }
}

}  // namespace
}  // namespace validation_test
