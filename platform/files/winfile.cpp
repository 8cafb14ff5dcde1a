// File handles: open, read, write, position, size, times, and the classic
// file-handle spellings.
#include "platform/files/winfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/text/codepage.h"
#include "platform/files/file_watch.h"
#include "platform/host/hosterror.h"
#include "platform/host/hostfile.h"
#include "platform/base/winerror.h"

namespace {

std::optional<std::u16string> WideFromAnsi(LPCSTR text) {
  if (text == nullptr) return std::nullopt;
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size) != size) return std::nullopt;
  wide.pop_back();  // the terminator
  return wide;
}

// The file behind a handle, with the last error set when there is none.
std::shared_ptr<plat::File> FileOf(HANDLE handle) { return plat::HandleAs<plat::File>(handle); }

std::optional<struct statx> StatxOf(int fd) {
  struct statx sx {};
  if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return std::nullopt;
  return sx;
}

FILETIME FromStatx(const struct statx_timestamp& t) {
  struct timespec ts {};
  ts.tv_sec = t.tv_sec;
  ts.tv_nsec = t.tv_nsec;
  return plat::FileTimeFromHost(ts);
}

// Host position for a SetFilePointer request, or nullopt with the last error.
std::optional<off_t> NewPosition(int fd, std::int64_t distance, DWORD method) {
  std::int64_t origin = 0;
  if (method == FILE_CURRENT) {
    origin = lseek(fd, 0, SEEK_CUR);
  } else if (method == FILE_END) {
    struct stat st {};
    origin = fstat(fd, &st) == 0 ? st.st_size : -1;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  if (origin < 0) {
    plat::FailWithErrno(errno);
    return std::nullopt;
  }
  const std::int64_t target = origin + distance;
  if (target < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return std::nullopt;
  }
  return static_cast<off_t>(target);
}

}  // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
  auto path = plat::ResolvePath(fileName);
  if (!path) return INVALID_HANDLE_VALUE;
  plat::OpenRequest request;
  request.access = desiredAccess;
  request.share = shareMode;
  request.disposition = creationDisposition;
  request.attributes = flagsAndAttributes & 0xFFFF;
  auto file = plat::OpenFile(*path, request);
  if (!file) return INVALID_HANDLE_VALUE;
  const DWORD error = GetLastError();  // ERROR_ALREADY_EXISTS must survive
  HANDLE handle = plat::NewHandle(std::move(file));
  SetLastError(error);
  return handle;
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile) {
  auto wide = WideFromAnsi(fileName);
  if (!wide) {
    SetLastError(fileName == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileW(wide->c_str(), desiredAccess, shareMode, securityAttributes,
                     creationDisposition, flagsAndAttributes, templateFile);
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
              LPOVERLAPPED overlapped) {
  if (bytesRead != nullptr) *bytesRead = 0;
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (overlapped != nullptr) return plat::Fail(ERROR_NOT_SUPPORTED);
  if (!file->rights().read) return plat::Fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytesToRead != 0) return plat::Fail(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  while (done < bytesToRead) {
    const ssize_t n = read(file->fd(), static_cast<char*>(buffer) + done, bytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return plat::Fail(ERROR_READ_FAULT);
    if (n == 0) break;  // end of file
    done += static_cast<DWORD>(n);
  }
  if (bytesRead != nullptr) *bytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped) {
  if (bytesWritten != nullptr) *bytesWritten = 0;
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (overlapped != nullptr) return plat::Fail(ERROR_NOT_SUPPORTED);
  if (!file->rights().write) return plat::Fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytesToWrite != 0) return plat::Fail(ERROR_INVALID_PARAMETER);
  plat::ReportFileStep({plat::FileStep::kWrite, file->host(), {}, 0});
  DWORD done = 0;
  while (done < bytesToWrite) {
    const ssize_t n =
        write(file->fd(), static_cast<const char*>(buffer) + done, bytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (bytesWritten != nullptr) *bytesWritten = done;
      return plat::Fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
    }
    done += static_cast<DWORD>(n);
  }
  if (bytesWritten != nullptr) *bytesWritten = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
  auto file = FileOf(handle);
  if (!file) return INVALID_SET_FILE_POINTER;
  std::int64_t move = distance;
  if (distanceHigh != nullptr) {
    move = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32) |
        static_cast<DWORD>(distance));
  }
  auto target = NewPosition(file->fd(), move, moveMethod);
  if (!target) return INVALID_SET_FILE_POINTER;
  if (distanceHigh == nullptr && *target > 0xFFFFFFFELL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (lseek(file->fd(), *target, SEEK_SET) < 0) {
    plat::FailWithErrno(errno);
    return INVALID_SET_FILE_POINTER;
  }
  const auto position = static_cast<std::uint64_t>(*target);
  if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(position >> 32);
  const auto low = static_cast<DWORD>(position & 0xFFFFFFFFu);
  if (low == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
  return low;
}

DWORD GetFileSize(HANDLE handle, LPDWORD fileSizeHigh) {
  auto file = FileOf(handle);
  if (!file) return INVALID_FILE_SIZE;
  struct stat st {};
  if (fstat(file->fd(), &st) != 0) {
    plat::FailWithErrno(errno);
    return INVALID_FILE_SIZE;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (fileSizeHigh != nullptr) *fileSizeHigh = static_cast<DWORD>(size >> 32);
  const auto low = static_cast<DWORD>(size & 0xFFFFFFFFu);
  if (low == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
  return low;
}

BOOL FlushFileBuffers(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->rights().write) return plat::Fail(ERROR_ACCESS_DENIED);
  plat::ReportFileStep({plat::FileStep::kFlush, file->host(), {}, 0});
  if (fsync(file->fd()) != 0) return plat::FailWithErrno(errno);
  return TRUE;
}

BOOL GetFileTime(HANDLE handle, LPFILETIME creationTime, LPFILETIME lastAccessTime,
                 LPFILETIME lastWriteTime) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  auto sx = StatxOf(file->fd());
  if (!sx) return plat::FailWithErrno(errno);
  if (creationTime != nullptr) {
    *creationTime = FromStatx((sx->stx_mask & STATX_BTIME) ? sx->stx_btime : sx->stx_ctime);
  }
  if (lastAccessTime != nullptr) *lastAccessTime = FromStatx(sx->stx_atime);
  if (lastWriteTime != nullptr) *lastWriteTime = FromStatx(sx->stx_mtime);
  return TRUE;
}

BOOL SetFileTime(HANDLE handle, const FILETIME*, const FILETIME* lastAccessTime,
                 const FILETIME* lastWriteTime) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->rights().writeAttributes) return plat::Fail(ERROR_ACCESS_DENIED);
  struct timespec times[2]{};
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_nsec = UTIME_OMIT;
  if (lastAccessTime != nullptr) times[0] = plat::HostTimeFromFileTime(*lastAccessTime);
  if (lastWriteTime != nullptr) times[1] = plat::HostTimeFromFileTime(*lastWriteTime);
  if (futimens(file->fd(), times) != 0) return plat::FailWithErrno(errno);
  return TRUE;
}

