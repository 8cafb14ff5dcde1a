// Neutral answer for now: the batch install of presets is not built yet, so
// there are no default presets to re-install and nothing is changed.
#include "storage/install/preset_refresh.h"

void PresetRefreshForOptionDialog(UCB* /*ucb*/, DWORD /*mode*/) {}
