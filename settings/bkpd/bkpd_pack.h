// Packing a work description into a compiled description block. The size
// pass and the packer run the same writers (one counting, one writing), so
// the block is exactly as large as the size pass says and nothing is
// written that it did not count.
//
// Typical use: BKPDGetWriteSize, allocate that many bytes, PackPpdData,
// WorkBKPD_Free, then UnpackPpdData on the block.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_work.h"

// Bytes of each section. They may reorder the work's group list (sub-groups
// first), which packing does anyway.
ULONGLONG GetExclusiveWriteSize(WorkBKPD* work);
ULONGLONG GetUiGroupsWriteSize(WorkBKPD* work);
ULONGLONG GetWriteSizeOther(WorkBKPD* work);

// Size of the whole block: the header and the three sections. FALSE when
// the work is missing or the block would be larger than kBkpdMaxSize.
BOOL BKPDGetWriteSize(WorkBKPD* work, DWORD* totalSize);

// Writes the block: the exclusive section from offset 6284, the UI-group
// section, the other section, then the header at offset 0. blockSize must be
// what BKPDGetWriteSize gave; FALSE (and the block is zero-filled) when it is
// not. The work description stays with its creator (WorkBKPD_Free).
BOOL PackPpdData(LPVOID block, DWORD blockSize, WorkBKPD* work);
