// The quality key, and a neutral quality read until the store is built.
#include "storage/stores/preset_store.h"

#include "platform/text/wintext.h"

#if !KESM_KERNEL_MODE
namespace {
constexpr int kQualityKeyChars = 64;
}  // namespace

LPWSTR MakeQualityKey(LPWSTR buffer, int index) {
  wnsprintfW(buffer, kQualityKeyChars, u"QualityList%d", index);
  return buffer;
}

BOOL ReadQualityByID(UCB* /*ucb*/, int /*index*/) { return FALSE; }
#endif
