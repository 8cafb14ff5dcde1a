#include "render/records/attribute_records.h"

#include "render/records/record_write.h"

namespace {

constexpr ULONG kShortRecordBytes = 4;  // {opcode, value, 0, 0}
constexpr ULONG kLineStyleBytes = 8;
constexpr ULONG kLineJoinBytes = 8;
constexpr std::size_t kColorsAt = 4;
constexpr std::size_t kColorBytes = 3;
constexpr std::size_t kBrushDataAt = 6;

BYTE* ShortRecord(JobStream* stream, BYTE opcode, BYTE value) {
  BYTE* record = idl::NewRecord(stream, opcode, kShortRecordBytes);
  if (record != nullptr) record[1] = value;
  return record;
}

}  // namespace

BYTE ColorRecordFlags(const DRAWATTR& attributes) {
  BYTE flags = kColorFlagAlways;
  if (attributes.backgroundMode == kBackgroundOpaque) flags |= kColorFlagBackground;
  if (attributes.thirdColorFlag != 0) flags |= kColorFlagThird;
  if (attributes.drawKind == kDrawKindText) flags |= kColorFlagText;
  return flags;
}

BYTE* PrnIdlSetColor(JobStream* stream, const DRAWATTR* attributes) {
  const BYTE flags = ColorRecordFlags(*attributes);
  std::size_t colors = 1;
  if ((flags & kColorFlagBackground) != 0) ++colors;
  if ((flags & kColorFlagThird) != 0) ++colors;
  // The header and the colours, padded: 8, 12 or 16 bytes.
  const auto length = static_cast<ULONG>(idl::RoundUp4(kColorsAt + colors * kColorBytes));
  BYTE* record = idl::NewRecord(stream, kOpColor, length);
  if (record == nullptr) return nullptr;
  record[1] = static_cast<BYTE>(length);
  record[2] = flags;
  std::size_t at = kColorsAt;
  idl::StoreColor(record, at, attributes->foregroundColor);
  at += kColorBytes;
  if ((flags & kColorFlagBackground) != 0) {
    idl::StoreColor(record, at, attributes->backgroundColor);
    at += kColorBytes;
  }
  if ((flags & kColorFlagThird) != 0) idl::StoreColor(record, at, attributes->thirdColor);
  return record;
}

BYTE SentRop3(BYTE rop3) { return rop3 == 0xF0 ? 0xCC : rop3; }

BYTE* PrnIdlSetRop3(JobStream* stream, BYTE rop3) { return ShortRecord(stream, kOpRop3, SentRop3(rop3)); }

BYTE* PrnIdlSetBackgroundMode(JobStream* stream, SHORT mode) {
  return ShortRecord(stream, kOpBackgroundMode, static_cast<BYTE>(mode));
}

BYTE* PrnIdlLineStyle(JobStream* stream, BYTE styleUnit, USHORT width, ULONG styleMask) {
  BYTE* record = idl::NewRecord(stream, kOpLineStyle, kLineStyleBytes);
  if (record == nullptr) return nullptr;
  record[1] = styleUnit;
  StoreLE<USHORT>(record, 2, width);
  StoreLE<ULONG>(record, 4, styleMask);
  return record;
}

BYTE* PrnIdlStyleShift(JobStream* stream, BYTE styleShift) { return ShortRecord(stream, kOpStyleShift, styleShift); }

BYTE* PrnIdlLineCap(JobStream* stream, BYTE cap) { return ShortRecord(stream, kOpLineCap, cap); }

BYTE* PrnIdlLineJoin(JobStream* stream, BYTE join, ULONG miterLimit) {
  BYTE* record = idl::NewRecord(stream, kOpLineJoin, kLineJoinBytes);
  if (record == nullptr) return nullptr;
  record[1] = join;
  StoreLE<ULONG>(record, 4, miterLimit);
  return record;
}

BYTE* PrnIdlResetClip(JobStream* stream) { return ShortRecord(stream, kOpResetClip, 0); }

LONG BrushPatternBytes(USHORT kind, USHORT bitDepth, BYTE sizeByte) {
  const LONG pixels = LONG{sizeByte} * sizeByte;
  switch (kind) {
    case 0:
      return 0;
    case 2:
      return pixels / 8;
    case 3:
      if (bitDepth == 1) return pixels / 8;
      if (bitDepth == 24) return pixels * 3;
      return -1;
    default:
      return -1;
  }
}

BYTE* PrnIdlDefineBrush(JobStream* stream, const BrushRecord* brush, const BYTE* pattern) {
  const USHORT size = brush->patternSize;
  const BYTE sizeByte = size == 16 || size == 32 || size == 64 ? static_cast<BYTE>(size) : 0;
  const LONG data = BrushPatternBytes(brush->kind, brush->bitDepth, sizeByte);
  if (data < 0 || (data > 0 && pattern == nullptr)) return nullptr;
  const auto length = static_cast<ULONG>(idl::RoundUp4(kBrushDataAt + static_cast<ULONG>(data)));
  BYTE* record = idl::NewRecord(stream, kOpDefineBrush, length);
  if (record == nullptr) return nullptr;
  BYTE flags = 0;
  if (brush->kind != 0) flags |= kBrushFlagPattern;
  if (brush->kind == 3 && brush->bitDepth == 24) flags |= kBrushFlag24Bit;
  record[1] = flags;
  record[2] = sizeByte;
  record[3] = 1;
  StoreLE<USHORT>(record, 4, static_cast<USHORT>(data));
  if (data > 0) StoreBytes(record, kBrushDataAt, pattern, static_cast<std::size_t>(data));
  return record + kBrushDataAt;
}

BOOL PrnIdlSetBrushOrg(JobStream*, const POINTL*) { return TRUE; }

BYTE GetGraphicROP3(ULONG mix) {
  const ULONG code = mix & 0xFF;
  return code < kRop2Codes ? Rop2To3[code] : Rop2To3[0];
}

void BGRtoRGB(ULONG* color) {
  const ULONG c = *color;
  *color = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

void BGRtoRGB_DRAWATTR(DRAWATTR* attributes) {
  BGRtoRGB(&attributes->foregroundColor);
  BGRtoRGB(&attributes->backgroundColor);
  if (attributes->thirdColor != 0) BGRtoRGB(&attributes->thirdColor);
}
