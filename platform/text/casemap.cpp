// Simple case mapping of single UTF-16 units: the table of letter ranges
// that have a one-to-one upper and lower case.
#include "platform/text/wintext.h"

namespace {

// Upper-case letters from first to last (every one, or every second one
// when step is 2); each lower-case partner is delta away. Where two rows
// claim a letter, the earlier row wins.
struct CaseRange {
  WCHAR first;
  WCHAR last;
  int delta;
  int step;
};

// clang-format off
constexpr CaseRange kCaseRanges[] = {
    {0x0041, 0x005A, 0x20, 1},   // Basic Latin
    {0x00C0, 0x00D6, 0x20, 1},   // Latin-1 (not the multiplication sign)
    {0x00D8, 0x00DE, 0x20, 1},
    {0x0178, 0x0178, -0x79, 1},  // Y with diaeresis, lower case 0x00FF
    {0x0100, 0x012E, 1, 2},      // Latin Extended-A
    {0x0132, 0x0136, 1, 2},
    {0x0139, 0x0147, 1, 2},
    {0x014A, 0x0176, 1, 2},
    {0x0179, 0x017D, 1, 2},
    {0x01A0, 0x01A4, 1, 2},      // Latin Extended-B
    {0x01AF, 0x01AF, 1, 1},
    {0x01CD, 0x01DB, 1, 2},
    {0x01DE, 0x01EE, 1, 2},
    {0x01F4, 0x01F4, 1, 1},
    {0x01F8, 0x021E, 1, 2},
    {0x0222, 0x0232, 1, 2},
    {0x0246, 0x024E, 1, 2},
    {0x0391, 0x03A1, 0x20, 1},   // Greek
    {0x03A3, 0x03AB, 0x20, 1},
    {0x0386, 0x0386, 0x26, 1},
    {0x0388, 0x038A, 0x25, 1},
    {0x038C, 0x038C, 0x40, 1},
    {0x038E, 0x038F, 0x3F, 1},
    {0x03A3, 0x03A3, 0x1F, 1},   // final sigma upper-cases to sigma
    {0x03D8, 0x03EE, 1, 2},
    {0x0410, 0x042F, 0x20, 1},   // Cyrillic
    {0x0400, 0x040F, 0x50, 1},
    {0x0460, 0x0480, 1, 2},
    {0x048A, 0x04BE, 1, 2},
    {0x04C0, 0x04C0, 0x0F, 1},
    {0x04C1, 0x04CD, 1, 2},
    {0x04D0, 0x052E, 1, 2},
    {0xFF21, 0xFF3A, 0x20, 1},   // full-width Latin
};
// clang-format on

bool IsUpperOf(const CaseRange& r, int c) {
  return c >= r.first && c <= r.last && (c - r.first) % r.step == 0;
}

}  // namespace

WCHAR CharUpperW1(WCHAR c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<WCHAR>(c - 0x20) : c;
  for (const CaseRange& r : kCaseRanges) {
    if (IsUpperOf(r, c - r.delta)) return static_cast<WCHAR>(c - r.delta);
  }
  return c;
}

WCHAR CharLowerW1(WCHAR c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<WCHAR>(c + 0x20) : c;
  for (const CaseRange& r : kCaseRanges) {
    if (IsUpperOf(r, c)) return static_cast<WCHAR>(c + r.delta);
  }
  return c;
}

LPWSTR CharUpperW(LPWSTR s) {
  for (LPWSTR p = s; p != nullptr && *p != 0; ++p) *p = CharUpperW1(*p);
  return s;
}

LPWSTR CharLowerW(LPWSTR s) {
  for (LPWSTR p = s; p != nullptr && *p != 0; ++p) *p = CharLowerW1(*p);
  return s;
}
