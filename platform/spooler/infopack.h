// Packing of spooler information into one caller buffer: records first,
// then the strings and blocks they point to. The same emitting code runs
// twice, once to measure and once to fill, so the size reported to a
// probing caller is always the size that is then written. Internal to the
// platform library.
#pragma once

#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/base/wintypes.h"

namespace plat::spool {

class Packer {
 public:
  explicit Packer(BYTE* base) : base_(base) {}  // null base: measure only

  // Room for bytes at the next multiple of align (offsets from the start).
  std::size_t Reserve(std::size_t bytes, std::size_t align) {
    size_ = (size_ + align - 1) / align * align;
    const std::size_t at = size_;
    size_ += bytes;
    return at;
  }
  // Records are copied in, so the caller's buffer needs no alignment.
  template <class T>
  void Store(std::size_t at, const T& record) {
    if (base_) std::memcpy(base_ + at, &record, sizeof record);
  }
  // A terminated copy of the text.
  LPWSTR Text(std::u16string_view s) {
    const std::size_t at = Reserve((s.size() + 1) * sizeof(WCHAR), sizeof(WCHAR));
    if (!base_) return nullptr;
    std::memcpy(base_ + at, s.data(), s.size() * sizeof(WCHAR));  // the terminator is zeroed
    return reinterpret_cast<LPWSTR>(base_ + at);
  }
  // Null for an empty text.
  LPWSTR OptionalText(std::u16string_view s) { return s.empty() ? nullptr : Text(s); }
  // Each text terminated, an empty one last; null for an empty list.
  LPWSTR MultiText(const std::vector<std::u16string>& list) {
    if (list.empty()) return nullptr;
    std::u16string all;
    for (const auto& s : list) all.append(s).push_back(u'\0');
    return Text(all);
  }
  // A copy of the bytes; null when there are none.
  BYTE* Bytes(std::span<const BYTE> b, std::size_t align) {
    if (b.empty()) return nullptr;
    const std::size_t at = Reserve(b.size(), align);
    if (!base_) return nullptr;
    std::memcpy(base_ + at, b.data(), b.size());
    return base_ + at;
  }
  std::size_t size() const { return size_; }

 private:
  BYTE* base_;
  std::size_t size_ = 0;
};

// Runs emit(Packer&) to measure, reports the size, and fills the buffer when
// it is large enough. ERROR_SUCCESS, ERROR_INSUFFICIENT_BUFFER, or
// ERROR_INVALID_USER_BUFFER for a null buffer announced as non-empty.
template <class Emit>
DWORD Pack(LPBYTE buffer, DWORD cbBuf, LPDWORD cbNeeded, Emit&& emit) {
  Packer measure(nullptr);
  emit(measure);
  if (measure.size() > 0xFFFFFFFFu) return ERROR_NOT_ENOUGH_MEMORY;
  *cbNeeded = static_cast<DWORD>(measure.size());
  if (!buffer && cbBuf) return ERROR_INVALID_USER_BUFFER;
  if (!buffer || cbBuf < measure.size()) return ERROR_INSUFFICIENT_BUFFER;
  std::memset(buffer, 0, measure.size());
  Packer fill(buffer);
  emit(fill);
  return ERROR_SUCCESS;
}

}  // namespace plat::spool
