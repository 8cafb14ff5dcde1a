// The profile API over profile documents.
#include "platform/profile/winprofile.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/host/hosterror.h"
#include "platform/profile/profileio.h"
#include "platform/base/winerror.h"

namespace {

using plat::ini::Document;
using plat::ini::TrimBlanks;

// A value with one pair of surrounding quotes removed.
std::u16string_view Unquoted(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Copies a single string; returns the count per the truncation rule.
DWORD CopyValue(std::u16string_view value, LPWSTR out, DWORD size) {
  if (out == nullptr || size == 0) return 0;
  if (value.size() < size) {
    value.copy(out, value.size());
    out[value.size()] = u'\0';
    return static_cast<DWORD>(value.size());
  }
  value.copy(out, size - 1);
  out[size - 1] = u'\0';
  SetLastError(ERROR_MORE_DATA);
  return size - 1;
}

// Copies a double-null-terminated list; returns the count per the list
// truncation rule.
DWORD CopyList(const std::vector<std::u16string>& items, LPWSTR out, DWORD size) {
  if (out == nullptr || size == 0) return 0;
  std::u16string list;
  for (const auto& item : items) {
    list += item;
    list += u'\0';
  }
  if (list.size() < size) {
    list.copy(out, list.size());
    out[list.size()] = u'\0';
    if (list.empty() && size > 1) out[1] = u'\0';
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    out[0] = u'\0';
    SetLastError(ERROR_MORE_DATA);
    return 0;
  }
  list.copy(out, size - 2);
  out[size - 2] = u'\0';
  out[size - 1] = u'\0';
  SetLastError(ERROR_MORE_DATA);
  return size - 2;
}

bool HasLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

bool IsValidSection(LPCWSTR name) {
  const std::u16string_view text = TrimBlanks(name);
  return !text.empty() && !HasLineBreak(text) && text.find(u']') == std::u16string_view::npos;
}

bool IsValidKey(LPCWSTR name) {
  const std::u16string_view text = TrimBlanks(name);
  return !text.empty() && !HasLineBreak(text) && text.find(u'=') == std::u16string_view::npos &&
         text.front() != u'[' && text.front() != u';';
}

// One "key=value" line or other line of a section list: it must stay one
// line that is neither a header nor a comment.
bool IsValidSectionLine(std::u16string_view line) {
  const std::u16string_view text = TrimBlanks(line);
  return !HasLineBreak(line) && (text.empty() || (text.front() != u'[' && text.front() != u';'));
}

std::optional<std::vector<std::u16string>> SplitList(LPCWSTR list) {
  std::vector<std::u16string> lines;
  for (LPCWSTR at = list; *at != u'\0';) {
    std::u16string line(at);
    at += line.size() + 1;
    if (!IsValidSectionLine(line)) return std::nullopt;
    if (!TrimBlanks(line).empty()) lines.push_back(std::move(line));
  }
  return lines;
}

// Reads a decimal or "0x" hexadecimal integer with an optional sign, up to
// the first other character; wraps like the 32-bit result.
UINT ParseProfileInt(std::u16string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  UINT base = 10;
  if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  UINT value = 0;
  for (char16_t c : text) {
    UINT digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (base == 16 && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (base == 16 && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      break;
    }
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR appName, LPCWSTR keyName, LPCWSTR defaultValue,
                               LPWSTR returnedString, DWORD size, LPCWSTR fileName) {
  auto document = plat::profile::Read(fileName);
  if (document) SetLastError(ERROR_SUCCESS);
  if (appName == nullptr) {
    return CopyList(document ? document->SectionNames() : std::vector<std::u16string>{},
                    returnedString, size);
  }
  auto section = document ? document->FindSection(appName) : std::nullopt;
  if (keyName == nullptr) {
    return CopyList(section ? document->KeyNames(*section) : std::vector<std::u16string>{},
                    returnedString, size);
  }
  const plat::ini::Line* entry = section ? document->FindEntry(*section, keyName) : nullptr;
  if (entry == nullptr) {
    std::u16string_view fallback = defaultValue ? defaultValue : u"";
    // Only spaces go: a default's trailing tab is kept.
    while (!fallback.empty() && fallback.back() == u' ') fallback.remove_suffix(1);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyValue(fallback, returnedString, size);
  }
  return CopyValue(Unquoted(entry->value), returnedString, size);
}

UINT GetPrivateProfileIntW(LPCWSTR appName, LPCWSTR keyName, INT defaultValue, LPCWSTR fileName) {
  const UINT fallback = static_cast<UINT>(defaultValue);
  if (appName == nullptr || keyName == nullptr) return fallback;
  auto document = plat::profile::Read(fileName);
  if (!document) return fallback;
  auto section = document->FindSection(appName);
  const plat::ini::Line* entry = section ? document->FindEntry(*section, keyName) : nullptr;
  if (entry == nullptr) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return fallback;
  }
  const std::u16string_view text = TrimBlanks(Unquoted(entry->value));
  if (text.empty()) return fallback;
  SetLastError(ERROR_SUCCESS);
  return ParseProfileInt(text);
}

DWORD GetPrivateProfileSectionW(LPCWSTR appName, LPWSTR returnedString, DWORD size,
                                LPCWSTR fileName) {
  if (appName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return CopyList({}, returnedString, size);
  }
  auto document = plat::profile::Read(fileName);
  if (document) SetLastError(ERROR_SUCCESS);
  auto section = document ? document->FindSection(appName) : std::nullopt;
  return CopyList(section ? document->SectionLines(*section) : std::vector<std::u16string>{},
                  returnedString, size);
}

BOOL WritePrivateProfileStringW(LPCWSTR appName, LPCWSTR keyName, LPCWSTR string,
                                LPCWSTR fileName) {
  if (appName == nullptr && keyName == nullptr && string == nullptr) {
    return FALSE;  // the cache flush: nothing is cached, and Windows answers FALSE
  }
  if (appName == nullptr || !IsValidSection(appName) ||
      (keyName != nullptr && !IsValidKey(keyName)) || (string != nullptr && HasLineBreak(string))) {
    return plat::Fail(ERROR_INVALID_PARAMETER);
  }
  return plat::profile::Update(fileName, [&](Document& document) {
    if (keyName == nullptr) return document.DeleteSection(appName);
    if (string == nullptr) return document.DeleteKey(appName, keyName);
    return document.SetValue(appName, keyName, string);
  });
}

BOOL WritePrivateProfileSectionW(LPCWSTR appName, LPCWSTR string, LPCWSTR fileName) {
  if (appName == nullptr || !IsValidSection(appName)) return plat::Fail(ERROR_INVALID_PARAMETER);
  std::vector<std::u16string> lines;
  if (string != nullptr) {
    auto split = SplitList(string);
    if (!split) return plat::Fail(ERROR_INVALID_PARAMETER);
    lines = std::move(*split);
  }
  return plat::profile::Update(fileName, [&](Document& document) {
    if (string == nullptr) return document.DeleteSection(appName);
    return document.ReplaceSection(appName, lines);
  });
}
