// Text and focus drawing on the window manager's side, over the DC of the
// GDI: DrawTextW measures and draws a text in a rectangle (each line 16
// pixels high, the system font's height, characters 8 wide on average until
// fonts carry metrics) and records itself in the DC's log with its format
// and rectangle; DrawFocusRect records the dotted focus frame.
#include <algorithm>
#include <string_view>

#include "platform/gdi/gdi_log.h"
#include "platform/window/winuser_draw.h"

namespace {

constexpr int kLineHeight = 16;
constexpr int kCharWidth = 8;

}  // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  if (dc == nullptr || text == nullptr || rect == nullptr) return 0;
  const auto* chars = reinterpret_cast<const char16_t*>(text);
  std::u16string_view s = count < 0 ? std::u16string_view(chars) : std::u16string_view(chars, static_cast<std::size_t>(count));
  int lines = 1;
  std::size_t longest = 0;
  std::size_t start = 0;
  if ((format & DT_SINGLELINE) == 0) {
    for (std::size_t end; (end = s.find(u'\n', start)) != std::u16string_view::npos; start = end + 1, ++lines) {
      longest = std::max(longest, end - start);
    }
  }
  longest = std::max(longest, s.size() - start);
  const int height = lines * kLineHeight;
  if ((format & DT_CALCRECT) != 0) {
    rect->right = rect->left + static_cast<int>(longest) * kCharWidth;
    rect->bottom = rect->top + height;
    return height;
  }
  plat::gdi::RecordGdiCall(dc, "DrawTextW",
                           {static_cast<LONG_PTR>(s.size()), rect->left, rect->top, rect->right, rect->bottom,
                            static_cast<LONG_PTR>(format)});
  return height;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  if (dc == nullptr || rect == nullptr) return FALSE;
  plat::gdi::RecordGdiCall(dc, "DrawFocusRect", {rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}
