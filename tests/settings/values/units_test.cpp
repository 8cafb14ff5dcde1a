#include "settings/values/units.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/settings/context/hand_context.h"
#include "settings/values/setting_value.h"

namespace {

using kesm_test::HandContext;

enum class Op { ToDot, FromDot, Dot2Mm, Dot2Inch, Mm2Dot, Inch2Dot, Dot2Dot, ToSize, FromSize, Range, MulDiv };

// One conversion: the operation, its arguments, the display unit of the
// context (0 tenths of a millimetre, 1 hundredths of an inch) and the
// result; a range case gives the minimum in `expected2`.
struct UnitCase {
  const char* what;
  Op op;
  LONG a, b, c;
  BYTE dspUnit;
  LONG expected;
  LONG expected2;
};

LONG Convert(UCB* ucb, const UnitCase& t, LONG* second) {
  const auto a = static_cast<DWORD>(t.a);
  const auto b = static_cast<DWORD>(t.b);
  const auto c = static_cast<DWORD>(t.c);
  switch (t.op) {
    case Op::ToDot: return static_cast<LONG>(CmnToDot(a, b, c));
    case Op::FromDot: return static_cast<LONG>(CmnFromDot(a, b, c));
    case Op::Dot2Mm: return static_cast<LONG>(CmnDot2MmOf01(a, b));
    case Op::Dot2Inch: return static_cast<LONG>(CmnDot2InchOf001(a, b));
    case Op::Mm2Dot: return static_cast<LONG>(CmnMmOf012Dot(a, b));
    case Op::Inch2Dot: return static_cast<LONG>(CmnInchOf0012Dot(a, b));
    case Op::Dot2Dot: return static_cast<LONG>(CmnDot2Dot(a, b, c));
    case Op::ToSize: return ConvertDevmodeValueToSize(ucb, 0, t.a);
    case Op::FromSize: return ConvertSizeToDevmodeValue(ucb, 0, t.a);
    case Op::Range: {
      LONG max = 0;
      EXPECT_TRUE(GetDispMinMaxByFuncID(ucb, static_cast<WORD>(t.a), second, &max));
      return max;
    }
    case Op::MulDiv: return longMulDiv(t.a, t.b, t.c);
  }
  return 0;
}

TEST(Units, Examples) {
  const UnitCase cases[] = {
      {"A4 width shows as 210.0 mm", Op::ToSize, 9921, 0, 0, 0, 2100, 0},
      {"210.0 mm is the largest even count below", Op::FromSize, 2100, 0, 0, 0, 9920, 0},
      {"9920 dots", Op::FromDot, 1, 9920, 1200, 0, 2100, 0},
      {"9921 dots", Op::FromDot, 1, 9921, 1200, 0, 2100, 0},
      {"9922 dots", Op::FromDot, 1, 9922, 1200, 0, 2101, 0},
      {"0.1 mm", Op::ToDot, 1, 1, 1200, 0, 4, 0},
      {"nothing", Op::ToDot, 1, 0, 1200, 0, 0, 0},
      {"8.27 inch", Op::ToDot, 2, 827, 1200, 0, 9924, 0},
      {"A4 length", Op::ToSize, 14031, 0, 0, 0, 2970, 0},
      {"A4 length back", Op::FromSize, 2970, 0, 0, 0, 14030, 0},
      {"free width in mm", Op::Range, 753, 0, 0, 0, 3050, 1397},
      {"free width in inch", Op::Range, 753, 0, 0, 1, 1201, 550},
      {"free length in mm", Op::Range, 754, 0, 0, 0, 4580, 1397},
      {"free length in inch", Op::Range, 754, 0, 0, 1, 1803, 550},
      {"division by zero", Op::MulDiv, 1234, 100, 0, 0, -1, 0},
      // The formulas themselves.
      {"dots to mm", Op::Dot2Mm, 600, 600, 0, 0, 254, 0},
      {"dots to inch", Op::Dot2Inch, 1200, 1200, 0, 0, 100, 0},
      {"mm to dots", Op::Mm2Dot, 254, 600, 0, 0, 600, 0},
      {"inch to dots", Op::Inch2Dot, 100, 600, 0, 0, 600, 0},
      {"dots to dots", Op::Dot2Dot, 9921, 1200, 600, 0, 4960, 0},
      {"no unit", Op::ToDot, 0, 2100, 1200, 0, 0, 0},
      {"no unit back", Op::FromDot, 4, 9921, 1200, 0, 0, 0},
      {"other resolution", Op::FromDot, 1, 4960, 600, 0, 2100, 0},
      {"to another resolution", Op::ToDot, 1, 2100, 600, 0, 4960, 0},
      {"inch display", Op::ToSize, 9921, 0, 0, 1, 827, 0},
      {"negative length", Op::ToSize, -5, 0, 0, 0, 0, 0},
      {"negative size", Op::FromSize, -5, 0, 0, 0, 0, 0},
      // No division by zero or overflow anywhere.
      {"resolution below 100", Op::Dot2Inch, 1200, 50, 0, 0, 2400, 0},
      {"resolution below 100 back", Op::Inch2Dot, 100, 50, 0, 0, 50, 0},
      {"resolution 0", Op::Dot2Mm, 1200, 0, 0, 0, 0, 0},
      {"resolution 0 inch", Op::Dot2Inch, 1200, 0, 0, 0, 0, 0},
      {"dots to dots by 0", Op::Dot2Dot, 5, 0, 600, 0, 0, 0},
      {"dots to dots to 0", Op::Dot2Dot, 5, 600, 0, 0, 0, 0},
      {"from dots at 0 dpi", Op::FromDot, 1, 9921, 0, 0, 0, 0},
      {"to dots at 0 dpi", Op::ToDot, 1, 2100, 0, 0, 0, 0},
      {"32-bit product", Op::MulDiv, 100000, 100000, 1000, 0, 10000000, 0},
      {"negative product", Op::MulDiv, -100000, 100000, 1000, 0, -10000000, 0},
      {"quotient above 32 bits", Op::MulDiv, INT_MAX, INT_MAX, 1, 0, INT_MAX, 0},
      {"quotient below 32 bits", Op::MulDiv, INT_MIN, INT_MAX, 1, 0, INT_MIN, 0},
  };
  for (const UnitCase& t : cases) {
    HandContext ctx;
    SetDevmodeValueDirectByFuncID(ctx.ucb(), 171, t.dspUnit);
    LONG second = 0;
    EXPECT_EQ(Convert(ctx.ucb(), t, &second), t.expected) << t.what;
    if (t.op == Op::Range) {
      EXPECT_EQ(second, t.expected2) << t.what;
    }
  }
}

TEST(Units, RoundingTerminatesAtTheTopOfTheRange) {
  const DWORD top = 0xFFFFFFFF;
  const DWORD size = CmnFromDot(kUnitMmOf01, top, kInternalDpi);
  EXPECT_GE(CmnMmOf012Dot(size, kInternalDpi), top);
  EXPECT_LT(CmnMmOf012Dot(size - 1, kInternalDpi), top);
  EXPECT_EQ(CmnFromDot(kUnitInchOf001, top, 1), 0xFFFFFFFFu);  // clamped, not wrapped
}

TEST(Units, SizesStoredAndReadThroughSettings) {
  HandContext ctx;
  EXPECT_TRUE(IsDispUnitMM(ctx.ucb()));
  EXPECT_EQ(ConvertSizeToDevmodeValue(ctx.ucb(), 753, 2100), 9920);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ctx.ucb(), 753, nullptr), 9920);
  EXPECT_EQ(ConvertDevmodeValueToSize(ctx.ucb(), 753, -1), 2100);  // the setting, not the argument
  SetDevmodeValueDirectByFuncID(ctx.ucb(), 171, 1);
  EXPECT_FALSE(IsDispUnitMM(ctx.ucb()));
  EXPECT_EQ(ConvertDevmodeValueToSize(ctx.ucb(), 753, 0), 827);
}

TEST(Units, DisplayRangeOfOtherSettings) {
  HandContext ctx;
  LONG min = 7;
  LONG max = 7;
  EXPECT_FALSE(GetDispMinMaxByFuncID(ctx.ucb(), 755, &min, &max));
  EXPECT_EQ(min, 7);
  EXPECT_EQ(max, 7);
  EXPECT_TRUE(GetDispMinMaxByFuncID(ctx.ucb(), 753, nullptr, &max));
  EXPECT_EQ(max, 3050);
  EXPECT_TRUE(GetDispMinMaxByFuncID(ctx.ucb(), 754, &min, nullptr));
  EXPECT_EQ(min, 1397);
}

}  // namespace
