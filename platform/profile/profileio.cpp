// Profile files on disk: a name without a path lives in the Windows
// directory; a rewrite goes through a temporary file in the same folder.
#include "platform/profile/profileio.h"
#include "platform/profile/profile_turn.h"
#include "platform/profile/profile_watch.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <unordered_map>
#include <random>
#include <string>

#include "platform/files/fileattrs.h"
#include "platform/files/file_watch.h"
#include "platform/files/sharemode.h"
#include "platform/host/hosterror.h"
#include "platform/host/hostfile.h"
#include "platform/host/hostlock.h"
#include "platform/system/sysfacts.h"
#include "platform/text/codepage.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"
#include "platform/base/machine.h"

namespace plat::profile {
namespace {

// The file's resolved path; *status is its status when the resolution
// read it (*statusKnown set).
std::optional<ResolvedPath> PathOf(LPCWSTR fileName, struct stat* status = nullptr, bool* statusKnown = nullptr) {
  if (fileName == nullptr || *fileName == u'\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  const std::u16string_view name(fileName);
  if (name.find_first_of(u"\\/:") == std::u16string_view::npos) {
    const std::u16string full = WindowsDirectory() + u"\\" + std::u16string(name);
    return ResolvePath(full.c_str(), PathUse::kName, status, statusKnown);
  }
  return ResolvePath(fileName, PathUse::kName, status, statusKnown);
}

std::optional<std::string> ReadAll(int fd) {
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ERROR_READ_FAULT);
      return std::nullopt;
    }
    if (n == 0) return bytes;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
}

bool WriteAll(int fd, const std::string& bytes, const std::filesystem::path& file) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  ReportFileStep({FileStep::kFlush, file, {}, 0});
  return fsync(fd) == 0;
}

// The folder's writer lock, held for one read-change-replace round.
class FolderLock : public hostlock::LockedFile {
 public:
  explicit FolderLock(const std::filesystem::path& folder)
      : LockedFile(folder, O_RDONLY | O_DIRECTORY, LOCK_EX) {}
};

// Steps of a profile write, reported like those of the file services.
void Report(FileStep step, const std::filesystem::path& file, const std::filesystem::path& to = {}) {
  ReportFileStep({step, file, to, step == FileStep::kOpen ? static_cast<DWORD>(CREATE_NEW) : 0});
}

