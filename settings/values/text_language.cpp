// Conversions between UTF-16 and the system ANSI code page, the bounded text
// copies built on them, and the fixed-point number formatter.
#include "settings/values/text_language.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/text/codepage.h"
#include "platform/text/wintext.h"
#if KESM_KERNEL_MODE
#include "render/platform/code_page.h"
#endif

namespace {

// ANSI bytes that the first units of a wide text convert to; -1 on failure.
int AnsiBytes(LPCWSTR src, int units) {
  if (units == 0) {
    return 0;
  }
#if KESM_KERNEL_MODE
  return EngWideCharToMultiByte(MyGetACP(), const_cast<LPWSTR>(src),
                                units * static_cast<int>(sizeof(WCHAR)), nullptr, 0);
#else
  const int bytes = WideCharToMultiByte(CP_ACP, 0, src, units, nullptr, 0, nullptr, nullptr);
  return bytes > 0 ? bytes : -1;
#endif
}

// Units of the next character: two for a surrogate pair, else one.
int CharUnits(LPCWSTR text, int at, int length) {
  const bool high = text[at] >= 0xD800 && text[at] <= 0xDBFF;
  return high && at + 1 < length && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF ? 2 : 1;
}

// The most wide units of src (whole characters) whose ANSI form fits in
// maxBytes.
int UnitsThatFit(LPCWSTR src, int length, int maxBytes) {
  int units = 0;
  int bytes = 0;
  while (units < length) {
    const int step = CharUnits(src, units, length);
    const int more = AnsiBytes(src + units, step);
    if (more < 0 || bytes + more > maxBytes) {
      break;
    }
    bytes += more;
    units += step;
  }
  return units;
}

// Decimals of a scale: how often it can be divided by 10 while above 1.
int DecimalsOf(LONG scale) {
  int decimals = 0;
  while (scale > 1) {
    scale /= 10;
    ++decimals;
  }
  return decimals;
}

}  // namespace

BOOL MyMultiByteToUnicode(LPWSTR dst, ULONG dstBytes, PULONG written, LPCSTR src, ULONG srcBytes) {
  if (written != nullptr) {
    *written = 0;
  }
  if (dst == nullptr || src == nullptr || dstBytes > INT_MAX || srcBytes > INT_MAX) {
    return FALSE;
  }
#if KESM_KERNEL_MODE
  const INT bytes = EngMultiByteToWideChar(MyGetACP(), dst, static_cast<INT>(dstBytes),
                                           const_cast<LPSTR>(src), static_cast<INT>(srcBytes));
  if (bytes < 0) {
    return FALSE;
  }
  if (written != nullptr) {
    *written = static_cast<ULONG>(bytes);
  }
  return TRUE;
#else
  if (srcBytes == 0) {
    return TRUE;
  }
  const int chars = MultiByteToWideChar(CP_ACP, 0, src, static_cast<int>(srcBytes), dst,
                                        static_cast<int>(dstBytes / sizeof(WCHAR)));
  if (chars <= 0) {
    return FALSE;
  }
  if (written != nullptr) {
    *written = static_cast<ULONG>(chars) * sizeof(WCHAR);
  }
  return TRUE;
#endif
}

BOOL MyUnicodeToMultiByte(LPSTR dst, ULONG dstBytes, PULONG written, LPCWSTR src, ULONG srcBytes) {
  if (written != nullptr) {
    *written = 0;
  }
  if (dst == nullptr || src == nullptr || dstBytes > INT_MAX || srcBytes > INT_MAX) {
    return FALSE;
  }
#if KESM_KERNEL_MODE
  const INT bytes = EngWideCharToMultiByte(MyGetACP(), const_cast<LPWSTR>(src),
                                           static_cast<INT>(srcBytes), dst, static_cast<INT>(dstBytes));
  if (bytes < 0) {
    return FALSE;
  }
  if (written != nullptr) {
    *written = static_cast<ULONG>(bytes);
  }
  return TRUE;
#else
  if (srcBytes < sizeof(WCHAR)) {
    return TRUE;
  }
  const int bytes = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(srcBytes / sizeof(WCHAR)),
                                        dst, static_cast<int>(dstBytes), nullptr, nullptr);
  if (bytes <= 0) {
    return FALSE;
  }
  if (written != nullptr) {
    *written = static_cast<ULONG>(bytes);
  }
  return TRUE;
