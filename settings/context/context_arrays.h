// The counted arrays that a devmode control block owns: the font table, the
// device fonts and the option fonts of the printer-wide part. Each is a
// 16-bit count and a pointer slot; whoever holds a DCB image (the current
// DCB, the saved state, an undo entry) owns its own arrays, so images are
// copied deep and freed one by one.
#pragma once

#include "platform/base/wintypes.h"

struct DCB;

struct DcbOwnedArray {
  WORD countId;    // setting holding the number of entries
  WORD arrayId;    // setting holding the pointer to the entries
  DWORD entrySize; // bytes per entry
};

inline constexpr int kDcbOwnedArrayCount = 3;
extern const DcbOwnedArray kDcbOwnedArrays[kDcbOwnedArrayCount];
// The three arrays in the table's order.
inline constexpr int kDcbFontTable = 0;
inline constexpr int kDcbDeviceFonts = 1;
inline constexpr int kDcbOptionFonts = 2;

inline constexpr int kFontNameChars = 32;

// An entry of the device-font and option-font arrays, as kept in printer
// data too.
struct KESMFONT {
  DWORD number;
  WCHAR name[kFontNameChars];
};
static_assert(sizeof(KESMFONT) == 68);

// An entry of the font substitution table: the TrueType face and the device
// font that replaces it. Printer data keeps each half as a value of its own.
struct KESMFONTPAIR {
  WCHAR trueType[kFontNameChars];
  WCHAR device[kFontNameChars];
};
static_assert(sizeof(KESMFONTPAIR) == 128);

// The entries of one array of a DCB image: count and pointer as stored.
struct DcbArray {
  WORD count;
  BYTE* entries;
};
DcbArray GetDcbArray(const DCB* dcb, const DcbOwnedArray& array);
void SetDcbArray(DCB* dcb, const DcbOwnedArray& array, DcbArray value);

// Frees every owned array of the image and stores count 0 and null.
void FreeDcbArrays(DCB* dcb);
// Gives `image` its own copies of the arrays of `source` (the image's own
// fields are overwritten, not freed). An array that is empty or cannot be
// copied is stored as count 0 and null; false when a copy failed.
bool CopyDcbArrays(DCB* image, const DCB* source);
// Frees the arrays of `target`, then makes it a copy of `source` with
// arrays of its own; false when an array could not be copied.
bool CopyDcbImage(DCB* target, const DCB* source);
