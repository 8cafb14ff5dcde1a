// Time services of the stand-in. The clock is real time unless a test has
// taken it over (platform/control.h).
#pragma once

#include "platform/wintypes.h"

DWORD GetTickCount();
void GetLocalTime(LPSYSTEMTIME st);
void GetSystemTime(LPSYSTEMTIME st);
BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME ft);
BOOL FileTimeToSystemTime(const FILETIME* ft, LPSYSTEMTIME st);
BOOL FileTimeToLocalFileTime(const FILETIME* ft, LPFILETIME local);
BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME ft);
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);
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
