// The steps of DrvEnablePDEV and what other entry points share with it.
#pragma once

#include "render/pdev/pdev.h"

// Reads the PDEV's settings from its context: clears the flags and the page
// count, then the resolution (0 becomes 600), orientation, colour process,
// banding (0 in raw mode), language, raw mode, colour, copies, print area,
// hidden functions, text-bitmap mode and print method; then the paper
// format. Ties the job-stream state to the PDEV and empties its list.
void FillDevData(PDEV* pdev);
// The paper format from the settings; the 0.1 mm sizes only when the
// resolution is known.
void SetPaperFormat(PDEV* pdev);
// Whether the paper format can be reported: sizes not negative, the
// printable area no larger than the paper (when its size in dots is known),
// and its size in micrometres
// within a LONG (the capabilities give it so). A description may ask for
// anything; an area that does not fit is refused rather than reported.
bool PaperFormatFits(const PaperFormat& paper);
// Builds the device capabilities, copies at most size bytes of them to the
// caller and sets the PDEV's page size.
void FillDevCaps(PDEV* pdev, ULONG size, GDIINFO* gdiInfo);
// Builds the device information with its palette (any earlier palette is
// deleted) and copies at most size bytes of it, never more than the record
// holds. FALSE when the palette cannot be made.
BOOL FillDevInfo(PDEV* pdev, ULONG size, DEVINFO* devInfo, ULONG halftonePatternSize);
// The halftone pattern size the capabilities report.
ULONG HalftonePatternSize(const PDEV* pdev);
// The default halftone pattern size for a resolution: 15 from 2400 dpi, 13
// from 1800, 11 from 1200, 9 from 900, 7 from 400, 5 from 180, else 3; 2
// less for 8-bit output.
ULONG PickDefaultHTPatSize(ULONG xDpi, ULONG yDpi, BOOL eightBit);
// A character set and its ANSI code page.
struct CharsetPair {
  ULONG charset;
  ULONG codePage;
};
inline constexpr int kCharsetFromCodePage = 2;
inline constexpr int kCodePageFromCharset = 1;
// Looks the low 16 bits of value up among the character sets (direction 1)
// or the code pages (direction 2) and fills the pair; FALSE, with the pair
// untouched, when it is not in the table.
BOOL trans_charset(ULONG value, CharsetPair* pair, int direction);
// The engine's ANSI code page.
ULONG get_cp();
// Releases the DEVMODE copy, the driver image and the context, then the
// heap with the PDEV and everything else on it.
void FreePdevMemory(PDEV* pdev);
// Whether the page is monochrome on a 1-bit band.
bool IsMonochromeBanding(const PDEV* pdev);
