// The start of a document validates the PDEV's DEVMODE copy again: the
// job-level texts that escapes delivered after the PDEV was enabled survive
// it (a text too long for its saved copy, or an empty one, does not), a
// DEVMODE copy changed since the enable is taken over, collation follows
// the public DEVMODE, the bidi flag follows the bidi fallback INI or else
// printer data, the device's answer kept in that INI is taken from where
// the configuration library keeps it on each Windows version while its
// flag is set, a damaged copy fails nothing and reads nothing past
// itself, and a reset onto a banding PDEV carries the job-level values.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "render/document/start_doc_revalidation.h"
#include "platform/system/sysfacts_control.h"
#include "render/escape/drv_escape.h"
#include "render/platform/directories.h"
#include "render/platform/engine_version.h"
#include "tests/platform/drive_files.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

constexpr WORD kUserId = 202;
constexpr WORD kUserCode = 203;
constexpr WORD kOwnerName = 204;
constexpr WORD kDocumentName = 206;
constexpr WORD kJobPassword = 207;
constexpr WORD kStoredPassword = 208;
constexpr WORD kTelNo = 231;
constexpr WORD kTelLine = 232;
constexpr WORD kSort = 61;
constexpr DWORD kDmCollate = 0x8000;

std::string Text(const UCB* ucb, WORD funcId) {
  const auto* text = reinterpret_cast<const char*>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
  return text != nullptr ? text : "<null>";
}
LONG_PTR Number(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

ULONG Escape(Dc* dc, ULONG code, const std::string& text, std::size_t bytes) {
  std::string payload(bytes, '\0');
  std::memcpy(payload.data(), text.data(), std::min(bytes, text.size()));
  return DrvEscape(dc->so, code, static_cast<ULONG>(bytes), payload.data(), 0, nullptr);
}

class StartDoc : public RenderTest {
 protected:
  // A DEVMODE whose job-level texts are the application's own.
  void SetUp() override {
    RenderTest::SetUp();
    static char userCode[] = "APP1";
    static char owner[] = "Application";
    devmode_.Set(kUserCode, reinterpret_cast<LONG_PTR>(userCode));
    devmode_.Set(kOwnerName, reinterpret_cast<LONG_PTR>(owner));
    devmode_.Set(kTelLine, 1);
  }
  BOOL Start(Dc* dc) {
    WCHAR name[] = u"Report";
    return DrvStartDoc(dc->so, name, jobId_);
  }
  UCB* Ucb(Dc* dc) { return dc->pdev()->ucb; }
  // The printer's section of the bidi fallback INI where the rendering
  // library looks for it, with these keys.
  void PutBidiIni(Dc* dc, const std::string& keys) {
    WCHAR path[MAX_PATH] = {};
    ASSERT_NE(KMAddSharedDirToFileName(path, MAX_PATH, u"kesmbid.ini", Ucb(dc)), 0u);
    std::string relative;
    for (const WCHAR* p = path + 3; *p != 0; ++p) relative += *p == u'\\' ? '/' : static_cast<char>(*p);
    const std::filesystem::path file = plat::DriveRoot() / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::trunc) << "[Kesm R5 Office]\r\n" << keys;
  }

  Devmode devmode_;
};

TEST_F(StartDoc, JobLevelValuesSentByEscapeSurviveTheRevalidation) {
  struct Case {
    const char* what;
    ULONG escape;
    WORD funcId;
    std::string sent;
    std::size_t bytes;
  };
  const Case cases[] = {
      {"user code of the whole field", 111, kUserCode, "12345678", 9},
      {"owner name of 16", 112, kOwnerName, "Ann Q. Example 1", 17},
      {"job password", 113, kJobPassword, "1234", 9},
      {"user id", 114, kUserId, "ann", 9},
      {"document name", 115, kDocumentName, "Quarterly report", 17},
      {"telephone number of 64", 116, kTelNo, std::string(64, '7'), 65},
      {"stored password", 118, kStoredPassword, "9999", 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Enable(devmode_);
    ASSERT_NE(dc, nullptr);
    ASSERT_EQ(Escape(dc, c.escape, c.sent, c.bytes), 1u);
    ASSERT_TRUE(Start(dc));
    EXPECT_EQ(Text(Ucb(dc), c.funcId), c.sent);
    Disable(dc);
  }
}

TEST_F(StartDoc, TheTelephoneLineIsAlwaysKeptAndTheDevmodeTextsComeBackWhereNothingWasSent) {
  Dc* dc = Enable(devmode_);
  ASSERT_NE(dc, nullptr);
  ASSERT_EQ(Escape(dc, 117, "5", 2), 1u);
  // Nothing sent for the owner name, and the user code emptied: the
  // revalidation's values (the DEVMODE's) stand.
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(Ucb(dc), kUserCode, reinterpret_cast<LONG_PTR>("")));
  ASSERT_TRUE(Start(dc));
  EXPECT_EQ(Number(Ucb(dc), kTelLine), 5);
  EXPECT_EQ(Text(Ucb(dc), kUserCode), "APP1");
  EXPECT_EQ(Text(Ucb(dc), kOwnerName), "Application");
}

