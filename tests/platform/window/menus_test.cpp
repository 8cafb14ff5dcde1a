// Menus loaded from a module's template, and popup menus answered by the
// script as a person picks from them.
#include <gtest/gtest.h>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "platform/window/menus.h"
#include "tests/common/ui_script.h"
#include "tests/platform/install_file.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

class MenuTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    module_ = LoadPicturesModule(KESM_TEST_PICTURES);
    ASSERT_NE(module_, nullptr);
    plat::window::TakeTrackedMenus();
  }
  void TearDown() override {
    EXPECT_TRUE(FreeLibrary(module_));
    WindowTest::TearDown();
  }

  plat::ScopedMachine machine_;
  HMODULE module_ = nullptr;
};

TEST_F(MenuTest, TemplateGivesItsItemsAndStates) {
  HMENU bar = LoadMenuW(module_, MAKEINTRESOURCEW(200));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 1);
  HMENU tray = GetSubMenu(bar, 0);
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(GetMenuItemCount(tray), 4);
  EXPECT_EQ(GetMenuItemID(tray, 0), 201u);
  EXPECT_NE(GetMenuState(tray, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_NE(GetMenuState(tray, 202, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(tray, 203, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_EQ(GetMenuItemCount(tray), -1);  // destroyed with its bar
  SetLastError(0);
  EXPECT_EQ(LoadMenuW(module_, MAKEINTRESOURCEW(201)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(MenuTest, ThePickedItemIsReturnedOrSentAsACommand) {
  HWND owner = Make("owner", nullptr, RECT{0, 0, 100, 100});
  HMENU bar = LoadMenuW(module_, MAKEINTRESOURCEW(200));
  HMENU tray = GetSubMenu(bar, 0);
  {
    UiScript script;
    script.pickMenu(202);
    EXPECT_EQ(TrackPopupMenu(tray, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 202);
  }
  {
    UiScript script;
    script.pickMenu(0);  // dismissed
    EXPECT_EQ(TrackPopupMenu(tray, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 0);
  }
  {
    UiScript script;
    script.pickMenu(201);
    EXPECT_TRUE(TrackPopupMenu(tray, 0, 10, 10, 0, owner, nullptr));
  }
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 201u);
  const auto tracked = plat::window::TakeTrackedMenus();
  ASSERT_EQ(tracked.size(), 3u);
  EXPECT_EQ(tracked[0].texts.front(), u"&Upper");
  EXPECT_EQ(tracked[0].picked, 202u);
  EXPECT_EQ(tracked[1].picked, 0u);
  DestroyMenu(bar);
}

TEST_F(MenuTest, PickingADisabledItemFailsTheScript) {
  HWND owner = Make("owner", nullptr, RECT{0, 0, 100, 100});
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 5, u"Off");
  plat::window::Script script;
  script.pickMenu(5);
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
  ASSERT_FALSE(script.failures().empty());
  EXPECT_NE(script.failures().front().find("disabled"), std::string::npos) << script.failures().front();
  plat::window::TakeAbandonedLoops();
  DestroyMenu(menu);
}

}  // namespace
}  // namespace kesm_test
