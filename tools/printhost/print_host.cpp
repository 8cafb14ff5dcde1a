// The print host's driver lifecycle: enable, PDEVs and surfaces, documents,
// pages, banding and resets.
#include "tools/printhost/print_host.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/engine/objects/brushobj.h"
#include "platform/engine/eng_printer.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/modules/winmodule.h"
#include "platform/spooler/spooljob.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "platform/text/utf.h"
#include "tools/printhost/painter.h"

namespace printhost {
namespace {

using EnableDriverFn = BOOL (*)(ULONG, ULONG, DRVENABLEDATA*);
using EnablePdevFn = DHPDEV (*)(DEVMODEW*, LPWSTR, ULONG, HSURF*, ULONG, GDIINFO*, ULONG, DEVINFO*,
                                HDEV, LPWSTR, HANDLE);
using CompletePdevFn = void (*)(DHPDEV, HDEV);
using DisablePdevFn = void (*)(DHPDEV);
using ResetPdevFn = BOOL (*)(DHPDEV, DHPDEV);
using EnableSurfaceFn = HSURF (*)(DHPDEV);
using DisableSurfaceFn = void (*)(DHPDEV);
using StartDocFn = BOOL (*)(SURFOBJ*, LPWSTR, DWORD);
using EndDocFn = BOOL (*)(SURFOBJ*, FLONG);
using PageFn = BOOL (*)(SURFOBJ*);
using BandFn = BOOL (*)(SURFOBJ*, POINTL*);

constexpr const char16_t* kDriverName = u"Kesm Host Driver";

// The spooler's lock over its job files: held while a job starts and
// claims its file, and while ended jobs' files are removed.
class SpoolerLock {
 public:
  SpoolerLock() {
    std::error_code ec;
    std::filesystem::create_directories(plat::SpoolerStore(), ec);
    fd_ = ::open((plat::SpoolerStore() / "jobs.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~SpoolerLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  SpoolerLock(const SpoolerLock&) = delete;
  SpoolerLock& operator=(const SpoolerLock&) = delete;

 private:
  int fd_ = -1;
};

// A live job's claim on its file: a shared lock on it, held by an open
// descriptor until the claim is dropped (or the process ends, however it
// ends). Null when the file cannot be opened.
std::shared_ptr<void> ClaimJobFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  ::flock(fd, LOCK_SH);
  return std::shared_ptr<void>(new int(fd), [](void* held) {
    ::close(*static_cast<int*>(held));
    delete static_cast<int*>(held);
  });
}

// One enabled PDEV with its surface and fonts.
struct Pdev {
  plat::eng::Device device;
  HSURF surface = nullptr;
  SURFOBJ* so = nullptr;
  bool banding = false;
  std::unique_ptr<FontCache> fonts;
};

}  // namespace

std::vector<BYTE> DefaultDevmode(const std::u16string& deviceName) {
  DEVMODEW dm{};
  const std::size_t n = std::min<std::size_t>(deviceName.size(), CCHDEVICENAME - 1);
  std::memcpy(dm.dmDeviceName, deviceName.data(), n * sizeof(WCHAR));
  dm.dmSpecVersion = 0x401;
  dm.dmSize = sizeof(DEVMODEW);
  dm.dmFields = 0x1 | 0x2 | 0x400 | 0x800;  // orientation, paper size, print quality, colour
  dm.dmOrientation = 1;
  dm.dmPaperSize = 1;
  dm.dmPrintQuality = 300;
  dm.dmColor = 2;
  dm.dmCopies = 1;
  std::vector<BYTE> bytes(sizeof dm);
  std::memcpy(bytes.data(), &dm, sizeof dm);
  return bytes;
}

struct PrintHost::State {
  HostOptions options;
  HANDLE printer = nullptr;
  HMODULE module = nullptr;
  std::array<PFN, INDEX_LAST> functions{};

  template <class Fn>
  Fn Function(ULONG index) const {
    return reinterpret_cast<Fn>(functions[index]);
  }

  ~State() {
    if (module != nullptr) FreeLibrary(module);
    if (printer != nullptr) ClosePrinter(printer);
  }

