#include "ui/engine/item_dc.h"

#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "ui/engine/item_dispatch.h"

HDC GetKesmDC(UCB* ucb, HWND window) {
  if (ucb != nullptr && ucb->pWork != nullptr && ucb->pWork->dialog.hPaintDC != nullptr) {
    return ucb->pWork->dialog.hPaintDC;
  }
  HDC dc = GetDC(window);
  if (dc == nullptr) return nullptr;
  RECT client{};
  GetClientRect(window, &client);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  return dc;
}

void ReleaseKesmDC(UCB* ucb, HWND window, HDC dc) {
  if (dc == nullptr) return;
  if (ucb != nullptr && ucb->pWork != nullptr && ucb->pWork->dialog.hPaintDC == dc) return;
  ReleaseDC(window, dc);
}

ICB* KesmFindItem(TCB* tab, int x, int y) {
  if (tab == nullptr) return nullptr;
  for (int i = tab->itemCount - 1; i >= 0; --i) {
    ICB& icb = tab->pICB[i];
    if (icb.hWnd == nullptr || (icb.status & kIcbHiddenMask) != 0) continue;
    RECT r{};
    if (!GetWindowRect(icb.hWnd, &r)) continue;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return &icb;
  }
  return nullptr;
}

BOOL KesmGetTextExtentPoint(HDC dc, LPCWSTR text, SIZE* size) {
  if (size == nullptr) return FALSE;
  if (text != nullptr && *text != u'\0') {
    int n = 0;
    while (text[n] != u'\0') ++n;
    return GetTextExtentPoint32W(dc, text, n, size);
  }
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc, &tm)) return FALSE;
  size->cx = tm.tmAveCharWidth;
  size->cy = tm.tmHeight;
  return TRUE;
}
