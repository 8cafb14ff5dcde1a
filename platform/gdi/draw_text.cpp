// DrawTextW: lines broken at newlines and, with DT_WORDBREAK, between words
// by the font's extents; tabs expanded to stops eight average characters
// apart with DT_EXPANDTABS; an end ellipsis for lines too wide; alignment in
// the rectangle; DT_CALCRECT measures without drawing.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/text_draw.h"

namespace plat::gdi {
namespace {

constexpr std::u16string_view kEllipsis = u"...";

constexpr std::size_t kNoMnemonic = std::u16string::npos;

// The text with mnemonic prefixes taken out: "&x" shows x, "&&" shows "&".
// `mnemonic` gets the index in the result of the last prefixed character,
// the one underlined.
std::u16string WithoutPrefixes(std::u16string_view text, std::size_t* mnemonic) {
  std::u16string out;
  *mnemonic = kNoMnemonic;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&') *mnemonic = out.size();
    } else if (text[i] == u'&') {
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
  std::vector<std::u16string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    if (text[i] == u'\n' || text[i] == u'\r') {
      lines.emplace_back();
      continue;
    }
    lines.back().push_back(text[i]);
  }
  return lines;
}

// The text with each tab replaced by the spaces that reach the next tab
// stop (every eight average character widths from its line's start), at
// least one; `mnemonic` moves with the character it marks.
std::u16string WithTabsExpanded(const RealFont& font, const std::u16string& text, std::size_t* mnemonic) {
  const LONG stop = 8 * std::max<LONG>(1, font.metrics.tmAveCharWidth);
  std::u16string out;
  std::size_t lineStart = 0;
  std::size_t marked = kNoMnemonic;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == *mnemonic) marked = out.size();
    const char16_t c = text[i];
    if (c != u'\t') {
      out.push_back(c);
      if (c == u'\n' || c == u'\r') lineStart = out.size();
      continue;
    }
    const std::u16string_view line = std::u16string_view(out).substr(lineStart);
    const LONG next = (Extent(font, line) / stop + 1) * stop;
    do {
      out.push_back(u' ');
    } while (Extent(font, std::u16string_view(out).substr(lineStart)) < next);
  }
  *mnemonic = marked;
  return out;
}

// A line broken between words so that each piece fits the width where it
// can; a word wider than the width stands alone.
std::vector<std::u16string> BreakWords(const RealFont& font, const std::u16string& line, LONG width) {
  std::vector<std::u16string> out;
  std::u16string current;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t end = line.find(u' ', i);
    if (end == std::u16string::npos) end = line.size();
    const std::u16string word = line.substr(i, end - i);
    const std::u16string tried = current.empty() ? word : current + u" " + word;
    if (!current.empty() && Extent(font, tried) > width) {
      out.push_back(current);
      current = word;
    } else {
      current = tried;
    }
    i = end + 1;
  }
  out.push_back(current);
  return out;
}

// The line cut at its end with an ellipsis so that it fits, when it does not.
std::u16string Ellipsized(const RealFont& font, std::u16string line, LONG width) {
  if (Extent(font, line) <= width) return line;
  while (!line.empty() && Extent(font, line + std::u16string(kEllipsis)) > width) line.pop_back();
  return line + std::u16string(kEllipsis);
}

struct Layout {
  std::vector<std::u16string> lines;
  std::size_t underlinedLine = kNoMnemonic;  // the line and character the mnemonic's underline goes under
  std::size_t underlinedChar = 0;
};

// Finds the mnemonic's line: each line is a piece of the shown text, in
// order; a line cut by an ellipsis past the mnemonic shows no underline.
void PlaceMnemonic(const std::u16string& shown, std::size_t mnemonic, Layout& layout) {
  if (mnemonic == kNoMnemonic) return;
  std::size_t from = 0;
  for (std::size_t n = 0; n < layout.lines.size(); ++n) {
    const std::u16string& line = layout.lines[n];
    const std::size_t at = shown.find(line, from);
    if (at == std::u16string::npos) continue;
    if (mnemonic >= at && mnemonic < at + line.size()) {
      layout.underlinedLine = n;
      layout.underlinedChar = mnemonic - at;
      return;
    }
    from = at + line.size();
  }
}

