// Text items (and the captions of push and custom buttons) show the text
// of their group's visible options, filled with the setting's value.
#include <array>
#include <string_view>

#include "platform/text/wintext.h"
#include "platform/window/winuser.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/kinds/kind_options.h"
#include "ui/resource_dll.h"

namespace {

constexpr int kTextChars = 1025;

// A text is a format of the value when its conversions are "%%" escapes
// and at most one integer conversion; any other text ("100%", "%s", two
// numbers) would read what it is not given, so it is shown as it stands.
bool TakesOneInteger(std::u16string_view text) {
  constexpr std::u16string_view kFlags = u"-+ #0";
  constexpr std::u16string_view kIntegers = u"diuxX";
  int conversions = 0;
  for (std::size_t i = text.find(u'%'); i != std::u16string_view::npos; i = text.find(u'%', i)) {
    if (++i < text.size() && text[i] == u'%') {
      ++i;
      continue;
    }
    while (i < text.size() && kFlags.find(text[i]) != std::u16string_view::npos) ++i;
    while (i < text.size() && ((text[i] >= u'0' && text[i] <= u'9') || text[i] == u'.')) ++i;
    if (i < text.size() && (text[i] == u'h' || text[i] == u'l')) ++i;
    if (i >= text.size() || kIntegers.find(text[i]) == std::u16string_view::npos) return false;
    if (++conversions > 1) return false;
  }
  return true;
}

}  // namespace

void PaintText(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  std::array<WCHAR, kTextChars> format{};
  std::array<WCHAR, kTextChars> shown{};
  bool found = false;
  for (const WORD option : VisibleOptions(ucb, icb)) {
    if (LoadStringFromResDll(ucb, option, format.data(), kTextChars, TRUE) == 0) continue;
    if (TakesOneInteger(format.data())) {
      wnsprintfW(shown.data(), kTextChars, format.data(), static_cast<int>(GetDevmodeValueByICB(ucb, icb)));
    } else {
      shown = format;
    }
    found = true;
  }
  if (!found) return;
  // Setting the same text again would only repaint the control.
  std::array<WCHAR, kTextChars> now{};
  GetWindowTextW(icb->hWnd, now.data(), kTextChars);
  if (std::u16string_view(now.data()) != std::u16string_view(shown.data())) SetWindowTextW(icb->hWnd, shown.data());
}
