// Terminal-server mode lives in the registry, where programs look for it;
// this control edits the product suite list there.
#include <string>
#include <vector>

#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"

namespace plat {
namespace {

constexpr WCHAR kProductOptions[] = u"System\\CurrentControlSet\\Control\\ProductOptions";
constexpr WCHAR kProductSuite[] = u"ProductSuite";
constexpr std::u16string_view kTerminalServer = u"Terminal Server";

// The strings of a REG_MULTI_SZ value; empty when it is missing or of
// another type. A stored odd byte count has room in the buffer but is no
// character, so it is dropped.
std::vector<std::u16string> ReadSuites(HKEY key) {
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, kProductSuite, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      type != REG_MULTI_SZ) {
    return {};
  }
  std::u16string data((bytes + 1) / sizeof(WCHAR), u'\0');
  if (RegQueryValueExW(key, kProductSuite, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()),
                       &bytes) != ERROR_SUCCESS) {
    return {};
  }
  data.resize(bytes / sizeof(WCHAR));
  std::vector<std::u16string> suites;
  for (std::size_t start = 0; start < data.size();) {
    std::size_t end = data.find(u'\0', start);
    if (end == start) break;  // the empty string ends the list
    suites.push_back(data.substr(start, end - start));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return suites;
}

}  // namespace

bool SetTerminalServer(bool enabled) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProductOptions, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<std::u16string> suites = ReadSuites(key);
  std::erase(suites, std::u16string(kTerminalServer));
  if (enabled) suites.emplace_back(kTerminalServer);
  std::u16string data;
  for (const auto& suite : suites) data += suite + u'\0';
  data += u'\0';
  const bool written = RegSetValueExW(key, kProductSuite, 0, REG_MULTI_SZ,
                                      reinterpret_cast<const BYTE*>(data.data()),
                                      static_cast<DWORD>(data.size() * sizeof(WCHAR))) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

}  // namespace plat
