// The print host's driver lifecycle: enable, PDEVs and surfaces, documents,
// pages, banding and resets.
#include "tools/printhost/print_host.h"

#include <array>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/engine/objects/brushobj.h"
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
      error = "DrvEnableSurface failed";
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
  bool Play(Pdev& pdev, const Page& page, POINTL origin, std::string& error) {
    Painter painter(pdev.device, pdev.so, origin, *pdev.fonts);
    for (const Command& command : page.commands) {
      if (!painter.Draw(command, error)) return false;
    }
    return true;
  }

  void Event(DocumentEvent event, HDC dc) const {
    if (options.documentEvents) options.documentEvents(event, printer, dc);
  }

  bool PrintPage(Pdev& pdev, HDC dc, const Page& page, std::string& error) {
    Event(DocumentEvent::kStartPage, dc);
    if (!Function<PageFn>(INDEX_DrvStartPage)(pdev.so)) {
      error = "DrvStartPage failed";
      return false;
    }
    if (!pdev.banding) {
      if (!Play(pdev, page, POINTL{0, 0}, error)) return false;
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
      if (!Play(pdev, page, origin, error)) return false;
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

PrintResult PrintHost::Print(const Document& document, const PageDone& pageDone) {
  HeldPages pages(document);
  return Print(pages, pageDone);
}

PrintResult PrintHost::Print(PageSource& pages, const PageDone& pageDone) {
  State& s = *state_;
  PrintResult result;
  if (!s.HasDocumentEntries(result.error)) return result;
  std::vector<BYTE> devmode = s.options.devmode.empty() ? DefaultDevmode(s.options.printerName)
                                                        : s.options.devmode;
  std::unique_ptr<Pdev> pdev = s.EnablePdev(devmode, result.error);
  if (!pdev) return result;
  std::u16string name = pages.Name();
  DOC_INFO_1W info{name.data(), nullptr, nullptr};
  result.jobId = StartDocPrinterW(s.printer, 1, reinterpret_cast<LPBYTE>(&info));
  if (result.jobId == 0) {
    result.error = plat::WithMachineFault("the spooler refused the job (its job folder is " +
                                          (plat::SpoolerStore() / "jobs").string() + ")");
    s.DisablePdev(*pdev);
    return result;
  }
  if (auto job = plat::FindPrintJob(result.jobId)) result.jobFile = job->file;
  // The application's DC: its escapes go to the PDEV that serves it.
  std::unique_ptr<HDC__, void (*)(HDC)> dc(plat::gdi::CreatePrinterDC(&pdev->device, pdev->so),
                                           plat::gdi::DeletePrinterDC);
  s.Event(DocumentEvent::kStartDoc, dc.get());
  bool ok = s.Function<StartDocFn>(INDEX_DrvStartDoc)(pdev->so, name.data(), result.jobId) != FALSE;
  if (!ok) result.error = "DrvStartDoc failed";
  const Page* next = nullptr;
  for (std::size_t i = 0; ok && (next = pages.Next(result.error)) != nullptr; ++i) {
    const Page& page = *next;
    if (page.modeChange) {
      State::Apply(*page.modeChange, devmode);
      std::unique_ptr<Pdev> fresh = s.EnablePdev(devmode, result.error);
      auto reset = s.Function<ResetPdevFn>(INDEX_DrvResetPDEV);
      if (!fresh) {
        ok = false;
        break;
      }
      if (reset != nullptr && !reset(pdev->device.dhpdev, fresh->device.dhpdev)) {
        result.error = "DrvResetPDEV failed";
        s.DisablePdev(*fresh);
        ok = false;
        break;
      }
      plat::gdi::SetPrinterDCDevice(dc.get(), &fresh->device, fresh->so);
      s.DisablePdev(*pdev);
      pdev = std::move(fresh);
    }
    ok = s.PrintPage(*pdev, dc.get(), page, result.error);
    if (ok && pageDone) pageDone(i + 1);
  }
  if (ok && !result.error.empty()) ok = false;  // the source could not make a page
  s.Event(DocumentEvent::kEndDoc, dc.get());
  if (ok) {
    ok = s.Function<EndDocFn>(INDEX_DrvEndDoc)(pdev->so, 0) != FALSE;
    if (!ok) result.error = "DrvEndDoc failed";
  } else {
    s.Function<EndDocFn>(INDEX_DrvEndDoc)(pdev->so, ED_ABORTDOC);
  }
  if (ok) {
    EndDocPrinter(s.printer);
  } else {
    AbortPrinter(s.printer);
  }
  dc.reset();
  s.DisablePdev(*pdev);
  result.ok = ok;
  return result;
}

}  // namespace printhost