  bool Install(std::string& error) {
    // Other processes of the machine may have the installed module loaded:
    // it is replaced only when it changed, and then by a rename.
    const auto folder = plat::DriverFilesFolder();
    const auto target = folder / std::filesystem::path(std::u16string(options.driverFileName));
    const DWORD installed = folder.empty() ? DWORD{ERROR_PATH_NOT_FOUND}
                                           : plat::InstallDriverFile(options.driverModule, options.driverFileName);
    if (installed == ERROR_FILE_NOT_FOUND) {
      error = "there is no driver module " + options.driverModule.string();
      return false;
    }
    if (installed != ERROR_SUCCESS) {
      error = plat::WithMachineFault("the driver module " + options.driverModule.string() + " cannot be installed in " +
                                     target.string());
      return false;
    }
    if (options.installPrinter && !InstallPrinter(folder, error)) return false;
    if (!OpenPrinterW(options.printerName.c_str(), &printer, nullptr)) {
      printer = nullptr;
      error = plat::WithMachineFault("the printer " + plat::utf::ToUtf8(options.printerName) + " cannot be opened");
      return false;
    }
    const std::u16string path = plat::DriverFilesDirectory() + u"\\" + options.driverFileName;
    module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
      error = plat::WithMachineFault("the driver module " + target.string() + " cannot be loaded");
      return false;
    }
    return true;
  }

  bool InstallPrinter(const std::filesystem::path& folder, std::string& error) {
    // Written once: another process of the machine may be reading it.
    std::error_code ec;
    if (!std::filesystem::exists(folder / "KESMHOST.KPD", ec)) std::ofstream(folder / "KESMHOST.KPD").put('\n');
    plat::DriverSetup driver;
    driver.name = kDriverName;
    driver.driverFile = options.driverFileName;
    driver.dataFile = u"KESMHOST.KPD";
    driver.configFile = u"kesmui.dll";
    const DWORD added = plat::AddPrinterDriver(driver);
    if (added != ERROR_SUCCESS && added != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
      error = plat::WithMachineFault("the driver cannot be installed");
      return false;
    }
    plat::PrinterSetup setup;
    setup.name = options.printerName;
    setup.driverName = kDriverName;
    const DWORD made = plat::AddPrinter(setup);
    if (made != ERROR_SUCCESS && made != ERROR_PRINTER_ALREADY_EXISTS) {
      error = plat::WithMachineFault("the printer cannot be added");
      return false;
    }
    return true;
  }

  bool EnableDriver(std::string& error) {
    auto enable = reinterpret_cast<EnableDriverFn>(GetProcAddress(module, "DrvEnableDriver"));
    if (enable == nullptr) {
      error = "the driver module has no DrvEnableDriver";
      return false;
    }
    DRVENABLEDATA data{};
    if (!enable(options.engineVersion, sizeof data, &data) || data.pdrvfn == nullptr) {
      error = "DrvEnableDriver failed";
      return false;
    }
    for (ULONG i = 0; i < data.c; ++i) {
      if (data.pdrvfn[i].iFunc < functions.size()) functions[data.pdrvfn[i].iFunc] = data.pdrvfn[i].pfn;
    }
    const ULONG required[] = {INDEX_DrvEnablePDEV, INDEX_DrvCompletePDEV, INDEX_DrvDisablePDEV,
                              INDEX_DrvEnableSurface, INDEX_DrvDisableSurface};
    for (ULONG index : required) {
      if (functions[index] == nullptr) {
        error = "the driver lacks a required entry point";
        return false;
      }
    }
    return true;
  }

  // A document needs the driver's document and page entry points; FALSE,
  // naming the first one missing, when the driver did not hand one over.
  bool HasDocumentEntries(std::string& error) const {
    static constexpr struct {
      ULONG index;
      const char* name;
    } kEntries[] = {{INDEX_DrvStartDoc, "DrvStartDoc"},
                    {INDEX_DrvStartPage, "DrvStartPage"},
                    {INDEX_DrvSendPage, "DrvSendPage"},
                    {INDEX_DrvEndDoc, "DrvEndDoc"}};
    for (const auto& entry : kEntries) {
      if (functions[entry.index] == nullptr) {
        error = std::string("the driver lacks ") + entry.name;
        return false;
      }
    }
    return true;
  }

  HDEV Hdev() const { return reinterpret_cast<HDEV>(printer); }

