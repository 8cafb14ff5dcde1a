// Stand-ins for services that other work areas provide (text conversion,
// the resource strings of the dialog engine, the UI group of a group id,
// the free-size range of a control). They do what value access needs of
// them and are replaced by the real functions when those arrive.
#pragma once

#include "platform/wintypes.h"
#include "settings/bkpd_format.h"
#include "settings/context_block.h"
#include "settings/dialog_tables.h"

namespace access_pending {

// ANSI (system code page) to wide: at most limit characters written,
// terminator included, from at most limit bytes of source.
LPWSTR CopyStr2Unicode(LPWSTR dst, LPCSTR src, int limit);
// Wide to ANSI within limit bytes, terminator included, never cutting a
// double-byte character; the rest of the destination is zero.
LPSTR CopyUnicode2Str(LPSTR dst, LPCWSTR src, int limit);
// A string of the context's resource module; the buffer is emptied first.
// Returns the length loaded (0 without a module or string).
int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL replace);
// The first UI group of the compiled description with that group id.
const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId);
// The tray range of a free-size control in dots; FALSE when none applies.
BOOL GetFreeSizeRangebyIcb(const UCB* ucb, const ICB* icb, LONG* max, LONG* min);

}  // namespace access_pending
