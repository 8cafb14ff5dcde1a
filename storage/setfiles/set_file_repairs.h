// What a plain set-file read repairs afterwards, and what a plain or
// preset write loads first. Internal to storage/setfiles/.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// After a plain read: the free sizes, watermark and quality set the new
// settings use go into their stores (a watermark past the stored ones
// becomes a new one); with an OS kind of 0 or 1 the colour matching is
// reset; the media-type field follows the OS kind, which is put back; the
// preset number becomes 255; then the settings are validated.
void RepairAfterPlainRead(UCB* ucb, DWORD osKind);
// Before a plain or preset write: the source free size, output free size,
// watermark and quality set the settings use, and the chapter data, are
// loaded into the settings.
void LoadReferencedEntries(UCB* ucb);

}  // namespace storage
#endif
