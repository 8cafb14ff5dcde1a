#include "render/platform/ini_scan.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>

#include "platform/text/codepage.h"
#include "render/platform/code_page.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"

namespace kmini {

namespace {

bool IsLineEnd(BYTE c) { return c == '\r' || c == '\n'; }

}  // namespace

PoolText::~PoolText() { FreeMemPtr(text_); }

bool PoolText::Allocate(ULONG bytes) {
  FreeMemPtr(text_);
  length_ = 0;
  text_ = static_cast<char*>(GetMemPtr(SIZE_T{bytes} + 1));
  return text_ != nullptr;
}

bool ToAnsi(LPCWSTR text, std::string_view open, std::string_view close, PoolText& out) {
  if (text == nullptr) {
    return false;
  }
  const std::u16string_view wide(text);
  if (wide.find_first_of(u"\r\n") != std::u16string_view::npos || wide.size() > INT_MAX / 2) {
    return false;
  }
  const INT wideBytes = static_cast<INT>(wide.size() * sizeof(WCHAR));
  const INT needed = EngWideCharToMultiByte(MyGetACP(), const_cast<LPWSTR>(text), wideBytes, nullptr, 0);
  const SIZE_T total = open.size() + static_cast<SIZE_T>(needed) + close.size();
  if (needed < 0 || total > std::numeric_limits<ULONG>::max()) {
    return false;
  }
  if (!out.Allocate(static_cast<ULONG>(total))) {
    return false;
  }
  char* at = out.data();
  open.copy(at, open.size());
  at += open.size();
  ULONG written = 0;
  if (needed > 0 &&
      !MyUnicodeToMultiByte(at, static_cast<ULONG>(needed), &written, text, static_cast<ULONG>(wideBytes))) {
    return false;
  }
  at += written;
  close.copy(at, close.size());
  out.SetLength(static_cast<ULONG>(open.size() + written + close.size()));
  return true;
}

bool SetSectionName(LPCWSTR section, PoolText& out) { return ToAnsi(section, "[", "]", out); }

bool SetKeyName(LPCWSTR key, PoolText& out) { return ToAnsi(key, "", "=", out); }

void MoveNextCur(FILESTUB* cursor, ULONG count) {
  const ULONG step = std::min(count, cursor->cbRemain);
  cursor->pCur += step;
  cursor->cbRemain -= step;
}

void MoveNextLine(FILESTUB* cursor) {
  MoveNextCur(cursor, ValueBytes(cursor));
  ULONG ends = 0;
  while (ends < cursor->cbRemain && IsLineEnd(cursor->pCur[ends])) {
    ++ends;
  }
  MoveNextCur(cursor, ends);
}

// The pattern never holds a line end (ToAnsi refuses one), so a match lies
// within the line.
bool LineStartsWith(const FILESTUB* cursor, std::string_view pattern) {
  return !pattern.empty() && pattern.size() <= cursor->cbRemain &&
         std::memcmp(cursor->pCur, pattern.data(), pattern.size()) == 0;
}

bool FindKey(FILESTUB* cursor, std::string_view section, std::string_view key) {
  while (cursor->cbRemain > 0 && !LineStartsWith(cursor, section)) {
    MoveNextLine(cursor);
  }
  if (cursor->cbRemain == 0) {
    return false;
  }
  MoveNextLine(cursor);
  while (cursor->cbRemain > 0) {
    if (LineStartsWith(cursor, key)) {
      MoveNextCur(cursor, static_cast<ULONG>(key.size()));
      return true;
    }
    if (cursor->pCur[0] == '[') {
      return false;
    }
    MoveNextLine(cursor);
  }
  return false;
}

FILESTUB* SetPrivateProfileStringPosi(LPCWSTR section, LPCWSTR key, LPCWSTR file, bool forWrite) {
  PoolText sectionPattern;
  PoolText keyPattern;
  if (!SetSectionName(section, sectionPattern) || !SetKeyName(key, keyPattern)) {
    return nullptr;
  }
  FILESTUB* cursor = forWrite ? CreateFileStubForWrite(file) : CreateFileStub(file);
  if (cursor == nullptr) {
    return nullptr;
  }
  if (!FindKey(cursor, sectionPattern.view(), keyPattern.view())) {
    CloseHandleStub(cursor);
    return nullptr;
  }
  return cursor;
}

ULONG ValueBytes(const FILESTUB* cursor) {
  const BYTE* end = std::find_if(cursor->pCur, cursor->pCur + cursor->cbRemain, IsLineEnd);
  return static_cast<ULONG>(end - cursor->pCur);
}

ULONG GetDataStrEx(const FILESTUB* cursor, char* out, ULONG size) {
  const ULONG value = ValueBytes(cursor);
  ULONG bytes = value;
  if (value > size - 1) {
    // Cut at a whole character: a lead byte without its trail byte would
    // convert to a character the file does not hold.
    const UINT codePage = MyGetACP();
    bytes = 0;
    while (bytes < size - 1) {
      const ULONG step = MyIsDBCSLeadByteEx(codePage, cursor->pCur[bytes]) ? 2 : 1;
      if (bytes + step > size - 1) {
        break;
      }
      bytes += step;
    }
  }
  std::memcpy(out, cursor->pCur, bytes);
  out[bytes] = 0;
  return bytes;
}

void GetDataStrEx2(const FILESTUB* cursor, char (&out)[16]) {
  const ULONG limit = std::min<ULONG>(cursor->cbRemain, sizeof out - 1);
  ULONG bytes = 0;
  while (bytes < limit && !IsLineEnd(cursor->pCur[bytes]) && cursor->pCur[bytes] != ' ') {
    out[bytes] = static_cast<char>(cursor->pCur[bytes]);
    ++bytes;
  }
  out[bytes] = 0;
}

INT AnsiToLong(const char* text) {
  constexpr long long kMax = INT_MAX;
  constexpr long long kMin = INT_MIN;
  const char* at = text;
  while (*at == ' ' || (*at >= '\t' && *at <= '\r')) {
    ++at;
  }
  const bool negative = *at == '-';
  if (*at == '-' || *at == '+') {
    ++at;
  }
  long long value = 0;
  for (; *at >= '0' && *at <= '9'; ++at) {
    value = std::min(value * 10 + (*at - '0'), kMax + 1);  // held once out of range
  }
  return static_cast<INT>(std::clamp(negative ? -value : value, kMin, kMax));
}

BOOL SetDataStr(FILESTUB* cursor, std::string_view value) {
  BYTE* at = WritablePosition(cursor);
  const ULONG room = ValueBytes(cursor);
  if (at == nullptr || value.size() > room) {
    return FALSE;
  }
  std::memcpy(at, value.data(), value.size());
  std::memset(at + value.size(), ' ', room - value.size());
  return TRUE;
}

}  // namespace kmini
