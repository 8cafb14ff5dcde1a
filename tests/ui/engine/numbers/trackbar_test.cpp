// Track bars: no page of ours carries one, so the balance dialog 1038 gets
// a track bar in place of its red-balance bar, made and bound the way the
// page makes and binds its controls; a person then slides and pages it, and
// the setting follows the thumb (range -10 to 10 from the description; a
// page is a fifth of the range, 4).
#include <gtest/gtest.h>

#include "platform/window/commctrl.h"
#include "tests/ui/engine/numbers/number_page.h"
#include "ui/engine/item_dispatch.h"

namespace numbers_test {
namespace {

constexpr WORD kBalanceDialog = 1038;
constexpr WORD kRedBar = 2273;
constexpr WORD kRed = 141;

class Trackbar : public NumberPage {
 protected:
  HWND PutTrackbar(WORD id) {
    ICB* icb = host_.item(id);
    RECT r{};
    GetWindowRect(icb->hWnd, &r);
    MapWindowPoints(nullptr, host_.page(), reinterpret_cast<POINT*>(&r), 2);
    DestroyWindow(icb->hWnd);
    HWND bar = CreateWindowExW(0, TRACKBAR_CLASSW, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, host_.page(),
                               reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
    icb->kind = kCtlTrackbar;
    icb->hWnd = bar;
    icb->pfnSavedWndProc = nullptr;
    InitItem(ucb_, host_.tcb(), icb);
    return bar;
  }
};

TEST_F(Trackbar, TheSettingFollowsTheThumb) {
  Given(kRed, 3);
  Open(kBalanceDialog);
  HWND bar = PutTrackbar(kRedBar);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 3);
  kesm_test::UiScript script;
  script.slide(bar, -7)
      .check("slid below 0", [&] { EXPECT_EQ(Stored(kRed), -7); })
      .pageTrack(bar, TB_PAGEDOWN)
      .check("a page on", [&] { EXPECT_EQ(Stored(kRed), -3); })
      .slide(bar, 8)
      .pageTrack(bar, TB_PAGEDOWN)
      .check("held at the end", [&] { EXPECT_EQ(Stored(kRed), 10); });
  Run(script);
}

}  // namespace
}  // namespace numbers_test
