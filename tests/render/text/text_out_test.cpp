// DrvTextOut in each mode, read back as the page's display-list records:
// device-font strings (the printer's own fonts, and installable TrueType
// fonts sent by name), outlines (embedding-restricted fonts, mirrored text,
// glyph-index strings), glyph bitmaps (each glyph's bitmap once per page,
// references afterwards) and banding (the engine draws into the band).
#include <set>

#include "render/text/glyph_cache.h"
#include "render/text/text.h"
#include "tests/render/record_fields.h"
#include "tests/render/text/text_fixture.h"

namespace render_test {
namespace {

using jobstream::Record;
using jobstream::U16;
using jobstream::U32;

constexpr std::size_t kStringData = 36;

// The character codes of a 0x52 or 0x55 record.
std::vector<USHORT> StringCodes(const Record& r) {
  const USHORT count = U16(r, 32);
  std::vector<USHORT> codes;
  if (r.opcode == kOpPutString) {
    const std::size_t advances = (r.bytes[2] & 0x80) != 0 ? count : 1;
    for (USHORT i = 0; i < count; ++i) codes.push_back(U16(r, kStringData + 2 * advances + 2 * i));
  } else {
    for (USHORT i = 0; i < count; ++i) codes.push_back(U16(r, kStringData + 6 * i + 4));
  }
  return codes;
}
std::vector<SHORT> StringAdvances(const Record& r) {
  const USHORT count = U16(r, 32);
  const std::size_t advances = (r.bytes[2] & 0x80) != 0 ? count : 1;
  std::vector<SHORT> out;
  for (std::size_t i = 0; i < advances; ++i) out.push_back(static_cast<SHORT>(U16(r, kStringData + 2 * i)));
  return out;
}

// Empty when every glyph a record names without its bitmap was sent with
// one before on the page; else the first code that was not.
std::string UnsentReferences(const std::vector<Record>& page) {
  std::set<USHORT> sent;
  const auto missing = [&](USHORT code) {
    return sent.count(code) == 0 ? "glyph " + std::to_string(code) + " named before it was sent" : std::string();
  };
  for (const Record& r : page) {
    if (r.opcode == kOpRegistCharBitmap) sent.insert(U16(r, 24));
    if (r.opcode == kOpPutCharBitmap) {
      if (U32(r, 32) != 0) {
        sent.insert(U16(r, 60));
      } else if (const std::string m = missing(U16(r, 60)); !m.empty()) {
        return m;
      }
    }
    if (r.opcode == kOpPutStringEx) {
      for (USHORT code : StringCodes(r)) {
        if (const std::string m = missing(code); !m.empty()) return m;
      }
    }
  }
  return {};
}

// The face name of a font definition record as bytes.
std::string FaceBytes(const Record& r) {
  const std::size_t at = r.opcode == kOpDefineFont ? 24 : 32;
  std::string face;
  for (std::size_t i = at; i < r.bytes.size() && r.bytes[i] != 0; ++i) face += static_cast<char>(r.bytes[i]);
  return face;
}

class TextOut : public TextTest {
 protected:
  Dc* Page(bool glyphBitmaps = false) {
    Dc* dc = OpenPage(devmode_);
    if (dc != nullptr) dc->pdev()->textBitmap = glyphBitmaps ? 1 : 0;
    return dc;
  }
  Devmode devmode_;
};

TEST_F(TextOut, ADeviceFontStringGoesAsOneStringRecord) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* font = Device(dc, kMincho, 50);
  ASSERT_NE(font, nullptr);
  ASSERT_TRUE(Draw(dc, String(dc, font, u"AB\u660E", {100, 200}), font));
  const auto pages = Finish(dc);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Opcodes(pages[0]), "40 30 32 31 50 52");
  const Record& define = pages[0][4];
  EXPECT_EQ(FaceBytes(define), "\x96\xBE\x92\xA9") << "the face goes in Shift-JIS";
  EXPECT_EQ(define.bytes[2], 128) << "character set";
  const Record& string = pages[0][5];
  EXPECT_EQ(StringCodes(string), (std::vector<USHORT>{u'A', u'B', 0x660E}));
  EXPECT_EQ(StringAdvances(string), (std::vector<SHORT>{25, 25, 0})) << "half-width, half-width, then none";
  EXPECT_EQ(static_cast<LONG>(U32(string, 24)), 100);
}

