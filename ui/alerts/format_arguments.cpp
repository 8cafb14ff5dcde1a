#include "ui/alerts/format_arguments.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/text/wintext.h"

namespace {

enum class Reads { kNothing, kNumber, kString };

struct Conversion {
  std::size_t length;  // characters of the whole conversion, '%' included
  Reads reads;
  std::u16string piece;  // the conversion as the formatter is given it
};

constexpr std::u16string_view kNumberLetters = u"diuxXcCp";

// The conversion that starts at format[at] (a '%').
Conversion Parse(std::u16string_view format, std::size_t at) {
  std::size_t i = at + 1;
  while (i < format.size() && std::u16string_view(u"-0#+ ").find(format[i]) != std::u16string_view::npos) ++i;
  while (i < format.size() && ((format[i] >= u'0' && format[i] <= u'9') || format[i] == u'.')) ++i;
  const std::size_t sizeStart = i;
  while (i < format.size() && (format[i] == u'h' || format[i] == u'l')) ++i;
  if (i >= format.size()) return {format.size() - at, Reads::kNothing, std::u16string(format.substr(at))};
  const char16_t letter = format[i];
  const std::size_t length = i + 1 - at;
  std::u16string piece(format.substr(at, length));
  if (letter == u's' || letter == u'S') {
    // Every string handed over is wide.
    piece = std::u16string(format.substr(at, sizeStart - at)) + u"ls";
    return {length, Reads::kString, piece};
  }
  if (kNumberLetters.find(letter) != std::u16string_view::npos) {
    if (letter == u'p') piece.back() = u'x';
    return {length, Reads::kNumber, piece};
  }
  return {length, Reads::kNothing, piece};  // "%%" and letters that read nothing
}

template <typename T>
std::u16string Piece(const std::u16string& piece, T arg) {
  std::vector<WCHAR> out(1024, 0);
  wnsprintfW(out.data(), static_cast<int>(out.size()), piece.c_str(), arg);
  return std::u16string(out.data());
}

// Formats each conversion of the template alone, asking supply for the
// argument of the n-th one that reads something.
std::u16string Format(std::u16string_view format, std::size_t limit,
                      const std::function<std::u16string(int, const Conversion&)>& supply) {
  std::u16string out;
  int index = 0;
  for (std::size_t at = 0; at < format.size() && out.size() < limit;) {
    const std::size_t percent = format.find(u'%', at);
    out.append(format.substr(at, percent == std::u16string_view::npos ? std::u16string_view::npos : percent - at));
    if (percent == std::u16string_view::npos) break;
    const Conversion c = Parse(format, percent);
    out += c.reads == Reads::kNothing ? Piece(c.piece, 0) : supply(index++, c);
    at = percent + c.length;
  }
  if (out.size() > limit) out.resize(limit);
  return out;
}

}  // namespace

bool FirstConversionTakesString(std::u16string_view format) {
  for (std::size_t at = format.find(u'%'); at != std::u16string_view::npos; ) {
    const Conversion c = Parse(format, at);
    if (c.reads != Reads::kNothing) return c.reads == Reads::kString;
    at = format.find(u'%', at + c.length);
  }
  return false;
}

std::u16string FormatOne(std::u16string_view format, const void* arg, std::size_t limit) {
  return Format(format, limit, [&](int index, const Conversion& c) {
    if (c.reads == Reads::kString) {
      return Piece(c.piece, index == 0 && arg != nullptr ? static_cast<LPCWSTR>(arg) : u"");
    }
    return Piece(c.piece, index == 0 ? static_cast<int>(reinterpret_cast<std::intptr_t>(arg)) : 0);
  });
}

std::u16string FormatList(std::u16string_view format, const WORD* values, int count, std::size_t limit) {
  return Format(format, limit, [&](int index, const Conversion& c) {
    if (c.reads == Reads::kString) return Piece(c.piece, u"");
    return Piece(c.piece, index < count && values != nullptr ? static_cast<int>(values[index]) : 0);
  });
}
