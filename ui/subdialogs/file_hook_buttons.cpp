// The save, read and delete buttons of the set-file dialog: the name is
// checked for what the button is about to do, then the button becomes the
// dialog's action and OK closes it; the dialog's opener carries it out.
#include "platform/files/winfile.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/subdialogs/file_hook_internal.h"

namespace filehook {
namespace {

// Read and delete need the file; save makes it.
bool NeedsFile(WORD button) { return button == kReadButton || button == kDeleteButton; }

// False, with the button's message, when the file the button needs is
// not there.
bool FileThere(const Hook& hook, WORD button, const std::u16string& path) {
  if (!NeedsFile(button) || IsFile(path.c_str())) return true;
  if (button == kReadButton) {
    Warn(hook, kMsgCannotRead, path.c_str());
  } else {
    Warn(hook, kMsgNothingToDelete);
  }
  return false;
}

// The questions and refusals about a file that is there.
bool MayTouch(const Hook& hook, WORD button, const std::u16string& path) {
  if (!hook.Is(kTabOverlaySave) && !CanOverwriteRst(hook.ucb, path.c_str())) {
    Warn(hook, kMsgProtected);
    return false;
  }
  if (button == kSaveButton) return Ask(hook, kMsgReplace);
  if (button != kDeleteButton) return true;
  if (IsAlreadyUsed(hook.ucb, path.c_str())) {
    Warn(hook, kMsgInUse);
    return false;
  }
  return Ask(hook, kMsgDelete);
}

}  // namespace

UINT_PTR OnSetFileButton(const Hook& hook, WORD button) {
  const std::u16string text = NameText(hook);
  if (HasWildcard(text)) {
    PressOk(hook);  // the dialog lists what matches
    return TRUE;
  }
  const auto folderPath = FullPath(hook, text);
  if (text.empty() || (folderPath && IsFolder(*folderPath))) {
    if (button == kSaveButton) Warn(hook, kMsgNameRefused);
    return TRUE;
  }
  std::u16string name = WithDefaultExtension(hook, text);
  auto path = PathOrRefuse(hook, name);
  if (!path || !FileThere(hook, button, *path)) return TRUE;
  // A name of another extension: OK takes it with the kind's extension,
  // and what follows concerns that file.
  if (!HasKindExtension(hook, name)) {
    if (!TakeKindExtension(hook, kMsgAddExtension, name)) return TRUE;
    path = PathOrRefuse(hook, name);
    if (!path || !FileThere(hook, button, *path)) return TRUE;
  }
  if (IsFile(path->c_str()) && !MayTouch(hook, button, *path)) return TRUE;
  if (hook.Is(kTabOverlaySave) && button == kDeleteButton) {
    // The overlay dialog deletes at once and lists the folder again.
    DeleteFileW(path->c_str());
    SetNameText(hook, GetFileDialogDefaultExt(hook.tcb));
    PressOk(hook);
    return TRUE;
  }
  if (name != text) SetNameText(hook, name);
  hook.SetAction(button);
  PressOk(hook);
  return TRUE;
}

}  // namespace filehook
