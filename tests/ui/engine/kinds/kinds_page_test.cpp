// The kinds no generated page carries, on a page of our own (dialog 9065
// of tests/data/resources/button_pages.krc) whose items the context's table
// of one sub-dialog is pointed at: a tab control that shows the chosen
// page's controls, custom buttons with their two-part captions (drawn
// embossed while disabled, underlined when asked), and an icon item that
// shows the orientation chosen beside it.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/window_image.h"
#include "settings/tables/class_data.h"
#include "tests/ui/engine/kinds/button_machine.h"

namespace ui_test {
namespace {

constexpr WORD kKindsPage = 9065;
constexpr WORD kBorrowedTab = 1065;  // its table is pointed at ours for the test
constexpr WORD kTabs = 9101;
constexpr WORD kFirstPage[] = {9111, 9112};
constexpr WORD kSecondPage[] = {9121, 9122};
constexpr WORD kFastCopy = 9131;
constexpr WORD kSlowCopy = 9132;     // in a group the description always disables
constexpr WORD kAlwaysDisabled = 451;
constexpr WORD kOwnerDrawn = 9141;   // an owner-drawn push button without a caption row
constexpr WORD kOrientationIcon = 9151;
constexpr WORD kOrientationPictureGroup = 434;
constexpr WORD kOrientationGroup = 435;

const TABPAGE kPages[] = {{9211, 2, kFirstPage}, {9212, 2, kSecondPage}};
const CDTAB kTabPages = {kClassTabPages, 2, kPages};
const CDBTN kFastCaption = {kClassButton, 9201, 9202, 1};
const CDBTN kSlowCaption = {kClassButton, 9203, 9204, 0};

ICB Item(WORD group, WORD id, WORD kind, const void* data = nullptr, WORD link = 0) {
  ICB icb{};
  icb.groupId = group;
  icb.itemId = id;
  icb.kind = kind;
  icb.linkId = link;
  icb.pClassData = data;
  return icb;
}

class KindsPage : public ButtonMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ButtonMachine::SetUp());
    items_ = {Item(0, kTabs, kCtlTabControl, &kTabPages),
              Item(0, kFastCopy, kCtlCustomButton, &kFastCaption),
              Item(kAlwaysDisabled, kSlowCopy, kCtlCustomButton, &kSlowCaption),
              Item(0, kOwnerDrawn, kCtlPushButton),
              Item(kOrientationPictureGroup, kOrientationIcon, kCtlIcon, nullptr, kOrientationGroup),
              Item(kOrientationGroup, kPortrait, kCtlRadioList),
              Item(kOrientationGroup, kLandscape, kCtlRadioList)};
    borrowed_ = GetTCBbyTabID(ucb_, kBorrowedTab);
    ASSERT_NE(borrowed_, nullptr);
    saved_ = *borrowed_;
    borrowed_->tabId = kKindsPage;
    borrowed_->pICB = items_.data();
    borrowed_->itemCount = static_cast<WORD>(items_.size());
  }
  void TearDown() override {
    host_.Close();
    if (borrowed_ != nullptr) *borrowed_ = saved_;
    ButtonMachine::TearDown();
  }
  bool Shown(WORD id) const { return IsWindowVisible(host_.control(id)) != FALSE; }

  // The page as a person sees it, and the pixels of one control on it.
  struct Picture {
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    POINT origin{};
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(origin.y + y) * size.cx + origin.x + x]; }
  };
  Picture Look(WORD id, const char* png) const {
    Picture p;
    EXPECT_TRUE(plat::window::PaintWindowImage(host_.page(), &p.pixels, &p.size));
    plat::window::WriteWindowPng(host_.page(), std::filesystem::path(testing::TempDir()) / png);
    RECT r{};
    GetWindowRect(host_.control(id), &r);
    POINT origin{r.left, r.top};
    ScreenToClient(host_.page(), &origin);
    RECT client{};
    GetClientRect(host_.page(), &client);
    POINT corner{0, 0};
    ClientToScreen(host_.page(), &corner);
    RECT frame{};
    GetWindowRect(host_.page(), &frame);
    p.origin = POINT{origin.x + corner.x - frame.left, origin.y + corner.y - frame.top};
    return p;
  }

  std::vector<ICB> items_;
  TCB* borrowed_ = nullptr;
  TCB saved_{};
};

