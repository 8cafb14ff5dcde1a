// FILEOBJ over a byte range: creation and the running CRC.
#include "platform/text/codepage.h"
#if KESM_KERNEL_MODE
#include "render/platform/code_page.h"
#endif
#include "settings/kpd/crc16.h"
#include "settings/kpd/kpd_reader.h"
#include "settings/system/memptr.h"

namespace {

// The ANSI code page whose double-byte characters the reader keeps whole.
UINT ReaderCodePage() {
#if KESM_KERNEL_MODE
  return MyGetACP();
#else
  return GetACP();
#endif
}

}  // namespace

FILEOBJ* FILEOBJ_CreateFromView(const BYTE* bytes, DWORD size, WORD* crc) {
  if (bytes == nullptr && size != 0) {
    return nullptr;
  }
  auto* f = static_cast<FILEOBJ*>(GetMemPtr(sizeof(FILEOBJ)));
  if (f == nullptr) {
    return nullptr;
  }
  f->mapBase = nullptr;
  f->readPtr = bytes;
  f->crcFrom = bytes;
  f->remaining = size;
  f->crc = crc;
  f->codePage = ReaderCodePage();
  return f;
}

void FILEOBJ_UpdateCrc(FILEOBJ* f) {
  if (f->crc != nullptr) {
    *f->crc = Crc16UpdateSpan(*f->crc, f->crcFrom, static_cast<SIZE_T>(f->readPtr - f->crcFrom));
  }
  f->crcFrom = f->readPtr;
}
