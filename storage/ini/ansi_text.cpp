#if !KESM_KERNEL_MODE  // used by user-mode code only
#include "storage/ini/ansi_text.h"

#include <type_traits>

#include "platform/text/codepage.h"
#include "platform/text/wintext.h"

namespace storage {
namespace {

// Every ANSI code page the machine may have keeps ASCII as it is, and the
// keys and values of settings are nearly always ASCII: those skip the
// conversion tables.
template <class Char>
bool IsAscii(std::basic_string_view<Char> text) {
  for (Char c : text) {
    if (static_cast<std::make_unsigned_t<Char>>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

bool ToAnsi(std::u16string_view text, std::string* out, std::size_t maxBytes) {
  out->clear();
  if (text.empty()) return true;
  if (IsAscii(text)) {
    if (maxBytes != 0 && text.size() >= maxBytes) return false;
    out->assign(text.begin(), text.end());
    return true;
  }
  const int chars = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(CP_ACP, 0, text.data(), chars, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  if (maxBytes != 0 && static_cast<std::size_t>(needed) >= maxBytes) return false;
  out->resize(static_cast<std::size_t>(needed));
  const int written =
      WideCharToMultiByte(CP_ACP, 0, text.data(), chars, out->data(), needed, nullptr, nullptr);
  out->resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return written == needed;
}

std::u16string FromAnsi(std::string_view text) {
  std::u16string out;
  if (text.empty()) return out;
  if (IsAscii(text)) return std::u16string(text.begin(), text.end());
  const int bytes = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
  if (needed <= 0) return out;
  out.resize(static_cast<std::size_t>(needed));
  const int written = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, out.data(), needed);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

std::size_t WholeCharacters(std::string_view text, std::size_t maxBytes) {
  const UINT codePage = GetACP();
  std::size_t i = 0;
  while (i < text.size()) {
    const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])) && i + 1 < text.size();
    const std::size_t step = lead ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
  }
  return i;
}

bool SameAnsiIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  return lstrcmpiA(std::string(a).c_str(), std::string(b).c_str()) == 0;
}

}  // namespace storage
#endif
