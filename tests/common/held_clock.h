// Holds the simulated machine's clock at one local time while it lives,
// for tests whose output carries the time; the real clock comes back after.
#pragma once

#include "platform/base/control.h"

namespace kesm_test {

class HeldClock {
 public:
  HeldClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME at{};
    at.wYear = year;
    at.wMonth = month;
    at.wDay = day;
    at.wHour = hour;
    at.wMinute = minute;
    at.wSecond = second;
    plat::SetClock(at, 1000);
  }
  ~HeldClock() { plat::UseRealClock(); }
  HeldClock(const HeldClock&) = delete;
  HeldClock& operator=(const HeldClock&) = delete;
};

}  // namespace kesm_test
