#include "storage/files/text_out.h"

#if !KESM_KERNEL_MODE
#include "platform/text/wintext.h"
#endif

namespace storage {

DWORD CopyOut(LPWSTR buffer, DWORD size, std::u16string_view text) {
  if (buffer == nullptr) return 0;
  if (text.size() >= size) {
    ClearOut(buffer, size);
    return 0;
  }
  text.copy(buffer, text.size());
  buffer[text.size()] = 0;
  return static_cast<DWORD>(text.size());
}

#if !KESM_KERNEL_MODE
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (CharUpperW1(a[i]) != CharUpperW1(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && SameTextIgnoringCase(text.substr(0, prefix.size()), prefix);
}
#endif

}  // namespace storage
