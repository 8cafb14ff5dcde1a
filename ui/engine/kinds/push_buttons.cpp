// Push and custom buttons: their captions, and a press that runs the
// button's alert and then its group's actions and built-in function. The
// button's own setting is never changed by a press.
#include <array>
#include <string>

#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/tables/class_data.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/painting_helpers.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kTemplateCaption = 0;
constexpr WORD kNoCaption = 0xFFFF;
constexpr int kCaptionChars = 256;

std::u16string Text(UCB* ucb, WORD id) {
  std::array<WCHAR, kCaptionChars> text{};
  LoadStringFromResDll(ucb, id, text.data(), kCaptionChars, FALSE);
  return std::u16string(text.data());
}

}  // namespace

int InitPushButton(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || ucb->pWork == nullptr || icb == nullptr || icb->hWnd == nullptr) return 0;
  SetOwnerCtrlStringResourceID(ucb, icb);
  const WORD caption = ucb->pWork->dialog.wOwnerCaptionId;
  ClearOwnerCtrlStringResourceID(ucb);
  if (caption == kTemplateCaption) return 0;
  SetWindowTextW(icb->hWnd, caption == kNoCaption ? u"" : Text(ucb, caption).c_str());
  return 1;
}

int InitCustomButton(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return 0;
  const auto* data = static_cast<const CDBTN*>(KesmGetClassData(icb, kClassButton));
  if (data == nullptr) return 0;
  const std::u16string caption = Text(ucb, data->captionId) + u" " + Text(ucb, data->secondId);
  SetWindowTextW(icb->hWnd, caption.c_str());
  return 1;
}

// Every command of the button is its own; only a click (not a focus or a
// double-click notification) presses it.
int PCmdPushButton(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM) {
  if (icb == nullptr || HIWORD(wParam) != BN_CLICKED || icb->pUiGroup == nullptr) return 1;
  if (DoAlert(ucb, tcb, icb->pUiGroup) != IDCANCEL) DoTransact(ucb, tcb, icb->pUiGroup, icb->builtInId);
  return 1;
}
