// Drives DrvTextOut through the print host's painter on PDEVs of the sample
// printer (the description kesmprint installs, with the built rendering
// library as its driver file, so that the device fonts are there): one
// drawing vector records, one in glyph-bitmap mode, one banding. The input
// is {mode (1 byte: 0 vector, 1 glyph bitmaps, 2 banding)}, then text
// commands of {face (1 byte), size in points (2 bytes), angle in degrees
// (2 bytes, signed), bold (1 byte), position x and y (2 bytes each, in
// steps of 4 twips), length in UTF-16 units (2 bytes), the units}, up to
// eight of them. Faces are the engine's DejaVu faces, the
// four device fonts and a name no one has; the units are taken as they
// come (lone surrogates, characters no font has, empty strings). The
// engine's faces are kept to sizes and lengths it rasterizes quickly. Each
// input starts from an empty display list and glyph cache; nothing may stay
// allocated.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "fuzz/sample_printer.h"
#include "platform/base/machine.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/spooler/winspool.h"
#include "render/fonts/font_context.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/function_table.h"
#include "render/pdev/pdev.h"
#include "render/text/glyph_cache.h"
#include "settings/context/context_open.h"
#include "tools/printhost/painter.h"

namespace {

constexpr int kModes = 3;
constexpr std::size_t kMaxCommands = 8;
constexpr std::size_t kMaxUnits = 6000;

constexpr LONG kMaxEnginePoints = 256;
constexpr std::size_t kEngineBudget = 60000;  // points x characters

const char16_t* const kFaces[] = {
    u"DejaVu Sans", u"DejaVu Sans Mono", u"DejaVu Serif", u"\u660E\u671D", u"@\u660E\u671D",
    u"\uFF7A\uFF9E\uFF7C\uFF6F\uFF78", u"@\uFF7A\uFF9E\uFF7C\uFF6F\uFF78", u"No Such Face",
};
constexpr bool kDeviceFace[] = {false, false, false, true, true, true, true, false};
static_assert(std::size(kDeviceFace) == std::size(kFaces));

// One enabled PDEV with its surface, as the engine holds them.
struct Dc {
  plat::eng::Device device;
  HSURF surface = nullptr;
  SURFOBJ* so = nullptr;
  PDEV* pdev() const { return reinterpret_cast<PDEV*>(device.dhpdev); }
};

// One machine with the sample printer and a DC of each mode for the whole
// run.
struct Bench {
  plat::ScopedMachine machine;
  HANDLE printer = nullptr;
  Dc dcs[kModes];

