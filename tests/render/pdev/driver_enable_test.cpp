// Driver enable and the PDEV: the function table the engine receives, the
// refusals of old engines and short enable data, and every entry point's
// refusal of a record that is not a live PDEV.
#include <array>
#include <cstring>

#include "render/pdev/function_table.h"
#include "render/platform/engine_version.h"
#include "storage/system/system_info.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

TEST(DriverEnable, HandsOverTheTableInTheEnginesOrder) {
  // The engine index of each entry, in the order handed over.
  const ULONG expected[] = {0, 2, 1, 7, 3, 4, 33, 32, 35, 34, 57, 58, 18, 20,
                            14, 15, 16, 12, 24, 37, 13, 19, 26, 28, 27, 53, 23};
  DRVENABLEDATA data{};
  ASSERT_TRUE(kesmDrvEnableDriver(DDI_DRIVER_VERSION_NT5_01, sizeof data, &data));
  EXPECT_EQ(data.iDriverVersion, 0x20000u);
  ASSERT_EQ(data.c, std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(data.pdrvfn[i].iFunc, expected[i]) << i;
    EXPECT_NE(data.pdrvfn[i].pfn, nullptr) << i;
  }
}

// The engine's version is the rendering library's sign of the Windows
// version: it decides where the configuration library's shared files are.
TEST(DriverEnable, KeepsTheEnginesVersionAsTheWindowsVersion) {
  const struct {
    ULONG version;
    BOOL later;
  } rows[] = {
      {DDI_DRIVER_VERSION_NT4, FALSE},
      {DDI_DRIVER_VERSION_SP3, FALSE},
      {DDI_DRIVER_VERSION_NT5, TRUE},
      {DDI_DRIVER_VERSION_NT5_01, TRUE},
  };
  for (const auto& row : rows) {
    DRVENABLEDATA data{};
    ASSERT_TRUE(kesmDrvEnableDriver(row.version, sizeof data, &data));
    EXPECT_EQ(IsOsLaterWin2000(), row.later) << std::hex << row.version;
  }
  KMSetEngineVersion(0);
  EXPECT_FALSE(IsOsLaterWin2000()) << "never enabled";
}

TEST(DriverEnable, RefusesOldEnginesAndShortEnableData) {
  const struct {
    const char* what;
    ULONG version;
    ULONG size;
    BOOL result;
    ULONG error;
  } rows[] = {
      {"the oldest engine it runs on", 0x20000, sizeof(DRVENABLEDATA), TRUE, 0},
      {"an engine below 0x20000", 0x1FFFF, sizeof(DRVENABLEDATA), FALSE, ERROR_BAD_DRIVER_LEVEL},
      {"twelve bytes cannot hold a pointer-wide table address", 0x20000, 12, FALSE, ERROR_INVALID_PARAMETER},
      {"no enable data", 0x20000, 0, FALSE, ERROR_INVALID_PARAMETER},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::array<BYTE, sizeof(DRVENABLEDATA) + 8> bytes;
    bytes.fill(0xAB);
    EngSetLastError(0);
    EXPECT_EQ(DrvEnableDriver(row.version, row.size, reinterpret_cast<DRVENABLEDATA*>(bytes.data())), row.result);
    EXPECT_EQ(EngGetLastError(), row.error);
    if (!row.result) {
      for (BYTE b : bytes) EXPECT_EQ(b, 0xAB) << "nothing written";
    }
  }
}

using PdevEntries = RenderTest;

TEST_F(PdevEntries, EveryEntryPointRefusesARecordThatIsNotALivePdev) {
  Devmode devmode;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  // A record of the PDEV's size that is not one, and a surface that points
  // at it.
  std::vector<BYTE> junk(sizeof(PDEV), 0);
  const auto bad = reinterpret_cast<DHPDEV>(junk.data());
  SURFOBJ so = *dc->so;
  so.dhpdev = bad;
  POINTL origin{};
  ULONG_PTR id = 0;
  const struct {
    const char* name;
    std::function<bool()> refused;  // the failure value came back
  } calls[] = {
      {"DrvResetPDEV", [&] { return !DrvResetPDEV(bad, dc->device.dhpdev); }},
      {"DrvEnableSurface", [&] { return DrvEnableSurface(bad) == nullptr; }},
      {"DrvStartDoc", [&] { return !DrvStartDoc(&so, nullptr, 1); }},
      {"DrvEndDoc", [&] { return !DrvEndDoc(&so, 0); }},
      {"DrvStartPage", [&] { return !DrvStartPage(&so); }},
      {"DrvSendPage", [&] { return !DrvSendPage(&so); }},
      {"DrvStartBanding", [&] { return !DrvStartBanding(&so, &origin); }},
      {"DrvNextBand", [&] { return !DrvNextBand(&so, &origin); }},
      {"DrvTextOut", [&] { return !DrvTextOut(&so, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0); }},
      {"DrvBitBlt", [&] { return !DrvBitBlt(&so, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0); }},
      {"DrvStrokePath", [&] { return !DrvStrokePath(&so, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0); }},
      {"DrvFillPath", [&] { return !DrvFillPath(&so, nullptr, nullptr, nullptr, nullptr, 0, 0); }},
      {"DrvQueryFont", [&] { return DrvQueryFont(bad, 0, 1, &id) == nullptr; }},
      {"DrvEscape", [&] { return DrvEscape(&so, 0, 0, nullptr, 0, nullptr) == 0; }},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(call.name);
    EngSetLastError(0);
    EXPECT_TRUE(call.refused());
    EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  }
  // The engine's void entry points only set the error.
  EngSetLastError(0);
  DrvCompletePDEV(bad, Hdev());
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EngSetLastError(0);
  DrvDisablePDEV(bad);
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  for (BYTE b : junk) ASSERT_EQ(b, 0) << "the record is left alone";
}

TEST_F(PdevEntries, APdevOwnsItsBlocksOnItsOwnHeapAndGivesThemAllBack) {
  const std::size_t before = plat::LiveBlocks();
  Devmode devmode;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  EXPECT_GT(plat::LiveBlocks(), before);
  const PDEV* pdev = dc->pdev();
  EXPECT_TRUE(bValidatePDEV(pdev));
  ASSERT_NE(pdev->devmode, nullptr);
  EXPECT_EQ(std::memcmp(pdev->devmode, devmode.get(), kSizeofKesmDM), 0) << "the caller's DEVMODE, whole";
  EXPECT_EQ(pdev->printer, printer_);
  EXPECT_EQ(pdev->stream.printer, printer_);
  EXPECT_EQ(pdev->hdev, Hdev());
  Disable(dc);
  FreeStoredUcb(TRUE);
  EXPECT_EQ(plat::LiveBlocks(), before);
}

TEST_F(PdevEntries, RunningOutOfMemoryAtAnyStepOfTheEnableLeavesNothingBehind) {
  Devmode devmode;
  const std::size_t before = plat::LiveBlocks();
  for (std::size_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    plat::FailAllocationAt(n);
    Dc* dc = Enable(devmode);
    void* probe = EngAllocMem(0, 1, 0);
    plat::FailAllocationAt(0);
    if (dc != nullptr) Disable(dc);
    FreeStoredUcb(TRUE);
    EngFreeMem(probe);
    EXPECT_EQ(plat::LiveBlocks(), before);
    if (probe == nullptr) {
      EXPECT_NE(dc, nullptr) << "the enable itself did not run out";
      break;
    }
    ASSERT_LT(n, 5000u);
  }
}

}  // namespace
}  // namespace render_test
