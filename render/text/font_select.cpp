// The font description of a text call, and its definition record. A font
// is defined once per page for as long as the calls use the same font.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "render/fonts/char_codes.h"
#include "render/geometry/geometry.h"
#include "render/pdev/pdev.h"
#include "render/text/text.h"

namespace {

constexpr ULONG kNameUnitLimit = 128;  // of the outline and device-string path
constexpr std::u16string_view kEudc = u"EUDC";
constexpr std::u16string_view kGaiji = u"\u5916\u5B57";  // "external characters"
constexpr char16_t kEndUserFirst = 0xE000;
constexpr char16_t kEndUserLast = 0xE757;
// The full-width letters D, F, G that start the names of fonts drawn as
// outlines, in Shift-JIS.
constexpr std::string_view kFullWidthDfg = "\x82\x63\x82\x65\x82\x66";
// The printer's own faces in Shift-JIS: Mincho and half-width Gothic.
constexpr std::string_view kDeviceFaces[] = {"\x96\xBE\x92\xA9", "\xBA\xDE\xBC\xAF\xB8"};

std::u16string_view IfiName(const IFIMETRICS& ifi, PTRDIFF offset) {
  const auto* name = reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(&ifi) + offset);
  return std::u16string_view(name);
}

// The name in the field, ANSI, NUL-terminated, cut at a whole character.
void ConvertName(std::u16string_view name, ULONG unitLimit, CHAR (&field)[kFontNameBytes]) {
  std::memset(field, 0, sizeof field);
  const ULONG units = static_cast<ULONG>(std::min<std::size_t>(name.size(), unitLimit));
  unicode2ansi(reinterpret_cast<BYTE*>(field), kFontNameBytes - 1, reinterpret_cast<const WCHAR*>(name.data()),
               units * 2, kAnsiSystem);
}

std::string_view Field(const CHAR (&field)[kFontNameBytes]) { return std::string_view(field); }

// Appends "_" and the font id in lower-case hexadecimal, within the field.
void AppendFontId(CHAR (&field)[kFontNameBytes], ULONG id) {
  char suffix[16];
  const int n = std::snprintf(suffix, sizeof suffix, "_%lx", static_cast<unsigned long>(id));
  const std::size_t used = std::strlen(field);
  const std::size_t room = kFontNameBytes - 1 - used;
  std::memcpy(field + used, suffix, std::min<std::size_t>(room, static_cast<std::size_t>(n)));
}

// The fields common to both selections.
void FillCommon(STROBJ* pstro, FONTOBJ* pfo, const IFIMETRICS& ifi, const TextSizes& sizes, FontDescription* font) {
  std::memset(font, 0, sizeof *font);
  font->italic = (pfo->flFontType & FO_SIM_ITALIC) != 0 ? 1 : 0;
  font->bold = (pfo->flFontType & FO_SIM_BOLD) != 0 ? 1 : 0;
  font->boldAgain = font->bold;
  font->vertical = (pstro->flAccel & SO_VERTICAL) != 0 ? 1 : 0;
  font->weight = ifi.usWinWeight;
  const XFORML& m = sizes.xform;
  const LONG angle = GetAngle(F_mul_L2L(m.eM11, 5000), F_mul_L2L(m.eM12, 5000));
  font->escapement = static_cast<SHORT>(angle > 0 ? 360 - angle : -angle);
  font->height = Clamp16(sizes.emHeight);
  font->width = Clamp16(sizes.emWidth);
  const LONG w = ifi.fwdAveCharWidth * 10;
  const auto tenths = [w](FLOATL f) {
    const std::int64_t v = F_mul_L2L(f, w);
    return static_cast<LONG>((v + 5) / 10);
  };
  font->averageWidth = Clamp16(iHipot(tenths(m.eM11), tenths(m.eM12)));
  font->internalLeading = Clamp16(std::max<std::int64_t>(0, sizes.ascent + sizes.descent - sizes.emHeight));
  font->charSet = ifi.jWinCharSet;
  font->pitchAndFamily = ifi.jWinPitchAndFamily;
  font->defaultChar = ifi.wcDefaultChar;
}