// Creates a temporary file beside target; its descriptor, or -1.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path* temporary) {
  std::random_device seed;
  for (int attempt = 0; attempt < 16; ++attempt) {
    *temporary = target.parent_path() /
                 (".~" + target.filename().string() + "." + std::to_string(seed()) + ".tmp");
    Report(FileStep::kOpen, *temporary);
    const int fd = open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Puts text in place of the file at target, keeping the old file's host
// mode and attributes. The old file, if any, is held open by previous.
BOOL Replace(const std::filesystem::path& target, const File* previous, const std::string& text) {
  std::filesystem::path temporary;
  const int fd = CreateTemporary(target, &temporary);
  if (fd < 0) return FailWithErrno(errno);
  struct stat st {};
  Report(FileStep::kWrite, temporary);
  const bool written = WriteAll(fd, text, temporary) &&
                       (previous == nullptr ||
                        (fstat(previous->fd(), &st) == 0 && fchmod(fd, st.st_mode & 07777) == 0));
  const int error = errno;
  close(fd);
  if (!written) {
    unlink(temporary.c_str());
    return Fail(error == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
  }
  const DWORD kept = previous ? attrs::KeptOf(target) : FILE_ATTRIBUTE_ARCHIVE;
  attrs::Set(temporary, kept);
  if (previous) attrs::Forget(target);
  Report(FileStep::kMove, temporary, target);
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    const int renameError = errno;
    if (previous) attrs::Set(target, kept);
    attrs::Forget(temporary);
    unlink(temporary.c_str());
    return FailWithErrno(renameError);
  }
  return TRUE;
}

// A descriptor open on a file read before, holding no lock of its own: the
// share markers other handles hold on the file are tested through it.
class Watch {
 public:
  explicit Watch(int fd) : fd_(fd) {}
  ~Watch() { close(fd_); }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Texts parsed from files lately read, each with the status its file had.
// A text is reused only while the file has the same identity, size and
// times in the same code page, and those times are older than the read by
// more than the file system's timestamp granularity: a write in the same
// clock tick as the read would otherwise keep equal times.
class ParsedTexts {
 public:
  struct Found {
    std::shared_ptr<const ini::Document> document;
    std::shared_ptr<const Watch> watch;  // null: share modes not yet watched
  };

  static long long Now() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return Nanoseconds(t);
  }

  Found Find(const std::filesystem::path& host, const struct stat& st) {
    std::lock_guard<std::mutex> hold(lock_);
    auto it = texts_.find(host.native());
    if (it == texts_.end()) return {};
    const Entry& entry = it->second;
    const bool same = entry.device == st.st_dev && entry.inode == st.st_ino && entry.size == st.st_size &&
                      entry.modified == Nanoseconds(st.st_mtim) && entry.changed == Nanoseconds(st.st_ctim) &&
                      entry.codePage == GetACP();
    const bool settled = std::max(entry.modified, entry.changed) < entry.taken - kGranularityNs;
    if (same && settled) return {entry.document, entry.watch};
    texts_.erase(it);
    return {};
  }

  void Keep(const std::filesystem::path& host, const struct stat& st, long long taken,
            std::shared_ptr<const ini::Document> document) {
    auto watch = WatchOf(host, st);
    std::lock_guard<std::mutex> hold(lock_);
    if (texts_.size() >= kMaxTexts) texts_.clear();
    texts_[host.native()] = Entry{st.st_dev,
                                  st.st_ino,
                                  st.st_size,
                                  Nanoseconds(st.st_mtim),
                                  Nanoseconds(st.st_ctim),
                                  taken,
                                  GetACP(),
                                  std::move(document),
                                  std::move(watch)};
  }

 private:
  // Longer than any file system's timestamp tick on this host.
  static constexpr long long kGranularityNs = 50'000'000;
  static constexpr std::size_t kMaxTexts = 64;

  static long long Nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
  }

  // A descriptor of its own on the file of status st; null when the file
  // at host is another by now.
  static std::shared_ptr<const Watch> WatchOf(const std::filesystem::path& host, const struct stat& st) {
    const int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    auto watch = std::make_shared<const Watch>(fd);
    struct stat opened {};
    if (fstat(fd, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) return nullptr;
    return watch;
  }

  struct Entry {
    dev_t device;
    ino_t inode;
    off_t size;
    long long modified;
    long long changed;
    long long taken;
    UINT codePage;
    std::shared_ptr<const ini::Document> document;
    std::shared_ptr<const Watch> watch;
  };

  std::mutex lock_;
  std::unordered_map<std::string, Entry> texts_;
};

ParsedTexts gParsed;

// The access and sharing a read of a profile file opens it with.
constexpr OpenRequest kReading{GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0};

// A text read before whose file is unchanged, without opening the file: its
// status tells it is the same, and its share markers that no handle refuses
// this read. Null when the file must be opened, read or failed as usual.
std::shared_ptr<const ini::Document> Unchanged(const ResolvedPath& path, struct stat st, bool statusKnown,
                                               BOOL* refused) {
  if (path.trailingSeparator) return nullptr;
  if (!statusKnown && stat(path.host.c_str(), &st) != 0) return nullptr;
  if (!S_ISREG(st.st_mode)) return nullptr;
  ParsedTexts::Found found = gParsed.Find(path.host, st);
  if (found.document == nullptr || found.watch == nullptr) return nullptr;
  if (share::Conflicts(found.watch->fd(), share::kRead, kReading.share)) {
    *refused = TRUE;
    return nullptr;
  }
  return found.document;
}

// Texts whose files were last found unchanged, readable and of this code
// page with no change notice seen since, by the name as the caller wrote
// it: such a read needs neither resolution nor status call. A null text
// stands for a file found missing from its existing folder.
class CheckedTexts {
 public:
  static std::u16string KeyOf(LPCWSTR fileName) {
    std::u16string key;
    const std::uint64_t generation = MachineGeneration();
    for (int shift = 0; shift < 64; shift += 16) key += static_cast<char16_t>(generation >> shift);
    key += static_cast<char16_t>(GetACP());
    key += fileName;
    return key;
  }

  // Whether a text is kept for the key at this epoch; *document is it.
  bool Find(const std::u16string& key, std::uint64_t epoch, std::shared_ptr<const ini::Document>* document) {
    std::lock_guard<std::mutex> hold(lock_);
    auto it = texts_.find(key);
    if (it == texts_.end()) return false;
    if (it->second.epoch == epoch) {
      *document = it->second.document;
      return true;
    }
    texts_.erase(it);
    return false;
  }

  void Keep(std::u16string key, std::uint64_t epoch, std::shared_ptr<const ini::Document> document) {
    std::lock_guard<std::mutex> hold(lock_);
    if (texts_.size() >= kMaxTexts) texts_.clear();
    texts_[std::move(key)] = Entry{epoch, std::move(document)};
  }

 private:
  static constexpr std::size_t kMaxTexts = 64;
  struct Entry {
    std::uint64_t epoch;
    std::shared_ptr<const ini::Document> document;
  };
  std::mutex lock_;
  std::unordered_map<std::u16string, Entry> texts_;
};

CheckedTexts gChecked;

}  // namespace

