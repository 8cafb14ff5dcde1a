// Facts about the installed driver in printer data and the machine-wide
// values under HKLM: file names with their terminators, the print-log
// defaults, the custom-setup and binder switches, the data-directory
// override, and single printer-data values of an exact size.
#include <array>
#include <cstring>
#include <string>

#include "platform/base/control.h"
#include "platform/registry/winreg.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/machine_registry.h"
#include "storage/system/printer_data.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

using DriverRegValues = PropertyTest;

// The bytes of a REG_SZ value that holds text and its terminator.
std::vector<BYTE> Sz(std::u16string_view text) {
  std::vector<BYTE> bytes((text.size() + 1) * sizeof(char16_t), 0);
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(char16_t));
  return bytes;
}

void PutMachineValue(const char16_t* key, const char16_t* name, DWORD type, const std::vector<BYTE>& bytes) {
  ASSERT_TRUE(SetDataToRegKey(key, name, bytes.data(), static_cast<DWORD>(bytes.size()), type, nullptr));
}

std::vector<BYTE> MachineValue(const char16_t* key, const char16_t* name) {
  std::vector<BYTE> bytes(1024, 0);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(bytes.size());
  const LSTATUS status = RegQueryValueExW(opened, name, nullptr, &type, bytes.data(), &size);
  RegCloseKey(opened);
  bytes.resize(status == ERROR_SUCCESS ? size : 0);
  return bytes;
}

TEST_F(DriverRegValues, TheDriversFileNamesAreRecordedWithTheirTerminators) {
  UCB* ucb = OpenOn(office_);
  ASSERT_TRUE(WritePrivateProfileStringW(u"DriversFileName", u"DriverEDFileName", u"kesmed.dll",
                                         GetDriverIniFilePath(ucb)));
  EXPECT_TRUE(SetDriverDataToReg(office_, ucb));
  EXPECT_TRUE(SetHelpFileNameToReg(ucb));
  struct Row {
    const char16_t* name;
    const char16_t* text;
  };
  for (const Row& row : {Row{u"SPLUserModePrinterDriver", u"kesmcpx.DLL"}, Row{u"DriverIniFileName", u"kesmusr.ini"},
                         Row{u"DriverGRFileName", u"kesmgr.dll"}, Row{u"DriverEDFileName", u"kesmed.dll"},
                         Row{u"HelpFileName", u"kesmus.hlp"}}) {
    const Raw raw = ReadRaw(office_, row.name);
    EXPECT_EQ(raw.type, REG_SZ);
    EXPECT_EQ(raw.bytes, Sz(row.text));
  }
  WCHAR help[MAX_PATH] = {};
  EXPECT_TRUE(GetHelpFileNameFromReg2WithoutUCB(help, sizeof help, office_));
  EXPECT_EQ(std::u16string(help), u"kesmus.hlp");
  EXPECT_FALSE(GetHelpFileNameFromReg2WithoutUCB(help, 0, office_));
  WCHAR driver[MAX_PATH] = {};
  EXPECT_TRUE(GetFrontDriverFileNameFromReg(context_test::kDriverName, driver, sizeof driver, ucb));
  EXPECT_EQ(std::u16string(driver), u"kesmgr.dll");
  EXPECT_FALSE(GetFrontDriverFileNameFromReg(u"No Such Driver", driver, sizeof driver, ucb));
  Release(ucb);
}

TEST_F(DriverRegValues, NamesAndPermissionAreRecorded) {
  EXPECT_TRUE(SetPrinterNameToReg(office_));
  EXPECT_TRUE(SetDriverNameToReg(office_));
  const DWORD permission = 1;
  EXPECT_TRUE(SetPrinterPermissionToReg(office_, &permission, sizeof permission));
  EXPECT_EQ(ReadRaw(office_, u"PrinterName").bytes, Sz(context_test::kOffice));
  EXPECT_EQ(ReadRaw(office_, u"DriverName").bytes, Sz(context_test::kDriverName));
  const Raw raw = ReadRaw(office_, u"Permission");
  EXPECT_EQ(raw.type, REG_DWORD);
  EXPECT_EQ(raw.bytes, Le(1, 4));
  WCHAR name[MAX_PATH + 1] = {};
  EXPECT_TRUE(GetPrinterNameFromReg(office_, name, nullptr));
  EXPECT_EQ(std::u16string(name), context_test::kOffice);
  EXPECT_FALSE(IsGetDefaultDevmodeFromRegNTWithoutUCB(office_));
}

