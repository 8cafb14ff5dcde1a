// Text conversions between UTF-16 and the system ANSI code page, the
// fixed-point number formatter, and the driver's languages: the table of
// languages with the two-letter codes that name language-specific files
// (resource library, help file) and the mapping to and from Windows
// language ids.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// --- Conversions ------------------------------------------------------------

// ANSI (system code page) to UTF-16. Sizes and the count written are in
// bytes. TRUE when the source was converted; FALSE for a null pointer, a
// size the conversion cannot take, or (user mode) output that does not fit.
// The kernel-mode build converts through the engine, which cuts output that
// does not fit at a whole character and reports what it wrote.
BOOL MyMultiByteToUnicode(LPWSTR dst, ULONG dstBytes, PULONG written, LPCSTR src, ULONG srcBytes);
// UTF-16 to ANSI, no default character; the same conventions.
BOOL MyUnicodeToMultiByte(LPSTR dst, ULONG dstBytes, PULONG written, LPCWSTR src, ULONG srcBytes);

// Converts the ANSI source with its terminator into at most limit wide
// characters; a limit of 0 or less means the source's length + 1. The
// destination is always terminated (at limit - 1 at the latest). A null
// source copies the empty text. Returns the destination.
LPWSTR CopyStr2Unicode(LPWSTR dst, LPCSTR src, int limit);
// Zeroes limit bytes of the destination and converts the wide source into
// it; a limit of 0 or less means the source's length + 1. The result is
// always terminated and ends at a whole character: a double-byte character
// that does not fit is left out whole. Returns the destination.
LPSTR CopyUnicode2Str(LPSTR dst, LPCWSTR src, int limit);

// --- Numbers ----------------------------------------------------------------

// Writes value / scale as a fixed-point number with as many decimals as the
// scale can be divided by 10 while it is above 1 (10: one, 100: two, 20:
// two as well, 1: none). Only 1 to 4 decimals are written as such; any
// other count writes the plain value. Negative values keep their sign
// ("-0.05" for -5 at scale 100). Returns the characters written without
// the terminator; 0, with the buffer emptied, when the text does not fit in
// size characters.
int KesmInt2Str(LPWSTR buffer, int size, LONG scale, LONG value);

// --- Languages --------------------------------------------------------------

struct LANGINFO {
  WORD wLanguage;    // the driver's language number
  WORD wWinPrimary;  // Windows primary language id
  WORD wWinSub;      // Windows sublanguage id, 0 when not specified
  WORD wZero;
  LPCWSTR pszCode;   // two-letter code of the language's files
};

inline constexpr WORD kLangEnd = 0xFFFF;        // number and id of the closing row
inline constexpr WORD kLangUS = 1;              // the default language
inline constexpr WORD kNoKdmLanguage = 0xFFFF;  // no language for a Windows id
extern const WCHAR gtLangUS[];                  // "us"

// The table, closed by a row whose number and Windows id are kLangEnd.
const LANGINFO* GetLangInfoList();

// The number of the first row whose code equals the text ignoring case; 1
// when none or for null.
WORD GetLanguageIDFromStr(LPCWSTR code);
// The table's own code of that row; "us" when none or for null.
LPCWSTR GetLanguageStrFromStr(LPCWSTR code);
// The code of the first row with that number (16-bit); "us" when none.
LPCWSTR GetLanguageStrFromID(int number);
// 1 when a row has that number, else 0.
BOOL IsValidateLanguageID(int number);

// The language of the two characters just before the extension dot of a
// file name ("kesmhlus.hlp" gives "us"); 1 / "us" for null, for a name
// without an extension or with fewer than two characters before the dot.
WORD GetLanguageIDFromHelpFile(LPCWSTR fileName);
LPCWSTR GetLanguageStrFromHelpFile(LPCWSTR fileName);

#if !KESM_KERNEL_MODE
// The language of the help file registered for the printer's driver (read
// into the work area's scratch text); 1 / "us" when there is none.
WORD GetLanguageID(UCB* ucb);
LPCWSTR GetLanguageStr(UCB* ucb);
#endif
// The same with the printer's own help-file value (printer data).
WORD GetLanguageID2(UCB* ucb);
LPCWSTR GetLanguageStr2(UCB* ucb);

// The code of the language number stored in the context's kdmLanguageID;
// "us" for a context without a DEVMODE.
LPCWSTR GetLanguageStrFromKDM(UCB* ucb);

#if !KESM_KERNEL_MODE
// The language number of the user's default locale; 0xFFFF when the table
// has none for it.
WORD GetKDMLanguageIDFromLocale();
#endif
WORD _GetKDMLanguageIDFromLocale(LCID locale);
// Scans the table in order for rows of that Windows primary id: with
// sublanguage 0 the first such row; with another sublanguage the first such
// row whose own sublanguage is that one. 0xFFFF when none.
WORD GetKDMLangIDFromLangID(WORD primary, WORD sublanguage);
// The Windows primary id of the first row with that number, 0 when none.
// *sublanguage (when given) is set to 0 first, then to the row's
// sublanguage when that is not 0.
BYTE GetWinLangIDFromKdmLangID2(int number, WORD* sublanguage);
BYTE GetWinLangIDFromKdmLangID(int number);
