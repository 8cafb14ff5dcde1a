// FILEOBJ over a mapped description file.
#include "settings/kpd/kpd_reader.h"
#include "settings/system/mapfile.h"
#include "settings/system/memptr.h"

FILEOBJ* FILEOBJ_Create(LPCWSTR fileName, WORD* crc) {
  PVOID base = nullptr;
  const BYTE* view = nullptr;
  DWORD size = 0;
  if (!MAPFILE(fileName, &base, &view, &size)) {
    return nullptr;
  }
  FILEOBJ* f = FILEOBJ_CreateFromView(view, size, crc);
  if (f == nullptr) {
    UNMAPFILE(base);
    return nullptr;
  }
  f->mapBase = base;
  return f;
}

void FILEOBJ_Close(FILEOBJ* f) {
  if (f == nullptr) {
    return;
  }
  UNMAPFILE(f->mapBase);
  FreeMemPtr(f);
}
