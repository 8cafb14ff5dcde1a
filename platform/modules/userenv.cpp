// The logged-on user and the user-profile library.
#include "platform/modules/userenv.h"

#include <algorithm>

#include "platform/modules/builtin_modules.h"
#include "platform/modules/module_names.h"
#include "platform/system/sysfacts_store.h"
#include "platform/security/token.h"
#include "platform/text/utf.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"

namespace plat {
namespace {

constexpr std::u16string_view kDefaultUserName = u"User";
constexpr std::u16string_view kProfilesFolder = u"C:\\Users\\";
constexpr std::u16string_view kBadNameCharacters = u"\\/:*?\"<>|";

// The user's facts are system facts of the machine.
constexpr char kUserNameKey[] = "user.name";
constexpr char kUserProfileKey[] = "user.profile";

std::u16string ReadFact(const char* key) {
  auto value = facts::Read(key);
  return value ? utf::FromUtf8(*value) : std::u16string();
}

bool WriteFact(const char* key, std::u16string_view value) {
  return facts::Write(key, utf::ToUtf8(value));
}

}  // namespace

std::span<const BuiltinExport> UserEnvExports() {
  static const BuiltinExport exports[] = {
      {"GetUserProfileDirectoryW", reinterpret_cast<FARPROC>(&GetUserProfileDirectoryW)},
  };
  return exports;
}

std::u16string UserName() {
  std::u16string name = ReadFact(kUserNameKey);
  return name.empty() ? std::u16string(kDefaultUserName) : name;
}

std::u16string UserProfileDirectory() {
  std::u16string folder = ReadFact(kUserProfileKey);
  if (folder.empty()) folder = std::u16string(kProfilesFolder) + UserName();
  CreateDirectories(folder);
  return folder;
}

bool SetUserName(std::u16string_view name) {
  bool valid = !name.empty() && name != u"." && name != u".." &&
               name.find_first_of(kBadNameCharacters) == name.npos &&
               std::none_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20; });
  return valid && WriteFact(kUserNameKey, name);
}

bool SetUserProfileDirectory(std::u16string_view windowsPath) {
  return modname::IsFullPath(windowsPath) && CreateDirectories(windowsPath) &&
         WriteFact(kUserProfileKey, windowsPath);
}

}  // namespace plat

BOOL GetUserProfileDirectoryW(HANDLE token, LPWSTR profileDir, LPDWORD size) {
  if (size == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (plat::HandleAs<plat::TokenObject>(token) == nullptr) return FALSE;  // ERROR_INVALID_HANDLE
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
