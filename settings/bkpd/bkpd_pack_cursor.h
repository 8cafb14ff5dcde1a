// The write position of the packer. The same writers run twice: once with
// no block, only counting bytes (the size pass), and once writing them. So
// the size pass counts exactly what the writers write. Every piece is padded
// to 4 bytes so that every record of the block is 4-aligned.
#pragma once

#include <cstring>

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct PackCursor {
  BYTE* block = nullptr;  // null while counting
  ULONGLONG pos = 0;      // offset of the next piece
  ULONGLONG limit = 0;    // block size while writing
  bool overflow = false;  // a piece did not fit in the block

  bool Writing() const { return block != nullptr; }

  // Takes n bytes (padded) and returns their offset. While counting the
  // offset only tells pieces apart; past the block's end it is 0.
  DWORD Take(ULONGLONG n) {
    const ULONGLONG at = pos;
    pos += (n + kBkpdAlign - 1) & ~static_cast<ULONGLONG>(kBkpdAlign - 1);
    if (Writing() && pos > limit) {
      overflow = true;
      return 0;
    }
    return static_cast<DWORD>(at);
  }

  // Copies n bytes to an offset that Take gave while writing.
  void WriteAt(DWORD at, const void* data, ULONGLONG n) {
    if (Writing() && at != 0 && !overflow && at + n <= limit) {
      std::memcpy(block + at, data, n);
    }
  }

  DWORD PutBytes(const void* data, ULONGLONG n) {
    const DWORD at = Take(n);
    WriteAt(at, data, n);
    return at;
  }

  template <class T>
  DWORD PutRecord(const T& record) {
    return PutBytes(&record, sizeof(T));
  }

  // A zero-terminated string; 0 (nothing taken) for null.
  DWORD PutAnsi(LPCSTR text) {
    return text == nullptr ? 0 : PutBytes(text, std::strlen(text) + 1);
  }
  DWORD PutWide(LPCWSTR text) {
    if (text == nullptr) {
      return 0;
    }
    ULONGLONG units = 0;
    while (text[units] != 0) {
      ++units;
    }
    return PutBytes(text, (units + 1) * sizeof(WCHAR));
  }

  // Entry i of a DWORD array taken earlier.
  void SetArrayEntry(DWORD array, DWORD i, DWORD value) {
    WriteAt(array + i * static_cast<DWORD>(sizeof(DWORD)), &value, sizeof(value));
  }
};

// Section writers: each starts at the cursor's position and leaves it after
// its last byte, filling the header fields it owns.
struct WorkBKPD;
void BKPD_ExclusiveCreate(PackCursor& c, WorkBKPD* work, BKPDHEADER& header);
void BKPD_UiGroupsCreate(PackCursor& c, WorkBKPD* work, BKPDHEADER& header);
void BKPD_OtherCreate(PackCursor& c, WorkBKPD* work, BKPDHEADER& header);

// Tagged offset of the first judge with the reference's number, or 0.
DWORD PackJudgeLink(const WorkBKPD* work, DWORD reference);

// Reverses a singly linked list in place: the packer writes lists from
// their last node so that each record's next link is already known.
template <class Node>
void ReverseList(Node*& head) {
  Node* reversed = nullptr;
  while (head != nullptr) {
    Node* next = head->next;
    head->next = reversed;
    reversed = head;
    head = next;
  }
  head = reversed;
}
