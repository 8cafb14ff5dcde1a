// User watermarks (stamps), kept per user inside the settings INI: each is
// one section "Stamp<n><language code>" in set-file form holding the
// watermark settings, and "StampCount" in the driver-name section counts
// them. The driver INI has the same layout for the driver's own
// watermarks. The rendering library keeps no watermarks.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The watermark index that is written without counting (a scratch entry).
inline constexpr int kWatermarkScratchIndex = 256;
// Counts read are kept within 0..kWatermarkScratchIndex.
inline constexpr int kWatermarksMax = kWatermarkScratchIndex;

#if !KESM_KERNEL_MODE
// "StampCount"; 0 when missing.
int ReadWatermarkCount(UCB* ucb);
// Writes "StampCount" as decimal text.
BOOL WriteWatermarkCount(UCB* ucb, int count);
// "Stamp<index><language code of the context>" into a buffer of at least
// kStoreKeyChars characters; returns the buffer.
LPWSTR MakeWatermarkKey(LPWSTR buffer, int index, DWORD reserved, UCB* ucb);

// Reads the watermark settings of the section named key. FALSE when the
// section could not be read.
BOOL ReadWatermarkByKey(UCB* ucb, LPCWSTR key);
// The same for an index, then kdmWmID := index.
BOOL ReadWatermarkByID(UCB* ucb, int index);
// Writes the watermark settings as the section named key, then empties the
// preset cache.
BOOL WriteWatermarkByKey(UCB* ucb, LPCWSTR key);
// kdmWmID := index, then writes the entry; when it was written and the
// index is at or past the count (and not the scratch index), the count
// becomes index + 1.
BOOL WriteWatermarkByID(UCB* ucb, int index);
// Removes one entry: every later entry is moved down one, and only then
// is the count lowered. An index at or past the count changes nothing and
// fails; so does a move that fails, which leaves the count as it was. The
// settings are put back afterwards.
BOOL DeleteWatermarkByID(UCB* ucb, int index);
// Reads and writes back every stored watermark in the current format; the
// settings are put back afterwards.
BOOL UpgradeWatermark(UCB* ucb);
// When watermark printing is on with a known kind, reads the watermark of
// the current index.
BOOL GetWatermarkData(UCB* ucb);

// The driver's own watermarks, from the driver INI.
int ReadWatermarkCountFromInstIni(UCB* ucb);
BOOL ReadWatermarkByKeyFromInstIni(UCB* ucb, LPCWSTR key);
BOOL ReadWatermarkByIDFromInstIni(UCB* ucb, int index);
// Watermarks of a given file (a batch-install INI): the count from the
// given section, entries by key or index.
int ReadWatermarkCountDrvInst(LPCWSTR file, LPCWSTR section, UCB* ucb);
BOOL ReadWatermarkByKeyDrvInst(LPCWSTR file, DWORD reserved, LPCWSTR key, UCB* ucb);
BOOL ReadWatermarkByIDDrvInst(LPCWSTR file, DWORD unused, int index, UCB* ucb);
#endif
