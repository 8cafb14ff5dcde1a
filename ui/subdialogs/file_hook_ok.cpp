// The OK button of the file dialogs: the name the user chose, checked by
// the kind of file the dialog asks for before the dialog may close.
#include <array>
#include <vector>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "platform/text/wintext.h"
#include "ui/bitmaps/dib_file.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/subdialogs/file_hook_internal.h"

namespace filehook {
namespace {

constexpr WORD kMultiOpenDialog = 4001;
// A test read of the open dialogs: preset settings, from the section a
// plain read would choose.
constexpr DWORD kOneFileTestRead = kSetFilePreset | kSetFilePlainSection;
constexpr DWORD kSeveralFilesTestRead = kSetFilePreset;

enum class Outcome {
  kStay,    // refused: the dialog stays open
  kAccept,  // the name is taken: OK flag set, the dialog closes
  kDone,    // the hook has already acted for the dialog
};

// The checks of one kind on the chosen name (with its default extension);
// a kind may change the name.
using KindCheck = Outcome (*)(const Hook& hook, std::u16string& name);

Outcome Bitmap(const Hook& hook, std::u16string& name) {
  const auto path = PathOrRefuse(hook, name);
  if (!path) return Outcome::kStay;
  if (!IsBitmapFile(path->c_str(), nullptr)) {
    Warn(hook, kMsgNotUsable);
    return Outcome::kStay;
  }
  return Outcome::kAccept;
}

Outcome OverlaySave(const Hook& hook, std::u16string& name) {
  if (name.empty()) {
    Warn(hook, kMsgNameRefused);
    return Outcome::kStay;
  }
  if (!TakeKindExtension(hook, kMsgOverlayExtension, name)) return Outcome::kStay;
  const auto path = PathOrRefuse(hook, name);
  if (!path) return Outcome::kStay;
  if (IsFile(path->c_str()) && !Ask(hook, kMsgReplace)) return Outcome::kStay;
  return Outcome::kAccept;
}

Outcome OverlayRefer(const Hook& hook, std::u16string& name) {
  const auto path = PathOrRefuse(hook, name);
  if (!path) return Outcome::kStay;
  if (!IsFile(path->c_str())) {
    Warn(hook, kMsgNotUsable);
    return Outcome::kStay;
  }
  if (!HasKindExtension(hook, name)) {
    Warn(hook, kMsgNameRefused);
    return Outcome::kStay;
  }
  return Outcome::kAccept;
}

// A set file of this driver, tried by reading it. The open dialog writes a
// file the printer's name does not read into the printer's section too,
// so that the preset list can read it.
Outcome TriedSetFile(const Hook& hook, const std::u16string& name, bool rewrite) {
  const auto path = PathOrRefuse(hook, name);
  if (!path) return Outcome::kStay;
  return TestRead(hook, *path, kOneFileTestRead, rewrite) ? Outcome::kAccept : Outcome::kStay;
}

Outcome OpenOne(const Hook& hook, std::u16string& name) {
  LPCWSTR printer = GetPrinterName(hook.ucb);
  LPCWSTR driver = GetRealDriverName(hook.ucb);
  const bool otherName = printer != nullptr && driver != nullptr && lstrcmpW(printer, driver) != 0;
  return TriedSetFile(hook, name, otherName);
}

// OK of the set-file dialog: before any button, it saves; a read or delete
// first tries the file.
Outcome SetFileOpenSave(const Hook& hook, std::u16string& name) {
  switch (hook.Action()) {
    case 0:
      SendMessageW(hook.dialog, WM_COMMAND, MAKEWPARAM(kSaveButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hook.dialog, kSaveButton)));
      return Outcome::kDone;
    case kReadButton:
    case kDeleteButton:
      return TriedSetFile(hook, name, false);
    default:
      return Outcome::kAccept;
  }
}

Outcome SetFileSave(const Hook& hook, std::u16string& name) {
  if (!PathOrRefuse(hook, name)) return Outcome::kStay;
  // The extension first, so that the name asked about is the one saved.
  if (!TakeKindExtension(hook, kMsgAddExtension, name)) return Outcome::kStay;
  const auto path = PathOrRefuse(hook, name);
  if (!path) return Outcome::kStay;
  if (IsFile(path->c_str()) && !Ask(hook, kMsgReplace)) return Outcome::kStay;
  hook.SetAction(kSaveButton);
  return Outcome::kAccept;
}

struct KindRow {
  DWORD kind;
  KindCheck check;
};
constexpr std::array<KindRow, 6> kKindChecks = {{
    {kTabFileOpen, OpenOne},
    {kTabSetFileOpenSave, SetFileOpenSave},
    {kTabBitmapRefer, Bitmap},
    {kTabOverlaySave, OverlaySave},
    {kTabOverlayRefer, OverlayRefer},
    {kTabSetFileSave, SetFileSave},
}};

// Several set files of the open dialog: each must read without fault, and
// the preset list must have room for them all.
UINT_PTR SeveralFiles(const Hook& hook, std::u16string_view text) {
  std::vector<std::u16string> names = ChosenNames(text);
  if (ReadPresetCount(hook.ucb) + static_cast<int>(names.size()) > kPresetSlots) {
    Warn(hook, kMsgListFull);
    return TRUE;
  }
  std::u16string shown;
  for (std::u16string& name : names) {
    if (HasWildcard(name)) return FALSE;  // the dialog lists what matches
    name = WithDefaultExtension(hook, name);
    shown += (shown.empty() ? u"" : u" ") + name;
  }
  SetNameText(hook, shown);
  for (const std::u16string& name : names) {
    const auto path = PathOrRefuse(hook, name);
    if (!path || !TestRead(hook, *path, kSeveralFilesTestRead, false)) return TRUE;
  }
  hook.SetOk(1);
  return FALSE;
}

}  // namespace

UINT_PTR OnOk(const Hook& hook) {
  const std::u16string text = NameText(hook);
  if (hook.tcb->tabId == kMultiOpenDialog && text.find(u' ') != std::u16string::npos) {
    return SeveralFiles(hook, text);
  }
  if (HasWildcard(text)) return FALSE;  // the dialog lists what matches
  std::u16string name = WithDefaultExtension(hook, text);
  Outcome outcome = Outcome::kAccept;
  for (const KindRow& row : kKindChecks) {
    if (hook.Is(row.kind)) outcome = row.check(hook, name);
  }
  if (outcome != Outcome::kAccept) return TRUE;
  if (name != text) SetNameText(hook, name);
  hook.SetOk(1);
  return FALSE;
}

}  // namespace filehook