  std::unique_ptr<Pdev> EnablePdev(std::vector<BYTE>& devmode, std::string& error) {
    auto pdev = std::make_unique<Pdev>();
    HSURF patterns[HS_DDI_MAX] = {};
    std::u16string deviceName = options.printerName;
    pdev->device.hdev = Hdev();
    pdev->device.functions = functions;
    DEVMODEW* dm = devmode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(devmode.data());
    pdev->device.dhpdev = Function<EnablePdevFn>(INDEX_DrvEnablePDEV)(
        dm, nullptr, HS_DDI_MAX, patterns, sizeof(GDIINFO), &pdev->device.gdiInfo, sizeof(DEVINFO),
        &pdev->device.devInfo, Hdev(), deviceName.data(), printer);
    if (pdev->device.dhpdev == nullptr) {
      error = plat::WithMachineFault("DrvEnablePDEV failed");
      return nullptr;
    }
    plat::eng::RegisterDevice(pdev->device);
    Function<CompletePdevFn>(INDEX_DrvCompletePDEV)(pdev->device.dhpdev, Hdev());
    pdev->surface = Function<EnableSurfaceFn>(INDEX_DrvEnableSurface)(pdev->device.dhpdev);
    pdev->so = pdev->surface ? EngLockSurface(pdev->surface) : nullptr;
    if (pdev->so == nullptr) {
      const GDIINFO& page = pdev->device.gdiInfo;
      error = "DrvEnableSurface failed for a page of " + std::to_string(page.ulHorzRes) + " x " +
              std::to_string(page.ulVertRes) + " dots at " + std::to_string(page.ulLogPixelsX) + " dpi";
      DisablePdev(*pdev);
      return nullptr;
    }
    pdev->banding = plat::eng::SurfaceOf(pdev->surface)->banding;
    pdev->fonts = std::make_unique<FontCache>(pdev->device);
    return pdev;
  }

  void DisablePdev(Pdev& pdev) {
    pdev.fonts.reset();
    if (pdev.so != nullptr) {
      EngUnlockSurface(pdev.so);
      pdev.so = nullptr;
    }
    if (pdev.surface != nullptr) Function<DisableSurfaceFn>(INDEX_DrvDisableSurface)(pdev.device.dhpdev);
    pdev.surface = nullptr;
    Function<DisablePdevFn>(INDEX_DrvDisablePDEV)(pdev.device.dhpdev);
    plat::eng::UnregisterDevice(pdev.device);
  }

  // Draws the page's commands on the surface, offset by the band origin.
  // With drawingFailure, a drawing call that fails ends the page's drawing
  // only: its reason goes there and the page goes on to be sent.
  bool Play(Pdev& pdev, const Page& page, POINTL origin, std::string& error, std::string* drawingFailure) {
    Painter painter(pdev.device, pdev.so, origin, *pdev.fonts);
    for (const Command& command : page.commands) {
      if (painter.Draw(command, error)) continue;
      if (drawingFailure == nullptr) return false;
      *drawingFailure = std::move(error);
      error.clear();
      break;
    }
    return true;
  }

  void Event(DocumentEvent event, HDC dc) const {
    if (options.documentEvents) options.documentEvents(event, printer, dc);
  }

  bool PrintPage(Pdev& pdev, HDC dc, const Page& page, std::string& error,
                 std::string* drawingFailure = nullptr) {
    Event(DocumentEvent::kStartPage, dc);
    if (!Function<PageFn>(INDEX_DrvStartPage)(pdev.so)) {
      error = "DrvStartPage failed";
      return false;
    }
    if (!pdev.banding) {
      if (!Play(pdev, page, POINTL{0, 0}, error, drawingFailure)) return false;
      if (!Function<PageFn>(INDEX_DrvSendPage)(pdev.so)) {
        error = "DrvSendPage failed";
        return false;
      }
      return true;
    }
    auto start = Function<BandFn>(INDEX_DrvStartBanding);
    auto next = Function<BandFn>(INDEX_DrvNextBand);
    if (start == nullptr || next == nullptr) {
      error = "a banding driver lacks DrvStartBanding or DrvNextBand";
      return false;
    }
    POINTL origin{0, 0};
    if (!start(pdev.so, &origin)) {
      error = "DrvStartBanding failed";
      return false;
    }
    // A driver that never ends its bands is stopped after as many bands as
    // the page has lines.
    for (LONG band = 0; origin.x != -1; ++band) {
      if (band > static_cast<LONG>(pdev.device.gdiInfo.ulVertRes) + 1) {
        error = "the driver does not finish its bands";
        return false;
      }
      if (!Play(pdev, page, origin, error, drawingFailure)) return false;
      if (!next(pdev.so, &origin)) {
        error = "DrvNextBand failed";
        return false;
      }
    }
    return true;
  }

