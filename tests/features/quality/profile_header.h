// The bytes of a colour profile file for the header check: the marks at
// offsets 4, 12, 20, 36 and 48 (the last one the maker's), in a file of
// `size` bytes; a short file ends inside its marks.
#pragma once

#include <cstddef>
#include <string>

namespace features_test {

inline std::string ProfileHeader(const std::string& maker = "TALV", std::size_t size = 128) {
  std::string bytes(size, '\0');
  const auto put = [&](std::size_t at, const std::string& mark) {
    for (std::size_t i = 0; i < mark.size() && at + i < bytes.size(); ++i) bytes[at + i] = mark[i];
  };
  put(4, "TCMS");
  put(12, "prtr");
  put(20, "RGB ");
  put(36, "acsp");
  put(48, maker);
  return bytes;
}

}  // namespace features_test
