// Building names and paths in fixed-size work-area fields. Internal to the
// context names.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/base/wintypes.h"

namespace names {

// Text of at most Capacity - 1 characters built by appending parts. An
// append that would not leave room for the terminator marks the text as
// not fitting; it then stays so.
template <std::size_t Capacity>
class BoundedText {
 public:
  BoundedText& Append(std::u16string_view part) {
    if (!fits_ || part.size() >= Capacity - length_) {
      fits_ = false;
      return *this;
    }
    part.copy(text_ + length_, part.size());
    length_ += part.size();
    text_[length_] = 0;
    return *this;
  }
  bool fits() const { return fits_; }
  std::u16string_view view() const { return {text_, length_}; }
  WCHAR* data() { return text_; }

 private:
  WCHAR text_[Capacity] = {};
  std::size_t length_ = 0;
  bool fits_ = true;
};

// Stores text in a field when it fits with its terminator; else empties
// the field. Returns the field.
template <std::size_t N>
LPWSTR StoreField(WCHAR (&field)[N], std::u16string_view text, bool fits = true) {
  if (!fits || text.size() >= N) {
    field[0] = 0;
    return field;
  }
  // The text may come from the field itself (a prefix of it).
  for (std::size_t i = 0; i < text.size(); ++i) {
    field[i] = text[i];
  }
  field[text.size()] = 0;
  return field;
}

// The view of a terminated string; empty for null.
inline std::u16string_view View(LPCWSTR text) {
  return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

}  // namespace names
