// What a PDEV reports to the engine: the page geometry and resolution from
// the settings, the colour depth by banding and colour process, the default
// font and its character set, and copies that keep to the caller's and the
// record's size.
#include <cstring>

#include "render/pdev/pdev_internal.h"
#include "settings/values/setting_value.h"
#include "tests/platform/scoped_acp.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

using DeviceCaps = RenderTest;

TEST_F(DeviceCaps, ALetterPageAt300DpiComesFromTheDescriptionsPrintableArea) {
  Devmode devmode;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  const GDIINFO& gi = dc->gdi();
  EXPECT_EQ(gi.ulVersion, 0x400u);
  EXPECT_EQ(gi.ulTechnology, DT_RASPRINTER);
  EXPECT_EQ(gi.ulHorzRes, 2450u);
  EXPECT_EQ(gi.ulVertRes, 3200u);
  EXPECT_EQ(gi.ptlPhysOffset.x, 50);
  EXPECT_EQ(gi.ptlPhysOffset.y, 50);
  EXPECT_EQ(gi.ulLogPixelsX, 300u);
  EXPECT_EQ(gi.ulLogPixelsY, 300u);
  // Printable size in micrometres, negated: 2450 dots are 2074 tenths of a
  // millimetre.
  EXPECT_EQ(static_cast<LONG>(gi.ulHorzSize), -207400);
  EXPECT_EQ(static_cast<LONG>(gi.ulVertSize), -270900);
  EXPECT_EQ(gi.ulAspectX, 300u);
  EXPECT_EQ(gi.ulAspectXY, 424u);
  EXPECT_EQ(gi.denStyleStep, 12);
  EXPECT_EQ(gi.flTextCaps, 0x581Fu);
  EXPECT_EQ(gi.ulPrimaryOrder, 4u);
  EXPECT_EQ(gi.ulHTPatternSize, 5u);
  EXPECT_EQ(gi.flHTFlags, 2u);
  EXPECT_EQ(gi.ciDevice.Red.x, 6380);
  EXPECT_EQ(gi.ciDevice.MagentaInYellowDye, 10000);
  const PDEV* pdev = dc->pdev();
  EXPECT_EQ(gi.szlPhysSize.cx, pdev->paper.paperWidth);
  EXPECT_EQ(gi.szlPhysSize.cy, pdev->paper.paperLength);
  EXPECT_NEAR(pdev->paper.paperWidth, 2550, 2);
  EXPECT_NEAR(pdev->paper.paperLength, 3300, 2);
  EXPECT_EQ(pdev->pageWidth, 2450);
  EXPECT_EQ(pdev->pageHeight, 3200);
  EXPECT_EQ(pdev->paper.printableWidthTenthMm, 2074);
  EXPECT_EQ(pdev->paper.paperSize, kLetter);
}

// Margins wider than the paper leave no printable area; the offsets of that
// empty area stay on the paper, so that no caller is told of a printable
// area that starts beyond the sheet.
TEST_F(DeviceCaps, MarginsWiderThanThePaperKeepTheOffsetsOnThePaper) {
  constexpr WORD kPaperLengthDot = 40, kPaperWidthDot = 41, kPrnLengthDot = 42, kPrnWidthDot = 43;
  constexpr WORD kXOffset = 44, kYOffset = 45;
  const struct {
    const char* what;
    LONG xOffset, yOffset, printableWidth, printableLength, x, y;
  } rows[] = {
      {"both margins beyond the sheet", 3000, 4000, 0, 0, 2550, 3300},
      {"an offset that would carry the area past the edge", 200, 50, 2450, 3200, 100, 50},
      {"a negative offset", -20, -1, 2450, 3200, 0, 0},
      {"margins inside the sheet stay", 50, 50, 2450, 3200, 50, 50},
  };
  Devmode devmode;
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  PDEV* pdev = dc->pdev();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UCB* ucb = pdev->ucb;
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kPaperWidthDot, 2550));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kPaperLengthDot, 3300));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kPrnWidthDot, row.printableWidth));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kPrnLengthDot, row.printableLength));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kXOffset, row.xOffset));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kYOffset, row.yOffset));
    SetPaperFormat(pdev);
    GDIINFO gi{};
    FillDevCaps(pdev, sizeof gi, &gi);
    EXPECT_EQ(gi.ptlPhysOffset.x, row.x);
    EXPECT_EQ(gi.ptlPhysOffset.y, row.y);
    EXPECT_LE(gi.ptlPhysOffset.x + static_cast<LONG>(gi.ulHorzRes), gi.szlPhysSize.cx);
    EXPECT_LE(gi.ptlPhysOffset.y + static_cast<LONG>(gi.ulVertRes), gi.szlPhysSize.cy);
  }
}

