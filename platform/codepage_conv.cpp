// Conversion loops: table-driven for the iconv code pages, by hand for UTF-8.
#include "platform/codepage_conv.h"

#include "platform/codepage_map.h"

namespace plat::cp {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Reads one UTF-8 sequence at s[i]. Returns the bytes it takes; *cp is the
// code point, or kInvalid for an ill-formed sequence, which then covers its
// longest valid-looking prefix (at least one byte).
std::size_t ReadUtf8(std::string_view s, std::size_t i, char32_t* cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    *cp = b0;
    return 1;
  }
  std::size_t more = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  char32_t value = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    more = 1, value = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    more = 2, value = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;  // no encoded surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    more = 3, value = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    *cp = kInvalid;
    return 1;
  }
  std::size_t n = 1;
  for (; n <= more; ++n) {
    if (i + n >= s.size()) break;
    const auto b = static_cast<unsigned char>(s[i + n]);
    if (b < lo || b > hi) break;
    value = (value << 6) | (b & 0x3F);
    lo = 0x80, hi = 0xBF;
  }
  *cp = n == more + 1 ? value : kInvalid;
  return n;
}

bool PutCodePoint(char32_t cp, Sink<WCHAR>& out) {
  if (cp < 0x10000) return out.Put(static_cast<WCHAR>(cp));
  cp -= 0x10000;
  const WCHAR pair[2] = {static_cast<WCHAR>(0xD800 + (cp >> 10)),
                         static_cast<WCHAR>(0xDC00 + (cp & 0x3FF))};
  return out.Put(pair, 2);
}

ConvResult DecodeUtf8(std::string_view src, bool strict, Sink<WCHAR>& out) {
  for (std::size_t i = 0; i < src.size();) {
    char32_t cp;
    i += ReadUtf8(src, i, &cp);
    if (cp == kInvalid) {
      if (strict) return ConvResult::kInvalidInput;
      cp = 0xFFFD;
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
  for (std::size_t i = 0; i < src.size(); ++i) {
    char32_t cp = src[i];
    if (IsHighSurrogate(cp) && i + 1 < src.size() && IsLowSurrogate(src[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (src[++i] - 0xDC00);
    } else if (IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
      if (strict) return ConvResult::kInvalidInput;
      cp = 0xFFFD;
    }
    char bytes[4];
    int n;
    if (cp < 0x80) {
      bytes[0] = static_cast<char>(cp), n = 1;
    } else if (cp < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (cp >> 6)), n = 2;
    } else if (cp < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (cp >> 12)), n = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (cp >> 18)), n = 4;
    }
    for (int k = 1; k < n; ++k)
      bytes[k] = static_cast<char>(0x80 | ((cp >> (6 * (n - 1 - k))) & 0x3F));
    if (!out.Put(bytes, n)) break;
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
