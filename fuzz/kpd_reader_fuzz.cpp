// Feeds arbitrary text to the description reader. The first byte picks the
// code page (single-byte or Shift-JIS); the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "platform/base/control.h"
#include "settings/kpd/kpd_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 0xFFFFFFFFu) {
    return 0;
  }
  plat::SetAnsiCodePage((data[0] & 1) != 0 ? 932 : 1252);
  WORD crc = 0;
  FILEOBJ* f = FILEOBJ_CreateFromView(data + 1, static_cast<DWORD>(size - 1), &crc);
  PARSEROBJ* p = PARSEROBJ_Create();
  if (f != nullptr && p != nullptr) {
    int r = kKpdOk;
    while (r != kKpdEndOfFile && r != kKpdNoMemory) {
      r = PARSEROBJ_ParseEntry(p, f);
      for (const BUFOBJ* b : {&p->keyword, &p->option1, &p->option2, &p->value}) {
        if (b->length > b->capacity || b->text[b->length] != '\0') {
          std::abort();
        }
      }
    }
  }
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
  return 0;
}
