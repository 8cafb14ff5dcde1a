#if !KESM_KERNEL_MODE
#include "devicecomm/bidi/bidi_ui.h"

#include <atomic>

namespace {

std::atomic<const BidiUiHooks*> g_hooks{nullptr};

}  // namespace

void RegisterBidiUiHooks(const BidiUiHooks* hooks) { g_hooks.store(hooks); }

HWND BidiStartWindow(UCB* ucb, HWND owner) {
  const BidiUiHooks* hooks = g_hooks.load();
  return hooks != nullptr && hooks->startWindow != nullptr ? hooks->startWindow(ucb, owner, kBidiProgressMessage)
                                                           : nullptr;
}

void BidiEndWindow(UCB* ucb, HWND window) {
  const BidiUiHooks* hooks = g_hooks.load();
  if (hooks != nullptr && hooks->endWindow != nullptr && window != nullptr) hooks->endWindow(ucb, window);
}

int AlertBidiFail(UCB* ucb, HWND owner) {
  const BidiUiHooks* hooks = g_hooks.load();
  return hooks != nullptr && hooks->alert != nullptr ? hooks->alert(ucb, owner, kBidiFailMessage) : 0;
}
#endif
