// The clock of the stand-in: the host's clocks, unless a test has taken it
// over, in which case local time and the tick count move only when told.
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
  ULONGLONG localTicks = 0;  // FILETIME units of local time
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

// Local time now, from the test's clock or the host's.
FILETIME NowLocal() {
  Clock& c = TheClock();
  {
    std::lock_guard guard(c.lock);
    if (c.taken) return FromTicks(c.localTicks);
  }
  const FILETIME utc = HostUtc();
  FILETIME local = utc;
  FileTimeToLocalFileTime(&utc, &local);
  return local;
}

FILETIME NowUtc() {
  Clock& c = TheClock();
  FILETIME local;
  {
    std::lock_guard guard(c.lock);
    if (!c.taken) return HostUtc();
    local = FromTicks(c.localTicks);
  }
  FILETIME utc = local;
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

}  // namespace

namespace plat {

void SetClock(const SYSTEMTIME& localTime, DWORD tickCount) {
  FILETIME local;
  if (!SystemTimeToFileTime(&localTime, &local)) return;
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  c.taken = true;
  c.localTicks = Ticks(local);
  c.tickCount = tickCount;
}

void AdvanceClock(DWORD milliseconds) {
  const FILETIME now = NowLocal();
  const DWORD tick = GetTickCount();
  Clock& c = TheClock();
  std::lock_guard guard(c.lock);
  if (!c.taken) {  // take the clock over where it stands
    c.taken = true;
    c.localTicks = Ticks(now);
    c.tickCount = tick;
  }
  c.localTicks += milliseconds * kTicksPerMs;
  c.tickCount += milliseconds;
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