TEST_F(TextOut, TheFontIsDefinedOncePerPage) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* mincho = Device(dc, kMincho, 50);
  plat::eng::DeviceFont* gothic = Device(dc, kGothic, 50);
  ASSERT_TRUE(Draw(dc, String(dc, mincho, u"A", {100, 200}), mincho));
  ASSERT_TRUE(Draw(dc, String(dc, mincho, u"B", {100, 300}), mincho));
  ASSERT_TRUE(Draw(dc, String(dc, gothic, u"C", {100, 400}), gothic));
  ASSERT_TRUE(DrvSendPage(dc->so));
  ASSERT_TRUE(DrvStartPage(dc->so));
  ASSERT_TRUE(Draw(dc, String(dc, gothic, u"D", {100, 200}), gothic));
  const auto pages = Finish(dc);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Only(pages[0], kOpDefineFont).size(), 2u);
  EXPECT_EQ(Only(pages[1], kOpDefineFont).size(), 1u) << "each page defines its first font again";
}

TEST_F(TextOut, RotatedDeviceTextGoesCharacterByCharacter) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* font = Device(dc, kMincho, 50, 90);
  ASSERT_TRUE(Draw(dc, String(dc, font, u"AB", {500, 500}, 0), font));
  const auto pages = Finish(dc);
  const auto chars = Only(pages[0], kOpPutChar);
  ASSERT_EQ(chars.size(), 2u);
  // Turned 90 degrees: each character is placed back by the ascent (45
  // pixels) along x.
  EXPECT_EQ(static_cast<LONG>(U32(chars[0], 24)), 455);
  EXPECT_EQ(static_cast<LONG>(U32(chars[0], 28)), 500);
  EXPECT_EQ(U16(chars[1], 32), u'B');
  const auto define = Only(pages[0], kOpDefineFont);
  ASSERT_EQ(define.size(), 1u);
  EXPECT_EQ(U16(define[0], 8), 90) << "escapement";
}

TEST_F(TextOut, SizesBeyondSixteenBitsAreCutWhereTheyAreStored) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  // 40000 pixels an em: the em and each full-width advance are beyond what
  // the records' 16-bit fields hold.
  plat::eng::DeviceFont* font = Device(dc, kMincho, 40000);
  ASSERT_NE(font, nullptr);
  std::vector<GLYPHPOS> positions{{0x96BE, nullptr, {100, 40000}}, {0x92A9, nullptr, {40100, 40000}}};
  plat::eng::Str str(*font, u"\u660E\u671D", positions, SO_HORIZONTAL, 0, RECTL{100, 4000, 80100, 44000});
  ASSERT_TRUE(Draw(dc, &str, font));
  const auto pages = Finish(dc);
  const auto define = Only(pages[0], kOpDefineFont);
  ASSERT_EQ(define.size(), 1u);
  EXPECT_EQ(U16(define[0], 10), 32767) << "em width";
  EXPECT_EQ(U16(define[0], 12), 32767) << "em height";
  EXPECT_EQ(Only(pages[0], kOpPutString).size(), 0u);
  const auto chars = Only(pages[0], kOpPutChar);
  ASSERT_EQ(chars.size(), 2u) << "an advance of 40000 pixels goes character by character";
  EXPECT_EQ(static_cast<LONG>(U32(chars[1], 24)), 40100);
  EXPECT_EQ(static_cast<LONG>(U32(chars[1], 28)), 40000 - 36000) << "placed back by the ascent";
}

TEST_F(TextOut, FixedPitchAndVerticalStrings) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::Font* mono = TrueType(u"DejaVu Sans Mono", 40);
  ASSERT_NE(mono, nullptr);
  ASSERT_TRUE(Draw(dc, String(mono, u"abc", {100, 100}, SO_HORIZONTAL | SO_FLAG_DEFAULT_PLACEMENT, 24), mono));
  plat::eng::DeviceFont* vertical = Device(dc, kMinchoVertical, 40);
  ASSERT_NE(vertical, nullptr);
  std::vector<GLYPHPOS> down{{0x82A0, nullptr, {500, 100}}, {0x82A2, nullptr, {500, 140}}};
  plat::eng::Str str(*vertical, u"\u3042\u3044", down, SO_VERTICAL, 0, RECTL{480, 100, 520, 180});
  ASSERT_TRUE(Draw(dc, &str, vertical));
  const auto pages = Finish(dc);
  const auto strings = Only(pages[0], kOpPutString);
  ASSERT_EQ(strings.size(), 2u);
  EXPECT_EQ(strings[0].bytes[2], 0) << "one advance for every character";
  EXPECT_EQ(StringAdvances(strings[0]), std::vector<SHORT>{24});
  EXPECT_EQ(StringAdvances(strings[1]), (std::vector<SHORT>{40, 0})) << "advances along y";
  const auto defines = Only(pages[0], kOpDefineFont);
  ASSERT_EQ(defines.size(), 2u);
  EXPECT_EQ(FaceBytes(defines[1]), "@\x96\xBE\x92\xA9");
}

