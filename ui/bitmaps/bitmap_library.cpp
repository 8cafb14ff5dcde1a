#include "ui/bitmaps/bitmap_library.h"

#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "ui/resource_dll.h"

namespace {

const BMPLOADID* RowOf(UINT id) {
  for (const BMPLOADID* row = tblBmpLoadID; row->dwFirstId != 0; ++row) {
    if (id >= row->dwFirstId && id <= row->dwLastId) return row;
  }
  return nullptr;
}

}  // namespace

HMODULE BitmapLibraryOf(UCB* ucb, UINT id) {
  const BMPLOADID* row = RowOf(id);
  if (row == nullptr || ucb == nullptr) return nullptr;
  return row->dwFromBitmapDll != 0 ? GetBmpDll(ucb) : GetResDll(ucb);
}

HBITMAP LoadBitmapFromResDll(UCB* ucb, UINT id) {
  const HMODULE module = BitmapLibraryOf(ucb, id);
  return module != nullptr ? LoadBitmapW(module, MAKEINTRESOURCEW(static_cast<WORD>(id))) : nullptr;
}

const BYTE* LoadBitmapResource(UCB* ucb, UINT id, DWORD* bytes) {
  if (bytes != nullptr) *bytes = 0;
  const HMODULE module = BitmapLibraryOf(ucb, id);
  if (module == nullptr) return nullptr;
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(id)), RT_BITMAP);
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr) return nullptr;
  if (bytes != nullptr) *bytes = SizeofResource(module, found);
  return static_cast<const BYTE*>(LockResource(loaded));
}

HBITMAP LoadBitmapFromResDllByName(UCB* ucb, LPCWSTR name) {
  const HMODULE module = GetBmpDll(ucb);
  return module != nullptr && name != nullptr ? LoadBitmapW(module, name) : nullptr;
}
