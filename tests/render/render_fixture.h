// The rendering tests' machine: the fictional Kesm R5 driver (its
// description tests/data/kpd/kesm_r5_render.kpd, the built rendering library
// as its driver file) with one printer, and the engine's side of a printer
// DC: PDEVs enabled with a DEVMODE, their surfaces, a spooler job around the
// document and the job stream read back. Every test ends with every block
// it allocated freed again.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/spooler/spooljob.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "settings/tables/driver_params.h"
#include "settings/context/context_open.h"
#include "settings/values/setting_value.h"
#include "tests/common/driver_printer.h"
#include "tests/render/job_stream_decoder.h"
#include "tests/settings/context/hand_context.h"
#include "tests/settings/description_list_reset.h"

namespace render_test {

inline constexpr const char16_t* kDriverName = u"Kesm R5 Series";
inline constexpr const char16_t* kPrinterName = u"Kesm R5 Office";
inline constexpr const char* kDescription = KESM_TEST_DATA "/kpd/kesm_r5_render.kpd";

inline constexpr short kLetter = 1;
inline constexpr short kA4 = 9;

// A DEVMODE of this driver, public and private parts, built through a
// context of its own so that settings are set by function id. Its private
// part names this model (machine id and driver type), as the driver's own
// DEVMODEs do: the PDEV's validation takes the private settings only then.
class Devmode {
 public:
  Devmode() {
    DEVMODEW* dm = get();
    dm->dmSpecVersion = 0x401;
    dm->dmDriverVersion = 0x400;
    dm->dmSize = kSizeofDM;
    dm->dmDriverExtra = kSizeofPrivDM;
    DevCBSetPrivHeader(dm, context_.ucb());
    Set(kFuncMachineId, fgDP.bMachineID);
    Set(kFuncDriverType, static_cast<BYTE>(fgDP.cDriverType));
    dm->dmFields = 0x1 | 0x2 | 0x400 | 0x800;  // orientation, paper size, print quality, colour
    dm->dmOrientation = 1;
    dm->dmPaperSize = kLetter;
    dm->dmPrintQuality = 300;
    dm->dmColor = 2;
    dm->dmCopies = 1;
  }
  DEVMODEW* get() { return reinterpret_cast<DEVMODEW*>(context_.dcb().devmode); }
  Devmode& Set(WORD funcId, LONG_PTR value) {
    EXPECT_TRUE(SetDevmodeValueDirectByFuncID(context_.ucb(), funcId, value)) << funcId;
    return *this;
  }
  Devmode& Banding() { return Set(174, 1); }
  // Banding into 1-bit bands: a monochrome process on a monochrome page.
  Devmode& MonochromeBanding() {
    get()->dmColor = 1;
    return Banding().Set(175, 1);
  }
  Devmode& RawMode() { return Set(606, 1); }
  Devmode& Paper(short paper) {
    get()->dmPaperSize = paper;
    return *this;
  }

 private:
  static constexpr WORD kFuncMachineId = 35;
  static constexpr WORD kFuncDriverType = 242;
  kesm_test::HandContext context_;
};

// One PDEV with its surface, as the engine holds them.
struct Dc {
  plat::eng::Device device;
  HSURF surface = nullptr;
  SURFOBJ* so = nullptr;

  PDEV* pdev() const { return reinterpret_cast<PDEV*>(device.dhpdev); }
  const GDIINFO& gdi() const { return device.gdiInfo; }
  const DEVINFO& info() const { return device.devInfo; }
};

class RenderTest : public ::testing::Test {
 protected:
  // The description the driver is installed with.
  virtual const char* Description() const { return kDescription; }

  void SetUp() override {
    std::error_code error;
    std::filesystem::copy_file(KESM_GR_LIBRARY, plat::DriverFilesFolder() / "kesmgr.dll", error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_NO_FATAL_FAILURE(kesm_test::AddDriverPrinter(Description(), u"KESMR5.KPD", kDriverName, kPrinterName));
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(kPrinterName, &printer_, &defaults));
    // The description, once loaded, stays listed for the process: it is
    // loaded before the count starts.
    UCB* first = GetUcb(printer_, printer_, 0, kModeRendering);
    ASSERT_NE(first, nullptr);
    FreeUcb(first);
    FreeStoredUcb(TRUE);
    baseline_ = plat::LiveBlocks();
    surfaces_ = plat::eng::LiveSurfaces();
    palettes_ = plat::eng::LivePalettes();
  }

