// The process list of loaded descriptions. It is keyed by the text's whole
// path, compared case-insensitively: two texts of one short name in
// different folders never share an entry, and a path of any length is
// listed (and so freed at detach). Its own guard makes every operation safe
// from any thread, whether or not the caller holds the cross-process lock.
#include <cstring>
#include <mutex>
#include <type_traits>

#include "platform/text/wintext.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/system/memptr.h"

namespace {

struct BkpdCtrl {
  BkpdCtrl* next;
  PCBKPD bkpd;  // owned
  LPWSTR key;   // owned copy of the text's path
};

struct BkpdAddr {
  BkpdCtrl* first;
  BkpdCtrl* last;
};

BkpdAddr gList{};

// Constant-initialized and never destroyed (its destructor does nothing),
// so that a detach after static destruction still finds it and an unloaded
// library leaves no block behind.
static_assert(std::is_trivially_destructible_v<std::mutex>);
std::mutex& ListGuard() {
  static constinit std::mutex guard;
  return guard;
}

LPWSTR CopyKey(LPCWSTR path) {
  const SIZE_T bytes = (static_cast<SIZE_T>(lstrlenW(path)) + 1) * sizeof(WCHAR);
  auto* copy = static_cast<LPWSTR>(GetMemPtr(bytes));
  if (copy != nullptr) std::memcpy(copy, path, bytes);
  return copy;
}

// Caller holds the guard.
PCBKPD Find(LPCWSTR path) {
  for (const BkpdCtrl* node = gList.first; node != nullptr; node = node->next) {
    if (lstrcmpiW(node->key, path) == 0) return node->bkpd;
  }
  return nullptr;
}

}  // namespace

void FreeBkpdBlock(PCBKPD bkpd) { FreeMemPtr(const_cast<BKPDHEADER*>(bkpd)); }

PCBKPD GetTargetBkpd(LPCWSTR dataFile) {
  if (dataFile == nullptr) return nullptr;
  std::lock_guard lock(ListGuard());
  return Find(dataFile);
}

PCBKPD SetTargetBkpd(PCBKPD bkpd, LPCWSTR dataFile) {
  if (bkpd == nullptr) return nullptr;
  if (dataFile == nullptr) {
    FreeBkpdBlock(bkpd);
    return nullptr;
  }
  std::lock_guard lock(ListGuard());
  if (PCBKPD listed = Find(dataFile)) {
    if (listed != bkpd) FreeBkpdBlock(bkpd);
    return listed;
  }
  auto* node = static_cast<BkpdCtrl*>(GetMemPtr(sizeof(BkpdCtrl)));
  LPWSTR key = node != nullptr ? CopyKey(dataFile) : nullptr;
  if (key == nullptr) {
    FreeMemPtr(node);
    FreeBkpdBlock(bkpd);
    return nullptr;
  }
  *node = BkpdCtrl{nullptr, bkpd, key};
  if (gList.last != nullptr) {
    gList.last->next = node;
  } else {
    gList.first = node;
  }
  gList.last = node;
  return bkpd;
}

void BKPDAddrFree() {
  std::lock_guard lock(ListGuard());
  BkpdCtrl* node = gList.first;
  gList = BkpdAddr{};
  while (node != nullptr) {
    BkpdCtrl* next = node->next;
    FreeBkpdBlock(node->bkpd);
    FreeMemPtr(node->key);
    FreeMemPtr(node);
    node = next;
  }
}
