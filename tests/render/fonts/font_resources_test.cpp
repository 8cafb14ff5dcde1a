// The device-font resources generated into the rendering library, read as
// the library reads them (from its own image): the glyph sets' run and
// glyph counts, their runs in order, a sample of the Shift-JIS set's
// mappings converted back through iconv's CP932 here (apart from the
// generator's code), the single-byte sets' own code-page characters, and
// the four fonts' metrics.
#include <iconv.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "render/fonts/font_context.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

ULONG U32(const BYTE* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<ULONG>(p[3]) << 24; }
USHORT U16(const BYTE* p) { return static_cast<USHORT>(p[0] | p[1] << 8); }

// The UTF-16 unit of bytes in a code page, through iconv.
std::optional<char16_t> Decode(const char* codePage, const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-16LE", codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = bytes;
  char out[8];
  char* inPtr = in.data();
  char* outPtr = out;
  std::size_t inLeft = in.size(), outLeft = sizeof out;
  const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1) || outPtr - out != 2) return std::nullopt;
  return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
}

struct GlyphRun {
  char16_t first;
  USHORT count;
  const BYTE* handles;
};

class FontResources : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    dc_ = Enable(devmode_);
    ASSERT_NE(dc_, nullptr);
    module_ = dc_->pdev()->driverModule;
  }
  const BYTE* Resource(int type, int id, ULONG* size) {
    return static_cast<const BYTE*>(EngFindResource(module_, id, type, size));
  }
  std::vector<GlyphRun> Runs(const BYTE* set) {
    std::vector<GlyphRun> runs;
    const BYTE* handles = set + 16 + 8 * U32(set + 12);
    for (ULONG i = 0; i < U32(set + 12); ++i) {
      const BYTE* r = set + 16 + 8 * i;
      runs.push_back({static_cast<char16_t>(U16(r)), U16(r + 2), handles});
      handles += 4 * U16(r + 2);
    }
    return runs;
  }

  Devmode devmode_;
  Dc* dc_ = nullptr;
  HANDLE module_ = nullptr;
};

TEST_F(FontResources, GlyphSetsHoldTheirRunsAndGlyphs) {
  struct Expected {
    int id;
    ULONG runs;
    ULONG glyphs;
  };
  for (const Expected& e : {Expected{1, 142, 630}, Expected{2, 4247, 7484}, Expected{3, 125, 605}}) {
    SCOPED_TRACE(e.id);
    ULONG size = 0;
    const BYTE* set = Resource(kGlyphSetResource, e.id, &size);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(U32(set + 12), e.runs);
    EXPECT_EQ(U32(set + 8), e.glyphs);
    // The stored size covers the head and runs only; the handles follow.
    EXPECT_EQ(U32(set), 16 + 8 * e.runs);
    EXPECT_EQ(size, 16 + 8 * e.runs + 4 * e.glyphs);
    ULONG glyphs = 0;
    char32_t next = 0;
    for (const GlyphRun& r : Runs(set)) {
      EXPECT_GT(static_cast<char32_t>(r.first), next) << "runs overlap, touch or are out of order";
      EXPECT_GT(r.count, 0);
      next = static_cast<char32_t>(r.first) + r.count;
      glyphs += r.count;
    }
    EXPECT_EQ(glyphs, e.glyphs);
  }
  ULONG size = 0;
  Resource(kGlyphSetResource, 2, &size);
  EXPECT_EQ(size, 63928u);
}

TEST_F(FontResources, ShiftJisSetMapsThroughTheCodePage) {
  ULONG size = 0;
  const BYTE* set = Resource(kGlyphSetResource, 2, &size);
  ASSERT_NE(set, nullptr);
  std::size_t checked = 0, index = 0;
  std::map<char16_t, ULONG> known;
  for (const GlyphRun& r : Runs(set)) {
    for (USHORT g = 0; g < r.count; ++g, ++index) {
      const char16_t code = static_cast<char16_t>(r.first + g);
      const ULONG handle = U32(r.handles + 4 * g);
      known[code] = handle;
      if (index % 29 != 0) continue;
      const std::string bytes = handle < 0x100 ? std::string(1, static_cast<char>(handle))
                                               : std::string{static_cast<char>(handle >> 8), static_cast<char>(handle)};
      EXPECT_EQ(Decode("CP932", bytes), code) << std::hex << handle;
      ++checked;
    }
  }
  EXPECT_GT(checked, 250u);
  // Characters of each kind: ASCII, half-width katakana, kana, kanji,
  // full-width forms; the private-use area is not in the set.
  const std::pair<char16_t, ULONG> samples[] = {{u' ', 0x20},        {u'A', 0x41},        {u'\uFF71', 0xB1},
                                                {u'\u3042', 0x82A0}, {u'\u660E', 0x96BE}, {u'\u671D', 0x92A9},
                                                {u'\uFF21', 0x8260}, {u'\u30FB', 0x8145}};
  for (const auto& [code, handle] : samples) EXPECT_EQ(known[code], handle) << std::hex << int{code};
  EXPECT_EQ(known.count(u'\uE000'), 0u);
}

