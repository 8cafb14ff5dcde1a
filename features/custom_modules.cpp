// No feature module is registered yet: a context gets no module table, and
// no event is handled, so every caller keeps the answer it preset.
#include "features/custom_modules.h"

void KesmInitCustom(UCB* /*ucb*/) {}

void KesmTermCustom(UCB* /*ucb*/) {}

void KesmCustomFunction(UCB* /*ucb*/, DWORD /*code*/, void* /*parameter*/) {}

void KesmCustomBuiltInFunc(UCB* /*ucb*/, DWORD /*id*/) {}
