// The box a person sees when settings the sheets keep for them (a preset,
// a watermark) cannot be written: it names the file and says what to do,
// so that a save never fails unseen.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// The message: "%s" is the file that could not be written.
inline constexpr UINT kMessageSaveFailed = 40901;

// Shows the message for the file (the context's settings INI when none is
// given); nothing without the configuration library's boxes.
void ReportFailedSave(UCB* ucb, LPCWSTR file);
#endif
