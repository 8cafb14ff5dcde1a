// The compiled description of a printer, held at two levels: a per-process
// list of loaded blocks keyed by the description text's full path, and a
// BCS cache file beside the text. A context borrows its block from the
// list; the list owns every block until BKPDAddrFree.
//
// The cache file is the packed block byte for byte. It is used only when it
// is not older than the text, its size is at least kBkpdCacheMinSize and
// equals its header's total, the loader accepts it, and its version equals
// the text's "FileVersion", which must equal the driver's own version text.
// Otherwise the text is compiled, and the new block is written as the cache
// only when the text's version is the driver's. The kernel-mode build reads
// the cache without the time test and never writes or deletes it.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/context/context_block.h"

// The smallest cache file accepted: a header alone is refused.
inline constexpr DWORD kBkpdCacheMinSize = kBkpdHeaderSize + 1;

// --- Opening a context's description --------------------------------------

// The description of the context's printer: from the process list, else
// from the cache file, else compiled from the text; the result is listed.
// Runs under the cross-process lock (EnterSection). Null when the data
// file's name cannot be had or the text cannot be compiled.
PCBKPD BKPDCreate(UCB* ucb);
// Compiles the text, packs and checks the block and, when `save` is set and
// either no context is given or its driver version text equals the block's
// version (case-insensitive), writes it as the cache. The block is the
// caller's (FreeMemPtr), not listed. Null when the text cannot be compiled
// or memory is short.
PCBKPD BKPDabsCreate(UCB* ucb, LPCWSTR dataFile, BOOL save);

// The context's judge stack: 0, or -1 when it cannot be allocated.
int BKPDInit(UCB* ucb);
// Frees the judge stack; the description stays listed.
void BKPDEnd(UCB* ucb);

// Frees a block that no list owns (from BKPDabsCreate); null is ignored.
void FreeBkpdBlock(PCBKPD bkpd);

// The context's description, or null.
inline PCBKPD ContextBkpd(const UCB* ucb) { return ucb != nullptr ? ucb->pBKPD : nullptr; }

// --- The process list ---------------------------------------------------

// The listed block of that data file, or null. Paths compare whole and
// case-insensitively.
PCBKPD GetTargetBkpd(LPCWSTR dataFile);
// Lists a block (which the list then owns) under the data file's path and
// returns the listed block of that path: the given one, or the one already
// listed, in which case the given one is freed. Null (and the given block
// freed) when memory is short; null for a null block or path.
PCBKPD SetTargetBkpd(PCBKPD bkpd, LPCWSTR dataFile);
// Frees every listed block and empties the list (process detach). No
// context may still borrow a block.
void BKPDAddrFree();

// --- The cache file -------------------------------------------------------

// A new copy (FreeMemPtr) of the cache file name: the data file's path with
// the extension of its file name replaced by "BCS", or ".BCS" appended to a
// name without one. Null for a null path, for lack of memory, and when the
// data file is itself named so (it has no cache: it would be overwritten).
LPWSTR GenerateBKPDFilename(LPCWSTR dataFile);
// A new copy (FreeMemPtr) of the data file's cache, still packed, when it
// is not older than the text (user mode) and is sized as the header says;
// its size goes to *size. Null otherwise. The loader has not checked it.
LPBYTE GetBinaryPpdData(LPCWSTR dataFile, DWORD* size);
// Writes the block as the data file's cache, whole: a temporary file beside
// it is written and then renamed over it, so a reader never finds a part of
// a block. Skipped silently when that cannot be done (and always in kernel
// mode).
void SaveBKPDData(PCBKPD bkpd, LPCWSTR dataFile);
// Deletes the data file's cache; failure is ignored (kernel mode: nothing).
void BKPDFileDelete(LPCWSTR dataFile);
