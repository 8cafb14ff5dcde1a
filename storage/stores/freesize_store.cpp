// Neutral until the free-size store is built.
#include "storage/stores/freesize_store.h"

#if !KESM_KERNEL_MODE
BOOL ReadFreesizeInfoAll(UCB* /*ucb*/) { return FALSE; }
BOOL MoveFreesizeInfoToUiTemp(UCB* /*ucb*/, int /*n*/) { return FALSE; }
BOOL MoveSrcFreesizeInfoToWork(UCB* /*ucb*/, int /*n*/) { return FALSE; }
#endif