  void TearDown() override {
    dcs_.clear();
    FreeStoredUcb(TRUE);
    EXPECT_EQ(plat::LiveBlocks(), baseline_) << "a PDEV or one of its blocks leaked";
    EXPECT_EQ(plat::eng::LiveSurfaces(), surfaces_);
    EXPECT_EQ(plat::eng::LivePalettes(), palettes_);
    if (jobOpen_) AbortPrinter(printer_);
    ClosePrinter(printer_);
  }

  HDEV Hdev() const { return reinterpret_cast<HDEV>(printer_); }

  // Enables a PDEV, completes it and enables its surface, as the engine
  // does for a new DC; null when the driver refused one of the steps.
  Dc* Enable(DEVMODEW* devmode) {
    auto dc = std::make_unique<Dc>();
    dc->device.hdev = Hdev();
    HSURF patterns[HS_DDI_MAX] = {};
    WCHAR deviceName[] = u"Kesm R5 Office";
    dc->device.dhpdev = DrvEnablePDEV(devmode, nullptr, HS_DDI_MAX, patterns, sizeof(GDIINFO), &dc->device.gdiInfo,
                                      sizeof(DEVINFO), &dc->device.devInfo, Hdev(), deviceName, printer_);
    if (dc->device.dhpdev == nullptr) return nullptr;
    plat::eng::RegisterDevice(dc->device);
    DrvCompletePDEV(dc->device.dhpdev, Hdev());
    dc->surface = DrvEnableSurface(dc->device.dhpdev);
    dc->so = dc->surface != nullptr ? EngLockSurface(dc->surface) : nullptr;
    dcs_.push_back(Owned(dc.release(), Disabler{}));
    return dcs_.back().get();
  }
  Dc* Enable(Devmode& devmode) { return Enable(devmode.get()); }

  // Disables the DC's surface and PDEV now.
  void Disable(Dc* dc) {
    for (auto& owned : dcs_) {
      if (owned.get() == dc) owned.reset();
    }
  }

  // A spooler job for the document's writes.
  DWORD StartJob(const char16_t* name = u"Report") {
    std::u16string text(name);
    DOC_INFO_1W info{text.data(), nullptr, nullptr};
    jobId_ = StartDocPrinterW(printer_, 1, reinterpret_cast<LPBYTE>(&info));
    jobOpen_ = jobId_ != 0;
    EXPECT_NE(jobId_, 0u);
    return jobId_;
  }
  // Ends the job and reads its stream back.
  std::vector<std::uint8_t> FinishJob() {
    EndDocPrinter(printer_);
    jobOpen_ = false;
    const auto job = plat::FindPrintJob(jobId_);
    if (!job) return {};
    std::ifstream in(job->file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<DWORD> WriteSizes() const {
    const auto job = plat::FindPrintJob(jobId_);
    return job ? job->writeSizes : std::vector<DWORD>{};
  }

  HANDLE printer_ = nullptr;
  DWORD jobId_ = 0;

 private:
  struct Disabler {
    void operator()(Dc* dc) const {
      if (dc->so != nullptr) EngUnlockSurface(dc->so);
      if (dc->surface != nullptr) DrvDisableSurface(dc->device.dhpdev);
      DrvDisablePDEV(dc->device.dhpdev);
      plat::eng::UnregisterDevice(dc->device);
      delete dc;
    }
  };
  using Owned = std::unique_ptr<Dc, Disabler>;

  plat::ScopedMachine machine_;
  std::vector<Owned> dcs_;
  bool jobOpen_ = false;
  std::size_t baseline_ = 0;
  std::size_t surfaces_ = 0;
  std::size_t palettes_ = 0;
};

}  // namespace render_test
