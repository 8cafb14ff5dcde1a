// The document sheet as the spooler's host opens it, headless, on a warm
// process: from DrvDocumentPropertySheets handed to the common
// property-sheet host until its first page has painted, and from the
// user's OK until the driver has finished DESTROY. Each iteration opens
// and closes a whole sheet; only the span named is timed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/bench_machine.h"
#include "platform/compstui/compstui_host.h"
#include "platform/spooler/printer_interface.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/script_driver.h"
#include "platform/window/winuser.h"
#include "ui/alerts/engine_hooks.h"
#include "ui/entry/dll_entry.h"

namespace {

using Clock = std::chrono::steady_clock;
using plat::window::Script;
using plat::window::WindowRef;

constexpr std::size_t kDriverDevmode = 1236;

std::string W2Sample() {
  std::ifstream in(KESM_TEST_DATA "/kpd/kesm_w2_request.kpd", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The W2 request sample's printer (the most pages) with its resource DLL,
// and the library's message boxes wired to the window system.
class SheetPrinter {
 public:
  SheetPrinter() : machine_(W2Sample()) {
    ok_ = machine_.PlaceResourceDll(KESM_UI_STRINGS);
    RegisterEngineHooks();
  }
  ~SheetPrinter() { UnregisterEngineHooks(); }
  bool ok() const { return ok_; }
  HANDLE printer() const { return machine_.printer(); }

 private:
  kesm_bench::BenchMachine machine_;
  bool ok_ = false;
};

// When the driver's DESTROY came back; the host calls a plain function.
Clock::time_point& DestroyedAt() {
  static Clock::time_point at;
  return at;
}
LONG CALLBACK TimedSheet(PROPSHEETUI_INFO* info, LPARAM lParam) {
  const LONG answer = DrvDocumentPropertySheets(info, lParam);
  if (info != nullptr && info->Reason == PROPSHEETUI_REASON_DESTROY) DestroyedAt() = Clock::now();
  return answer;
}

WindowRef ActiveSheet() {
  return WindowRef::Found("the property sheet", [] {
    HWND active = GetActiveWindow();
    return active != nullptr && GetDlgItem(active, IDC_SHEETTABS) != nullptr ? active : nullptr;
  });
}

struct Span {
  Clock::time_point from, to;
};

// Opens the document sheet through the host; when its loop first goes
// idle, the sheet's pending paint is finished (the first page painted),
// then the sheet is closed by `button`. Spans: open to painted, and the
// button's click to DESTROY.
bool OneSheet(HANDLE printer, int button, Span& open, Span& close) {
  std::vector<BYTE> out(kDriverDevmode);
  DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer, const_cast<LPWSTR>(u"Design Studio"),
                                nullptr, reinterpret_cast<DEVMODEW*>(out.data()), 0, DM_COPY};
  Script script;
  script.check("painted", [&open] {
    HWND sheet = GetActiveWindow();
    if (sheet != nullptr) UpdateWindow(sheet);
    open.to = Clock::now();
  });
  script.check("pressed", [&close] { close.from = Clock::now(); });
  script.press(ActiveSheet(), button);
  DWORD result = 0;
  open.from = Clock::now();
  const LONG answer =
      CommonPropertySheetUIW(nullptr, TimedSheet, reinterpret_cast<LPARAM>(&header), &result);
  close.to = DestroyedAt();
  return answer == CPSUI_OK && script.done() && script.failures().empty() && result == (button == IDOK ? 1u : 0u);
}

void Sheet(benchmark::State& state, bool timeClose) {
  SheetPrinter p;
  Span open, close;
  // The first sheet loads the resource module and parks the context.
  if (!p.ok() || !OneSheet(p.printer(), IDCANCEL, open, close)) {
    state.SkipWithError("the sheet could not be shown");
    return;
  }
  for (auto _ : state) {
    if (!OneSheet(p.printer(), IDOK, open, close)) {
      state.SkipWithError("the sheet did not run to its OK");
      break;
    }
    const Span& span = timeClose ? close : open;
    state.SetIterationTime(std::chrono::duration<double>(span.to - span.from).count());
  }
}

void BM_DocumentSheetToFirstPaint(benchmark::State& state) { Sheet(state, false); }
BENCHMARK(BM_DocumentSheetToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
void BM_DocumentSheetOkToDestroy(benchmark::State& state) { Sheet(state, true); }
BENCHMARK(BM_DocumentSheetOkToDestroy)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
