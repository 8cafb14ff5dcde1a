#include "storage/properties/default_font.h"

#include "platform/text/wintext.h"

void KESMGetDefaultFont(UCB* /*ucb*/, LPWSTR buffer) {
  if (buffer != nullptr) lstrcpynW(buffer, u"Arial", kDefaultFontChars);
}
