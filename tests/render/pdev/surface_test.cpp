// The drawing surface and banding: a device surface of the page with every
// drawing call hooked, or a band bitmap of about 0x4B000 bytes of 1-bit
// lines, and the bands of a page, with no empty band after a page whose
// height is a whole number of bands.
#include <algorithm>

#include "tests/render/record_fields.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

using Surface = RenderTest;

TEST_F(Surface, APageThatDoesNotBandIsADeviceSurfaceWithEveryDrawingCallHooked) {
  Devmode devmode;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  ASSERT_NE(dc->so, nullptr);
  EXPECT_EQ(dc->so->iType, STYPE_DEVICE);
  EXPECT_EQ(dc->so->sizlBitmap.cx, 2450);
  EXPECT_EQ(dc->so->sizlBitmap.cy, 3200);
  EXPECT_EQ(dc->so->dhpdev, dc->device.dhpdev);
  const plat::eng::Surface* surface = plat::eng::SurfaceOf(dc->surface);
  EXPECT_EQ(surface->hooks, HOOK_BITBLT | HOOK_STRETCHBLT | HOOK_TEXTOUT | HOOK_STROKEPATH | HOOK_FILLPATH |
                                HOOK_STROKEANDFILLPATH | HOOK_COPYBITS);
  EXPECT_FALSE(surface->banding);
}

TEST_F(Surface, ABandIsAWholeNumberOfTwelveLinesOfAbout0x4B000BytesAt1Bit) {
  const struct {
    const char* what;
    short paper;
    LONG colorProcess;
    short color;
    LONG height;
    ULONG format;
  } rows[] = {
      // Lines of 2450 dots are 308 bytes at 1 bit: 997 lines, 83 twelves, one more.
      {"monochrome letter", kLetter, 1, 1, 1008, BMF_1BPP},
      {"colour letter", kLetter, 2, 2, 1008, BMF_24BPP},
      {"monochrome A4", kA4, 1, 1, 996, BMF_1BPP},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Devmode devmode;
    devmode.Banding().Paper(row.paper).Set(175, row.colorProcess);
    devmode.get()->dmColor = row.color;
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    ASSERT_NE(dc->so, nullptr);
    EXPECT_EQ(dc->so->iType, STYPE_BITMAP);
    EXPECT_EQ(dc->so->sizlBitmap.cx, dc->pdev()->pageWidth);
    EXPECT_EQ(dc->so->sizlBitmap.cy, row.height);
    EXPECT_EQ(dc->so->iBitmapFormat, row.format);
    EXPECT_GT(dc->so->lDelta, 0) << "top-down";
    const plat::eng::Surface* surface = plat::eng::SurfaceOf(dc->surface);
    EXPECT_EQ(surface->hooks, HOOK_BITBLT | HOOK_STRETCHBLT | HOOK_TEXTOUT);
    EXPECT_TRUE(surface->banding);
    Disable(dc);
  }
}

TEST_F(Surface, APageWithoutPrintableSizeHasNoBand) {
  Devmode devmode;
  devmode.Banding().Paper(8);  // A3: a printable area of no size
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->pdev()->pageWidth, 0);
  EXPECT_EQ(dc->surface, nullptr);
}

// The band origins of one page, as the engine walks them.
std::vector<LONG> BandTops(Dc* dc) {
  std::vector<LONG> tops;
  POINTL origin{};
  if (!DrvStartBanding(dc->so, &origin)) return {-2};
  while (origin.x != -1) {
    tops.push_back(origin.y);
    if (tops.size() > 20 || !DrvNextBand(dc->so, &origin)) return {-2};
  }
  return tops;
}

TEST_F(Surface, EachPageGoesBandByBandWithNoEmptyBandAfterItsLastLine) {
  const struct {
    const char* what;
    short paper;
    std::vector<LONG> tops;
    const char* letters;  // each band an image of its own chunk
  } rows[] = {
      {"a page of 3200 lines in bands of 1008", kLetter, {0, 1008, 2016, 3024}, "JHELLLLLTHELLLLLT"},
      {"a page of exactly two bands of 996", kA4, {0, 996}, "JHELLLTHELLLT"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Devmode devmode;
    devmode.MonochromeBanding().Paper(row.paper);
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    StartJob();
    ASSERT_TRUE(DrvStartDoc(dc->so, nullptr, jobId_));
    for (int page = 0; page < 2; ++page) {
      ASSERT_TRUE(DrvStartPage(dc->so));
      EXPECT_EQ(BandTops(dc), row.tops);
      EXPECT_EQ(dc->pdev()->bandNumber, static_cast<LONG>(row.tops.size()));
    }
    ASSERT_TRUE(DrvEndDoc(dc->so, 0));
    const jobstream::Decoded stream = jobstream::Decode(FinishJob());
    EXPECT_EQ(jobstream::CheckOrder(stream), "");
    EXPECT_EQ(jobstream::Letters(stream), row.letters) << "the last band sends the page";
    Disable(dc);
  }
}

TEST_F(Surface, BandingAPageSetsTheCopyRop3OnceOnIt) {
  Devmode devmode;
  devmode.MonochromeBanding();
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  StartJob();
  ASSERT_TRUE(DrvStartDoc(dc->so, nullptr, jobId_));
  for (int page = 0; page < 2; ++page) {
    ASSERT_TRUE(DrvStartPage(dc->so));
    // The engine may band a page more than once: the second start sends
    // nothing new.
    POINTL origin{};
    ASSERT_TRUE(DrvStartBanding(dc->so, &origin));
    ASSERT_NE(BandTops(dc), std::vector<LONG>{-2});
  }
  ASSERT_TRUE(DrvEndDoc(dc->so, 0));
  const jobstream::Decoded stream = jobstream::Decode(FinishJob());
  ASSERT_TRUE(stream.ok()) << stream.error;
  // Around the bands' images.
  std::vector<std::vector<std::uint8_t>> records;
  std::size_t images = 0;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x20) {
      ++images;
      continue;
    }
    records.push_back(r.bytes);
  }
  EXPECT_EQ(images, 8u);
  const std::vector<std::uint8_t> start = stream.records.at(0).bytes, end{0x61, 0, 0, 0}, copy{0x31, 0xCC, 0, 0};
  EXPECT_EQ(records, (std::vector<std::vector<std::uint8_t>>{start, copy, end, start, copy, end}));
}

