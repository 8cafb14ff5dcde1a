// Asks DrvDeviceCapabilities every capability (0-23 and beyond) with an
// arbitrary DEVMODE on a printer of the W2 sample: first for the count,
// then into an output of exactly the size the count needs. The input is
// {capability (1), DEVMODE bytes}; the DEVMODE buffer is exactly as long as
// the DEVMODE states (the entry point takes no size). No context may stay
// open and no block may be left.
// Seeds: fuzz/corpus/drv_device_capabilities.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/ui_fuzz_printer.h"
#include "platform/spooler/printer_interface.h"
#include "ui/entry/dll_entry.h"

namespace {

// Bytes of one entry of a capability's output; 0 for answers without one.
std::size_t EntryBytes(WORD capability) {
  switch (capability) {
    case DC_PAPERS:
    case DC_BINS:
      return sizeof(WORD);
    case DC_PAPERSIZE:
    case DC_ENUMRESOLUTIONS:
      return 2 * sizeof(LONG);
    case DC_BINNAMES:
      return CCHBINNAME * sizeof(WCHAR);
    case DC_PAPERNAMES:
      return CCHPAPERNAME * sizeof(WCHAR);
    case DC_MINEXTENT:
    case DC_MAXEXTENT:
      return 0;  // a fixed pair, written below
    default:
      return 0;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::UiPrinter& printer = fuzz::TheUiPrinter();
  // The context a capability parks serves every later input.
  static const DWORD warm = DrvDeviceCapabilities(printer.machine.printer(), nullptr, DC_PAPERS, nullptr, nullptr);
  (void)warm;
  if (size < 1) return 0;
  const auto capability = static_cast<WORD>(data[0] < 250 ? data[0] % 24 : 0xFF00 | data[0]);
  std::vector<BYTE> dm = fuzz::CallerDevmode(data + 1, size - 1);
  DEVMODEW* devmode = dm.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(dm.data());
  fuzz::NoContextLeft check;
  const HANDLE handle = printer.machine.printer();
  const DWORD count = DrvDeviceCapabilities(handle, nullptr, capability, nullptr, devmode);
  std::vector<BYTE> output;
  if (capability == DC_MINEXTENT || capability == DC_MAXEXTENT) {
    output.resize(2 * sizeof(WORD));
  } else if (count != 0xFFFFFFFF && count < 4096) {
    output.resize(count * EntryBytes(capability));
  }
  if (!output.empty()) DrvDeviceCapabilities(handle, nullptr, capability, output.data(), devmode);
  return 0;
}
