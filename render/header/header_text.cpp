#include "render/header/header_text.h"

#include "render/platform/code_page.h"

namespace {

constexpr char kQuoteStandIn = '\'';
constexpr char kControlStandIn = ' ';

bool IsControl(BYTE b) { return b < 0x20 || b == 0x7F; }

}  // namespace

ULONG EscapeHeaderText(LPSTR text, ULONG bytes, UINT codePage, ULONG limit) {
  ULONG i = 0;
  while (i < bytes) {
    const auto b = static_cast<BYTE>(text[i]);
    ULONG width = 1;
    if (MyIsDBCSLeadByteEx(codePage, b)) {
      // A whole double-byte character stays as it is: its second byte is
      // never a control byte or a quote on the double-byte pages. A lead
      // byte without a proper second byte is no character.
      const bool whole = i + 1 < bytes && !IsControl(static_cast<BYTE>(text[i + 1])) && text[i + 1] != '"';
      if (whole) {
        width = 2;
      } else {
        text[i] = '?';
      }
    } else if (b == '"') {
      text[i] = kQuoteStandIn;
    } else if (IsControl(b)) {
      text[i] = kControlStandIn;
    }
    if (i + width > limit) break;
    i += width;
  }
  return i;
}
