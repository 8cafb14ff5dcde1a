// Controls of the simulated machine for tests and tools. These are not
// Windows services: they stand where a real machine has state that a test
// needs to set or observe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/wintypes.h"

namespace plat {

// Process ANSI code page (GetACP). Default 1252.
void SetAnsiCodePage(UINT codePage);

// Allocation accounting, over GlobalAlloc and EngAllocMem together.
std::size_t LiveBlocks();
// Live engine-pool blocks with one tag.
std::size_t LiveBlocksTagged(ULONG tag);
// Frees of something that was not a live block of that kind, so far.
std::size_t InvalidFrees();
// Fails the N-th allocation from now (1 = the next one), once; 0 switches
// it off.
void FailAllocationAt(std::size_t n);

// Clock: a test may take it over, then set and advance it. SetClock takes
// local time (an invalid one leaves the clock as it was); the clock then
// runs in UTC, as Windows' does, and local time follows the zone's
// daylight-saving changes. The tick count wraps as a DWORD. AdvanceClock on the real clock takes it over where it
// stands.
void SetClock(const SYSTEMTIME& localTime, DWORD tickCount);
void AdvanceClock(DWORD milliseconds);
void UseRealClock();
// Whether a test holds the clock (it then moves only when told).
bool ClockHeld();

}  // namespace plat
