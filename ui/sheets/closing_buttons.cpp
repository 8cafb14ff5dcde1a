// The buttons that close a modal driver dialog. A number edit's alert that
// waits in the queue is shown before OK is judged; the button's own judge
// may keep the dialog; then each dialog that needs it finishes its work
// (one row per dialog) and the dialog ends with the button's id.
#include <algorithm>
#include <iterator>
#include <optional>

#include "features/custom_modules.h"
#include "features/preset/preset_names.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/base/handles.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#include "ui/alerts/alert_message.h"
#include "ui/bitmaps/dib_file.h"
#include "ui/constraint_services.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_window.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/sheets/page_internal.h"
#include "ui/sheets/page_life.h"

namespace {

using kesm_page::kHandled;
using kesm_page::kNotHandled;

constexpr WORD kIdPresetMaintenanceClose = 8;
constexpr WORD kOptionsDialog = 1011;
constexpr DWORD kRequestFreeSizesRead = 0x04000000;
constexpr WORD kCoreBuiltIn = 1;
constexpr WORD kPresetListBox = 2139;
constexpr WORD kPresetNameEdit = 2145;
constexpr WORD kStampFileEdit = 2341;
constexpr WORD kOverlayFileEdit = 2586;
constexpr UINT kMessageNotBitmap = 10043;
constexpr UINT kMessageNameRefused = 10024;
constexpr LONG_PTR kFirstPreset = 119;
constexpr int kFileChars = 1025;

// One press of a closing button.
struct Closing {
  UCB* ucb;
  TCB* tcb;
  ICB* icb;  // the button's item, or null
  HWND dialog;
  WORD id;
  bool accept() const { return id == IDOK; }
};

// A dialog's own finish: a value ends the press with that result, none
// lets the dialog end.
using Finish = std::optional<INT_PTR> (*)(Closing&);

std::optional<INT_PTR> FinishFreeSizeInput(Closing& c) {
  if (c.accept() && c.icb != nullptr) DoTransact(c.ucb, c.tcb, c.icb->pUiGroup, c.icb->builtInId);
  return std::nullopt;
}

std::optional<INT_PTR> FinishFreeSizeList(Closing& c) {
  if (c.accept()) {
    if (c.icb != nullptr) DoTransact(c.ucb, c.tcb, c.icb->pUiGroup, c.icb->builtInId);
    WriteFreesizeInfoAll(c.ucb);
    KesmUiCoreBuiltInFunc(c.ucb, kCoreBuiltIn);
    UpdatePaperSizeList(c.ucb);
  } else {
    ResetRequestCode(c.ucb, kRequestFreeSizesRead);
    ReadFreesizeInfoAll(c.ucb);
  }
  return std::nullopt;
}

// What the device reported is kept whichever button closed the dialog.
std::optional<INT_PTR> FinishOptions(Closing& c) {
  if (c.accept() || GetKDMBiDirect(c.ucb) == 1) {
    kesm_page::OkFlag(c.ucb) = 1;
    UpdateTrayList(c.ucb);
    UpdateOutbinList(c.ucb);
  }
  return std::nullopt;
}

// Two presets may not share a name: the later one is shown to be renamed.
std::optional<INT_PTR> FinishPresetMaintenance(Closing& c) {
  if (c.id == kIdPresetMaintenanceClose) {
    HWND button = GetDlgItem(c.dialog, kIdPresetMaintenanceClose);
    SetFocus(button);
    if (GetFocus() != button) return kHandled;
  }
  const int shared = CheckPresetName2(c.ucb, c.dialog, -1);
  if (shared < 0) return std::nullopt;
  SendDlgItemMessageW(c.dialog, kPresetListBox, LB_SETCURSEL, static_cast<WPARAM>(shared), 0);
  SetFocus(GetDlgItem(c.dialog, kPresetNameEdit));
  SendDlgItemMessageW(c.dialog, kPresetNameEdit, EM_SETSEL, 0, -1);
  ReadPresetByID(c.ucb, shared);
  if (ICB* list = GetICBbyItemID(c.ucb, c.tcb, kPresetListBox)) {
    SetDevmodeValueByICB(c.ucb, list, kFirstPreset + shared);
    CheckAlertMsg2(c.ucb, c.tcb, list, kFirstPreset + shared, 0);
  }
  RefreshDialog(c.ucb, c.tcb, 1);
  kesm_page::OkFlag(c.ucb) = 0;
  return kNotHandled;
}

std::optional<INT_PTR> Refused(Closing& c, UINT messageId) {
  _ShowAlertMsgEx11(c.ucb, c.dialog, messageId);
  kesm_page::OkFlag(c.ucb) = 0;
  return kNotHandled;
}

std::optional<INT_PTR> FinishStampImage(Closing& c) {
  if (!c.accept()) return std::nullopt;
  WCHAR file[kFileChars] = {};
  GetDlgItemTextW(c.dialog, kStampFileEdit, file, kFileChars);
  HANDLE opened = nullptr;
  const BOOL picture = IsBitmapFile(file, &opened);
  if (opened != nullptr && opened != INVALID_HANDLE_VALUE) CloseHandle(opened);
  return picture ? std::nullopt : Refused(c, kMessageNotBitmap);
}

std::optional<INT_PTR> FinishOverlay(Closing& c) {
  if (!c.accept()) return std::nullopt;
  WCHAR file[kFileChars] = {};
  const auto length = static_cast<int>(GetDlgItemTextW(c.dialog, kOverlayFileEdit, file, kFileChars));
  const bool named = length >= 4 && IsFile(file) && CheckFileExt(c.tcb, file + length - 4);
  return named ? std::nullopt : Refused(c, kMessageNameRefused);
}

std::optional<INT_PTR> TellModules(Closing& c) {
  CustomDialogClosed closed{c.tcb, c.icb, c.id};
  KesmCustomFunction(c.ucb, kCustomDialogClosed, &closed);
  return std::nullopt;
}

struct Row {
  WORD dialogId;
  Finish finish;
};

constexpr Row kFinishes[] = {
    {1041, FinishFreeSizeInput},    {1017, FinishFreeSizeList}, {kOptionsDialog, FinishOptions},
    {1007, FinishPresetMaintenance}, {1023, FinishStampImage},   {1037, FinishOverlay},
};

// Dialogs whose accept and cancel buttons are items of their own: they
// close as OK and Cancel do, and Enter presses the accept button.
struct OwnButtons {
  WORD dialogId;
  WORD accept;
  WORD cancel;
};

constexpr OwnButtons kOwnButtons[] = {
    {1016, 3542, 3543},  // print actions
    {1036, 3882, 3883},  // colour matching
    {1039, 3895, 3896},  // header and footer text
};

const OwnButtons* OwnButtonsOf(const TCB* tcb) {
  const WORD id = tcb != nullptr ? tcb->tabId : 0;
  const auto row =
      std::find_if(std::begin(kOwnButtons), std::end(kOwnButtons), [&](const OwnButtons& r) { return r.dialogId == id; });
  return row != std::end(kOwnButtons) ? row : nullptr;
}

Finish FinishOf(const TCB* tcb) {
  const WORD id = tcb != nullptr ? tcb->tabId : 0;
  const auto row = std::find_if(std::begin(kFinishes), std::end(kFinishes), [&](const Row& r) { return r.dialogId == id; });
  return row != std::end(kFinishes) ? row->finish : TellModules;
}

// On the options dialog, settings the device reported are judged as OK
// would judge them, whichever button closes it.
ICB* ButtonItem(UCB* ucb, TCB* tcb, WORD id) {
  if (tcb == nullptr) return nullptr;
  if (tcb->tabId == kOptionsDialog && GetKDMBiDirect(ucb) == 1) return GetICBbyItemID(ucb, tcb, IDOK);
  return GetICBbyItemID(ucb, tcb, id);
}

void ForgetWindows(TCB* tcb) {
  if (tcb == nullptr) return;
  tcb->hWnd = nullptr;
  for (int i = 0; i < tcb->itemCount; ++i) tcb->pICB[i].hWnd = nullptr;
}

}  // namespace

