// The hint icon beside a disabled item that has an explanation, on the
// basic page of the W2 printer: one icon, placed beside the item and next
// after it in the tab order, gone when the item is enabled or hidden, never
// shown when the run-time flags forbid it; and the option list that the
// refresh never greys out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/base/machine.h"
#include "platform/window/window_image.h"
#include "tests/ui/engine/refresh_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

class RefreshHints : public RefreshMachine {};

// A window's rectangle in its page's client area.
RECT PlaceOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Where the icon stands beside its item: to its left, or at the page's left
// edge when the item is too near it; level with the item's top, or with its
// bottom when the item is no taller than the icon.
struct Placement {
  WORD control;
  bool atPageEdge;
  bool levelWithTop;
};

TEST_F(RefreshHints, ADisabledItemWithAnExplanationGetsOneIconBesideIt) {
  for (WORD id : {kScaleH, kScaleCentering, kPreview, kScaleOn}) GiveHint(kBasicPage, id);
  ASSERT_TRUE(Open(kBasicPage));  // scaling is off
  const Placement placements[] = {
      {kScaleH, false, false},          // 20 pixels tall
      {kScaleCentering, false, false},  // a check box
      {kPreview, true, true},           // a tall picture at the page's left edge
  };
  for (const Placement& p : placements) {
    SCOPED_TRACE(p.control);
    HWND item = control(p.control);
    EXPECT_FALSE(IsWindowEnabled(item));
    const std::vector<HWND> hints = HintsOf(p.control);
    ASSERT_EQ(hints.size(), 1u);
    HWND hint = hints[0];
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(hint, GWL_STYLE)), 0x5081000Eu);
    EXPECT_EQ(GetWindowTextLengthW(hint), 0);
    EXPECT_EQ(GetParent(hint), host().page());
    EXPECT_EQ(GetWindow(item, GW_HWNDNEXT), hint);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hint, GWLP_WNDPROC)), &BalloonHelpWindowProc);
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrW(hint, GWLP_HINSTANCE)), GetResDll(ucb_));
    const RECT at = PlaceOf(hint);
    const RECT of = PlaceOf(item);
    EXPECT_EQ(at.right - at.left, 20);
    EXPECT_EQ(at.bottom - at.top, 20);
    if (p.atPageEdge) {
      EXPECT_EQ(at.left, 0);
    } else {
      EXPECT_EQ(at.right, of.left);
    }
    if (p.levelWithTop) {
      EXPECT_EQ(at.top, of.top);
    } else {
      EXPECT_EQ(at.bottom, of.bottom);
    }
  }
  EXPECT_TRUE(HintsOf(kScaleOn).empty()) << "an enabled item has no icon";
  EXPECT_TRUE(HintsOf(kBooklet).empty()) << "a disabled item without explanation has none";
}

TEST_F(RefreshHints, TheIconGoesWhenTheItemIsEnabledAndComesBackOnce) {
  GiveHint(kBasicPage, kScaleH);
  ASSERT_TRUE(Open(kBasicPage));
  kesm_test::UiScript script;
  script.click(control(kScaleOn))
      .check("scaling on", [&] {
        EXPECT_TRUE(IsWindowEnabled(control(kScaleH)));
        EXPECT_TRUE(HintsOf(kScaleH).empty());
      })
      .click(control(kScaleOn))
      .check("a scale is set meanwhile", [&] { SetDevmodeValueDirectByFuncID(ucb_, kFuncScaleH, 150); })
      .click(control(kButtonItem1))
      .click(control(kButtonItem1))
      .check("scaling off again, the item redrawn", [&] {
        EXPECT_FALSE(IsWindowEnabled(control(kScaleH)));
        EXPECT_EQ(HintsOf(kScaleH).size(), 1u);
      });
  EXPECT_TRUE(script.run());
}

