// BUFOBJ: the growable text buffer of the reader.
#include <cstring>

#include "settings/kpd/kpd_chartable.h"
#include "settings/kpd/kpd_reader.h"
#include "settings/system/memptr.h"

namespace {

// Largest capacity a buffer may reach; doubling past it would overflow the
// 32-bit sizes.
constexpr DWORD kBufobjMaxCapacity = 0x40000000u;

// Moves the text to a new block of the capacity, keeping it.
int Resize(BUFOBJ* b, DWORD capacity) {
  auto* text = static_cast<LPSTR>(GetMemPtr(static_cast<SIZE_T>(capacity) + 1));
  if (text == nullptr) {
    return kKpdNoMemory;
  }
  if (b->text != nullptr) {
    std::memcpy(text, b->text, b->length);
  }
  FreeMemPtr(b->text);
  b->text = text;
  b->capacity = capacity;
  return kKpdOk;
}

}  // namespace

BOOL BUFOBJ_Create(BUFOBJ* b) {
  b->capacity = 0;
  b->length = 0;
  b->text = static_cast<LPSTR>(GetMemPtr(kBufobjInitialCapacity + 1));
  if (b->text == nullptr) {
    return FALSE;
  }
  b->capacity = kBufobjInitialCapacity;
  return TRUE;
}

void BUFOBJ_Free(BUFOBJ* b) {
  FreeMemPtr(b->text);
  b->text = nullptr;
  b->capacity = 0;
  b->length = 0;
}

void BUFOBJ_Reset(BUFOBJ* b) {
  b->length = 0;
  if (b->text != nullptr) {
    b->text[0] = '\0';
  }
}

int BUFOBJ_AddChar(BUFOBJ* b, BYTE c) {
  if (b->text == nullptr || b->length >= b->capacity) {
    return kKpdNoMemory;
  }
  b->text[b->length++] = static_cast<char>(c);
  b->text[b->length] = '\0';
  return kKpdOk;
}

int BUFOBJ_AddBytes(BUFOBJ* b, const BYTE* bytes, DWORD count) {
  if (count == 0) {
    return kKpdOk;
  }
  DWORD capacity = b->text == nullptr ? 0 : b->capacity;
  while (capacity - b->length < count) {
    if (capacity >= kBufobjMaxCapacity) {
      return kKpdNoMemory;
    }
    capacity = capacity == 0 ? kBufobjInitialCapacity : capacity * 2;
  }
  if (b->text == nullptr || capacity != b->capacity) {
    if (Resize(b, capacity) != kKpdOk) {
      return kKpdNoMemory;
    }
  }
  std::memcpy(b->text + b->length, bytes, count);
  b->length += count;
  b->text[b->length] = '\0';
  return kKpdOk;
}

int BUFOBJ_Extend(BUFOBJ* b) {
  // Doubling keeps the copying linear in the length of the longest piece.
  if (b->capacity >= kBufobjMaxCapacity) {
    return kKpdNoMemory;
  }
  return Resize(b, b->capacity == 0 ? kBufobjInitialCapacity : b->capacity * 2);
}

int BUFOBJ_GetString(BUFOBJ* b, FILEOBJ* f, BYTE* current, BYTE classMask) {
  if (!CharHasClass(*current, classMask)) {
    return kKpdSyntax;
  }
  if (BUFOBJ_AddCharGrow(b, *current) != kKpdOk) {
    return kKpdNoMemory;
  }
  // The rest of the run is stored in one piece.
  DWORD run = 0;
  while (run < f->remaining && CharHasClass(f->readPtr[run], classMask)) {
    ++run;
  }
  if (BUFOBJ_AddBytes(b, f->readPtr, run) != kKpdOk) {
    return kKpdNoMemory;
  }
  if (run != 0) {
    *current = f->readPtr[run - 1];
  }
  FILEOBJ_Skip(f, run);
  return FILEOBJ_GetChar(f, current);
}
