// Font objects and their enumeration: CreateFontIndirectW, and
// EnumFontFamiliesW / EnumFontFamiliesExW over the installed TrueType
// families, each also as its vertical "@" face.
#include <algorithm>
#include <string>

#include "platform/base/winerror.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/font_map.h"
#include "platform/gdi/gdi_table.h"

namespace plat::gdi {
namespace {

template <std::size_t N>
void CopyName(std::u16string_view name, WCHAR (&out)[N]) {
  const std::size_t n = std::min(name.size(), N - 1);
  std::copy_n(name.begin(), n, out);
  out[n] = 0;
}

std::u16string NameOf(const WCHAR* name, std::size_t limit) {
  std::u16string out;
  for (std::size_t i = 0; i < limit && name[i] != 0; ++i) out.push_back(name[i]);
  return out;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

// Describes one face of a family (vertical with a leading "@") and calls
// the procedure; its answer, or 1 when the face cannot be realized.
int Report(std::u16string_view face, bool bold, FONTENUMPROCW proc, LPARAM data) {
  LOGFONTW logical{};
  logical.lfHeight = -16;
  logical.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  CopyName(face, logical.lfFaceName);
  ENUMLOGFONTEXW font{};
  NEWTEXTMETRICEXW metrics{};
  {
    std::lock_guard guard(RasterLock());
    const RealFont* real = RealizeFont(logical);
    if (real == nullptr) return 1;
    const TEXTMETRICW& tm = real->metrics;
    metrics.ntmTm.tm = tm;
    metrics.ntmTm.ntmSizeEM = real->unitsPerEm;
    metrics.ntmTm.ntmCellHeight = static_cast<UINT>(tm.tmHeight);
    metrics.ntmTm.ntmAvgWidth = static_cast<UINT>(tm.tmAveCharWidth);
    metrics.ntmFontSig.fsCsb[0] = 1;  // Latin 1
    font.elfLogFont = logical;
    font.elfLogFont.lfHeight = tm.tmHeight;
    font.elfLogFont.lfWidth = tm.tmAveCharWidth;
    font.elfLogFont.lfCharSet = ANSI_CHARSET;
    font.elfLogFont.lfPitchAndFamily = static_cast<BYTE>((tm.tmPitchAndFamily & 0xF0) |
                                                         ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) ? VARIABLE_PITCH : FIXED_PITCH));
  }
  const std::u16string style = bold ? u"Bold" : u"Regular";
  CopyName(bold ? std::u16string(face) + u" Bold" : std::u16string(face), font.elfFullName);
  CopyName(style, font.elfStyle);
  CopyName(u"Western", font.elfScript);
  return proc(&font.elfLogFont, &metrics.ntmTm.tm, TRUETYPE_FONTTYPE, data);
}

// Enumerates every family (one face each) or one family's styles.
int Enumerate(std::u16string_view family, FONTENUMPROCW proc, LPARAM data) {
  int answer = 1;
  for (const std::u16string& installed : InstalledFamilies()) {
    for (const std::u16string& face : {installed, u"@" + installed}) {
      if (family.empty()) {
        answer = Report(face, false, proc, data);
        if (answer == 0) return 0;
      } else if (SameName(family, face)) {
        for (bool bold : {false, true}) {
          answer = Report(face, bold, proc, data);
          if (answer == 0) return 0;
        }
      }
    }
  }
  return answer;
}

}  // namespace
}  // namespace plat::gdi

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (font == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  plat::gdi::GdiObject o;
  o.type = OBJ_FONT;
  o.logfont = *font;
  o.logfont.lfFaceName[LF_FACESIZE - 1] = 0;  // a name that fills the field ends there
  return static_cast<HFONT>(plat::gdi::AddObject(std::move(o)));
}

int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM data) {
  if (proc == nullptr || !plat::gdi::DescribeDC(dc, nullptr, nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return plat::gdi::Enumerate(family != nullptr ? plat::gdi::NameOf(family, LF_FACESIZE) : std::u16string(), proc,
                              data);
}

int EnumFontFamiliesExW(HDC dc, const LOGFONTW* font, FONTENUMPROCW proc, LPARAM data, DWORD flags) {
  if (font == nullptr || proc == nullptr || flags != 0 || !plat::gdi::DescribeDC(dc, nullptr, nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // The families hold Western characters only.
  if (font->lfCharSet != DEFAULT_CHARSET && font->lfCharSet != ANSI_CHARSET) return 1;
  return plat::gdi::Enumerate(plat::gdi::NameOf(font->lfFaceName, LF_FACESIZE), proc, data);
}
