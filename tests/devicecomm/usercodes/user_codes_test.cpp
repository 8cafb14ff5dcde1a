// User codes read into a context: from the install INI (valid, too long,
// missing entries, a missing file), from a print server's printer data, not
// at all on a client, and the INI written only under the cross-process
// lock.
#include "devicecomm/usercodes/user_codes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "devicecomm/jobcodes/jc_upkeep.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "storage/files/file_helpers.h"
#include "storage/files/path_builders.h"
#include "storage/properties/printer_properties.h"
#include "storage/system/printer_info.h"
#include "storage/system/section_lock.h"
#include "tests/platform/install_file.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;
constexpr WORD kFuncDllLogCode = 10273;
constexpr const char16_t* kMru = u"TALVO UserCode";

struct Entry {
  const char16_t* section;
  const char16_t* key;
  const char16_t* value;
};

class UserCodes : public PropertyTest {
 protected:
  void SetUp() override {
    PropertyTest::SetUp();
    ucb_ = OpenOn(office_);
    ASSERT_NE(ucb_, nullptr);
    ASSERT_NE(AddSystemDirToFileNameEx2(path_, MAX_PATH, kUserCodeIniName, ucb_), nullptr);
  }
  void TearDown() override {
    Release(ucb_);
    PropertyTest::TearDown();
  }

  void Put(const std::vector<Entry>& entries) {
    for (const Entry& e : entries) ASSERT_TRUE(WritePrivateProfileStringW(e.section, e.key, e.value, path_));
  }
  std::u16string IniValue(const char16_t* section, const char16_t* key) {
    WCHAR text[300] = {};
    GetPrivateProfileStringW(section, key, u"<none>", text, 300, path_);
    return text;
  }
  std::string FileText() { return kesm_test::ReadFile(storage_test::Host(HostRelative())); }
  std::string HostRelative() {
    std::u16string path(path_);
    std::string relative;
    for (char16_t c : path.substr(3)) relative.push_back(c == u'\\' ? '/' : static_cast<char>(c));
    return relative;
  }
  DWORD Fixed() {
    return GetKDMRunTimeFlagByDM(reinterpret_cast<const DEVMODEW*>(ucb_->pDCB->devmode), KdmRunTimeFlag::UserCodeFIX);
  }

  UCB* ucb_ = nullptr;
  WCHAR path_[MAX_PATH] = {};
};

