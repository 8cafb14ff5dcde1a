// Lock files of named kernel objects. Byte ranges of the file:
//   0  owner lock (write lock of the owning process) and the marker byte
//      ('1' while an owner holds the object, '0' when it was released);
//   1  presence (a read lock of every process that holds the name open);
//   2  creation guard, so that two processes opening the name at once agree
//      on which of them made the object.
#include "platform/sync/named_lock_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/host/hostlock.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"

namespace plat {
namespace {

constexpr off_t kOwnerByte = 0;
constexpr off_t kPresenceByte = 1;
constexpr off_t kGuardByte = 2;

using hostlock::LockByte;

void WriteMarker(int fd, char marker) {
  while (pwrite(fd, &marker, 1, kOwnerByte) < 0 && errno == EINTR) {
  }
}

// A file name for an object name: letters, digits, '.', '_' and '-' stay
// (object names are case-sensitive, and so is the host), others become
// %XXXX. Very long names are hashed to stay within the host's limit.
std::string FileNameOf(std::u16string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string file;
  for (char16_t c : name) {
    bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                 (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || c == u'-';
    if (plain && !(file.empty() && c == u'.')) {
      file += static_cast<char>(c);
    } else {
      file += '%';
      for (int shift = 12; shift >= 0; shift -= 4) file += kHex[(c >> shift) & 0xF];
    }
  }
  if (file.size() <= 200) return "mutex-" + file;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (char16_t c : name) hash = (hash ^ c) * 1099511628211ull;
  std::string hashed = "mutex-#";
  for (int shift = 60; shift >= 0; shift -= 4) hashed += kHex[(hash >> shift) & 0xF];
  return hashed;
}

}  // namespace

std::unique_ptr<NamedLockFile> NamedLockFile::Open(std::u16string_view name, bool ownIfCreated,
                                                   bool* existed, DWORD* error) {
  std::filesystem::path root = MachineRoot();
  std::error_code ec;
  if (!root.empty()) std::filesystem::create_directories(root / "objects", ec);
  if (root.empty() || ec) {
    *error = ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  std::filesystem::path path = root / "objects" / FileNameOf(name);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    *error = errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  std::unique_ptr<NamedLockFile> file(new NamedLockFile(fd));
  if (!LockByte(fd, kGuardByte, F_WRLCK, true)) {
    *error = ERROR_ACCESS_DENIED;
    return nullptr;
  }
  *existed = hostlock::ByteLockedElsewhere(fd, kPresenceByte);
  bool present = LockByte(fd, kPresenceByte, F_RDLCK, false);
  bool owned = true;
  if (present && !*existed) {
    WriteMarker(fd, '0');
    bool abandoned = false;
    // Nobody else holds the name, so nobody owns it: this cannot fail
    // unless the host refuses the lock.
    if (ownIfCreated) owned = file->TryTakeOwnership(&abandoned);
  }
  LockByte(fd, kGuardByte, F_UNLCK, false);
  if (!present || !owned) {
    *error = ERROR_ACCESS_DENIED;
    return nullptr;
  }
  return file;
}

NamedLockFile::~NamedLockFile() { close(fd_); }

bool NamedLockFile::TryTakeOwnership(bool* abandoned) {
  if (!LockByte(fd_, kOwnerByte, F_WRLCK, false)) return false;
  char marker = '0';
  ssize_t got;
  while ((got = pread(fd_, &marker, 1, kOwnerByte)) < 0 && errno == EINTR) {
  }
  *abandoned = got == 1 && marker == '1';
  WriteMarker(fd_, '1');
  return true;
}

void NamedLockFile::GiveUpOwnership(bool abandoned) {
  if (!abandoned) WriteMarker(fd_, '0');
  LockByte(fd_, kOwnerByte, F_UNLCK, false);
}

}  // namespace plat