namespace kesm_page {

bool IsClosingButton(const TCB* tcb, WORD id) {
  if (const OwnButtons* own = OwnButtonsOf(tcb); own != nullptr && (id == own->accept || id == own->cancel)) return true;
  return id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO || id == kIdPresetMaintenanceClose;
}

INT_PTR OnClosingButton(UCB* ucb, TCB* tcb, HWND dialog, WORD pressed) {
  // The item judged is the pressed button's own; the dialog ends as OK or
  // Cancel would.
  ICB* item = ButtonItem(ucb, tcb, pressed);
  WORD id = pressed;
  if (const OwnButtons* own = OwnButtonsOf(tcb)) {
    if (pressed == own->accept) id = IDOK;
    if (pressed == own->cancel) id = IDCANCEL;
  }
  Closing c{ucb, tcb, item, dialog, id};
  if (id == IDOK) {
    SetFocus(GetDlgItem(dialog, pressed));
    MSG waiting{};
    if (PeekMessageW(&waiting, dialog, kMsgQueuedAlert, kMsgQueuedAlert, PM_NOREMOVE)) return kNotHandled;
  }
  if (c.icb != nullptr && CheckAlertMsg2(ucb, tcb, c.icb, 0, 0) == 1) {
    RefreshDialog(ucb, tcb, 0);
    return kNotHandled;
  }
  OkFlag(ucb) = id == IDCANCEL || id == IDNO ? 0 : 1;
  if (const std::optional<INT_PTR> ended = FinishOf(tcb)(c)) return *ended;
  ForgetWindows(tcb);
  if (tcb != nullptr && !MustDoEndDialog(tcb)) return kNotHandled;
  EndDialog(dialog, id);
  return kHandled;
}

}  // namespace kesm_page