// A description may give any printable area; one larger than the paper, or
// whose size in micrometres does not fit the capabilities, is refused.
class HugeAreaDeviceCaps : public RenderTest {
 protected:
  const char* Description() const override { return KESM_TEST_DATA "/render/kesm_r5_huge_area.kpd"; }
};

TEST_F(HugeAreaDeviceCaps, APrintableAreaThatDoesNotFitIsRefused) {
  Devmode letter;
  EXPECT_EQ(Enable(letter), nullptr);
  // Its other papers still enable.
  Devmode a4;
  a4.Paper(kA4);
  ASSERT_NE(Enable(a4), nullptr);
}

TEST(DeviceCapsHelpers, APaperFormatFitsOnlyWithinThePaperAndTheCapabilitiesRange) {
  const auto format = [](LONG printable, LONG paper, LONG tenthMm) {
    PaperFormat f{};
    f.paperWidth = f.paperLength = paper;
    f.printableWidth = f.printableLength = printable;
    f.printableWidthTenthMm = f.printableLengthTenthMm = tenthMm;
    return f;
  };
  const struct {
    const char* what;
    PaperFormat format;
    bool fits;
  } rows[] = {
      {"letter at 300 dpi", format(2450, 2550, 2074), true},
      {"no printable size", format(0, 2550, 0), true},
      {"as large as the paper", format(2550, 2550, 2159), true},
      {"larger than the paper", format(2551, 2550, 2160), false},
      {"on a paper of no size in dots", format(2551, 0, 2160), true},
      {"negative", format(-1, 2550, 0), false},
      {"micrometres at the limit", format(1000, 1000, 0x7FFFFFFF / 100), true},
      {"micrometres past the limit", format(1000, 1000, 0x7FFFFFFF / 100 + 1), false},
  };
  for (const auto& row : rows) EXPECT_EQ(PaperFormatFits(row.format), row.fits) << row.what;
}

TEST_F(DeviceCaps, TheExtendedPrintAreaGivesTheSizeInMillimetres) {
  Devmode devmode;
  devmode.Set(173, 2);
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->gdi().ulHorzSize, 207u);
  EXPECT_EQ(dc->gdi().ulVertSize, 270u);
}

TEST_F(DeviceCaps, AResolutionOfZeroOrANegativeQualityGives600Dpi) {
  for (short quality : {short{0}, short{-4}}) {
    SCOPED_TRACE(quality);
    Devmode devmode;
    devmode.get()->dmPrintQuality = quality;
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->gdi().ulLogPixelsX, 600u);
    EXPECT_EQ(dc->pdev()->resolution, 600);
    EXPECT_EQ(dc->gdi().ulHTPatternSize, 7u);
    Disable(dc);
  }
}

