// The printer's fonts as the font pages see them, and the font exchange
// table while a page edits it. Printer fonts are numbered from 0: the
// device fonts first, then the option fonts.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The longest name a font page is handed, with its terminator.
inline constexpr int kFontNameBufferChars = 32;
// SetFontExchangeTable's count that asks for the printer's default table.
inline constexpr int kFontExchangeDefault = -1;

// Device fonts + option fonts.
int GetPrinterFontCount(UCB* ucb);
// The name of font n into buffer (kFontNameBufferChars characters), at most
// 31 characters and always terminated; empty when n is beyond both sets.
// Returns the buffer.
LPWSTR GetPrinterFontName(UCB* ucb, int n, LPWSTR buffer);
// Installs an edited table; the context takes ownership of table (a
// GetMemPtr block of count records). The first call of a context's life
// sets the table in use aside, so that the page can go back to it. A null
// table is an empty table (count 0, or records that could not be had),
// except with count kFontExchangeDefault, which loads the printer's
// default table. FALSE only when the default table cannot be read.
BOOL SetFontExchangeTable(UCB* ucb, int count, LPVOID table);
// The device font that replaces the TrueType face (exact, case-sensitive
// match), else the name of printer font 0, into buffer as
// GetPrinterFontName. Returns the buffer.
LPWSTR GetFontExchangeName(UCB* ucb, LPCWSTR face, LPWSTR buffer);
