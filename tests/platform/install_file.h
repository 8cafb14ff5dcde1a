// Puts a file into the current test machine's drive C: (relative path with
// "/" separators), as an installer would.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/machine.h"
#include "platform/modules/winmodule.h"

namespace kesm_test {

inline std::filesystem::path InstallFile(const std::filesystem::path& source,
                                         const std::string& relative) {
  std::filesystem::path target = plat::DriveRoot() / relative;
  std::filesystem::create_directories(target.parent_path());
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
  return target;
}

inline std::filesystem::path WriteFile(const std::string& relative, const std::string& bytes) {
  std::filesystem::path target = plat::DriveRoot() / relative;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream(target, std::ios::binary) << bytes;
  return target;
}

// The module of tests/data/resources/testpictures.krc, installed and
// loaded as the machine's PICTURES.DLL; null when it does not load.
inline HMODULE LoadPicturesModule(const std::filesystem::path& built) {
  InstallFile(built, "Windows/System32/PICTURES.DLL");
  return LoadLibraryW(u"C:\\Windows\\System32\\pictures.dll");
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace kesm_test
