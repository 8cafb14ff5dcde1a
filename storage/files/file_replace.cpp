#if !KESM_KERNEL_MODE  // files are replaced by the user-mode library only
#include "storage/files/file_replace.h"

#include <atomic>

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/text/wintext.h"
#include "platform/runtime/wintime.h"

namespace storage {
namespace {

constexpr int kAttempts = 64;

// Names are tried in turn; creating with CREATE_NEW makes each one ours
// alone, whatever other processes pick.
std::u16string CandidateName(std::u16string_view folder) {
  static std::atomic<DWORD> counter{GetTickCount()};
  WCHAR name[16];
  wnsprintfW(name, 16, u"~ks%05X.tmp", counter.fetch_add(1) & 0xFFFFF);
  return std::u16string(folder) + u'\\' + name;
}

}  // namespace

SiblingTempFile::SiblingTempFile(std::u16string_view target) : target_(target) {
  const std::size_t slash = target.rfind(u'\\');
  if (slash == std::u16string_view::npos || target.size() < 3 || target[1] != u':') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return;
  }
  const std::u16string_view folder = target.substr(0, slash);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::u16string candidate = CandidateName(folder);
    HANDLE file = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      path_ = std::move(candidate);
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return;
  }
}

SiblingTempFile::~SiblingTempFile() {
  if (ok() && !replaced_) {
    const DWORD error = GetLastError();
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path_.c_str());
    SetLastError(error);
  }
}

BOOL SiblingTempFile::Write(std::string_view bytes) {
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  if (ok && written != bytes.size()) {
    SetLastError(ERROR_WRITE_FAULT);
    ok = FALSE;
  }
  // On the disk before the rename: a crash after it must find the new
  // content whole, not a renamed file whose bytes never reached the disk.
  if (ok) ok = FlushFileBuffers(file);
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return ok;
}

BOOL SiblingTempFile::ReplaceTarget() {
  if (!MoveFileExW(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) return FALSE;
  replaced_ = true;
  return TRUE;
}

}  // namespace storage
#endif
