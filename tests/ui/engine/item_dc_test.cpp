// The item under a point and the DC an item painter draws into.
#include "ui/engine/item_dc.h"

#include <gtest/gtest.h>

#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

class ItemDc : public PageMachine {};

TEST_F(ItemDc, TheItemUnderAPointIsTheLastVisibleOneHoldingIt) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  TCB* tcb = host_.tcb();
  EXPECT_EQ(KesmFindItem(nullptr, 0, 0), nullptr);
  int checked = 0;
  for (int i = 0; i < tcb->itemCount; ++i) {
    ICB& icb = tcb->pICB[i];
    RECT r{};
    ASSERT_TRUE(GetWindowRect(icb.hWnd, &r));
    if (r.right <= r.left || r.bottom <= r.top) continue;
    ICB* found = KesmFindItem(tcb, r.left, r.top);
    ASSERT_NE(found, nullptr) << icb.itemId;
    EXPECT_GE(found - tcb->pICB, i) << "an earlier item won over " << icb.itemId;
    if (found == &icb) {
      EXPECT_NE(KesmFindItem(tcb, r.right, r.bottom), &icb) << "right and bottom are outside";
      const WORD saved = icb.status;
      icb.status |= kIcbHidden;
      EXPECT_NE(KesmFindItem(tcb, r.left, r.top), &icb) << "a hidden item is not found";
      icb.status = saved;
      ++checked;
    }
  }
  EXPECT_GT(checked, 5);
}

TEST_F(ItemDc, APaintInProgressLendsItsDcAndKeepsIt) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  HWND window = host_.tcb()->pICB[0].hWnd;
  HDC own = GetKesmDC(ucb_, window);
  ASSERT_NE(own, nullptr);
  EXPECT_NE(own, ucb_->pWork->dialog.hPaintDC);
  ReleaseKesmDC(ucb_, window, own);

  HDC painting = GetDC(host_.page());
  ucb_->pWork->dialog.hPaintDC = painting;
  EXPECT_EQ(GetKesmDC(ucb_, window), painting);
  ReleaseKesmDC(ucb_, window, painting);  // not released: still usable
  EXPECT_NE(GetPixel(painting, 0, 0), CLR_INVALID);
  ucb_->pWork->dialog.hPaintDC = nullptr;
  ReleaseDC(host_.page(), painting);
}

}  // namespace
}  // namespace ui_test

namespace ui_test {
namespace {

TEST_F(ItemDc, TextExtentsMeasureTheTextOrTheFontForNoText) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  HDC dc = GetDC(host_.page());
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(host_.page(), WM_GETFONT, 0, 0)));
  SIZE one{}, two{}, none{};
  ASSERT_TRUE(KesmGetTextExtentPoint(dc, u"W", &one));
  ASSERT_TRUE(KesmGetTextExtentPoint(dc, u"WW", &two));
  ASSERT_TRUE(KesmGetTextExtentPoint(dc, nullptr, &none));
  EXPECT_EQ(two.cx, 2 * one.cx);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(dc, &tm));
  EXPECT_EQ(none.cx, tm.tmAveCharWidth);
  EXPECT_EQ(none.cy, tm.tmHeight);
  EXPECT_FALSE(KesmGetTextExtentPoint(dc, u"W", nullptr));
  ReleaseDC(host_.page(), dc);
}

}  // namespace
}  // namespace ui_test
