// The printer's initial settings: the status of the device fetched on a
// button, the job-code library's utility, the tray-information lines, and
// the warning that a new print area changes the page's layout.
#include <algorithm>
#include <array>
#include <iterator>

#include "devicecomm/bidi/bidi_query.h"
#include "devicecomm/bidi/bidi_ui.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "features/other/pages/other_pages.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "settings/constraints/paper_fitting.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/painting_helpers.h"
#include "ui/resource_dll.h"

namespace other_pages {
namespace {

constexpr WORD kDeviceVersionButton = 2112;
constexpr WORD kPrintAreaChoice = 2152;
constexpr WORD kTrayInfoItem = 2159;
constexpr WORD kDeviceStatusButton = 2160;
constexpr WORD kJobCodeButton = 2570;
constexpr WORD kPaperFittingText = 2877;
constexpr WORD kMovedTrayLine = 2411;
constexpr WORD kTrayLineTarget = 2540;
constexpr BYTE kModelMovingTrayLine = 140;
constexpr UINT kTextFitting = 10101;
constexpr UINT kTextNoFitting = 10100;
constexpr UINT kMessagePrintArea = 10056;
constexpr DWORD kJobCodesAll = 1;
constexpr int kTextChars = 256;
// The tray-information lines item 2159 paints.
constexpr WORD kTrayLines[] = {2410, 2411, 2412, 2413, 2538, 2566, 2770, 2539, 2540};

HWND Page(const Message& m) { return m.tcb->hWnd; }

// The device's status now. A failed query is told; the settings it
// cleared stay as the query left them, and nothing claims they came from
// the device.
INT_PTR FetchDeviceStatus(const Message& m) {
  if (GetBidiDataImmediately(m.ucb, Page(m))) return kNotHandled;
  AlertBidiFail(m.ucb, Page(m));
  return kHandled;
}

INT_PTR RefreshDeviceVersions(const Message& m) {
  GetBidiDataImmediately2(m.ucb, Page(m));
  JobCodeDLLDependOnMachine(m.ucb, kJobCodesAll);
  return kNotHandled;
}

INT_PTR ShowJobCodeUtility(const Message& m) {
  LoadJobCodeDLLDependOnMachine(m.ucb);
  DispJobCodeDLLDependOnMachine(m.ucb);
  UnLoadJobCodeDLLDependOnMachine(m.ucb);
  return kNotHandled;
}

// A print area other than the current one is warned of; the pick goes on.
INT_PTR WarnOfPrintArea(const Message& m) {
  if (m.notification() != CBN_SELCHANGE || m.icb->hWnd == nullptr) return kNotHandled;
  const LRESULT index = SendMessageW(m.icb->hWnd, CB_GETCURSEL, 0, 0);
  if (index < 0) return kNotHandled;
  const LRESULT picked = SendMessageW(m.icb->hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (picked != GetDevmodeValueByICB(m.ucb, m.icb)) _ShowAlertMsgEx11(m.ucb, Page(m), kMessagePrintArea);
  return kNotHandled;
}

INT_PTR OnCommand(const Message& m) {
  if (!m.CommandOfItem()) return kNotHandled;
  switch (m.icb->itemId) {
    case kDeviceStatusButton:
      return m.notification() == BN_CLICKED ? FetchDeviceStatus(m) : kNotHandled;
    case kDeviceVersionButton:
      return m.notification() == BN_CLICKED ? RefreshDeviceVersions(m) : kNotHandled;
    case kJobCodeButton:
      return m.notification() == BN_CLICKED ? ShowJobCodeUtility(m) : kNotHandled;
    case kPrintAreaChoice:
      return WarnOfPrintArea(m);
    default:
      return kNotHandled;
  }
}

// The text tells whether the default paper fitting is on; written only
// when it changes, so that painting it asks for no further paint.
void ShowPaperFitting(const Message& m) {
  HWND text = m.icb->hWnd;
  if (text == nullptr || !IsWindowVisible(text)) return;
  std::array<WCHAR, kTextChars> wanted{};
  LoadStringFromResDll(m.ucb, GetDefPaperFitting(m.ucb) ? kTextFitting : kTextNoFitting, wanted.data(), kTextChars,
                       TRUE);
  std::array<WCHAR, kTextChars> shown{};
  GetWindowTextW(text, shown.data(), kTextChars);
  if (std::u16string_view(shown.data()) != std::u16string_view(wanted.data())) SetWindowTextW(text, wanted.data());
}

void PaintTrayLines(const Message& m) {
  for (WORD id : kTrayLines) {
    if (ICB* line = ItemOf(m, id)) PaintTrayInfoByIcb(m.ucb, m.tcb, line, m.message);
  }
}

// On the model whose picture has no room for it, the second tray line
// takes the place of the last.
void MoveTrayLine(const Message& m) {
  if (m.ucb->pDP == nullptr || m.ucb->pDP->bMachineID != kModelMovingTrayLine) return;
  HWND moved = GetDlgItem(Page(m), kMovedTrayLine);
  HWND target = GetDlgItem(Page(m), kTrayLineTarget);
  if (moved == nullptr || target == nullptr) return;
  RECT place{};
  GetWindowRect(target, &place);
  MapWindowPoints(nullptr, Page(m), reinterpret_cast<POINT*>(&place), 2);
  MoveWindow(moved, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

}  // namespace

INT_PTR OnInitSettingsPage(const Message& m) {
  if (m.message == WM_INITDIALOG && m.icb == nullptr) {
    if (Page(m) != nullptr) MoveTrayLine(m);
    return kNotHandled;
  }
  if (m.icb == nullptr) return kNotHandled;
  if (m.message == WM_COMMAND) return OnCommand(m);
  if (m.icb->itemId == kPaperFittingText) {
    if (m.message == WM_PAINT) ShowPaperFitting(m);
    return kNotHandled;
  }
  // The item's paint paints the lines, then the item itself.
  if (m.icb->itemId == kTrayInfoItem) {
    if (m.message == WM_PAINT) PaintTrayLines(m);
    return kNotHandled;
  }
  return PaintTrayInfoByIcb(m.ucb, m.tcb, m.icb, m.message) != 0 ? kHandled : kNotHandled;
}

}  // namespace other_pages