TEST_F(TextOut, EndUserCharactersGoAsOutlinesOfAFontDefinedEachTime) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  dc->pdev()->hiddenFunc15 = 1;
  plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
  ASSERT_NE(font, nullptr);
  ASSERT_TRUE(Draw(dc, String(font, u"a\uE000", {100, 100}), font));
  ASSERT_TRUE(Draw(dc, String(font, u"a\uE001", {100, 200}), font));
  const auto pages = Finish(dc);
  const auto defines = Only(pages[0], kOpDefineFont);
  ASSERT_EQ(defines.size(), 2u) << "an end-user font is defined again each time";
  char name[32];
  std::snprintf(name, sizeof name, "DejaVu Sans_%x", static_cast<unsigned>(font->iUniq));
  EXPECT_EQ(FaceBytes(defines[0]), name);
  EXPECT_EQ(Only(pages[0], kOpPutString).size(), 0u);
  EXPECT_FALSE(Only(pages[0], kOpPutChar).empty());
}

struct TrueTypeCase {
  const char* what;
  USHORT fsType;
  bool mirrored;
  bool glyphIndices;
  std::uint8_t glyphRecord;  // 0x52 by name, or 0x51 outlines
};

const TrueTypeCase kTrueTypeCases[] = {
    {"an installable font goes by name", 0, false, false, kOpPutString},
    {"a font that may only be embedded for reading goes as outlines", 0x4, false, false, kOpPutChar},
    {"an editable-embedding font goes as outlines", 0x8, false, false, kOpPutChar},
    {"mirrored text goes as outlines", 0, true, false, kOpPutChar},
    {"glyph indices without their text go as outlines", 0, false, true, kOpPutChar},
};

TEST_F(TextOut, TrueTypeByNameOrAsOutlines) {
  for (const TrueTypeCase& c : kTrueTypeCases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Page();
    ASSERT_NE(dc, nullptr);
    plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
    ASSERT_NE(font, nullptr);
    font->Metrics()->fsType = c.fsType;
    if (c.mirrored) font->Transform() = plat::eng::Xform(XFORML{-0.02f, 0, 0, 0.02f, 0, 0});
    STROBJ* str = String(font, u"Ab", {300, 300});
    if (c.glyphIndices) {
      str->flAccel |= SO_GLYPHINDEX_TEXTOUT;
      str->pwszOrg = nullptr;
    }
    ASSERT_TRUE(Draw(dc, str, font));
    const auto pages = Finish(dc);
    ASSERT_EQ(pages.size(), 1u);
    const auto define = Only(pages[0], kOpDefineFont);
    ASSERT_EQ(define.size(), 1u);
    EXPECT_EQ(FaceBytes(define[0]), "DejaVu Sans");
    const auto glyphs = Only(pages[0], c.glyphRecord);
    if (c.glyphRecord == kOpPutString) {
      ASSERT_EQ(glyphs.size(), 1u);
      EXPECT_EQ(StringCodes(glyphs[0]), (std::vector<USHORT>{u'A', u'b'}));
    } else {
      ASSERT_EQ(glyphs.size(), 2u);
      for (const Record& r : glyphs) {
        EXPECT_EQ(r.bytes[2], 1) << "an outline follows";
        EXPECT_GT(r.bytes.size(), 36u);
      }
      const USHORT first = c.glyphIndices ? static_cast<USHORT>(font->GlyphOf(u'A')) : u'A';
      EXPECT_EQ(U16(glyphs[0], 32), first);
    }
    Disable(dc);
  }
}

TEST_F(TextOut, OpaqueBoxColoursAndExtraRectangles) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* font = Device(dc, kGothic, 40);
  STROBJ* str = String(dc, font, u"A", {100, 100});
  RECTL opaque{90, 50, 200, 120};
  RECTL extra[] = {{100, 130, 140, 132}, {0, 0, 0, 0}, {1, 1, 5, 5}};
  POINTL origin{0, 0};
  ASSERT_TRUE(DrvTextOut(dc->so, str, font, nullptr, extra, &opaque, Solid(0x0000FF), Solid(0xFFFFFF), &origin, 13));
  const auto pages = Finish(dc);
  // The text changes only the colour: the background mode and ROP3 stay.
  EXPECT_EQ(Opcodes(pages[0]), "30 32 31 10 40 30 50 52 10");
  // The engine's colour goes with its first and third bytes exchanged.
  EXPECT_EQ(pages[0][5].bytes[4], 0x00);
  EXPECT_EQ(pages[0][5].bytes[6], 0xFF);
}

