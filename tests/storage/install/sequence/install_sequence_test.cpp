// The install sequence: the install of a new printer, the data and spool
// directory keys (the registry key of the spool directory named), a
// rename, and on a terminal server a second user's first use and the
// status rules of the user's copy: times as UTC file times (a change of
// daylight-saving time included), versions major first, a user's
// changed set file kept when the copy is made again, and on Windows NT 4.0
// each level of the users' folder secured.
#include <stdlib.h>
#include <time.h>

#include <string>

#include "platform/registry/winreg.h"
#include "platform/modules/userenv.h"
#include "platform/security/security_control.h"
#include "platform/system/sysfacts_control.h"
#include "settings/context/context_names.h"
#include "storage/install/sequence/data_directories.h"
#include "storage/install/sequence/install_files.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/install/sequence/install_status.h"
#include "storage/system/system_info.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr const char16_t* kDriverIniPath = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\kesmdrv.ini";
constexpr const char16_t* kDrvInstPath = u"C:\\Windows\\System32\\KESM.ini";

std::u16string MachineValue(const char16_t* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriverRegKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return u"<no key>";
  WCHAR text[MAX_PATH + 1] = {};
  DWORD bytes = sizeof text - sizeof(WCHAR);
  DWORD type = 0;
  const LONG read = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
  RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_SZ ? std::u16string(text) : u"<none>";
}

std::u16string PrinterText(HANDLE printer, const char16_t* name) {
  const property_test::Raw raw = property_test::ReadRaw(printer, name);
  if (!raw.present) return u"<none>";
  std::u16string text(reinterpret_cast<const char16_t*>(raw.bytes.data()), raw.bytes.size() / 2);
  while (!text.empty() && text.back() == 0) text.pop_back();
  return text;
}

TEST(InstallStatusRules, TimesCompareAsFileTimes) {
  struct Row {
    const char16_t* a;
    const char16_t* b;
    int expected;
  };
  const Row rows[] = {
      {u"20241027003000", u"20241027003000", 0},
      {u"20241027013000", u"20241027005959", 1},
      {u"20231231235959", u"20240101000000", -1},
      {u"", u"20240101000000", -1},          // a missing time is the earliest
      {u"2024130100000", u"20240101000000", -1},  // not a time
      {u"20241301000000", u"", 0},          // month 13: not a time either
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CompareInstallTimes(row.a, row.b), row.expected)
        << std::string(row.a, row.a + std::char_traits<char16_t>::length(row.a));
  }
}

TEST(InstallStatusRules, VersionsCompareMajorFirst) {
  struct Row {
    const char16_t* a;
    const char16_t* b;
    bool older;
  };
  const Row rows[] = {
      {u"4.88", u"5.01", true}, {u"5.01", u"4.88", false}, {u"4.88", u"4.88", false},
      {u"4.9", u"4.10", true},  {u"", u"4.88", true},      {u"4.x", u"4.88", true},
      {u"4.88", u"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsOlderDriverVersion(row.a, row.b) != FALSE, row.older);
}

class InstallSequence : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    storage_test::Put(kDriverIni, "[jp]\r\nRstVersion=310\r\n[PrinterInformation]\r\nTALVOINFO=office fleet\r\n");
  }
};

TEST_F(InstallSequence, ANewPrinterIsInstalledWithItsDefaultDevmode) {
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nSpoolDirectory=%SYSTEMROOT%\\Temp\r\n");
  storage_test::Put("Windows/Temp/.keep", "");
  std::vector<BYTE> devmode(8192, 0);
  ASSERT_TRUE(InitDriverProc(office_, reinterpret_cast<DEVMODEW*>(devmode.data()), kInstallFirst));
  const auto* dm = reinterpret_cast<const DEVMODEW*>(devmode.data());
  EXPECT_NE(dm->dmSize, 0) << "the default DEVMODE handed out";
  EXPECT_EQ(PrinterText(office_, u"PrinterName"), u"Office 2F");
  EXPECT_EQ(PrinterText(office_, u"DriverName"), u"Kesm 4200 Series");
  EXPECT_EQ(Ini(kSettingsIni, "PrinterInformation", "TALVOINFO"), "office fleet");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "0") << "the driver INI merged";
  EXPECT_EQ(PrinterText(office_, kSpoolDirectoryValue), u"C:\\Windows\\Temp") << "this printer's spool directory";
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SpoolDirectory"), "<none>") << "taken once";
  EXPECT_TRUE(storage_test::Exists("_kesm")) << "the shared data directory";
  EXPECT_FALSE(InitDriverProc(nullptr, nullptr, kInstallFirst)) << "no context, no install";
}

