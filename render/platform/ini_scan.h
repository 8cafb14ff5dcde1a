// The scan of a mapped INI image that the kernel-mode profile functions
// share. INI files are ANSI text in the engine's code page; a line is found
// by the bytes it starts with, case-sensitive, with no blanks skipped.
// Internal to render/platform/ and its tests.
#pragma once

#include <string_view>

#include "platform/base/wintypes.h"
#include "render/platform/file_cursor.h"

namespace kmini {

// ANSI text in a zeroed pool block, freed with the object.
class PoolText {
 public:
  PoolText() = default;
  ~PoolText();
  PoolText(const PoolText&) = delete;
  PoolText& operator=(const PoolText&) = delete;

  // Room for bytes and a terminator; false when memory is short.
  bool Allocate(ULONG bytes);
  char* data() { return text_; }
  void SetLength(ULONG bytes) { length_ = bytes; }
  std::string_view view() const { return {text_, length_}; }

 private:
  char* text_ = nullptr;
  ULONG length_ = 0;
};

// The wide text in the engine's code page between an optional opening and
// closing text ("[" and "]" for a section). False for null, when memory is
// short, and for a text with a line break (no line can start with it, and
// no value may hold one).
bool ToAnsi(LPCWSTR text, std::string_view open, std::string_view close, PoolText& out);
// The patterns a section line and a key line start with: "[section]" and
// "key=".
bool SetSectionName(LPCWSTR section, PoolText& out);
bool SetKeyName(LPCWSTR key, PoolText& out);

// Skips to the end of the line, then over every CR and LF that follows (so
// empty lines are skipped).
void MoveNextLine(FILESTUB* cursor);
// Moves count bytes forward, at most to the end of the image.
void MoveNextCur(FILESTUB* cursor, ULONG count);
// Whether the line at the cursor starts with the pattern's bytes.
bool LineStartsWith(const FILESTUB* cursor, std::string_view pattern);
// Scans from the cursor for the first line that starts with the section
// pattern, then for the first following line that starts with the key
// pattern, stopping at a line that starts with "[". On a match the cursor
// stands just after the key pattern and the result is true.
bool FindKey(FILESTUB* cursor, std::string_view section, std::string_view key);

// Maps the file (for writing when asked) and returns a cursor at the value
// of the key in the section, or null when the file, section or key is
// missing or memory is short. Close it with CloseHandleStub.
FILESTUB* SetPrivateProfileStringPosi(LPCWSTR section, LPCWSTR key, LPCWSTR file, bool forWrite);

// The bytes of the value at the cursor: up to CR, LF or the end of the
// image.
ULONG ValueBytes(const FILESTUB* cursor);
// Copies the value, at most size - 1 bytes (a value that is cut ends at a
// whole character of the engine's code page), and a terminator into out,
// which holds size bytes (size at least 1). Returns the bytes copied.
ULONG GetDataStrEx(const FILESTUB* cursor, char* out, ULONG size);
// The text of a number: the value's first bytes up to a blank, CR, LF or the
// end of the image, at most 15 of them, terminated.
void GetDataStrEx2(const FILESTUB* cursor, char (&out)[16]);
// The text's number as the C library's atol reads it (leading white space,
// a sign, decimal digits up to the first other byte, 0 without digits), held
// to the range of a 32-bit LONG as Windows holds it.
INT AnsiToLong(const char* text);
// Writes the value over the old value's bytes of a writable cursor and fills
// the rest of the old value with blanks, so that the line, the file and
// every other line keep their length. FALSE, changing nothing, for a
// read-only cursor or a value longer than the old one.
BOOL SetDataStr(FILESTUB* cursor, std::string_view value);

}  // namespace kmini
