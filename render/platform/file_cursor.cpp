#include "render/platform/file_cursor.h"

#include "platform/engine/eng_module.h"
#include "settings/system/mapfile.h"
#include "settings/system/memptr.h"

namespace {

FILESTUB* NewCursor(HANDLE module, const BYTE* view, ULONG size, BYTE* writable) {
  auto* cursor = static_cast<FILESTUB*>(GetMemPtr(sizeof(FILESTUB)));
  if (cursor == nullptr) {
    EngFreeModule(module);
    return nullptr;
  }
  cursor->hModule = module;
  cursor->pCur = view;
  cursor->cbRemain = size;
  cursor->pWritable = writable;
  return cursor;
}

}  // namespace

FILESTUB* CreateFileStub(LPCWSTR path) {
  PVOID module = nullptr;
  const BYTE* view = nullptr;
  DWORD size = 0;
  if (!MAPFILE(path, &module, &view, &size)) {
    return nullptr;
  }
  return NewCursor(module, view, size, nullptr);
}

FILESTUB* CreateFileStubForWrite(LPCWSTR path) {
  if (path == nullptr) {
    return nullptr;
  }
  // A requested size of 0 maps the file at its own size and never extends it.
  HANDLE module = EngLoadModuleForWrite(const_cast<LPWSTR>(path), 0);
  if (module == nullptr) {
    return nullptr;
  }
  ULONG size = 0;
  auto* view = static_cast<BYTE*>(EngMapModule(module, &size));
  if (view == nullptr) {
    EngFreeModule(module);
    return nullptr;
  }
  return NewCursor(module, view, size, view);
}

void CloseHandleStub(FILESTUB* cursor) {
  if (cursor == nullptr) {
    return;
  }
  UNMAPFILE(cursor->hModule);
  FreeMemPtr(cursor);
}

BYTE* WritablePosition(const FILESTUB* cursor) {
  if (cursor == nullptr || cursor->pWritable == nullptr) {
    return nullptr;
  }
  return cursor->pWritable + (cursor->pCur - cursor->pWritable);
}
