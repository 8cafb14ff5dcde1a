#include "ui/resource_dll.h"

#include "settings/context/context_block.h"

#if !KESM_KERNEL_MODE
#include "platform/gdi/wingdi.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "settings/context/context_names.h"
#include "ui/replace_strings.h"

namespace {

// The slot keeps a loaded module; an empty one is filled from the path the
// context names, and stays empty when loading fails.
HMODULE LoadInto(HMODULE* slot, LPCWSTR path) {
  if (*slot == nullptr && path != nullptr && path[0] != 0) {
    *slot = LoadLibraryW(path);
  }
  return *slot;
}

}  // namespace

HMODULE GetResDll(UCB* ucb) {
  if (ucb == nullptr) return nullptr;
  if (ucb->hResDll != nullptr) return ucb->hResDll;
  return LoadInto(&ucb->hResDll, GetResDllName(ucb));
}

HMODULE GetBmpDll(UCB* ucb) {
  if (ucb == nullptr) return nullptr;
  if (ucb->hBmpDll != nullptr) return ucb->hBmpDll;
  return LoadInto(&ucb->hBmpDll, GetBmpDllName(ucb));
}

void FreeResDll(UCB* ucb) {
  if (ucb == nullptr) return;
  for (HMODULE* module : {&ucb->hResDll, &ucb->hBmpDll}) {
    if (*module != nullptr) FreeLibrary(*module);
    *module = nullptr;
  }
  // The pages' brushes are made with the first page of the context and go
  // with its libraries; the cursors are the library's own.
  if (ucb->pWork == nullptr) return;
  DIALOGSLOTS& dialog = ucb->pWork->dialog;
  for (HBRUSH* brush : {&dialog.hButtonFaceBrush, &dialog.hWhiteBrush}) {
    if (*brush != nullptr) DeleteObject(*brush);
    *brush = nullptr;
  }
  dialog.hArrowCursor = dialog.hHandCursor = nullptr;
}
#else
HMODULE GetResDll(UCB* ucb) { return ucb != nullptr ? ucb->hResDll : nullptr; }
#endif

int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL replace) {
  if (buffer == nullptr || cch <= 0) {
    return 0;
  }
  buffer[0] = 0;
#if KESM_KERNEL_MODE
  (void)ucb;
  (void)id;
  (void)replace;
  return 0;
#else
  // The module slot is a cache filled on first use; reading a string does
  // not otherwise change the context.
  UCB* context = const_cast<UCB*>(ucb);
  const HMODULE module = GetResDll(context);
  if (module == nullptr) {
    return 0;
  }
  const int loaded = LoadStringW(module, id, buffer, cch);
  if (!replace) {
    return loaded;
  }
  return UserCallbackReplaceString(context, id, buffer, cch);
#endif
}
