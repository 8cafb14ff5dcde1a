// The test page host shows a generated page of the context with its items
// bound, subclassed (but for what a feature module fills) and reachable by
// a person's clicks.
#include "tests/ui/page_host.h"

#include <gtest/gtest.h>

#include "tests/common/ui_script.h"
#include "ui/engine/item_functions.h"

namespace ui_test {
namespace {

constexpr WORD kPresetCombo = 2036;

class PageHostTest : public PageMachine {};

TEST_F(PageHostTest, APageOpensWithEveryItemBoundAndSubclassedByItsKind) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  TCB* tcb = host_.tcb();
  ASSERT_NE(tcb, nullptr);
  EXPECT_EQ(tcb->hWnd, host_.page());
  int bound = 0;
  for (int i = 0; i < tcb->itemCount; ++i) {
    const ICB& icb = tcb->pICB[i];
    SCOPED_TRACE(icb.itemId);
    ASSERT_NE(icb.hWnd, nullptr);
    EXPECT_EQ(icb.kindItemId, icb.itemId);
    if (icb.pSFCB != nullptr) ++bound;
    const IFT* row = FindIFT(icb.kind);
    // The preset combo is the preset module's to fill, not its kind's.
    if (row == nullptr || row->WindowProc == nullptr || icb.itemId == kPresetCombo) continue;
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(icb.hWnd, GWLP_WNDPROC)), row->WindowProc);
    EXPECT_EQ(reinterpret_cast<ICB*>(GetWindowLongPtrW(icb.hWnd, GWLP_USERDATA)), &icb);
  }
  EXPECT_GT(bound, 0);
}

TEST_F(PageHostTest, ClosingForgetsThePageAndAMissingTemplateFails) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  host_.Close();
  EXPECT_EQ(GetTCBbyTabID(ucb_, 1002)->hWnd, nullptr);
  EXPECT_FALSE(host_.Open(ucb_, 999));
}

TEST_F(PageHostTest, APersonsClickReachesTheItems) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  TCB* tcb = host_.tcb();
  HWND button = nullptr;
  for (int i = 0; i < tcb->itemCount && button == nullptr; ++i) {
    if (tcb->pICB[i].kind == kCtlCheckBox && IsWindowVisible(tcb->pICB[i].hWnd)) button = tcb->pICB[i].hWnd;
  }
  ASSERT_NE(button, nullptr);
  const auto before = SendMessageW(button, BM_GETCHECK, 0, 0);
  kesm_test::UiScript script;
  script.click(button).check("the box took the click", [&] {
    EXPECT_NE(SendMessageW(button, BM_GETCHECK, 0, 0), before);
  });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
