// The per-process handle table.
#include "platform/base/handles.h"

#include "platform/base/handle_table.h"
#include "platform/base/winerror.h"

namespace plat {
namespace {

using KernelHandles = HandleTable<std::shared_ptr<KernelObject>>;

KernelHandles& Table() {
  static KernelHandles* table = new KernelHandles(0x1000);  // lives until process exit
  return *table;
}

}  // namespace

DWORD KernelObject::Wait(DWORD) {
  SetLastError(ERROR_INVALID_HANDLE);
  return WAIT_FAILED;
}

HANDLE NewHandle(std::shared_ptr<KernelObject> object) { return Table().Add(std::move(object)); }

std::shared_ptr<KernelObject> HandleObject(HANDLE handle) {
  return Table().Find(handle).value_or(nullptr);
}

std::size_t OpenHandleCount() { return Table().size(); }

}  // namespace plat

BOOL CloseHandle(HANDLE handle) {
  // The object is destroyed here, outside the table's lock.
  if (!plat::Table().Remove(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto object = plat::HandleObject(handle);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return object->Wait(milliseconds);
}