TEST_F(DeviceCaps, TheColourDepthFollowsBandingAndTheColourProcess) {
  const struct {
    const char* what;
    bool banding;
    LONG colorProcess;
    short color;
    ULONG bits, planes, colors, registers, htOutput, ditherFormat;
    FLONG caps;
  } rows[] = {
      {"monochrome process, colour", false, 1, 2, 1, 1, 8, 20, 6, BMF_24BPP, 0x1F | 0x2000},
      {"monochrome process, monochrome", false, 1, 1, 1, 1, 2, 2, 6, BMF_24BPP, 0x1F | 0x2000},
      {"24-bit colour process", false, 2, 2, 24, 1, 0xFFFFFF, 0xFFFFFF, 6, BMF_24BPP, 0x1F | 0x2000},
      {"another process", false, 0, 2, 8, 3, 0xFFFFFF, 0xFFFFFF, 6, BMF_24BPP, 0x1F | 0x2000},
      {"monochrome bands", true, 1, 1, 1, 1, 2, 2, 0, BMF_1BPP, 0x430 | 0x2000 | 0x800000},
      {"colour bands", true, 2, 2, 8, 3, 0xFFFFFF, 0xFFFFFF, 6, BMF_24BPP, 0x430 | 0x2000},
      {"monochrome process in colour bands", true, 1, 2, 8, 3, 0xFFFFFF, 0xFFFFFF, 6, BMF_24BPP, 0x430 | 0x2000},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Devmode devmode;
    devmode.Set(174, row.banding ? 1 : 0).Set(175, row.colorProcess);
    devmode.get()->dmColor = row.color;
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    const GDIINFO& gi = dc->gdi();
    EXPECT_EQ(gi.cBitsPixel, row.bits);
    EXPECT_EQ(gi.cPlanes, row.planes);
    EXPECT_EQ(gi.ulNumColors, row.colors);
    EXPECT_EQ(gi.ulNumPalReg, row.registers);
    EXPECT_EQ(gi.ulHTOutputFormat, row.htOutput);
    const DEVINFO& di = dc->info();
    EXPECT_EQ(di.iDitherFormat, row.ditherFormat);
    EXPECT_EQ(di.flGraphicsCaps, row.caps);
    const plat::eng::Palette* palette = plat::eng::PaletteOf(di.hpalDefault);
    ASSERT_NE(palette, nullptr);
    if (row.ditherFormat == BMF_1BPP) {
      EXPECT_EQ(palette->mode, PAL_INDEXED);
      EXPECT_EQ(palette->colors, (std::vector<ULONG>{0x000000, 0xFFFFFF}));
      EXPECT_EQ(di.cxDither, 6);  // the cell of halftone pattern size 5
      EXPECT_EQ(di.cyDither, 6);
    } else {
      EXPECT_EQ(palette->mode, PAL_BGR);
      EXPECT_EQ(di.cxDither, 0);
    }
    Disable(dc);
  }
}

TEST_F(DeviceCaps, JournalingIsLeftOnOnlyWhileTheEngineSpoolsEmf) {
  Devmode devmode;
  devmode.Set(193, 1);
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->info().flGraphicsCaps, 0x1Fu);
}

TEST_F(DeviceCaps, RawModeNeverBands) {
  Devmode devmode;
  devmode.Banding().RawMode();
  Dc* dc = Enable(devmode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->pdev()->banding, 0);
  EXPECT_EQ(dc->pdev()->rawMode, 1);
  EXPECT_EQ(dc->so->iType, STYPE_DEVICE);
}

TEST_F(DeviceCaps, TheDefaultFontIsOfferedOnlyForTheModelThatAsksAndTakesTheCodePagesCharacterSet) {
  const struct {
    const char* what;
    UINT codePage;
    bool asked;        // kdmHiddenFunc4
    bool banding;
    LONG height;       // 0: no default font
    BYTE charset;
  } rows[] = {
      {"Japanese system", 932, true, false, 43, 128},
      {"Western system", 1252, true, false, 43, 0},
      {"a code page outside the table", 437, true, false, 43, 0},
      {"Simplified Chinese system, no font asked for", 936, false, false, 0, 134},
      {"banding", 932, true, true, 0, 128},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ScopedAnsiCodePage acp(row.codePage);
    Devmode devmode;
    devmode.Set(353, row.asked ? 1 : 0).Set(174, row.banding ? 1 : 0);
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    const LOGFONTW& font = dc->info().lfDefaultFont;
    EXPECT_EQ(font.lfHeight, row.height);
    EXPECT_EQ(font.lfCharSet, row.charset);
    if (row.height != 0) {
      EXPECT_EQ(font.lfWidth, 21);
      EXPECT_EQ(font.lfWeight, 400);
      EXPECT_EQ(font.lfPitchAndFamily, 0x11);
      EXPECT_EQ(std::u16string(font.lfFaceName), u"\u660E\u671D");
    }
    EXPECT_EQ(dc->info().lfAnsiVarFont.lfCharSet, 0);
    EXPECT_EQ(dc->info().lfAnsiFixFont.lfHeight, row.height);
    EXPECT_EQ(dc->info().cFonts, row.banding ? 0u : 4u) << "device fonts are offered whenever nothing bands";
    Disable(dc);
  }
}