TEST_F(DriverRegValues, ThePrintLogDefaultsAreCreatedWhereMissingAndTheLogFileNamed) {
  constexpr const char16_t* kKey = u"Software\\TALVO\\PrintLog";
  ASSERT_NO_FATAL_FAILURE(PutMachineValue(kKey, u"LogFileDirectory", REG_SZ, Sz(u"")));
  ASSERT_NO_FATAL_FAILURE(PutMachineValue(kKey, u"MaxLogFileSize", REG_DWORD, Le(128, 4)));
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(DriverLogProc(TRUE, ucb));
  EXPECT_EQ(MachineValue(kKey, u"LogFileDirectory"), Sz(u"C:\\Windows\\temp\\PrintLog"));
  EXPECT_EQ(MachineValue(kKey, u"MaxLogFileSize"), Le(128, 4));
  EXPECT_EQ(ReadRaw(office_, u"LogFileName").bytes, Sz(u"kesmgr.log"));

  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  EXPECT_TRUE(DriverLogProcForPrintLog(ucb));
  EXPECT_EQ(MachineValue(kKey, u"MaxLogFileSize"), Le(64, 4));
  EXPECT_EQ(MachineValue(kKey, u"LogFileDirectory"), Sz(u"C:\\Windows\\temp\\PrintLog"));
  Release(ucb);
}

TEST_F(DriverRegValues, SwitchesReadTheirFirstWordOrCount) {
  constexpr const char16_t* kSetup = u"Software\\TALVO\\KesmDrvCustomSetup";
  constexpr const char16_t* kBinder = u"Software\\TALVO\\Corvane\\Plexor";
  EXPECT_FALSE(IsDrvCustomSetup(nullptr));
  EXPECT_FALSE(IsInstalledTalvoAppl(2, nullptr));
  struct Row {
    std::vector<BYTE> bytes;
    bool on;
  };
  for (const Row& row : {Row{{1, 0}, true}, Row{{2, 0}, false}, Row{{1, 0, 0, 0}, true}, Row{{1}, false}}) {
    ASSERT_NO_FATAL_FAILURE(PutMachineValue(kSetup, u"SaveDeviceSetup", REG_BINARY, row.bytes));
    EXPECT_EQ(IsDrvCustomSetup(nullptr), row.on) << row.bytes.size();
  }
  for (const Row& row : {Row{Le(3, 4), true}, Row{Le(0, 4), false}, Row{{1, 0}, false}}) {
    ASSERT_NO_FATAL_FAILURE(PutMachineValue(kBinder, u"INSTALL_COUNT", REG_BINARY, row.bytes));
    EXPECT_EQ(IsInstalledTalvoAppl(2, nullptr), row.on) << row.bytes.size();
    EXPECT_FALSE(IsInstalledTalvoAppl(1, nullptr));
  }
}

TEST_F(DriverRegValues, MachineValuesAreReadOnlyWhenTheyFit) {
  constexpr const char16_t* kKey = u"Software\\TALVO\\Test";
  ASSERT_NO_FATAL_FAILURE(PutMachineValue(kKey, u"Eight", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}));
  BYTE buffer[4] = {9, 9, 9, 9};
  EXPECT_FALSE(GetDataFromRegKey(kKey, u"Eight", buffer, sizeof buffer, nullptr));
  EXPECT_EQ(buffer[0], 9) << "left as it was";
  BYTE wide[8] = {};
  EXPECT_TRUE(GetDataFromRegKey(kKey, u"Eight", wide, sizeof wide, nullptr));
  EXPECT_EQ(wide[1], 2);
  EXPECT_FALSE(GetDataFromRegKey(kKey, u"Missing", wide, sizeof wide, nullptr));
}

