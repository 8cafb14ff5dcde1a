// A table of handles: values handed out from a base in steps of four (as
// Windows does), each naming one entry, under one lock. Kernel objects,
// printer handles and registry keys each keep a table of their own, with
// bases far apart, so that a handle of one kind is never taken for another.
// Internal to platform/.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/base/wintypes.h"

namespace plat {

template <class T>
class HandleTable {
 public:
  explicit HandleTable(ULONG_PTR first) : next_(first) {}
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Enters an entry; returns its new handle.
  HANDLE Add(T entry) {
    std::lock_guard guard(lock_);
    const ULONG_PTR value = next_;
    next_ += 4;
    entries_.emplace(value, std::move(entry));
    return reinterpret_cast<HANDLE>(value);
  }

  // A copy of the entry of an open handle, or nothing.
  std::optional<T> Find(const void* handle) const {
    std::lock_guard guard(lock_);
    auto it = entries_.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == entries_.end()) return std::nullopt;
    return it->second;
  }

  // Takes the entry of an open handle out, or nothing; the caller lets it go
  // outside the table's lock.
  std::optional<T> Remove(const void* handle) {
    std::lock_guard guard(lock_);
    auto it = entries_.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == entries_.end()) return std::nullopt;
    std::optional<T> removed(std::move(it->second));
    entries_.erase(it);
    return removed;
  }

  std::size_t size() const {
    std::lock_guard guard(lock_);
    return entries_.size();
  }

 private:
  mutable std::mutex lock_;
  std::unordered_map<ULONG_PTR, T> entries_;
  ULONG_PTR next_;
};

}  // namespace plat
