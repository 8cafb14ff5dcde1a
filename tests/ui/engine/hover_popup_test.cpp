// The hover pop-up on the basic page of the W2 printer: a person rests the
// mouse on a tray of the printer picture (2067) and, a second later, a pale
// yellow pop-up names the tray. It stays put while the mouse moves within
// the same tray, keeps its margins from the screen's right edge and from
// the taskbar at the bottom, and goes with the next command.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "tests/common/held_clock.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

constexpr WORD kBasicPage = 1002;
constexpr WORD kPrinterPicture = 2067;
constexpr WORD kScaleCentering = 3328;  // a check box of the page
// Tray 1 of the picture (string 2 "Tray 1") spans x 89-116, y 73-81.
constexpr POINT kTray1{100, 78};
constexpr POINT kTray1Elsewhere{112, 74};
constexpr POINT kTray2{100, 86};  // "Tray 2", y 83-91
constexpr POINT kNoTray{20, 90};

HWND Popup(const char16_t* text) {
  HWND found = FindWindowW(nullptr, text);
  WCHAR cls[32] = {};
  if (found != nullptr) GetClassNameW(found, cls, 32);
  return found != nullptr && std::u16string(cls) == u"Static" ? found : nullptr;
}

class HoverPopup : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    ASSERT_TRUE(host_.Open(ucb_, kBasicPage));
    picture_ = host_.control(kPrinterPicture);
    ASSERT_NE(picture_, nullptr);
  }
  // Puts the frame where the printer picture's tray 1 lies at a screen point.
  void MoveTray1To(POINT screen) {
    POINT at = kTray1;
    ClientToScreen(picture_, &at);
    RECT frame{};
    GetWindowRect(host_.frame(), &frame);
    SetWindowPos(host_.frame(), nullptr, frame.left + screen.x - at.x, frame.top + screen.y - at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  kesm_test::HeldClock clock_{2026, 3, 1, 8, 0, 0};
  HWND picture_ = nullptr;
};

TEST_F(HoverPopup, ShowsOnlyAfterTheHoverDelayAndNamesTheTray) {
  kesm_test::UiScript script;
  script.click(host_.control(kScaleCentering))
      .hoverAt(picture_, kTray1)
      .check("prepared, not yet shown", [&] {
        ASSERT_NE(Popup(u"Tray 1"), nullptr);
        EXPECT_FALSE(IsWindowVisible(Popup(u"Tray 1")));
      })
      .wait(999)
      .check("still hidden a moment before the second", [&] { EXPECT_FALSE(IsWindowVisible(Popup(u"Tray 1"))); })
      .wait(1)
      .check("shown below the tray", [&] {
        HWND popup = Popup(u"Tray 1");
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(IsWindowVisible(popup));
        RECT r{};
        GetWindowRect(popup, &r);
        POINT tray{89, 82 + 4};  // the area's left, 4 pixels below it
        ClientToScreen(picture_, &tray);
        EXPECT_EQ(r.left, tray.x);
        EXPECT_EQ(r.top, tray.y);
        const auto dir = std::filesystem::temp_directory_path() / "kesm_hover_popup.png";
        EXPECT_TRUE(plat::window::WriteShownWindowPng(popup, dir) && plat::window::WriteWindowPng(host_.frame(), dir.parent_path() / "kesm_hover_page.png"));
      });
  EXPECT_TRUE(script.run());
}

TEST_F(HoverPopup, MovingWithinTheTrayKeepsThePopupAndItsDelay) {
  HWND first = nullptr;
  kesm_test::UiScript script;
  script.click(host_.control(kScaleCentering))
      .hoverAt(picture_, kTray1)
      .check("prepared", [&] { first = Popup(u"Tray 1"); })
      .wait(600)
      .hoverAt(picture_, kTray1Elsewhere)
      .wait(400)
      .check("the same window, shown a second after the first hover", [&] {
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(Popup(u"Tray 1"), first);
        EXPECT_TRUE(IsWindowVisible(first));
      })
      .hoverAt(picture_, kTray2)
      .check("another tray: a new pop-up, the old one gone", [&] {
        EXPECT_FALSE(IsWindow(first));
        ASSERT_NE(Popup(u"Tray 2"), nullptr);
        EXPECT_FALSE(IsWindowVisible(Popup(u"Tray 2")));
      })
      .hoverAt(picture_, kNoTray)
      .wait(1000)
      .check("off the trays: none", [&] {
        EXPECT_EQ(Popup(u"Tray 2"), nullptr);
        EXPECT_EQ(Popup(u"Tray 1"), nullptr);
      });
  EXPECT_TRUE(script.run());
}

TEST_F(HoverPopup, ACommandTakesTheShownPopupAway) {
  kesm_test::UiScript script;
  script.click(host_.control(kScaleCentering))
      .hoverAt(picture_, kTray1)
      .wait(1000)
      .check("shown", [&] { EXPECT_TRUE(IsWindowVisible(Popup(u"Tray 1"))); })
      .key(VK_SPACE)  // the check box has the focus: a command
      .check("gone", [&] { EXPECT_EQ(Popup(u"Tray 1"), nullptr); });
  EXPECT_TRUE(script.run());
}

TEST_F(HoverPopup, KeepsItsMarginsFromTheRightEdgeAndTheTaskbar) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  RECT taskbar{};
  ASSERT_TRUE(GetWindowRect(FindWindowW(u"Shell_TrayWnd", nullptr), &taskbar));
  struct Case {
    const char* what;
    POINT tray;  // where tray 1 lies on the screen
    bool right;  // kept from the right edge
    bool up;     // kept above the taskbar
  };
  const Case cases[] = {
      {"near the right edge", {screenWidth - 30, 300}, true, false},
      {"just above the taskbar", {400, taskbar.top - 10}, false, true},
      {"in the corner", {screenWidth - 20, taskbar.top - 5}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MoveTray1To(c.tray);
    kesm_test::UiScript script;
    script.click(host_.control(kScaleCentering))
        .hoverAt(picture_, kTray1)
        .wait(1000)
        .check("placed", [&] {
          HWND popup = Popup(u"Tray 1");
          ASSERT_NE(popup, nullptr);
          EXPECT_TRUE(IsWindowVisible(popup));
          RECT r{};
          GetWindowRect(popup, &r);
          POINT anchor{89, 82 + 4};
          ClientToScreen(picture_, &anchor);
          if (c.right) EXPECT_EQ(r.right, screenWidth - 16);
          else EXPECT_EQ(r.left, anchor.x);
          if (c.up) EXPECT_EQ(r.bottom, taskbar.top - 12);
          else EXPECT_EQ(r.top, anchor.y);
        });
    EXPECT_TRUE(script.run());
  }
}

}  // namespace
}  // namespace ui_test