// The text's clip goes before its attributes, as every drawing's does: a
// rectangle as a clip rectangle, a region of more than one as its outline,
// nothing for none or a clip the text lies within; in glyph-bitmap mode
// too. The next text without a clip resets it.
TEST_F(TextOut, TheClipOfTheTextIsSentFirst) {
  enum class ClipKind { kNone, kTrivial, kRect, kComplex };
  const struct {
    const char* what;
    ClipKind clip;
    bool glyphBitmaps;
    const char* opcodes;
  } cases[] = {
      {"no clip", ClipKind::kNone, false, "40 30 32 31 50 52"},
      {"trivial", ClipKind::kTrivial, false, "40 30 32 31 50 52"},
      {"rectangle", ClipKind::kRect, false, "10 40 30 32 31 50 52 37 52"},
      {"complex", ClipKind::kComplex, false, "12 40 30 32 31 50 52 37 52"},
      {"rectangle, glyph bitmaps", ClipKind::kRect, true, "10 40 30 32 31 56 54 54 55 37 55"},
  };
  const RECTL bounds{0, 0, 1000, 1000};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Page(c.glyphBitmaps);
    ASSERT_NE(dc, nullptr);
    FONTOBJ* font = nullptr;
    STROBJ* first = nullptr;
    STROBJ* second = nullptr;
    if (c.glyphBitmaps) {
      plat::eng::Font* trueType = TrueType(u"DejaVu Sans", 40);
      ASSERT_NE(trueType, nullptr);
      font = trueType;
      first = String(trueType, u"Ab", {100, 200});
      second = String(trueType, u"A", {100, 400});
    } else {
      plat::eng::DeviceFont* device = Device(dc, kMincho, 50);
      ASSERT_NE(device, nullptr);
      font = device;
      first = String(dc, device, u"AB", {100, 200});
      second = String(dc, device, u"A", {100, 400});
    }
    auto clip = plat::eng::Clip::Trivial(bounds);
    if (c.clip == ClipKind::kRect) clip = plat::eng::Clip::Region({{50, 50, 400, 300}}, bounds, 31);
    if (c.clip == ClipKind::kComplex) {
      clip = plat::eng::Clip::Region({{50, 50, 150, 300}, {200, 50, 400, 300}}, bounds, 32);
    }
    POINTL origin{0, 0};
    ASSERT_TRUE(DrvTextOut(dc->so, first, font, c.clip == ClipKind::kNone ? nullptr : &clip, nullptr, nullptr,
                           Solid(0), nullptr, &origin, 13));
    if (c.clip == ClipKind::kRect || c.clip == ClipKind::kComplex) {
      ASSERT_TRUE(Draw(dc, second, font));
    }
    const auto pages = Finish(dc);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Opcodes(pages[0]), c.opcodes);
    const jobstream::Fields sent = jobstream::ReadFields(pages[0][0]);
    ASSERT_TRUE(sent.ok()) << jobstream::Describe(sent);
    if (c.clip == ClipKind::kRect) {
      EXPECT_EQ(sent.Value("kind"), 5) << "a clip rectangle";
      EXPECT_EQ(sent.Value("rect.left"), 50);
      EXPECT_EQ(sent.Value("rect.right"), 400);
      EXPECT_EQ(sent.Value("rect.bottom"), 300);
    }
    if (c.clip == ClipKind::kComplex) {
      EXPECT_EQ(sent.Value("kind"), 0x1D) << "a clip path of two closed subpaths";
      EXPECT_EQ(sent.subpaths.size(), 2u);
    }
  }
}

TEST_F(TextOut, TextRop3OfEachMix) {
  const std::pair<ULONG, BYTE> cases[] = {{13, 0xCC}, {1, 0xFF}, {16, 0x00}, {0, 0xCC}, {17, 0xCC}, {2, 0x11}};
  for (const auto& [mix, rop] : cases) EXPECT_EQ(GetTextROP3(mix), rop) << mix;
}

TEST_F(TextOut, BadArgumentsAndAFailedStream) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* font = Device(dc, kMincho);
  STROBJ* str = String(dc, font, u"A", {10, 10});
  EngSetLastError(0);
  EXPECT_FALSE(DrvTextOut(dc->so, nullptr, font, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 13));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(DrvTextOut(dc->so, str, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 13));
  dc->pdev()->hiddenFunc18 = 1;
  EXPECT_TRUE(Draw(dc, str, font));
  dc->pdev()->hiddenFunc18 = 0;
  dc->pdev()->flags |= kPdevWriteError;
  EXPECT_FALSE(Draw(dc, str, font));
  dc->pdev()->flags &= ~kPdevWriteError;
  const auto pages = Finish(dc);
  EXPECT_EQ(Opcodes(pages[0]), "") << "nothing was drawn";
}

// Glyph-bitmap mode.

