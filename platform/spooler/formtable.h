// The built-in forms of the spooler's form database. Internal to the
// platform library.
#pragma once

#include <span>

#include "platform/base/wintypes.h"

namespace plat::spool {

struct StandardForm {
  const char16_t* name;
  LONG width;   // thousandths of a millimetre
  LONG length;
};

// In paper-size order: entry n - 1 is DEVMODE paper size n.
std::span<const StandardForm> StandardForms();

}  // namespace plat::spool
