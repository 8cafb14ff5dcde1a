// Feeds arbitrary text to the description reader, in the build this target
// is linked with (user or kernel mode). The first byte picks the code page
// (1252, 932, 936, 949, 950 by its value modulo 5); the rest is the text,
// read from a buffer of exactly its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <iterator>

#include "fuzz/fuzz_support.h"
#include "settings/kpd/kpd_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 0xFFFFFFFFu) {
    return 0;
  }
  fuzz::PlatformBalance balance;
  plat::SetAnsiCodePage(fuzz::kCodePages[data[0] % std::size(fuzz::kCodePages)]);
  const auto text = fuzz::ExactCopy(data + 1, size - 1);
  WORD crc = 0;
  FILEOBJ* f = FILEOBJ_CreateFromView(text.get(), static_cast<DWORD>(size - 1), &crc);
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
