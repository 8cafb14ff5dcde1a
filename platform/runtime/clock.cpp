// The clock of the stand-in: the host's clocks, unless a test has taken it
// over, in which case the time and the tick count move only when told. As
// on Windows the clock keeps UTC and local time is derived from it, so a
// clock that moves on across a change of daylight-saving time shows local
// time jump while UTC runs on.
#include <ctime>
#include <mutex>

#include "platform/base/control.h"
#include "platform/runtime/wintime.h"

namespace {

constexpr ULONGLONG kTicksPerMs = 10'000;
constexpr ULONGLONG kTicksFrom1601To1970 = 11'644'473'600ull * 10'000'000ull;

struct Clock {
  std::mutex lock;
  bool taken = false;
  ULONGLONG utcTicks = 0;  // FILETIME units of UTC
  DWORD tickCount = 0;
};

Clock& TheClock() {
  static Clock* clock = new Clock;  // lives until process exit
  return *clock;
}

ULONGLONG Ticks(const FILETIME& ft) {
  return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(ULONGLONG ticks) {
  return {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

DWORD HostTickCount() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const ULONGLONG ms = static_cast<ULONGLONG>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
  return static_cast<DWORD>(ms);  // wraps after 49.7 days, as on Windows
}

FILETIME HostUtc() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return FromTicks(kTicksFrom1601To1970 + static_cast<ULONGLONG>(ts.tv_sec) * 10'000'000 +
                   static_cast<ULONGLONG>(ts.tv_nsec) / 100);
}

FILETIME NowUtc() {
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  return c.taken ? FromTicks(c.utcTicks) : HostUtc();
}

// Local time now, from the test's clock or the host's.
FILETIME NowLocal() {
  const FILETIME utc = NowUtc();
  FILETIME local = utc;
  FileTimeToLocalFileTime(&utc, &local);
  return local;
}

}  // namespace

namespace plat {

void SetClock(const SYSTEMTIME& localTime, DWORD tickCount) {
  FILETIME local;
  FILETIME utc;
  if (!SystemTimeToFileTime(&localTime, &local) || !LocalFileTimeToFileTime(&local, &utc)) return;
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  c.taken = true;
  c.utcTicks = Ticks(utc);
  c.tickCount = tickCount;
}

void AdvanceClock(DWORD milliseconds) {
  const FILETIME now = NowUtc();
  const DWORD tick = GetTickCount();
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  if (!c.taken) {  // take the clock over where it stands
    c.taken = true;
    c.utcTicks = Ticks(now);
    c.tickCount = tick;
  }
  c.utcTicks += milliseconds * kTicksPerMs;
  c.tickCount += milliseconds;
}

bool ClockHeld() {
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  return c.taken;
}

void UseRealClock() {
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  c.taken = false;
}

}  // namespace plat

DWORD GetTickCount() {
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  return c.taken ? c.tickCount : HostTickCount();
}

void GetSystemTimeAsFileTime(LPFILETIME ft) {
  if (ft != nullptr) *ft = NowUtc();
}

void GetSystemTime(LPSYSTEMTIME st) {
  const FILETIME utc = NowUtc();
  if (st != nullptr) FileTimeToSystemTime(&utc, st);
}

void GetLocalTime(LPSYSTEMTIME st) {
  const FILETIME local = NowLocal();
  if (st != nullptr) FileTimeToSystemTime(&local, st);
}

void EngQueryLocalTime(PENG_TIME_FIELDS tf) {
  if (tf == nullptr) return;
  SYSTEMTIME st;
  GetLocalTime(&st);
  *tf = {st.wYear,   st.wMonth,  st.wDay,          st.wHour,
         st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek};
}
