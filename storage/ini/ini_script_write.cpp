// Composing a section as text in a caller's buffer.
#if !KESM_KERNEL_MODE  // the kernel-mode build has no script buffers
#include <string>
#include <string_view>

#include "storage/ini/ansi_text.h"
#include "storage/ini/ini_script.h"

namespace {

bool HasLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

// Appends text and a terminator when both fit; all or nothing.
BOOL Append(LPDWORD position, std::string_view text, LPSTR buffer, DWORD size) {
  if (*position >= size || text.size() >= size - *position) return FALSE;
  text.copy(buffer + *position, text.size());
  *position += static_cast<DWORD>(text.size());
  buffer[*position] = '\0';
  return TRUE;
}

}  // namespace

BOOL WriteScriptSection(LPDWORD position, LPCWSTR section, LPSTR buffer, DWORD size) {
  if (position == nullptr || section == nullptr || buffer == nullptr) return FALSE;
  const std::u16string_view name(section);
  if (name.empty()) return TRUE;
  if (HasLineBreak(name) || name.find(u']') != std::u16string_view::npos) return FALSE;
  std::string ansi;
  if (!storage::ToAnsi(name, &ansi, storage::kNameBytes)) return FALSE;
  return Append(position, "[" + ansi + "]\r\n", buffer, size);
}

BOOL WriteScriptString(LPDWORD position, LPCWSTR key, LPCWSTR value, LPSTR buffer, DWORD size) {
  if (position == nullptr || key == nullptr || value == nullptr || buffer == nullptr) return FALSE;
  const std::u16string_view name(key);
  if (name.empty()) return TRUE;
  if (HasLineBreak(name) || HasLineBreak(value) || name.front() == u'[' ||
      name.find(u'=') != std::u16string_view::npos) {
    return FALSE;
  }
  std::string ansiKey;
  std::string ansiValue;
  if (!storage::ToAnsi(name, &ansiKey, storage::kNameBytes) ||
      !storage::ToAnsi(value, &ansiValue)) {
    return FALSE;
  }
  return Append(position, ansiKey + "=" + ansiValue + "\r\n", buffer, size);
}
#endif
