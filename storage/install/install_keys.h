// The key tables of the install-time INI merges and the setting lists of
// the free-size and watermark entries they copy.
#pragma once

#include <span>

#include "platform/base/wintypes.h"

// How a key of the settings INI is given its value at install.
enum class IniKeyKind : WORD {
  kCopy = 0,         // copied from the driver INI
  kDefaultRst = 1,   // set to the caller's value (the default set file)
  kRefreshMark = 2,  // "1" after an upgrade, "0" after an install
};

struct INIKEY {
  LPCWSTR key;
  IniKeyKind kind;
};

// The driver-INI keys the install takes into the printer's settings.
extern const std::span<const INIKEY> IniKey;
// Keys copied from the driver INI's driver-name section into the shared
// INI.
extern const std::span<const LPCWSTR> IniKeyInstall;
// Keys checked after an install; none.
extern const std::span<const LPCWSTR> IniKeyValidate;

// The settings of a free-size entry and of a watermark entry.
extern const std::span<const WORD> gidFreesize;
extern const std::span<const WORD> gidWaterMark;
// The free-size name, which may be empty in a sound entry.
inline constexpr WORD kFuncFreeSizeName = 752;