TEST_F(RefreshHints, AHiddenItemTakesItsIconAlong) {
  GiveHint(kBasicPage, kBooklet);
  ASSERT_TRUE(Open(kBasicPage));
  ASSERT_EQ(HintsOf(kBooklet).size(), 1u);
  kesm_test::UiScript script;
  script.click(control(kWatermarkOn))
      .check("a watermark hides the booklet", [&] {
        EXPECT_FALSE(IsWindowVisible(control(kBooklet)));
        EXPECT_TRUE(HintsOf(kBooklet).empty());
      })
      .click(control(kWatermarkOn))
      .check("shown again, still greyed", [&] {
        EXPECT_TRUE(IsWindowVisible(control(kBooklet)));
        EXPECT_FALSE(IsWindowEnabled(control(kBooklet)));
        EXPECT_EQ(HintsOf(kBooklet).size(), 1u);
      });
  EXPECT_TRUE(script.run());
}

// The run-time flags of the call source (607), the OS kind (608) and the
// missing permission (612).
struct FlagCase {
  BYTE callSource;
  BYTE osKind;
  BYTE noPermission;
  bool icon;
};

TEST_F(RefreshHints, TheRunTimeFlagsMayForbidTheIconsForGood) {
  const FlagCase cases[] = {
      {1, 1, 1, false}, {1, 2, 1, false}, {1, 3, 1, true}, {0, 2, 1, true}, {1, 2, 0, true},
  };
  for (const FlagCase& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.callSource} << "/" << int{c.osKind} << "/" << int{c.noPermission});
    GiveHint(kBasicPage, kScaleH);
    SetDevmodeValueDirectByFuncID(ucb_, 607, c.callSource);
    SetDevmodeValueDirectByFuncID(ucb_, 608, c.osKind);
    SetDevmodeValueDirectByFuncID(ucb_, 612, c.noPermission);
    ASSERT_TRUE(Open(kBasicPage));
    EXPECT_EQ(HintsOf(kScaleH).size(), c.icon ? 1u : 0u);
    // Allowed again later, the item stays without its icon.
    SetDevmodeValueDirectByFuncID(ucb_, 612, 0);
    kesm_test::UiScript script;
    script.click(control(kScaleOn)).click(control(kScaleOn)).check("greyed again", [&] {
      EXPECT_EQ(HintsOf(kScaleH).size(), c.icon ? 1u : 0u);
    });
    EXPECT_TRUE(script.run());
    SetDevmodeValueDirectByFuncID(ucb_, kFuncScaleOn, 0);
  }
}

TEST_F(RefreshHints, TheOptionListIsNeverGreyedOutButExplainsOnce) {
  GiveHint(kOptionPage, kOptionList);
  GiveHint(kOptionPage, kOptionPaper);
  SetDevmodeValueDirectByFuncID(ucb_, kFuncCopies, 3);  // both are fixed now
  ASSERT_TRUE(Open(kOptionPage));
  kesm_test::UiScript script;
  script.check("more copies are asked for meanwhile", [&] { SetDevmodeValueDirectByFuncID(ucb_, kFuncCopies, 4); })
      .click(control(kOptionItem2))
      .click(control(kOptionItem2))
      .check("after two more refreshes", [&] {
    EXPECT_TRUE(IsWindowEnabled(control(kOptionList)));
    EXPECT_FALSE(IsWindowEnabled(control(kOptionPaper)));
    EXPECT_EQ(HintsOf(kOptionList).size(), 1u);
    EXPECT_EQ(HintsOf(kOptionPaper).size(), 1u);
  });
  EXPECT_TRUE(script.run());
}

TEST_F(RefreshHints, ThePageWithItsIconsAsAPicture) {
  for (WORD id : {kScaleH, kScaleCentering, kPreview}) GiveHint(kBasicPage, id);
  ASSERT_TRUE(Open(kBasicPage));
  const char* folder = std::getenv("KESM_DUMP_WINDOWS");
  const std::filesystem::path file =
      (folder != nullptr && *folder != '\0' ? std::filesystem::path(folder) : plat::DriveRoot()) /
      "refresh-hint-icons.png";
  ASSERT_TRUE(plat::window::WriteWindowPng(host().page(), file));
  EXPECT_GT(std::filesystem::file_size(file), 0u);
}

}  // namespace
}  // namespace ui_test
