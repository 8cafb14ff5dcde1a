// The TrueType fonts of the system as the font pages list them, and the
// fixed shape of a line of the font exchange list: the TrueType face padded
// with blanks to 31 characters, " > ", then from character 34 the printer
// font that replaces it.
#pragma once

#include <string>

#include "platform/gdi/wingdi.h"
#include "storage/properties/font_exchange.h"

struct ICB;
struct UCB;

// The exchange list's item, whose lines carry the printer part.
inline constexpr WORD kItemTrueTypeList = 2385;
// Characters of a line's TrueType part (the face and the blank after it)
// and where its printer part starts.
inline constexpr int kFontLineFaceChars = 32;
inline constexpr int kFontLinePrinterAt = 34;
// A whole line with its terminator.
inline constexpr int kFontLineChars = kFontLinePrinterAt + kFontNameBufferChars;

// What EnumFontFamProc fills: the exchange list (item 2385) gets a line per
// face, any other item (a combo box) the bare face with its list index as
// item data. line is the callback's own work space.
struct FONTENUMRECORD {
  UCB* ucb;
  ICB* icb;
  WCHAR line[kFontLineChars];
};

// The callback for EnumFontFamiliesW, its data a FONTENUMRECORD*. Skips
// fonts that are not TrueType and vertical faces (a leading '@'); always
// returns 1 so that the enumeration goes on.
int EnumFontFamProc(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM data);

// The line of face (at most 31 characters are kept) and printer font.
std::u16string FontExchangeLine(std::u16string_view face, std::u16string_view printer);
// A line's TrueType part: its first 32 characters, blanks at the end removed.
std::u16string FontLineFace(std::u16string_view line);
// A line's printer part: the text from character 34 (empty when shorter).
std::u16string FontLinePrinter(std::u16string_view line);
