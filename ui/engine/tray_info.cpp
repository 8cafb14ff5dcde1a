// The tray-information items: one line of text that tells what a tray
// holds, "<tray name>: <paper name><orientation picture>/<media name>",
// painted by the feature modules for the items they own. The paper and the
// media are named as the tray's paper and media choices (2168, 2170) name
// them, so a line only tells the paper where the context has those choices.
#include <algorithm>
#include <array>

#include "platform/text/wintext.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_draw.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/painting_tables.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kPaperChoiceId = 2168;
constexpr WORD kMediaChoiceId = 2170;
constexpr WORD kTrayOrientFirst = 10143;  // kdmTrayOrient0, one per tray
constexpr WORD kTrayPaperFirst = 10175;   // kdmTray1Paper
constexpr WORD kTrayMediaFirst = 10207;   // kdmTray1Media
constexpr WORD kMachineTypeFeed = 235;
constexpr WORD kTrayNameSuffixId = 854;
constexpr WORD kOwnTextDialog = 1010;  // its lines carry the tray name as their own text
constexpr WORD kUprightPicture = 6193;  // 6194: the sheet turned
constexpr int kTrayWithoutPicture = 29;
constexpr int kTrayCount = 32;

enum Mode { kFull = 0, kWithoutMedia = 1, kTrayNameOnly = 2 };

constexpr int kTextChars = 256;
using Text = std::array<WCHAR, kTextChars>;

int Width(HDC dc, const WCHAR* text) {
  SIZE size{};
  const int n = lstrlenW(text);
  return n > 0 && GetTextExtentPoint32W(dc, text, n, &size) ? size.cx : 0;
}

// Where the line is drawn: the item's client area, the text's top for a
// line centred vertically, and how far the line has got.
struct Line {
  HDC dc;
  RECT client;
  int textHeight;
  int top;
  int x;
};

void DrawClipped(Line& line, const WCHAR* text) {
  ExtTextOutW(line.dc, line.x, line.top, ETO_CLIPPED, &line.client, text, static_cast<UINT>(lstrlenW(text)),
              nullptr);
  line.x += Width(line.dc, text);
}

// On the initial-settings dialog the line's own text; elsewhere the string
// of the item's value. The separator follows unless the line is the tray
// name alone.
void TrayName(UCB* ucb, const TCB* tcb, const ICB* icb, int mode, Text& name) {
  const WORD dialog = tcb != nullptr ? tcb->tabId : ucb->wCurrentDialog;
  if (dialog == kOwnTextDialog) {
    GetWindowTextW(icb->hWnd, name.data(), kTextChars);
  } else {
    const LONG_PTR id = GetDevmodeValueByICB(ucb, icb);
    LoadStringFromResDll(ucb, static_cast<UINT>(id), name.data(), kTextChars, FALSE);
  }
  if (mode == kTrayNameOnly) return;
  Text suffix{};
  LoadStringFromResDll(ucb, kTrayNameSuffixId, suffix.data(), kTextChars, FALSE);
  const int used = lstrlenW(name.data());
  lstrcpynW(name.data() + used, suffix.data(), kTextChars - used);
}

// The text a tray setting's value has in its choice: through the value
// list of the setting the choice shows. The choices show whichever tray is
// picked, so while the choice's own setting has no list of its own the
// tray setting's list names the value.
void ChoiceText(UCB* ucb, const ICB* choice, WORD trayFuncId, WCHAR* text, int chars) {
  SFCB* own = nullptr;
  const LONG_PTR value = GetDevmodeValueDirectByFuncID(ucb, trayFuncId, &own);
  const SFCB* list = choice->pSFCB != nullptr && choice->pSFCB->valueList != nullptr ? choice->pSFCB : own;
  const LONG_PTR id = ConvertDevmodeValueToResID(ucb, list, value);
  LoadStringFromResDll(ucb, static_cast<UINT>(id), text, chars, FALSE);
}

// The sheet stands turned when the tray's orientation and the machine's
// feed agree: a set orientation on a machine that feeds by the short edge
// (feed 1), or a clear one on any other.
WORD OrientationPicture(const UCB* ucb, int tray) {
  const bool orient = GetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(kTrayOrientFirst + tray), nullptr) != 0;
  const bool shortEdgeFeed = GetDevmodeValueDirectByFuncID(ucb, kMachineTypeFeed, nullptr) == 1;
  return static_cast<WORD>(kUprightPicture + (orient == shortEdgeFeed ? 1 : 0));
}

void DrawOrientation(UCB* ucb, Line& line, int tray) {
  const RECT square{line.x, line.top, line.x + line.textHeight, line.top + line.textHeight};
  PaintBitmapFromResDll2(ucb, line.dc, &square, line.x + line.textHeight / 2, line.top + line.textHeight / 2,
                         MAKEINTRESOURCEW(OrientationPicture(ucb, tray)),
                         kPaintCentreX | kPaintCentreY | kPaintAnd);
  line.x += line.textHeight;
}

