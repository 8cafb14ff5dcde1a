// Searching INI text: section headers, and keys inside a section body.
#if !KESM_KERNEL_MODE  // the kernel-mode build has no script buffers
#include <algorithm>
#include <string>

#include "platform/text/wintext.h"
#include "storage/ini/ansi_text.h"
#include "storage/ini/ini_lines.h"
#include "storage/ini/ini_script.h"

namespace {

// The default, cut to the buffer, as the result of a miss.
DWORD CopyDefault(LPCWSTR defaultValue, LPWSTR buffer, DWORD size) {
  lstrcpynW(buffer, defaultValue != nullptr ? defaultValue : u"", static_cast<int>(size));
  return static_cast<DWORD>(lstrlenW(buffer));
}

// The key line of the section body, searched from the line at start with
// one wrap to the body's first line; null when the key is missing.
const char* FindKeyLine(const storage::IniText& lines, const char* body, const char* start,
                        std::string_view key) {
  const char* p = start;
  bool wrapped = false;
  for (;;) {
    if (lines.EndsSection(p)) {
      if (wrapped) return nullptr;
      wrapped = true;
      p = body;
    }
    if (wrapped && p == start) return nullptr;
    if (lines.NameAt(p, key, '=')) return p;
    p = lines.NextLine(p);
  }
}

// The line start of the body `start` bytes in, or the body's first line
// when no line of the section starts there: a position kept from another
// body must not lead the search past the text, into the next section or
// into the middle of a line.
const char* StartLine(const storage::IniText& lines, const char* body, LONG start) {
  const char* p = body;
  for (LONG at = 0; at < start; at = static_cast<LONG>(p - body)) {
    if (lines.EndsSection(p)) return body;
    p = lines.NextLine(p);
  }
  return p - body == start ? p : body;
}

// Copies the value that starts at p, up to size - 1 bytes of it.
DWORD CopyValue(const char* p, LPWSTR buffer, DWORD size) {
  std::size_t length = 0;
  while (p[length] != '\0' && p[length] != '\r' && p[length] != '\n') ++length;
  const std::string_view value(p, length);
  const std::size_t kept = storage::WholeCharacters(value, size - 1);
  const std::u16string wide = storage::FromAnsi(value.substr(0, kept));
  const std::size_t chars = std::min<std::size_t>(wide.size(), size - 1);
  wide.copy(buffer, chars);
  buffer[chars] = 0;
  return static_cast<DWORD>(chars);
}

}  // namespace

LPCSTR SearchSectionName(LPCSTR section, LPCSTR text, DWORD textLength, LPDWORD sectionLength) {
  if (section == nullptr || text == nullptr) return nullptr;
  const storage::IniText lines(text + textLength);
  const std::string_view name(section);
  for (const char* p = text; !lines.AtEnd(p); p = lines.NextLine(p)) {
    if (!lines.HeaderAt(p, name)) continue;
    const char* end = lines.NextLine(p);
    while (!lines.EndsSection(end)) end = lines.NextLine(end);
    if (sectionLength != nullptr) *sectionLength = static_cast<DWORD>(end - p);
    return p;
  }
  return nullptr;
}

LPCSTR GetSectionAddr(LPCWSTR section, LPCSTR image) {
  std::string name;
  if (section == nullptr || image == nullptr) return nullptr;
  if (!storage::ToAnsi(section, &name, storage::kNameBytes)) return nullptr;
  const storage::IniText lines;
  for (const char* p = image; !lines.AtEnd(p); p = lines.NextLine(p)) {
    if (lines.HeaderAt(p, name)) return lines.NextLine(p);
  }
  return nullptr;
}

DWORD GetScriptString(LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size, LPCSTR body,
                      PLONG position) {
  const LONG start = position != nullptr ? std::max<LONG>(*position, 0) : 0;
  if (position != nullptr) *position = 0;
  if (buffer == nullptr || size == 0) return 0;
  std::string name;
  if (body == nullptr || key == nullptr || !storage::ToAnsi(key, &name, storage::kNameBytes)) {
    return CopyDefault(defaultValue, buffer, size);
  }
  const storage::IniText lines;
  const char* hit = FindKeyLine(lines, body, StartLine(lines, body, start), name);
  if (hit == nullptr) return CopyDefault(defaultValue, buffer, size);
  if (position != nullptr) *position = static_cast<LONG>(lines.NextLine(hit) - body);
  return CopyValue(hit + name.size() + 1, buffer, size);
}

INT GetScriptInt(LPCWSTR key, INT defaultValue, LPCSTR body, PLONG position) {
  WCHAR text[11] = {};
  if (GetScriptString(key, u"", text, 11, body, position) == 0) return defaultValue;
  const WCHAR* p = text;
  const bool negative = *p == u'-';
  if (*p == u'-' || *p == u'+') ++p;
  long long value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) value = value * 10 + (*p - u'0');
  return static_cast<INT>(negative ? -value : value);
}
#endif
