#include "platform/runtime/wintime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/base/control.h"
#include "platform/base/winerror.h"

namespace {

ULONGLONG Ticks(const FILETIME& ft) {
  return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(ULONGLONG t) {
  return {static_cast<DWORD>(t & 0xFFFFFFFFu), static_cast<DWORD>(t >> 32)};
}

SYSTEMTIME Time(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
  return {y, mo, 0, d, h, mi, s, ms};
}

bool SameTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

// Runs a test in a given host time zone.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) previous_ = old, hadPrevious_ = true;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (hadPrevious_)
      setenv("TZ", previous_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string previous_;
  bool hadPrevious_ = false;
};

class ClockTest : public testing::Test {
 protected:
  ~ClockTest() override { plat::UseRealClock(); }
};

}  // namespace

TEST(FileTime, KnownInstantsAndRoundTrips) {
  struct Case {
    SYSTEMTIME st;
    ULONGLONG ticks;
    WORD dayOfWeek;
  } cases[] = {
      {Time(1601, 1, 1), 0, 1},
      {Time(2000, 1, 1), 0x01BF53EB256D4000ull, 6},
      {Time(1970, 1, 1), 116444736000000000ull, 4},
      {Time(2024, 2, 29, 23, 59, 59, 999), 133537247999990000ull, 4},
      {Time(30827, 12, 31, 23, 59, 59, 999), 0x7FFF35F4F06C58F0ull, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.st.wYear);
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft));
    EXPECT_EQ(Ticks(ft), c.ticks);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_TRUE(SameTime(back, c.st));
    EXPECT_EQ(back.wDayOfWeek, c.dayOfWeek);
  }
}

TEST(FileTime, FieldsOutOfRangeAreRefused) {
  const SYSTEMTIME bad[] = {
      Time(1600, 12, 31),      Time(30828, 1, 1),          Time(2000, 0, 1),
      Time(2000, 13, 1),       Time(2000, 1, 0),           Time(2000, 4, 31),
      Time(1900, 2, 29),       Time(2000, 2, 30),          Time(2000, 1, 1, 24),
      Time(2000, 1, 1, 0, 60), Time(2000, 1, 1, 0, 0, 60), Time(2000, 1, 1, 0, 0, 0, 1000),
  };
  for (const SYSTEMTIME& st : bad) {
    FILETIME ft = {7, 7};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&st, &ft)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ft.dwLowDateTime, 7u);  // untouched
  }
  const SYSTEMTIME leap = Time(2000, 2, 29);
  FILETIME ft;
  EXPECT_TRUE(SystemTimeToFileTime(&leap, &ft));
  const FILETIME tooLate = FromTicks(0x8000000000000000ull);
  SYSTEMTIME st;
  EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &st));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(FileTime, CompareOrdersByBothHalves) {
  const FILETIME a = {0xFFFFFFFF, 1}, b = {0, 2};
  EXPECT_EQ(CompareFileTime(&a, &b), -1);
  EXPECT_EQ(CompareFileTime(&b, &a), 1);
  EXPECT_EQ(CompareFileTime(&a, &a), 0);
}

TEST(FileTime, LocalTimeFollowsTheHostZoneAndItsDaylightSaving) {
  ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  constexpr ULONGLONG kHour = 36'000'000'000ull;
  struct Case {
    SYSTEMTIME utc;
    ULONGLONG offset;
  } cases[] = {{Time(2024, 1, 15, 12), kHour}, {Time(2024, 7, 15, 12), 2 * kHour}};
  for (const Case& c : cases) {
    FILETIME utc, local, back;
    ASSERT_TRUE(SystemTimeToFileTime(&c.utc, &utc));
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    EXPECT_EQ(Ticks(local) - Ticks(utc), c.offset);
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(Ticks(back), Ticks(utc));
  }
}

TEST_F(ClockTest, TestsSetAndAdvanceTheClock) {
  plat::SetClock(Time(2024, 2, 29, 23, 59, 59, 500), 0xFFFFFF00u);
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_TRUE(SameTime(st, Time(2024, 2, 29, 23, 59, 59, 500)));
  EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);

  plat::AdvanceClock(1000);
  GetLocalTime(&st);
  EXPECT_TRUE(SameTime(st, Time(2024, 3, 1, 0, 0, 0, 500)));
  EXPECT_EQ(st.wDayOfWeek, 5);                    // a Friday
  EXPECT_EQ(GetTickCount(), 0xFFFFFF00u + 1000);  // wrapped, as a DWORD does

  ENG_TIME_FIELDS tf;
  EngQueryLocalTime(&tf);
  EXPECT_EQ(tf.usYear, 2024);
  EXPECT_EQ(tf.usMonth, 3);
  EXPECT_EQ(tf.usDay, 1);
  EXPECT_EQ(tf.usMilliseconds, 500);
  EXPECT_EQ(tf.usWeekday, 5);

  // System time is the same instant in UTC.
  FILETIME utc, local, expected;
  GetSystemTimeAsFileTime(&utc);
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  ASSERT_TRUE(SystemTimeToFileTime(&st, &expected));
  EXPECT_EQ(Ticks(local), Ticks(expected));
  SYSTEMTIME sys, fromFileTime;
  GetSystemTime(&sys);
  FileTimeToSystemTime(&utc, &fromFileTime);
  EXPECT_TRUE(SameTime(sys, fromFileTime));
}

TEST_F(ClockTest, TheClockRunsInUtcAcrossTheEndOfSummerTime) {
  ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  plat::SetClock(Time(2024, 10, 27, 1, 50), 0);  // summer time, 23:50 UTC the day before
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  EXPECT_TRUE(SameTime(utc, Time(2024, 10, 26, 23, 50)));
  plat::AdvanceClock(60 * 60 * 1000);
  SYSTEMTIME local;
  GetLocalTime(&local);
  EXPECT_TRUE(SameTime(local, Time(2024, 10, 27, 2, 50)));  // still summer time
  plat::AdvanceClock(40 * 60 * 1000);
  GetLocalTime(&local);
  GetSystemTime(&utc);
  EXPECT_TRUE(SameTime(local, Time(2024, 10, 27, 2, 30))) << "local time went back an hour";
  EXPECT_TRUE(SameTime(utc, Time(2024, 10, 27, 1, 30))) << "UTC ran on";
}

TEST_F(ClockTest, AnInvalidSettingLeavesTheClockAlone) {
  plat::SetClock(Time(2024, 5, 6, 7, 8, 9), 42);
  plat::SetClock(Time(2024, 2, 30), 7);
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_TRUE(SameTime(st, Time(2024, 5, 6, 7, 8, 9)));
  EXPECT_EQ(GetTickCount(), 42u);
}

TEST_F(ClockTest, RealClockRunsAgainWhenReleased) {
  plat::SetClock(Time(1999, 12, 31), 5);
  plat::UseRealClock();
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_GE(st.wYear, 2024);
  const DWORD before = GetTickCount();
  plat::AdvanceClock(250);  // takes the real clock over where it stands
  const DWORD after = GetTickCount();
  EXPECT_GE(after - before, 250u);  // the real clock may have ticked before the take-over
  EXPECT_EQ(GetTickCount(), after);  // taken over: it no longer runs by itself
}
