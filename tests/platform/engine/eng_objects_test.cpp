// Engine objects: paths by runs, clip regions, transforms, translations and
// print jobs with their write faults.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/base/machine.h"
#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/winddi.h"
#include "platform/spooler/spooljob.h"
#include "tests/platform/spooler/spool_fixture.h"

namespace {

std::vector<PATHDATA> Runs(PATHOBJ* ppo, std::vector<std::vector<POINTFIX>>& points) {
  std::vector<PATHDATA> runs;
  PATHOBJ_vEnumStart(ppo);
  PATHDATA pd{};
  bool more = true;
  while (more) {
    more = PATHOBJ_bEnum(ppo, &pd) != FALSE;
    if (pd.count == 0) break;
    runs.push_back(pd);
    points.emplace_back(pd.pptfx, pd.pptfx + pd.count);
  }
  return runs;
}

TEST(EngPath, EnumeratesRunByRunWithSubpathFlagsAndBounds) {
  PATHOBJ* ppo = EngCreatePath();
  ASSERT_NE(ppo, nullptr);
  POINTFIX lines[] = {{160, 0}, {160, 160}};
  POINTFIX curve[] = {{100, 200}, {50, 200}, {0, 160}};
  ASSERT_TRUE(PATHOBJ_bMoveTo(ppo, {0, 0}));
  ASSERT_TRUE(PATHOBJ_bPolyLineTo(ppo, lines, 2));
  ASSERT_TRUE(PATHOBJ_bPolyBezierTo(ppo, curve, 3));
  ASSERT_TRUE(PATHOBJ_bCloseFigure(ppo));
  ASSERT_TRUE(PATHOBJ_bMoveTo(ppo, {-32, 320}));
  ASSERT_TRUE(PATHOBJ_bPolyLineTo(ppo, lines, 1));
  EXPECT_FALSE(PATHOBJ_bPolyBezierTo(ppo, curve, 2));  // not a multiple of three
  EXPECT_EQ(ppo->fl & PO_BEZIERS, PO_BEZIERS);
  EXPECT_EQ(ppo->cCurves, 4u);
  std::vector<std::vector<POINTFIX>> points;
  const auto runs = Runs(ppo, points);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].flags, PD_BEGINSUBPATH | PD_RESETSTYLE);
  EXPECT_EQ(points[0].size(), 3u);  // the start point, then the two lines
  EXPECT_EQ(runs[1].flags, PD_BEZIERS | PD_ENDSUBPATH | PD_CLOSEFIGURE);
  EXPECT_EQ(points[1].size(), 3u);
  EXPECT_EQ(runs[2].flags, PD_BEGINSUBPATH | PD_RESETSTYLE | PD_ENDSUBPATH);
  EXPECT_EQ(points[2][0].x, -32);
  RECTFX bounds{};
  PATHOBJ_vGetBounds(ppo, &bounds);
  EXPECT_EQ(bounds.xLeft, -32);
  EXPECT_EQ(bounds.yTop, 0);
  EXPECT_EQ(bounds.xRight, 160);
  EXPECT_EQ(bounds.yBottom, 320);
  // After the last run the enumeration reports nothing more.
  PATHDATA after{};
  EXPECT_FALSE(PATHOBJ_bEnum(ppo, &after));
  EXPECT_EQ(after.count, 0u);
  EngDeletePath(ppo);
  // A path the engine did not hand out is not freed.
  plat::eng::Path own;
  EngDeletePath(&own);
}

TEST(EngClip, ComplexityBoundsAndRectangleEnumeration) {
  const RECTL drawing{0, 0, 100, 100};
  EXPECT_EQ(plat::eng::Clip::Region({{-10, -10, 200, 200}}, drawing, 1).iDComplexity, DC_TRIVIAL);
  auto rect = plat::eng::Clip::Region({{10, 20, 50, 60}}, drawing, 2);
  EXPECT_EQ(rect.iDComplexity, DC_RECT);
  EXPECT_EQ(rect.rclBounds.right, 50);
  auto whole = plat::eng::Clip::Region({{-1, -1, 101, 101}}, drawing, 3);
  EXPECT_EQ(CLIPOBJ_ppoGetPath(&whole), nullptr);

  auto region = plat::eng::Clip::Region({{60, 50, 90, 80}, {0, 0, 40, 30}, {50, 0, 80, 20}}, drawing, 7);
  EXPECT_EQ(region.iDComplexity, DC_COMPLEX);
  EXPECT_EQ(region.iUniq, 7u);
  EXPECT_EQ(CLIPOBJ_cEnumStart(&region, TRUE, CT_RECTANGLES, CD_RIGHTDOWN, 2), 0xFFFFFFFFu);
  EXPECT_EQ(CLIPOBJ_cEnumStart(&region, TRUE, CT_RECTANGLES, CD_LEFTUP, 0), 3u);
  // Two rectangles fit in each call; the order is bottom up, right to left.
  struct { ULONG c; RECTL arcl[2]; } buffer;
  EXPECT_TRUE(CLIPOBJ_bEnum(&region, sizeof buffer, reinterpret_cast<ULONG*>(&buffer)));
  ASSERT_EQ(buffer.c, 2u);
  EXPECT_EQ(buffer.arcl[0].top, 50);
  EXPECT_EQ(buffer.arcl[1].left, 50);
  EXPECT_FALSE(CLIPOBJ_bEnum(&region, sizeof buffer, reinterpret_cast<ULONG*>(&buffer)));
  ASSERT_EQ(buffer.c, 1u);
  EXPECT_EQ(buffer.arcl[0].left, 0);
  // The outline: one closed square per rectangle.
  PATHOBJ* outline = CLIPOBJ_ppoGetPath(&region);
  ASSERT_NE(outline, nullptr);
  std::vector<std::vector<POINTFIX>> points;
  const auto runs = Runs(outline, points);
  ASSERT_EQ(runs.size(), 3u);
  for (const auto& run : runs) EXPECT_NE(run.flags & PD_CLOSEFIGURE, 0u);
  EXPECT_EQ(points[0][0].x, LTOFX(0));
  EngDeletePath(outline);
}

