// Driver records of the spooler, kept in the registry under the spooler's
// environment keys, and the environments this machine knows.
#include <array>

#include "platform/spooler/spoolstore.h"
#include "platform/host/storefile.h"
#include "platform/system/sysfacts.h"
#include "platform/base/winerror.h"
#include "platform/registry/regstore.h"
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

// The strings of a REG_SZ (one) or REG_MULTI_SZ (several) value of the key;
// none when it has no such value.
std::vector<std::u16string> ReadStrings(const reg::Key& key, std::u16string_view name) {
  const reg::Value* value = reg::FindValue(key, name);
  if (value == nullptr) return {};
  const std::vector<BYTE>& bytes = value->data;
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
    if (value->type != REG_MULTI_SZ) break;
    at = end + 1;
  }
  return list;
}

std::u16string ReadString(const reg::Key& key, std::u16string_view name) {
  auto list = ReadStrings(key, name);
  return list.empty() ? std::u16string() : std::move(list.front());
}

// The key at a path of names below the root, matched ignoring case.
const reg::Key* FindPath(const reg::Key& root, std::u16string_view path) {
  const reg::Key* key = &root;
  while (key != nullptr && !path.empty()) {
    const std::size_t cut = path.find(u'\\');
    key = reg::FindSubkey(*key, path.substr(0, cut));
    path = cut == std::u16string_view::npos ? u"" : path.substr(cut + 1);
  }
  return key;
}

// The bytes of a REG_SZ (one string) or REG_MULTI_SZ (a list) value.
std::vector<BYTE> StringBytes(DWORD type, const std::vector<std::u16string>& list) {
  std::u16string all;
  for (const auto& s : list) all.append(s).push_back(u'\0');
  if (type == REG_MULTI_SZ || list.empty()) all.push_back(u'\0');
  std::vector<BYTE> bytes;
  for (const char16_t c : all) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  return bytes;
}

// The key at a path of names below the root, made where missing.
reg::Key& MakePath(reg::Hive& hive, std::u16string_view path) {
  reg::Key* key = &hive.root;
  while (!path.empty()) {
    const std::size_t cut = path.find(u'\\');
    const std::u16string_view name = path.substr(0, cut);
    reg::Key* next = reg::FindSubkey(*key, name);
    key = next != nullptr ? next : &reg::AddSubkey(hive, *key, name);
    path = cut == std::u16string_view::npos ? u"" : path.substr(cut + 1);
  }
  return *key;
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

// The driver keys are read from the hive kept in memory (the registry's
// own store), in one look rather than a registry call per value.
DWORD ReadDriver(const Environment& env, std::u16string_view name, DriverRecord& driver) {
  driver = DriverRecord{};
  std::shared_ptr<const reg::Hive> hive;
  if (reg::ReadHive(HKEY_LOCAL_MACHINE, false, hive) != ERROR_SUCCESS) return ERROR_UNKNOWN_PRINTER_DRIVER;
  const reg::Key* drivers = FindPath(hive->root, DriversKeyPath(env));
  const reg::Key* key = drivers != nullptr ? reg::FindSubkey(*drivers, name) : nullptr;
  if (key == nullptr) return ERROR_UNKNOWN_PRINTER_DRIVER;
  driver.name = key->name;  // the installed spelling
  const reg::Value* version = reg::FindValue(*key, u"Version");
  if (version != nullptr && version->type == REG_DWORD && version->data.size() == 4) {
    const std::vector<BYTE>& v = version->data;
    driver.version = v[0] | v[1] << 8 | v[2] << 16 | DWORD{v[3]} << 24;
  }
  driver.driverFile = ReadString(*key, u"Driver");
  driver.dataFile = ReadString(*key, u"Data File");
  driver.configFile = ReadString(*key, u"Configuration File");
  driver.helpFile = ReadString(*key, u"Help File");
  driver.dependentFiles = ReadStrings(*key, u"Dependent Files");
  driver.monitorName = ReadString(*key, u"Monitor");
  driver.defaultDataType = ReadString(*key, u"Datatype");
  return ERROR_SUCCESS;
}

// The driver's key and all its values appear in one change of the hive, so
// that another process finds the driver either whole or not at all, and of
// two processes installing it at once one installs it and the other is
// told it is there.
DWORD WriteDriver(const Environment& env, const DriverRecord& driver) {
  const struct {
    const char16_t* name;
    DWORD type;
    std::vector<std::u16string> list;
  } strings[] = {
      {u"Driver", REG_SZ, {driver.driverFile}},
      {u"Data File", REG_SZ, {driver.dataFile}},
      {u"Configuration File", REG_SZ, {driver.configFile}},
      {u"Help File", REG_SZ, {driver.helpFile}},
      {u"Monitor", REG_SZ, {driver.monitorName}},
      {u"Datatype", REG_SZ, {driver.defaultDataType}},
      {u"Dependent Files", REG_MULTI_SZ, driver.dependentFiles},
  };
  const DWORD version = driver.version;
  return reg::ChangeHive(HKEY_LOCAL_MACHINE, [&](reg::Hive& hive) -> DWORD {
    reg::Key& drivers = MakePath(hive, DriversKeyPath(env));
    if (reg::FindSubkey(drivers, driver.name) != nullptr) return ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
    reg::Key& key = reg::AddSubkey(hive, drivers, driver.name);
    for (const auto& s : strings) key.values.push_back({s.name, s.type, StringBytes(s.type, s.list)});
    key.values.push_back({u"Version", REG_DWORD,
                          {static_cast<BYTE>(version), static_cast<BYTE>(version >> 8),
                           static_cast<BYTE>(version >> 16), static_cast<BYTE>(version >> 24)}});
    return ERROR_SUCCESS;
  });
}

}  // namespace plat::spool