// An install stores the description's defaults as the printer's
// properties and drops the device's answer from the bidi INI, so the bidi
// flags of an earlier query go too; a client's connection writes neither.
TEST_F(InstallSequence, AnInstallClearsTheBidiFlagsOfAnEarlierQuery) {
  struct Case {
    const char* what;
    DWORD type;
    bool cleared;
  };
  const Case cases[] = {
      {"first install", kInstallFirst, true},
      {"printer initialisation", kInstallInitialise, true},
      {"a client's connection", kInstallClient, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    property_test::PutRaw(office_, u"BidiFlag", REG_BINARY, property_test::Le(1, 4));
    property_test::PutRaw(office_, u"BidiExFlag", REG_BINARY, property_test::Le(1, 4));
    property_test::PutRaw(office_, u"BidiFunc", REG_BINARY, {0x43});
    storage_test::Put("_kesm/kesmbid.ini", "[Office 2F]\r\nBidiFlag=1\r\nBidiFunc=67\r\nBidiExFlag=1\r\n");
    ASSERT_TRUE(InitDriverProc(office_, nullptr, c.type));
    const std::vector<BYTE> flag = c.cleared ? property_test::Le(0, 4) : property_test::Le(1, 4);
    EXPECT_EQ(property_test::ReadRaw(office_, u"BidiFlag").bytes, flag);
    EXPECT_EQ(property_test::ReadRaw(office_, u"BidiExFlag").bytes, flag);
    EXPECT_EQ(property_test::ReadRaw(office_, u"BidiFunc").bytes, std::vector<BYTE>{BYTE(c.cleared ? 0 : 0x43)});
    EXPECT_EQ(property_test::ReadRaw(office_, u"BidiFunc").type, DWORD{REG_BINARY});
    EXPECT_EQ(Ini("_kesm/kesmbid.ini", "Office 2F", "BidiFlag"), "<none>") << "the device's answer dropped";
  }
}

TEST_F(InstallSequence, TheDriverIniListsFilesToCopyIntoPlace) {
  storage_test::Put(std::string(kDriverFolder) + "extra.dat", "extra");
  storage_test::Put(kDriverIni, "[jp]\r\nNumInstallfiles=3\r\nInstallfiles1=%windir%extra.dat\r\n"
                                "Installfiles2=missing.dat\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_EQ(CopyOtherFilesForInstall(kDriverIniPath, u"jp", ucb), 1u);
  EXPECT_EQ(storage_test::Get("Windows/extra.dat"), "extra");
  Release(ucb);
}

TEST_F(InstallSequence, DataDirectoryKeysAreTakenOnceWithTheFileTimeKept) {
  storage_test::Put("Data/.keep", "");
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nKESMDirectory=%systemdrive%\\Data\r\n");
  storage_test::SetWriteTime(kDrvInstPath, 0x1000);
  ASSERT_TRUE(BatchInstallForKesmDirectory(office_, u"Office 2F"));
  EXPECT_EQ(MachineValue(u"_KESMDirectory"), u"C:\\Data\\_kesm");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "KESMDirectory"), "<none>");
  HANDLE file = CreateFileW(kDrvInstPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME written{};
  ASSERT_TRUE(GetFileTime(file, nullptr, nullptr, &written));
  CloseHandle(file);
  EXPECT_EQ(written.dwLowDateTime, 0x1000u) << "the INI's time stamp kept";

  EXPECT_FALSE(BatchInstallForKesmDirectory(office_, u"Office 2F")) << "a missing key changes nothing";
  EXPECT_EQ(MachineValue(u"_KESMDirectory"), u"C:\\Data\\_kesm");
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nKESMDirectory=C:\\Missing\r\n");
  EXPECT_FALSE(BatchInstallForKesmDirectory(office_, u"Office 2F")) << "a folder that is not there";
  EXPECT_EQ(MachineValue(u"_KESMDirectory"), u"C:\\Data\\_kesm");
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nKESMDirectory=\r\n");
  EXPECT_TRUE(BatchInstallForKesmDirectory(office_, u"Office 2F"));
  EXPECT_EQ(MachineValue(u"_KESMDirectory"), u"") << "an empty value clears it";
}

TEST_F(InstallSequence, TheSpoolDirectoryOfEveryPrinterLivesInTheDriversKey) {
  EXPECT_EQ(std::u16string(kDriverRegKey), u"SOFTWARE\\TALVO\\KesmDrv");
  storage_test::Put("Spool/.keep", "");
  UCB* ucb = OpenOn(office_);
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nSpoolDirectory=C:\\Spool\r\nSpoolDirectoryAll=ON\r\n");
  ASSERT_TRUE(BatchInstallForSpoolDirectory(kDrvInstPath, u"Office 2F", ucb));
  EXPECT_EQ(MachineValue(kSpoolDirectoryValue), u"C:\\Spool");
  EXPECT_EQ(PrinterText(office_, kSpoolDirectoryValue), u"<none>");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SpoolDirectoryAll"), "<none>");

  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nSpoolDirectory=\r\nSpoolDirectoryAll=ON\r\n");
  ASSERT_TRUE(BatchInstallForSpoolDirectory(kDrvInstPath, u"Office 2F", ucb));
  EXPECT_EQ(MachineValue(kSpoolDirectoryValue), u"");
  const std::string tooLong = "C:\\Spool\\" + std::string(240, 'x');
  storage_test::Put("Spool/" + std::string(240, 'x') + "/.keep", "");
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nSpoolDirectory=" + tooLong + "\r\n");
  EXPECT_FALSE(BatchInstallForSpoolDirectory(kDrvInstPath, u"Office 2F", ucb)) << "no room for a job's file";
  EXPECT_EQ(PrinterText(office_, kSpoolDirectoryValue), u"<none>");
  Release(ucb);
}

TEST_F(InstallSequence, ARenameFollowsTheNewName) {
  ASSERT_TRUE(InitDriverProc(office_, nullptr, kInstallInitialise));
  storage_test::Put("_kesm/kesmbid.ini", "[Office 2F]\r\nBidiFlag=1\r\n");
  ASSERT_TRUE(SetPrinterDataW(office_, u"PrinterName", REG_SZ, reinterpret_cast<const BYTE*>(u"Office 1F"),
                              sizeof(u"Office 1F")) == ERROR_SUCCESS);
  storage_test::Put("_kesm/kesmbid.ini", "[Office 1F]\r\nBidiFlag=1\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(RefreshIniFile(ucb));
  EXPECT_EQ(Ini("_kesm/kesmbid.ini", "Office 2F", "BidiFlag"), "1") << "copied to the new name";
  EXPECT_EQ(Ini("_kesm/kesmbid.ini", "Office 1F", "BidiFlag"), "1") << "the old one stays";
  EXPECT_EQ(PrinterText(office_, u"PrinterName"), u"Office 2F");
  EXPECT_FALSE(RefreshIniFile(ucb)) << "nothing more to follow";
  Release(ucb);
}

// A terminal server with the printer installed; each check runs in a child
// process, which decides terminal-server mode afresh.
class TerminalServer : public InstallSequence {
 protected:
  void SetUp() override {
    InstallSequence::SetUp();
    ASSERT_TRUE(plat::SetTerminalServer(true));
    storage_test::Put("_kesm/admin.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmSortType=2\r\n");
  }

  // Installs the printer as the spooler does first, then lists one preset.
  // The child that calls it asks for terminal-server mode afresh.
  void InstallShared() {
    ForgetPerUserIniAnswer();
    ASSERT_TRUE(InitDriverProc(office_, nullptr, kInstallFirst));
    ASSERT_TRUE(SetTSInstallStatus(office_, 1, kStatusTargetFirstInstall));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Office 2F", u"Count", u"1", kSharedIni));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Office 2F", u"PresetList0", u"C:\\_kesm\\admin.rsr", kSharedIni));
  }

  static DWORD Status(HANDLE printer) {
    DWORD status = 99;
    EXPECT_TRUE(GetTSInstallStatus(printer, &status));
    return status;
  }

  static constexpr const char16_t* kSharedIni = u"C:\\_kesm\\kesmusr.ini";
};

