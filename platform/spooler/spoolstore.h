// The spooler's state: the printer table with each printer's data, kept in
// the machine's spooler store, and the driver records, kept in the registry
// where Windows keeps them. Internal to the platform library.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/host/storefile.h"

namespace plat::spool {

struct Environment {
  const char16_t* name;    // "Windows NT x86"
  const char16_t* folder;  // "w32x86", below spool\drivers
};

// The environment of that name (ignoring case); null names this machine's.
// Null when unknown.
const Environment* FindEnvironment(const char16_t* name);

// The driver directory of an environment: C:\Windows\System32\spool\drivers\<folder>.
std::u16string DriverDirectory(const Environment& env);

struct DriverRecord {
  std::u16string name;
  DWORD version = 3;
  std::u16string driverFile;  // bare file names
  std::u16string dataFile;
  std::u16string configFile;
  std::u16string helpFile;
  std::vector<std::u16string> dependentFiles;
  std::u16string monitorName;
  std::u16string defaultDataType;
};

// ERROR_SUCCESS or ERROR_UNKNOWN_PRINTER_DRIVER.
DWORD ReadDriver(const Environment& env, std::u16string_view name, DriverRecord& driver);
// Registers the driver; ERROR_PRINTER_DRIVER_ALREADY_INSTALLED when present.
DWORD WriteDriver(const Environment& env, const DriverRecord& driver);

struct DataValue {
  std::u16string name;  // matched ignoring case
  DWORD type = 0;
  std::vector<BYTE> bytes;
};

struct PrinterRecord {
  std::u16string name;
  std::u16string serverName;
  std::u16string shareName;
  std::u16string portName;
  std::u16string driverName;
  std::u16string comment;
  std::u16string location;
  DWORD attributes = 0;
  DWORD userRights = 0;
  std::vector<BYTE> devMode;
  std::vector<DataValue> data;  // creation order
};

// The printer table as it is now, shared and read only. It is kept in
// memory while no process changes the store (platform/host/storecache.h),
// with the printers and each printer's data indexed by name (ignoring
// case, the first of equal names counting).
class PrinterTable {
 public:
  PrinterTable() = default;
  // Builds the indexes; the records are not changed afterwards. The
  // indexes point into the records, so a table is moved, never copied.
  explicit PrinterTable(std::vector<PrinterRecord> printers);
  PrinterTable(PrinterTable&&) = default;
  PrinterTable& operator=(PrinterTable&&) = default;
  PrinterTable(const PrinterTable&) = delete;
  PrinterTable& operator=(const PrinterTable&) = delete;

  const PrinterRecord* Find(std::u16string_view name) const;
  // A printer data value of a printer of this table, or null.
  const DataValue* FindData(const PrinterRecord& printer, std::u16string_view name) const;

 private:
  std::vector<PrinterRecord> printers_;
  store::NameIndex byName_;
  std::vector<store::NameIndex> dataByName_;  // one per printer
};

// The current printer table; checkFile also sees a store file changed
// behind the spooler's back (opens ask for it). ERROR_INVALID_PRINTER_NAME
// when there is no machine, the store's errors otherwise.
DWORD ReadPrinters(bool checkFile, std::shared_ptr<const PrinterTable>& table);
// What keeps the printer table from being read, naming its file or lock
// file (see store::Diagnose); empty when nothing does.
std::string DiagnosePrinterTable();
// A copy of the printer of that name (ignoring case), or
// ERROR_INVALID_PRINTER_NAME.
DWORD ReadPrinter(std::u16string_view name, PrinterRecord& printer, bool checkFile = false);
// Read-modify-write of the whole table under the store's exclusive lock.
DWORD ChangePrinters(const std::function<DWORD(std::vector<PrinterRecord>&)>& change);
// The same for one printer; ERROR_INVALID_PRINTER_NAME when it is gone.
DWORD ChangePrinter(std::u16string_view name, const std::function<DWORD(PrinterRecord&)>& change);

}  // namespace plat::spool
