// What the PDEV takes from the validated settings of its context.
#include <algorithm>

#include "render/pdev/pdev_internal.h"
#include "settings/bkpd/description_queries.h"
#include "settings/values/setting_value.h"

namespace {

constexpr USHORT kDefaultResolution = 600;
constexpr LONG kTenthMmPerInch = 254;

// Dots at the resolution in 0.1 mm; a size too large for a LONG stays at
// its largest value (PaperFormatFits refuses it).
LONG TenthMm(LONG dots, USHORT resolution) {
  const LONGLONG tenths = LONGLONG{dots} * kTenthMmPerInch / resolution;
  return static_cast<LONG>(std::clamp<LONGLONG>(tenths, -0x7FFFFFFF, 0x7FFFFFFF));
}

LONG_PTR Get(const PDEV* pdev, WORD id) { return GetDevmodeValueDirectByFuncID(pdev->ucb, id, nullptr); }

// Function ids of the settings read.
enum : WORD {
  kOrientation = 7,
  kPaperSize = 8,
  kCopies = 12,
  kPrintQuality = 14,
  kColor = 15,
  kSrcPaperLengthDot = 40,
  kSrcPaperWidthDot = 41,
  kSrcPaperPrnLengthDot = 42,
  kSrcPaperPrnWidthDot = 43,
  kSrcXOffset = 44,
  kSrcYOffset = 45,
  kTextBitmapSupport = 166,
  kTextBitmap = 167,
  kLanguageId = 169,
  kExtPrintArea = 173,
  kImagePrint = 174,
  kColorProcess = 175,
  kExtOutputEmfSpool = 193,
  kPrnMethod = 209,
  kMachineTypeColor = 234,
  kHiddenFunc4 = 353,
  kHiddenFunc15 = 364,
  kHiddenFunc18 = 367,
  kHiddenFunc26 = 375,
  kPrivateFlags = 606,  // bit 0: raw mode
};

// An offset of a printable area of the given size, kept within the paper.
LONG OnPaper(LONG offset, LONG paper, LONG printable) {
  const LONG room = std::max<LONG>(paper - std::max<LONG>(printable, 0), 0);
  return std::clamp<LONG>(offset, 0, room);
}

}  // namespace

void FillDevData(PDEV* pdev) {
  pdev->flags = 0;
  pdev->pageCount = 0;
  // dmPrintQuality is signed: the negative device-independent qualities
  // name no resolution, like 0.
  const auto resolution = static_cast<SHORT>(Get(pdev, kPrintQuality));
  pdev->resolution = resolution > 0 ? static_cast<USHORT>(resolution) : kDefaultResolution;
  pdev->orientation = static_cast<SHORT>(Get(pdev, kOrientation) - 1);
  pdev->colorProcess = static_cast<SHORT>(Get(pdev, kColorProcess));
  pdev->banding = static_cast<SHORT>(Get(pdev, kImagePrint));
  pdev->languageId = static_cast<SHORT>(Get(pdev, kLanguageId));
  pdev->rawMode = static_cast<USHORT>(Get(pdev, kPrivateFlags) & 1);
  if (pdev->rawMode != 0) pdev->banding = 0;
  pdev->machineTypeColor = static_cast<LONG>(Get(pdev, kMachineTypeColor));
  pdev->emfSpool = static_cast<LONG>(Get(pdev, kExtOutputEmfSpool));
  pdev->color = static_cast<LONG>(Get(pdev, kColor));
  pdev->copies = static_cast<SHORT>(Get(pdev, kCopies));
  pdev->extPrintArea = static_cast<LONG>(Get(pdev, kExtPrintArea));
  pdev->hiddenFunc4 = static_cast<LONG>(Get(pdev, kHiddenFunc4));
  pdev->hiddenFunc15 = static_cast<LONG>(Get(pdev, kHiddenFunc15));
  pdev->hiddenFunc18 = static_cast<LONG>(Get(pdev, kHiddenFunc18));
  const LONG_PTR textBitmap = Get(pdev, kTextBitmapSupport) != 0 ? Get(pdev, kTextBitmap) : Get(pdev, kHiddenFunc26);
  pdev->textBitmap = textBitmap != 0 ? 1 : 0;
  pdev->printMethod = static_cast<LONG>(Get(pdev, kPrnMethod));
  SetPaperFormat(pdev);
  pdev->stream.pdev = pdev;
  dl_init(&pdev->stream);
}

bool PaperFormatFits(const PaperFormat& paper) {
  constexpr LONG kMaxTenthMm = 0x7FFFFFFF / 100;  // micrometres within a LONG
  // A paper size of 0 is one the description does not give in dots.
  const bool sizesFit = paper.paperWidth >= 0 && paper.paperLength >= 0 && paper.printableWidth >= 0 &&
                        paper.printableLength >= 0 &&
                        (paper.paperWidth == 0 || paper.printableWidth <= paper.paperWidth) &&
                        (paper.paperLength == 0 || paper.printableLength <= paper.paperLength);
  return sizesFit && paper.printableWidthTenthMm >= 0 && paper.printableWidthTenthMm <= kMaxTenthMm &&
         paper.printableLengthTenthMm >= 0 && paper.printableLengthTenthMm <= kMaxTenthMm;
}

void SetPaperFormat(PDEV* pdev) {
  PaperFormat& paper = pdev->paper;
  paper.paperSize = static_cast<LONG>(Get(pdev, kPaperSize));
  paper.paperWidth = static_cast<LONG>(Get(pdev, kSrcPaperWidthDot));
  paper.paperLength = static_cast<LONG>(Get(pdev, kSrcPaperLengthDot));
  MMPAPERSIZE area{};
  GetmmPaperArea(pdev->ucb, &area);
  paper.mmArea[0] = static_cast<LONG>(area.width);
  paper.mmArea[1] = static_cast<LONG>(area.length);
  paper.printableWidth = static_cast<LONG>(Get(pdev, kSrcPaperPrnWidthDot));
  paper.printableLength = static_cast<LONG>(Get(pdev, kSrcPaperPrnLengthDot));
  if (pdev->resolution != 0) {
    paper.printableWidthTenthMm = TenthMm(paper.printableWidth, pdev->resolution);
    paper.printableLengthTenthMm = TenthMm(paper.printableLength, pdev->resolution);
  }
  // Margins wider than the paper leave no printable area; its offset stays
  // on the sheet, so that the area never reaches past the paper's edge.
  paper.xOffset = OnPaper(static_cast<LONG>(Get(pdev, kSrcXOffset)), paper.paperWidth, paper.printableWidth);
  paper.yOffset = OnPaper(static_cast<LONG>(Get(pdev, kSrcYOffset)), paper.paperLength, paper.printableLength);
}