// Defines the font unless it is the one defined last on this page.
BOOL Define(PDEV* pdev, FONTOBJ* pfo, FontDescription* font, bool always) {
  DrawingState& sent = pdev->lastSent;
  if (always) sent.fontDefined = 0;
  if (sent.fontDefined != 0 && sent.fontId == pfo->iUniq) return TRUE;
  sent.fontId = pfo->iUniq;
  sent.fontDefined = 1;
  const BYTE* record = font->kind == kFontBitmap ? PrnIdlDefineFontEx(&pdev->stream, font)
                                                  : PrnIdlDefineFont(&pdev->stream, font);
  if (always || record == nullptr) sent.fontDefined = 0;
  return record != nullptr ? TRUE : FALSE;
}

bool HasEndUserCharacters(STROBJ* pstro) {
  if (pstro->pwszOrg == nullptr) return false;
  for (ULONG i = 0; i < pstro->cGlyphs; ++i) {
    if (pstro->pwszOrg[i] >= kEndUserFirst && pstro->pwszOrg[i] <= kEndUserLast) return true;
  }
  return false;
}

}  // namespace

BOOL SelectDevFont(PDEV* pdev, STROBJ* pstro, FONTOBJ* pfo, const IFIMETRICS& ifi, const TextSizes& sizes,
                   FontDescription* font) {
  FillCommon(pstro, pfo, ifi, sizes, font);
  signed char kind = (ifi.fsType & (FM_READONLY_EMBED | FM_EDITABLE_EMBED)) != 0 ? kFontOutline : kFontDevice;
  if (Mirrored(sizes.xform)) kind = kFontOutline;
  const bool endUserFonts = pdev->hiddenFunc15 != 0;
  bool eudcName = false;
  const std::u16string_view names[] = {IfiName(ifi, ifi.dpwszFamilyName), IfiName(ifi, ifi.dpwszFaceName)};
  CHAR(*fields[])[kFontNameBytes] = {&font->familyName, &font->faceName};
  for (int i = 0; i < 2; ++i) {
    ConvertName(names[i], kNameUnitLimit, *fields[i]);
    if (names[i] == kEudc) {
      eudcName = true;
      if (endUserFonts) {
        kind = kFontOutline;
      } else if (kind == kFontOutline) {
        kind = kFontDevice;
      }
    }
    if (kind != kFontOutline && Field(*fields[i]).starts_with(kFullWidthDfg)) kind = kFontOutline;
    if (endUserFonts && names[i].find(kGaiji) != std::u16string_view::npos) kind = kFontOutline;
  }
  if ((pstro->flAccel & SO_GLYPHINDEX_TEXTOUT) != 0) kind = kFontOutline;
  bool endUser = false;
  if (endUserFonts && HasEndUserCharacters(pstro)) {
    kind = kFontOutline;
    endUser = true;
  }
  if (endUserFonts && eudcName) endUser = true;
  font->kind = kind;
  const bool always = endUser && kind == kFontOutline;
  if (always) {
    AppendFontId(font->familyName, pfo->iUniq);
    AppendFontId(font->faceName, pfo->iUniq);
  }
  return Define(pdev, pfo, font, always);
}

BOOL ExtSelectDevFont(PDEV* pdev, STROBJ* pstro, FONTOBJ* pfo, const IFIMETRICS& ifi, const TextSizes& sizes,
                      FontDescription* font) {
  FillCommon(pstro, pfo, ifi, sizes, font);
  font->kind = kFontBitmap;
  ConvertName(IfiName(ifi, ifi.dpwszFamilyName), kFontNameBytes, font->familyName);
  ConvertName(IfiName(ifi, ifi.dpwszFaceName), kFontNameBytes, font->faceName);
  for (std::string_view device : kDeviceFaces) {
    if (Field(font->familyName) == device || Field(font->faceName) == device) font->kind = kFontDevice;
  }
  font->fontId = pfo->iUniq;
  font->generation = static_cast<ULONG>(pdev->glyphGeneration);
  return Define(pdev, pfo, font, false);
}
