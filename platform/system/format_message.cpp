#include "platform/system/winmessage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "platform/base/winerror.h"
#include "platform/runtime/winmem.h"

namespace {

struct SystemText {
  DWORD code;
  std::u16string_view text;
};

// The system's texts of the codes this machine's programs report most.
constexpr std::array kSystemTexts = {
    SystemText{0, u"The operation completed successfully.\r\n"},
    SystemText{1, u"Incorrect function.\r\n"},
    SystemText{2, u"The system cannot find the file specified.\r\n"},
    SystemText{3, u"The system cannot find the path specified.\r\n"},
    SystemText{5, u"Access is denied.\r\n"},
    SystemText{6, u"The handle is invalid.\r\n"},
    SystemText{8, u"Not enough memory resources are available to process this command.\r\n"},
    SystemText{32, u"The process cannot access the file because it is being used by another process.\r\n"},
    SystemText{50, u"The request is not supported.\r\n"},
    SystemText{87, u"The parameter is incorrect.\r\n"},
    SystemText{112, u"There is not enough space on the disk.\r\n"},
    SystemText{122, u"The data area passed to a system call is too small.\r\n"},
    SystemText{1223, u"The operation was canceled by the user.\r\n"},
    SystemText{1801, u"The printer name is invalid.\r\n"},
};

bool LanguageHeld(DWORD language) {
  const WORD primary = static_cast<WORD>(language & 0x3FF);
  return (language >> 16) == 0 && (primary == LANG_NEUTRAL || primary == LANG_ENGLISH);
}

DWORD Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     va_list* /*arguments*/) {
  (void)source;
  const DWORD sources = flags & (FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM);
  if (sources != FORMAT_MESSAGE_FROM_SYSTEM || buffer == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (!LanguageHeld(languageId)) return Fail(ERROR_RESOURCE_LANG_NOT_FOUND);
  const auto* found = std::find_if(kSystemTexts.begin(), kSystemTexts.end(),
                                   [&](const SystemText& t) { return t.code == messageId; });
  if (found == kSystemTexts.end()) return Fail(ERROR_MR_MID_NOT_FOUND);
  const std::u16string_view text = found->text;
  const auto length = static_cast<DWORD>(text.size());
  LPWSTR out = buffer;
  if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0) {
    const SIZE_T chars = std::max<SIZE_T>(size, length + 1);
    out = static_cast<LPWSTR>(LocalAlloc(LPTR, chars * sizeof(WCHAR)));
    if (out == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    *reinterpret_cast<LPWSTR*>(buffer) = out;
  } else if (size < length + 1) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(out, text.data(), text.size() * sizeof(WCHAR));
  out[length] = 0;
  return length;
}
