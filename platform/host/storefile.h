// Store files of the simulated machine (registry hives, the spooler's printer
// table): whole-file reads under a shared lock and read-modify-write under an
// exclusive lock, so that several processes can use one machine folder. A
// write goes to a temporary file that then replaces the store in one rename,
// so a reader never sees half a file. Internal to the platform library.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"

namespace plat::store {

// Reads the whole file under a shared lock. A missing file reads as empty.
// ERROR_SUCCESS, or ERROR_CANTOPEN / ERROR_CANTREAD.
DWORD Load(const std::filesystem::path& file, std::vector<BYTE>& bytes);

// The lock file of a store: "<store>.lock". It also holds the store's
// change counter (platform/host/storecache.h).
std::filesystem::path LockFileOf(const std::filesystem::path& file);
// Reads the whole file without locking (the caller holds the store's
// lock); a missing file reads as empty. With `read`, the host's status of
// the file that was read (all zero for a missing one).
DWORD ReadAll(const std::filesystem::path& file, std::vector<BYTE>& bytes, struct stat* read = nullptr);

// Under an exclusive lock: reads the file (empty when missing), lets `change`
// edit the bytes, and when it returns ERROR_SUCCESS and the bytes differ,
// advances the store's change counter and replaces the file. Any other result of `change` is returned and nothing is
// written. Write failures give ERROR_CANTWRITE.
DWORD Update(const std::filesystem::path& file,
             const std::function<DWORD(std::vector<BYTE>&)>& change);

// What keeps the store from being used, in one line that names the file
// at fault: its lock file that cannot be opened or locked, the store file
// that cannot be read, or (told by decode) one that is damaged. `what`
// names the store ("the printer table"). Empty when nothing does.
std::string Diagnose(const std::filesystem::path& file, std::string_view what,
                     const std::function<DWORD(std::span<const BYTE>)>& decode);

// Case-insensitive name comparison, as the registry and the spooler match
// key, value and printer names.
bool SameName(std::u16string_view a, std::u16string_view b);
// Orders names ignoring case (upper-case mapping, then code unit order).
int CompareNames(std::u16string_view a, std::u16string_view b);

// Positions of names in a list, found ignoring case as SameName compares
// them; of equal names the first is found. The names are views that must
// live as long as the index.
class NameIndex {
 public:
  static constexpr std::size_t kMissing = ~std::size_t{0};

  NameIndex() = default;
  explicit NameIndex(std::vector<std::u16string_view> names);
  // The position of the name, or kMissing.
  std::size_t Find(std::u16string_view name) const;

 private:
  std::size_t SlotOf(std::u16string_view name) const;

  std::vector<std::u16string_view> names_;
  std::vector<std::uint32_t> slots_;  // position + 1; 0 marks an empty slot
};

// Little-endian binary encoding of store records.
class Writer {
 public:
  void U32(DWORD v);
  void U64(ULONGLONG v);
  void Text(std::u16string_view s);
  void Bytes(std::span<const BYTE> b);
  std::vector<BYTE>& bytes() { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
};

// Reads what Writer wrote; every read fails (returns false) at the end of the
// data or when a length points past it, and the failure sticks.
class Reader {
 public:
  explicit Reader(std::span<const BYTE> bytes) : bytes_(bytes) {}
  bool U32(DWORD& v);
  bool U64(ULONGLONG& v);
  bool Text(std::u16string& s);
  bool Bytes(std::vector<BYTE>& b);
  bool AtEnd() const { return ok_ && pos_ == bytes_.size(); }
  bool ok() const { return ok_; }

 private:
  bool Take(std::size_t n, const BYTE*& at);
  std::span<const BYTE> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// A list of named, typed values (registry values, printer data): their
// count, then the name, type and bytes of each. `bytes` names the member
// that holds a value's bytes.
template <class V>
void WriteValues(Writer& w, const std::vector<V>& values, std::vector<BYTE> V::*bytes) {
  w.U32(static_cast<DWORD>(values.size()));
  for (const V& v : values) {
    w.Text(v.name);
    w.U32(v.type);
    w.Bytes(v.*bytes);
  }
}

template <class V>
bool ReadValues(Reader& r, std::vector<V>& values, std::vector<BYTE> V::*bytes) {
  DWORD count = 0;
  if (!r.U32(count)) return false;
  for (DWORD i = 0; i < count; ++i) {
    V v;
    if (!r.Text(v.name) || !r.U32(v.type) || !r.Bytes(v.*bytes)) return false;
    values.push_back(std::move(v));
  }
  return true;
}

}  // namespace plat::store
