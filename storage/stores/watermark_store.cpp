// Neutral until the watermark store is built.
#include "storage/stores/watermark_store.h"

#if !KESM_KERNEL_MODE
BOOL GetWatermarkData(UCB* /*ucb*/) { return FALSE; }
#endif
