// Neutral until the set-file reader is built.
#include "storage/setfiles/set_file.h"

#if !KESM_KERNEL_MODE
BOOL ReadSetFile(HANDLE /*printer*/, LPCWSTR /*path*/, DWORD /*flags*/, UCB* /*ucb*/) { return FALSE; }
#endif
