// Helpers of the record encoders, for this folder only: a record is taken
// from the display list whole and zero-filled before its fields are set, so
// every byte the layout does not name is zero.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/base/wintypes.h"
#include "render/spool/job_stream.h"
#include "settings/system/unaligned.h"

namespace idl {

// Record lengths are worked out in 64 bits; a record longer than a u32 can
// say is refused.
inline constexpr std::uint64_t kMaxRecordBytes = 0xFFFFFFFCu;

inline constexpr std::uint64_t RoundUp4(std::uint64_t n) { return (n + 3) / 4 * 4; }

// length bytes from the display list, zeroed, with the opcode in byte 0;
// null when the list cannot take them.
inline BYTE* NewRecord(JobStream* stream, BYTE opcode, ULONG length) {
  BYTE* record = dl_alloc(stream, length);
  if (record == nullptr) return nullptr;
  std::memset(record, 0, length);
  record[0] = opcode;
  return record;
}

// Four i32 values left, top, right, bottom.
inline void StoreRect(BYTE* record, std::size_t at, const RECTL& rect) {
  StoreLE<LONG>(record, at, rect.left);
  StoreLE<LONG>(record, at + 4, rect.top);
  StoreLE<LONG>(record, at + 8, rect.right);
  StoreLE<LONG>(record, at + 12, rect.bottom);
}

// A colour's low 24 bits, low byte first.
inline void StoreColor(BYTE* record, std::size_t at, ULONG color) {
  record[at] = static_cast<BYTE>(color);
  record[at + 1] = static_cast<BYTE>(color >> 8);
  record[at + 2] = static_cast<BYTE>(color >> 16);
}

}  // namespace idl
