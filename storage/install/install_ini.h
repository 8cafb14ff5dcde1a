// What the install code shares: reads of INI values that refuse a value
// longer than its field instead of cutting it, whole-section reads, and a
// copy of a context's settings to put back. Internal to storage/install/.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"
#include "settings/system/memptr.h"

struct DCB;
struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// The value of a key, or the default when it is missing; nullopt when the
// value is longer than maxChars characters (it would not fit its field).
std::optional<std::u16string> ReadWholeValue(LPCWSTR section, LPCWSTR key, LPCWSTR path, DWORD maxChars,
                                             LPCWSTR defaultValue = u"");
// The key's integer, or the default.
UINT ReadIniInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR path);
// Removes a key (value null).
BOOL DeleteIniKey(LPCWSTR section, LPCWSTR key, LPCWSTR path);

// The "key=value" lines of a section, each ending in a null, the list in
// one more; an empty list when the section is missing. nullopt when the
// section holds more than maxChars characters: a section is taken whole or
// not at all.
std::optional<std::vector<WCHAR>> ReadWholeSection(LPCWSTR section, LPCWSTR path, DWORD maxChars);

// The text holds decimal digits only (and is not empty).
bool IsDigitsOnly(std::u16string_view text);
// The text holds ASCII letters and digits only (and is not empty).
bool IsLettersAndDigits(std::u16string_view text);
// The number as decimal text.
std::u16string DecimalText(LONG value);

// The context's settings, kept to be put back.
class SettingsCopy {
 public:
  explicit SettingsCopy(UCB* ucb);
  bool ok() const { return saved_ != nullptr; }
  // Puts the kept settings back over the context's.
  void Restore() const;

 private:
  UCB* ucb_;
  MemBlock<DCB> saved_;
};

}  // namespace storage
#endif

#if !KESM_KERNEL_MODE
namespace storage {
// Hands the job codes of the mask to the job-code library and keeps them in
// printer data.
void StoreJobCodes(UCB* ucb, DWORD mask);
}  // namespace storage
#endif
