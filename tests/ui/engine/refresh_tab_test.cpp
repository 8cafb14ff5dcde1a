// An item listed under a page of the page's tab control that is not the
// one shown is hidden, and therefore disabled, whatever its judges say. No
// page of ours carries a tab control yet, so the basic page gets one here:
// its items table gains a tab control item with two pages, whose control
// the recording module makes when the item is initialised, and whose page
// change it answers with a full refresh of the page, as a module may.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/commctrl.h"
#include "platform/window/propsheet/tabctrl.h"
#include "settings/tables/class_data.h"
#include "tests/ui/engine/refresh_machine.h"

namespace ui_test {
namespace {

constexpr WORD kTabControl = 3999;
constexpr WORD kText5 = 3332;
constexpr WORD kFirstPage[] = {kScaleOn, kText5};
constexpr WORD kSecondPage[] = {kWatermarkOn, kButtonItem1, kText5};
constexpr TABPAGE kPages[] = {{40001, 2, kFirstPage}, {40002, 3, kSecondPage}};
constexpr CDTAB kTabs = {kClassTabPages, 2, kPages};

class RefreshTabs : public RefreshMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(RefreshMachine::SetUp());
    tab_ = GetTCBbyTabID(ucb_, kBasicPage);
    ASSERT_NE(tab_, nullptr);
    saved_ = tab_->pICB;
    savedCount_ = tab_->itemCount;
    items_.assign(saved_, saved_ + savedCount_);
    ICB tabs{};
    tabs.itemId = kTabControl;
    tabs.kind = kCtlTabControl;
    tabs.pClassData = &kTabs;
    items_.push_back(tabs);
    tab_->pICB = items_.data();
    tab_->itemCount = static_cast<WORD>(items_.size());
    onOffer = [this](TCB* tcb, ICB* icb, UINT message, LPARAM lParam) -> INT_PTR {
      if (icb == nullptr || icb->itemId != kTabControl) return 0;
      if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
        RefreshDialog(ucb_, tcb, 1);
        return 1;
      }
      if (message != WM_INITDIALOG) return 0;
      icb->hWnd = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE, 110, 140, 120, 24, tcb->hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTabControl)), nullptr, nullptr);
      for (int i = 0; i < 2; ++i) {
        TCITEMW page{};
        page.mask = TCIF_TEXT;
        page.pszText = const_cast<LPWSTR>(i == 0 ? u"One" : u"Two");
        SendMessageW(icb->hWnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&page));
      }
      SendMessageW(icb->hWnd, TCM_SETCURSEL, 0, 0);
      return 1;
    };
  }
  void TearDown() override {
    host().Close();
    if (tab_ != nullptr) {
      tab_->pICB = saved_;
      tab_->itemCount = savedCount_;
    }
    RefreshMachine::TearDown();
  }

  TCB* tab_ = nullptr;
  ICB* saved_ = nullptr;
  WORD savedCount_ = 0;
  std::vector<ICB> items_;
};

TEST_F(RefreshTabs, AnItemUnderAPageNotShownIsHiddenAndDisabled) {
  ASSERT_TRUE(Open(kBasicPage));
  ASSERT_NE(control(kTabControl), nullptr);
  for (WORD id : {kWatermarkOn, kButtonItem1}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(IsWindowVisible(control(id)));
    EXPECT_FALSE(IsWindowEnabled(control(id)));
  }
  for (WORD id : {kScaleOn, kText5}) {  // the page shown, or on both pages
    SCOPED_TRACE(id);
    EXPECT_TRUE(IsWindowVisible(control(id)));
    EXPECT_TRUE(IsWindowEnabled(control(id)));
  }
  EXPECT_TRUE(IsWindowVisible(control(kScaleCentering))) << "listed under no page";
}

TEST_F(RefreshTabs, ChoosingTheOtherPageShowsItsItemsAndHidesTheFirstOnes) {
  ASSERT_TRUE(Open(kBasicPage));
  kesm_test::UiScript script;
  script.tab(control(kTabControl), 1).check("the second page", [&] {
        for (WORD id : {kWatermarkOn, kButtonItem1, kText5}) {
          SCOPED_TRACE(id);
          EXPECT_TRUE(IsWindowVisible(control(id)));
          EXPECT_TRUE(IsWindowEnabled(control(id)));
        }
        EXPECT_FALSE(IsWindowVisible(control(kScaleOn)));
        EXPECT_FALSE(IsWindowEnabled(control(kScaleOn)));
      });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
