// Character classes of the printer-description text. The reader splits
// entries with them and the description compiler splits values with them.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr BYTE kCharSeparator = 0x01;  // blanks, line ends and punctuation that ends a word
inline constexpr BYTE kCharKeyword = 0x02;    // letters, digits, @ [ \ ] ^ _ ` and /
inline constexpr BYTE kCharOption = 0x04;     // printable ASCII except space, ':' and '/'
inline constexpr BYTE kCharValue = 0x08;      // tab, space and printable ASCII except ':'
inline constexpr BYTE kCharBlank = 0x10;      // tab, space
inline constexpr BYTE kCharEndOfLine = 0x20;  // CR, LF
inline constexpr BYTE kCharHexLetter = 0x40;  // A-F, a-f
inline constexpr BYTE kCharDigit = 0x80;      // 0-9

// One class mask per byte value. Controls other than tab, CR and LF, DEL and
// every byte from 0x80 up have no class.
extern const BYTE _charTable[256];

inline bool CharHasClass(BYTE c, BYTE mask) { return (_charTable[c] & mask) != 0; }
