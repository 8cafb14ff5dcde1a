// Byte-safe access to little-endian values at any byte offset. The stored
// records (DEVMODE, printer-wide and work blocks) put 16- and 32-bit values at
// odd offsets; they are never read through a typed pointer.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "platform/base/wintypes.h"

template <std::integral T>
T LoadLE(const void* base, std::size_t offset) {
  const auto* p = static_cast<const BYTE*>(base) + offset;
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    v = static_cast<U>(v | (static_cast<U>(p[i]) << (8 * i)));
  }
  return static_cast<T>(v);
}

template <std::integral T>
void StoreLE(void* base, std::size_t offset, T value) {
  auto* p = static_cast<BYTE*>(base) + offset;
  using U = std::make_unsigned_t<T>;
  const auto v = static_cast<U>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    p[i] = static_cast<BYTE>(v >> (8 * i));
  }
}

// Copies raw bytes in and out of a record; sizes come from the layout.
inline void LoadBytes(const void* base, std::size_t offset, void* out, std::size_t bytes) {
  std::memcpy(out, static_cast<const BYTE*>(base) + offset, bytes);
}
inline void StoreBytes(void* base, std::size_t offset, const void* in, std::size_t bytes) {
  std::memcpy(static_cast<BYTE*>(base) + offset, in, bytes);
}
