// The document sheet as the spooler's host opens it, headless, on a warm
// process: from DrvDocumentPropertySheets handed to the common
// property-sheet host until its first page has painted, and from the
// user's OK until the driver has finished DESTROY; and what a person feels
// on an open sheet: a tab change until the new page has painted, and a
// click on a control until the page has painted again. Each iteration opens
// and closes a whole sheet; only the span named is timed, in the CPU time
// of the thread that runs the sheet.
#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
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

// The CPU time this thread has used, in seconds: the headless sheet runs
// on the calling thread, and a loaded machine does not stretch it.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// When the driver's DESTROY came back, in thread CPU seconds; the host
// calls a plain function.
double& DestroyedAt() {
  static double at = 0;
  return at;
}
LONG CALLBACK TimedSheet(PROPSHEETUI_INFO* info, LPARAM lParam) {
  const LONG answer = DrvDocumentPropertySheets(info, lParam);
  if (info != nullptr && info->Reason == PROPSHEETUI_REASON_DESTROY) DestroyedAt() = ThreadSeconds();
  return answer;
}

WindowRef ActiveSheet() {
  return WindowRef::Found("the property sheet", [] {
    HWND active = GetActiveWindow();
    return active != nullptr && GetDlgItem(active, IDC_SHEETTABS) != nullptr ? active : nullptr;
  });
}

// Marks in thread CPU seconds.
struct Span {
  double from = 0, to = 0;
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
    open.to = ThreadSeconds();
  });
  script.check("pressed", [&close] { close.from = ThreadSeconds(); });
  script.press(ActiveSheet(), button);
  DWORD result = 0;
  open.from = ThreadSeconds();
  const LONG answer =
      CommonPropertySheetUIW(nullptr, TimedSheet, reinterpret_cast<LPARAM>(&header), &result);
  close.to = DestroyedAt();
  return answer == CPSUI_OK && script.done() && script.failures().empty() && result == (button == IDOK ? 1u : 0u);
}

// Shows the sheet once (the first sheet loads the resource module and parks
// the context), then times one sheet per iteration: `one` gives the seconds
// of its span, or a negative value when the sheet did not run to its OK.
void EachSheet(benchmark::State& state, const std::function<double(HANDLE)>& one) {
  SheetPrinter p;
  Span open, close;
  if (!p.ok() || !OneSheet(p.printer(), IDCANCEL, open, close)) {
    state.SkipWithError("the sheet could not be shown");
    return;
  }
  for (auto _ : state) {
    const double seconds = one(p.printer());
    if (seconds < 0) {
      state.SkipWithError("the sheet did not run to its OK");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

void Sheet(benchmark::State& state, bool timeClose) {
  EachSheet(state, [timeClose](HANDLE printer) {
    Span open, close;
    if (!OneSheet(printer, IDOK, open, close)) return -1.0;
    const Span& span = timeClose ? close : open;
    return span.to - span.from;
  });
}

BOOL CALLBACK PaintOne(HWND window, LPARAM) {
  UpdateWindow(window);
  return TRUE;
}

// Finishes every pending paint of the sheet, its page and their controls.
void PaintSheet() {
  HWND sheet = GetActiveWindow();
  if (sheet == nullptr) return;
  UpdateWindow(sheet);
  EnumChildWindows(sheet, PaintOne, 0);
}

// Opens the document sheet, runs `setup`, then `timed` between two marks
// taken with every paint finished, and leaves with OK. The span between
// the marks in thread CPU seconds, or a negative value when the sheet did
// not run to its OK.
double TimedOnSheet(HANDLE printer, const std::function<void(Script&)>& setup,
                    const std::function<void(Script&)>& timed) {
  std::vector<BYTE> out(kDriverDevmode);
  DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer, const_cast<LPWSTR>(u"Design Studio"),
                                nullptr, reinterpret_cast<DEVMODEW*>(out.data()), 0, DM_COPY};
  double from = 0;
  double to = 0;
  Script script;
  setup(script);
  script.check("from", [&from] {
    PaintSheet();
    from = ThreadSeconds();
  });
  timed(script);
  script.check("to", [&to] {
    PaintSheet();
    to = ThreadSeconds();
  });
  script.press(ActiveSheet(), IDOK);
  DWORD result = 0;
  const LONG answer =
      CommonPropertySheetUIW(nullptr, TimedSheet, reinterpret_cast<LPARAM>(&header), &result);
  const bool ran = answer == CPSUI_OK && script.done() && script.failures().empty() && result == 1;
  return ran ? to - from : -1;
}

void OnOpenSheet(benchmark::State& state, const std::function<void(Script&)>& setup,
                 const std::function<void(Script&)>& timed) {
  EachSheet(state, [&setup, &timed](HANDLE printer) { return TimedOnSheet(printer, setup, timed); });
}

constexpr int kBasicTab = 1;
constexpr int kFinishTab = 3;
constexpr int kSortBox = 3388;  // the finishing page's "Func select sort" check box

// From the first page to the basic page.
void BM_DocumentSheetTabChange(benchmark::State& state) {
  OnOpenSheet(state, [](Script&) {}, [](Script& s) { s.tab(ActiveSheet(), kBasicTab); });
}
BENCHMARK(BM_DocumentSheetTabChange)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A click that ticks the sort box of the finishing page: the setting is
// stored, the constraints judged and the page shown again.
void BM_DocumentSheetControlChange(benchmark::State& state) {
  OnOpenSheet(
      state, [](Script& s) { s.tab(ActiveSheet(), kFinishTab); },
      [](Script& s) { s.click(WindowRef::Item(WindowRef::Page(ActiveSheet()), kSortBox)); });
}
BENCHMARK(BM_DocumentSheetControlChange)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_DocumentSheetToFirstPaint(benchmark::State& state) { Sheet(state, false); }
BENCHMARK(BM_DocumentSheetToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
void BM_DocumentSheetOkToDestroy(benchmark::State& state) { Sheet(state, true); }
BENCHMARK(BM_DocumentSheetOkToDestroy)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