TEST_F(TerminalServer, ASecondUsersFirstUseMakesTheirOwnCopy) {
  storage_test::InChild([this] {
    ASSERT_NO_FATAL_FAILURE(InstallShared());
    ASSERT_TRUE(plat::SetUserName(u"anna"));
    EXPECT_EQ(Status(office_), kUserCopyMissing);
    ASSERT_TRUE(InstallPerUser(office_));
    EXPECT_EQ(Status(office_), kUserCopyCurrent);
    ASSERT_TRUE(plat::SetUserName(u"bert"));
    EXPECT_EQ(Status(office_), kUserCopyMissing) << "the second user has no copy yet";
    ASSERT_TRUE(InstallPerUser(office_));
    EXPECT_EQ(Status(office_), kUserCopyCurrent);
    EXPECT_EQ(Ini("Users/bert/_kesm/kesmusr.ini", "Office 2F", "PresetList0"), "C:\\Users\\bert\\_kesm\\admin.rsr");
    EXPECT_EQ(Ini("Users/bert/_kesm/admin.rsr", "Office 2F", "kdmSortType"), "2");
    EXPECT_TRUE(storage_test::Exists("Users/anna/_kesm/admin.rsr"));
  });
}

TEST_F(TerminalServer, ALaterInstallMakesTheCopyStaleAcrossTheEndOfSummerTime) {
  storage_test::InChild([this] {
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    // 01:50 summer time (23:50 UTC) on the night the clocks go back.
    plat::SetClock(SYSTEMTIME{2024, 10, 0, 27, 1, 50, 0, 0}, 1000);
    ASSERT_NO_FATAL_FAILURE(InstallShared());
    ASSERT_TRUE(InstallPerUser(office_));
    plat::AdvanceClock(60 * 60 * 1000);  // 02:50 summer time: the user's copy brought up to date
    ASSERT_TRUE(SetTSInstallStatus(office_, 1, kStatusTargetUser));
    EXPECT_EQ(Status(office_), kUserCopyCurrent);
    plat::AdvanceClock(40 * 60 * 1000);  // 02:30 winter time, 40 minutes later
    ASSERT_TRUE(SetTSInstallStatus(office_, 1, kStatusTargetShared));
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "DrvInstTime"), "20241027013000") << "written as UTC";
    EXPECT_EQ(Status(office_), kUserCopyStale) << "the administrator's install is the later one";
  });
}