TEST_F(TextOut, EachGlyphBitmapGoesOncePerPage) {
  Dc* dc = Page(true);
  ASSERT_NE(dc, nullptr);
  plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
  ASSERT_NE(font, nullptr);
  ASSERT_TRUE(Draw(dc, String(font, u"abab", {100, 200}), font));
  ASSERT_TRUE(Draw(dc, String(font, u"ba c", {100, 300}), font));
  ASSERT_TRUE(DrvSendPage(dc->so));
  ASSERT_TRUE(DrvStartPage(dc->so));
  ASSERT_TRUE(Draw(dc, String(font, u"ab", {100, 200}), font));
  const auto pages = Finish(dc);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Opcodes(pages[0]), "40 30 32 31 56 54 54 55 54 54 55");
  EXPECT_EQ(StringCodes(pages[0][7]), (std::vector<USHORT>{u'a', u'b', u'a', u'b'}));
  // The second string registers only the space and c; the space, without
  // pixels, is registered like any other glyph.
  EXPECT_EQ(U16(pages[0][8], 24), u' ');
  EXPECT_EQ(U16(pages[0][9], 24), u'c');
  EXPECT_EQ(UnsentReferences(pages[0]), "");
  EXPECT_EQ(Opcodes(pages[1]), "40 30 32 31 56 54 54 55") << "a new page sends its bitmaps again";
  EXPECT_EQ(UnsentReferences(pages[1]), "");
}

TEST_F(TextOut, RotatedGlyphsGoOneByOneAndTheReferenceMarkIsPerGlyph) {
  Dc* dc = Page(true);
  ASSERT_NE(dc, nullptr);
  plat::eng::Font* font = TrueType(u"DejaVu Sans", 40, 30);
  ASSERT_NE(font, nullptr);
  ASSERT_TRUE(Draw(dc, String(font, u"aab", {300, 300}, 0), font));
  const auto pages = Finish(dc);
  const auto glyphs = Only(pages[0], kOpPutCharBitmap);
  ASSERT_EQ(glyphs.size(), 3u);
  EXPECT_NE(U32(glyphs[0], 32), 0u) << "the first a carries its bitmap";
  EXPECT_EQ(U32(glyphs[1], 32), 0u) << "the second a names it";
  EXPECT_EQ(glyphs[1].bytes[2], 0x48);
  EXPECT_NE(U32(glyphs[2], 32), 0u);
  EXPECT_EQ(glyphs[2].bytes[2], 0x08) << "the mark of the a before does not stick to b";
  EXPECT_EQ(UnsentReferences(pages[0]), "");
}

TEST_F(TextOut, GlyphIndicesWithoutTheirTextAreNamedByTheirHandles) {
  Dc* dc = Page(true);
  ASSERT_NE(dc, nullptr);
  plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
  ASSERT_NE(font, nullptr);
  STROBJ* str = String(font, u"xyx", {100, 200});
  str->flAccel |= SO_GLYPHINDEX_TEXTOUT;
  str->pwszOrg = nullptr;
  ASSERT_TRUE(Draw(dc, str, font));
  const auto pages = Finish(dc);
  const auto strings = Only(pages[0], kOpPutStringEx);
  ASSERT_EQ(strings.size(), 1u);
  const auto x = static_cast<USHORT>(font->GlyphOf(u'x'));
  const auto y = static_cast<USHORT>(font->GlyphOf(u'y'));
  EXPECT_EQ(StringCodes(strings[0]), (std::vector<USHORT>{x, y, x}));
  EXPECT_EQ(strings[0].bytes[2], 0x04) << "a string of glyph indices";
  EXPECT_EQ(UnsentReferences(pages[0]), "");
}

TEST_F(TextOut, MirroredGlyphsAreDrawnAndForgotten) {
  Dc* dc = Page(true);
  ASSERT_NE(dc, nullptr);
  plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
  font->Transform() = plat::eng::Xform(XFORML{-0.02f, 0, 0, 0.02f, 0, 0});
  ASSERT_TRUE(Draw(dc, String(font, u"aa", {300, 300}), font));
  ASSERT_TRUE(Draw(dc, String(font, u"a", {300, 400}), font));
  const auto pages = Finish(dc);
  EXPECT_EQ(Only(pages[0], kOpPutCharBitmapOnce).size(), 3u);
  EXPECT_EQ(Only(pages[0], kOpPutCharBitmap).size(), 0u);
}

