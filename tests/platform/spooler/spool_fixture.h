// A machine with one fictional printer driver and three printers on it: a
// local printer with a stored default DEVMODE and bidi enabled, a
// connection to a print server's printer, and a printer on which the user
// holds only the rights of a plain user.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/spooler/devmode.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"

inline constexpr const char16_t* kDriverName = u"Talvo KX-4510 PCL";
inline constexpr const char16_t* kLocalPrinter = u"Office KX";
inline constexpr const char16_t* kServer = u"\\\\PRINTSRV";
inline constexpr const char16_t* kConnection = u"\\\\PRINTSRV\\Floor2 KX";
inline constexpr const char16_t* kUserPrinter = u"Lobby KX";
inline constexpr WORD kPrivateBytes = 16;

// The stored default DEVMODE: the public part and 16 private bytes 1..16.
inline std::vector<BYTE> StoredDevMode() {
  DEVMODEW dm{};
  std::memcpy(dm.dmDeviceName, u"Office KX", sizeof u"Office KX");
  dm.dmSpecVersion = 0x0401;
  dm.dmSize = sizeof(DEVMODEW);
  dm.dmDriverExtra = kPrivateBytes;
  dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
  dm.dmOrientation = 1;
  dm.dmPaperSize = 9;
  std::vector<BYTE> bytes(sizeof dm + kPrivateBytes);
  std::memcpy(bytes.data(), &dm, sizeof dm);
  for (WORD i = 0; i < kPrivateBytes; ++i) bytes[sizeof dm + i] = static_cast<BYTE>(i + 1);
  return bytes;
}

inline plat::DriverSetup KxDriver() {
  plat::DriverSetup d;
  d.name = kDriverName;
  d.driverFile = u"kesmgr.dll";
  d.dataFile = u"KESM4510.KPD";
  d.configFile = u"kesmui.dll";
  d.helpFile = u"kesmus.hlp";
  d.dependentFiles = {u"kesmusr.dll", u"TALJC32.DLL"};
  return d;
}

class SpoolerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(plat::AddPrinterDriver(KxDriver()), ERROR_SUCCESS);
    plat::PrinterSetup local;
    local.name = kLocalPrinter;
    local.driverName = kDriverName;
    local.shareName = u"OfficeKX";
    local.portName = u"IP_10.0.0.7";
    local.comment = u"second floor";
    local.attributes = PRINTER_ATTRIBUTE_SHARED | PRINTER_ATTRIBUTE_ENABLE_BIDI;
    local.defaultDevMode = StoredDevMode();
    ASSERT_EQ(plat::AddPrinter(local), ERROR_SUCCESS);
    plat::PrinterSetup connection;
    connection.name = kConnection;
    connection.serverName = kServer;
    connection.driverName = kDriverName;
    ASSERT_EQ(plat::AddPrinter(connection), ERROR_SUCCESS);
    plat::PrinterSetup user;
    user.name = kUserPrinter;
    user.driverName = kDriverName;
    user.userRights = PRINTER_READ;
    ASSERT_EQ(plat::AddPrinter(user), ERROR_SUCCESS);
  }

  plat::ScopedMachine machine_;
};

// An open printer, closed at the end of the scope.
class Printer {
 public:
  explicit Printer(const char16_t* name, ACCESS_MASK access = PRINTER_ALL_ACCESS) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    if (!OpenPrinterW(name, &handle_, &defaults)) handle_ = nullptr;
  }
  ~Printer() {
    if (handle_) ClosePrinter(handle_);
  }
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// True when the string lies wholly inside the buffer.
inline bool InBuffer(const void* p, const std::vector<BYTE>& buffer) {
  const BYTE* b = static_cast<const BYTE*>(p);
  return b >= buffer.data() && b < buffer.data() + buffer.size();
}

inline std::u16string Text(LPCWSTR s) { return s ? std::u16string(s) : u"(null)"; }
