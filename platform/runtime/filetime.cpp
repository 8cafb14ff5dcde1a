// Calendar arithmetic between SYSTEMTIME and FILETIME (100 ns units since
// 1601-01-01 UTC, proleptic Gregorian), and UTC <-> local time through the
// host's time zone.
#include <ctime>

#include "platform/base/winerror.h"
#include "platform/runtime/wintime.h"

namespace {

constexpr LONGLONG kTicksPerMs = 10'000;
constexpr LONGLONG kTicksPerSecond = 1000 * kTicksPerMs;
constexpr LONGLONG kTicksPerDay = 86'400 * kTicksPerSecond;
constexpr LONGLONG kSecondsFrom1601To1970 = 11'644'473'600;
constexpr LONGLONG kDaysFrom1601To1970 = 134'774;
constexpr WORD kMaxYear = 30827;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a civil date, and back (era-based, exact for any
// year of the proleptic Gregorian calendar).
LONGLONG DaysFromCivil(LONGLONG y, unsigned m, unsigned d) {
  y -= m <= 2;
  const LONGLONG era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<LONGLONG>(doe) - 719468;
}

void CivilFromDays(LONGLONG z, LONGLONG* y, unsigned* m, unsigned* d) {
  z += 719468;
  const LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<LONGLONG>(yoe) + era * 400 + (*m <= 2);
}

bool IsValid(const SYSTEMTIME& st) {
  return st.wYear >= 1601 && st.wYear <= kMaxYear && st.wMonth >= 1 && st.wMonth <= 12 &&
         st.wDay >= 1 && st.wDay <= DaysInMonth(st.wYear, st.wMonth) && st.wHour < 24 &&
         st.wMinute < 60 && st.wSecond < 60 && st.wMilliseconds < 1000;
}

ULONGLONG Ticks(const FILETIME& ft) {
  return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(ULONGLONG ticks) {
  return {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

// The host's offset of local time from UTC, in seconds, at a UTC instant.
bool HostOffsetAt(LONGLONG ticks, long* offset) {
  const std::time_t t = static_cast<std::time_t>(ticks / kTicksPerSecond - kSecondsFrom1601To1970);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return false;
  *offset = local.tm_gmtoff;
  return true;
}

BOOL Invalid() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// Shifts ticks by an offset in seconds, within what FILETIME can hold.
BOOL Shift(ULONGLONG ticks, long seconds, LPFILETIME out) {
  const LONGLONG shifted = static_cast<LONGLONG>(ticks) + seconds * kTicksPerSecond;
  if (shifted < 0) return Invalid();
  *out = FromTicks(static_cast<ULONGLONG>(shifted));
  return TRUE;
}

}  // namespace

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME ft) {
  if (st == nullptr || ft == nullptr || !IsValid(*st)) return Invalid();
  const LONGLONG days = DaysFromCivil(st->wYear, st->wMonth, st->wDay) + kDaysFrom1601To1970;
  const LONGLONG seconds = st->wHour * 3600LL + st->wMinute * 60LL + st->wSecond;
  *ft = FromTicks(static_cast<ULONGLONG>(days * kTicksPerDay + seconds * kTicksPerSecond +
                                         st->wMilliseconds * kTicksPerMs));
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* ft, LPSYSTEMTIME st) {
  if (ft == nullptr || st == nullptr) return Invalid();
  const ULONGLONG ticks = Ticks(*ft);
  if (ticks > 0x7FFFFFFFFFFFFFFFull) return Invalid();
  const LONGLONG days = static_cast<LONGLONG>(ticks / kTicksPerDay);
  const LONGLONG rest = static_cast<LONGLONG>(ticks % kTicksPerDay);
  LONGLONG year;
  unsigned month, day;
  CivilFromDays(days - kDaysFrom1601To1970, &year, &month, &day);
  st->wYear = static_cast<WORD>(year);
  st->wMonth = static_cast<WORD>(month);
  st->wDay = static_cast<WORD>(day);
  st->wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
  st->wHour = static_cast<WORD>(rest / (3600 * kTicksPerSecond));
  st->wMinute = static_cast<WORD>(rest / (60 * kTicksPerSecond) % 60);
  st->wSecond = static_cast<WORD>(rest / kTicksPerSecond % 60);
  st->wMilliseconds = static_cast<WORD>(rest / kTicksPerMs % 1000);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* ft, LPFILETIME local) {
  long offset;
  if (ft == nullptr || local == nullptr ||
      !HostOffsetAt(static_cast<LONGLONG>(Ticks(*ft)), &offset)) {
    return Invalid();
  }
  return Shift(Ticks(*ft), offset, local);
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME ft) {
  if (local == nullptr || ft == nullptr) return Invalid();
  const auto ticks = static_cast<LONGLONG>(Ticks(*local));
  // The offset depends on the UTC instant it is asked for: guess with the
  // local value, then correct once with the instant that guess gives.
  long guess, offset;
  if (!HostOffsetAt(ticks, &guess) || !HostOffsetAt(ticks - guess * kTicksPerSecond, &offset)) {
    return Invalid();
  }
  return Shift(Ticks(*local), -offset, ft);
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
  const ULONGLONG ta = Ticks(*a), tb = Ticks(*b);
  return ta < tb ? -1 : ta > tb ? 1 : 0;
}
