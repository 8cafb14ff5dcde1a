// The job-language header blocks. Each block's payload is produced twice by
// the same builder: a size pass that only counts bytes, then a fill pass
// into one allocation of exactly that size; the whole block then goes to the
// spooler in one write.
#pragma once

#include "platform/base/wintypes.h"

struct JobStream;
struct UCB;
struct HeaderSnapshot;

// A payload builder: with a null buffer (or a zero size) it only counts
// the bytes it would write; with both it writes them at the buffer, which
// holds size bytes and a terminating zero. Both passes read the same
// snapshot. The count goes through length when that is not null. A
// negative result is a failure: nothing is written.
using HeaderBuilder = int (*)(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length);

// The builders of the job header, the page header and the page trailer,
// from the description's JobStart, PageStart and PageEnd command groups.
int OutpBufJobStart(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length);
int OutpBufPageStart(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length);
int OutpBufPageEnd(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length);

// Writes one block of the tag with the builder's payload; TRUE when it was
// written.
BOOL iKPJLFunc(JobStream* stream, UCB* ucb, BYTE tag, HeaderBuilder builder);
// The job header (0xF3).
BOOL iKPJLJobStart(JobStream* stream, UCB* ucb);
// The page header (0xF4), then, when that was written, the empty block
// (0xF0); FALSE when either write fails.
BOOL iKPJLPageStart(JobStream* stream, UCB* ucb);
// The page trailer (0xF1).
BOOL iKPJLPageEnd(JobStream* stream, UCB* ucb);
