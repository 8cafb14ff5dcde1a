// The document name in the job-name line "@PJL SET JOBNAME = "name"" of
// the job stream. The name is quoted there, so it is stored escaped: a
// double quote becomes an apostrophe and every control byte (CR, LF, tab
// and the rest below 0x20, and DEL) a blank, so that no name can end the
// quoted value or start a line of its own; it is cut to at most 128 bytes,
// never inside a double-byte character.
#pragma once

#include "platform/base/wintypes.h"

struct PDEV;

inline constexpr ULONG kDocumentNameBytes = 128;

// Escapes the ANSI text in place and returns how many of its bytes are kept
// (at most 128, a whole number of characters of the code page).
ULONG EscapeDocumentName(LPSTR text, ULONG bytes, UINT codePage);
// Frees the PDEV's document name.
void FreeDocumentName(PDEV* pdev);
// Stores the document's name, converted to ANSI and escaped, on the PDEV
// heap; a null or empty name, or one for which no memory is left, leaves
// the document without a name.
void SetDocumentName(PDEV* pdev, LPCWSTR name);
// Copies the document name of one PDEV onto the heap of another.
void CopyDocumentName(PDEV* to, const PDEV* from);
// The job-name block; TRUE when written.
BOOL WriteJobNameBlock(PDEV* pdev);
