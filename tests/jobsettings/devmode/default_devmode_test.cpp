// The default DEVMODE a new context builds for every sample description,
// against a golden listing (tests/data/devmodes/defaults): every setting of
// the DEVMODE that is not zero, by function id and name, then the stored
// DEVMODE cases of the printer's default. Set KESM_UPDATE_GOLDEN=1 to
// rewrite the listings after a deliberate change.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_lookup.h"
#include "storage/system/printer_info.h"
#include "tests/common/sample_descriptions.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

std::string Narrow(LPCWSTR s) {
  if (s == nullptr) return "-";
  std::string out;
  for (; s != nullptr && *s != 0; ++s) out += *s < 0x80 ? static_cast<char>(*s) : '?';
  return out;
}

// One line per setting of block 1 that is not zero: id, name and value
// (text settings quoted), then the private part's reserved bytes when any
// is not zero.
std::string Listing(UCB* ucb) {
  std::ostringstream out;
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    const SFCB& r = ucb->pSFL->pSFCB[i];
    if (SettingBlockOf(r.descriptor) != kBlockDevmode) continue;
    const LONG_PTR v = GetDevmodeValueDirect(ucb, &r);
    const DWORD kind = SettingKindOf(r.descriptor);
    std::string text;
    if (SettingKindIsString(kind)) {
      WCHAR wide[1100] = {};
      GetDevmodeStringBySFCB(ucb, &r, wide);
      if (wide[0] == 0) continue;
      text = "\"" + Narrow(wide) + "\"";
    } else if (kind == kKindU8 && SettingSizeOf(r.descriptor) > 1) {
      continue;  // byte blocks (the application blocks) are checked as bytes below
    } else {
      if (v == 0) continue;
      text = std::to_string(v);
    }
    out << r.funcId << ' ' << Narrow(r.name) << ' ' << text << '\n';
  }
  const BYTE* dm = ucb->pDCB->devmode;
  for (std::size_t at = KDM_OFFSET(reserved1061); at < kOffRunTimeFlags; ++at) {
    if (dm[at] != 0) out << "reserved byte " << at << " " << int{dm[at]} << '\n';
  }
  for (std::size_t at = KDM_OFFSET(header.kdmTcomMember); at < kOffDwPrivData; ++at) {
    if (dm[at] != 0) out << "application block byte " << at << " " << int{dm[at]} << '\n';
  }
  return out.str();
}

class DefaultDevmode : public ValidationMachine, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override { ForgetClientDriverAnswer(); }
};

TEST_P(DefaultDevmode, MatchesItsGoldenListing) {
  ASSERT_NO_FATAL_FAILURE(InstallFile(GetParam()));
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  const std::string listing = Listing(ucb);
  const std::string golden = std::string(KESM_TEST_DATA) + "/devmodes/defaults/" + kesm_test::SampleName(GetParam()) + ".txt";
  EXPECT_EQ(listing, kesm_test::GoldenText(golden, listing)) << "the listing now reads:\n" << listing;
  // What holds for every description.
  const DEVMODEW* dm = Dm(ucb);
  EXPECT_EQ(dm->dmSize, 220);
  EXPECT_EQ(dm->dmDriverExtra, 1016);
  EXPECT_EQ(dm->dmSpecVersion, 0x401);
  EXPECT_EQ(dm->dmDriverVersion, 0x400);
  EXPECT_EQ(dm->dmYResolution, dm->dmPrintQuality);
  EXPECT_EQ(dm->dmFields & DM_SCALE, 0u);
  EXPECT_EQ(GetKDMdwSizeByDM(dm), 1016u);
  EXPECT_EQ(GetKDMdwVersionByDM(dm), 310u);
  EXPECT_EQ(LoadLE<WORD>(dm, kOffBlockOffsets + 4), kDcbBlock3Offset);
}

// A description added to the test data without joining the list would have
// no golden files, and nothing would say so.
TEST(SampleDescriptions, TheListHoldsEveryDescriptionOfTheTestData) {
  std::set<std::string> listed;
  for (const char* path : kesm_test::kSampleDescriptions) listed.insert(kesm_test::SampleName(path));
  for (const auto& entry : std::filesystem::directory_iterator(std::string(KESM_TEST_DATA) + "/kpd")) {
    if (entry.path().extension() != ".kpd") continue;
    EXPECT_EQ(listed.count(entry.path().stem().string()), 1u) << entry.path() << " is not in kSampleDescriptions";
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, DefaultDevmode, ::testing::ValuesIn(kesm_test::kSampleDescriptions),
                         [](const auto& info) { return kesm_test::SampleTestName(info.param); });

}  // namespace
}  // namespace validation_test
