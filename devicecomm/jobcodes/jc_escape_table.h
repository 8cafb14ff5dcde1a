// The job codes that travel to the rendering library on document events:
// each kind's private escape, the wide buffer it is fetched into and the
// exact size of the ANSI text the escape carries.
#pragma once

#include <span>

#include "platform/base/wintypes.h"

struct JCESCAPE {
  DWORD dwKind;
  int iEscape;
  WORD cbWide;     // bytes of the wide buffer the library fills
  WORD cbPayload;  // bytes of the escape's input, the text zero-padded
};

// Kinds 1-8 in the order of the kind table; the other kinds have no escape.
std::span<const JCESCAPE> JCEscapeTable();
const JCESCAPE* JCFindEscape(DWORD kind);
