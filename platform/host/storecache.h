// A store file's decoded content kept in memory between calls, so that
// reading a store that nobody changed costs no file access. Every write
// through store::Update advances a change counter kept in the store's lock
// file; each process reads that counter through a shared mapping, so
// finding the store unchanged is one memory read, and a write by any
// process of the machine is seen by the next read of every other. A file
// changed without Update (damaged on disk) is seen by a read that asks for
// the file's identity, size and times to be compared too. Internal to the
// platform library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

#include "platform/base/winerror.h"
#include "platform/base/wintypes.h"

namespace plat::store {

// Advances the change counter of the store whose lock file is open on fd
// (store::Update calls it, under the store's exclusive lock, before the
// file is replaced).
void AdvanceChangeCounter(int lockFd);

// A file's identity, size and change times as the host gives them: a file
// replaced or changed in place has another stamp. A missing file has the
// empty stamp.
struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0, inode = 0, size = 0;
  std::int64_t modified = 0, changed = 0;  // nanoseconds
  bool operator==(const FileStamp&) const = default;
};

// The type-free part of CachedStore.
class StoreCache {
 public:
  // The store file of the current machine; empty when there is none.
  using Locator = std::function<std::filesystem::path()>;
  // Decodes the file's bytes into a new content object.
  using Decoder = DWORD (*)(std::span<const BYTE> bytes, std::shared_ptr<const void>& content);

  StoreCache(Locator locate, Decoder decode) : locate_(std::move(locate)), decode_(decode) {}
  ~StoreCache();
  StoreCache(const StoreCache&) = delete;
  StoreCache& operator=(const StoreCache&) = delete;

  // The content as of now; with checkFile, a file changed in place or
  // replaced behind the store's back is read again too. ERROR_CANTOPEN when
  // there is no machine or the file cannot be read, or the decoder's error
  // (nothing is kept then).
  DWORD Get(bool checkFile, std::shared_ptr<const void>& content);

 private:
  bool Current(bool checkFile) const;
  void Forget();
  DWORD Reload();

  const Locator locate_;
  const Decoder decode_;
  std::mutex lock_;
  std::uint64_t generation_ = 0;  // machine generation of file_ and counter_
  std::filesystem::path file_;
  std::uint64_t* counter_ = nullptr;  // mapped from the lock file
  std::uint64_t seen_ = 0;            // counter when content_ was read
  FileStamp stamp_;                   // the file as content_ was read from it
  std::shared_ptr<const void> content_;
};

// The content of one store as a T, decoded by Decode.
template <class T, DWORD (*Decode)(std::span<const BYTE>, T&)>
class CachedStore {
 public:
  explicit CachedStore(StoreCache::Locator locate) : cache_(std::move(locate), &Erased) {}

  DWORD Get(bool checkFile, std::shared_ptr<const T>& content) {
    std::shared_ptr<const void> any;
    const DWORD rc = cache_.Get(checkFile, any);
    content = std::static_pointer_cast<const T>(any);
    return rc;
  }

 private:
  static DWORD Erased(std::span<const BYTE> bytes, std::shared_ptr<const void>& content) {
    auto decoded = std::make_shared<T>();
    const DWORD rc = Decode(bytes, *decoded);
    if (rc == ERROR_SUCCESS) content = std::move(decoded);
    return rc;
  }

  StoreCache cache_;
};

}  // namespace plat::store
