// What the install sequence's files share: the printer's name and the
// settings INI paths without a context, INI reads into text, and the keys
// of the data and spool directories taken out of an INI. Internal to
// storage/install/sequence/.
#pragma once

#include <optional>
#include <string>

#include "platform/base/wintypes.h"

#if !KESM_KERNEL_MODE
namespace sequence {

// The text, empty for null.
inline std::u16string Text(LPCWSTR text) { return text != nullptr ? std::u16string(text) : std::u16string(); }
// The printer's name; empty when it cannot be had.
std::u16string PrinterNameOf(HANDLE printer);
// The user's settings INI (the per-user directory) and the shared one.
std::u16string UserIniPath();
std::u16string SharedIniPath(HANDLE printer);
// The key's value (up to 1,024 characters); empty when missing.
std::u16string ReadIniText(LPCWSTR section, LPCWSTR key, LPCWSTR path);
// The key's value when the key is there (a value of maxChars characters or
// more is refused: nullopt as for a missing key); the key is then removed
// with the file's last-write time kept.
std::optional<std::u16string> TakeIniKey(LPCWSTR section, LPCWSTR key, LPCWSTR path, DWORD maxChars);
// A directory value with "%SYSTEMDRIVE%" (the Windows directory's drive) or
// "%SYSTEMROOT%" (the Windows directory) at its start expanded, any case.
std::u16string ExpandSystemDirectory(std::u16string_view value);
// TRUE when the path names an existing folder.
bool IsFolder(const std::u16string& path);

}  // namespace sequence
#endif

struct UCB;

#if !KESM_KERNEL_MODE
namespace sequence {

// Points the context's settings INI at the shared copy for the life of the
// object (the mode word's shared-INI bit), and back.
class SharedIniScope {
 public:
  explicit SharedIniScope(UCB* ucb);
  ~SharedIniScope();
  SharedIniScope(const SharedIniScope&) = delete;
  SharedIniScope& operator=(const SharedIniScope&) = delete;

 private:
  UCB* ucb_;
  DWORD saved_ = 0;
};

}  // namespace sequence
#endif
