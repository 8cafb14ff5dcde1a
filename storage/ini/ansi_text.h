// ANSI text (the process code page) as INI files and set files hold it.
// Internal to storage/.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace storage {

// Section and key names take at most this many ANSI bytes, terminator
// included.
inline constexpr std::size_t kNameBytes = 522;

// Converts wide text to ANSI. False when it would not fit in maxBytes with
// a terminator (maxBytes 0: no limit).
bool ToAnsi(std::u16string_view text, std::string* out, std::size_t maxBytes = 0);
// Converts ANSI text to wide text.
std::u16string FromAnsi(std::string_view text);
// The longest prefix of at most maxBytes bytes that does not split a
// double-byte character.
std::size_t WholeCharacters(std::string_view text, std::size_t maxBytes);
// Equality ignoring case, character by character in the ANSI code page.
bool SameAnsiIgnoringCase(std::string_view a, std::string_view b);

}  // namespace storage
