// The sheet monkey driven by the fuzzer's bytes: each input opens the
// document or the printer sheet of the W2 sample's printer through the
// common property-sheet host, lets the monkey take the steps its bytes
// choose, and winds down whatever is left open. The input is {sheet and
// step count (1), the monkey's choices (two bytes a choice)}: bit 0 of the
// first byte picks the printer sheet, the rest of it bounds the steps
// (never more than kMaxSteps, nor more than the choices the input holds).
// After each input: the script ran to its end without a failure, no
// context is open, no platform block is left, an accepted DEVMODE is one
// validation keeps (at its size), the printer data the printer sheet
// writes reads back and a context opens on it.
// Seeds: fuzz/corpus/sheet_monkey.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz/ui_fuzz_printer.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "platform/spooler/printer_interface.h"
#include "platform/window/script_driver.h"
#include "tests/common/sheet_monkey.h"
#include "features/module_table/pages/page_rows.h"
#include "ui/alerts/engine_hooks.h"
#include "ui/entry/dll_entry.h"

namespace {

constexpr std::size_t kDriverDevmode = 1236;
constexpr const char16_t* kPrinter = u"Design Studio";
// Enough to reach every page and a nested dialog or two, few enough that an
// input stays cheap; a sheet the bytes close early is not opened again.
constexpr std::size_t kMaxSteps = 120;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "sheet monkey: %s\n", what);
  std::abort();
}

// A context of its own: never one the cache parked (the open has flags),
// so it reads what the sheets left, and freed at once when released.
UCB* FreshContext(HANDLE printer) {
  UCB* ucb = GetUcb2(printer, printer, 0, kOpenNoLock, kesm_bench::kSheetMode);
  if (ucb == nullptr) Fail("no context opens on the printer");
  return ucb;
}

// The sheet's DEVMODE, validated into a context of its own, is kept at the
// size it states. (Values validation replaces are the monkey test's to
// report, not a fault of the walk.)
void ExpectValidated(HANDLE printer, std::vector<BYTE>& devmode) {
  auto* dm = reinterpret_cast<DEVMODEW*>(devmode.data());
  if (std::size_t(dm->dmSize) + dm->dmDriverExtra != devmode.size()) Fail("the DEVMODE handed out has a wrong size");
  UCB* ucb = FreshContext(printer);
  if (ValidateDevmode(ucb, dm, devmode.size(), kValidateModify) != 1) Fail("validation refuses the DEVMODE handed out");
  const DEVMODEW* kept = GetDocumentDevmode(ucb);
  if (kept == nullptr || std::size_t(kept->dmSize) + kept->dmDriverExtra != devmode.size()) {
    Fail("validation changes the DEVMODE's size");
  }
  FreeUcb(ucb);
}

// The printer data the printer sheet writes reads back, and a context
// opens on it.
void ExpectPrinterDataReadsBack(HANDLE printer) {
  DWORD type = 0, value = 0, needed = 0;
  if (GetPrinterDataW(printer, u"Permission", &type, reinterpret_cast<LPBYTE>(&value), sizeof value, &needed) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    Fail("the printer sheet's permission does not read back");
  }
  FreeUcb(FreshContext(printer));
}

// Opens the sheet as the spooler's old calls do and lets the monkey walk it;
// true when the user's OK saved it.
bool RunSheet(HANDLE printer, bool printerSheet, std::vector<BYTE>& out, kesm_test::Choices& choices,
              std::size_t steps) {
  plat::window::Script script;
  script.budget(20000, 1000000);
  kesm_test::MonkeyCount count;
  kesm_test::AddMonkey(script, choices, steps, count);
  bool saved = false;
  if (printerSheet) {
    saved = PrinterProperties(nullptr, printer) != FALSE;
  } else {
    auto* dm = reinterpret_cast<DEVMODEW*>(out.data());
    const LONG answer = DrvDocumentProperties(nullptr, printer, const_cast<LPWSTR>(kPrinter), dm, nullptr,
                                              DM_COPY | DM_PROMPT);
    if (answer != IDOK && answer != IDCANCEL) Fail("the document sheet did not run");
    saved = answer == IDOK;
  }
  for (const std::string& failure : script.failures()) std::fprintf(stderr, "script: %s\n", failure.c_str());
  if (!script.failures().empty()) Fail("the monkey's script failed");
  return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::UiPrinter& printer = fuzz::TheUiPrinter();
  const HANDLE handle = printer.machine.printer();
  // The first sheets load the resource module, its pictures and the
  // parked contexts that serve every later input.
  static const bool warm = [handle] {
    RegisterEngineHooks();
    RegisterFeaturePages();
    for (const bool printerSheet : {false, true}) {
      kesm_test::ByteChoices none({});
      std::vector<BYTE> out(kDriverDevmode);
      RunSheet(handle, printerSheet, out, none, 0);
    }
    return true;
  }();
  (void)warm;
  if (size < 1) return 0;
  const bool printerSheet = (data[0] & 1) != 0;
  kesm_test::ByteChoices choices({data + 1, size - 1});
  const std::size_t steps = std::min<std::size_t>({kMaxSteps, std::size_t(data[0] >> 1) + 1, (size - 1) / 2});
  fuzz::NoContextLeft check;
  std::vector<BYTE> out(kDriverDevmode, 0xA5);
  const bool saved = RunSheet(handle, printerSheet, out, choices, steps);
  if (!printerSheet && saved) ExpectValidated(handle, out);
  if (printerSheet) ExpectPrinterDataReadsBack(handle);
  return 0;
}
