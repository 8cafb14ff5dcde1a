// Kernel-object handles of the stand-in. Files, mappings, mutexes, processes
// and find handles all live in one per-process handle table, so that
// CloseHandle and WaitForSingleObject serve every kind.
#pragma once

#include <memory>

#include "platform/base/wintypes.h"

inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_ABANDONED = 0x00000080;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

BOOL CloseHandle(HANDLE handle);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

namespace plat {

// Base of every object a handle can name. The object is destroyed when its
// last handle is closed and nothing else holds it.
class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // WAIT_OBJECT_0, WAIT_ABANDONED, WAIT_TIMEOUT, or WAIT_FAILED with the
  // last error set. Objects that cannot be waited on keep the default.
  virtual DWORD Wait(DWORD milliseconds);
};

// Enters an object into the handle table; returns its new handle (never
// null or INVALID_HANDLE_VALUE).
HANDLE NewHandle(std::shared_ptr<KernelObject> object);

// The object behind a handle, or null when the handle is not open.
std::shared_ptr<KernelObject> HandleObject(HANDLE handle);

// The object behind a handle when it is of type T, or null (last error
// ERROR_INVALID_HANDLE) otherwise.
template <class T>
std::shared_ptr<T> HandleAs(HANDLE handle);

// Number of open handles, for leak checks in tests.
std::size_t OpenHandleCount();

}  // namespace plat

#include "platform/base/winerror.h"

template <class T>
std::shared_ptr<T> plat::HandleAs(HANDLE handle) {
  auto typed = std::dynamic_pointer_cast<T>(HandleObject(handle));
  if (!typed) SetLastError(ERROR_INVALID_HANDLE);
  return typed;
}
