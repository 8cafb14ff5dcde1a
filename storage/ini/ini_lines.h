// Line scanning over INI text: either text of a known length, or text that
// ends at its first zero byte (an INI image). Internal to storage/.
#pragma once

#include <string_view>

namespace storage {

class IniText {
 public:
  // Text that ends at its first zero byte.
  IniText() = default;
  // Text of a known end; zero bytes inside it are ordinary bytes.
  explicit IniText(const char* end) : end_(end) {}

  bool AtEnd(const char* p) const { return end_ != nullptr ? p >= end_ : *p == '\0'; }
  // The start of the next line: after the line feed, or the end.
  const char* NextLine(const char* p) const {
    while (!AtEnd(p) && *p != '\n') ++p;
    return AtEnd(p) ? p : p + 1;
  }
  // A line that ends a section body: the end of the text, or a header.
  bool EndsSection(const char* p) const { return AtEnd(p) || *p == '['; }
  // Whether the line at p starts with name (ignoring case) followed at once
  // by close. Never reads past the line or the text.
  bool NameAt(const char* p, std::string_view name, char close) const;
  // Whether the line at p is the header of the named section.
  bool HeaderAt(const char* p, std::string_view name) const {
    return !AtEnd(p) && *p == '[' && NameAt(p + 1, name, ']');
  }

 private:
  const char* end_ = nullptr;
};

}  // namespace storage