TEST_F(DriverRegValues, TheDataDirectoryOverrideKeepsItsTerminator) {
  const char16_t text[] = u"D:\\Data";
  EXPECT_TRUE(SetKESMDirToReg(u"_KESMDirectory", text, sizeof text + 20));
  EXPECT_EQ(MachineValue(u"SOFTWARE\\TALVO\\KesmDrv", u"_KESMDirectory"), Sz(u"D:\\Data"));
  WCHAR back[MAX_PATH] = {};
  EXPECT_TRUE(GetKESMDirFromReg(u"_KESMDirectory", back, sizeof back));
  EXPECT_EQ(std::u16string(back), u"D:\\Data");
  EXPECT_FALSE(SetKESMDirToReg(u"_KESMDirectory", text, 6)) << "no terminator within the size";
}

TEST_F(DriverRegValues, TheClientDirectoryLookupFailsWhenMemoryRunsOut) {
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"_KESMDirectoryClient", REG_SZ, Sz(u"%SYSTEMROOT%")));
  WCHAR folder[MAX_PATH] = {};
  storage_test::Put("Windows/.keep", "");
  EXPECT_EQ(GetKESMDirFromDrvReg(office_, u"_KESMDirectoryClient", folder, MAX_PATH), 1);
  plat::FailAllocationAt(1);
  folder[0] = 0;
  EXPECT_EQ(GetKESMDirFromDrvReg(office_, u"_KESMDirectoryClient", folder, MAX_PATH), 0);
  plat::FailAllocationAt(0);
  EXPECT_EQ(folder[0], 0);
}

TEST_F(DriverRegValues, SinglePrinterDataValuesHaveAnExactSizeAndTextItsTerminator) {
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"BidiFlag", REG_BINARY, Le(1, 2)));
  DWORD flag = 7;
  EXPECT_FALSE(GetDataFromReg(office_, &flag, sizeof flag, u"BidiFlag", nullptr));
  EXPECT_EQ(flag, 7u);
  EXPECT_TRUE(SetDataToReg(office_, &flag, sizeof flag, u"BidiFlag", nullptr));
  flag = 0;
  EXPECT_TRUE(GetDataFromReg(office_, &flag, sizeof flag, u"BidiFlag", nullptr));
  EXPECT_EQ(flag, 7u);
  EXPECT_FALSE(GetDataFromReg(office_, nullptr, 4, u"BidiFlag", nullptr));
  EXPECT_FALSE(SetDataToReg(office_, &flag, 0, u"BidiFlag", nullptr));
  EXPECT_FALSE(SetDataToReg(office_, &flag, 4, nullptr, nullptr));

  const char16_t text[] = u"abc";
  EXPECT_TRUE(SetStrDataToReg(office_, text, sizeof text + 10, u"Text", nullptr));
  EXPECT_EQ(ReadRaw(office_, u"Text").bytes, Sz(u"abc"));
  EXPECT_FALSE(SetStrDataToReg(office_, text, 6, u"Text", nullptr));
}

TEST_F(DriverRegValues, TextValuesAreReadWhenTheyAreTextAndFit) {
  const char16_t folder[] = u"C:\\Spool";
  ASSERT_TRUE(SetStrDataToReg(office_, folder, sizeof folder, u"SpoolDirectory", nullptr));
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"Unended", REG_SZ, {'a', 0, 'b', 0}));
  ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"Binary", REG_BINARY, {'a', 0, 0, 0}));
  std::array<WCHAR, 9> buffer{};
  EXPECT_TRUE(GetStrDataFromReg(office_, buffer.data(), 9, u"SpoolDirectory", nullptr));
  EXPECT_EQ(std::u16string(buffer.data()), folder);
  EXPECT_TRUE(GetStrDataFromReg(office_, buffer.data(), 9, u"Unended", nullptr));
  EXPECT_EQ(std::u16string(buffer.data()), u"ab") << "a value without its terminator is ended";
  buffer.fill(u'x');
  EXPECT_FALSE(GetStrDataFromReg(office_, buffer.data(), 8, u"SpoolDirectory", nullptr)) << "one character short";
  EXPECT_FALSE(GetStrDataFromReg(office_, buffer.data(), 9, u"Binary", nullptr));
  EXPECT_FALSE(GetStrDataFromReg(office_, buffer.data(), 9, u"Missing", nullptr));
  EXPECT_EQ(buffer[0], u'x') << "a refused value leaves the buffer as it was";
}

}  // namespace
}  // namespace property_test
