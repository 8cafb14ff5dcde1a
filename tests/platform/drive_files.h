// Host-side access to files of the current machine's drive C:, so that tests
// can lay out and inspect files without the services under test.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/machine.h"

namespace drive {

inline std::filesystem::path Host(std::string_view relative) {
  return plat::DriveRoot() / relative;
}

// Writes a file (and its folders) with exactly these bytes.
inline void Put(std::string_view relative, std::string_view bytes) {
  const auto path = Host(relative);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// The file's bytes, or "<missing>".
inline std::string Get(std::string_view relative) {
  std::ifstream in(Host(relative), std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(std::string_view relative) { return std::filesystem::exists(Host(relative)); }

// Names of the entries of a folder, sorted.
inline std::string List(std::string_view relative) {
  std::string out;
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(Host(relative))) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  for (const auto& n : names) out += n + ";";
  return out;
}

}  // namespace drive