TEST_F(TextOut, ThePrintersOwnFontsStayStringsInGlyphBitmapMode) {
  Dc* dc = Page(true);
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* mincho = Device(dc, kMincho, 40);
  plat::eng::DeviceFont* vertical = Device(dc, kMinchoVertical, 40);
  ASSERT_TRUE(Draw(dc, String(dc, mincho, u"\u3042", {100, 100}), mincho));
  const auto pages = Finish(dc);
  EXPECT_EQ(Opcodes(pages[0]), "40 30 32 31 50 52");
  ASSERT_NE(vertical, nullptr);
}

TEST_F(TextOut, GlyphGenerationsNeverMatchEarlierOnes) {
  Dc* dc = Page(true);
  ASSERT_NE(dc, nullptr);
  PDEV* pdev = dc->pdev();
  const LONG generation = pdev->glyphGeneration;
  const ULONG bucket = ulCalcHashID(pdev, 7, generation, u'a');
  ASSERT_NE(pAddHashTbl(pdev, bucket, 7, generation, u'a'), nullptr);
  // Another key of the same bucket is found too.
  const ULONG other = ulCalcHashID(pdev, 7 + 1, generation, u'a' - 1);
  ASSERT_EQ(other, bucket);
  ASSERT_NE(pAddHashTbl(pdev, other, 8, generation, u'a' - 1), nullptr);
  EXPECT_TRUE(bChkHashTbl(pdev, bucket, 7, generation, u'a'));
  EXPECT_TRUE(bChkHashTbl(pdev, bucket, 8, generation, u'a' - 1));
  EXPECT_FALSE(bChkHashTbl(pdev, 1024, 7, generation, u'a'));
  EXPECT_EQ(pAddHashTbl(pdev, 1024, 7, generation, u'a'), nullptr);
  pFreeHashTbl(pdev);
  EXPECT_EQ(pdev->glyphGeneration, generation + 1);
  EXPECT_FALSE(bChkHashTbl(pdev, bucket, 7, generation, u'a'));
  Finish(dc);
}

// Overwrites a name of the font's metrics in place; the new name must not be
// longer than the old one.
void Rename(plat::eng::Font* font, PTRDIFF IFIMETRICS::*field, std::u16string_view name) {
  IFIMETRICS* ifi = font->Metrics();
  auto* at = reinterpret_cast<char16_t*>(reinterpret_cast<BYTE*>(ifi) + ifi->*field);
  ASSERT_LE(name.size(), std::u16string_view(at).size());
  std::copy(name.begin(), name.end(), at);
  at[name.size()] = 0;
}

struct NameCase {
  const char* what;
  const char16_t* family;  // null keeps the font's own
  const char16_t* face;
  USHORT fsType;
  LONG endUserFonts;  // hiddenFunc15
  std::uint8_t glyphRecord;  // 0x52 by name, or 0x51 outlines
  bool idAppended;
};

const NameCase kNameCases[] = {
    {"an EUDC family that may be embedded goes by name without end-user fonts", u"EUDC", nullptr, 0x4, 0,
     kOpPutString, false},
    {"an EUDC face likewise", nullptr, u"EUDC", 0x4, 0, kOpPutString, false},
    {"an EUDC family goes as outlines of its own font with end-user fonts", u"EUDC", nullptr, 0, 1, kOpPutChar,
     true},
    {"an EUDC face likewise", nullptr, u"EUDC", 0, 1, kOpPutChar, true},
    {"a family starting with the full-width D, F, G goes as outlines", u"\uFF24\uFF26\uFF27Font", nullptr, 0, 0,
     kOpPutChar, false},
    {"a face starting with them too", nullptr, u"\uFF24\uFF26\uFF27", 0, 0, kOpPutChar, false},
    {"the full-width D, F alone is an ordinary name", u"\uFF24\uFF26Font", nullptr, 0, 0, kOpPutString, false},
    {"an external-characters family goes as outlines with end-user fonts", u"My\u5916\u5B57", nullptr, 0, 1,
     kOpPutChar, false},
    {"and by name without them", u"My\u5916\u5B57", nullptr, 0, 0, kOpPutString, false},
};

TEST_F(TextOut, EndUserAndOutlineFontNames) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.what);
    Dc* dc = Page();
    ASSERT_NE(dc, nullptr);
    dc->pdev()->hiddenFunc15 = c.endUserFonts;
    plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
    ASSERT_NE(font, nullptr);
    font->Metrics()->fsType = c.fsType;
    if (c.family != nullptr) Rename(font, &IFIMETRICS::dpwszFamilyName, c.family);
    if (c.face != nullptr) Rename(font, &IFIMETRICS::dpwszFaceName, c.face);
    ASSERT_TRUE(Draw(dc, String(font, u"Ab", {300, 300}), font));
    ASSERT_TRUE(Draw(dc, String(font, u"b", {300, 400}), font));
    const auto pages = Finish(dc);
    ASSERT_EQ(pages.size(), 1u);
    const auto define = Only(pages[0], kOpDefineFont);
    ASSERT_EQ(define.size(), c.idAppended ? 2u : 1u) << "an end-user font is defined for each string";
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%x", static_cast<unsigned>(font->iUniq));
    EXPECT_EQ(FaceBytes(define[0]).ends_with(suffix), c.idAppended) << FaceBytes(define[0]);
    EXPECT_EQ(Only(pages[0], c.glyphRecord).size(), c.glyphRecord == kOpPutString ? 2u : 3u);
    Disable(dc);
  }
}