TEST_F(FontResources, SingleByteSetsHoldTheirCodePages) {
  struct Set {
    int id;
    const char* codePage;
  };
  for (const Set& s : {Set{1, "CP1252"}, Set{3, "CP850"}}) {
    SCOPED_TRACE(s.codePage);
    ULONG size = 0;
    const BYTE* set = Resource(kGlyphSetResource, s.id, &size);
    ASSERT_NE(set, nullptr);
    std::size_t exact = 0;
    for (const GlyphRun& r : Runs(set)) {
      for (USHORT g = 0; g < r.count; ++g) {
        const ULONG handle = U32(r.handles + 4 * g);
        ASSERT_LT(handle, 0x100u);
        // A character of the code page itself maps to its own byte.
        const auto back = Decode(s.codePage, std::string(1, static_cast<char>(handle)));
        if (back == static_cast<char16_t>(r.first + g)) ++exact;
      }
    }
    EXPECT_GE(exact, 190u);
  }
}

TEST_F(FontResources, FourFontsWithTheirSymbolSets) {
  struct Expected {
    const char16_t* name;
    BYTE pitchAndFamily;
    const char* symbolSet;
  };
  const Expected fonts[] = {{u"\u660E\u671D", 0x11, "ROMA;J83;KATA"},
                            {u"@\u660E\u671D", 0x11, "ROMA;J83V;KATA"},
                            {u"\uFF7A\uFF9E\uFF7C\uFF6F\uFF78", 0x21, "ROMA;J83;KATA"},
                            {u"@\uFF7A\uFF9E\uFF7C\uFF6F\uFF78", 0x21, "ROMA;J83V;KATA"}};
  for (int id = 1; id <= 4; ++id) {
    SCOPED_TRACE(id);
    const Expected& e = fonts[id - 1];
    ULONG size = 0;
    const BYTE* res = Resource(kFontMetricsResource, id, &size);
    ASSERT_NE(res, nullptr);
    EXPECT_EQ(U32(res), size);
    ASSERT_EQ(U32(res + 4), 592u);
    for (int i = 0; i < 191; ++i) EXPECT_TRUE(U16(res + 124 + 2 * i) == 0 || U16(res + 124 + 2 * i) == 500);
    EXPECT_STREQ(reinterpret_cast<const char*>(res + U32(res + kSymbolSetOffsetAt)), e.symbolSet);
    IFIMETRICS ifi;
    std::memcpy(&ifi, res + 592, sizeof ifi);
    EXPECT_LE(592 + ifi.cjThis, size);
    const auto name = [&](PTRDIFF at) { return std::u16string(reinterpret_cast<const char16_t*>(res + 592 + at)); };
    EXPECT_EQ(name(ifi.dpwszFamilyName), e.name);
    EXPECT_EQ(name(ifi.dpwszFaceName), e.name);
    EXPECT_EQ(name(ifi.dpwszUniqueName), e.name);
    EXPECT_EQ(name(ifi.dpwszStyleName), u"Medium");
    EXPECT_EQ(ifi.jWinCharSet, 128);
    EXPECT_EQ(ifi.jWinPitchAndFamily, e.pitchAndFamily);
    EXPECT_EQ(ifi.usWinWeight, 400);
    EXPECT_EQ(ifi.fsType, 0x2);
    EXPECT_EQ(ifi.flInfo, 0x18482038u);
    EXPECT_EQ(ifi.fwdUnitsPerEm, 1000);
    EXPECT_EQ(ifi.fwdWinAscender, 900);
    EXPECT_EQ(ifi.fwdWinDescender, 100);
    EXPECT_EQ(ifi.fwdAveCharWidth, 500);
    EXPECT_EQ(ifi.fwdMaxCharInc, 1000);
    EXPECT_EQ(ifi.wcFirstChar, 0x20);
    EXPECT_EQ(ifi.wcLastChar, 0xFFFD);
    EXPECT_EQ(ifi.wcDefaultChar, 0x30FB);
    EXPECT_EQ(ifi.wcBreakChar, 0x20);
    EXPECT_EQ(ifi.chDefaultChar, 0xA5);
  }
}

}  // namespace
}  // namespace render_test
