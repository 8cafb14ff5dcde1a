// The spellings of a path: its full form from its text alone, and the long
// form of a path that exists (every component as it is spelled on disk, so
// short names, "." and ".." and letter case no longer show).
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/files/winpath.h"

namespace {

// Copies text into the caller's buffer as the path calls do: its length on
// success, else the size needed with the terminator and the buffer left
// as it was.
DWORD GiveBack(const std::u16string& text, LPWSTR buffer, DWORD chars) {
  const auto length = static_cast<DWORD>(text.size());
  if (buffer == nullptr || chars <= length) return length + 1;
  text.copy(buffer, text.size());
  buffer[length] = 0;
  return length;
}

}  // namespace

DWORD GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart) {
  const auto full = plat::FullPathOf(fileName);
  if (!full) return 0;
  const DWORD result = GiveBack(*full, buffer, bufferLength);
  if (filePart != nullptr && result <= bufferLength && buffer != nullptr) {
    // The name after the last separator; none when the path ends in one.
    const std::size_t cut = full->find_last_of(u'\\') + 1;
    *filePart = cut < full->size() ? buffer + cut : nullptr;
  }
  return result;
}

DWORD GetLongPathNameW(LPCWSTR shortPath, LPWSTR longPath, DWORD bufferLength) {
  const auto resolved = plat::ResolvePath(shortPath);
  if (!resolved) return 0;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(resolved->host, ec))) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  std::u16string spelled = plat::WindowsPathOf(resolved->host);
  if (spelled.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  if (resolved->trailingSeparator && spelled.back() != u'\\') spelled += u'\\';
  return GiveBack(spelled, longPath, bufferLength);
}