std::shared_ptr<const ini::Document> Read(LPCWSTR fileName) {
  const std::uint64_t epoch = fileName != nullptr ? notices::Epoch() : 0;
  const std::u16string key = epoch != 0 ? CheckedTexts::KeyOf(fileName) : std::u16string();
  std::shared_ptr<const ini::Document> checked;
  if (epoch != 0 && gChecked.Find(key, epoch, &checked)) {
    SetLastError(checked != nullptr ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    return checked;
  }
  struct stat status {};
  bool statusKnown = false;
  auto path = PathOf(fileName, &status, &statusKnown);
  if (!path) return nullptr;
  // The check below holds until the next notice when the file and its
  // folders were watched before this read began and no notice came since
  // (a watch added counts as a notice).
  const notices::Watched watched =
      epoch != 0 && !path->isRoot && !path->trailingSeparator ? notices::Watch(path->host) : notices::Watched{};
  const bool quiet = notices::Epoch() == epoch;
  BOOL refused = FALSE;
  if (auto unchanged = Unchanged(*path, status, statusKnown, &refused)) {
    if (quiet && watched.file) gChecked.Keep(key, epoch, unchanged);
    SetLastError(ERROR_SUCCESS);
    return unchanged;
  }
  if (refused) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return nullptr;
  }
  auto file = OpenFile(*path, kReading);
  if (!file) {
    if (quiet && watched.folders && GetLastError() == ERROR_FILE_NOT_FOUND) gChecked.Keep(key, epoch, nullptr);
    return nullptr;
  }
  const long long now = ParsedTexts::Now();
  struct stat st {};
  const bool known = fstat(file->fd(), &st) == 0;
  if (known) {
    if (auto parsed = gParsed.Find(path->host, st).document) return parsed;
  }
  auto bytes = ReadAll(file->fd());
  if (!bytes) return nullptr;
  auto document = std::make_shared<const ini::Document>(std::move(*bytes));
  if (known) gParsed.Keep(path->host, st, now, document);
  return document;
}

BOOL Update(LPCWSTR fileName, const std::function<bool(ini::Document&)>& edit) {
  auto path = PathOf(fileName);
  if (!path) return FALSE;
  if (path->isRoot || path->trailingSeparator) return Fail(ERROR_ACCESS_DENIED);
  FolderLock lock(path->host.parent_path());
  std::shared_ptr<File> previous;
  std::string bytes;
  struct stat st {};
  if (stat(path->host.c_str(), &st) == 0) {
    // Opening for writing applies the read-only attribute and share modes.
    previous = OpenFile(*path, {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, 0});
    if (!previous) return FALSE;
    auto old = ReadAll(previous->fd());
    if (!old) return FALSE;
    bytes = std::move(*old);
  } else if (errno != ENOENT) {
    return FailWithErrno(errno);
  }
  ini::Document document(std::move(bytes));
  if (!edit(document)) {
    SetLastError(ERROR_SUCCESS);
    return TRUE;
  }
  if (!Replace(path->host, previous.get(), document.bytes())) return FALSE;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

}  // namespace plat::profile

namespace plat {

class ProfileFolderTurn::Lock : public profile::FolderLock {
 public:
  using FolderLock::FolderLock;
};

ProfileFolderTurn::ProfileFolderTurn(LPCWSTR file) {
  const DWORD error = GetLastError();
  if (auto path = profile::PathOf(file); path && !path->isRoot) {
    lock_ = std::make_unique<Lock>(path->host.parent_path());
  }
  SetLastError(error);
}

ProfileFolderTurn::~ProfileFolderTurn() = default;

bool ProfileFolderTurn::held() const { return lock_ != nullptr && lock_->held(); }

}  // namespace plat
