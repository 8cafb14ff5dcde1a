// Driver records of the spooler, kept in the registry under the spooler's
// environment keys, and the environments this machine knows.
#include <array>

#include "platform/spooler/spoolstore.h"
#include "platform/host/storefile.h"
#include "platform/system/sysfacts.h"
#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"

namespace plat::spool {
namespace {

// The first row is this machine's own environment.
constexpr std::array<Environment, 2> kEnvironments{{
    {u"Windows NT x86", u"w32x86"},
    {u"Windows x64", u"x64"},
}};

std::u16string DriversKeyPath(const Environment& env) {
  return std::u16string(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + env.name +
         u"\\Drivers\\Version-3";
}

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::vector<BYTE> ReadRaw(HKEY key, const char16_t* name, DWORD& type) {
  DWORD size = 0;
  type = REG_NONE;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  std::vector<BYTE> bytes(size);
  if (RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) return {};
  bytes.resize(size);
  return bytes;
}

// The strings of a REG_SZ (one) or REG_MULTI_SZ (several) value.
std::vector<std::u16string> ReadStrings(HKEY key, const char16_t* name) {
  DWORD type = REG_NONE;
  const std::vector<BYTE> bytes = ReadRaw(key, name, type);
  std::u16string all(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < all.size(); ++i) {
    all[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  std::vector<std::u16string> list;
  for (std::size_t at = 0; at < all.size();) {
    std::size_t end = all.find(u'\0', at);
    if (end == std::u16string::npos) end = all.size();
    if (end == at) break;  // the empty string that ends a list
    list.push_back(all.substr(at, end - at));
    if (type != REG_MULTI_SZ) break;
    at = end + 1;
  }
  return list;
}

std::u16string ReadString(HKEY key, const char16_t* name) {
  auto list = ReadStrings(key, name);
  return list.empty() ? std::u16string() : std::move(list.front());
}

DWORD WriteStrings(HKEY key, const char16_t* name, DWORD type,
                   const std::vector<std::u16string>& list) {
  std::u16string all;
  for (const auto& s : list) all.append(s).push_back(u'\0');
  if (type == REG_MULTI_SZ || list.empty()) all.push_back(u'\0');
  return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(all.data()),
                        static_cast<DWORD>(all.size() * sizeof(char16_t)));
}

// The installed spelling of a driver name, or empty when not installed.
std::u16string InstalledName(const Environment& env, std::u16string_view name) {
  KeyHandle drivers;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, DriversKeyPath(env).c_str(), 0, KEY_READ, drivers.out()) !=
      ERROR_SUCCESS) {
    return {};
  }
  WCHAR found[256];
  for (DWORD i = 0;; ++i) {
    DWORD cch = 256;
    if (RegEnumKeyExW(drivers.get(), i, found, &cch, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      return {};
    }
    if (store::SameName(found, name)) return found;
  }
}

}  // namespace

const Environment* FindEnvironment(const char16_t* name) {
  if (!name) return &kEnvironments.front();
  for (const Environment& env : kEnvironments) {
    if (store::SameName(env.name, name)) return &env;
  }
  return nullptr;
}

std::u16string DriverDirectory(const Environment& env) {
  return SystemDirectory() + u"\\spool\\drivers\\" + env.folder;
}

DWORD ReadDriver(const Environment& env, std::u16string_view name, DriverRecord& driver) {
  driver = DriverRecord{};
  driver.name = InstalledName(env, name);
  KeyHandle key;
  if (driver.name.empty() ||
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, (DriversKeyPath(env) + u"\\" + driver.name).c_str(), 0,
                    KEY_READ, key.out()) != ERROR_SUCCESS) {
    return ERROR_UNKNOWN_PRINTER_DRIVER;
  }
  DWORD type = REG_NONE;
  const std::vector<BYTE> version = ReadRaw(key.get(), u"Version", type);
  if (type == REG_DWORD && version.size() == 4) {
    driver.version = version[0] | version[1] << 8 | version[2] << 16 | DWORD{version[3]} << 24;
  }
  driver.driverFile = ReadString(key.get(), u"Driver");
  driver.dataFile = ReadString(key.get(), u"Data File");
  driver.configFile = ReadString(key.get(), u"Configuration File");
  driver.helpFile = ReadString(key.get(), u"Help File");
  driver.dependentFiles = ReadStrings(key.get(), u"Dependent Files");
  driver.monitorName = ReadString(key.get(), u"Monitor");
  driver.defaultDataType = ReadString(key.get(), u"Datatype");
  return ERROR_SUCCESS;
}

DWORD WriteDriver(const Environment& env, const DriverRecord& driver) {
  KeyHandle key;
  DWORD how = 0;
  const std::u16string path = DriversKeyPath(env) + u"\\" + driver.name;
  DWORD rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, key.out(), &how);
  if (rc != ERROR_SUCCESS) return rc;
  if (how != REG_CREATED_NEW_KEY) return ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
  const struct {
    const char16_t* name;
    const std::u16string& text;
  } strings[] = {
      {u"Driver", driver.driverFile},        {u"Data File", driver.dataFile},
      {u"Configuration File", driver.configFile}, {u"Help File", driver.helpFile},
      {u"Monitor", driver.monitorName},      {u"Datatype", driver.defaultDataType},
  };
  for (const auto& s : strings) {
    rc = WriteStrings(key.get(), s.name, REG_SZ, {s.text});
    if (rc != ERROR_SUCCESS) return rc;
  }
  rc = WriteStrings(key.get(), u"Dependent Files", REG_MULTI_SZ, driver.dependentFiles);
  if (rc != ERROR_SUCCESS) return rc;
  const DWORD version = driver.version;
  return RegSetValueExW(key.get(), u"Version", 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&version), sizeof version);
}

}  // namespace plat::spool
