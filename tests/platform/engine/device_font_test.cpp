// The engine's realization of a driver's device font: its metrics and glyph
// set are the driver's, its transform the engine's for the size and angle,
// and it has no glyph images or outlines of its own; strings in it carry
// the driver's handles.
#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/engine/fonts/device_font.h"
#include "platform/engine/fonts/eng_string.h"

namespace {

// A glyph set of two runs: 'A'-'C' to 0x41-0x43 and U+30FB to 0x8145.
struct TwoRuns {
  HGLYPH handles[4] = {0x41, 0x42, 0x43, 0x8145};
  struct {
    FD_GLYPHSET head;
    WCRUN second;
  } set{};
  TwoRuns() {
    set.head.cjThis = sizeof set;
    set.head.cGlyphsSupported = 4;
    set.head.cRuns = 2;
    set.head.awcrun[0] = WCRUN{u'A', 3, handles};
    set.second = WCRUN{0x30FB, 1, handles + 3};
  }
  FD_GLYPHSET* get() { return &set.head; }
};

IFIMETRICS Metrics() {
  IFIMETRICS ifi{};
  ifi.cjThis = sizeof ifi;
  ifi.fwdUnitsPerEm = 1000;
  ifi.fwdMaxCharInc = 1000;
  ifi.wcDefaultChar = 0x30FB;
  return ifi;
}

TEST(DeviceFont, AnswersWithTheDriversMetricsAndGlyphSet) {
  IFIMETRICS ifi = Metrics();
  TwoRuns runs;
  plat::eng::DeviceFont font(3, &ifi, runs.get(), 50, 0, 600);
  FONTOBJ* pfo = &font;
  EXPECT_EQ(pfo->iFace, 3u);
  EXPECT_EQ(pfo->flFontType, FO_TYPE_DEVICE);
  EXPECT_EQ(pfo->cxMax, 50u);
  EXPECT_EQ(FONTOBJ_pifi(pfo), &ifi);
  EXPECT_EQ(FONTOBJ_pfdg(pfo), runs.get());
  XFORML m{};
  ASSERT_NE(FONTOBJ_pxoGetXform(pfo), nullptr);
  XFORMOBJ_iGetXform(FONTOBJ_pxoGetXform(pfo), &m);
  EXPECT_FLOAT_EQ(m.eM11, 0.05f);
  EXPECT_FLOAT_EQ(m.eM22, 0.05f);
  std::vector<HGLYPH> all(FONTOBJ_cGetAllGlyphHandles(pfo, nullptr));
  ASSERT_EQ(all.size(), 4u);
  FONTOBJ_cGetAllGlyphHandles(pfo, all.data());
  EXPECT_EQ(all, (std::vector<HGLYPH>{0x41, 0x42, 0x43, 0x8145}));
  // The engine has no images or outlines of a device font.
  HGLYPH hg = 0x41;
  PVOID glyph = nullptr;
  EXPECT_EQ(FONTOBJ_cGetGlyphs(pfo, FO_GLYPHBITS, 1, &hg, &glyph), 0);
  EXPECT_EQ(FONTOBJ_cGetGlyphs(pfo, FO_PATHOBJ, 1, &hg, &glyph), 0);
}

TEST(DeviceFont, CharactersMapThroughTheSetOrToTheDefault) {
  IFIMETRICS ifi = Metrics();
  TwoRuns runs;
  plat::eng::DeviceFont font(1, &ifi, runs.get(), 40, 90, 600);
  EXPECT_EQ(font.GlyphOf(u'B'), 0x42u);
  EXPECT_EQ(font.GlyphOf(u'Z'), 0x8145u) << "the default character's handle";
  plat::eng::DeviceFont bare(1, &ifi, nullptr, 40, 0, 600);
  EXPECT_EQ(bare.GlyphOf(u'A'), HGLYPH_INVALID);
  XFORML m{};
  XFORMOBJ_iGetXform(&font.Transform(), &m);
  EXPECT_NEAR(m.eM12, -0.04f, 1e-6) << "turned counter-clockwise, y down";
}

// A glyph set of the given runs, their handles the code plus 0x10000 times
// the run's number, so that a lookup shows which run answered.
struct RunSet {
  std::vector<std::vector<HGLYPH>> handles;
  std::vector<BYTE> bytes;
  explicit RunSet(const std::vector<std::pair<WCHAR, USHORT>>& runs) {
    bytes.resize(sizeof(FD_GLYPHSET) + runs.size() * sizeof(WCRUN));
    auto* set = reinterpret_cast<FD_GLYPHSET*>(bytes.data());
    set->cRuns = static_cast<ULONG>(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
      handles.emplace_back();
      for (USHORT g = 0; g < runs[i].second; ++g) handles.back().push_back(((i + 1) << 16) | (runs[i].first + g));
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
      set->awcrun[i] = WCRUN{runs[i].first, runs[i].second, handles[i].data()};
    }
  }
  FD_GLYPHSET* get() { return reinterpret_cast<FD_GLYPHSET*>(bytes.data()); }
};

// Sets whose runs go up are searched by halves, any other run by run: a
// character takes the first run that holds it either way, runs without
// glyphs hold nothing, and codes between runs take the default character.
TEST(DeviceFont, EveryCodeTakesTheFirstRunHoldingIt) {
  IFIMETRICS ifi = Metrics();
  ifi.wcDefaultChar = 0x7E;
  struct Case {
    const char* name;
    std::vector<std::pair<WCHAR, USHORT>> runs;
  };
  std::vector<std::pair<WCHAR, USHORT>> many;
  for (WCHAR c = 0x20; c < 0x7F; c += 3) many.emplace_back(c, c % 2 ? 1 : 2);
  many.emplace_back(0xFFF0, 16);
  const Case cases[] = {
      {"ascending, gaps and empty runs", {{0x20, 0}, {0x20, 5}, {0x30, 0}, {0x30, 1}, {0x41, 26}, {0x7E, 1}}},
      {"many single and double runs", many},
      {"out of order and overlapping", {{0x41, 26}, {0x20, 40}, {0x7E, 1}, {0x50, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunSet set(c.runs);
    plat::eng::DeviceFont font(1, &ifi, set.get(), 40, 0, 600);
    const auto first = [&](WCHAR code) -> HGLYPH {
      for (std::size_t i = 0; i < c.runs.size(); ++i) {
        if (code >= c.runs[i].first && code - c.runs[i].first < c.runs[i].second) {
          return set.handles[i][code - c.runs[i].first];
        }
      }
      return HGLYPH_INVALID;
    };
    for (ULONG code = 0; code <= 0xFFFF; ++code) {
      const HGLYPH own = first(static_cast<WCHAR>(code));
      const HGLYPH expected = own != HGLYPH_INVALID ? own : first(ifi.wcDefaultChar);
      ASSERT_EQ(font.GlyphOf(static_cast<WCHAR>(code)), expected) << "code " << code;
    }
  }
}

TEST(DeviceFont, StringsCarryTheHandlesAndNoImages) {
  IFIMETRICS ifi = Metrics();
  TwoRuns runs;
  plat::eng::DeviceFont font(1, &ifi, runs.get(), 40, 0, 600);
  std::vector<GLYPHPOS> positions{{0x41, nullptr, {10, 20}}, {0x42, nullptr, {30, 20}}};
  plat::eng::Str str(font, u"AB", positions, SO_HORIZONTAL, 0, RECTL{10, 0, 50, 30});
  ASSERT_EQ(str.cGlyphs, 2u);
  ASSERT_NE(str.pgp, nullptr);
  EXPECT_EQ(str.pgp[1].hg, 0x42u);
  EXPECT_EQ(str.pgp[0].pgdf, nullptr);
  EXPECT_EQ(str.pwszOrg[1], u'B');
}

}  // namespace
