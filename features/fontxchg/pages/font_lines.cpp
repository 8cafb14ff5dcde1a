// The TrueType fonts of the system into a font page's list or combo box.
#include "features/fontxchg/pages/font_lines.h"

#include <algorithm>
#include <exception>

#include "platform/window/winuser_controls.h"
#include "settings/tables/dialog_tables.h"

namespace {

std::u16string_view FaceOf(const LOGFONTW& font) {
  const WCHAR* end = std::find(std::begin(font.lfFaceName), std::end(font.lfFaceName), u'\0');
  return {font.lfFaceName, static_cast<std::size_t>(end - font.lfFaceName)};
}

// Copies text into the record's line, cut to fit and terminated.
void PutLine(FONTENUMRECORD& record, std::u16string_view text) {
  const std::size_t n = std::min<std::size_t>(text.size(), kFontLineChars - 1);
  std::copy_n(text.begin(), n, record.line);
  record.line[n] = 0;
}

void AddExchangeLine(FONTENUMRECORD& record, std::u16string_view face) {
  WCHAR printer[kFontNameBufferChars] = {};
  const std::u16string faceText(face);
  GetFontExchangeName(record.ucb, faceText.c_str(), printer);
  PutLine(record, FontExchangeLine(face, printer));
  SendMessageW(record.icb->hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.line));
}

void AddBareFace(FONTENUMRECORD& record, std::u16string_view face) {
  PutLine(record, face);
  const LRESULT index = SendMessageW(record.icb->hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.line));
  if (index == CB_ERR || index < 0) return;
  SendMessageW(record.icb->hWnd, CB_SETITEMDATA, static_cast<WPARAM>(index), index);
}

}  // namespace

std::u16string FontExchangeLine(std::u16string_view face, std::u16string_view printer) {
  std::u16string line(face.substr(0, kFontLineFaceChars - 1));
  line.resize(kFontLineFaceChars - 1, u' ');
  line += u" > ";
  line += printer.substr(0, kFontNameBufferChars - 1);
  return line;
}

std::u16string FontLineFace(std::u16string_view line) {
  std::u16string face(line.substr(0, kFontLineFaceChars));
  face.erase(face.find_last_not_of(u' ') + 1);
  return face;
}

std::u16string FontLinePrinter(std::u16string_view line) {
  if (line.size() <= static_cast<std::size_t>(kFontLinePrinterAt)) return {};
  return std::u16string(line.substr(kFontLinePrinterAt));
}

int EnumFontFamProc(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType, LPARAM data) {
  auto* record = reinterpret_cast<FONTENUMRECORD*>(data);
  if (font == nullptr || record == nullptr || record->icb == nullptr) return 1;
  if ((fontType & TRUETYPE_FONTTYPE) == 0) return 1;
  const std::u16string_view face = FaceOf(*font);
  if (face.empty() || face.front() == u'@') return 1;
  try {
    if (record->icb->itemId == kItemTrueTypeList) {
      AddExchangeLine(*record, face);
    } else {
      AddBareFace(*record, face);
    }
  } catch (const std::exception&) {
    // A face that cannot be listed is left out; the others still come.
  }
  return 1;
}