Layout LayOut(const RealFont& font, std::u16string_view text, LONG width, UINT format) {
  std::size_t mnemonic = kNoMnemonic;
  std::u16string shown = (format & DT_NOPREFIX) ? std::u16string(text) : WithoutPrefixes(text, &mnemonic);
  if (format & DT_EXPANDTABS) shown = WithTabsExpanded(font, shown, &mnemonic);
  Layout layout;
  std::vector<std::u16string>& lines = layout.lines;
  if (format & DT_SINGLELINE) {
    lines.push_back(shown);
  } else {
    for (const std::u16string& line : SplitLines(shown)) {
      if (format & DT_WORDBREAK) {
        for (std::u16string& piece : BreakWords(font, line, width)) lines.push_back(std::move(piece));
      } else {
        lines.push_back(line);
      }
    }
  }
  if (format & DT_END_ELLIPSIS) {
    for (std::u16string& line : lines) line = Ellipsized(font, line, width);
  }
  PlaceMnemonic(shown, mnemonic, layout);
  return layout;
}

}  // namespace
}  // namespace plat::gdi

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  if (text == nullptr || rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  using namespace plat::gdi;
  Canvas canvas;
  if (!ResolveCanvas(dc, &canvas)) return 0;
  int height = 0;
  RECT underline{};  // drawn after the text, in the text colour
  {
    std::lock_guard guard(RasterLock());
    const RealFont* font = FontOf(canvas);
    if (font == nullptr) return 0;
    const RECT r = *rect;
    const LONG width = r.right - r.left;
    const Layout layout = LayOut(*font, TextOf(text, count), width, format);
    const std::vector<std::u16string>& lines = layout.lines;
    const LONG lineHeight = font->metrics.tmHeight;
    height = static_cast<int>(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
      LONG widest = 0;
      for (const std::u16string& line : lines) widest = std::max(widest, Extent(*font, line));
      rect->right = r.left + widest;
      rect->bottom = r.top + height;
      return height;
    }
    EngineSurface surface(*canvas.bitmap);
    if (surface.get() == nullptr) return 0;
    LONG y = r.top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) y = r.top + (r.bottom - r.top - lineHeight) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) y = r.bottom - lineHeight;
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : &r;
    for (std::size_t n = 0; n < lines.size(); ++n) {
      const std::u16string& line = lines[n];
      const LONG w = Extent(*font, line);
      LONG x = r.left;
      if (format & DT_CENTER) x = r.left + (width - w) / 2;
      else if (format & DT_RIGHT) x = r.right - w;
      if (!DrawString(canvas, surface.get(), *font, POINT{x, y}, line, nullptr, nullptr, clip)) return 0;
      if (n == layout.underlinedLine) {
        const std::u16string_view before = std::u16string_view(line).substr(0, layout.underlinedChar);
        const LONG left = x + Extent(*font, before);
        const LONG under = y + font->metrics.tmAscent + 1;
        underline = RECT{left, under, left + Extent(*font, std::u16string_view(line).substr(layout.underlinedChar, 1)),
                         under + 1};
        if (clip != nullptr) {
          underline = RECT{std::max(underline.left, clip->left), std::max(underline.top, clip->top),
                           std::min(underline.right, clip->right), std::min(underline.bottom, clip->bottom)};
        }
      }
      y += lineHeight;
    }
  }
  const bool underlined = underline.left < underline.right && underline.top < underline.bottom;
  if (underlined && !FillColor(dc, underline, GetTextColor(dc))) return 0;
  RecordGdiCall(dc, "DrawTextW", {static_cast<LONG_PTR>(TextOf(text, count).size()), rect->left, rect->top, rect->right,
                                  rect->bottom, static_cast<LONG_PTR>(format)});
  return height;
}
