// The per-process handle table.
#include "platform/handles.h"

#include <mutex>
#include <unordered_map>

#include "platform/winerror.h"

namespace plat {
namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>> objects;
  ULONG_PTR next = 0x1000;  // multiples of 4, as Windows hands out
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // lives until process exit
  return *table;
}

}  // namespace

DWORD KernelObject::Wait(DWORD) {
  SetLastError(ERROR_INVALID_HANDLE);
  return WAIT_FAILED;
}

HANDLE NewHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = Table();
  std::lock_guard guard(t.lock);
  ULONG_PTR value = t.next;
  t.next += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleObject(HANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard guard(t.lock);
  auto it = t.objects.find(reinterpret_cast<ULONG_PTR>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

std::size_t OpenHandleCount() {
  HandleTable& t = Table();
  std::lock_guard guard(t.lock);
  return t.objects.size();
}

}  // namespace plat

BOOL CloseHandle(HANDLE handle) {
  std::shared_ptr<plat::KernelObject> object;  // destroyed outside the lock
  {
    plat::HandleTable& t = plat::Table();
    std::lock_guard guard(t.lock);
    auto it = t.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == t.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(it->second);
    t.objects.erase(it);
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