HFILE _lopen(LPCSTR pathName, int readWrite) {
  static constexpr DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  const int accessIndex = readWrite & 0x3;
  const int shareBits = readWrite & 0x70;
  if (accessIndex > 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HFILE_ERROR;
  }
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (shareBits == OF_SHARE_EXCLUSIVE) share = 0;
  if (shareBits == OF_SHARE_DENY_WRITE) share = FILE_SHARE_READ;
  if (shareBits == OF_SHARE_DENY_READ) share = FILE_SHARE_WRITE;
  HANDLE handle = CreateFileA(pathName, kAccess[accessIndex], share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return HFILE_ERROR;
  return static_cast<HFILE>(reinterpret_cast<INT_PTR>(handle));
}

UINT _lread(HFILE file, LPVOID buffer, UINT bytes) {
  DWORD done = 0;
  if (!ReadFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file)), buffer, bytes, &done,
                nullptr)) {
    return static_cast<UINT>(HFILE_ERROR);
  }
  return done;
}

UINT _lwrite(HFILE file, LPCSTR buffer, UINT bytes) {
  DWORD done = 0;
  if (!WriteFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file)), buffer, bytes, &done,
                 nullptr)) {
    return static_cast<UINT>(HFILE_ERROR);
  }
  return done;
}

HFILE _lclose(HFILE file) {
  return CloseHandle(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file))) ? 0 : HFILE_ERROR;
}
