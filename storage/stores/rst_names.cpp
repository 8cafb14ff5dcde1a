// The user set files behind presets and quality sets: their names and
// their read-only mark.
#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/ini/profile.h"
#include "storage/stores/preset_store.h"
#include "storage/system/system_info.h"

namespace {

constexpr const WCHAR* kKeyReadonly = u"Readonly";
constexpr const WCHAR* kKeyMachine = u"RstMachine";
constexpr DWORD kModeSharedSetFiles = 0x40000;

// The folder of new user set files.
std::u16string UserSetFileFolder(UCB* ucb) {
  const bool shared = !IsSupportIniAccessPerUser(ucb) ||
                      (ucb->pWork != nullptr && (ucb->pWork->dwMode & kModeSharedSetFiles) != 0);
  return shared ? storage::SharedDirectory(ucb->hPrinter) : storage::ProfileDirectory(ucb);
}

}  // namespace

BOOL CanOverwriteRst(UCB* ucb, LPCWSTR file) {
  LPCWSTR section = GetPrinterName(ucb);
  if (section == nullptr || file == nullptr || file[0] == 0) return TRUE;
  return KM_UM_GetPrivateProfileInt(section, kKeyReadonly, 0, file) != 1;
}

BOOL GetNewRstFileName(UCB* ucb, LPWSTR buffer) {
  storage::ClearOut(buffer, kRstNameChars);
  LPCWSTR section = GetPrinterName(ucb);
  if (buffer == nullptr || section == nullptr) return FALSE;
  const std::u16string folder = UserSetFileFolder(ucb);
  if (folder.empty()) return FALSE;
  std::array<WCHAR, 16> name{};
  for (int n = 0; n < kRstNameTries; ++n) {
    wnsprintfW(name.data(), static_cast<int>(name.size()), u"user%04d.rst", n);
    const std::u16string path = storage::JoinPath(folder, name.data());
    if (KM_UM_GetPrivateProfileInt(section, kKeyMachine, 0, path.c_str()) != 0) continue;
    return storage::CopyOut(buffer, kRstNameChars, path) != 0;
  }
  // Every name is in use: none is handed out, so nothing gets overwritten.
  return FALSE;
}
#endif