TEST_F(StartDoc, SavedCopiesTakeOnlyTextsWithinTheirLimit) {
  Dc* dc = Enable(devmode_);
  ASSERT_NE(dc, nullptr);
  UCB* ucb = Ucb(dc);
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kOwnerName, reinterpret_cast<LONG_PTR>("0123456789abcdef")));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kTelLine, 0x1FF));
  const KeptJobValues kept = SaveJobValues(ucb);
  EXPECT_STREQ(kept.copies[2].data(), "0123456789abcdef");
  EXPECT_EQ(static_cast<BYTE>(kept.copies[7][0]), Number(ucb, kTelLine) & 0xFF);
  for (std::size_t i = 0; i < kKeptJobValues.size(); ++i) {
    // Nothing beyond a copy's own size is ever filled.
    for (std::size_t at = kKeptJobValues[i].bytes; at < kept.copies[i].size(); ++at) {
      ASSERT_EQ(kept.copies[i][at], 0) << kKeptJobValues[i].funcId;
    }
  }
}

TEST_F(StartDoc, ADevmodeCopyChangedSinceTheEnableIsValidatedAgain) {
  Dc* dc = Enable(devmode_);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(Text(Ucb(dc), kUserCode), "APP1");
  DEVMODEW* copy = dc->pdev()->devmode;
  ASSERT_NE(copy, nullptr);
  copy->dmCopies = 3;
  copy->dmFields |= 0x100;  // DM_COPIES
  ASSERT_TRUE(Start(dc));
  EXPECT_EQ(reinterpret_cast<DEVMODEW*>(Ucb(dc)->pDCB->devmode)->dmCopies, 3);
  // The application's own texts were not sent by escape: its DEVMODE's
  // values stand after the revalidation.
  EXPECT_EQ(Text(Ucb(dc), kUserCode), "APP1");
}

TEST_F(StartDoc, CollationFollowsThePublicDevmode) {
  struct Case {
    const char* what;
    bool collateField;
    short collate;
    LONG_PTR before;
    LONG_PTR after;
  };
  const Case cases[] = {
      {"no DM_COLLATE clears sorting", false, 1, 1, 0},
      {"collate 1 sets it", true, 1, 0, 1},
      {"collate 0 leaves it", true, 0, 1, 1},
      {"collate 0 leaves it off", true, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Enable(devmode_);
    ASSERT_NE(dc, nullptr);
    UCB* ucb = Ucb(dc);
    auto* dm = reinterpret_cast<DEVMODEW*>(ucb->pDCB->devmode);
    dm->dmFields = c.collateField ? (dm->dmFields | kDmCollate) : (dm->dmFields & ~kDmCollate);
    dm->dmCollate = c.collate;
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kSort, c.before));
    SetCollateToDevmode(ucb);
    EXPECT_EQ(Number(ucb, kSort), c.after);
    Disable(dc);
  }
}

TEST_F(StartDoc, BothPaperRevisionsChangeNothingWithoutAFittedOutputSize) {
  Dc* dc = Enable(devmode_);
  ASSERT_NE(dc, nullptr);
  UCB* ucb = Ucb(dc);
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 348, 0x28));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 46, 1024));
  const LONG_PTR scale = Number(ucb, 55);
  SetCollateToDevmode(ucb);
  // This model lists no paper-fitting sizes, and nothing asks for fitting:
  // neither revision applies.
  EXPECT_EQ(Number(ucb, 46), 1024);
  EXPECT_EQ(Number(ucb, 55), scale);
}

