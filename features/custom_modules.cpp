// No feature module is registered yet: a context gets no module table, no
// event or built-in function is handled, so every caller keeps the answer
// it preset, and the modules' pseudo settings all read 0. A context's end
// still frees what the stores keep for it.
#include "features/custom_modules.h"

#if !KESM_KERNEL_MODE
#include "storage/stores/preset_store.h"
#endif

void KesmInitCustom(UCB* /*ucb*/) {}

void KesmTermCustom(UCB* ucb) {
#if !KESM_KERNEL_MODE
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
#else
  (void)ucb;
#endif
}

void KesmCustomFunction(UCB* /*ucb*/, DWORD /*code*/, void* /*parameter*/) {}

void KesmCustomBuiltInFunc(UCB* /*ucb*/, DWORD /*id*/) {}

DWORD Ucf_JudgeHook(UCB* /*ucb*/, WORD /*funcId*/) { return 0; }
