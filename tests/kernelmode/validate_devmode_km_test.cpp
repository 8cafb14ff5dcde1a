// The rendering library's DEVMODE validation (no application request, no
// job or user codes; free sizes from the settings INI): every file of the hostile corpus
// through the PDEV-enable and document-start flag words leaves the context
// sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/request/app_request.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/public_validators.h"
#include "jobsettings/validate/validate_devmode.h"
#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "settings/context/drv_last_error.h"
#include "storage/ini/section_names.h"
#include "storage/setfiles/set_file.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
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

// The ten stored free sizes are registered papers here as in the
// configuration library; the user and print sizes are not.
TEST(KernelFreeSizes, TheTenStoredSizesAreRegistered) {
  kesm_test::HandContext ctx;
  const struct {
    LONG paper;
    int slot;
  } rows[] = {{384, 0}, {386, 2}, {393, 9}, {256, -1}, {448, -1}, {394, -1}};
  for (const auto& row : rows) {
    EXPECT_EQ(RegisteredFreeSizeSlotOf(ctx.ucb(), row.paper), row.slot) << row.paper;
    EXPECT_EQ(IsValidatedmPaperSizeFree(row.paper, ctx.ucb()) != FALSE, row.slot >= 0) << row.paper;
  }
}

// A job on a stored free size is printed on that size: its entry in the
// settings INI gives the source free size, except under a terminal server
// at PDEV enable, where the free size the DEVMODE brought stays.
TEST_F(KernelValidation, ARegisteredFreeSizeTakesItsStoredGeometry) {
  ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd"));
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  const std::u16string section = std::u16string(u"FreeSize2") + GetLanguageStrFromKDM(ucb);
  const LPCWSTR ini = GetIniFilePath(ucb);
  ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), u"wdmFreeSizeName", u"Card", ini));
  ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), u"wdmFreeSizeWidth", u"6000", ini));
  ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), u"wdmFreeSizeLength", u"9000", ini));
  ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), u"wdmFreeSizeTray", u"2", ini));
  const struct {
    const char* what;
    DWORD tse;
    DWORD flags;
    LONG_PTR width;
  } rows[] = {
      {"document start", 0, 0x20008, 6000},
      {"PDEV enable", 0, 0x10008, 6000},
      {"PDEV enable under a terminal server", 1, 0x10008, 0},
      {"document start under a terminal server", 1, 0x20008, 6000},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    for (WORD id = 757; id <= 761; ++id) {
      ASSERT_TRUE(id == 757 ? SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, id), u"") != nullptr
                            : SetDevmodeValueDirectByFuncID(ucb, id, 0));
    }
    ASSERT_TRUE(SetKDMTSE(ucb, row.tse));
    Bytes b = Image(ucb);
    auto* dm = reinterpret_cast<DEVMODEW*>(b.data());
    dm->dmPaperSize = 386;
    dm->dmFields |= DM_PAPERSIZE;
    EXPECT_EQ(ValidateDevmode(ucb, Dm(b), b.size(), row.flags), 1);
    EXPECT_EQ(Value(ucb, 8), 386);
    EXPECT_EQ(Value(ucb, 758), row.width);
    EXPECT_EQ(Value(ucb, 759), row.width != 0 ? 9000 : 0);
    EXPECT_EQ(Value(ucb, 760), row.width != 0 ? 2 : 0);
  }
}

// The first numeric quality setting of the work part that a set file
// carries, or null.
const SFCB* QualityWorkSetting(UCB* ucb) {
  for (int row = 751; row < ucb->pSFL->count && row <= 952; ++row) {
    const SFCB* r = &ucb->pSFL->pSFCB[row];
    if ((r->flags & 0x30) != 0 && SettingBlockOf(r->descriptor) == kBlockWork && r->name != nullptr &&
        !SettingKindIsString(SettingKindOf(r->descriptor))) {
      return r;
    }
  }
  return nullptr;
}

// A job that uses a stored quality set takes the set's quality settings
// from its set file, named in the settings INI, when the file's version
// keys are this driver's.
TEST_F(KernelValidation, AStoredQualitySetIsReadFromItsSetFile) {
  ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd"));
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  const SFCB* quality = QualityWorkSetting(ucb);
  ASSERT_NE(quality, nullptr);
  std::filesystem::create_directories(plat::DriveRoot() / "Sets");
  const LPCWSTR file = u"C:\\Sets\\fine.rsq";
  auto text = [](long long v) {
    std::u16string t;
    for (char c : std::to_string(v)) t += static_cast<char16_t>(c);
    return t;
  };
  const LPCWSTR printer = GetPrinterName(ucb);
  ASSERT_TRUE(WritePrivateProfileStringW(printer, u"RstVersion", text(ucb->pDP->dwSetFileVersion).c_str(), file));
  ASSERT_TRUE(WritePrivateProfileStringW(printer, u"RstLanguage", text(Value(ucb, 169)).c_str(), file));
  ASSERT_TRUE(WritePrivateProfileStringW(printer, quality->name, u"1", file));
  ASSERT_TRUE(WritePrivateProfileStringW(GetPresetSectionName(ucb), u"QualityList0", file, GetIniFilePath(ucb)));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 176, 1));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 179, 32));
  const struct {
    const char* what;
    int machineDelta;
    LONG_PTR value;
    DWORD error;
  } rows[] = {{"another machine's set", 1, 0, kSetFileVersionMismatch}, {"this driver's set", 0, 1, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(WritePrivateProfileStringW(printer, u"RstMachine", text(ucb->pDP->bMachineID + row.machineDelta).c_str(),
                                           file));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, quality->funcId, 0));
    GetWorkQualityData(ucb);
    EXPECT_EQ(Value(ucb, quality->funcId), row.value) << quality->funcId;
    EXPECT_EQ(DrvGetLastError(ucb), row.error);
  }
}

}  // namespace
}  // namespace validation_test