TEST_F(UserCodes, TheInstallIniGivesTheCodeOrTheLastOneUsed) {
  const char16_t* office = context_test::kOffice;
  struct Case {
    const char* name;
    std::vector<Entry> ini;
    BYTE inUse;
    const char16_t* code;
    DWORD fixed;
    bool written;  // "UserCode" = 0 and "UserCodeString" = the code went into the section
  } const cases[] = {
      {"in use with a fixed code",
       {{office, u"UserCode", u"1"}, {office, u"UserCodeString", u"4711"}, {office, u"UserCodeFIX", u"1"}},
       1, u"4711", 1, false},
      {"a code longer than the setting is refused, not cut",
       {{office, u"UserCode", u"1"}, {office, u"UserCodeString", u"1234567890AB"}}, 0, u"", 0, false},
      {"a code of nine characters is refused",
       {{office, u"UserCode", u"1"}, {office, u"UserCodeString", u"123456789"}}, 0, u"", 0, false},
      {"a code of eight characters fits",
       {{office, u"UserCode", u"1"}, {office, u"UserCodeString", u"A2345678"}}, 1, u"A2345678", 0, false},
      {"no entry and a last code longer than the setting", {{kMru, u"MRUUserCode", u"1234567890"}}, 0, u"", 0,
       true},
      {"in use given as another number", {{office, u"UserCode", u"2"}, {office, u"UserCodeString", u"55"}}, 1,
       u"55", 0, false},
      {"not in use, the code kept", {{office, u"UserCode", u"0"}, {office, u"UserCodeString", u"55"}}, 0, u"55", 0,
       false},
      {"no entry: the last code used", {{kMru, u"MRUUserCode", u"808"}}, 0, u"808", 0, true},
      {"an empty entry counts as none",
       {{office, u"UserCode", u""}, {office, u"UserCodeString", u"1"}, {kMru, u"MRUUserCode", u"808"}}, 0, u"808",
       0, true},
      {"no entries at all", {{u"Other printer", u"UserCode", u"1"}}, 0, u"", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileW(path_);
    ASSERT_NO_FATAL_FAILURE(Put(c.ini));
    const std::string before = FileText();
    Set(ucb_, kFuncLogCodeUse, 7);
    ASSERT_TRUE(SetKDMUserCodeFIX(ucb_, 7));
    EXPECT_TRUE(GetUserCodeFromDriverDependOnMachine(ucb_));
    EXPECT_EQ(Value(ucb_, kFuncLogCodeUse), c.inUse);
    EXPECT_EQ(Text(ucb_, kFuncLogCode), c.code);
    EXPECT_EQ(Text(ucb_, kFuncDllLogCode), c.code);
    EXPECT_EQ(Fixed(), c.fixed);
    if (c.written) {
      EXPECT_EQ(IniValue(office, u"UserCode"), u"0");
      EXPECT_EQ(IniValue(office, u"UserCodeString"), c.code);
    } else {
      EXPECT_EQ(FileText(), before) << "nothing is written";
    }
  }
}

TEST_F(UserCodes, AMissingInstallIniIsCreatedWithEmptyEntries) {
  SetText(ucb_, kFuncLogCode, u"old");
  EXPECT_TRUE(GetUserCodeFromINI(ucb_));
  EXPECT_TRUE(_IsFileExist(path_));
  EXPECT_EQ(IniValue(context_test::kOffice, u"UserCode"), u"0");
  EXPECT_EQ(IniValue(context_test::kOffice, u"UserCodeString"), u"");
  EXPECT_EQ(IniValue(kMru, u"MRUUserCode"), u"");
  EXPECT_EQ(Value(ucb_, kFuncLogCodeUse), 0);
  EXPECT_EQ(Text(ucb_, kFuncLogCode), u"");
}

TEST_F(UserCodes, AContextWithoutAPrinterReadsAndWritesNothing) {
  storage_test::Context bare;
  EXPECT_FALSE(GetUserCodeFromINI(bare.get()));
  EXPECT_FALSE(GetUserCodeFromINI(nullptr));
  EXPECT_FALSE(GetUserCodeFromDriverDependOnMachine(nullptr));
  EXPECT_FALSE(_IsFileExist(path_));
}

// The INI is tested, read and written in one hold of the lock, so that two
// processes never both take a printer without entries for new.
TEST_F(UserCodes, TheInstallIniIsWrittenOnlyUnderTheLockThatOtherThreadsWaitFor) {
  EnterSection(nullptr);
  BOOL read = FALSE;
  std::thread reader([&] { read = GetUserCodeFromINI(ucb_); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(_IsFileExist(path_)) << "written while another holds the lock";
  LeaveSection(nullptr);
  reader.join();
  EXPECT_TRUE(read);
  EXPECT_TRUE(_IsFileExist(path_));
}

TEST_F(UserCodes, AServerThatImposesUserCodesGivesThemThroughPrinterData) {
  struct Case {
    const char* name;
    std::vector<BYTE> code;
    const char16_t* expected;
  } const cases[] = {
      {"a terminated code", {'9', '8', '7', '6', 0, 0, 0, 0, 0}, u"9876"},
      // Longer than the setting: refused, not cut; user codes stay imposed,
      // so the sheet asks for the code the server's value could not give.
      {"nine characters without a terminator", {'1', '2', '3', '4', '5', '6', '7', '8', '9'}, u""},
      {"eight characters", {'1', '2', '3', '4', '5', '6', '7', '8', 0}, u"12345678"},
      {"a value of another size", {'1', '2'}, u""},
  };
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"ServerUse", REG_BINARY, {1}));
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"UserCodeUse", REG_BINARY, {1}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"UserCode", REG_BINARY, c.code));
    SetText(ucb_, kFuncLogCode, u"old");
    EXPECT_TRUE(GetUserCodeFromDriverDependOnMachine(ucb_));
    EXPECT_EQ(Value(ucb_, kFuncLogCodeUse), 1);
    EXPECT_EQ(Text(ucb_, kFuncLogCode), c.expected);
  }
  EXPECT_FALSE(_IsFileExist(path_)) << "the INI is never read";

  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"ServerUse", REG_BINARY, {0}));
  EXPECT_TRUE(GetUserCodeFromDriverDependOnMachine(ucb_));
  EXPECT_TRUE(_IsFileExist(path_));
}

