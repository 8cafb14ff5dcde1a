// Store contents kept between calls, and the change counters that tell
// when to read a store again.
#include "platform/host/storecache.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <vector>

#include "platform/base/machine.h"
#include "platform/host/hostlock.h"
#include "platform/host/storefile.h"

namespace plat::store {
namespace {

constexpr std::size_t kCounterBytes = sizeof(std::uint64_t);

// Maps the counter at the start of the lock file open on fd, growing a
// new (empty) lock file to hold it; null when the host refuses. Growing
// only ever happens from empty, so two processes that both do it leave
// the same counter.
std::uint64_t* MapCounter(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return nullptr;
  if (static_cast<std::size_t>(info.st_size) < kCounterBytes && ::ftruncate(fd, kCounterBytes) != 0) return nullptr;
  void* at = ::mmap(nullptr, kCounterBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  return at == MAP_FAILED ? nullptr : static_cast<std::uint64_t*>(at);
}

// Maps the counter of a lock file through a descriptor of its own: a
// mapping keeps its open file alive, and a flock belongs to the open file,
// so mapping through a locked descriptor would keep the lock for good.
std::uint64_t* MapCounter(const std::filesystem::path& lockFile) {
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::uint64_t* counter = MapCounter(fd);
  ::close(fd);
  return counter;
}

void UnmapCounter(std::uint64_t* counter) {
  if (counter != nullptr) ::munmap(counter, kCounterBytes);
}

std::uint64_t ReadCounter(std::uint64_t* counter) {
  return std::atomic_ref<std::uint64_t>(*counter).load(std::memory_order_acquire);
}

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The stamp of a host status; an all-zero status is a missing file.
FileStamp StampFrom(const struct stat& info) {
  if (info.st_ino == 0 && info.st_nlink == 0) return {};
  return {true,
          static_cast<std::uint64_t>(info.st_dev),
          static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size),
          Nanoseconds(info.st_mtim),
          Nanoseconds(info.st_ctim)};
}

FileStamp StampOf(const std::filesystem::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 ? StampFrom(info) : FileStamp{};
}

}  // namespace

void AdvanceChangeCounter(int lockFd) {
  std::uint64_t* counter = MapCounter(lockFd);
  if (counter == nullptr) return;
  std::atomic_ref<std::uint64_t>(*counter).fetch_add(1, std::memory_order_acq_rel);
  UnmapCounter(counter);  // before the caller closes the descriptor, so its lock goes with it
}

StoreCache::~StoreCache() { UnmapCounter(counter_); }

bool StoreCache::Current(bool checkFile) const {
  return content_ != nullptr && generation_ == MachineGeneration() && counter_ != nullptr &&
         ReadCounter(counter_) == seen_ && (!checkFile || StampOf(file_) == stamp_);
}

void StoreCache::Forget() {
  content_.reset();
  UnmapCounter(counter_);
  counter_ = nullptr;
  file_.clear();
}

DWORD StoreCache::Reload() {
  content_.reset();
  const std::uint64_t generation = MachineGeneration();
  if (generation != generation_ || counter_ == nullptr) {
    Forget();
    generation_ = generation;
    file_ = locate_();
  }
  if (file_.empty()) return ERROR_CANTOPEN;
  const std::filesystem::path lockFile = LockFileOf(file_);
  hostlock::LockedFile lock(lockFile, O_RDWR | O_CREAT, LOCK_SH);
  if (!lock.held()) return ERROR_CANTOPEN;
  if (counter_ == nullptr && (counter_ = MapCounter(lockFile)) == nullptr) return ERROR_CANTOPEN;
  // Under the shared lock no write is under way: the counter and the file
  // agree.
  const std::uint64_t seen = ReadCounter(counter_);
  std::vector<BYTE> bytes;
  struct stat read {};
  if (DWORD rc = ReadAll(file_, bytes, &read); rc != ERROR_SUCCESS) return rc;
  std::shared_ptr<const void> content;
  if (DWORD rc = decode_(bytes, content); rc != ERROR_SUCCESS) return rc;
  content_ = std::move(content);
  seen_ = seen;
  stamp_ = StampFrom(read);
  return ERROR_SUCCESS;
}

DWORD StoreCache::Get(bool checkFile, std::shared_ptr<const void>& content) {
  std::lock_guard guard(lock_);
  if (!Current(checkFile)) {
    if (DWORD rc = Reload(); rc != ERROR_SUCCESS) {
      content.reset();
      return rc;
    }
  }
  content = content_;
  return ERROR_SUCCESS;
}

}  // namespace plat::store
