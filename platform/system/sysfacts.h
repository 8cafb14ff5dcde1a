// Typed reading of the machine's system facts, with their defaults. The
// setters are in platform/system/sysfacts_control.h. Internal to platform/.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/system/sysfacts_control.h"

namespace plat {

struct OsVersionFacts {
  OsVersion numbers;  // servicePack is not used; see below
  std::u16string servicePack;
};

OsVersionFacts CurrentOsVersion();
bool IsAdministrator();
LCID UserDefaultLocale();
// The Windows and system directories, full paths on drive C:.
std::u16string WindowsDirectory();
std::u16string SystemDirectory();
// The current directory of every process of the machine: nothing changes
// it, and it is the system directory, as for the spooler on Windows.
std::u16string CurrentDirectory();
// A variable of the machine's environment; names ignore case (ASCII).
std::optional<std::u16string> EnvironmentValue(std::u16string_view name);

}  // namespace plat
