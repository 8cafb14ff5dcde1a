// The colour-profile open dialog's hook: the name typed (or picked) is made
// a full path from the folder list and its file must carry the profile
// header; a refusal keeps the dialog open.
#include "features/quality/pages/profile_file_hook.h"

#include <array>
#include <new>
#include <string>

#include "features/quality/cmm_profiles.h"
#include "platform/window/commdlg/commdlg.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/painting_helpers.h"
#include "ui/subdialogs/file_dialogs.h"

namespace {

constexpr int kNameEdit = 1152;
constexpr int kFolderList = 1121;
constexpr int kTypeCombo = 1136;
constexpr UINT kMsgNotProfile = 10077;

UCB* ContextOf(HWND dialog) {
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(dialog, DWLP_USER));
  return ucb != nullptr && ucb->pWork != nullptr ? ucb : nullptr;
}

std::u16string FolderEntry(HWND dialog, LRESULT index) {
  const LRESULT length = SendDlgItemMessageW(dialog, kFolderList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0 || length >= static_cast<LRESULT>(kFileDialogChars)) return {};
  std::array<WCHAR, kFileDialogChars> entry{};
  SendDlgItemMessageW(dialog, kFolderList, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
  return entry.data();
}

// The full path of a name: as it stands when it names its drive; a name
// from the root gets the drive of the list's first entry; otherwise the
// folders of the list from the first entry to the selected one.
std::u16string FullPath(HWND dialog, const std::u16string& name) {
  if (name.size() > 1 && name[1] == u':') return name;
  const std::u16string root = FolderEntry(dialog, 0);
  if (!name.empty() && name[0] == u'\\') {
    // The first entry is the drive's root ("C:\"); the name brings its own
    // backslash.
    return (root.size() >= 2 ? root.substr(0, 2) : root) + name;
  }
  std::u16string path = root;
  if (!path.empty() && path.back() != u'\\') path += u'\\';
  const LRESULT selected = SendDlgItemMessageW(dialog, kFolderList, LB_GETCURSEL, 0, 0);
  for (LRESULT i = 1; i <= selected; ++i) path += FolderEntry(dialog, i) + u'\\';
  return path + name;
}

UINT_PTR OnOk(HWND dialog, UCB* ucb) {
  std::array<WCHAR, kFileDialogChars> text{};
  GetDlgItemTextW(dialog, kNameEdit, text.data(), static_cast<int>(text.size()));
  const std::u16string name = text.data();
  if (name.find_first_of(u"*?") != std::u16string::npos) return FALSE;  // the dialog lists what matches
  const std::u16string path = FullPath(dialog, name);
  if (CheckTcmFileHeader(path.c_str()) == 0) {
    _ShowAlertMsgEx11(ucb, dialog, kMsgNotProfile);
    return TRUE;
  }
  ucb->pWork->dialog.fOk = 1;
  return FALSE;
}

UINT_PTR OnCommand(HWND dialog, WORD id, WORD code) {
  UCB* ucb = ContextOf(dialog);
  if (ucb == nullptr) return FALSE;
  switch (id) {
    case IDOK:
      return OnOk(dialog, ucb);
    case IDCANCEL:
      ucb->pWork->dialog.fOk = 0;
      return FALSE;
    case kTypeCombo: {
      if (code != CBN_SELCHANGE) return FALSE;
      // A new type lists its files at once.
      SetDlgItemTextW(dialog, kNameEdit, GetFileDialogDefaultExt(GetTCBbyTabID(ucb, ucb->wCurrentDialog)));
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

UINT_PTR CALLBACK FileHookProcRef(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG: {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        auto* ucb = ofn != nullptr ? reinterpret_cast<UCB*>(ofn->lCustData) : nullptr;
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ucb));
        if (ucb != nullptr) CheckCurrentWindowProc(ucb, dialog);
        return TRUE;
      }
      case WM_HELP:
      case WM_CONTEXTMENU:
        return TRUE;  // the old dialog's help is not offered
      case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      default:
        return FALSE;
    }
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}
