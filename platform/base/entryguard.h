// Keeps exceptions (in practice std::bad_alloc) from leaving an entry point
// of the registry and the spooler: the body's error code, or
// ERROR_NOT_ENOUGH_MEMORY when it threw. Internal to the platform library.
#pragma once

#include "platform/base/winerror.h"

namespace plat {

template <class Body>
DWORD Guard(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

}  // namespace plat