TEST_F(DeviceCaps, CopiesKeepToTheCallersSizeAndToTheRecordsSize) {
  Devmode devmode;
  const struct {
    const char* what;
    ULONG gdiSize;
    ULONG devSize;
  } rows[] = {
      {"the records' sizes", sizeof(GDIINFO), sizeof(DEVINFO)},
      {"callers asking for more than the records hold", sizeof(GDIINFO) + 64, sizeof(DEVINFO) + 64},
      {"short callers", 24, 40},
      {"callers asking for nothing", 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<BYTE> gdi(sizeof(GDIINFO) + 64, 0xCD);
    std::vector<BYTE> dev(sizeof(DEVINFO) + 64, 0xCD);
    WCHAR name[] = u"Kesm R5 Office";
    DHPDEV pdev = DrvEnablePDEV(devmode.get(), nullptr, 0, nullptr, row.gdiSize, reinterpret_cast<GDIINFO*>(gdi.data()),
                                row.devSize, reinterpret_cast<DEVINFO*>(dev.data()), Hdev(), name, printer_);
    ASSERT_NE(pdev, nullptr);
    const std::size_t gdiWritten = std::min<std::size_t>(row.gdiSize, sizeof(GDIINFO));
    const std::size_t devWritten = std::min<std::size_t>(row.devSize, sizeof(DEVINFO));
    for (std::size_t i = gdiWritten; i < gdi.size(); ++i) ASSERT_EQ(gdi[i], 0xCD) << "GDIINFO byte " << i;
    for (std::size_t i = devWritten; i < dev.size(); ++i) ASSERT_EQ(dev[i], 0xCD) << "DEVINFO byte " << i;
    if (gdiWritten >= 4) {
      EXPECT_EQ(reinterpret_cast<GDIINFO*>(gdi.data())->ulVersion, 0x400u);
    }
    DrvDisablePDEV(pdev);
  }
}

TEST(DeviceCapsHelpers, TheHalftonePatternSizeFollowsTheSmallerResolution) {
  const struct {
    ULONG x, y;
    BOOL eightBit;
    ULONG size;
  } rows[] = {
      {2400, 2400, FALSE, 15}, {2400, 1800, FALSE, 13}, {1200, 1200, FALSE, 11}, {900, 1200, FALSE, 9},
      {600, 600, FALSE, 7},    {400, 400, FALSE, 7},    {399, 600, FALSE, 5},   {180, 180, FALSE, 5},
      {179, 300, FALSE, 3},    {0, 0, FALSE, 3},        {600, 600, TRUE, 5},    {2400, 2400, TRUE, 13},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(PickDefaultHTPatSize(row.x, row.y, row.eightBit), row.size) << row.x << " x " << row.y;
  }
}

TEST(DeviceCapsHelpers, CharacterSetsAndCodePagesTranslateBothWays) {
  CharsetPair pair{};
  ASSERT_TRUE(trans_charset(932, &pair, kCharsetFromCodePage));
  EXPECT_EQ(pair.charset, 128u);
  ASSERT_TRUE(trans_charset(0x10000 | 222, &pair, kCodePageFromCharset)) << "only the low 16 bits count";
  EXPECT_EQ(pair.codePage, 874u);
  pair = {7, 7};
  EXPECT_FALSE(trans_charset(437, &pair, kCharsetFromCodePage));
  EXPECT_EQ(pair.charset, 7u) << "left untouched";
  EXPECT_FALSE(trans_charset(932, &pair, kCodePageFromCharset));
}

}  // namespace
}  // namespace render_test