  Bench() {
    // The printer's own fonts are named in Shift-JIS.
    printer = fuzz::OpenSamplePrinter(KESM_SAMPLE_DESCRIPTION, KESM_GR_LIBRARY);
    plat::SetAnsiCodePage(932);
    DRVENABLEDATA data{};
    if (!DrvEnableDriver(DDI_DRIVER_VERSION_NT5_01, sizeof(data), &data)) std::abort();
    for (int mode = 0; mode < kModes; ++mode) {
      Dc& dc = dcs[mode];
      for (ULONG i = 0; i < data.c; ++i) {
        if (data.pdrvfn[i].iFunc < dc.device.functions.size()) dc.device.functions[data.pdrvfn[i].iFunc] = data.pdrvfn[i].pfn;
      }
      dc.device.hdev = reinterpret_cast<HDEV>(printer);
      HSURF patterns[HS_DDI_MAX] = {};
      WCHAR name[] = u"Kesm Sample";
      dc.device.dhpdev = DrvEnablePDEV(nullptr, nullptr, HS_DDI_MAX, patterns, sizeof(GDIINFO), &dc.device.gdiInfo,
                                       sizeof(DEVINFO), &dc.device.devInfo, dc.device.hdev, name, printer);
      if (dc.device.dhpdev == nullptr) std::abort();
      plat::eng::RegisterDevice(dc.device);
      DrvCompletePDEV(dc.device.dhpdev, dc.device.hdev);
      // The sample printer's language is the machine's (English), which
      // has no device fonts: the PDEVs that do not band get them as a
      // Japanese printer's would.
      if (mode != 2 && dc.pdev()->fontContext == nullptr) {
        ULONG count = 0;
        dc.pdev()->fontContext = fnt_init(dc.pdev(), dc.pdev()->driverModule, &count);
        dc.pdev()->deviceFontCount = static_cast<LONG>(count);
        dc.device.devInfo.cFonts = count;
        if (count == 0) std::abort();
      }
      dc.pdev()->textBitmap = mode == 1 ? 1 : 0;
      dc.pdev()->banding = mode == 2 ? 1 : 0;
      dc.surface = DrvEnableSurface(dc.device.dhpdev);
      dc.so = dc.surface != nullptr ? EngLockSurface(dc.surface) : nullptr;
      if (dc.so == nullptr) std::abort();
      // The glyph sets live from the engine's first question to the PDEV's
      // end: asked here, they are not counted against an input.
      for (ULONG face = 1; face <= dc.device.devInfo.cFonts; ++face) {
        ULONG_PTR id = 0;
        DrvQueryFontTree(dc.device.dhpdev, 0, face, QFT_GLYPHSET, &id);
      }
    }
  }
  ~Bench() {
    for (Dc& dc : dcs) {
      EngUnlockSurface(dc.so);
      DrvDisableSurface(dc.device.dhpdev);
      DrvDisablePDEV(dc.device.dhpdev);
      plat::eng::UnregisterDevice(dc.device);
    }
    FreeStoredUcb(TRUE);
    ClosePrinter(printer);
  }
};

Bench& TheBench() {
  static Bench bench;
  return bench;
}

// Little-endian values of the input, zero past its end.
struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  bool more() const { return at < size; }
  unsigned Next() { return at < size ? data[at++] : 0; }
  unsigned Next16() { return Next() | Next() << 8; }
};

// What an input left in the PDEV goes: the page's records, glyph cache and
// drawing state.
void Clear(PDEV* pdev) {
  dl_free(&pdev->stream);
  dl_init(&pdev->stream);
  pFreeHashTbl(pdev);
  std::memset(&pdev->lastSent, 0, sizeof pdev->lastSent);
  pdev->flags &= ~kPdevWriteError;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1 << 16)) return 0;
  Bench& bench = TheBench();
  Reader in{data, size};
  Dc& dc = bench.dcs[in.Next() % kModes];
  {
    const fuzz::PlatformBalance balance;
    printhost::FontCache fonts(dc.device);
    printhost::Painter painter(dc.device, dc.so, POINTL{0, 0}, fonts);
    for (std::size_t n = 0; n < kMaxCommands && in.more(); ++n) {
      printhost::Text text;
      const std::size_t face = in.Next() % std::size(kFaces);
      text.face = kFaces[face];
      text.points = static_cast<LONG>(in.Next16());
      // The engine rasterizes its own faces (and the faces it maps the
      // printer's to where the PDEV offers none): their sizes and lengths
      // are kept to what it draws in a moment. The printer's faces take any
      // size.
      const bool engineFace = !kDeviceFace[face] || dc.device.devInfo.cFonts == 0;
      if (engineFace) text.points %= kMaxEnginePoints + 1;
      text.angle = static_cast<std::int16_t>(in.Next16());
      text.bold = (in.Next() & 1) != 0;
      text.at = POINT{static_cast<LONG>(in.Next16()) * 4, static_cast<LONG>(in.Next16()) * 4};
      std::size_t units = std::min<std::size_t>(in.Next16(), kMaxUnits);
      if (engineFace) units = std::min<std::size_t>(units, kEngineBudget / std::max<LONG>(text.points, 1));
      for (std::size_t i = 0; i < units && in.more(); ++i) text.text += static_cast<char16_t>(in.Next16());
      std::string error;
      painter.Draw(text, error);
    }
    Clear(dc.pdev());
  }
  return 0;
}
