// The folder dialog for intermediate files: OK with an empty name takes
// the folder the dialog shows as the spool folder, for the whole machine
// or for this printer; the Windows temp folder, the default, is kept as
// an empty value. The dialog then closes as cancelled: what it chose is
// stored already.
#include <array>

#include "platform/files/winfile.h"
#include "platform/registry/winreg.h"
#include "platform/system/winsys.h"
#include "platform/text/wintext.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/system/printer_data.h"
#include "ui/subdialogs/file_hook_internal.h"

namespace filehook {
namespace {

constexpr WORD kSpoolDirectoryAll = 942;
constexpr const WCHAR* kSpoolDirectoryValue = u"SpoolDirectory";

std::u16string WindowsDirectory() {
  std::array<WCHAR, MAX_PATH> buffer{};
  const UINT n = GetWindowsDirectoryW(buffer.data(), MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::u16string(buffer.data(), n) : std::u16string();
}

std::u16string WindowsTemp() { return WindowsDirectory() + u"\\temp"; }

void StoreSpoolFolder(const Hook& hook, const std::u16string& folder) {
  const auto bytes = static_cast<DWORD>((folder.size() + 1) * sizeof(WCHAR));
  if (GetDevmodeValueDirectByFuncID(hook.ucb, kSpoolDirectoryAll, nullptr) == 1) {
    SetKESMDirToReg(kSpoolDirectoryValue, folder.c_str(), bytes);
  } else {
    SetDataToRegEx(hook.ucb->hPrinter, folder.c_str(), bytes, REG_SZ, kSpoolDirectoryValue, hook.ucb);
  }
}

}  // namespace

UINT_PTR OnFolderOk(const Hook& hook) {
  std::u16string text = NameText(hook);
  if (text == u"*.*") {
    text.clear();
    SetNameText(hook, text);
  }
  if (!text.empty()) return FALSE;  // the dialog goes to the folder named
  std::u16string folder = ShownFolder(hook.dialog);
  if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  if (lstrcmpiW(folder.c_str(), WindowsTemp().c_str()) == 0) folder.clear();
  StoreSpoolFolder(hook, folder);
  PostMessageW(hook.dialog, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

UINT_PTR OnDefaultFolderButton(const Hook& hook) {
  const std::u16string temp = WindowsTemp();
  SetNameText(hook, GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES ? temp : WindowsDirectory());
  hook.SetOk(0);
  PressOk(hook);
  return TRUE;
}

}  // namespace filehook
