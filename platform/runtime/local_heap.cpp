#include "platform/runtime/winmem.h"

HLOCAL LocalAlloc(UINT, SIZE_T bytes) { return GlobalAlloc(GPTR, bytes); }

HLOCAL LocalFree(HLOCAL mem) { return GlobalFree(mem); }
