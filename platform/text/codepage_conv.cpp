// Conversion loops: table-driven for the iconv code pages, by hand for UTF-8.
#include "platform/text/codepage_conv.h"

#include "platform/text/codepage_map.h"
#include "platform/text/utf.h"

namespace plat::cp {
namespace {

using utf::IsHighSurrogate;
using utf::IsLowSurrogate;

bool PutCodePoint(char32_t cp, Sink<WCHAR>& out) {
  WCHAR units[2];
  return out.Put(units, utf::EncodeUtf16(cp, units));
}

ConvResult DecodeUtf8(std::string_view src, bool strict, Sink<WCHAR>& out) {
  for (std::size_t i = 0; i < src.size();) {
    char32_t cp;
    i += utf::ReadUtf8(src, i, &cp);
    if (cp == utf::kInvalid) {
      if (strict) return ConvResult::kInvalidInput;
      cp = utf::kReplacement;
    }
    if (!PutCodePoint(cp, out)) break;
  }
  return ConvResult::kOk;
}

ConvResult DecodeTable(const CodePageInfo& info, const CodePageMap& map, std::string_view src,
                       bool strict, Sink<WCHAR>& out) {
  for (std::size_t i = 0; i < src.size();) {
    const auto b = static_cast<BYTE>(src[i]);
    WCHAR u;
    if (IsLeadByte(info, b)) {
      const bool paired = i + 1 < src.size() && IsTrailByte(info, static_cast<BYTE>(src[i + 1]));
      // A lead byte without a trail byte stands alone; the next byte is read
      // on its own.
      u = paired ? map.Pair(b, static_cast<BYTE>(src[i + 1])) : kNoChar;
      i += paired ? 2 : 1;
    } else {
      u = map.single[b];
      i += 1;
    }
    if (u == kNoChar) {
      if (strict) return ConvResult::kInvalidInput;
      u = info.unicodeDefault;
    }
    if (!out.Put(u)) break;
  }
  return ConvResult::kOk;
}

ConvResult EncodeUtf8(std::u16string_view src, bool strict, Sink<char>& out) {
  for (std::size_t i = 0; i < src.size();) {
    char32_t cp;
    i += utf::ReadUtf16(src, i, &cp);
    if (cp == utf::kInvalid) {
      if (strict) return ConvResult::kInvalidInput;
      cp = utf::kReplacement;
    }
    char bytes[4];
    if (!out.Put(bytes, utf::EncodeUtf8(cp, bytes))) break;
  }
  return ConvResult::kOk;
}

ConvResult EncodeTable(const CodePageMap& map, std::u16string_view src, DefaultChar defaultChar,
                       Sink<char>& out, bool* usedDefault) {
  for (std::size_t i = 0; i < src.size(); ++i) {
    const WCHAR u = src[i];
    const std::uint16_t code = map.encode[u];
    // A surrogate pair is one character, and no code page here has one.
    if (IsHighSurrogate(u) && i + 1 < src.size() && IsLowSurrogate(src[i + 1])) ++i;
    bool fits;
    if (code == kNoCode) {
      *usedDefault = true;
      fits = out.Put(defaultChar.bytes, static_cast<std::size_t>(defaultChar.size));
    } else if (code < 0x100) {
      fits = out.Put(static_cast<char>(code));
    } else {
      const char pair[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
      fits = out.Put(pair, 2);
    }
    if (!fits) break;
  }
  return ConvResult::kOk;
}

}  // namespace

ConvResult Decode(const CodePageInfo& info, std::string_view src, bool strict, Sink<WCHAR>& out) {
  if (info.iconvName == nullptr) return DecodeUtf8(src, strict, out);
  const CodePageMap* map = MapOf(info);
  if (map == nullptr) return ConvResult::kNoTables;
  return DecodeTable(info, *map, src, strict, out);
}

ConvResult Encode(const CodePageInfo& info, std::u16string_view src, DefaultChar defaultChar,
                  bool strict, Sink<char>& out, bool* usedDefault) {
  if (info.iconvName == nullptr) return EncodeUtf8(src, strict, out);
  const CodePageMap* map = MapOf(info);
  if (map == nullptr) return ConvResult::kNoTables;
  return EncodeTable(*map, src, defaultChar, out, usedDefault);
}

}  // namespace plat::cp