  static void Apply(const ModeChange& change, std::vector<BYTE>& devmode) {
    if (devmode.size() < sizeof(DEVMODEW)) return;
    DEVMODEW dm;
    std::memcpy(&dm, devmode.data(), sizeof dm);
    if (change.orientation) { dm.dmOrientation = *change.orientation; dm.dmFields |= 0x1; }
    if (change.printQuality) { dm.dmPrintQuality = *change.printQuality; dm.dmFields |= 0x400; }
    if (change.color) { dm.dmColor = *change.color; dm.dmFields |= 0x800; }
    std::memcpy(devmode.data(), &dm, sizeof dm);
  }
};

PrintHost::PrintHost(std::unique_ptr<State> state) : state_(std::move(state)) {}
PrintHost::~PrintHost() = default;

HMODULE PrintHost::module() const { return state_->module; }

bool PrintHost::SetUpPage(std::vector<BYTE> devmode, std::string& error) {
  if (devmode.empty()) {
    devmode = state_->options.devmode.empty() ? DefaultDevmode(state_->options.printerName) : state_->options.devmode;
  }
  std::unique_ptr<Pdev> pdev = state_->EnablePdev(devmode, error);
  if (!pdev) return false;
  state_->DisablePdev(*pdev);
  return true;
}

std::unique_ptr<PrintHost> PrintHost::Open(const HostOptions& options, std::string& error) {
  auto state = std::make_unique<State>();
  state->options = options;
  if (!state->Install(error) || !state->EnableDriver(error)) return nullptr;
  return std::unique_ptr<PrintHost>(new PrintHost(std::move(state)));
}

namespace {

// The pages of a document held whole, handed over one by one.
class HeldPages : public PageSource {
 public:
  explicit HeldPages(const Document& document) : document_(document) {}
  std::u16string Name() const override { return document_.name; }
  const Page* Next(std::string&) override {
    return next_ < document_.pages.size() ? &document_.pages[next_++] : nullptr;
  }

 private:
  const Document& document_;
  std::size_t next_ = 0;
};

}  // namespace

struct OpenJob::State {
  PrintHost::State& host;
  std::unique_ptr<Pdev> pdev;
  std::vector<BYTE> devmode;
  std::u16string name;
  std::unique_ptr<HDC__, void (*)(HDC)> dc{nullptr, plat::gdi::DeletePrinterDC};
  PrintResult result;
  bool inMemory = false;
  bool drawingFailuresEndPageOnly = false;
  std::vector<BYTE> bytes;
  bool ok = true;
  bool ended = false;

  explicit State(PrintHost::State& h) : host(h) {}

  // Applies a page's mode change: a fresh PDEV takes over from the old one.
  bool ChangeMode(const ModeChange& change, std::string& error) {
    PrintHost::State::Apply(change, devmode);
    std::unique_ptr<Pdev> fresh = host.EnablePdev(devmode, error);
    if (!fresh) return false;
    auto reset = host.Function<ResetPdevFn>(INDEX_DrvResetPDEV);
    if (reset != nullptr && !reset(pdev->device.dhpdev, fresh->device.dhpdev)) {
      error = "DrvResetPDEV failed";
      host.DisablePdev(*fresh);
      return false;
    }
    plat::gdi::SetPrinterDCDevice(dc.get(), &fresh->device, fresh->so);
    host.DisablePdev(*pdev);
    pdev = std::move(fresh);
    return true;
  }

