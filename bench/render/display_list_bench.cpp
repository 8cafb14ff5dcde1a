// The display list of a page: records queued into chunks, and the page's
// flush through the spooler as display-list blocks. A page here is 1000
// records of 16 bytes (16000 bytes in two chunks).
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/render/render_machine.h"
#include "platform/spooler/spooljob.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"

namespace {

constexpr int kRecords = 1000;
constexpr ULONG kRecordBytes = 16;

// An enabled PDEV of the benchmark printer, with a job to write to.
class Pdev {
 public:
  Pdev() {
    HANDLE printer = render_bench::Machine::Current()->printer();
    const auto hdev = reinterpret_cast<HDEV>(printer);
    GDIINFO gdi{};
    DEVINFO info{};
    WCHAR name[] = u"Kesm Bench";
    pdev_ = reinterpret_cast<PDEV*>(
        DrvEnablePDEV(nullptr, nullptr, 0, nullptr, sizeof gdi, &gdi, sizeof info, &info, hdev, name, printer));
    if (pdev_ != nullptr) DrvCompletePDEV(reinterpret_cast<DHPDEV>(pdev_), hdev);
    StartJob();
  }
  ~Pdev() {
    if (jobOpen_) AbortPrinter(render_bench::Machine::Current()->printer());
    if (pdev_ != nullptr) DrvDisablePDEV(reinterpret_cast<DHPDEV>(pdev_));
  }
  Pdev(const Pdev&) = delete;
  Pdev& operator=(const Pdev&) = delete;

  bool ok() const { return pdev_ != nullptr && jobOpen_; }
  JobStream* stream() { return &pdev_->stream; }
  // A fresh job, so that the job file does not grow without end.
  void StartJob() {
    HANDLE printer = render_bench::Machine::Current()->printer();
    if (jobOpen_) AbortPrinter(printer);
    WCHAR doc[] = u"Bench";
    DOC_INFO_1W info{doc, nullptr, nullptr};
    jobOpen_ = StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&info)) != 0;
  }

 private:
  PDEV* pdev_ = nullptr;
  bool jobOpen_ = false;
};

bool QueuePage(JobStream* stream) {
  for (int i = 0; i < kRecords; ++i) {
    BYTE* record = dl_alloc(stream, kRecordBytes);
    if (record == nullptr) return false;
    std::memset(record, 0, kRecordBytes);
    record[0] = 0x60;
  }
  return true;
}

void BM_DisplayListQueue(benchmark::State& state) {
  Pdev pdev;
  if (!pdev.ok()) {
    state.SkipWithError("no PDEV");
    return;
  }
  for (auto _ : state) {
    if (!QueuePage(pdev.stream())) {
      state.SkipWithError("the display list is full");
      break;
    }
    dl_free(pdev.stream());
    dl_init(pdev.stream());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_DisplayListQueue);

void BM_DisplayListQueueAndFlush(benchmark::State& state) {
  Pdev pdev;
  if (!pdev.ok()) {
    state.SkipWithError("no PDEV");
    return;
  }
  int pages = 0;
  for (auto _ : state) {
    if (!QueuePage(pdev.stream()) || !DLFlushPage(pdev.stream())) {
      state.SkipWithError("the page cannot be queued or written");
      break;
    }
    if (++pages % 256 == 0) {
      state.PauseTiming();
      pdev.StartJob();
      state.ResumeTiming();
    }
  }
  state.SetBytesProcessed(state.iterations() * kRecords * kRecordBytes);
}
BENCHMARK(BM_DisplayListQueueAndFlush);

}  // namespace
