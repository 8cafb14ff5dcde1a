// UTF-8 and UTF-16 readers and writers.
#include "platform/text/utf.h"

namespace plat::utf {

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
    if (b0 == 0xE0) lo = 0xA0;  // no overlong forms
    if (b0 == 0xED) hi = 0x9F;  // no encoded surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    more = 3, value = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;  // nothing beyond U+10FFFF
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

std::size_t ReadUtf16(std::u16string_view s, std::size_t i, char32_t* cp) {
  const char32_t u = s[i];
  if (IsHighSurrogate(u) && i + 1 < s.size() && IsLowSurrogate(s[i + 1])) {
    *cp = 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00);
    return 2;
  }
  *cp = IsHighSurrogate(u) || IsLowSurrogate(u) ? kInvalid : u;
  return 1;
}

std::size_t EncodeUtf8(char32_t cp, char out[4]) {
  std::size_t n;
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp), n = 1;
  } else if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6)), n = 2;
  } else if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12)), n = 3;
  } else {
    out[0] = static_cast<char>(0xF0 | (cp >> 18)), n = 4;
  }
  for (std::size_t k = 1; k < n; ++k) {
    out[k] = static_cast<char>(0x80 | ((cp >> (6 * (n - 1 - k))) & 0x3F));
  }
  return n;
}

std::size_t EncodeUtf16(char32_t cp, char16_t out[2]) {
  if (cp < 0x10000) {
    out[0] = static_cast<char16_t>(cp);
    return 1;
  }
  cp -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  return 2;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp;
    i += ReadUtf16(text, i, &cp);
    char bytes[4];
    out.append(bytes, EncodeUtf8(cp == kInvalid ? kReplacement : cp, bytes));
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp;
    i += ReadUtf8(text, i, &cp);
    char16_t units[2];
    out.append(units, EncodeUtf16(cp == kInvalid ? kReplacement : cp, units));
  }
  return out;
}

}  // namespace plat::utf
