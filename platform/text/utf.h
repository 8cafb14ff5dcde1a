// UTF-8 and UTF-16: the one reader and writer of code points that the code
// pages, the machine's fact store, host file names and the resource compiler
// share. Internal to platform/ (tools/kesmrc compiles it too).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat::utf {

// What the readers give for an ill-formed sequence.
inline constexpr char32_t kInvalid = 0xFFFFFFFF;
inline constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Reads one UTF-8 sequence at s[i] (i < s.size()). Returns the bytes it
// takes; *cp is the code point, or kInvalid for an ill-formed sequence
// (overlong, a surrogate, beyond U+10FFFF, cut short), which then covers its
// longest valid-looking prefix (at least one byte).
std::size_t ReadUtf8(std::string_view s, std::size_t i, char32_t* cp);
// Reads one character at s[i] (i < s.size()): a surrogate pair or one unit.
// *cp is kInvalid for an unpaired surrogate, which takes one unit.
std::size_t ReadUtf16(std::u16string_view s, std::size_t i, char32_t* cp);

// Writes a code point (at most U+10FFFF, no surrogate); returns the units.
std::size_t EncodeUtf8(char32_t cp, char out[4]);
std::size_t EncodeUtf16(char32_t cp, char16_t out[2]);

// Whole texts; ill-formed input becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace plat::utf
