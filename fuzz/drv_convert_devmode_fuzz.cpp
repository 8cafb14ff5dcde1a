// Feeds arbitrary DEVMODEs to the configuration library's DEVMODE entry
// points: DrvConvertDevMode (every mode, with the target buffer's size and
// the size word the caller states) and the merge of
// DrvDocumentPropertySheets without sheet information (every fMode of the
// merge), on a printer of the W2 sample. The input is {target bytes (2),
// mode (1), fMode (1), DEVMODE bytes}; the target is exactly as long as
// said and the caller's DEVMODE exactly as long as it states (the entry
// points take no size for it). No context may stay open and no block may
// be left.
// Seeds: fuzz/corpus/drv_convert_devmode.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/ui_fuzz_printer.h"
#include "platform/spooler/printer_interface.h"
#include "ui/entry/dll_entry.h"

namespace {

constexpr DWORD kModes[] = {CDM_CONVERT351, CDM_DRIVER_DEFAULT, 0, 8, CDM_CONVERT};
// The merge's fModes. DM_COPY would also fill the application blocks of
// the output's private part: a walk of every option, ten times the rest of
// a merge, that reads nothing of the caller's DEVMODE (the tests and the
// benchmarks run it). One input in 128 asks for it.
constexpr DWORD kMergeModes[] = {DM_UPDATE | DM_MODIFY, DM_MODIFY, DM_UPDATE | DM_MODIFY | DM_NOPERMISSION,
                                 DM_UPDATE | DM_MODIFY | DM_USER_DEFAULT, DM_UPDATE, DM_UPDATE | DM_MODIFY};
constexpr DWORD kCopyModes[] = {DM_COPY | DM_MODIFY, DM_COPY, DM_UPDATE | DM_COPY | DM_MODIFY};
constexpr std::size_t kDriverDevmode = 1236;

DEVMODEW* Dm(std::vector<BYTE>& b) { return b.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(b.data()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::UiPrinter& printer = fuzz::TheUiPrinter();
  // The context the merge parks serves every later input.
  static const LONG warm = [&] {
    std::vector<BYTE> out(kDriverDevmode);
    DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer.machine.printer(), nullptr, nullptr, Dm(out), 0, DM_COPY};
    return DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header));
  }();
  (void)warm;
  if (size < 4) return 0;
  const std::size_t targetBytes = static_cast<std::size_t>(data[0] | data[1] << 8) % 2048;
  const DWORD mode = kModes[data[2] % std::size(kModes)];
  const DWORD fMode = data[3] == 0x80 ? kCopyModes[data[2] % std::size(kCopyModes)]
                                        : kMergeModes[data[3] % std::size(kMergeModes)];
  std::vector<BYTE> source = fuzz::CallerDevmode(data + 4, size - 4);
  fuzz::NoContextLeft check;

  std::vector<BYTE> target(targetBytes);
  for (std::size_t i = 0; i < target.size() && !source.empty(); ++i) target[i] = source[i % source.size()];
  LONG bytes = static_cast<LONG>(target.size());
  // A conversion and a default request go on to install the printer they
  // name, which reads nothing more of the caller's DEVMODE than its
  // version and takes a tenth of a second: they name a printer that is not
  // there, so that everything before the install runs at fuzzing pace.
  const bool installs = mode == CDM_CONVERT || mode == CDM_DRIVER_DEFAULT;
  DrvConvertDevMode(const_cast<LPWSTR>(installs ? u"No Such Printer" : u"Design Studio"), Dm(source), Dm(target),
                    &bytes, mode);

  std::vector<BYTE> out(kDriverDevmode);
  DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer.machine.printer(), nullptr, Dm(source), Dm(out), 0, fMode};
  DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header));
  return 0;
}
