#include "features/free_size_range.h"

// Neutral answer until the free paper size page exists: no control has a tray range.
BOOL GetFreeSizeRangebyIcb(const UCB*, const ICB*, LONG*, LONG*) { return FALSE; }
