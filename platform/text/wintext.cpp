// Length, copy, compare and search of null-terminated text, wide and ANSI.
#include "platform/text/wintext.h"

#include <cstdint>

#include "platform/text/codepage.h"

namespace {

template <class Ch>
int Length(const Ch* s) {
  if (s == nullptr) return 0;
  int n = 0;
  while (s[n] != 0) ++n;
  return n;
}

template <class Ch>
Ch* Copy(Ch* dst, const Ch* src) {
  if (dst == nullptr || src == nullptr) return nullptr;
  Ch* d = dst;
  while ((*d++ = *src++) != 0) {
  }
  return dst;
}

template <class Ch>
Ch* Concatenate(Ch* dst, const Ch* src) {
  if (dst == nullptr || src == nullptr) return nullptr;
  Copy(dst + Length(dst), src);
  return dst;
}

int Sign(long long v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Compares character keys one by one; key(p) reads one character at p,
// advances p and returns its key.
template <class Ch, class Key>
int Compare(const Ch* a, const Ch* b, Key key) {
  if (a == nullptr || b == nullptr) return Sign((a != nullptr) - (b != nullptr));
  for (;;) {
    const bool endA = *a == 0, endB = *b == 0;
    if (endA || endB) return Sign(static_cast<int>(endB) - static_cast<int>(endA));
    const long long ka = key(a), kb = key(b);
    if (ka != kb) return Sign(ka - kb);
  }
}

// The key of one ANSI character of the process code page: its folded UTF-16
// unit, or (when it has none) its bytes above the UTF-16 range.
std::uint32_t AnsiKey(LPCSTR& p) {
  const int size = IsDBCSLeadByte(static_cast<BYTE>(p[0])) && p[1] != 0 ? 2 : 1;
  WCHAR unit;
  const int n = MultiByteToWideChar(CP_ACP, 0, p, size, &unit, 1);
  std::uint32_t key = n == 1 ? CharUpperW1(unit) : 0;
  if (n != 1) {
    key = 0x10000u | static_cast<BYTE>(p[0]);
    if (size == 2) key = (key << 8) | static_cast<BYTE>(p[1]);
  }
  p += size;
  return key;
}

bool MatchesAt(LPCWSTR s, LPCWSTR needle, bool ignoreCase) {
  for (; *needle != 0; ++s, ++needle) {
    if (*s == 0) return false;
    if (ignoreCase ? CharUpperW1(*s) != CharUpperW1(*needle) : *s != *needle) return false;
  }
  return true;
}

LPWSTR Find(LPCWSTR haystack, LPCWSTR needle, bool ignoreCase) {
  // An empty needle finds nothing, so a caller's search loop always ends.
  if (haystack == nullptr || needle == nullptr || *needle == 0) return nullptr;
  for (LPCWSTR p = haystack;; ++p) {
    if (MatchesAt(p, needle, ignoreCase)) return const_cast<LPWSTR>(p);
    if (*p == 0) return nullptr;
  }
}

}  // namespace

int lstrlenW(LPCWSTR s) { return Length(s); }
int lstrlenA(LPCSTR s) { return Length(s); }
LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src) { return Copy(dst, src); }
LPSTR lstrcpyA(LPSTR dst, LPCSTR src) { return Copy(dst, src); }
LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src) { return Concatenate(dst, src); }
LPSTR lstrcatA(LPSTR dst, LPCSTR src) { return Concatenate(dst, src); }

LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int cchMax) {
  if (dst == nullptr || src == nullptr || cchMax < 0) return nullptr;
  if (cchMax == 0) return dst;
  int i = 0;
  for (; i < cchMax - 1 && src[i] != 0; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPSTR lstrcpynA(LPSTR dst, LPCSTR src, int cchMax) {
  if (dst == nullptr || src == nullptr || cchMax < 0) return nullptr;
  if (cchMax == 0) return dst;
  int i = 0;
  while (i < cchMax - 1 && src[i] != 0) {
    const bool pair = IsDBCSLeadByte(static_cast<BYTE>(src[i])) && src[i + 1] != 0;
    if (pair && i + 1 >= cchMax - 1) break;  // the trail byte would not fit
    dst[i] = src[i];
    ++i;
    if (pair) {
      dst[i] = src[i];
      ++i;
    }
  }
  dst[i] = 0;
  return dst;
}

int lstrcmpW(LPCWSTR a, LPCWSTR b) {
  return Compare(a, b, [](LPCWSTR& p) { return *p++; });
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  return Compare(a, b, [](LPCWSTR& p) { return CharUpperW1(*p++); });
}

int lstrcmpA(LPCSTR a, LPCSTR b) {
  return Compare(a, b, [](LPCSTR& p) { return static_cast<BYTE>(*p++); });
}

int lstrcmpiA(LPCSTR a, LPCSTR b) { return Compare(a, b, AnsiKey); }

LPWSTR StrStrW(LPCWSTR haystack, LPCWSTR needle) { return Find(haystack, needle, false); }
LPWSTR StrStrIW(LPCWSTR haystack, LPCWSTR needle) { return Find(haystack, needle, true); }

LPWSTR StrChrW(LPCWSTR s, WCHAR c) {
  for (LPCWSTR p = s; p != nullptr && *p != 0; ++p) {
    if (*p == c) return const_cast<LPWSTR>(p);
  }
  return nullptr;
}

LPWSTR StrRChrW(LPCWSTR s, LPCWSTR end, WCHAR c) {
  if (s == nullptr) return nullptr;
  LPCWSTR found = nullptr;
  for (LPCWSTR p = s; (end == nullptr || p < end) && *p != 0; ++p) {
    if (*p == c) found = p;
  }
  return const_cast<LPWSTR>(found);
}