TEST_F(KindsPage, TheTabControlShowsOnlyTheChosenPagesControls) {
  ASSERT_TRUE(host_.Open(ucb_, kKindsPage));
  std::array<WCHAR, 32> title{};
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = title.data();
  tab.cchTextMax = 32;
  const HWND tabs = host_.control(kTabs);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(std::u16string(title.data()), u"Advanced");
  const auto shows = [&](const WORD (&on)[2], const WORD (&off)[2]) {
    for (const WORD id : on) EXPECT_TRUE(Shown(id)) << id;
    for (const WORD id : off) EXPECT_FALSE(Shown(id)) << id;
  };
  shows(kFirstPage, kSecondPage);
  kesm_test::UiScript script;
  script.tab(tabs, 1)
      .check("the second page", [&] { shows(kSecondPage, kFirstPage); })
      .tab(tabs, 0)
      .check("the first page again", [&] { shows(kFirstPage, kSecondPage); });
  EXPECT_TRUE(script.run());
}

TEST_F(KindsPage, ACustomButtonCaptionsItselfUnderlinedOrEmbossedWhenDisabled) {
  ASSERT_TRUE(host_.Open(ucb_, kKindsPage));
  std::array<WCHAR, 64> caption{};
  GetWindowTextW(host_.control(kFastCopy), caption.data(), 64);
  EXPECT_EQ(std::u16string(caption.data()), u"Fast copy two-sided");
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const auto rgb = [](COLORREF c) { return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); };
  // The longest run of one colour on a row of the caption's area.
  const auto longestRun = [](const Picture& p, RECT area, std::uint32_t colour) {
    int best = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left, run = 0; x < area.right; ++x) {
        run = p.At(x, y) == colour ? run + 1 : 0;
        best = std::max(best, run);
      }
    }
    return best;
  };
  const auto count = [](const Picture& p, RECT area, std::uint32_t colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) n += p.At(x, y) == colour ? 1 : 0;
    }
    return n;
  };
  RECT button{};
  GetClientRect(host_.control(kFastCopy), &button);
  const RECT text{button.bottom, 8, button.right - 8, button.bottom - 7};  // inset by the height at the left
  const Picture fast = Look(kFastCopy, "custom_buttons.png");
  EXPECT_GT(count(fast, text, rgb(ink)), 20);
  EXPECT_EQ(count(fast, text, rgb(grey)), 0);
  EXPECT_GT(longestRun(fast, text, rgb(ink)), 30);  // the underline
  const Picture slow = Look(kSlowCopy, "custom_buttons.png");
  EXPECT_EQ(count(slow, text, rgb(ink)), 0);
  EXPECT_GT(count(slow, text, rgb(grey)), 20);
  EXPECT_GT(count(slow, text, 0xFFFFFF), 20);      // the raised copy below and right
  EXPECT_LT(longestRun(slow, text, rgb(grey)), 30);  // no underline
}

// The button looks focused while it has the focus, and no longer once a
// click elsewhere takes the focus.
TEST_F(KindsPage, ACustomButtonLosesItsFocusLookWithTheFocus) {
  ASSERT_TRUE(host_.Open(ucb_, kKindsPage));
  // What the screen shows now: a focus change redraws only the focus look.
  const auto look = [&] {
    const HWND button = host_.control(kFastCopy);
    RECT r{};
    GetClientRect(button, &r);
    const HDC dc = GetDC(button);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y) {
      for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(button, dc);
    return pixels;
  };
  std::vector<COLORREF> unfocused;
  kesm_test::UiScript script;
  script.check("shown", [&] { unfocused = look(); })
      .click(host_.control(kFastCopy))
      .check("focused", [&] {
        EXPECT_EQ(GetFocus(), host_.control(kFastCopy));
        EXPECT_NE(look(), unfocused);
      })
      .click(host_.control(kFirstPage[1]))
      .check("the focus moved on", [&] {
        EXPECT_NE(GetFocus(), host_.control(kFastCopy));
        EXPECT_EQ(look(), unfocused);
      });
  EXPECT_TRUE(script.run());
}

// The icon is drawn into the item as the refresh paints it after a change:
// the square with a transparent frame for portrait, the checkerboard (black
// at its top left) for landscape.
TEST_F(KindsPage, TheIconShowsTheOrientationChosenBesideIt) {
  ASSERT_TRUE(host_.Open(ucb_, kKindsPage));
  const auto topLeft = [&] {
    const HWND icon = host_.control(kOrientationIcon);
    const HDC dc = GetDC(icon);
    const COLORREF colour = GetPixel(dc, 2, 2);
    ReleaseDC(icon, dc);
    return colour;
  };
  kesm_test::UiScript script;
  script.click(host_.control(kLandscape))
      .check("landscape", [&] {
        EXPECT_EQ(Stored(kOrientation), 2);
        EXPECT_EQ(topLeft(), RGB(0, 0, 0));
      })
      .click(host_.control(kPortrait))
      .check("portrait", [&] { EXPECT_NE(topLeft(), RGB(0, 0, 0)); });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
