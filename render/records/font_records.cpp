#include "render/records/font_records.h"

#include <iterator>

#include "render/records/record_write.h"

namespace {

constexpr std::size_t kFaceAt = 24;
constexpr std::size_t kFaceAtEx = 32;

// The flag of each font kind 1-4; kind 5 has none.
constexpr USHORT kKindFlags[] = {0, kFontFlagKind1, kFontFlagKind2, kFontFlagKind3, kFontFlagKind4};

// Where the two records differ: where the character set, the pitch and
// family and the face name go.
struct FontLayout {
  BYTE opcode;
  std::size_t charSetAt;
  std::size_t faceAt;
};

BYTE* DefineFont(JobStream* stream, const FontDescription& font, const FontLayout& layout) {
  const ULONG units = FontFaceUnits(font);
  const auto length = static_cast<ULONG>(idl::RoundUp4(layout.faceAt + 2 * units + 1));
  BYTE* record = idl::NewRecord(stream, layout.opcode, length);
  if (record == nullptr) return nullptr;
  record[layout.charSetAt] = font.charSet;
  record[layout.charSetAt + 1] = font.pitchAndFamily;
  StoreLE<USHORT>(record, 4, FontRecordFlags(font));
  StoreLE<USHORT>(record, 6, font.weight);
  StoreLE<SHORT>(record, 8, font.escapement);
  StoreLE<SHORT>(record, 10, font.width);
  StoreLE<SHORT>(record, 12, font.height);
  StoreLE<USHORT>(record, 14, static_cast<USHORT>(length));
  StoreLE<SHORT>(record, 20, font.internalLeading);
  StoreLE<USHORT>(record, 22, font.defaultChar);
  StoreBytes(record, layout.faceAt, font.faceName, 2 * units);
  return record;
}

}  // namespace

USHORT FontRecordFlags(const FontDescription& font) {
  USHORT flags = 0;
  if (font.italic != 0) flags |= kFontFlagItalic;
  if (font.bold != 0) flags |= kFontFlagBold;
  if (font.boldAgain != 0) flags |= kFontFlagEmboldened;
  if (font.kind >= 1 && font.kind < static_cast<int>(std::size(kKindFlags))) flags |= kKindFlags[font.kind];
  if (font.vertical != 0) flags |= kFontFlagVertical;
  if (font.reserved == 1) flags |= kFontFlagReserved;
  if (font.kind != kFontDevice) flags |= kFontFlagNotDevice;
  return flags;
}

ULONG FontFaceUnits(const FontDescription& font) {
  const auto* name = reinterpret_cast<const BYTE*>(font.faceName);
  ULONG units = 0;
  while (units < kFontNameBytes / 2 && (name[2 * units] != 0 || name[2 * units + 1] != 0)) ++units;
  return units;
}

BYTE* PrnIdlDefineFont(JobStream* stream, const FontDescription* font) {
  return DefineFont(stream, *font, {kOpDefineFont, 2, kFaceAt});
}

BYTE* PrnIdlDefineFontEx(JobStream* stream, const FontDescription* font) {
  return DefineFont(stream, *font, {kOpDefineFontEx, 1, kFaceAtEx});
}
