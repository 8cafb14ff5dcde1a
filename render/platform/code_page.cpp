#include "render/platform/code_page.h"

#include "platform/text/codepage.h"

UINT MyGetACP() {
  USHORT oem = 0;
  USHORT ansi = 0;
  EngGetCurrentCodePage(&oem, &ansi);
  return ansi;
}

BOOL IsDBCSCodePage(UINT codePage) {
  switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL MyIsDBCSLeadByteEx(UINT codePage, BYTE byte) {
  if (!IsDBCSCodePage(codePage) || byte < 0x80) {
    return FALSE;
  }
  if (codePage == 932) {
    return byte <= 0xA0 || byte >= 0xDF;
  }
  return TRUE;
}
