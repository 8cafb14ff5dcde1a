// Text that comes from outside the description (names, paths, replace
// strings, string settings) goes into the job stream escaped, so that no
// value can end a quoted value or start a line of its own: a double quote
// becomes an apostrophe and every control byte (CR, LF, tab and the rest
// below 0x20, and DEL) a blank. A double-byte character is kept whole; a
// lead byte without its second byte becomes "?". Escaping never changes the
// length of the text.
#pragma once

#include "platform/base/wintypes.h"

// Escapes the ANSI text in place and returns how many of its bytes are kept:
// at most limit, a whole number of characters of the code page.
ULONG EscapeHeaderText(LPSTR text, ULONG bytes, UINT codePage, ULONG limit);