TEST(EngXform, AppliesAndInvertsInEveryMode) {
  plat::eng::Xform xform(XFORML{2, 0, 0, 0.5f, 10, -4});
  XFORML m{};
  EXPECT_EQ(XFORMOBJ_iGetXform(&xform, &m), GX_SCALE);
  EXPECT_EQ(XFORMOBJ_iGetXform(nullptr, &m), DDI_ERROR);
  POINTL in[] = {{3, 8}}, out[1];
  ASSERT_TRUE(XFORMOBJ_bApplyXform(&xform, XF_LTOL, 1, in, out));
  EXPECT_EQ(out[0].x, 16);
  EXPECT_EQ(out[0].y, 0);
  ASSERT_TRUE(XFORMOBJ_bApplyXform(&xform, XF_LTOFX, 1, in, out));
  EXPECT_EQ(out[0].x, 16 * 16);
  POINTL back[1];
  ASSERT_TRUE(XFORMOBJ_bApplyXform(&xform, XF_INV_FXTOL, 1, out, back));
  EXPECT_EQ(back[0].x, 3);
  EXPECT_EQ(back[0].y, 8);
  plat::eng::Xform singular(XFORML{0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(XFORMOBJ_bApplyXform(&singular, XF_INV_LTOL, 1, in, out));
  EXPECT_EQ(plat::eng::Xform().Complexity(), GX_IDENTITY);
  EXPECT_EQ(plat::eng::Xform(XFORML{1, 0, 0, 1, 5, 0}).Complexity(), GX_OFFSET);
}

TEST(EngXlate, IndexedSourcesTranslateThroughATable) {
  const auto bgr = plat::eng::Palette::Bgr();
  const auto mono = plat::eng::Palette::Indexed({0x000000, 0xFFFFFF});
  plat::eng::Xlate toBgr(plat::eng::Palette::Indexed({0x0000FF, 0x00FF00}), bgr);
  EXPECT_EQ(toBgr.flXlate & XO_TABLE, XO_TABLE);
  ASSERT_EQ(toBgr.cEntries, 2u);
  EXPECT_EQ(XLATEOBJ_piVector(&toBgr)[0], 0xFF0000u);  // red is the high byte of a BGR index
  ULONG entries[4] = {};
  EXPECT_EQ(XLATEOBJ_cGetPalette(&toBgr, XO_SRCPALETTE, 4, entries), 2u);
  EXPECT_EQ(entries[1], 0x00FF00u);
  EXPECT_EQ(XLATEOBJ_cGetPalette(&toBgr, XO_DESTPALETTE, 4, entries), 0u);
  plat::eng::Xlate toMono(bgr, mono);
  EXPECT_EQ(XLATEOBJ_iXlate(&toMono, 0xE0E0E0), 1u);  // nearest: white
  EXPECT_EQ(XLATEOBJ_iXlate(&toMono, 0x202020), 0u);
  plat::eng::Xlate same(bgr, bgr);
  EXPECT_EQ(same.flXlate, XO_TRIVIAL);
  EXPECT_EQ(XLATEOBJ_iXlate(&same, 0x123456), 0x123456u);
  HPALETTE hpal = EngCreatePalette(PAL_INDEXED, 0, nullptr, 0, 0, 0);
  EXPECT_EQ(hpal, nullptr);
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
}

class EngWritePrinterTest : public SpoolerTest {};

TEST_F(EngWritePrinterTest, RecordsEachWriteAndFailsOrShortensTheArmedOne) {
  Printer printer(kLocalPrinter);
  WCHAR name[] = u"doc";
  DOC_INFO_1W info{name, nullptr, nullptr};
  char data[] = "0123456789";
  DWORD written = 0;
  EXPECT_FALSE(EngWritePrinter(printer.get(), data, 10, &written));
  EXPECT_EQ(EngGetLastError(), ERROR_SPL_NO_STARTDOC);
  const DWORD job = StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info));
  ASSERT_NE(job, 0u);
  EXPECT_EQ(StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info)), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_STATE);
  plat::FailPrinterWriteAt(2);
  EXPECT_TRUE(EngWritePrinter(printer.get(), data, 10, &written));
  EXPECT_EQ(written, 10u);
  EXPECT_FALSE(EngWritePrinter(printer.get(), data, 4, &written));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(EngGetLastError(), ERROR_WRITE_FAULT);
  plat::ShortPrinterWriteAt(1);
  EXPECT_TRUE(EngWritePrinter(printer.get(), data, 6, &written));
  EXPECT_EQ(written, 3u);
  EXPECT_TRUE(EngWritePrinter(printer.get(), data + 3, 2, &written));
  ASSERT_TRUE(EndDocPrinter(printer.get()));
  const auto record = plat::FindPrintJob(job);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->writeSizes, (std::vector<DWORD>{10, 4, 6, 2}));
  EXPECT_EQ(record->documentName, u"doc");
  std::ifstream in(record->file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "012345678901234");
  // An aborted job leaves no file.
  const DWORD second = StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info));
  ASSERT_NE(second, 0u);
  ASSERT_TRUE(AbortPrinter(printer.get()));
  EXPECT_FALSE(std::filesystem::exists(plat::FindPrintJob(second)->file));
}

}  // namespace