TEST_F(TextOut, EudcGlyphBitmapsAreDrawnAndForgotten) {
  for (const bool face : {false, true}) {
    SCOPED_TRACE(face ? "face" : "family");
    Dc* dc = Page(true);
    ASSERT_NE(dc, nullptr);
    plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
    ASSERT_NE(font, nullptr);
    Rename(font, face ? &IFIMETRICS::dpwszFaceName : &IFIMETRICS::dpwszFamilyName, u"EUDC");
    ASSERT_TRUE(Draw(dc, String(font, u"aa", {300, 300}), font));
    ASSERT_TRUE(Draw(dc, String(font, u"a", {300, 400}), font));
    const auto pages = Finish(dc);
    ASSERT_EQ(Only(pages[0], kOpDefineFontEx).size(), 1u);
    EXPECT_EQ(Only(pages[0], kOpPutCharBitmapOnce).size(), 3u);
    EXPECT_EQ(Only(pages[0], kOpPutCharBitmap).size(), 0u);
    EXPECT_EQ(Only(pages[0], kOpRegistCharBitmap).size(), 0u);
    Disable(dc);
  }
}

TEST_F(TextOut, AFontWhoseDefinitionCannotBeQueuedIsDefinedNextTime) {
  Dc* dc = Page();
  ASSERT_NE(dc, nullptr);
  plat::eng::DeviceFont* mincho = Device(dc, kMincho, 10);
  plat::eng::DeviceFont* gothic = Device(dc, kGothic, 10);
  ASSERT_TRUE(Draw(dc, String(dc, mincho, u"A", {0, 100}), mincho));
  // Fill the display list's chunk with a Mincho string so that Gothic's
  // definition needs a new one (a definition record takes at least 28
  // bytes).
  JobStream& stream = dc->pdev()->stream;
  const auto room = [&] { return static_cast<std::size_t>(stream.tail->end - stream.tail->fill); };
  const auto queuedBy = [&](const std::u16string& text) {
    const std::size_t before = room();
    EXPECT_TRUE(Draw(dc, String(dc, mincho, text, {0, 100}), mincho));
    return before - room();
  };
  const std::size_t one = queuedBy(u"A");
  const std::size_t perCharacter = queuedBy(u"AA") - one;
  ASSERT_GT(perCharacter, 0u);
  const std::size_t base = one - perCharacter;
  while (room() >= 24) {
    const std::size_t characters = std::min<std::size_t>(400, (room() - base - 1) / perCharacter);
    ASSERT_GT(characters, 0u);
    queuedBy(std::u16string(characters, u'A'));
  }
  const ULONG records = stream.records;
  plat::FailAllocationAt(1);
  EXPECT_FALSE(Draw(dc, String(dc, gothic, u"C", {0, 200}), gothic));
  plat::FailAllocationAt(0);
  ASSERT_EQ(stream.records, records) << "the definition was the first record to fail";
  ASSERT_TRUE(Draw(dc, String(dc, gothic, u"C", {0, 200}), gothic));
  const auto pages = Finish(dc);
  ASSERT_GE(pages[0].size(), 2u);
  EXPECT_EQ(pages[0][pages[0].size() - 2].opcode, kOpDefineFont) << "Gothic is defined before its string";
  EXPECT_EQ(pages[0].back().opcode, kOpPutString);
}

TEST_F(TextOut, GlyphStringOffsetsBeyondSixteenBitsGoGlyphByGlyph) {
  // Glyph points far apart, and a point outside 16 bits: the string record
  // cannot say them, so the glyphs go one by one, named after they were
  // registered.
  const LONG starts[][2] = {{-20000, 40000}, {40000, 1}};
  for (const auto& [start, step] : starts) {
    SCOPED_TRACE(start);
    Dc* dc = Page(true);
    ASSERT_NE(dc, nullptr);
    plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
    ASSERT_NE(font, nullptr);
    ASSERT_TRUE(Draw(dc, String(font, u"ab", {start, 300}, SO_HORIZONTAL, static_cast<ULONG>(step)), font));
    const auto pages = Finish(dc);
    EXPECT_EQ(Only(pages[0], kOpPutStringEx).size(), 0u);
    EXPECT_EQ(Only(pages[0], kOpRegistCharBitmap).size(), 2u);
    const auto glyphs = Only(pages[0], kOpPutCharBitmap);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(UnsentReferences(pages[0]), "");
    const LONG a = static_cast<LONG>(U32(glyphs[0], 36));
    const LONG b = static_cast<LONG>(U32(glyphs[1], 36));
    EXPECT_NEAR(a, start, 10) << "each glyph keeps its own place";
    EXPECT_NEAR(b - a, step, 40);
    Disable(dc);
  }
}