// The printer-property walk keeps the server's user code where its clients
// read it.
TEST_F(UserCodes, TheServersUserCodeIsKeptInPrinterDataWithItsProperties) {
  Set(ucb_, 10001, 1);
  Set(ucb_, kFuncLogCodeUse, 1);
  SetText(ucb_, kFuncLogCode, u"2468");
  ASSERT_TRUE(SetProperties(office_, ucb_, kBlockPrinter, kPropertiesForce));
  const Raw stored = ReadRaw(office_, u"UserCode");
  ASSERT_EQ(stored.bytes.size(), 9u);
  EXPECT_EQ(std::string(stored.bytes.begin(), stored.bytes.begin() + 5), std::string("2468\0", 5));
  SetText(ucb_, kFuncLogCode, u"");
  EXPECT_TRUE(GetUserCodeFromDriverDependOnMachine(ucb_));
  EXPECT_EQ(Text(ucb_, kFuncLogCode), u"2468");
}

TEST_F(UserCodes, AClientDriverReadsNoUserCodeAndHandsNoneToTheLibrary) {
  plat::PrinterSetup connection;
  connection.name = u"\\\\PRINTSRV\\Floor3";
  connection.serverName = u"\\\\PRINTSRV";
  connection.driverName = context_test::kDriverName;
  ASSERT_EQ(plat::AddPrinter(connection), ERROR_SUCCESS);
  ForgetClientDriverAnswer();  // the fixture's contexts asked about the office printer
  HANDLE client = Open(u"\\\\PRINTSRV\\Floor3");
  UCB* ucb = OpenOn(client);
  ASSERT_NE(ucb, nullptr);
  ASSERT_NO_FATAL_FAILURE(PutRaw(client, u"ServerUse", REG_BINARY, {1}));
  SetText(ucb, kFuncLogCode, u"old");
  SetText(ucb, 203, u"old");
  EXPECT_FALSE(GetUserCodeFromDriverDependOnMachine(ucb));
  EXPECT_TRUE(SetUserCodeForJobCodeDLL(ucb));
  EXPECT_EQ(Text(ucb, kFuncLogCode), u"old");
  EXPECT_EQ(Text(ucb, 203), u"old");
  EXPECT_FALSE(_IsFileExist(path_));
  Release(ucb);
  ForgetClientDriverAnswer();
}

TEST_F(UserCodes, TheOlderSystemsStepsDoNothing) {
  SetText(ucb_, kFuncLogCode, u"old");
  EXPECT_TRUE(UserCodeForInstallDependOnMachine(ucb_));
  EXPECT_TRUE(GetUserCodeDependOnMachine(ucb_));
  UserCodeDLLDependOnMachine(ucb_);
  SetUserCodeDLLNTDependOnMachine(ucb_);
  EXPECT_EQ(Text(ucb_, kFuncLogCode), u"old");
  EXPECT_FALSE(_IsFileExist(path_));
}

}  // namespace
}  // namespace property_test