TEST_F(TerminalServer, AnAdministratorsReinstallRebuildsTheUsersCopy) {
  storage_test::InChild([this] {
    ASSERT_NO_FATAL_FAILURE(InstallShared());
    ASSERT_TRUE(InstallPerUser(office_));
    plat::AdvanceClock(60 * 1000);
    ASSERT_TRUE(InitDriverProc(office_, nullptr, kInstallInitialise));
    ASSERT_TRUE(SetTSInstallStatus(office_, kInstallInitialise, kStatusTargetShared));
    EXPECT_EQ(Status(office_), kUserCopyStale);
    ASSERT_TRUE(InstallPerUser(office_));
    EXPECT_EQ(Status(office_), kUserCopyCurrent) << "rebuilt and stamped";
    EXPECT_EQ(Ini("Users/User/_kesm/kesmusr.ini", "Office 2F", "DrvInstType"), "1");
  });
}

TEST_F(TerminalServer, StatusRulesOfTheUsersCopy) {
  storage_test::InChild([this] {
    ASSERT_NO_FATAL_FAILURE(InstallShared());
    ASSERT_TRUE(InstallPerUser(office_));
    const char16_t* userIni = u"C:\\Users\\User\\_kesm\\kesmusr.ini";
    auto put = [](const char16_t* ini, const char16_t* key, const char16_t* value) {
      ASSERT_TRUE(WritePrivateProfileStringW(u"Office 2F", key, value, ini));
    };
    put(kSharedIni, kKeyInstTime, u"20300101000000");
    put(userIni, kKeyInstTime, u"20290101000000");
    put(kSharedIni, kKeyFirstInstTime, u"20200101000000");
    put(kSharedIni, kKeyInstType, u"2");
    put(userIni, kKeyInstVersion, u"5.01");
    EXPECT_EQ(Status(office_), kUserCopyCurrent) << "a client install of an older driver than the user's";
    put(userIni, kKeyInstVersion, u"4.9");
    EXPECT_EQ(Status(office_), kUserCopyOlderVersion);
    put(kSharedIni, kKeyInstType, u"1");
    EXPECT_EQ(Status(office_), kUserCopyStale);
    put(userIni, kKeyInstTime, u"");
    EXPECT_EQ(Status(office_), kUserCopyUntimed);
    put(userIni, kKeyInstTime, u"20300101000000");
    put(userIni, kKeyFirstInstTime, u"20190101000000");
    EXPECT_EQ(Status(office_), kUserCopyMissing) << "the printer was installed afresh";
    const DWORD change = 1;
    ASSERT_EQ(SetPrinterDataW(office_, u"AdminChange", REG_DWORD, reinterpret_cast<const BYTE*>(&change), 4),
              ERROR_SUCCESS);
    put(userIni, kKeyInstTime, u"20290101000000");
    put(kSharedIni, kKeyInstType, u"2");
    EXPECT_EQ(Status(office_), kUserCopyStale) << "an administrator's change";
  });
}

