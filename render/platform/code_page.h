// Code-page answers of the kernel-mode build: the engine knows the ANSI code
// page but has no lead-byte service, so lead bytes are decided by the page.
#pragma once

#include "platform/base/wintypes.h"

// The engine's ANSI code page (the OEM page is not used).
UINT MyGetACP();
// TRUE for the double-byte pages 932, 936, 949 and 950 only.
BOOL IsDBCSCodePage(UINT codePage);
// Whether the byte starts a two-byte character of the page: never on a page
// that is not double-byte; on 932 the bytes 0x80-0xA0 and 0xDF-0xFF
// (0x00-0x7F and 0xA1-0xDE are single-byte characters); on the other
// double-byte pages every byte from 0x80.
BOOL MyIsDBCSLeadByteEx(UINT codePage, BYTE byte);
