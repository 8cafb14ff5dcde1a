// The conversion loops behind the code-page services of the stand-in: one
// pass over the input that writes whole characters while they fit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/text/codepage_table.h"

namespace plat::cp {

// Output of a conversion. Writes whole characters (one or more units) while
// they fit in the capacity and counts them; without a buffer it only counts.
// Once a character does not fit, nothing more is written.
template <class T>
class Sink {
 public:
  Sink(T* dst, std::size_t capacity) : dst_(dst), cap_(capacity) {}
  bool Put(T unit) { return Put(&unit, 1); }
  // Puts one character of n units, all or nothing; false once full.
  bool Put(const T* units, std::size_t n) {
    if (full_ || cap_ - count_ < n) {
      full_ = true;
      return false;
    }
    if (dst_ != nullptr) std::copy(units, units + n, dst_ + count_);
    count_ += n;
    return true;
  }
  std::size_t count() const { return count_; }
  bool full() const { return full_; }

 private:
  T* dst_;
  std::size_t cap_;
  std::size_t count_ = 0;
  bool full_ = false;
};

enum class ConvResult { kOk, kInvalidInput, kNoTables };

// Decodes multibyte text to UTF-16. Invalid sequences become the code
// page's default character, or end the conversion with kInvalidInput when
// strict.
ConvResult Decode(const CodePageInfo& info, std::string_view src, bool strict, Sink<WCHAR>& out);

// Encodes UTF-16 to multibyte text. Characters without a mapping become
// defaultChar (one byte, or two for a double-byte default) and set
// *usedDefault. A lone surrogate is invalid input for UTF-8: U+FFFD, or
// kInvalidInput when strict.
struct DefaultChar {
  char bytes[2];
  int size;
};
ConvResult Encode(const CodePageInfo& info, std::u16string_view src, DefaultChar defaultChar,
                  bool strict, Sink<char>& out, bool* usedDefault);

}  // namespace plat::cp
