// The hint icon beside a disabled item of the W2 basic page: the cursor
// over it is the resource library's arrow (the hand while the button is
// down), and a click shows the item's explanation in a message box owned
// by the item, captioned with the printer's name; the item stays disabled
// after the answer.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/window/messagebox_control.h"
#include "settings/context/dialog_slots.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

constexpr WORD kBasicPage = 1002;
constexpr WORD kScaleCentering = 3328;
constexpr WORD kExplanation = 40007;  // a string of the resource DLL

class HintIcon : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    ASSERT_TRUE(host_.Open(ucb_, kBasicPage));
    item_ = host_.item(kScaleCentering);
    ASSERT_NE(item_, nullptr);
    hint_ = PutHintBeside(item_);
    ASSERT_NE(hint_, nullptr);
  }
  // The icon as the refresh puts it beside an item it disabled: a picture
  // static 20 pixels square left of the item, right after it in z-order,
  // tied to the item.
  HWND PutHintBeside(ICB* icb) {
    icb->hintId = kExplanation;
    icb->status = static_cast<WORD>((icb->status & ~0x000C) | 0x0004);
    EnableWindow(icb->hWnd, FALSE);
    RECT r{};
    GetWindowRect(icb->hWnd, &r);
    MapWindowPoints(nullptr, host_.page(), reinterpret_cast<POINT*>(&r), 2);
    HWND hint = CreateWindowExW(0, u"STATIC", u"", 0x5081000E, std::max<LONG>(r.left - 20, 0), r.top, 20, 20,
                                host_.page(), nullptr, GetResDll(ucb_), nullptr);
    if (hint == nullptr) return nullptr;
    SetWindowPos(hint, icb->hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(hint, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BalloonHelpWindowProc));
    SetWindowLongPtrW(hint, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icb));
    return hint;
  }

  ICB* item_ = nullptr;
  HWND hint_ = nullptr;
};

TEST_F(HintIcon, AClickShowsTheItemsExplanation) {
  const std::size_t before = plat::window::MessageBoxes().size();
  HCURSOR arrow = LoadCursorW(GetResDll(ucb_), MAKEINTRESOURCEW(kArrowCursorId));
  HCURSOR hand = LoadCursorW(GetResDll(ucb_), MAKEINTRESOURCEW(kHandCursorId));
  kesm_test::UiScript script;
  script.hover(hint_)
      .check("the arrow over the icon", [&] { EXPECT_EQ(GetCursor(), arrow); })
      .hold(hint_)
      .check("the hand while pressed", [&] { EXPECT_EQ(GetCursor(), hand); })
      .release()
      .answerBox(GetResDll(ucb_), kExplanation, IDOK)
      .check("answered", [&] {
        const auto boxes = plat::window::MessageBoxes();
        ASSERT_EQ(boxes.size(), before + 1);
        EXPECT_EQ(boxes.back().owner, item_->hWnd);
        EXPECT_EQ(boxes.back().caption, kPrinter);
        EXPECT_EQ(boxes.back().type, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(boxes.back().result, IDOK);
        EXPECT_FALSE(IsWindowEnabled(item_->hWnd));
        EXPECT_EQ(GetCapture(), nullptr);
      });
  EXPECT_TRUE(script.run());
}

TEST_F(HintIcon, AnItemWithoutExplanationShowsNothing) {
  item_->hintId = 0;
  const std::size_t before = plat::window::MessageBoxes().size();
  kesm_test::UiScript script;
  script.click(hint_).check("no box", [&] { EXPECT_EQ(plat::window::MessageBoxes().size(), before); });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