TEST_F(StartDoc, TheBidiFlagFollowsTheFallbackIniElsePrinterData) {
  struct Case {
    const char* what;
    std::optional<int> ini;  // "BidiFlag" in the printer's section; none: no such key
    DWORD printerData;       // printer data "BidiFlag"
    DWORD on;
  };
  const Case cases[] = {
      {"the INI says on", 1, 0, 1},
      {"the INI says off, whatever printer data says", 0, 1, 0},
      {"no INI key: a bidi query done before", std::nullopt, 1, 1},
      {"no INI key and no query done", std::nullopt, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Enable(devmode_);
    ASSERT_NE(dc, nullptr);
    PutBidiIni(dc, c.ini ? "BidiFlag=" + std::to_string(*c.ini) + "\r\n" : "");
    ASSERT_EQ(SetPrinterDataW(printer_, u"BidiFlag", REG_BINARY, reinterpret_cast<const BYTE*>(&c.printerData),
                              sizeof c.printerData),
              ERROR_SUCCESS);
    ASSERT_TRUE(Start(dc));
    EXPECT_EQ(GetKDMBiDirect(Ucb(dc)), c.on);
    Disable(dc);
  }
}

// A device's answer that printer data could not take waits in the
// fallback INI where the configuration library keeps it: in the system
// directory on NT 4.0, in the folder "_kesm" at the system drive's root on
// Windows 2000 and later. The start of a document takes it from there while
// the printer's "BidiFlag" says it is valid, and writes nothing.
TEST_F(StartDoc, TheDevicesAnswerInTheFallbackIniIsTakenWhileItsFlagIsSet) {
  constexpr WORD kMemory = 10012;  // kdmPrinterMemory
  constexpr WORD kLanguage = 169;
  Dc* dc = Enable(devmode_);
  ASSERT_NE(dc, nullptr);
  ASSERT_TRUE(Start(dc));
  const LONG_PTR stored = Number(Ucb(dc), kMemory);
  ASSERT_NE(stored, 4096);
  const UCB* ucb = Ucb(dc);
  const std::string answer = "RstVersion=" + std::to_string(ucb->pDP->dwSetFileVersion) +
                             "\r\nRstMachine=" + std::to_string(ucb->pDP->bMachineID) +
                             "\r\nRstLanguage=" + std::to_string(Number(ucb, kLanguage)) +
                             "\r\nkdmPrinterMemory=4096\r\n";
  Disable(dc);
  struct Kind {
    const char* what;
    DWORD major;
    ULONG engine;
    const char* kept;   // where the configuration library keeps the file
    const char* other;  // the other kind's place, which must stay empty
  };
  const Kind kinds[] = {
      {"NT 4.0", 4, DDI_DRIVER_VERSION_NT4, "Windows/System32/kesmbid.ini", "_kesm/kesmbid.ini"},
      {"Windows 2000", 5, DDI_DRIVER_VERSION_NT5, "_kesm/kesmbid.ini", "Windows/System32/kesmbid.ini"},
      {"a later Windows", 6, DDI_DRIVER_VERSION_NT5_01, "_kesm/kesmbid.ini", "Windows/System32/kesmbid.ini"},
  };
  struct NeverEnabledAfterwards {
    ~NeverEnabledAfterwards() { KMSetEngineVersion(0); }
  } reset;
  for (const Kind& kind : kinds) {
    plat::OsVersion version;
    version.major = kind.major;
    version.minor = 0;
    ASSERT_TRUE(plat::SetOsVersion(version));
    KMSetEngineVersion(kind.engine);  // as DrvEnableDriver keeps it
    for (int flag : {0, 1}) {
      SCOPED_TRACE(std::string(kind.what) + ", BidiFlag " + std::to_string(flag));
      const std::string ini = "[Kesm R5 Office]\r\nBidiFlag=" + std::to_string(flag) + "\r\n" + answer;
      std::filesystem::remove(drive::Host(kind.other));
      drive::Put(kind.kept, ini);
      dc = Enable(devmode_);
      ASSERT_NE(dc, nullptr);
      ASSERT_TRUE(Start(dc));
      EXPECT_EQ(Number(Ucb(dc), kMemory), flag != 0 ? 4096 : stored);
      Disable(dc);
      EXPECT_EQ(drive::Get(kind.kept), ini) << "nothing written";
      EXPECT_FALSE(drive::Exists(kind.other));
    }
  }
}

TEST_F(StartDoc, ADamagedDevmodeCopyFailsNothingAndIsNotReadPastItsEnd) {
  struct Case {
    const char* what;
    WORD size;
    WORD extra;
  };
  const Case cases[] = {
      {"a size of 0", 0, 0},
      {"sizes far beyond the copy", 0xFFFF, 0xFFFF},
      {"a private part claimed beyond the copy", kSizeofDM, 0xFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Enable(devmode_);
    ASSERT_NE(dc, nullptr);
    ASSERT_EQ(Escape(dc, 111, "4711", 9), 1u);
    DEVMODEW* copy = dc->pdev()->devmode;
    copy->dmSize = c.size;
    copy->dmDriverExtra = c.extra;
    EXPECT_TRUE(Start(dc));
    EXPECT_EQ(Text(Ucb(dc), kUserCode), "4711");
    Disable(dc);
  }
}

TEST_F(StartDoc, AResetOntoABandingPdevCarriesTheJobLevelValues) {
  StartJob();
  Dc* dc = Enable(devmode_);
  ASSERT_NE(dc, nullptr);
  ASSERT_EQ(Escape(dc, 111, "4711", 9), 1u);
  ASSERT_EQ(Escape(dc, 117, "6", 2), 1u);
  ASSERT_TRUE(Start(dc));
  Devmode banding;
  banding.Banding();
  Dc* fresh = Enable(banding);
  ASSERT_NE(fresh, nullptr);
  ASSERT_TRUE(DrvResetPDEV(dc->device.dhpdev, fresh->device.dhpdev));
  EXPECT_EQ(Text(Ucb(fresh), kUserCode), "4711");
  EXPECT_EQ(Number(Ucb(fresh), kTelLine), 6);
  DrvEndDoc(fresh->so, 0);
}

}  // namespace
}  // namespace render_test