// One allocation of a glyph-bitmap string that fails, whichever it is: the
// string is drawn all the same, every glyph once, and nothing sent names a
// glyph the printer has not received.
std::size_t GlyphsDrawn(const std::vector<Record>& page) {
  std::size_t drawn = 0;
  for (const Record& r : page) {
    if (r.opcode == kOpPutCharBitmap || r.opcode == kOpPutCharBitmapOnce) drawn += 1;
    if (r.opcode == kOpPutStringEx) drawn += StringCodes(r).size();
  }
  return drawn;
}

TEST_F(TextOut, GlyphBitmapsShortOfMemory) {
  struct Case {
    const char* what;
    double angle;
    std::uint8_t fallback;  // the record that shows the way round was taken
  };
  const Case cases[] = {
      {"string: registration fails, glyphs go one by one uncached", 0, kOpPutCharBitmapOnce},
      {"turned: the table is given up for the glyph's buffer", 30, kOpPutCharBitmap},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool flushedOnce = false;
    for (std::size_t n = 1; n <= 16; ++n) {
      SCOPED_TRACE(n);
      Dc* dc = Page(true);
      ASSERT_NE(dc, nullptr);
      plat::eng::Font* font = TrueType(u"DejaVu Sans", 40, c.angle);
      ASSERT_NE(font, nullptr);
      const FLONG accel = c.angle == 0 ? SO_HORIZONTAL : 0;
      ASSERT_TRUE(Draw(dc, String(font, u"ab", {300, 300}, accel), font));
      const LONG generation = dc->pdev()->glyphGeneration;
      plat::FailAllocationAt(n);
      EXPECT_TRUE(Draw(dc, String(font, u"abcb", {300, 400}, accel), font));
      plat::FailAllocationAt(0);
      const bool flushed = dc->pdev()->glyphGeneration != generation;
      flushedOnce = flushedOnce || flushed;
      ASSERT_TRUE(Draw(dc, String(font, u"cab", {300, 500}, accel), font));
      const auto pages = Finish(dc);
      ASSERT_EQ(pages.size(), 1u);
      EXPECT_EQ(UnsentReferences(pages[0]), "") << Opcodes(pages[0]);
      EXPECT_EQ(GlyphsDrawn(pages[0]), 2u + 4u + 3u) << Opcodes(pages[0]);
      if (c.angle == 0 && flushed) {
        EXPECT_FALSE(Only(pages[0], c.fallback).empty()) << "a failed registration draws the string uncached";
      }
      Disable(dc);
    }
    EXPECT_TRUE(flushedOnce) << "some failure emptied the table";
  }
}

// Banding: the engine draws the text into the band; no text records go.
TEST_F(TextOut, BandingTextIsDrawnByTheEngine) {
  Devmode devmode;
  devmode.Banding();
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  StartJob();
  std::u16string name = u"Band";
  ASSERT_TRUE(DrvStartDoc(dc->so, name.data(), jobId_));
  ASSERT_TRUE(DrvStartPage(dc->so));
  plat::eng::Font* font = TrueType(u"DejaVu Sans", 40);
  ASSERT_NE(font, nullptr);
  auto* bits = static_cast<BYTE*>(dc->so->pvBits);
  std::fill(bits, bits + dc->so->cjBits, 0xFF);
  const std::vector<BYTE> before(bits, bits + dc->so->cjBits);
  POINTL* noOrigin = nullptr;
  ASSERT_TRUE(DrvTextOut(dc->so, String(font, u"Band", {50, 60}), font, nullptr, nullptr, nullptr, Solid(0), nullptr,
                         noOrigin, 13));
  const std::vector<BYTE> after(static_cast<const BYTE*>(dc->so->pvBits),
                                static_cast<const BYTE*>(dc->so->pvBits) + dc->so->cjBits);
  EXPECT_NE(before, after) << "the glyphs are in the band";
  EXPECT_EQ(dc->pdev()->lastSent.fontDefined, 0) << "no font was defined";
  EngSetLastError(0);
  EXPECT_FALSE(DrvTextOut(dc->so, nullptr, font, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 13));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace render_test
