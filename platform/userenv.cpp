// The logged-on user and the user-profile library.
#include "platform/userenv.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/builtin_modules.h"
#include "platform/handles.h"
#include "platform/machine.h"
#include "platform/module_names.h"
#include "platform/winerror.h"
#include "platform/winpath.h"

namespace plat {
namespace {

constexpr std::u16string_view kDefaultUserName = u"User";
constexpr std::u16string_view kProfilesFolder = u"C:\\Users\\";
constexpr std::u16string_view kBadNameCharacters = u"\\/:*?\"<>|";

// One fact per file below <root>/facts, stored as UTF-16 units.
std::filesystem::path FactFile(const char* name) { return MachineRoot() / "facts" / name; }

std::u16string ReadFact(const char* name) {
  std::ifstream in(FactFile(name), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::u16string text(bytes.size() / 2, u'\0');
  std::copy_n(bytes.data(), text.size() * 2, reinterpret_cast<char*>(text.data()));
  return text;
}

bool WriteFact(const char* name, std::u16string_view value) {
  if (MachineRoot().empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(FactFile(name).parent_path(), ec);
  std::ofstream out(FactFile(name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(value.data()),
            static_cast<std::streamsize>(value.size() * 2));
  return static_cast<bool>(out.flush());
}

// Makes the folder and each missing folder on the way to it.
bool MakeFolder(std::u16string_view windowsPath) {
  std::error_code ec;
  std::optional<std::filesystem::path> host;
  for (std::size_t end = 3; end <= windowsPath.size(); ++end) {
    if (end < windowsPath.size() && windowsPath[end] != u'\\' && windowsPath[end] != u'/') continue;
    host = HostPathOf(std::u16string(windowsPath.substr(0, end)).c_str());
    if (!host) return false;
    std::filesystem::create_directory(*host, ec);
  }
  return host && std::filesystem::is_directory(*host, ec);
}

}  // namespace

std::span<const BuiltinExport> UserEnvExports() {
  static const BuiltinExport exports[] = {
      {"GetUserProfileDirectoryW", reinterpret_cast<FARPROC>(&GetUserProfileDirectoryW)},
  };
  return exports;
}

std::u16string UserName() {
  std::u16string name = ReadFact("user-name");
  return name.empty() ? std::u16string(kDefaultUserName) : name;
}

std::u16string UserProfileDirectory() {
  std::u16string folder = ReadFact("user-profile");
  if (folder.empty()) folder = std::u16string(kProfilesFolder) + UserName();
  MakeFolder(folder);
  return folder;
}

bool SetUserName(std::u16string_view name) {
  bool valid = !name.empty() && name != u"." && name != u".." &&
               name.find_first_of(kBadNameCharacters) == name.npos &&
               std::none_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20; });
  return valid && WriteFact("user-name", name);
}

bool SetUserProfileDirectory(std::u16string_view windowsPath) {
  return modname::IsFullPath(windowsPath) && MakeFolder(windowsPath) &&
         WriteFact("user-profile", windowsPath);
}

}  // namespace plat

BOOL GetUserProfileDirectoryW(HANDLE token, LPWSTR profileDir, LPDWORD size) {
  if (size == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (plat::HandleObject(token) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::u16string folder = plat::UserProfileDirectory();
  DWORD needed = static_cast<DWORD>(folder.size() + 1);
  if (profileDir == nullptr || *size < needed) {
    *size = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::copy(folder.begin(), folder.end(), profileDir);
  profileDir[folder.size()] = 0;
  *size = needed;
  return TRUE;
}
