// Custom-control data: the records that items of the layout tables point to.
// A typed record starts with its class type word; the dialog engine hands an
// item's record out only when that word is the type asked for.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr WORD kClassSample = 1;     // colour sample picture
inline constexpr WORD kClassScroll = 3;     // horizontal scroll bar
inline constexpr WORD kClassList = 4;       // list, combo or settings summary
inline constexpr WORD kClassRepeat = 5;     // repeat button
inline constexpr WORD kClassTabPages = 6;   // tab control
inline constexpr WORD kClassWatermark = 8;  // watermark preview
inline constexpr WORD kClassButton = 9;     // custom or owner-drawn button

// Type 1: six words, each a control whose setting drives one colour
// adjustment of the sample (0: the adjustment's own setting).
struct CDBMPI {
  WORD type;
  WORD reserved[2];
  WORD adjust[6];  // brightness, contrast, saturation, red, green, blue
};
static_assert(sizeof(CDBMPI) == 18);

// Type 3: the steps of a scroll bar and the bitmap beside it (0 none).
struct CDSBI {
  WORD type;
  WORD lineStep;
  WORD pageStep;
  WORD bitmapId;
};

// A settings-summary line: its label, the group that must be shown for the
// line to appear (0 always), the group whose value it shows (0 none).
struct SUMMARYLINE {
  WORD labelId;
  WORD gateGroupId;
  WORD shownGroupId;
};

// Type 4: a list's hint flag and the bitmap of its disabled mark; a summary
// text's lines.
struct CDSPL {
  WORD type;
  DWORD hintFlag;
  DWORD disabledBitmapId;
  WORD lineCount;
  const SUMMARYLINE* pLines;
};

// Type 5: the controls a repeat button moves, each by its step.
struct REPEATTARGET {
  WORD controlId;
  INT step;
};
struct CDRPL {
  WORD type;
  WORD count;
  const REPEATTARGET* pTargets;
};

// Type 6: the pages of a tab control, each with its title and controls.
struct TABPAGE {
  WORD titleId;
  SHORT controlCount;
  const WORD* pControlIds;
};
struct CDTAB {
  WORD type;
  WORD pageCount;
  const TABPAGE* pPages;
};

// Type 9: a button's caption, its second text and whether it is underlined.
struct CDBTN {
  WORD type;
  WORD captionId;
  WORD secondId;
  WORD underline;
};

// Type 8, as words: the type, then 14 controls whose settings describe the
// watermark (text, font, style, frame, colour, density, angle, size, bitmap
// file, bitmap scale, position, repeat, foreground, last), then 0. The
// run-time correction turns each control into its setting.
inline constexpr int kWatermarkWords = 16;
extern const WORD cdWMI[kWatermarkWords];

extern const CDBMPI IDC_USER_QUALITY_SAMPLE_cdBMPI;

extern const CDSBI IDC_USER_QUALITY_SCROLLBAR_BRIGHTNESS_cdSBI;
extern const CDSBI IDC_USER_QUALITY_SCROLLBAR_CONTRAST_cdSBI;
extern const CDSBI IDC_USER_QUALITY_SCROLLBAR_SATURATION_cdSBI;
extern const CDSBI IDC_USER_QUALITY_SCROLLBAR_COLORBALANCER_cdSBI;
extern const CDSBI IDC_USER_QUALITY_SCROLLBAR_COLORBALANCEG_cdSBI;
extern const CDSBI IDC_USER_QUALITY_SCROLLBAR_COLORBALANCEB_cdSBI;
extern const CDSBI IDC_STAMP_IMAGE_SCROLLBAR_DENSITY_cdSBI;
extern const CDSBI IDC_STAMP_CHAR_SCROLLBAR_COLORR_cdSBI;
extern const CDSBI IDC_STAMP_CHAR_SCROLLBAR_COLORG_cdSBI;
extern const CDSBI IDC_STAMP_CHAR_SCROLLBAR_COLORB_cdSBI;
extern const CDSBI IDC_MARGIN_SCROLLBAR_cdSBI;

extern const CDSPL IDC_PRESET_CHOICE_MEDIATYPE_aCSPL;
extern const CDSPL IDC_PRESET_CHOICE_SOURCETRAY_aCSPL;
extern const CDSPL IDC_PRESET_CHOICE_OUTPUT_aCSPL;
extern const CDSPL IDC_PRESET_CHOICE_PAPERSIZE_aCSPL;
extern const CDSPL IDC_PRESET_CHOICE_PRINTSIZE_aCSPL;
inline constexpr int kMaintenanceStatusLines = 85;
inline constexpr int kStatusListLines = 26;
extern const SUMMARYLINE IDC_MAINTENANCE_STATUS_cdPP[kMaintenanceStatusLines];
extern const SUMMARYLINE IDC_STATUS_LIST_cdPP[kStatusListLines];
extern const CDSPL IDC_MAINTENANCE_STATUS_cdSPL;
extern const CDSPL IDC_STATUS_LIST_cdSPL;

extern const CDRPL IDC_USER_QUALITY_BUTTON_COLORBALANCEDOWN_cdRPL;
extern const CDRPL IDC_USER_QUALITY_BUTTON_COLORBALANCEUP_cdRPL;

// The hidden-function list offers these settings, one entry each (a plain
// id list, no typed record).
extern const WORD IDC_HIDDEN_FUNC_aTID[64];
