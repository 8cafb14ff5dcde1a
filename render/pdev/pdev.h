// The PDEV: the rendering library's record of one printer DC. It comes
// zero-filled from a private heap of its own, so that everything it owns is
// freed in one step when the engine disables it; a magic word at each end
// lets every entry point refuse a pointer that is not a live PDEV.
#pragma once

#include "platform/engine/winddi.h"
#include "render/records/drawing_state.h"
#include "render/spool/job_stream.h"

struct UCB;

inline constexpr ULONG kPdevMagic = 0x19651013;

// PDEV flags.
inline constexpr ULONG kPdevInDocument = 0x00000004;
inline constexpr ULONG kPdevWriteError = 0x00000008;    // a spooler write failed
inline constexpr ULONG kPdevPageOpen = 0x00008000;
inline constexpr ULONG kPdevResetPending = 0x00100000;  // set by DrvResetPDEV

inline constexpr int kGlyphHashBuckets = 1024;

// The page geometry taken from the settings.
struct PaperFormat {
  LONG mmArea[2];              // the paper's size as the description gives it
  LONG paperWidth;             // dots
  LONG paperLength;            // dots
  LONG printableWidth;         // dots
  LONG printableLength;        // dots
  LONG printableWidthTenthMm;  // 0.1 mm
  LONG printableLengthTenthMm;
  LONG paperSize;              // dmPaperSize
  LONG xOffset;                // of the printable area, dots
  LONG yOffset;
};
static_assert(sizeof(PaperFormat) == 11 * sizeof(LONG));

struct PDEV {
  ULONG leadingMagic;
  UCB* ucb;
  HANDLE heap;
  HANDLE printer;
  HDEV hdev;        // stored by DrvCompletePDEV
  HSURF surface;
  HPALETTE palette;
  ULONG flags;
  PaperFormat paper;
  LONG pageCount;   // pages started in the current document
  LONG deviceFontCount;
  HANDLE driverModule;  // the driver's own image, for its font resources
  SHORT copies;
  SHORT banding;        // the page is rendered into bands of a bitmap
  SHORT colorProcess;   // 1 monochrome process, 2 24-bit colour
  SHORT orientation;    // dmOrientation - 1
  USHORT resolution;    // dots per inch
  SHORT languageId;
  USHORT rawMode;
  LONG machineTypeColor;
  LONG emfSpool;
  LONG color;           // dmColor: 1 monochrome, 2 colour
  LONG extPrintArea;
  LONG hiddenFunc4;
  LONG hiddenFunc15;
  LONG hiddenFunc18;    // non-zero: drawing calls succeed and draw nothing
  LPSTR documentName;   // ANSI, escaped, on the PDEV heap
  SHORT documentNameLength;
  void* fontContext;    // null while device fonts are off
  void* regionCache;
  BrushRecord defaultBrush;
  JobStream stream;
  DrawingState lastSent;
  POINTL bandOrigin;
  LONG bandNumber;
  LONG pageWidth;       // printable width and length in dots
  LONG pageHeight;
  LONG textBitmap;      // 1 when text may go as glyph bitmaps
  void* glyphHash[kGlyphHashBuckets];
  LONG glyphGeneration;
  LONG printMethod;
  DEVMODEW* devmode;    // the caller's DEVMODE, copied; null when none was given
  ULONG devmodeBytes;   // bytes of that copy
  DWORD jobId;
  LONG pageStarted;
  ULONG closingMagic;
};

// TRUE when the pointer is not null and both magic words are in place.
BOOL bValidatePDEV(const PDEV* pdev);
// The PDEV of a handle or of a surface's device, or null when it is not a
// valid one.
PDEV* PdevOf(DHPDEV dhpdev);
PDEV* PdevOf(SURFOBJ* pso);
// The same, setting engine error 87 when it is not.
PDEV* CheckedPdev(DHPDEV dhpdev);
PDEV* CheckedPdev(SURFOBJ* pso);
