// Finding files: a find handle holds the matching entries of one folder,
// taken when the search starts.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files/fileattrs.h"
#include "platform/host/hosterror.h"
#include "platform/host/hostfile.h"
#include "platform/base/machine.h"
#include "platform/files/wildcard.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/text/wintext.h"

namespace {

class FindList : public plat::KernelObject {
 public:
  explicit FindList(std::vector<WIN32_FIND_DATAW> entries) : entries_(std::move(entries)) {}
  // The next entry, or false at the end.
  bool Next(WIN32_FIND_DATAW* out) {
    if (next_ >= entries_.size()) return false;
    *out = entries_[next_++];
    return true;
  }

 private:
  std::vector<WIN32_FIND_DATAW> entries_;
  std::size_t next_ = 0;
};

std::optional<WIN32_FIND_DATAW> DescribeEntry(const std::filesystem::path& host,
                                              std::u16string_view name,
                                              const plat::attrs::Snapshot& attributes) {
  struct statx sx {};
  if (statx(AT_FDCWD, host.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
    return std::nullopt;
  }
  if (name.size() >= MAX_PATH) return std::nullopt;
  const auto time = [](const struct statx_timestamp& t) {
    struct timespec ts {};
    ts.tv_sec = t.tv_sec;
    ts.tv_nsec = t.tv_nsec;
    return plat::FileTimeFromHost(ts);
  };
  WIN32_FIND_DATAW data{};
  data.dwFileAttributes = attributes.Of(host);
  data.ftCreationTime = time((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime);
  data.ftLastAccessTime = time(sx.stx_atime);
  data.ftLastWriteTime = time(sx.stx_mtime);
  if (!S_ISDIR(sx.stx_mode)) {
    data.nFileSizeHigh = static_cast<DWORD>(sx.stx_size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(sx.stx_size & 0xFFFFFFFFu);
  }
  name.copy(data.cFileName, name.size());
  return data;
}

bool NameOrder(const std::u16string& a, const std::u16string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const WCHAR x = CharUpperW1(a[i]);
    const WCHAR y = CharUpperW1(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

// The entries of a folder that match a pattern: "." and ".." first (not in
// the root), then the others in name order, ignoring case.
std::vector<WIN32_FIND_DATAW> ListFolder(const std::filesystem::path& folder, bool isRoot,
                                         std::u16string_view pattern) {
  std::vector<std::u16string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    try {
      names.push_back(it->path().filename().u16string());
    } catch (const std::exception&) {
      // a host name that is not valid UTF-8 has no Windows name
    }
  }
  std::sort(names.begin(), names.end(), NameOrder);
  const plat::attrs::Snapshot attributes;
  std::vector<WIN32_FIND_DATAW> found;
  const auto add = [&](const std::filesystem::path& host, std::u16string_view name) {
    if (!plat::MatchesPattern(pattern, name)) return;
    if (auto data = DescribeEntry(host, name, attributes)) found.push_back(*data);
  };
  if (!isRoot) {
    add(folder, u".");
    add(folder.parent_path(), u"..");
  }
  for (const auto& name : names) add(folder / std::filesystem::path(name), name);
  return found;
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findFileData) {
  if (findFileData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  auto path = plat::ResolvePath(fileName, plat::PathUse::kPattern);
  if (!path) return INVALID_HANDLE_VALUE;
  if (path->trailingSeparator || path->isRoot) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const std::filesystem::path folder = path->host.parent_path();
  std::u16string pattern;
  try {
    pattern = path->host.filename().u16string();
  } catch (const std::exception&) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  auto entries = ListFolder(folder, folder == plat::DriveRoot(), pattern);
  if (entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  auto list = std::make_shared<FindList>(std::move(entries));
  list->Next(findFileData);
  return plat::NewHandle(std::move(list));
}

BOOL FindNextFileW(HANDLE findFile, LPWIN32_FIND_DATAW findFileData) {
  auto list = plat::HandleAs<FindList>(findFile);
  if (!list) return FALSE;
  if (findFileData == nullptr) return plat::Fail(ERROR_INVALID_PARAMETER);
  if (!list->Next(findFileData)) return plat::Fail(ERROR_NO_MORE_FILES);
  return TRUE;
}

BOOL FindClose(HANDLE findFile) {
  if (!plat::HandleAs<FindList>(findFile)) return FALSE;
  return CloseHandle(findFile);
}