TEST_F(Surface, EachBandStartsWhite) {
  Devmode devmode;
  devmode.Banding().Set(175, 1);
  devmode.get()->dmColor = 1;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  StartJob();
  ASSERT_TRUE(DrvStartDoc(dc->so, nullptr, jobId_));
  ASSERT_TRUE(DrvStartPage(dc->so));
  auto* bits = static_cast<BYTE*>(dc->so->pvBits);
  std::fill_n(bits, 100, 0x00);
  POINTL origin{};
  ASSERT_TRUE(DrvStartBanding(dc->so, &origin));
  EXPECT_TRUE(std::all_of(bits, bits + dc->so->cjBits, [](BYTE b) { return b == 0xFF; }));
  std::fill_n(bits, 100, 0x00);
  ASSERT_TRUE(DrvNextBand(dc->so, &origin));
  EXPECT_TRUE(std::all_of(bits, bits + dc->so->cjBits, [](BYTE b) { return b == 0xFF; }));
}

TEST_F(Surface, AnEngineSpoolingEmfMayBandAPageItNeverStarted) {
  Devmode devmode;
  devmode.MonochromeBanding().Set(193, 1).Paper(kA4);
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  StartJob();
  ASSERT_TRUE(DrvStartDoc(dc->so, nullptr, jobId_));
  EXPECT_EQ(BandTops(dc), (std::vector<LONG>{0, 996}));
  EXPECT_EQ(dc->pdev()->pageStarted, 0);
  ASSERT_TRUE(DrvEndDoc(dc->so, 0));
  const jobstream::Decoded stream = jobstream::Decode(FinishJob());
  EXPECT_EQ(jobstream::CheckOrder(stream), "");
  EXPECT_EQ(jobstream::Letters(stream), "JHELLLT");
}

TEST_F(Surface, EachBandGoesAsAnImageInItsPlace) {
  for (const bool mono : {true, false}) {
    SCOPED_TRACE(mono ? "1-bit bands" : "24-bit bands");
    Devmode devmode;
    if (mono) {
      devmode.MonochromeBanding().Paper(kA4);
    } else {
      devmode.Banding().Paper(kA4);
    }
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    StartJob();
    ASSERT_TRUE(DrvStartDoc(dc->so, nullptr, jobId_));
    ASSERT_TRUE(DrvStartPage(dc->so));
    POINTL origin{};
    ASSERT_TRUE(DrvStartBanding(dc->so, &origin));
    std::vector<std::vector<std::uint8_t>> drawn;
    while (origin.x != -1) {
      // Ink on the band's first line, different in each band.
      auto* bits = static_cast<std::uint8_t*>(dc->so->pvScan0);
      bits[0] = static_cast<std::uint8_t>(drawn.size());
      drawn.emplace_back(bits, bits + dc->so->cjBits);
      ASSERT_TRUE(DrvNextBand(dc->so, &origin));
    }
    ASSERT_TRUE(DrvEndDoc(dc->so, 0));
    const jobstream::Decoded stream = jobstream::Decode(FinishJob());
    ASSERT_TRUE(stream.ok()) << stream.error;
    std::vector<jobstream::Fields> images;
    for (const jobstream::Record& r : stream.records) {
      if (r.opcode == 0x20) images.push_back(jobstream::ReadFields(r));
    }
    ASSERT_EQ(images.size(), 2u);
    for (std::size_t i = 0; i < images.size(); ++i) {
      const jobstream::Fields& image = images[i];
      ASSERT_TRUE(image.ok()) << image.error;
      EXPECT_EQ(image.Value("format"), mono ? 0x20 : 0x24) << "no palette";
      EXPECT_EQ(image.Value("banding"), 4);
      EXPECT_EQ(image.Value("y"), static_cast<std::int64_t>(996 * i));
      EXPECT_EQ(image.Value("cx"), 2480);  // the printable width of A4 at 300 dpi
      EXPECT_EQ(image.Value("width"), 2480);
      EXPECT_EQ(image.Value("cy"), 996);
      EXPECT_EQ(image.Blob("lines"), drawn[i]);
    }
    Disable(dc);
  }
}

}  // namespace
}  // namespace render_test
