// The option list of the installable-options page: one line per option of
// the model, a check mark that switches the option on or off, and the
// requirement rules that switch on an option another one needs.

#include "features/option/pages/option_page.h"
#include "jobsettings/options/option_switch.h"
#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_draw.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"

namespace {

using namespace option_page;

constexpr WORD kMarkOff = 7001;
constexpr WORD kMarkOffGrey = 7002;
constexpr WORD kMarkOn = 7003;
constexpr WORD kMarkOnGrey = 7004;
constexpr WORD kRemoteOptionType = 10062;
constexpr WORD kRemoteFirstName = 285;
constexpr WORD kRemoteLastName = 288;
constexpr WPARAM kSelectionChange = 1;  // the list's LBN_SELCHANGE

DWORD MachineOf(const UCB* ucb) { return ucb->pDP != nullptr ? ucb->pDP->bMachineID : 0; }

LONG_PTR Stored(const UCB* ucb, DWORD funcId) {
  return GetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(funcId), nullptr);
}

bool LockHolds(const UCB* ucb, const OptionInfo& option) {
  return option.lock != nullptr && option.lock->funcId != 0 &&
         Stored(ucb, option.lock->funcId) == static_cast<LONG_PTR>(option.lock->value);
}

const OptionInfo* RecordOf(const UCB* ucb, WORD nameId) { return GetOptionInfoByStringID(nameId, MachineOf(ucb)); }

// A line is grey while the list is disabled or the option's lock holds; a
// line without a record for a remote-output option while the remote output
// is absent.
bool Grey(const UCB* ucb, const ICB* icb, WORD nameId, const OptionInfo* option) {
  if (Disabled(icb)) return true;
  if (option != nullptr) return LockHolds(ucb, *option);
  return nameId >= kRemoteFirstName && nameId <= kRemoteLastName && Stored(ucb, kRemoteOptionType) == 0;
}

WORD MarkOf(bool on, bool grey) {
  if (grey) return on ? kMarkOnGrey : kMarkOffGrey;
  return on ? kMarkOn : kMarkOff;
}

}  // namespace

void option_page::FillOptionList(UCB* ucb, TCB* tcb) {
  const ICB* icb = GetICBbyItemID(ucb, tcb, kOptionList);
  if (icb == nullptr || icb->hWnd == nullptr || SendMessageW(icb->hWnd, LB_GETCOUNT, 0, 0) > 0) return;
  for (const OptionInfo* o = GetOptionInfo(MachineOf(ucb)); o != nullptr && o->nameId != 0; ++o) {
    const LRESULT entry = SendMessageW(icb->hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u""));
    if (entry >= 0) SendMessageW(icb->hWnd, LB_SETITEMDATA, static_cast<WPARAM>(entry), o->nameId);
  }
}

void option_page::RepaintOptionList(const UCB* ucb, const TCB* tcb) {
  const ICB* icb = GetICBbyItemID(ucb, tcb, kOptionList);
  if (icb != nullptr && icb->hWnd != nullptr) InvalidateRect(icb->hWnd, nullptr, TRUE);
}

int option_page::SwitchSelectedOption(UCB* ucb, TCB* tcb, ICB* icb) {
  const LRESULT selected = SendMessageW(icb->hWnd, LB_GETCURSEL, 0, 0);
  if (selected < 0 || Disabled(icb)) return 0;
  const LRESULT data = SendMessageW(icb->hWnd, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  const OptionInfo* option = data > 0 ? RecordOf(ucb, LOWORD(static_cast<DWORD_PTR>(data))) : nullptr;
  if (option == nullptr || LockHolds(ucb, *option)) return 0;
  SwitchOption(ucb, *option, !IsOptionInstalled(ucb, *option));
  const DWORD follow = CheckRequire(ucb, option);
  if (option->repaintFlag != 0 || (follow & 0x2) != 0) RepaintOptionList(ucb, tcb);
  if (option->trayFlag != 0 || (follow & 0x1) != 0) RebuildTrayList(ucb, tcb);
  if (icb->pSFCB != nullptr) SetDevmodeValueBySFCB(ucb, icb->pSFCB, 0);
  DoDefaultProcessItemCommand(ucb, tcb, icb, MAKEWPARAM(kOptionList, kSelectionChange),
                              reinterpret_cast<LPARAM>(icb->hWnd));
  MarkChanged(tcb);
  RefreshDialog(ucb, tcb, 0);
  return 1;
}

int option_page::DrawOptionLine(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& item) {
  if (item.itemData == 0 || item.itemID == static_cast<UINT>(-1)) return 0;
  const WORD nameId = LOWORD(static_cast<DWORD>(item.itemData));
  if ((item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const OptionInfo* option = RecordOf(ucb, nameId);
    const bool on = option != nullptr && IsOptionInstalled(ucb, *option);
    const bool grey = Grey(ucb, icb, nameId, option);
    HDC dc = item.hDC;
    const COLORREF back = SetBkColor(dc, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    const COLORREF fore = SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::u16string text = ResourceString(ucb, nameId);
    const RECT& line = item.rcItem;
    const int y = line.top + (line.bottom - line.top - static_cast<int>(metrics.tmHeight)) / 2;
    ExtTextOutW(dc, line.left + 2 * static_cast<int>(metrics.tmHeight), y, ETO_OPAQUE | ETO_CLIPPED, &line,
                reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<UINT>(text.size()), nullptr);
    PaintBitmapFromResDll2(ucb, dc, &line, line.left, (line.top + line.bottom) / 2, MAKEINTRESOURCEW(MarkOf(on, grey)),
                           kPaintCopy | kPaintCentreY);
    SetTextColor(dc, fore);
    SetBkColor(dc, back);
  }
  if ((item.itemAction & ODA_FOCUS) != 0 || (item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
  return 1;
}
