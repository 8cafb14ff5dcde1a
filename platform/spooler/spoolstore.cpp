// The printer table file of the spooler store: every printer with its
// settings and its printer data, in one file that is replaced whole.
#include <algorithm>

#include "platform/base/machine.h"
#include "platform/spooler/spoolstore.h"
#include "platform/host/storecache.h"
#include "platform/host/storefile.h"
#include "platform/base/winerror.h"

namespace plat::spool {
namespace {

constexpr DWORD kMagic = 0x4C50534B;  // "KSPL"
constexpr DWORD kVersion = 1;

std::filesystem::path TableFile() {
  if (MachineRoot().empty()) return {};
  return SpoolerStore() / "printers.db";
}

void EncodePrinter(store::Writer& w, const PrinterRecord& p) {
  for (const auto* text : {&p.name, &p.serverName, &p.shareName, &p.portName, &p.driverName,
                           &p.comment, &p.location}) {
    w.Text(*text);
  }
  w.U32(p.attributes);
  w.U32(p.userRights);
  w.Bytes(p.devMode);
  store::WriteValues(w, p.data, &DataValue::bytes);
}

bool DecodePrinter(store::Reader& r, PrinterRecord& p) {
  for (auto* text : {&p.name, &p.serverName, &p.shareName, &p.portName, &p.driverName,
                     &p.comment, &p.location}) {
    if (!r.Text(*text)) return false;
  }
  return r.U32(p.attributes) && r.U32(p.userRights) && r.Bytes(p.devMode) &&
         store::ReadValues(r, p.data, &DataValue::bytes);
}

std::vector<BYTE> Encode(const std::vector<PrinterRecord>& printers) {
  store::Writer w;
  w.U32(kMagic);
  w.U32(kVersion);
  w.U32(static_cast<DWORD>(printers.size()));
  for (const auto& p : printers) EncodePrinter(w, p);
  return std::move(w.bytes());
}

// An empty file is an empty table; a damaged one is refused, never
// overwritten.
DWORD Decode(std::span<const BYTE> bytes, std::vector<PrinterRecord>& printers) {
  printers.clear();
  if (bytes.empty()) return ERROR_SUCCESS;
  store::Reader r(bytes);
  DWORD magic = 0, version = 0, count = 0;
  if (!r.U32(magic) || !r.U32(version) || magic != kMagic || version != kVersion || !r.U32(count)) {
    return ERROR_INVALID_DATA;
  }
  for (DWORD i = 0; i < count; ++i) {
    PrinterRecord p;
    if (!DecodePrinter(r, p)) return ERROR_INVALID_DATA;
    printers.push_back(std::move(p));
  }
  return r.AtEnd() ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

PrinterRecord* Find(std::vector<PrinterRecord>& printers, std::u16string_view name) {
  auto it = std::find_if(printers.begin(), printers.end(),
                         [&](const PrinterRecord& p) { return store::SameName(p.name, name); });
  return it == printers.end() ? nullptr : &*it;
}

std::vector<std::u16string_view> Names(const std::vector<PrinterRecord>& printers) {
  std::vector<std::u16string_view> names;
  for (const PrinterRecord& p : printers) names.push_back(p.name);
  return names;
}

std::vector<std::u16string_view> Names(const std::vector<DataValue>& values) {
  std::vector<std::u16string_view> names;
  for (const DataValue& v : values) names.push_back(v.name);
  return names;
}

DWORD DecodeTable(std::span<const BYTE> bytes, PrinterTable& table) {
  std::vector<PrinterRecord> printers;
  if (DWORD rc = Decode(bytes, printers); rc != ERROR_SUCCESS) return rc;
  table = PrinterTable(std::move(printers));
  return ERROR_SUCCESS;
}

}  // namespace

PrinterTable::PrinterTable(std::vector<PrinterRecord> printers)
    : printers_(std::move(printers)), byName_(Names(printers_)) {
  for (const PrinterRecord& p : printers_) dataByName_.emplace_back(Names(p.data));
}

const PrinterRecord* PrinterTable::Find(std::u16string_view name) const {
  const std::size_t at = byName_.Find(name);
  return at == store::NameIndex::kMissing ? nullptr : &printers_[at];
}

const DataValue* PrinterTable::FindData(const PrinterRecord& printer, std::u16string_view name) const {
  const store::NameIndex& index = dataByName_[static_cast<std::size_t>(&printer - printers_.data())];
  const std::size_t at = index.Find(name);
  return at == store::NameIndex::kMissing ? nullptr : &printer.data[at];
}

DWORD ReadPrinters(bool checkFile, std::shared_ptr<const PrinterTable>& table) {
  static auto* cache = new store::CachedStore<PrinterTable, DecodeTable>(TableFile);  // lives until exit
  const DWORD rc = cache->Get(checkFile, table);
  return rc != ERROR_SUCCESS && TableFile().empty() ? ERROR_INVALID_PRINTER_NAME : rc;
}

std::string DiagnosePrinterTable() {
  const auto file = TableFile();
  if (file.empty()) return {};
  return store::Diagnose(file, "the printer table", [](std::span<const BYTE> bytes) {
    std::vector<PrinterRecord> printers;
    return Decode(bytes, printers);
  });
}

DWORD ReadPrinter(std::u16string_view name, PrinterRecord& printer, bool checkFile) {
  std::shared_ptr<const PrinterTable> table;
  if (DWORD rc = ReadPrinters(checkFile, table); rc != ERROR_SUCCESS) return rc;
  const PrinterRecord* found = table->Find(name);
  if (!found) return ERROR_INVALID_PRINTER_NAME;
  printer = *found;
  return ERROR_SUCCESS;
}

DWORD ChangePrinters(const std::function<DWORD(std::vector<PrinterRecord>&)>& change) {
  const auto file = TableFile();
  if (file.empty()) return ERROR_INVALID_PRINTER_NAME;
  return store::Update(file, [&](std::vector<BYTE>& bytes) {
    std::vector<PrinterRecord> printers;
    if (DWORD rc = Decode(bytes, printers); rc != ERROR_SUCCESS) return rc;
    if (DWORD rc = change(printers); rc != ERROR_SUCCESS) return rc;
    bytes = Encode(printers);
    return ERROR_SUCCESS;
  });
}

DWORD ChangePrinter(std::u16string_view name, const std::function<DWORD(PrinterRecord&)>& change) {
  return ChangePrinters([&](std::vector<PrinterRecord>& printers) {
    PrinterRecord* found = Find(printers, name);
    return found ? change(*found) : ERROR_INVALID_PRINTER_NAME;
  });
}

}  // namespace plat::spool
