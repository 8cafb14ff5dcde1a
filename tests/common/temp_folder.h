// A new folder under the host's temporary folder for one test, removed with
// everything in it at the end; optionally the current folder meanwhile.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kesm_test {

class TempFolder {
 public:
  // The folder is named from the prefix; with enter, it is the current
  // folder until the end.
  explicit TempFolder(const std::string& prefix, bool enter = false) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "cannot make a folder from " << pattern;
      return;
    }
    path_ = pattern;
    if (enter) {
      previous_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~TempFolder() {
    std::error_code ec;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ec);
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace kesm_test
