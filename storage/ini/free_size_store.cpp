// The free-size store is not built yet: no paper code has a slot and no
// slot is loaded, so the paper-size queries read the free-size settings as
// the context holds them.
#include "storage/ini/free_size_store.h"

int GetFreeSizePaperNum(WORD, const UCB*) { return kFreeSizeSlotCount; }

void GetFreeSizeInfoNoRegist(UCB*, WORD, int) {}

BOOL ReadFreesizeByID(UCB*, int) { return FALSE; }
