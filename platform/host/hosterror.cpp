// Host error numbers as Windows error codes.
#include "platform/host/hosterror.h"

#include <cerrno>

#include "platform/base/winerror.h"

namespace plat {
namespace {

struct ErrnoRow {
  int host;
  DWORD windows;
};

constexpr ErrnoRow kErrnoTable[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},
    {EROFS, ERROR_ACCESS_DENIED},
    {EEXIST, ERROR_FILE_EXISTS},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {EBADF, ERROR_INVALID_HANDLE},
    {EIO, ERROR_WRITE_FAULT},
};

}  // namespace

DWORD ErrorFromErrno(int error) {
  for (const ErrnoRow& row : kErrnoTable) {
    if (row.host == error) return row.windows;
  }
  return ERROR_ACCESS_DENIED;
}

BOOL FailWithErrno(int error) { return Fail(ErrorFromErrno(error)); }

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace plat
