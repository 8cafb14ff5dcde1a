#if !KESM_KERNEL_MODE  // used by user-mode code only
#include "storage/ini/ini_lines.h"

#include "storage/ini/ansi_text.h"

namespace storage {

bool IniText::NameAt(const char* p, std::string_view name, char close) const {
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (AtEnd(p + i) || p[i] == '\n') return false;
  }
  const char* after = p + name.size();
  if (AtEnd(after) || *after != close) return false;
  return SameAnsiIgnoringCase(std::string_view(p, name.size()), name);
}

}  // namespace storage
#endif
