// Where the configuration library keeps the files that the rendering
// library reads, as paths under the simulated machine's drive. The tests
// of the one library check that it writes them there, those of the other
// that it reads them from there.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/machine.h"

namespace kesm_test {

// The shared folder from Windows 2000 on, and before it (NT 4.0).
inline constexpr const char* kSharedFolder = "_kesm";
inline constexpr const char* kSharedFolderNT4 = "Windows/System32";
// The install INI with the user codes, and the settings INI of a printer
// without per-user settings, both in the shared folder.
inline constexpr const char* kInstallIniName = "kesmins.ini";
inline constexpr const char* kSettingsIniName = "kesmusr.ini";
inline const std::string kSharedInstallIni = std::string(kSharedFolder) + "/" + kInstallIniName;
inline const std::string kSharedSettingsIni = std::string(kSharedFolder) + "/" + kSettingsIniName;

inline std::filesystem::path OnDrive(const std::string& relative) { return plat::DriveRoot() / relative; }

inline std::string DriveFileText(const std::string& relative) {
  std::ifstream in(OnDrive(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutDriveFile(const std::string& relative, const std::string& text) {
  std::filesystem::create_directories(OnDrive(relative).parent_path());
  std::ofstream(OnDrive(relative), std::ios::binary | std::ios::trunc) << text;
}

}  // namespace kesm_test
