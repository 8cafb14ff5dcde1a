// Reads dialog templates, classic and extended, as a module's resource
// data: the input is the template's bytes, of exactly that size. Every read
// must stay within them; a template that reads must name only controls of
// known classes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/window/dialog/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plat::window::DialogTemplate t;
  if (!plat::window::ReadDialogTemplate(data, size, &t)) return 0;
  for (const plat::window::DialogItem& item : t.items) {
    if (item.className.isOrdinal && plat::window::PredefinedControlClass(item.className.ordinal) == nullptr) {
      std::abort();
    }
  }
  return 0;
}
