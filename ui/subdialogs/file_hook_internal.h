// What the parts of the file dialogs' hook share: the dialog with its
// context and kind, the name in its name edit, the paths built from it,
// the messages and the test read of a set file. Internal to ui/subdialogs/.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "ui/subdialogs/file_dialogs.h"

struct UCB;

namespace filehook {

// The buttons of the set-file dialog, and the actions the hook leaves to
// the dialog's opener.
inline constexpr WORD kSaveButton = 5001;
inline constexpr WORD kReadButton = 5002;
inline constexpr WORD kDeleteButton = 5003;

// Messages of the hook.
inline constexpr UINT kMsgProtected = 374;
inline constexpr UINT kMsgInUse = 375;
inline constexpr UINT kMsgCannotRead = 10023;
inline constexpr UINT kMsgNameRefused = 10024;
inline constexpr UINT kMsgAddExtension = 10025;
inline constexpr UINT kMsgReplace = 10026;
inline constexpr UINT kMsgNothingToDelete = 10027;
inline constexpr UINT kMsgDelete = 10028;
inline constexpr UINT kMsgNotUsable = 10043;
inline constexpr UINT kMsgListFull = 10049;
inline constexpr UINT kMsgOverlayExtension = 10060;

// One call of the hook: the dialog, its context, the TCB it stands for
// and the TCB's file kind.
struct Hook {
  HWND dialog = nullptr;
  UCB* ucb = nullptr;
  TCB* tcb = nullptr;
  const FILEDIALOGINFO* row = nullptr;
  bool Is(DWORD kind) const { return row != nullptr && row->kind == kind; }
  WORD Action() const;
  void SetAction(WORD action) const;
  void SetOk(int ok) const;
};

// The name edit's text, and a new text for it.
std::u16string NameText(const Hook& hook);
void SetNameText(const Hook& hook, std::u16string_view text);
bool HasWildcard(std::u16string_view name);
// The name with the kind's extension (".rst" of "*.rst") when it has no
// extension of its own; with its extension replaced by the kind's.
std::u16string WithDefaultExtension(const Hook& hook, std::u16string_view name);
std::u16string WithKindExtension(const Hook& hook, std::u16string_view name);
// Whether the name ends in the kind's extension, in any letter case.
bool HasKindExtension(const Hook& hook, std::u16string_view name);
// A name of another extension is asked about: OK gives it the kind's
// extension, Cancel refuses it (false).
bool TakeKindExtension(const Hook& hook, UINT question, std::u16string& name);
// The path the name stands for: the name itself when it starts with a
// backslash or a drive, else the folder the folder list shows, then the
// name. Nothing when it would be longer than a chosen path may be.
std::optional<std::u16string> FullPath(const Hook& hook, std::u16string_view name);
// The same; a name whose path is too long is refused with a message.
std::optional<std::u16string> PathOrRefuse(const Hook& hook, std::u16string_view name);
// The folder the folder list shows: its entries from the first to the
// selected one, each but the first followed by a backslash.
std::u16string ShownFolder(HWND dialog);
bool IsFolder(const std::u16string& path);

// A warning of the resource DLL (with the path put into it, when given);
// a question with OK and Cancel, true for OK.
void Warn(const Hook& hook, UINT messageId, LPCWSTR path = nullptr);
bool Ask(const Hook& hook, UINT messageId);
// Presses the dialog's OK button.
void PressOk(const Hook& hook);

// Reads the set file with the flags and puts the settings back; with
// rewrite, a file read without fault is first written again with the
// flags. True when the read found no fault.
bool TestRead(const Hook& hook, const std::u16string& path, DWORD flags, bool rewrite);

// The parts of the hook; each returns what the hook answers: non-zero
// keeps the message from the dialog.
UINT_PTR OnOk(const Hook& hook);
UINT_PTR OnSetFileButton(const Hook& hook, WORD button);
UINT_PTR OnFolderOk(const Hook& hook);
UINT_PTR OnDefaultFolderButton(const Hook& hook);

}  // namespace filehook
