// Emit on change: each operation sends an attribute record only when no
// record of its kind has been sent on the page yet or when the record it
// would send differs from the last one sent, and then remembers what it
// sent in the PDEV's drawing state. TRUE when the page now carries the
// attribute; FALSE when a record could not be appended, and then the state
// stays as it was, so the next call tries again.
#pragma once

#include "platform/base/wintypes.h"
#include "render/records/drawing_state.h"

struct PDEV;

// 0x31 (0xF0 sent as 0xCC, and compared as sent).
BOOL IdlSetRop3Ctrl(PDEV* pdev, BYTE rop3);
// 0x32.
BOOL IdlSetBackgroundModeCtrl(PDEV* pdev, SHORT mode);
// 0x40. The first brush of the page is defined and its origin remembered.
// Later a brush is defined again whenever it has a pattern (kind not 0) or
// its kind differs from the last defined, so a pattern brush is always sent
// and a solid one only after a pattern; a new origin is only remembered.
// A null brush is FALSE.
BOOL IdlSetBrushCtrl(PDEV* pdev, const BrushRecord* brush);
// 0x30: its flags, foreground colour, background colour (when opaque) and
// third colour (when flagged). A null argument is FALSE.
BOOL IdlSetColorCtrl(PDEV* pdev, const DRAWATTR* attributes);
// The four line records, each only when its values changed, in the order
// 0x33 (width, style mask, style unit), 0x34 (style shift), 0x35 (cap),
// 0x36 (join, miter limit); all four on the first call of a page. A cap or
// join other than 1 or 2 is sent as 0. A null argument is FALSE.
BOOL IdlSetLineAttrCtrl(PDEV* pdev, const LineAttributes* line);