#endif
}

LPWSTR CopyStr2Unicode(LPWSTR dst, LPCSTR src, int limit) {
  if (dst == nullptr) {
    return nullptr;
  }
  const LPCSTR text = src == nullptr ? "" : src;
  const std::size_t length = std::strlen(text);
  if (length >= INT_MAX) {
    return dst;
  }
  if (limit <= 0) {
    limit = static_cast<int>(length) + 1;
  }
  std::memset(dst, 0, static_cast<std::size_t>(limit) * sizeof(WCHAR));
  int chars = 0;
#if KESM_KERNEL_MODE
  // The engine cuts output that does not fit at a whole character.
  ULONG out = 0;
  if (length > 0 && MyMultiByteToUnicode(dst, static_cast<ULONG>(limit - 1) * sizeof(WCHAR), &out,
                                         text, static_cast<ULONG>(length))) {
    chars = static_cast<int>(out / sizeof(WCHAR));
  }
#else
  // One character at a time, so that a double-byte character (one wide
  // character) is converted whole or not at all.
  std::size_t bytes = 0;
  while (bytes < length && chars < limit - 1) {
    const ULONG step =
        IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(text[bytes])) && bytes + 1 < length ? 2 : 1;
    ULONG out = 0;
    if (!MyMultiByteToUnicode(dst + chars, sizeof(WCHAR), &out, text + bytes, step) || out == 0) {
      break;
    }
    bytes += step;
    ++chars;
  }
#endif
  dst[chars] = 0;
  return dst;
}

LPSTR CopyUnicode2Str(LPSTR dst, LPCWSTR src, int limit) {
  if (dst == nullptr) {
    return nullptr;
  }
  const LPCWSTR text = src == nullptr ? u"" : src;
  const int length = lstrlenW(text);
  if (limit <= 0) {
    limit = length + 1;
  }
  std::memset(dst, 0, static_cast<std::size_t>(limit));
  const int units = UnitsThatFit(text, length, limit - 1);
  ULONG bytes = 0;
  if (units > 0 &&
      !MyUnicodeToMultiByte(dst, static_cast<ULONG>(limit - 1), &bytes, text,
                            static_cast<ULONG>(units) * sizeof(WCHAR))) {
    bytes = 0;
  }
  dst[bytes < static_cast<ULONG>(limit) ? bytes : 0] = 0;
  return dst;
}

int KesmInt2Str(LPWSTR buffer, int size, LONG scale, LONG value) {
  if (buffer == nullptr || size <= 0) {
    return 0;
  }
  // One table row per decimal count: the divisor and the format of the
  // fraction.
  struct Fixed {
    std::uint32_t divisor;
    LPCWSTR format;
  };
  static constexpr Fixed kFixed[] = {
      {10, u"%s%lu.%01lu"}, {100, u"%s%lu.%02lu"}, {1000, u"%s%lu.%03lu"}, {10000, u"%s%lu.%04lu"}};
  const int decimals = DecimalsOf(scale);
  int written = 0;
  if (decimals >= 1 && decimals <= 4) {
    // The magnitude in unsigned arithmetic, so the lowest value has one too.
    const std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    const Fixed& f = kFixed[decimals - 1];
    written = wnsprintfW(buffer, size, f.format, value < 0 ? u"-" : u"",
                         static_cast<ULONG>(magnitude / f.divisor),
                         static_cast<ULONG>(magnitude % f.divisor));
  } else {
    written = wnsprintfW(buffer, size, u"%ld", value);
  }
  if (written < 0) {
    buffer[0] = 0;
    return 0;
  }
  return written;
}
