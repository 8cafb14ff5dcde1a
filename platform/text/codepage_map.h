// Conversion tables of one code page, built once from iconv and read-only
// afterwards, so any number of threads may convert at the same time.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/text/codepage_table.h"

namespace plat::cp {

inline constexpr WCHAR kNoChar = 0xFFFF;          // noncharacter: "unmapped"
inline constexpr std::uint16_t kNoCode = 0xFFFF;  // no byte sequence

struct CodePageMap {
  std::array<WCHAR, 256> single;      // byte -> unit, kNoChar if none
  std::vector<WCHAR> pairs;           // (lead << 8 | trail) -> unit; empty for SBCS
  std::vector<std::uint16_t> encode;  // unit -> byte (< 0x100) or lead << 8 | trail

  WCHAR Pair(BYTE lead, BYTE trail) const {
    return pairs.empty() ? kNoChar : pairs[(lead << 8) | trail];
  }
};

// The tables of a code page that has an iconv name; null when iconv cannot
// open it.
const CodePageMap* MapOf(const CodePageInfo& info);

}  // namespace plat::cp
