// The key of a stored quality set in the settings INI; both libraries
// look the sets up by it.
#include <string>

#include "storage/stores/preset_store.h"

LPWSTR MakeQualityKey(LPWSTR buffer, int index) {
  if (buffer == nullptr) return nullptr;
  std::u16string key = u"QualityList";
  for (char c : std::to_string(index)) key += static_cast<char16_t>(c);
  key.copy(buffer, key.size());
  buffer[key.size()] = 0;
  return buffer;
}
