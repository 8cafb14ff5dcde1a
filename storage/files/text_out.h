// Copying results into callers' fixed-size wide buffers, all or nothing.
// Internal to storage/ and the kernel-mode platform layer.
#pragma once

#include <string_view>

#include "platform/base/wintypes.h"

namespace storage {

// Copies text and its terminator into a buffer of size characters when all
// of it fits and returns the length. Otherwise the buffer is emptied (when
// it has room for the terminator) and the result is 0.
DWORD CopyOut(LPWSTR buffer, DWORD size, std::u16string_view text);

// Empties a buffer that has room for a terminator.
inline void ClearOut(LPWSTR buffer, DWORD size) {
  if (buffer != nullptr && size > 0) buffer[0] = 0;
}

// The view of a terminated string; empty for null.
inline std::u16string_view View(LPCWSTR text) {
  return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

#if !KESM_KERNEL_MODE
// Equality ignoring case, as Windows compares file names.
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);
// Whether text starts with prefix, ignoring case in the same way.
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);
#endif

}  // namespace storage
