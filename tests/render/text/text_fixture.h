// Text on a page of the rendering tests' driver: a DC with its document and
// page open, the engine's fonts (DejaVu through FreeType, and the driver's
// device fonts as the engine realizes them from the driver's answers), the
// strings of glyphs the engine hands to DrvTextOut, and the page's
// display-list records read back.
#pragma once

#include <iconv.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "platform/engine/fonts/device_font.h"
#include "platform/engine/fonts/eng_font.h"
#include "platform/engine/fonts/eng_string.h"
#include "platform/engine/fonts/font_files.h"
#include "platform/engine/objects/eng_paint.h"
#include "render/records/opcodes.h"
#include "tests/render/render_fixture.h"

namespace render_test {

// Device font faces.
inline constexpr ULONG kMincho = 1;
inline constexpr ULONG kMinchoVertical = 2;
inline constexpr ULONG kGothic = 3;

class TextTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    // The printer's fonts are named in Shift-JIS.
    plat::SetAnsiCodePage(932);
  }
  void TearDown() override {
    strings_.clear();
    deviceFonts_.clear();
    fonts_.clear();
    brushes_.clear();
    RenderTest::TearDown();
  }

  // A DC of the DEVMODE with a document and its first page open.
  Dc* OpenPage(Devmode& devmode) {
    Dc* dc = Enable(devmode);
    if (dc == nullptr) return nullptr;
    StartJob();
    std::u16string name = u"Text";
    EXPECT_TRUE(DrvStartDoc(dc->so, name.data(), jobId_));
    EXPECT_TRUE(DrvStartPage(dc->so));
    return dc;
  }

  // DejaVu at an em size in pixels and an angle; null when not installed.
  plat::eng::Font* TrueType(const std::u16string& face = u"DejaVu Sans", double em = 50, double angle = 0) {
    const auto file = plat::eng::FindFontFile(face, false);
    if (!file) return nullptr;
    auto font = plat::eng::Font::Realize(*file, em, angle, 600);
    if (!font) return nullptr;
    fonts_.push_back(std::move(font));
    return fonts_.back().get();
  }

  // The driver's device font as the engine realizes it; null when the
  // driver offers no such font.
  plat::eng::DeviceFont* Device(Dc* dc, ULONG face, double em = 50, double angle = 0) {
    ULONG_PTR id = 0;
    IFIMETRICS* ifi = DrvQueryFont(dc->device.dhpdev, 0, face, &id);
    if (ifi == nullptr) return nullptr;
    auto* set = static_cast<FD_GLYPHSET*>(DrvQueryFontTree(dc->device.dhpdev, 0, face, QFT_GLYPHSET, &id));
    deviceFonts_.push_back(std::make_unique<plat::eng::DeviceFont>(face, ifi, set, em, angle, 600));
    return deviceFonts_.back().get();
  }

  // The string in the font from the point, laid out by the glyphs' advances
  // along the baseline; flags are the STROBJ's.
  STROBJ* String(plat::eng::Font* font, const std::u16string& text, POINTL at, FLONG accel = SO_HORIZONTAL,
                 ULONG charInc = 0) {
    std::vector<GLYPHPOS> positions;
    LONG x = at.x * 64, y = at.y * 64;
    for (char16_t c : text) {
      const HGLYPH hg = font->GlyphOf(c);
      positions.push_back(GLYPHPOS{hg, nullptr, POINTL{(x + 32) >> 6, (y + 32) >> 6}});
      const POINTL advance = font->Advance26_6(hg);
      x += charInc != 0 ? static_cast<LONG>(charInc) * 64 : advance.x;
      y += charInc != 0 ? 0 : advance.y;
    }
    const RECTL box{at.x, at.y - 50, (x >> 6) + 1, at.y + 20};
    strings_.push_back(std::make_unique<plat::eng::Str>(*font, text, std::move(positions), accel, charInc, box));
    return strings_.back().get();
  }
  // A device-font string, advancing by the driver's widths.
  STROBJ* String(Dc* dc, plat::eng::DeviceFont* font, const std::u16string& text, POINTL at,
                 FLONG accel = SO_HORIZONTAL) {
    std::vector<GLYPHPOS> positions;
    LONG x = at.x * 16;
    for (char16_t c : text) {
      HGLYPH hg = font->GlyphOf(c);
      positions.push_back(GLYPHPOS{hg, nullptr, POINTL{(x + 8) >> 4, at.y}});
      USHORT width = 0;
      EXPECT_TRUE(DrvQueryAdvanceWidths(dc->device.dhpdev, font, QAW_GETWIDTHS, &hg, &width, 1));
      x += width;
    }
    const RECTL box{at.x, at.y - 50, (x >> 4) + 1, at.y + 20};
    strings_.push_back(std::make_unique<plat::eng::Str>(*font, text, std::move(positions), accel, 0, box));
    return strings_.back().get();
  }

  BRUSHOBJ* Solid(ULONG color) {
    brushes_.push_back(plat::eng::Brush::Solid(color, color));
    return brushes_.back().get();
  }

  BOOL Draw(Dc* dc, STROBJ* str, FONTOBJ* font, RECTL* opaque = nullptr, BRUSHOBJ* opaqueBrush = nullptr) {
    POINTL origin{0, 0};
    return DrvTextOut(dc->so, str, font, nullptr, nullptr, opaque, Solid(0), opaqueBrush, &origin, 13);
  }

  // Ends the page and the document; the display-list records of each page
  // between its start and end records.
  std::vector<std::vector<jobstream::Record>> Finish(Dc* dc) {
    EXPECT_TRUE(DrvSendPage(dc->so));
    EXPECT_TRUE(DrvEndDoc(dc->so, 0));
    const jobstream::Decoded decoded = jobstream::Decode(FinishJob());
    EXPECT_TRUE(decoded.ok()) << decoded.error << " in " << Opcodes(decoded.records);
    std::vector<std::vector<jobstream::Record>> pages;
    for (const jobstream::Record& r : decoded.records) {
      if (r.opcode == kOpPageStart) {
        pages.emplace_back();
      } else if (r.opcode != kOpPageEnd && !pages.empty()) {
        pages.back().push_back(r);
      }
    }
    return pages;
  }

  static std::string Opcodes(const std::vector<jobstream::Record>& records) {
    std::string out;
    char text[8];
    for (const jobstream::Record& r : records) {
      std::snprintf(text, sizeof text, "%s%02X", out.empty() ? "" : " ", r.opcode);
      out += text;
    }
    return out;
  }

  // Records of one opcode.
  static std::vector<jobstream::Record> Only(const std::vector<jobstream::Record>& records, std::uint8_t op) {
    std::vector<jobstream::Record> out;
    for (const auto& r : records) {
      if (r.opcode == op) out.push_back(r);
    }
    return out;
  }

 private:
  std::vector<std::unique_ptr<plat::eng::Font>> fonts_;
  std::vector<std::unique_ptr<plat::eng::DeviceFont>> deviceFonts_;
  std::vector<std::unique_ptr<plat::eng::Str>> strings_;
  std::vector<std::unique_ptr<plat::eng::Brush>> brushes_;
};

}  // namespace render_test