TEST_F(TerminalServer, AUsersChangedSetFileIsKeptWhenTheCopyIsMadeAgain) {
  storage_test::InChild([this] {
    // File times come from the file system's clock: the machine's too.
    plat::UseRealClock();
    ASSERT_NO_FATAL_FAILURE(InstallShared());
    storage_test::Put("_kesm/team.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmSortType=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringW(u"Office 2F", u"Count", u"2", kSharedIni));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Office 2F", u"PresetList1", u"C:\\_kesm\\team.rsr", kSharedIni));
    ASSERT_TRUE(SetupDriverFilePerUser(office_));
    EXPECT_EQ(Ini("Users/User/_kesm/team.rsr", "Office 2F", "kdmSortType"), "1");
    storage_test::Put("Users/User/_kesm/admin.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmSortType=3\r\n");
    storage_test::Put("_kesm/admin.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmSortType=4\r\n");
    storage_test::Put("_kesm/team.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmSortType=5\r\n");
    ASSERT_TRUE(SetupDriverFilePerUser(office_));
    EXPECT_EQ(Ini("Users/User/_kesm/admin.rsr", "Office 2F", "kdmSortType"), "3") << "the user's change kept";
    EXPECT_EQ(Ini("Users/User/_kesm/team.rsr", "Office 2F", "kdmSortType"), "5") << "an unchanged copy refreshed";
  });
}

// On Windows NT 4.0 the users' folders lie below the system directory:
// each level made for them is owned by the administrators and open to
// every user, so that the next user's first use can add their own.
TEST_F(TerminalServer, NtFourSecuresEachLevelOfTheUsersFolder) {
  storage_test::InChild([this] {
    ForgetOsVersionAnswer();
    plat::OsVersion nt4;
    nt4.major = 4;
    nt4.minor = 0;
    ASSERT_TRUE(plat::SetOsVersion(nt4));
    storage_test::Put("Windows/System32/kesmusr.ini", "[Office 2F]\r\nCount=0\r\n");
    const plat::StoredAce everyone{ACCESS_ALLOWED_ACE_TYPE, 3, 0x1F01FF, "S-1-1-0"};
    for (const char16_t* user : {u"anna", u"bert"}) {
      ASSERT_TRUE(plat::SetUserName(user));
      ASSERT_TRUE(SetupDriverFilePerUser(office_));
      const std::u16string levels[] = {u"C:\\Windows\\System32\\talvo", u"C:\\Windows\\System32\\talvo\\_kesm",
                                       u"C:\\Windows\\System32\\talvo\\_kesm\\" + std::u16string(user)};
      for (const std::u16string& level : levels) {
        const auto stored = plat::StoredFileSecurity(level.c_str());
        ASSERT_TRUE(stored.has_value()) << std::string(level.begin(), level.end());
        EXPECT_EQ(stored->owner, "S-1-5-32-544");
        EXPECT_EQ(stored->dacl, std::vector<plat::StoredAce>{everyone});
      }
    }
    EXPECT_TRUE(storage_test::Exists("Windows/System32/talvo/_kesm/bert/kesmusr.ini"));
    EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\Windows\\System32").has_value()) << "the system directory as it was";
  });
}

}  // namespace
}  // namespace install_test
