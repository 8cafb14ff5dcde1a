// System facts: defaults, their stored form in the machine's fact file, and
// the controls that set them.
#include "platform/system/sysfacts.h"

#include <charconv>
#include <cstdio>

#include "platform/text/locale_table.h"
#include "platform/system/sysfacts_store.h"
#include "platform/text/utf.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"

namespace plat {
namespace {

constexpr char kVersionKey[] = "os.version";
constexpr char kServicePackKey[] = "os.servicepack";
constexpr char kAdminKey[] = "user.administrator";
constexpr char kLocaleKey[] = "locale.user";
constexpr char kWindowsDirKey[] = "dir.windows";
constexpr char kSystemDirKey[] = "dir.system";
constexpr LCID kDefaultLocale = 0x0409;

// Environment entries are stored as "=value" when set and "!" when removed,
// so that a removed variable with a default stays removed.
std::string EnvironmentKey(std::u16string_view name) {
  std::string upper = utf::ToUtf8(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return "env." + upper;
}

std::u16string StoredText(const char* key, std::u16string_view fallback) {
  auto value = facts::Read(key);
  return value ? utf::FromUtf8(*value) : std::u16string(fallback);
}

std::optional<std::u16string> DefaultEnvironmentValue(std::string_view key) {
  if (key == "env.SYSTEMROOT" || key == "env.WINDIR") return WindowsDirectory();
  if (key == "env.SYSTEMDRIVE") return WindowsDirectory().substr(0, 2);
  return std::nullopt;
}

bool StorableText(LPCWSTR text, std::size_t limit) {
  if (text == nullptr) return false;
  std::u16string_view view(text);
  return !view.empty() && view.size() < limit &&
         view.find_first_of(u"\r\n") == std::u16string_view::npos;
}

// A full path on drive C:, the machine's only drive, that a Windows or
// system directory can take.
bool IsDirectoryOnDrive(LPCWSTR path) {
  if (!StorableText(path, MAX_PATH)) return false;
  std::u16string_view view(path);
  return view.size() > 3 && (view[0] == u'C' || view[0] == u'c') && view[1] == u':' &&
         (view[2] == u'\\' || view[2] == u'/');
}

}  // namespace

OsVersionFacts CurrentOsVersion() {
  OsVersionFacts result;
  result.numbers.servicePack = nullptr;
  if (auto stored = facts::Read(kVersionKey)) {
    OsVersion& v = result.numbers;
    unsigned values[9] = {};
    if (std::sscanf(stored->c_str(), "%u.%u.%u.%u.%u.%u.%u.%u", &values[0], &values[1],
                    &values[2], &values[3], &values[4], &values[5], &values[6],
                    &values[7]) == 8) {
      v.major = values[0];
      v.minor = values[1];
      v.build = values[2];
      v.platformId = values[3];
      v.servicePackMajor = static_cast<WORD>(values[4]);
      v.servicePackMinor = static_cast<WORD>(values[5]);
      v.suiteMask = static_cast<WORD>(values[6]);
      v.productType = static_cast<BYTE>(values[7]);
    }
  }
  result.servicePack = StoredText(kServicePackKey, OsVersion{}.servicePack);
  return result;
}

bool IsAdministrator() { return facts::Read(kAdminKey).value_or("1") == "1"; }

LCID UserDefaultLocale() {
  auto stored = facts::Read(kLocaleKey);
  LCID lcid = kDefaultLocale;
  if (stored) std::from_chars(stored->data(), stored->data() + stored->size(), lcid);
  return lcid;
}

std::u16string WindowsDirectory() { return StoredText(kWindowsDirKey, u"C:\\Windows"); }
std::u16string SystemDirectory() { return StoredText(kSystemDirKey, u"C:\\Windows\\System32"); }
std::u16string CurrentDirectory() { return SystemDirectory(); }

std::optional<std::u16string> EnvironmentValue(std::u16string_view name) {
  if (name.empty() || name.find(u'=') != std::u16string_view::npos) return std::nullopt;
  std::string key = EnvironmentKey(name);
  auto stored = facts::Read(key);
  if (!stored) return DefaultEnvironmentValue(key);
  if (stored->empty() || (*stored)[0] != '=') return std::nullopt;  // removed
  return utf::FromUtf8(std::string_view(*stored).substr(1));
}

bool SetOsVersion(const OsVersion& v) {
  std::u16string_view pack = v.servicePack ? v.servicePack : u"";
  if (pack.size() > 127 || pack.find_first_of(u"\r\n") != std::u16string_view::npos) return false;
  char text[96];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u.%u.%u.%u.%u", v.major, v.minor, v.build,
                v.platformId, unsigned{v.servicePackMajor}, unsigned{v.servicePackMinor},
                unsigned{v.suiteMask}, unsigned{v.productType});
  return facts::Write(kVersionKey, text) && facts::Write(kServicePackKey, utf::ToUtf8(pack));
}

bool SetAdministrator(bool isAdministrator) {
  return facts::Write(kAdminKey, isAdministrator ? "1" : "0");
}

bool SetUserDefaultLocale(LCID locale) {
  if (FindLocale(locale) == nullptr) return false;
  return facts::Write(kLocaleKey, std::to_string(locale));
}

bool SetWindowsDirectories(LPCWSTR windowsDirectory, LPCWSTR systemDirectory) {
  if (!IsDirectoryOnDrive(windowsDirectory) || !IsDirectoryOnDrive(systemDirectory)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const std::u16string temp = std::u16string(windowsDirectory) + u"\\Temp";
  for (std::u16string_view folder : {std::u16string_view(systemDirectory), std::u16string_view(temp)}) {
    if (!CreateDirectories(folder)) return false;
  }
  return facts::Write(kWindowsDirKey, utf::ToUtf8(windowsDirectory)) &&
         facts::Write(kSystemDirKey, utf::ToUtf8(systemDirectory));
}

bool SetEnvironmentValue(LPCWSTR name, LPCWSTR value) {
  if (name == nullptr || *name == 0 || std::u16string_view(name).find(u'=') != std::u16string_view::npos) {
    return false;
  }
  if (value != nullptr && std::u16string_view(value).find_first_of(u"\r\n") != std::u16string_view::npos) {
    return false;
  }
  std::string stored = value ? "=" + utf::ToUtf8(value) : std::string("!");
  return facts::Write(EnvironmentKey(name), stored);
}

}  // namespace plat
