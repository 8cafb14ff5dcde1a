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
// come (lone surrogates, characters no font has, empty strings). Sizes are
// taken modulo 49 and lengths cut to 64 units and to the input's share of
// glyph area (see below), so that an input is one modest page. Each input
// starts from an empty display list and glyph cache of the driver, with the
// fonts the PDEV realized for the inputs before it; no platform block may
// stay allocated.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
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
// An input is one modest page: at most 64 units a text, sizes up to 48
// points, and its glyphs together cover at most four 48-point ems (a glyph
// under 4 points counts as one of 4), so a few large glyphs or many small.
constexpr std::size_t kMaxUnits = 64;
constexpr LONG kMaxPoints = 48;
constexpr LONG kSmallestCountedPoints = 4;
constexpr std::size_t kGlyphArea = 48 * 48 * 4;  // square points
// Realized fonts a PDEV keeps from input to input, as GDI keeps them; more
// start a fresh cache.
constexpr std::size_t kMaxFonts = 64;

const char16_t* const kFaces[] = {
    u"DejaVu Sans", u"DejaVu Sans Mono", u"DejaVu Serif", u"\u660E\u671D", u"@\u660E\u671D",
    u"\uFF7A\uFF9E\uFF7C\uFF6F\uFF78", u"@\uFF7A\uFF9E\uFF7C\uFF6F\uFF78", u"No Such Face",
};

// One enabled PDEV with its surface, as the engine holds them.
struct Dc {
  plat::eng::Device device;
  HSURF surface = nullptr;
  SURFOBJ* so = nullptr;
  std::unique_ptr<printhost::FontCache> fonts;
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
      dc.fonts = std::make_unique<printhost::FontCache>(dc.device);
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
      dc.fonts.reset();
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
  if (dc.fonts->size() > kMaxFonts) dc.fonts = std::make_unique<printhost::FontCache>(dc.device);
  {
    const fuzz::PlatformBalance balance;
    printhost::Painter painter(dc.device, dc.so, POINTL{0, 0}, *dc.fonts);
    std::size_t area = kGlyphArea;
    for (std::size_t n = 0; n < kMaxCommands && in.more(); ++n) {
      printhost::Text text;
      text.face = kFaces[in.Next() % std::size(kFaces)];
      text.points = static_cast<LONG>(in.Next16() % (kMaxPoints + 1));
      text.angle = static_cast<std::int16_t>(in.Next16());
      text.bold = (in.Next() & 1) != 0;
      text.at = POINT{static_cast<LONG>(in.Next16()) * 4, static_cast<LONG>(in.Next16()) * 4};
      const auto side = static_cast<std::size_t>(std::max(text.points, kSmallestCountedPoints));
      const std::size_t units = std::min({std::size_t{in.Next16()}, kMaxUnits, area / (side * side)});
      area -= units * side * side;
      for (std::size_t i = 0; i < units && in.more(); ++i) text.text += static_cast<char16_t>(in.Next16());
      std::string error;
      painter.Draw(text, error);
    }
    Clear(dc.pdev());
  }
  return 0;
}