  void End() {
    if (ended) return;
    ended = true;
    host.Event(DocumentEvent::kEndDoc, dc.get());
    if (ok) {
      ok = host.Function<EndDocFn>(INDEX_DrvEndDoc)(pdev->so, 0) != FALSE;
      if (!ok) result.error = "DrvEndDoc failed";
    } else {
      host.Function<EndDocFn>(INDEX_DrvEndDoc)(pdev->so, ED_ABORTDOC);
    }
    if (inMemory) plat::eng::KeepPrinterWritesIn(host.printer, nullptr);
    if (ok) {
      EndDocPrinter(host.printer);
    } else {
      AbortPrinter(host.printer);
    }
    dc.reset();
    host.DisablePdev(*pdev);
    result.ok = ok;
  }
};

OpenJob::OpenJob(std::unique_ptr<State> state) : state_(std::move(state)) {}

OpenJob::~OpenJob() {
  if (!state_->ended) state_->ok = false;  // never finished: aborted
  state_->End();
}

bool OpenJob::PrintPage(const Page& page, std::string& error) {
  State& s = *state_;
  if (!s.ok || s.ended) {
    error = "the document was aborted";
    return false;
  }
  std::string drawingFailure;
  s.ok = (!page.modeChange || s.ChangeMode(*page.modeChange, error)) &&
         s.host.PrintPage(*s.pdev, s.dc.get(), page, error, s.drawingFailuresEndPageOnly ? &drawingFailure : nullptr);
  if (!s.ok) {
    s.result.error = error;
    s.End();
    return false;
  }
  if (!drawingFailure.empty()) {
    error = std::move(drawingFailure);
    return false;
  }
  return true;
}

bool OpenJob::aborted() const { return !state_->ok; }

void OpenJob::Abort(const std::string& why) {
  if (state_->ended) return;
  state_->ok = false;
  state_->result.error = why;
  state_->End();
}

PrintResult OpenJob::Finish() {
  state_->End();
  return state_->result;
}

const std::vector<BYTE>& OpenJob::bytes() const { return state_->bytes; }

void OpenJob::ClearBytes() { state_->bytes.clear(); }

std::unique_ptr<OpenJob> PrintHost::Start(const std::u16string& name, const JobOptions& options, std::string& error) {
  State& s = *state_;
  if (!s.HasDocumentEntries(error)) return nullptr;
  const bool inMemory = options.inMemory;
  auto job = std::make_unique<OpenJob::State>(s);
  job->devmode = s.options.devmode.empty() ? DefaultDevmode(s.options.printerName) : s.options.devmode;
  job->name = name;
  job->inMemory = inMemory;
  job->drawingFailuresEndPageOnly = options.drawingFailuresEndPageOnly;
  job->pdev = s.EnablePdev(job->devmode, error);
  if (!job->pdev) return nullptr;
  DOC_INFO_1W info{job->name.data(), nullptr, nullptr};
  std::optional<SpoolerLock> spoolerLock(std::in_place);
  job->result.jobId = StartDocPrinterW(s.printer, 1, reinterpret_cast<LPBYTE>(&info));
  if (auto spooled = job->result.jobId != 0 ? plat::FindPrintJob(job->result.jobId) : std::nullopt) {
    job->result.jobClaim = ClaimJobFile(spooled->file);
    if (!inMemory) job->result.jobFile = spooled->file;
  }
  spoolerLock.reset();
  if (job->result.jobId == 0) {
    error = plat::WithMachineFault("the spooler refused the job (its job folder is " +
                                   (plat::SpoolerStore() / "jobs").string() + ")");
    s.DisablePdev(*job->pdev);
    return nullptr;
  }
  if (inMemory) plat::eng::KeepPrinterWritesIn(s.printer, &job->bytes);
  // The application's DC: its escapes go to the PDEV that serves it.
  job->dc.reset(plat::gdi::CreatePrinterDC(&job->pdev->device, job->pdev->so));
  s.Event(DocumentEvent::kStartDoc, job->dc.get());
  std::unique_ptr<OpenJob> open(new OpenJob(std::move(job)));
  OpenJob::State& started = *open->state_;
  if (!s.Function<StartDocFn>(INDEX_DrvStartDoc)(started.pdev->so, started.name.data(), started.result.jobId)) {
    error = "DrvStartDoc failed";
    started.ok = false;
    started.result.error = error;
    started.End();
  }
  return open;
}

void RemoveEndedJobs() {
  const std::filesystem::path folder = plat::SpoolerStore() / "jobs";
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return;
  const SpoolerLock lock;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().extension() != ".spl") continue;
    const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    // No live job holds it: its job ended, was refused, or was killed.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) std::filesystem::remove(entry.path(), ec);
    ::close(fd);
  }
}

PrintResult PrintHost::Print(const Document& document, const PageDone& pageDone) {
  HeldPages pages(document);
  return Print(pages, pageDone);
}

PrintResult PrintHost::Print(PageSource& pages, const PageDone& pageDone) {
  PrintResult result;
  std::unique_ptr<OpenJob> job = Start(pages.Name(), JobOptions{}, result.error);
  if (!job) return result;
  std::string error;
  const Page* next = nullptr;
  for (std::size_t i = 0; !job->aborted() && (next = pages.Next(error)) != nullptr; ++i) {
    if (job->PrintPage(*next, error) && pageDone) pageDone(i + 1);
  }
  if (!job->aborted() && !error.empty()) job->Abort(error);  // the source could not make a page
  return job->Finish();
}

}  // namespace printhost
