#include "ui/alerts/engine_hooks.h"

#include "devicecomm/bidi/bidi_ui.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "storage/setfiles/storage_hooks.h"
#include "ui/alerts/alert_message.h"
#include "ui/alerts/progress_window.h"
#include "ui/engine/sub_dialogs.h"

namespace {

int ShowMessage(UCB* ucb, UINT messageId, UINT iconStyle, LPCWSTR insert) {
  const ALERTMSGREQUEST request{static_cast<WORD>(messageId),
                                0,
                                static_cast<WORD>(iconStyle),
                                static_cast<WORD>(MB_OK),
                                nullptr,
                                insert != nullptr ? kAlertArgOne : kAlertArgNone,
                                0,
                                insert,
                                nullptr};
  return ShowAlertMsgEx(ucb, &request, GetActiveWindow());
}

int AskQuestion(UCB* ucb, UINT messageId, LPCWSTR insert) {
  const ALERTMSGREQUEST request{static_cast<WORD>(messageId),
                                0,
                                static_cast<WORD>(MB_ICONWARNING),
                                static_cast<WORD>(MB_OKCANCEL),
                                nullptr,
                                kAlertArgOne,
                                0,
                                insert,
                                nullptr};
  return ShowAlertMsgEx(ucb, &request, GetActiveWindow());
}

// The dialogs storage asks for open as sub-dialogs of the dialog engine.
constexpr int kModalDialog = 4;
int ShowDialog(UCB* ucb, WORD dialogId) { return ShowDialogBox(ucb, kModalDialog, dialogId, GetActiveWindow()); }

constexpr StorageUiHooks kStorageHooks{ShowMessage, AskQuestion, ShowDialog};
constexpr BidiUiHooks kBidiHooks{StartWindow, EndWindow, _ShowAlertMsgEx11};

}  // namespace

void RegisterEngineHooks() {
  RegisterStorageUiHooks(&kStorageHooks);
  RegisterBidiUiHooks(&kBidiHooks);
}

void UnregisterEngineHooks() {
  RegisterStorageUiHooks(nullptr);
  RegisterBidiUiHooks(nullptr);
}
