// The time stamp of pack file names: the time value of a local time, its
// six base-36 digits, and the steps with carry and borrow, by table; past
// the six digits the names keep six characters.
#include <gtest/gtest.h>

#include <string>

#include "storage/pack/pack_stamp.h"

namespace {

struct StampRow {
  SYSTEMTIME time;
  DWORD value;
  const char16_t* stamp;
};

TEST(PackStamp, TimeValueAndDigits) {
  const StampRow rows[] = {
      {{1970, 1, 0, 1, 0, 0, 0, 0}, 0, u"000000"},
      {{1970, 1, 0, 1, 0, 0, 1, 0}, 1, u"000001"},
      {{1970, 2, 0, 1, 0, 0, 0, 0}, 744u * 3600u, u"01LEO0"},
      {{2024, 3, 2, 5, 14, 7, 9, 0}, 1741356429u, u"SSRB7X"},
      // The last time the six digits hold, and the first past them: from
      // then on the low six digits, never a seventh character.
      {{2037, 9, 3, 23, 5, 45, 35, 0}, 2176782335u, u"ZZZZZZ"},
      {{2037, 9, 3, 23, 5, 45, 36, 0}, 2176782336u, u"000000"},
      {{2040, 1, 0, 1, 0, 0, 0, 0}, 2249856000u, u"17I800"},
  };
  for (const StampRow& row : rows) {
    EXPECT_EQ(CnvTimeToDWORD(row.time), row.value) << row.time.wYear;
    WCHAR stamp[kStampChars + 1] = {0, 0, 0, 0, 0, 0, 0, u'#'};
    CnvTimeToSTR36(row.value, stamp);
    EXPECT_EQ(std::u16string(stamp), row.stamp);
    EXPECT_EQ(stamp[kStampChars], u'#') << "nothing written past the stamp";
  }
}

TEST(PackStamp, StepsCarryAndBorrow) {
  struct StepRow {
    const char16_t* before;
    const char16_t* next;
  };
  const StepRow rows[] = {
      {u"SSRB7X", u"SSRB7Y"}, {u"00000Z", u"000010"}, {u"000009", u"00000A"},
      {u"0ZZZZZ", u"100000"}, {u"ZZZZZZ", u"000000"},
  };
  for (const StepRow& row : rows) {
    std::u16string stamp = row.before;
    ASSERT_TRUE(NextCnvTimeToSTR36(stamp.data()));
    EXPECT_EQ(stamp, row.next);
    ASSERT_TRUE(BeforeCnvTimeToSTR36(stamp.data()));
    EXPECT_EQ(stamp, row.before);
  }
  for (const char16_t* bad : {u"abc123", u"12345", u"1234567", u"12-456"}) {
    std::u16string stamp = bad;
    EXPECT_FALSE(NextCnvTimeToSTR36(stamp.data())) << std::string(stamp.begin(), stamp.end());
    EXPECT_EQ(stamp, bad);
  }
}

TEST(PackStamp, IndexCharacters) {
  std::u16string twelve;
  for (int i = 0; i < 12; ++i) twelve += PackIndexChar(i);
  EXPECT_EQ(twelve, u"0123456789AB");
  EXPECT_EQ(PackIndexChar(35), u'Z');
  EXPECT_EQ(PackIndexChar(36), 0);
}

}  // namespace
