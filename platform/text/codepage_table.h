// Facts about each supported code page, for the conversion code of the
// stand-in only (not a Windows interface).
#pragma once

#include <span>

#include "platform/base/wintypes.h"

namespace plat::cp {

// Inclusive byte range; {1, 0} is the empty range.
struct ByteRange {
  BYTE first;
  BYTE last;
};
inline constexpr ByteRange kNoBytes{1, 0};

struct CodePageInfo {
  UINT id;
  const char* iconvName;    // null for UTF-8, which is converted by hand
  UINT oemCodePage;         // OEM page of a system with this ANSI page
  ByteRange lead[2];        // bytes that start a double-byte character
  ByteRange trail[3];       // bytes that may follow a lead byte
  WCHAR unicodeDefault;     // what an undecodable byte sequence becomes
  bool undefinedBytesAsC1;  // bytes without a character decode to U+0080-U+009F
};

inline bool InRanges(std::span<const ByteRange> ranges, BYTE b) {
  for (const ByteRange& r : ranges) {
    if (b >= r.first && b <= r.last) return true;
  }
  return false;
}

inline bool IsLeadByte(const CodePageInfo& info, BYTE b) { return InRanges(info.lead, b); }
inline bool IsTrailByte(const CodePageInfo& info, BYTE b) { return InRanges(info.trail, b); }
inline bool IsDoubleByte(const CodePageInfo& info) {
  return info.lead[0].first <= info.lead[0].last;
}

// The row of a concrete code page (no CP_ACP and the like); null if unknown.
const CodePageInfo* FindCodePage(UINT id);

}  // namespace plat::cp
