// The per-process cache of released printer contexts: two slots, filled
// slot 0 first, each with the tick count at which its context was parked.
// The spooler calls the entry points on many threads at once, so the slots
// are only touched under their own lock; contexts are freed outside it.
#include <algorithm>
#include <array>
#include <atomic>
#include <iterator>
#include <mutex>
#include <type_traits>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_internal.h"
#include "settings/context/context_open.h"
#include "settings/system/memptr.h"
#if !KESM_KERNEL_MODE
#include "platform/runtime/wintime.h"
#endif

namespace {

constexpr int kSlotCount = 2;
UCB* lpPreUcb[kSlotCount] = {};
DWORD dwSetTime[kSlotCount] = {};

// Never destroyed, so that a release during process exit still finds it.
static_assert(std::is_trivially_destructible_v<std::mutex>);
std::mutex& SlotGuard() {
  static constinit std::mutex guard;
  return guard;
}

bool IsParked(const UCB* ucb) {
  return std::find(std::begin(lpPreUcb), std::end(lpPreUcb), ucb) != std::end(lpPreUcb);
}

// A parked context may serve an open long after it was released, when the
// preset list or a preset's file may have been rewritten by another context
// or process: the presets it recalled are not kept for it.
void ForgetRecalledPresets(UCB* ucb) {
  if (ucb->pWork == nullptr) return;
  for (BYTE*& slot : ucb->pWork->apPresetCache) {
    FreeMemPtr(slot);
    slot = nullptr;
  }
}

void Park(int slot, UCB* ucb) {
  ForgetRecalledPresets(ucb);
  lpPreUcb[slot] = ucb;
  dwSetTime[slot] = KesmGetTickCount();
}

}  // namespace

DWORD KesmGetTickCount() {
#if KESM_KERNEL_MODE
  return 0;  // the engine gives no tick count: parked contexts never expire by time
#else
  return GetTickCount();
#endif
}

bool ServesPlainOpen(const UCB* ucb) {
  const WORKAREA* work = ucb->pWork;
  return work != nullptr && ucb->pDCB != nullptr && work->wOpenKind == 0 && work->fTakeLock == 1 &&
         work->fCheckAdmin == 1;
}

void FreeStoredUcb(BOOL all) {
  const DWORD now = KesmGetTickCount();
  std::array<UCB*, kSlotCount> expired{};
  {
    std::lock_guard hold(SlotGuard());
    for (int slot = 0; slot < kSlotCount; ++slot) {
      UCB* ucb = lpPreUcb[slot];
      // Elapsed time in unsigned arithmetic stays right across a wrap of the
      // tick count.
      if (ucb == nullptr || (!all && now - dwSetTime[slot] <= kParkedIdleMilliseconds)) continue;
      lpPreUcb[slot] = nullptr;
      expired[slot] = ucb;
    }
  }
  for (UCB* ucb : expired) {
    if (ucb != nullptr) DestroyUcb(ucb);
  }
}

UCB* TakeParkedUcb(HANDLE printer, DWORD flags, DWORD mode, LPCWSTR printerName) {
  FreeStoredUcb(FALSE);
  if ((flags & 0xFFFF) != 0 || printerName == nullptr) return nullptr;
  std::lock_guard hold(SlotGuard());
  for (int slot = 0; slot < kSlotCount; ++slot) {
    UCB* ucb = lpPreUcb[slot];
    if (ucb != nullptr && ucb->hPrinter == printer && ServesPlainOpen(ucb) && ucb->pWork->dwMode == mode &&
        lstrcmpW(ucb->pWork->szPrinterName, printerName) == 0) {
      lpPreUcb[slot] = nullptr;
      return ucb;
    }
  }
  return nullptr;
}

UCB* CheckGetUcb(HANDLE printer, DWORD flags, DWORD mode) {
  // The name is asked for after the sweep and only for a plain open.
  FreeStoredUcb(FALSE);
  if ((flags & 0xFFFF) != 0) return nullptr;
  LPWSTR name = GetPrinterNameDirect(printer);
  UCB* found = TakeParkedUcb(printer, flags, mode, name);
  FreeMemPtr(name);
  return found;
}

UCB* CheckFreeUcb(UCB* ucb, DWORD word) {
  std::lock_guard hold(SlotGuard());
  if (IsParked(ucb)) return nullptr;  // released twice: it stays parked
  if (!ServesPlainOpen(ucb)) return ucb;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (lpPreUcb[slot] == nullptr) {
      if ((word & 0xFFFF) != 0) continue;
      Park(slot, ucb);
      return nullptr;
    }
    if (slot == kSlotCount - 1) {
      UCB* evicted = lpPreUcb[slot];
      Park(slot, ucb);
      return evicted;
    }
  }
  return ucb;
}

void FreeUcbx(UCB* ucb, DWORD word) {
  if (ucb == nullptr) return;
  DestroyUcb(CheckFreeUcb(ucb, word));
}

void FreeUcb(UCB* ucb) { FreeUcbx(ucb, 0); }

namespace {
std::atomic<DWORD> liveUcbs{0};
}  // namespace

void CountUcb(int change) { liveUcbs += static_cast<DWORD>(change); }

DWORD CountLiveUcb() { return liveUcbs; }

DWORD CountParkedUcb() {
  DWORD parked = 0;
  std::lock_guard hold(SlotGuard());
  for (const UCB* ucb : lpPreUcb) parked += ucb != nullptr ? 1 : 0;
  return parked;
}

void FreeUcb2(UCB* ucb, DWORD word) { FreeUcbx(ucb, word); }
