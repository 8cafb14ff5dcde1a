#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/platform/child_process.h"
#include "platform/base/handles.h"
#include "platform/engine/eng_printer.h"
#include "platform/system/sysfacts_control.h"
#include "platform/registry/winreg.h"
#include "tests/platform/spooler/spool_fixture.h"

namespace {

std::vector<BYTE> PrinterInfo2(HANDLE printer) {
  DWORD needed = 0;
  if (GetPrinterW(printer, 2, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 2, buffer.data(), needed, &needed)) return {};
  return buffer;
}

std::vector<BYTE> DriverInfo(HANDLE printer, DWORD level, LPCWSTR environment = nullptr) {
  DWORD needed = 0;
  if (GetPrinterDriverW(printer, environment, level, nullptr, 0, &needed) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverW(printer, environment, level, buffer.data(), needed, &needed)) return {};
  return buffer;
}

std::vector<std::u16string> MultiText(LPCWSTR s) {
  std::vector<std::u16string> list;
  for (; s && *s; s += list.back().size() + 1) list.emplace_back(s);
  return list;
}

// Opens and closes a printer (or the print server, name null) with the
// access given, expecting the open to fail with error or succeed
// (ERROR_SUCCESS).
void ExpectOpen(const char16_t* name, ACCESS_MASK access, DWORD error) {
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
  HANDLE h = reinterpret_cast<HANDLE>(1);
  const BOOL opened = OpenPrinterW(name, &h, &defaults);
  EXPECT_EQ(opened, error == ERROR_SUCCESS);
  if (!opened) {
    EXPECT_EQ(GetLastError(), error);
    EXPECT_EQ(h, nullptr);
  } else {
    EXPECT_TRUE(ClosePrinter(h));
  }
}

const std::u16string kFilesDir = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\";

TEST_F(SpoolerTest, OpenPrinterChecksNameAndRights) {
  const struct {
    const char16_t* name;
    ACCESS_MASK access;
    DWORD error;  // ERROR_SUCCESS when the open succeeds
  } cases[] = {
      {kLocalPrinter, PRINTER_ALL_ACCESS, ERROR_SUCCESS},
      {u"OFFICE kx", PRINTER_ACCESS_USE, ERROR_SUCCESS},
      {kConnection, PRINTER_ALL_ACCESS, ERROR_SUCCESS},
      {kUserPrinter, PRINTER_ACCESS_USE, ERROR_SUCCESS},
      {kUserPrinter, PRINTER_READ, ERROR_SUCCESS},
      {kUserPrinter, 0, ERROR_SUCCESS},
      {kUserPrinter, PRINTER_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {kLocalPrinter, SERVER_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {u"Office KX 2", PRINTER_ACCESS_USE, ERROR_INVALID_PRINTER_NAME},
      {u"", PRINTER_ACCESS_USE, ERROR_INVALID_PRINTER_NAME},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "access " << std::hex << c.access);
    ExpectOpen(c.name, c.access, c.error);
  }
  HANDLE h = nullptr;
  ASSERT_TRUE(OpenPrinterW(kLocalPrinter, &h, nullptr));
  EXPECT_FALSE(CloseHandle(h));  // not a kernel object
  EXPECT_TRUE(ClosePrinter(h));
  EXPECT_FALSE(ClosePrinter(h));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(SpoolerTest, ANullNameOpensTheLocalPrintServerWithTheUsersServerRights) {
  const struct {
    bool administrator;
    ACCESS_MASK access;
    DWORD error;  // ERROR_SUCCESS when the open succeeds
  } cases[] = {
      {true, 0, ERROR_SUCCESS},
      {true, SERVER_ALL_ACCESS, ERROR_SUCCESS},
      {true, SERVER_ACCESS_ADMINISTER, ERROR_SUCCESS},
      {true, GENERIC_ALL, ERROR_SUCCESS},
      {true, PRINTER_ALL_ACCESS, ERROR_ACCESS_DENIED},  // printer rights are no server's
      {false, 0, ERROR_SUCCESS},
      {false, SERVER_READ, ERROR_SUCCESS},
      {false, SERVER_ACCESS_ADMINISTER, ERROR_ACCESS_DENIED},
      {false, GENERIC_WRITE, ERROR_ACCESS_DENIED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.administrator << " access " << std::hex << c.access);
    ASSERT_TRUE(plat::SetAdministrator(c.administrator));
    ExpectOpen(nullptr, c.access, c.error);
  }
}

TEST_F(SpoolerTest, AServerHandleRefusesPrinterCallsButListsForms) {
  Printer server(nullptr, SERVER_ALL_ACCESS);
  Printer enumerator(nullptr, SERVER_ACCESS_ENUMERATE);
  ASSERT_NE(server.get(), nullptr);
  ASSERT_NE(enumerator.get(), nullptr);
  const HANDLE h = server.get();
  BYTE buffer[64];
  DWORD needed = 0, type = 0;
  const auto lastError = [](BOOL ok) { return ok ? DWORD{ERROR_SUCCESS} : GetLastError(); };
  const struct {
    const char* what;
    std::function<DWORD()> call;
    DWORD error;
  } cases[] = {
      {"GetPrinterW", [&] { return lastError(GetPrinterW(h, 2, buffer, sizeof buffer, &needed)); },
       ERROR_INVALID_HANDLE},
      {"GetPrinterDriverW",
       [&] { return lastError(GetPrinterDriverW(h, nullptr, 3, buffer, sizeof buffer, &needed)); },
       ERROR_INVALID_HANDLE},
      {"EngGetPrinter",
       [&] { return lastError(EngGetPrinter(h, 2, buffer, sizeof buffer, &needed)); },
       ERROR_INVALID_HANDLE},
      {"EngGetDriverName",
       [&] { return lastError(EngGetDriverName(reinterpret_cast<HDEV>(h)) != nullptr); },
       ERROR_INVALID_HANDLE},
      {"GetPrinterDataW",
       [&] { return GetPrinterDataW(h, u"BidiFlag", &type, buffer, sizeof buffer, &needed); },
       ERROR_INVALID_PARAMETER},
      {"SetPrinterDataW", [&] { return SetPrinterDataW(h, u"BidiFlag", REG_BINARY, buffer, 1); },
       ERROR_INVALID_PARAMETER},
      {"SetPrinterDataW without administering",
       [&] { return SetPrinterDataW(enumerator.get(), u"BidiFlag", REG_BINARY, buffer, 1); },
       ERROR_ACCESS_DENIED},
      {"DeletePrinterDataW", [&] { return DeletePrinterDataW(h, u"BidiFlag"); },
       ERROR_INVALID_PARAMETER},
      {"EnumFormsW",
       [&] {
         DWORD returned = 0;
         std::vector<BYTE> forms(16384);
         const BOOL ok = EnumFormsW(enumerator.get(), 1, forms.data(),
                                    static_cast<DWORD>(forms.size()), &needed, &returned);
         return ok && returned == 118u ? DWORD{ERROR_SUCCESS} : GetLastError();
       },
       ERROR_SUCCESS},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(c.call(), c.error) << c.what;
  }
  HANDLE closed = nullptr;
  ASSERT_TRUE(OpenPrinterW(nullptr, &closed, nullptr));
  EXPECT_TRUE(ClosePrinter(closed));
  EXPECT_FALSE(ClosePrinter(closed));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(SpoolerTest, PrinterInfo2IsOneBufferWithEverythingInside) {
  Printer printer(kLocalPrinter);
  DWORD needed = 0;
  EXPECT_FALSE(GetPrinterW(printer.get(), 2, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  ASSERT_GT(needed, sizeof(PRINTER_INFO_2W) + StoredDevMode().size());

  std::vector<BYTE> shortBuffer(needed - 1, 0xCC);
  DWORD again = 0;
  EXPECT_FALSE(GetPrinterW(printer.get(), 2, shortBuffer.data(), needed - 1, &again));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(again, needed);
  EXPECT_EQ(shortBuffer, std::vector<BYTE>(needed - 1, 0xCC));

  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(GetPrinterW(printer.get(), 2, buffer.data(), needed, &again));
  EXPECT_EQ(again, needed);
  PRINTER_INFO_2W info;
  std::memcpy(&info, buffer.data(), sizeof info);
  EXPECT_EQ(info.pServerName, nullptr);
  EXPECT_EQ(Text(info.pPrinterName), kLocalPrinter);
  EXPECT_EQ(Text(info.pShareName), u"OfficeKX");
  EXPECT_EQ(Text(info.pPortName), u"IP_10.0.0.7");
  EXPECT_EQ(Text(info.pDriverName), kDriverName);
  EXPECT_EQ(Text(info.pComment), u"second floor");
  EXPECT_EQ(info.Attributes, PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_SHARED |
                                 PRINTER_ATTRIBUTE_ENABLE_BIDI);
  for (const void* p : {static_cast<const void*>(info.pPrinterName), static_cast<const void*>(
                            info.pDevMode), static_cast<const void*>(info.pDatatype)}) {
    EXPECT_TRUE(InBuffer(p, buffer));
  }
  const std::vector<BYTE> dm = StoredDevMode();
  ASSERT_TRUE(InBuffer(reinterpret_cast<const BYTE*>(info.pDevMode) + dm.size() - 1, buffer));
  EXPECT_EQ(std::memcmp(info.pDevMode, dm.data(), dm.size()), 0);
}

// A damaged store hands out what it holds: a DEVMODE whose header claims
// more than its 100 bytes, or none at all.
TEST_F(SpoolerTest, AStoredDevModeIsHandedOutAsStored) {
  std::vector<BYTE> damaged = StoredDevMode();
  damaged.resize(100);
  ASSERT_EQ(plat::SetStoredDevModeBytes(kLocalPrinter, damaged), ERROR_SUCCESS);
  Printer printer(kLocalPrinter);
  auto block = PrinterInfo2(printer.get());
  ASSERT_FALSE(block.empty());
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  ASSERT_NE(info->pDevMode, nullptr);
  EXPECT_EQ(std::memcmp(info->pDevMode, damaged.data(), damaged.size()), 0);
  EXPECT_EQ(info->pDevMode->dmDriverExtra, kPrivateBytes);

  ASSERT_EQ(plat::SetStoredDevModeBytes(kLocalPrinter, {}), ERROR_SUCCESS);
  block = PrinterInfo2(printer.get());
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(reinterpret_cast<const PRINTER_INFO_2W*>(block.data())->pDevMode, nullptr);
  EXPECT_EQ(plat::SetStoredDevModeBytes(u"No Such Printer", {}), ERROR_INVALID_PRINTER_NAME);
}

TEST_F(SpoolerTest, PrinterInfo2OfAConnectionNamesItsServer) {
  Printer connection(kConnection);
  Printer user(kUserPrinter, PRINTER_ACCESS_USE);
  const auto a = PrinterInfo2(connection.get());
  const auto b = PrinterInfo2(user.get());
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(a.data());
  EXPECT_EQ(Text(info->pServerName), kServer);
  EXPECT_EQ(Text(info->pPrinterName), kConnection);
  EXPECT_EQ(info->Attributes, PRINTER_ATTRIBUTE_NETWORK);
  EXPECT_EQ(reinterpret_cast<const PRINTER_INFO_2W*>(b.data())->pDevMode, nullptr);
}

TEST_F(SpoolerTest, InformationCallsRefuseBadArguments) {
  Printer printer(kLocalPrinter);
  const HANDLE h = printer.get();
  DWORD needed = 0;
  BYTE buffer[8];
  const struct {
    std::function<BOOL()> call;
    DWORD error;
  } cases[] = {
      {[&] { return GetPrinterW(h, 1, buffer, sizeof buffer, &needed); }, ERROR_INVALID_LEVEL},
      {[&] { return GetPrinterW(reinterpret_cast<HANDLE>(0x4444), 2, nullptr, 0, &needed); },
       ERROR_INVALID_HANDLE},
      {[&] { return GetPrinterW(h, 2, nullptr, 64, &needed); }, ERROR_INVALID_USER_BUFFER},
      {[&] { return GetPrinterDriverW(h, nullptr, 4, nullptr, 0, &needed); }, ERROR_INVALID_LEVEL},
      {[&] { return GetPrinterDriverW(h, u"Windows 4.0", 3, nullptr, 0, &needed); },
       ERROR_INVALID_ENVIRONMENT},
      {[&] { return GetPrinterDriverW(h, plat::kEnvironmentX64, 3, nullptr, 0, &needed); },
       ERROR_UNKNOWN_PRINTER_DRIVER},
      {[&] { return GetPrinterDriverDirectoryW(u"\\\\PRINTSRV", nullptr, 1, nullptr, 0, &needed); },
       ERROR_INVALID_NAME},
      {[&] { return GetPrinterDriverDirectoryW(nullptr, nullptr, 2, nullptr, 0, &needed); },
       ERROR_INVALID_LEVEL},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(cases[i].call());
    EXPECT_EQ(GetLastError(), cases[i].error);
  }
}

TEST_F(SpoolerTest, DriverInfoGivesFullPathsInTheDriverDirectory) {
  Printer printer(kLocalPrinter, PRINTER_ACCESS_USE);
  const auto two = DriverInfo(printer.get(), 2);
  ASSERT_EQ(two.size() > sizeof(DRIVER_INFO_2W), true);
  DRIVER_INFO_2W d2;
  std::memcpy(&d2, two.data(), sizeof d2);
  EXPECT_EQ(d2.cVersion, 3u);
  EXPECT_EQ(Text(d2.pName), kDriverName);
  EXPECT_EQ(Text(d2.pEnvironment), plat::kEnvironmentX86);
  EXPECT_EQ(Text(d2.pDriverPath), kFilesDir + u"kesmgr.dll");
  EXPECT_EQ(Text(d2.pDataFile), kFilesDir + u"KESM4510.KPD");
  EXPECT_EQ(Text(d2.pConfigFile), kFilesDir + u"kesmui.dll");

  const auto three = DriverInfo(printer.get(), 3, u"windows nt x86");
  ASSERT_EQ(three.size() > sizeof(DRIVER_INFO_3W), true);
  DRIVER_INFO_3W d3;
  std::memcpy(&d3, three.data(), sizeof d3);
  EXPECT_EQ(Text(d3.pDriverPath), kFilesDir + u"kesmgr.dll");
  EXPECT_EQ(Text(d3.pHelpFile), kFilesDir + u"kesmus.hlp");
  EXPECT_EQ(MultiText(d3.pDependentFiles),
            (std::vector<std::u16string>{kFilesDir + u"kesmusr.dll", kFilesDir + u"TALJC32.DLL"}));
  EXPECT_EQ(d3.pMonitorName, nullptr);
  EXPECT_EQ(Text(d3.pDefaultDataType), u"RAW");
  EXPECT_TRUE(InBuffer(d3.pDependentFiles, three));
}

TEST_F(SpoolerTest, DriverIsRegisteredWhereTheSpoolerKeepsIt) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                          u"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\"
                          u"Windows NT x86\\Drivers\\Version-3\\Talvo KX-4510 PCL",
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
  const struct {
    const char16_t* value;
    std::u16string_view text;
  } cases[] = {
      {u"Driver", std::u16string_view(u"kesmgr.dll", 11)},
      {u"Help File", std::u16string_view(u"kesmus.hlp", 11)},
      {u"Data File", std::u16string_view(u"KESM4510.KPD", 13)},
  };
  for (const auto& c : cases) {
    WCHAR text[64] = {};
    DWORD type = REG_NONE, size = sizeof text;
    EXPECT_EQ(RegQueryValueExW(key, c.value, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::u16string_view(text, size / 2), c.text);
  }
  RegCloseKey(key);
}

TEST_F(SpoolerTest, DriverDirectoryOfEachEnvironment) {
  const struct {
    const char16_t* environment;
    std::u16string expected;
  } cases[] = {
      {nullptr, u"C:\\Windows\\System32\\spool\\drivers\\w32x86"},
      {plat::kEnvironmentX64, u"C:\\Windows\\System32\\spool\\drivers\\x64"},
  };
  for (const auto& c : cases) {
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterDriverDirectoryW(nullptr, c.environment, 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(needed, (c.expected.size() + 1) * sizeof(WCHAR));
    std::vector<WCHAR> text(needed / sizeof(WCHAR));
    ASSERT_TRUE(GetPrinterDriverDirectoryW(u"", c.environment, 1,
                                           reinterpret_cast<LPBYTE>(text.data()), needed, &needed));
    EXPECT_EQ(std::u16string(text.data()), c.expected);
  }
  EXPECT_TRUE(std::filesystem::is_directory(plat::DriverFilesFolder(plat::kEnvironmentX64)));
  EXPECT_EQ(plat::DriverFilesDirectory(), kFilesDir.substr(0, kFilesDir.size() - 1));
}

struct DataCase {
  const char16_t* name;
  DWORD type;
  std::vector<BYTE> bytes;
};

// The encodings the driver's settings use in printer data.
const DataCase kDataCases[] = {
    {u"Logging", REG_DWORD, {1, 0, 0, 0}},
    {u"Tray1Paper", REG_BINARY, {9, 0}},
    {u"RAMType", REG_BINARY, {2}},
    {u"Tray1", REG_BINARY, {'M', 'P', ' ', 'T', 'r', 'a', 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {u"DriverIniFileName", REG_SZ, {'k', 0, 'u', 0, '.', 0, 'i', 0}},  // no terminator stored
    {u"Empty", REG_BINARY, {}},
};

TEST_F(SpoolerTest, PrinterDataKeepsTypeAndExactBytes) {
  Printer printer(kLocalPrinter);
  for (const auto& c : kDataCases) {
    ASSERT_EQ(SetPrinterDataW(printer.get(), c.name, c.type, c.bytes.data(),
                              static_cast<DWORD>(c.bytes.size())),
              ERROR_SUCCESS);
  }
  for (const auto& c : kDataCases) {
    SCOPED_TRACE(Text(c.name).size());
    const DWORD size = static_cast<DWORD>(c.bytes.size());
    DWORD type = 0xFFFF, needed = 0xFFFF;
    EXPECT_EQ(GetPrinterDataW(printer.get(), c.name, &type, nullptr, 0, &needed),
              size ? ERROR_MORE_DATA : ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(needed, size);
    if (size) {
      std::vector<BYTE> shortBuffer(size - 1, 0xCC);
      EXPECT_EQ(GetPrinterDataW(printer.get(), c.name, nullptr, shortBuffer.data(), size - 1,
                                &needed),
                ERROR_MORE_DATA);
      EXPECT_EQ(shortBuffer, std::vector<BYTE>(size - 1, 0xCC));
    }
    std::vector<BYTE> bytes(size + 4, 0xCC);
    EXPECT_EQ(GetPrinterDataW(printer.get(), c.name, &type, bytes.data(), size + 4, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(needed, size);
    bytes.resize(needed);
    EXPECT_EQ(bytes, c.bytes);
  }
}

TEST_F(SpoolerTest, PrinterDataNamesIgnoreCaseAndValuesCanBeReplacedAndDeleted) {
  Printer printer(kLocalPrinter);
  const BYTE one[4] = {1, 0, 0, 0};
  const BYTE name[6] = {'a', 0, 'b', 0, 0, 0};
  DWORD type = 0, needed = 0;
  BYTE out[8] = {};
  EXPECT_EQ(GetPrinterDataW(printer.get(), u"AdminChange", &type, out, sizeof out, &needed),
            ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(SetPrinterDataW(printer.get(), u"AdminChange", REG_DWORD, one, 4), ERROR_SUCCESS);
  ASSERT_EQ(SetPrinterDataW(printer.get(), u"ADMINCHANGE", REG_SZ, name, 6), ERROR_SUCCESS);
  EXPECT_EQ(GetPrinterDataW(printer.get(), u"adminchange", &type, out, sizeof out, &needed),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(needed, 6u);
  EXPECT_EQ(DeletePrinterDataW(printer.get(), u"AdminCHANGE"), ERROR_SUCCESS);
  EXPECT_EQ(GetPrinterDataW(printer.get(), u"AdminChange", &type, out, sizeof out, &needed),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(DeletePrinterDataW(printer.get(), u"AdminChange"), ERROR_FILE_NOT_FOUND);
}

TEST_F(SpoolerTest, PrinterDataIsWrittenOnlyThroughAnAdministeringHandle) {
  Printer admin(kLocalPrinter);
  Printer reader(kLocalPrinter, PRINTER_ACCESS_USE);
  const BYTE before[4] = {1, 0, 0, 0}, after[4] = {0, 0, 0, 0};
  ASSERT_EQ(SetPrinterDataW(admin.get(), u"Permission", REG_DWORD, before, 4), ERROR_SUCCESS);
  EXPECT_EQ(SetPrinterDataW(reader.get(), u"Permission", REG_DWORD, after, 4),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(DeletePrinterDataW(reader.get(), u"Permission"), ERROR_ACCESS_DENIED);
  BYTE out[4] = {};
  DWORD needed = 0;
  EXPECT_EQ(GetPrinterDataW(reader.get(), u"Permission", nullptr, out, 4, &needed), ERROR_SUCCESS);
  EXPECT_EQ(std::memcmp(out, before, 4), 0);

  Printer user(kUserPrinter, PRINTER_READ);
  EXPECT_EQ(SetPrinterDataW(user.get(), u"Permission", REG_DWORD, after, 4), ERROR_ACCESS_DENIED);
}

TEST_F(SpoolerTest, PrinterDataIsSharedBetweenHandlesAndProcesses) {
  Printer first(kLocalPrinter);
  Printer second(u"office kx");
  const BYTE flag[4] = {1, 0, 0, 0};
  ASSERT_EQ(SetPrinterDataW(first.get(), u"BidiFlag", REG_BINARY, flag, 4), ERROR_SUCCESS);
  DWORD needed = 0;
  EXPECT_EQ(GetPrinterDataW(second.get(), u"BidiFlag", nullptr, nullptr, 0, &needed),
            ERROR_MORE_DATA);
  EXPECT_EQ(needed, 4u);

  const int child = RunInChild([] {
    Printer printer(kLocalPrinter);
    const BYTE func[1] = {3};
    BYTE out[4] = {};
    DWORD got = 0;
    if (GetPrinterDataW(printer.get(), u"BidiFlag", nullptr, out, 4, &got) != ERROR_SUCCESS ||
        out[0] != 1) {
      return 1;
    }
    return SetPrinterDataW(printer.get(), u"BidiFunc", REG_BINARY, func, 1) == ERROR_SUCCESS ? 0
                                                                                            : 2;
  });
  ASSERT_EQ(child, 0);
  BYTE func = 0;
  EXPECT_EQ(GetPrinterDataW(first.get(), u"BidiFunc", nullptr, &func, 1, &needed), ERROR_SUCCESS);
  EXPECT_EQ(func, 3);
}

// Setting a value to the type and bytes it holds leaves the printer table
// as it is; anything else is written.
TEST_F(SpoolerTest, SettingAValueToWhatItHoldsWritesNothing) {
  Printer printer(kLocalPrinter);
  const BYTE flag[4] = {1, 0, 0, 0};
  ASSERT_EQ(SetPrinterDataW(printer.get(), u"BidiFlag", REG_BINARY, flag, 4), ERROR_SUCCESS);
  std::filesystem::path table;
  for (const auto& entry : std::filesystem::directory_iterator(plat::SpoolerStore())) {
    if (entry.path().extension() == ".db") table = entry.path();
  }
  ASSERT_FALSE(table.empty());
  const auto stamp = [&] {
    struct stat info {};
    stat(table.c_str(), &info);
    return std::make_pair(info.st_ino, info.st_mtim.tv_nsec + info.st_mtim.tv_sec * 1000000000LL);
  };
  const auto before = stamp();
  EXPECT_EQ(SetPrinterDataW(printer.get(), u"BIDIFLAG", REG_BINARY, flag, 4), ERROR_SUCCESS);
  EXPECT_EQ(stamp(), before);
  EXPECT_EQ(SetPrinterDataW(printer.get(), u"BidiFlag", REG_DWORD, flag, 4), ERROR_SUCCESS);
  EXPECT_NE(stamp(), before);
  DWORD type = 0;
  DWORD needed = 0;
  BYTE out[4] = {};
  EXPECT_EQ(GetPrinterDataW(printer.get(), u"BidiFlag", &type, out, 4, &needed), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD{REG_DWORD});
}

TEST_F(SpoolerTest, ConcurrentProcessesLoseNoPrinterData) {
  constexpr int kWriters = 4, kValuesEach = 20;
  std::vector<std::function<int()>> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back([w] {
      Printer printer(kLocalPrinter);
      for (int i = 0; i < kValuesEach; ++i) {
        const std::u16string name = u"TTFontTable" + std::u16string(1, char16_t(u'A' + w)) +
                                    std::u16string(1, char16_t(u'a' + i));
        const BYTE data[2] = {BYTE(w), BYTE(i)};
        if (SetPrinterDataW(printer.get(), name.c_str(), REG_BINARY, data, 2) != ERROR_SUCCESS) {
          return 1;
        }
      }
      return 0;
    });
  }
  EXPECT_EQ(RunInChildren(writers), std::vector<int>(kWriters, 0));
  Printer printer(kLocalPrinter);
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kValuesEach; ++i) {
      const std::u16string name = u"TTFontTable" + std::u16string(1, char16_t(u'A' + w)) +
                                  std::u16string(1, char16_t(u'a' + i));
      BYTE data[2] = {};
      DWORD needed = 0;
      ASSERT_EQ(GetPrinterDataW(printer.get(), name.c_str(), nullptr, data, 2, &needed),
                ERROR_SUCCESS);
      EXPECT_EQ(data[0], w);
      EXPECT_EQ(data[1], i);
    }
  }
}

TEST_F(SpoolerTest, DamagedPrinterTableIsRefusedAndLeftAsItWas) {
  Printer printer(kLocalPrinter);
  std::filesystem::path table;
  for (const auto& entry : std::filesystem::directory_iterator(plat::SpoolerStore())) {
    if (entry.path().extension() != ".lock") table = entry.path();
  }
  ASSERT_FALSE(table.empty());
  std::filesystem::resize_file(table, std::filesystem::file_size(table) - 3);
  const auto size = std::filesystem::file_size(table);
  const BYTE one[1] = {1};
  EXPECT_NE(SetPrinterDataW(printer.get(), u"ServerUse", REG_BINARY, one, 1), ERROR_SUCCESS);
  HANDLE other = nullptr;
  EXPECT_FALSE(OpenPrinterW(kLocalPrinter, &other, nullptr));
  EXPECT_EQ(std::filesystem::file_size(table), size);
}

TEST_F(SpoolerTest, SetUpRefusesBadPrintersAndDrivers) {
  const auto printer = [](std::u16string name, std::u16string server, std::u16string driver) {
    plat::PrinterSetup p;
    p.name = std::move(name);
    p.serverName = std::move(server);
    p.driverName = std::move(driver);
    return p;
  };
  std::vector<BYTE> shortDevMode = StoredDevMode();
  shortDevMode.pop_back();
  plat::PrinterSetup badDevMode = printer(u"Annex KX", u"", kDriverName);
  badDevMode.defaultDevMode = shortDevMode;
  const struct {
    plat::PrinterSetup setup;
    DWORD error;
  } printers[] = {
      {printer(u"office KX", u"", kDriverName), ERROR_PRINTER_ALREADY_EXISTS},
      {printer(u"", u"", kDriverName), ERROR_INVALID_PRINTER_NAME},
      {printer(u"Office\\KX", u"", kDriverName), ERROR_INVALID_PRINTER_NAME},
      {printer(u"Office,KX", u"", kDriverName), ERROR_INVALID_PRINTER_NAME},
      {printer(u"\\\\OTHERSRV\\KX", kServer, kDriverName), ERROR_INVALID_PRINTER_NAME},
      {printer(u"\\\\PRINTSRV\\a\\b", kServer, kDriverName), ERROR_INVALID_PRINTER_NAME},
      {printer(u"Annex KX", u"", u"Other Driver"), ERROR_UNKNOWN_PRINTER_DRIVER},
      {badDevMode, ERROR_INVALID_PARAMETER},
      {printer(u"Annex KX", u"", u"TALVO kx-4510 pcl"), ERROR_SUCCESS},
  };
  for (const auto& c : printers) EXPECT_EQ(plat::AddPrinter(c.setup), c.error);

  plat::DriverSetup noData = KxDriver();
  noData.name = u"Other Driver";
  noData.dataFile.clear();
  plat::DriverSetup badEnvironment = KxDriver();
  badEnvironment.environment = u"Windows IA64";
  plat::DriverSetup x64 = KxDriver();
  x64.environment = plat::kEnvironmentX64;
  const struct {
    plat::DriverSetup setup;
    DWORD error;
  } drivers[] = {
      {KxDriver(), ERROR_PRINTER_DRIVER_ALREADY_INSTALLED},
      {noData, ERROR_INVALID_PARAMETER},
      {badEnvironment, ERROR_INVALID_ENVIRONMENT},
      {x64, ERROR_SUCCESS},
  };
  for (const auto& c : drivers) EXPECT_EQ(plat::AddPrinterDriver(c.setup), c.error);
  Printer annex(u"Annex KX");
  EXPECT_EQ(DriverInfo(annex.get(), 3, plat::kEnvironmentX64).empty(), false);
}

TEST_F(SpoolerTest, FormDatabaseHoldsTheStandardFormsInPaperSizeOrder) {
  Printer printer(kLocalPrinter, PRINTER_ACCESS_USE);
  DWORD needed = 0, returned = 7;
  EXPECT_FALSE(EnumFormsW(printer.get(), 1, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(returned, 0u);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumFormsW(printer.get(), 1, buffer.data(), needed, &needed, &returned));
  ASSERT_EQ(returned, 118u);
  std::vector<FORM_INFO_1W> forms(returned);
  std::memcpy(forms.data(), buffer.data(), returned * sizeof(FORM_INFO_1W));

  const struct {
    int paperSize;
    const char16_t* name;
    LONG width, length;
  } expected[] = {
      {1, u"Letter", 215900, 279400},        {3, u"Tabloid", 279400, 431800},
      {4, u"Ledger", 431800, 279400},        {5, u"Legal", 215900, 355600},
      {6, u"Statement", 139700, 215900},     {7, u"Executive", 184150, 266700},
      {8, u"A3", 297000, 420000},            {9, u"A4", 210000, 297000},
      {11, u"A5", 148000, 210000},           {12, u"B4 (JIS)", 257000, 364000},
      {13, u"B5 (JIS)", 182000, 257000},     {14, u"Folio", 215900, 330200},
      {15, u"Quarto", 215000, 275000},       {16, u"10x14", 254000, 355600},
      {17, u"11x17", 279400, 431800},        {20, u"Envelope #10", 104775, 241300},
      {27, u"Envelope DL", 110000, 220000},  {28, u"Envelope C5", 162000, 229000},
      {34, u"Envelope B5", 176000, 250000},  {37, u"Envelope Monarch", 98425, 190500},
      {43, u"Japanese Postcard", 100000, 148000}, {70, u"A6", 105000, 148000},
      {118, u"PRC Envelope #10 Rotated", 458000, 324000},
  };
  for (const auto& e : expected) {
    const FORM_INFO_1W& f = forms[e.paperSize - 1];
    EXPECT_EQ(Text(f.pName), e.name);
    EXPECT_EQ(f.Flags, FORM_BUILTIN);
    EXPECT_EQ(f.Size.cx, e.width);
    EXPECT_EQ(f.Size.cy, e.length);
    EXPECT_EQ(f.ImageableArea.right, e.width);
    EXPECT_EQ(f.ImageableArea.bottom, e.length);
  }
  for (const auto& f : forms) EXPECT_TRUE(InBuffer(f.pName, buffer));
  EXPECT_FALSE(EnumFormsW(printer.get(), 2, buffer.data(), needed, &needed, &returned));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
}

}  // namespace
