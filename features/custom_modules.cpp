// No feature module is registered yet: a context gets no module table, no
// event or built-in function is handled, so every caller keeps the answer
// it preset, and the modules' pseudo settings all read 0.
#include "features/custom_modules.h"

void KesmInitCustom(UCB* /*ucb*/) {}

void KesmTermCustom(UCB* /*ucb*/) {}

void KesmCustomFunction(UCB* /*ucb*/, DWORD /*code*/, void* /*parameter*/) {}

void KesmCustomBuiltInFunc(UCB* /*ucb*/, WORD /*id*/) {}

DWORD Ucf_JudgeHook(UCB* /*ucb*/, WORD /*funcId*/) { return 0; }