// Right of the tray name: the paper name, cut with an ellipsis where it
// would push the picture and the media name out; the picture; "/" and the
// media name.
void DrawPaperAndMedia(UCB* ucb, Line& line, int tray, int mode) {
  const ICB* paperChoice = GetICBbyItemID(ucb, nullptr, kPaperChoiceId);
  const ICB* mediaChoice =
      paperChoice != nullptr && mode == kFull ? GetICBbyItemID(ucb, nullptr, kMediaChoiceId) : nullptr;
  const bool picture = tray != kTrayWithoutPicture;
  Text media{u'/'};
  if (mediaChoice != nullptr) {
    ChoiceText(ucb, mediaChoice, static_cast<WORD>(kTrayMediaFirst + tray), media.data() + 1, kTextChars - 1);
  }
  if (paperChoice != nullptr) {
    Text paper{};
    ChoiceText(ucb, paperChoice, static_cast<WORD>(kTrayPaperFirst + tray), paper.data(), kTextChars);
    const int reserved = (picture ? line.textHeight : 0) + (mediaChoice != nullptr ? Width(line.dc, media.data()) : 0);
    const int room = std::max(0, static_cast<int>(line.client.right) - line.x - reserved);
    const int width = std::min(room, Width(line.dc, paper.data()));
    RECT r{line.x, line.top, line.x + width, line.top + line.textHeight};
    DrawTextW(line.dc, paper.data(), -1, &r, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE);
    line.x += width;
  }
  if (picture) DrawOrientation(ucb, line, tray);
  if (mediaChoice != nullptr) DrawClipped(line, media.data());
}

void DrawTrayLine(UCB* ucb, const TCB* tcb, const ICB* icb, HDC dc, int tray, int mode) {
  const int saved = SaveDC(dc);
  Line line{dc, {}, 0, 0, 0};
  GetClientRect(icb->hWnd, &line.client);
  SetTextColor(dc, GetSysColor(IsItemShownDisabled(icb) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  const HWND page = tcb != nullptr && tcb->hWnd != nullptr ? tcb->hWnd : GetParent(icb->hWnd);
  if (const LRESULT font = SendMessageW(page, WM_GETFONT, 0, 0)) SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
  FillRect(dc, &line.client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  line.textHeight = metrics.tmHeight;
  line.top = line.client.top + (line.client.bottom - line.client.top - line.textHeight) / 2;
  line.x = line.client.left;
  Text name{};
  TrayName(ucb, tcb, icb, mode, name);
  DrawClipped(line, name.data());
  if (mode != kTrayNameOnly) DrawPaperAndMedia(ucb, line, tray, mode);
  RestoreDC(dc, saved);
}

int TrayIndexOf(WORD controlId) {
  for (const TRAYINFO* row = TrayInfo; row->nControlId != 0; ++row) {
    if (static_cast<WORD>(row->nControlId) == controlId) return row->nTrayIndex;
  }
  return -1;
}

bool OnPage(const ICB* icb) { return icb != nullptr && icb->hWnd != nullptr && (icb->status & kIcbHiddenMask) == 0; }

}  // namespace

int PaintTrayInfoMain(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex, int mode) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return 0;
  if (trayIndex < 0 || trayIndex >= kTrayCount || mode < kFull || mode > kTrayNameOnly) return 0;
  if (message == WM_ERASEBKGND) {
    // The line is painted whole by the paint that follows.
    PostMessageW(icb->hWnd, WM_PAINT, 0, 0);
    return 1;
  }
  if (message != WM_PAINT) return 0;
  PAINTSTRUCT paint{};
  BeginPaint(icb->hWnd, &paint);
  if (const HDC dc = GetKesmDC(ucb, icb->hWnd)) {
    DrawTrayLine(ucb, tcb, icb, dc, trayIndex, mode);
    ReleaseKesmDC(ucb, icb->hWnd, dc);
  }
  EndPaint(icb->hWnd, &paint);
  return 1;
}

int PaintTrayInfo(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex) {
  return PaintTrayInfoMain(ucb, tcb, icb, message, trayIndex, kFull);
}

int PaintTrayInfoOverwrite(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex) {
  return PaintTrayInfoMain(ucb, tcb, icb, message, trayIndex, kWithoutMedia);
}

int PaintTrayInfoTrayNameOnly(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex) {
  return PaintTrayInfoMain(ucb, tcb, icb, message, trayIndex, kTrayNameOnly);
}

int PaintTrayInfoByIcb(UCB* ucb, TCB* tcb, ICB* icb, UINT message) {
  if (ucb == nullptr) return 0;
  if (icb == nullptr && message == WM_ERASEBKGND) {
    // The page's own background: paint its first tray line now.
    for (const TRAYINFO* row = TrayInfo; row->nControlId != 0 && icb == nullptr; ++row) {
      ICB* found = GetICBbyItemID(ucb, tcb, static_cast<WORD>(row->nControlId));
      if (OnPage(found)) icb = found;
    }
    message = WM_PAINT;
  }
  if (!OnPage(icb)) return 0;
  const int tray = TrayIndexOf(icb->itemId);
  return tray >= 0 ? PaintTrayInfo(ucb, tcb, icb, message, tray) : 0;
}
