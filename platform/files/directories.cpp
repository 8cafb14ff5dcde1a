// Folders: create, remove, and the temporary folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/files/fileattrs.h"
#include "platform/host/hosterror.h"
#include "platform/system/sysfacts.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/files/winpath.h"

BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES) {
  auto path = plat::ResolvePath(pathName);
  if (!path) return FALSE;
  if (path->isRoot) return plat::Fail(ERROR_ACCESS_DENIED);
  if (mkdir(path->host.c_str(), 0777) != 0) {
    if (errno == EEXIST) return plat::Fail(ERROR_ALREADY_EXISTS);
    if (errno == ENOENT) return plat::Fail(ERROR_PATH_NOT_FOUND);
    return plat::FailWithErrno(errno);
  }
  return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR pathName) {
  auto path = plat::ResolvePath(pathName);
  if (!path) return FALSE;
  if (path->isRoot) return plat::Fail(ERROR_ACCESS_DENIED);
  struct stat st {};
  if (stat(path->host.c_str(), &st) != 0) return plat::FailWithErrno(errno);
  if (!S_ISDIR(st.st_mode)) return plat::Fail(ERROR_DIRECTORY);
  if (plat::attrs::KeptOf(path->host) & FILE_ATTRIBUTE_READONLY) {
    return plat::Fail(ERROR_ACCESS_DENIED);
  }
  std::error_code ec;
  if (!std::filesystem::is_empty(path->host, ec)) {
    return plat::Fail(ec ? ERROR_ACCESS_DENIED : ERROR_DIR_NOT_EMPTY);
  }
  plat::attrs::Forget(path->host);
  if (rmdir(path->host.c_str()) != 0) return plat::FailWithErrno(errno);
  return TRUE;
}

// The temporary folder is "Temp" in the Windows directory.
DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer) {
  const std::u16string temp = plat::WindowsDirectory() + u"\\Temp\\";
  const auto length = static_cast<DWORD>(temp.size());
  if (buffer == nullptr || bufferLength <= length) return length + 1;
  temp.copy(buffer, temp.size());
  buffer[length] = u'\0';
  return length;
}
