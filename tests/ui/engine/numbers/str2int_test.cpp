// A typed number read as fixed point with the scale's decimals: signs,
// blanks and other characters before it, decimals read, missing or cut, and
// texts beyond the 32-bit range, which saturate at its ends (a wrapped
// 32-bit sum would give small or positive numbers for them).
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "ui/engine/item_handlers.h"

namespace {

constexpr LONG kMax = std::numeric_limits<LONG>::max();
constexpr LONG kMin = std::numeric_limits<LONG>::min();

struct Case {
  const char16_t* text;
  LONG scale;
  LONG expected;
};

constexpr Case kCases[] = {
    // Decimals: read up to the scale's count, filled with zeros, cut.
    {u"12.3", 100, 1230},
    {u"12", 100, 1200},
    {u"1.234", 100, 123},
    {u"7.", 100, 700},
    {u".5", 10, 5},
    {u"1.5", 20, 150},  // 20 counts two decimals, as it is written
    {u"3.5", 1, 3},
    {u"3.5", 0, 3},
    {u"3.5", -10, 3},
    {u"42", 1000, 42000},
    // Signs.
    {u"-3.5", 10, -35},
    {u"-.5", 10, -5},
    {u"-0", 10, 0},
    {u"5-", 1, 5},
    {u"12-3", 1, 12},
    {u"--4", 1, 0},
    {u"- 4", 1, 0},
    // What comes before the number, and after it.
    {u"  42", 1, 42},
    {u"x-5", 1, -5},
    {u"size 12.5 mm", 10, 125},
    {u"12 .5", 10, 120},
    // No digits.
    {u"", 10, 0},
    {u"abc", 10, 0},
    {u"-", 10, 0},
    {u".", 100, 0},
    // Only the digits 0-9 count; full-width digits are other characters.
    {u"\xFF11\xFF12", 1, 0},
    {u"1\xFF12", 1, 1},
    // The ends of the range, and beyond them both ways.
    {u"2147483647", 1, kMax},
    {u"-2147483648", 1, kMin},
    {u"2147483648", 1, kMax},
    {u"-2147483649", 1, kMin},
    {u"4294967306", 1, kMax},    // 2^32 + 10 would wrap to 10
    {u"-4294967306", 1, kMin},   // and to -10
    {u"3000000000", 1, kMax},    // would wrap below 0
    {u"99999999999999999999999", 1, kMax},
    {u"21474836.48", 100, kMax},
    {u"21474836.47", 100, kMax},
    {u"-21474836.48", 100, kMin},
    {u"42949673", 100, kMax},    // the decimals' zeros carry it over
};

TEST(KesmStr2Int, ReadsFixedPointAndSaturatesAtTheEndsOfTheRange) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)) + " scale " +
                 std::to_string(c.scale));
    EXPECT_EQ(KesmStr2Int(c.text, c.scale), c.expected);
  }
}

TEST(KesmStr2Int, NoTextIsZero) { EXPECT_EQ(KesmStr2Int(nullptr, 10), 0); }

}  // namespace
