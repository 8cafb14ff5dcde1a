// Time services of the stand-in. The clock is real time unless a test has
// taken it over (platform/base/control.h). FILETIME counts 100 ns since
// 1601-01-01 UTC. Local time is the host's time zone, with the offset in
// force at the instant converted.
#pragma once

#include "platform/base/wintypes.h"

DWORD GetTickCount();
void GetLocalTime(LPSYSTEMTIME st);
void GetSystemTime(LPSYSTEMTIME st);
// FALSE with ERROR_INVALID_PARAMETER for a field out of range (year
// 1601-30827, a day the month has, hours, minutes, seconds, milliseconds);
// wDayOfWeek is ignored on input and computed on output.
BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME ft);
BOOL FileTimeToSystemTime(const FILETIME* ft, LPSYSTEMTIME st);
BOOL FileTimeToLocalFileTime(const FILETIME* ft, LPFILETIME local);
BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME ft);
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);  // -1, 0, 1
void GetSystemTimeAsFileTime(LPFILETIME ft);

struct ENG_TIME_FIELDS {
  USHORT usYear;
  USHORT usMonth;
  USHORT usDay;
  USHORT usHour;
  USHORT usMinute;
  USHORT usSecond;
  USHORT usMilliseconds;
  USHORT usWeekday;  // 0 = Sunday
};
using PENG_TIME_FIELDS = ENG_TIME_FIELDS*;
void EngQueryLocalTime(PENG_TIME_FIELDS tf);
