#include "ui/ts_modify.h"

#if !KESM_KERNEL_MODE
DWORD UCBTSModify = 0;
#endif
