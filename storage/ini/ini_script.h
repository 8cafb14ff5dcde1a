// The INI script reader and writer: a whole INI file read once into memory
// and searched there, and one section composed as text (the script) and
// spliced into its file in one go.
//
// Matching rules of every search: a section header is a line whose first
// character is "[", followed at once by the name (compared ignoring case)
// and then "]". A key line starts with the key (ignoring case) followed at
// once by "=". No blanks are skipped. A value runs from after "=" to the
// first carriage return, line feed or zero byte. Lines end at a line feed.
#pragma once

#include <memory>

#include "platform/base/wintypes.h"

struct UCB;

// Replaces, in place, every "[" and "]" of a section name by ",", so that
// any name can stand between the brackets of a header. Returns the name
// (null stays null).
LPWSTR CnvSQUAREBRACKETS(LPWSTR name);

// The address after the next line feed, or of the terminating zero; null
// for null.
LPCSTR SkipLine(LPCSTR text);

#if !KESM_KERNEL_MODE
// The kernel-mode set-file code reads and writes values in place through the
// kernel-mode INI parser and has no script buffers.

// INI image: the file's bytes followed by one zero byte, owned by the caller
// until ReadIniClose.
// ReadIniOpen: null unless the path is non-empty and absolute (":" as its
// second character); the flag is not used.
LPSTR ReadIniOpen(LPCWSTR path, DWORD flag);
// Reads the whole file (opened with writing denied to others). Null when it
// cannot be opened or read in full, or memory is short.
LPSTR IniOpen(LPCSTR path);
// Frees the image; returns 1.
BOOL ReadIniClose(LPSTR image);
namespace storage {
// An INI image, closed with its holder.
struct IniImageCloser {
  void operator()(LPSTR image) const { ReadIniClose(image); }
};
using IniImage = std::unique_ptr<char, IniImageCloser>;
}  // namespace storage


// Finds the header of a section (ANSI name) in raw text of the given length,
// which need not be terminated. Returns the header's address or null; when
// asked, *sectionLength receives the bytes from the header to the next line
// that starts with "[", or to the end of the text.
LPCSTR SearchSectionName(LPCSTR section, LPCSTR text, DWORD textLength, LPDWORD sectionLength);

// The body (first character of the line after the header) of the first
// section of that name, or null.
LPCSTR GetSectionAddr(LPCWSTR section, LPCSTR image);

// Reads a key of the section whose body is given into a wide buffer of size
// characters and returns the length placed there. The search starts at the
// line *position bytes into the body (at the body's first line when no line
// of the section starts there), wraps once to the body's first line and
// stops at the line it started from; a hit sets *position to the line after
// it, so keys read in the order they were written are each found at the
// first line tried. On a miss, or without a body, the buffer holds the default (cut to
// size - 1 characters) and *position is 0. A value longer than size - 1
// bytes is cut there, never inside a double-byte character.
DWORD GetScriptString(LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size, LPCSTR body,
                      PLONG position);
// The first 10 characters of the value as a decimal integer (optional sign,
// then digits); the default when the key is missing or its value empty.
INT GetScriptInt(LPCWSTR key, INT defaultValue, LPCSTR body, PLONG position);

// Script writers: append to an ANSI buffer of size bytes at *position and
// advance it; the text is kept terminated. An empty section name or key
// appends nothing and succeeds. FALSE, with nothing written, for a null
// argument, a name of more than 521 ANSI bytes, text that would break the
// line structure (a line break anywhere, "]" in a section name, "=" in a key
// or a key that starts with "["), or text that does not fit.
// Appends "[section]\r\n".
BOOL WriteScriptSection(LPDWORD position, LPCWSTR section, LPSTR buffer, DWORD size);
// Appends "key=value\r\n".
BOOL WriteScriptString(LPDWORD position, LPCWSTR key, LPCWSTR value, LPSTR buffer, DWORD size);

// Writes the script (length bytes) as the first section of the file, followed
// by the file's other text in its order without its old section of that
// name (a new file holds the script alone). The new text replaces the file
// only once it is written in full, so a failure leaves the old file as it
// was; then the system error is stored as the context's last error and the
// result is FALSE. A file that exists but cannot be read fails the same way.
BOOL UpdateSetFile(UCB* ucb, LPCWSTR path, LPCWSTR section, LPCSTR script, DWORD length);
#endif
