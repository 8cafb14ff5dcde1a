// Lexical reader of the printer description (KPD text). It hands out one
// entry at a time as four text pieces (keyword, first option word, second
// option word, value), skips comment lines and keeps a running CRC-16 of
// every byte read (brought up to date over whole spans: at the end of every
// entry and on request). It gives no meaning to the pieces: the description
// compiler does.
//
// Text syntax: an entry is a line that begins with '*', a keyword, up to two
// option words, a ':' and a value. Lines that begin with "*%" and lines that
// do not begin with '*' are comments. A value runs to the end of its line
// unless a double quote, parenthesis or brace is open; inside quotes '%'
// escapes the next byte. The reader keeps quotes, escapes and hex runs in
// the value text for the compiler's string decoder.
#pragma once

#include "platform/base/wintypes.h"

// Results of the reader functions.
inline constexpr int kKpdOk = 0;         // a byte or an entry was read
inline constexpr int kKpdEndOfFile = 1;  // no further entry
inline constexpr int kKpdTruncated = 2;  // the text ended inside an open quote, parenthesis or brace
inline constexpr int kKpdSyntax = 3;     // this entry is malformed and was dropped
inline constexpr int kKpdNoMemory = 4;   // a buffer could not grow

// An open description: the bytes and the read position.
struct FILEOBJ {
  PVOID mapBase;      // what MAPFILE returned, released on close; null for a borrowed view
  const BYTE* readPtr;  // next byte to hand out
  DWORD remaining;    // bytes not yet read
  WORD* crc;          // caller's CRC word over the bytes read (see FILEOBJ_UpdateCrc); may be null
  UINT codePage;      // ANSI code page whose lead bytes start two-byte characters
  const BYTE* crcFrom;  // first byte read that the CRC word does not cover yet
};

// Maps the file read-only and starts reading at its first byte. Null when
// memory is short or the file cannot be mapped.
FILEOBJ* FILEOBJ_Create(LPCWSTR fileName, WORD* crc);
// Reads a byte range that the caller keeps alive until FILEOBJ_Close.
FILEOBJ* FILEOBJ_CreateFromView(const BYTE* bytes, DWORD size, WORD* crc);
// Releases the mapping (if the object owns one) and the object; null ignored.
void FILEOBJ_Close(FILEOBJ* f);
// kKpdOk with the next byte, or kKpdEndOfFile (*out is then left alone).
inline int FILEOBJ_GetChar(FILEOBJ* f, BYTE* out) {
  if (f->remaining == 0) {
    return kKpdEndOfFile;
  }
  *out = *f->readPtr++;
  --f->remaining;
  return kKpdOk;
}
// Passes over n bytes that the caller has looked at (n <= remaining).
inline void FILEOBJ_Skip(FILEOBJ* f, DWORD n) {
  f->readPtr += n;
  f->remaining -= n;
}
// Brings the caller's CRC word up to every byte read so far.
// PARSEROBJ_ParseEntry does so at the end of every entry.
void FILEOBJ_UpdateCrc(FILEOBJ* f);

// A growable text buffer. The block always holds capacity + 1 bytes, so the
// terminating NUL fits; the text is NUL-terminated at every step.
struct BUFOBJ {
  DWORD capacity;  // characters the text may hold
  DWORD length;    // characters stored (the compiler reuses it as its read cursor)
  LPSTR text;
};

inline constexpr DWORD kBufobjInitialCapacity = 1024;

// Allocates the first block; FALSE when memory is short (the buffer is then
// empty and needs no free).
BOOL BUFOBJ_Create(BUFOBJ* b);
void BUFOBJ_Free(BUFOBJ* b);
void BUFOBJ_Reset(BUFOBJ* b);
// kKpdOk, or kKpdNoMemory when the buffer is full (nothing stored).
int BUFOBJ_AddChar(BUFOBJ* b, BYTE c);
// Stores the bytes, extending the buffer as often as needed; kKpdOk or
// kKpdNoMemory (then nothing is stored).
int BUFOBJ_AddBytes(BUFOBJ* b, const BYTE* bytes, DWORD count);
// Stores c, extending a full buffer first; kKpdOk or kKpdNoMemory.
inline int BUFOBJ_AddCharGrow(BUFOBJ* b, BYTE c) {
  if (b->text != nullptr && b->length < b->capacity) {
    b->text[b->length++] = static_cast<char>(c);
    b->text[b->length] = '\0';
    return kKpdOk;
  }
  return BUFOBJ_AddBytes(b, &c, 1);
}
// Doubles the capacity, keeping the text; kKpdOk or kKpdNoMemory.
int BUFOBJ_Extend(BUFOBJ* b);
// Collects the longest run of bytes whose class has a bit of classMask,
// starting with *current (already read), growing the buffer as needed. On
// return *current is the first byte after the run. Result: kKpdSyntax for
// an empty run, else the last read result (kKpdOk, kKpdEndOfFile) or
// kKpdNoMemory.
int BUFOBJ_GetString(BUFOBJ* b, FILEOBJ* f, BYTE* current, BYTE classMask);

// The four pieces of one entry.
struct PARSEROBJ {
  BUFOBJ keyword;
  BUFOBJ option1;
  BUFOBJ option2;
  BUFOBJ value;
};

// Null when any buffer cannot be allocated (nothing is left allocated).
PARSEROBJ* PARSEROBJ_Create();
void PARSEROBJ_Free(PARSEROBJ* p);
// Reads the next entry into the four buffers (pieces that are absent stay
// empty). kKpdOk, kKpdEndOfFile, kKpdTruncated, kKpdSyntax or kKpdNoMemory.
// After kKpdSyntax reading goes on at the byte after the one that failed.
int PARSEROBJ_ParseEntry(PARSEROBJ* p, FILEOBJ* f);

// The steps of PARSEROBJ_ParseEntry.
// Finds the next entry and reads its keyword; *current is the byte after it.
int PARSEROBJ_ParseKeyword(PARSEROBJ* p, FILEOBJ* f, BYTE* current);
// One option word (option-character run).
int PARSEROBJ_ParseOption(BUFOBJ* option, FILEOBJ* f, BYTE* current);
// The value after the ':'; *current is the first byte after the ':'.
int PARSEROBJ_ParseValue(PARSEROBJ* p, FILEOBJ* f, BYTE* current);
// Reads up to and including the next CR or LF.
int PARSEROBJ_SkipLine(FILEOBJ* f);

// Value of a hex digit: '0'-'9' give 0-9, 'a'-'f' and 'A'-'F' give 10-15.
int HexValue(BYTE c);
