#include "render/records/text_records.h"

#include "render/records/record_write.h"

namespace {

constexpr std::size_t kStringDataAt = 36;

// The common head of the character and string records: opcode, byte 2,
// length, rectangle at 8, then x and y at 24 and 28.
BYTE* PlacedRecord(JobStream* stream, BYTE opcode, std::uint64_t length, BYTE byte2, const RECTL& rect, LONG x,
                   LONG y) {
  if (length > idl::kMaxRecordBytes) return nullptr;
  BYTE* record = idl::NewRecord(stream, opcode, static_cast<ULONG>(length));
  if (record == nullptr) return nullptr;
  record[2] = byte2;
  StoreLE<ULONG>(record, 4, static_cast<ULONG>(length));
  idl::StoreRect(record, 8, rect);
  StoreLE<LONG>(record, 24, x);
  StoreLE<LONG>(record, 28, y);
  return record;
}

}  // namespace

BYTE* PrnIdlPutChar(JobStream* stream, const RECTL* cell, LONG x, LONG y, USHORT code) {
  BYTE* record = PlacedRecord(stream, kOpPutChar, kPutCharBytes, 0, *cell, x, y);
  if (record != nullptr) StoreLE<USHORT>(record, 32, code);
  return record;
}

BYTE* PrnIdlPutCharOutLine(JobStream* stream, const RECTL* box, LONG x, LONG y, USHORT code, const BYTE* outline,
                           ULONG length) {
  if (length > 0 && outline == nullptr) return nullptr;
  BYTE* record = PlacedRecord(stream, kOpPutChar, idl::RoundUp4(std::uint64_t{kPutCharBytes} + length), kPutCharOutline,
                              *box, x, y);
  if (record == nullptr) return nullptr;
  StoreLE<USHORT>(record, 32, code);
  if (length > 0) StoreBytes(record, kPutCharBytes, outline, length);
  return record;
}

BYTE* PrnIdlPutString(JobStream* stream, const RECTL* background, LONG x, LONG y, const USHORT* codes,
                      const SHORT* advances, USHORT count, USHORT advanceCount) {
  if (advanceCount != 1 && advanceCount != count) return nullptr;
  const std::uint64_t length = idl::RoundUp4(kStringDataAt + 2u * advanceCount + 2u * count);
  const BYTE flags = advanceCount > 1 ? kPutStringAdvanceEach : 0;
  BYTE* record = PlacedRecord(stream, kOpPutString, length, flags, *background, x, y);
  if (record == nullptr) return nullptr;
  StoreLE<USHORT>(record, 32, count);
  std::size_t at = kStringDataAt;
  for (USHORT i = 0; i < advanceCount; ++i, at += 2) StoreLE<SHORT>(record, at, advances[i]);
  for (USHORT i = 0; i < count; ++i, at += 2) StoreLE<USHORT>(record, at, codes[i]);
  return record;
}

BYTE* PrnIdlPutCharBitmap(JobStream* stream, BOOL cache, const RECTL* cell, BYTE flags, USHORT code, LONG x, LONG y,
                          LONG left, LONG top, ULONG width, ULONG height, const BYTE* data, ULONG space,
                          ULONG dataLength, BYTE form) {
  const bool withData = data != nullptr && dataLength > 0;
  if (!withData) space = dataLength = 0;
  if (dataLength > space) return nullptr;
  const BYTE opcode = cache ? kOpPutCharBitmap : kOpPutCharBitmapOnce;
  BYTE* record =
      PlacedRecord(stream, opcode, idl::RoundUp4(std::uint64_t{kPutCharBitmapHeadBytes} + space), flags, *cell, x, y);
  if (record == nullptr) return nullptr;
  StoreLE<ULONG>(record, 32, withData ? kPutCharBitmapHeadBytes : 0);
  StoreLE<LONG>(record, 36, left);
  StoreLE<LONG>(record, 40, top);
  StoreLE<ULONG>(record, 44, width);
  StoreLE<ULONG>(record, 48, height);
  StoreLE<ULONG>(record, 52, dataLength);
  StoreLE<USHORT>(record, 60, code);
  record[62] = form;
  if (withData) StoreBytes(record, kPutCharBitmapHeadBytes, data, dataLength);
  return record;
}

BYTE* PrnIDLRegistCharBitmap(JobStream* stream, BYTE flags, USHORT code, ULONG width, ULONG height, const BYTE* data,
                             ULONG space, ULONG dataLength, BYTE form) {
  if (space == 0 || data == nullptr || dataLength == 0 || dataLength > space) return nullptr;
  const std::uint64_t length = idl::RoundUp4(std::uint64_t{kRegistCharBitmapHeadBytes} + space);
  if (length > idl::kMaxRecordBytes) return nullptr;
  BYTE* record = idl::NewRecord(stream, kOpRegistCharBitmap, static_cast<ULONG>(length));
  if (record == nullptr) return nullptr;
  record[2] = flags;
  StoreLE<ULONG>(record, 4, static_cast<ULONG>(length));
  StoreLE<ULONG>(record, 8, dataLength);
  StoreLE<ULONG>(record, 12, width);
  StoreLE<ULONG>(record, 16, height);
  StoreLE<USHORT>(record, 24, code);
  record[26] = form;
  StoreBytes(record, kRegistCharBitmapHeadBytes, data, dataLength);
  return record;
}

BYTE* PrnIDLPutStringEx(JobStream* stream, const RECTL* background, BYTE flags, LONG x, LONG y,
                        const StringExEntry* entries, USHORT count) {
  const std::uint64_t length = kStringDataAt + idl::RoundUp4(std::uint64_t{6} * count);
  BYTE* record = PlacedRecord(stream, kOpPutStringEx, length, flags, *background, x, y);
  if (record == nullptr) return nullptr;
  StoreLE<USHORT>(record, 32, count);
  std::size_t at = kStringDataAt;
  for (USHORT i = 0; i < count; ++i, at += sizeof(StringExEntry)) {
    StoreLE<SHORT>(record, at, entries[i].dx);
    StoreLE<SHORT>(record, at + 2, entries[i].dy);
    StoreLE<USHORT>(record, at + 4, entries[i].code);
  }
  return record;
}
