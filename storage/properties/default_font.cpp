#include "storage/properties/default_font.h"

#include "platform/text/wintext.h"
#include "settings/context/context_names.h"

namespace {

constexpr WCHAR kLatinFace[] = u"Arial";
// The proportional gothic face of Japanese systems (full-width letters).
constexpr WCHAR kJapaneseFace[] = u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";

}  // namespace

void KESMGetDefaultFont(UCB* ucb, LPWSTR buffer) {
  if (buffer == nullptr) return;
  lstrcpynW(buffer, ucb != nullptr && IsDOM(ucb) ? kJapaneseFace : kLatinFace, kDefaultFontChars);
}
