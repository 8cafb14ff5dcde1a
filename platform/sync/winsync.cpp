// CreateMutexW and ReleaseMutex. Named mutexes of this process are kept in
// a name table, so that two handles to one name are one object here; the
// lock file makes the name one object across processes.
#include "platform/sync/winsync.h"

#include <unistd.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/sync/mutex_object.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"

namespace plat {
namespace {

struct NameEntry {
  pid_t process;  // a table copied into a forked child is not the child's
  std::uint64_t machine;  // nor is a name of another machine this machine's
  std::weak_ptr<MutexObject> mutex;
};

struct NameTable {
  std::mutex lock;
  std::map<std::u16string, NameEntry> names;
};

NameTable& Names() {
  static NameTable* table = new NameTable;  // lives until process exit
  return *table;
}

// The name without its session namespace prefix, or an error.
DWORD ObjectName(std::u16string_view name, std::u16string* out) {
  if (name.size() > MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  for (std::u16string_view prefix : {u"Global\\", u"Local\\"}) {
    if (name.starts_with(prefix)) {
      name.remove_prefix(prefix.size());
      break;
    }
  }
  if (name.find(u'\\') != std::u16string_view::npos) return ERROR_PATH_NOT_FOUND;
  *out = name;
  return ERROR_SUCCESS;
}

// The named mutex of this process, opened or created; *existed as Windows
// reports it. A mutex created for an initial owner is owned by the calling
// thread before the name lock and the table lock let anyone else reach it.
std::shared_ptr<MutexObject> NamedMutex(const std::u16string& name, bool initialOwner,
                                        bool* existed, DWORD* error) {
  NameTable& table = Names();
  std::lock_guard guard(table.lock);
  auto it = table.names.find(name);
  if (it != table.names.end() && it->second.process == getpid() &&
      it->second.machine == MachineGeneration()) {
    if (auto mutex = it->second.mutex.lock()) {
      *existed = true;
      return mutex;
    }
  }
  auto file = NamedLockFile::Open(name, initialOwner, existed, error);
  if (!file) return nullptr;
  auto mutex = std::make_shared<MutexObject>(std::move(file));
  if (initialOwner && !*existed) mutex->OwnFromCreation();
  table.names[name] = NameEntry{getpid(), MachineGeneration(), mutex};
  return mutex;
}

}  // namespace
}  // namespace plat

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCWSTR name) {
  std::shared_ptr<plat::MutexObject> mutex;
  bool existed = false;
  if (name == nullptr || *name == 0) {
    mutex = std::make_shared<plat::MutexObject>(nullptr);
    if (initialOwner) mutex->OwnFromCreation();
  } else {
    std::u16string objectName;
    DWORD error = plat::ObjectName(name, &objectName);
    if (error == ERROR_SUCCESS) {
      mutex = plat::NamedMutex(objectName, initialOwner != FALSE, &existed, &error);
    }
    if (!mutex) {
      SetLastError(error);
      return nullptr;
    }
  }
  HANDLE handle = plat::NewHandle(mutex);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL ReleaseMutex(HANDLE handle) {
  auto mutex = plat::HandleAs<plat::MutexObject>(handle);
  if (!mutex) return FALSE;
  if (!mutex->Release()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}
