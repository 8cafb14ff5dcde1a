// Locked whole-file stores and their binary encoding.
#include "platform/host/storefile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/host/hostfd.h"
#include "platform/host/hostlock.h"
#include "platform/host/storecache.h"
#include "platform/base/winerror.h"
#include "platform/text/wintext.h"

namespace plat::store {
namespace {

// The store's lock file, flocked for the object's life.
class FileLock : public hostlock::LockedFile {
 public:
  FileLock(const std::filesystem::path& file, int operation)
      : LockedFile(LockFileOf(file), O_RDWR | O_CREAT, operation) {}
};

}  // namespace

std::filesystem::path LockFileOf(const std::filesystem::path& file) { return file.string() + ".lock"; }

DWORD ReadAll(const std::filesystem::path& file, std::vector<BYTE>& bytes, struct stat* read) {
  bytes.clear();
  if (read != nullptr) *read = {};
  hostio::Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errno == ENOENT ? ERROR_SUCCESS : ERROR_CANTOPEN;
  if (read != nullptr && ::fstat(fd.get(), read) != 0) return ERROR_CANTREAD;
  BYTE chunk[8192];
  for (;;) {
    ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ERROR_CANTREAD;
    if (n == 0) return ERROR_SUCCESS;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
}

namespace {

// Writes a sibling temporary file and renames it over the store. Only one
// writer runs at a time (the exclusive lock), so one temporary name serves.
// The bytes reach the disk before the rename, so a crash leaves the old
// store or the new one, never an empty file under the store's name.
DWORD Replace(const std::filesystem::path& file, std::span<const BYTE> bytes) {
  const std::string temp = file.string() + ".new";
  hostio::Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) return ERROR_CANTWRITE;
  bool ok = hostio::WriteAll(fd.get(), bytes.data(), bytes.size()) && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
    ::unlink(temp.c_str());
    return ERROR_CANTWRITE;
  }
  return ERROR_SUCCESS;
}

}  // namespace

DWORD Load(const std::filesystem::path& file, std::vector<BYTE>& bytes) {
  FileLock lock(file, LOCK_SH);
  if (!lock.held()) return ERROR_CANTOPEN;
  return ReadAll(file, bytes);
}

DWORD Update(const std::filesystem::path& file,
             const std::function<DWORD(std::vector<BYTE>&)>& change) {
  FileLock lock(file, LOCK_EX);
  if (!lock.held()) return ERROR_CANTOPEN;
  std::vector<BYTE> bytes;
  if (DWORD rc = ReadAll(file, bytes); rc != ERROR_SUCCESS) return rc;
  const std::vector<BYTE> before = bytes;
  if (DWORD rc = change(bytes); rc != ERROR_SUCCESS) return rc;
  if (bytes == before) return ERROR_SUCCESS;
  // Readers that see the new count wait for this lock before they read,
  // so they find the new file.
  AdvanceChangeCounter(lock.fd());
  return Replace(file, bytes);
}

std::string Diagnose(const std::filesystem::path& file, std::string_view what,
                     const std::function<DWORD(std::span<const BYTE>)>& decode) {
  const std::string named = std::string(what) + " " + file.string();
  const std::filesystem::path lockFile = LockFileOf(file);
  hostio::Fd probe(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
  if (probe.get() < 0) return "the lock " + lockFile.string() + " of " + named + " cannot be opened: " + std::strerror(errno);
  FileLock lock(file, LOCK_SH);
  if (!lock.held()) return "the lock " + lockFile.string() + " of " + named + " cannot be taken: " + std::strerror(errno);
  std::vector<BYTE> bytes;
  if (ReadAll(file, bytes) != ERROR_SUCCESS) return named + " cannot be read: " + std::strerror(errno);
  if (decode(bytes) != ERROR_SUCCESS) return named + " is damaged";
  return {};
}

int CompareNames(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;  // most names are spelled alike
    const WCHAR x = CharUpperW1(a[i]);
    const WCHAR y = CharUpperW1(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && CompareNames(a, b) == 0;
}

namespace {

// A hash of the name that equal names ignoring case share.
std::size_t NameHash(std::u16string_view name) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (const WCHAR c : name) h = (h ^ CharUpperW1(c)) * 0x100000001B3ull;
  return static_cast<std::size_t>(h ^ (h >> 32));
}

}  // namespace

NameIndex::NameIndex(std::vector<std::u16string_view> names) : names_(std::move(names)) {
  std::size_t slots = 8;
  while (slots < 2 * names_.size()) slots *= 2;
  slots_.assign(slots, 0);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    std::uint32_t& slot = slots_[SlotOf(names_[i])];
    if (slot == 0) slot = static_cast<std::uint32_t>(i + 1);
  }
}

std::size_t NameIndex::SlotOf(std::u16string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = NameHash(name) & mask;
  while (slots_[at] != 0 && !SameName(names_[slots_[at] - 1], name)) at = (at + 1) & mask;
  return at;
}

std::size_t NameIndex::Find(std::u16string_view name) const {
  if (slots_.empty()) return kMissing;
  const std::uint32_t slot = slots_[SlotOf(name)];
  return slot == 0 ? kMissing : slot - 1;
}

void Writer::U32(DWORD v) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<BYTE>(v >> (8 * i)));
}

void Writer::U64(ULONGLONG v) {
  for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<BYTE>(v >> (8 * i)));
}

void Writer::Text(std::u16string_view s) {
  U32(static_cast<DWORD>(s.size()));
  for (WCHAR c : s) {
    bytes_.push_back(static_cast<BYTE>(c & 0xFF));
    bytes_.push_back(static_cast<BYTE>(c >> 8));
  }
}

void Writer::Bytes(std::span<const BYTE> b) {
  U32(static_cast<DWORD>(b.size()));
  bytes_.insert(bytes_.end(), b.begin(), b.end());
}

bool Reader::Take(std::size_t n, const BYTE*& at) {
  if (!ok_ || n > bytes_.size() - pos_) return ok_ = false;
  at = bytes_.data() + pos_;
  pos_ += n;
  return true;
}

bool Reader::U32(DWORD& v) {
  const BYTE* at = nullptr;
  if (!Take(4, at)) return false;
  v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<DWORD>(at[i]) << (8 * i);
  return true;
}

bool Reader::U64(ULONGLONG& v) {
  const BYTE* at = nullptr;
  if (!Take(8, at)) return false;
  v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<ULONGLONG>(at[i]) << (8 * i);
  return true;
}

bool Reader::Text(std::u16string& s) {
  DWORD count = 0;
  const BYTE* at = nullptr;
  if (!U32(count) || !Take(std::size_t{count} * 2, at)) return false;
  s.resize(count);
  for (DWORD i = 0; i < count; ++i) s[i] = static_cast<WCHAR>(at[2 * i] | (at[2 * i + 1] << 8));
  return true;
}

bool Reader::Bytes(std::vector<BYTE>& b) {
  DWORD count = 0;
  const BYTE* at = nullptr;
  if (!U32(count) || !Take(count, at)) return false;
  b.assign(at, at + count);
  return true;
}

}  // namespace plat::store
