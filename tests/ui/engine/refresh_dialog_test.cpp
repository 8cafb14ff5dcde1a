// What a refresh after a click on a W2 page redraws and re-initialises:
// the preset list only when a setting other than the copies changed, the
// copy-guard dependants only when the pattern itself changed, an item once
// per request, a list whose state changed unless it is never refilled;
// nothing while the page is laid out or a refresh is running; and the
// focus leaves a control the refresh disabled.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "settings/context/context_block.h"
#include "tests/ui/engine/refresh_machine.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kPresetListBox = 2001;
constexpr WORD kCopiesEdit = 2029;
constexpr WORD kTrayCombo = 2007;
constexpr WORD kText5 = 3332;       // a text item of the basic page, bound to no setting
constexpr WORD kWatermarkId = 3323; // a combo greyed while no watermark is printed
constexpr WORD kRemotePicture = 2041;  // re-initialised on the remote-output request

class RefreshPage : public RefreshMachine {};

// Writes the settings (a change made elsewhere), then clicks the button,
// which refreshes the page.
void ChangeAndClick(kesm_test::UiScript& script, UCB* ucb, std::vector<std::pair<WORD, LONG_PTR>> changes,
                    HWND button) {
  script.check("the change", [ucb, changes] {
    for (const auto& [id, value] : changes) SetDevmodeValueDirectByFuncID(ucb, id, value);
  });
  script.click(button);
}

// A person's change on the preset page, and whether the preset list is
// redrawn by the refresh that follows it.
struct RedrawCase {
  const char* what;
  std::function<void(kesm_test::UiScript&)> change;
  bool redrawn;
};

TEST_F(RefreshPage, TheCopiesAloneDoNotRedrawThePresetList) {
  const RedrawCase cases[] = {
      {"copies typed", [this](kesm_test::UiScript& s) { s.text(control(kCopiesEdit), u"4"); }, false},
      {"another tray picked", [this](kesm_test::UiScript& s) { s.pick(control(kTrayCombo), 1); }, true},
  };
  ASSERT_TRUE(Open(kPresetPage));
  for (const RedrawCase& c : cases) {
    SCOPED_TRACE(c.what);
    Forget();
    kesm_test::UiScript script;
    c.change(script);
    script.check("after the refresh", [&] { EXPECT_EQ(Seen(kPresetListBox, WM_PAINT) > 0, c.redrawn); });
    EXPECT_TRUE(script.run());
  }
  EXPECT_EQ(Value(kFuncCopies), 4);
  EXPECT_EQ(Value(13), 1);
}

struct CopyGuardCase {
  bool guardOn;  // 79
  WORD changed;
  bool redrawn;
};

TEST_F(RefreshPage, TheCopyGuardPatternRedrawsItsDependantsButNotItsSeventhSwitch) {
  const CopyGuardCase cases[] = {
      {true, 521, false}, {true, 512, true}, {true, 520, true}, {true, 522, true}, {true, 529, true},
      {false, 512, false},
  };
  for (const CopyGuardCase& c : cases) {
    SCOPED_TRACE(c.changed);
    SetDevmodeValueDirectByFuncID(ucb_, 79, c.guardOn ? 1 : 0);
    ASSERT_TRUE(Open(kBasicPage));
    Forget();
    kesm_test::UiScript script;
    ChangeAndClick(script, ucb_, {{c.changed, 1}}, control(kButtonItem1));
    script.check("after the refresh", [&] { EXPECT_EQ(Seen(kText5, WM_PAINT), c.redrawn ? 1 : 0); });
    EXPECT_TRUE(script.run());
  }
}

TEST_F(RefreshPage, NothingHappensWhileThePageIsLaidOut) {
  ASSERT_TRUE(Open(kBasicPage));
  DIALOGSLOTS& slots = ucb_->pWork->dialog;
  kesm_test::UiScript script;
  script.check("the page is being laid out", [&] { slots.fLayoutPending = 1; })
      .click(control(kScaleOn))
      .check("still greyed", [&] {
        EXPECT_EQ(Value(kFuncScaleOn), 1);
        EXPECT_FALSE(IsWindowEnabled(control(kScaleH)));
      })
      .check("laid out", [&] { slots.fLayoutPending = 0; })
      .click(control(kButtonItem1))
      .check("the change shows now", [&] { EXPECT_TRUE(IsWindowEnabled(control(kScaleH))); });
  EXPECT_TRUE(script.run());
}

TEST_F(RefreshPage, ARefreshAskedForDuringARefreshIsDropped) {
  ASSERT_TRUE(Open(kBasicPage));
  bool asked = false;
  // A module that, asked by the refresh to paint the centering box, sends
  // the page a click of another button: its refresh comes while this one
  // runs.
  onOffer = [&](TCB* tcb, ICB* icb, UINT message, LPARAM) -> INT_PTR {
    if (message != WM_PAINT || icb == nullptr || icb->itemId != kScaleCentering || asked) return 0;
    if (ucb_->pWork->dialog.fRefreshing == 0) return 0;  // the box painting its own window
    asked = true;
    SendMessageW(tcb->hWnd, WM_COMMAND, MAKEWPARAM(kButtonItem1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(kButtonItem1)));
    return 0;
  };
  Forget();
  kesm_test::UiScript script;
  script.click(control(kScaleOn)).check("each item redrawn once", [&] {
    EXPECT_TRUE(asked);
    for (WORD id : {kScaleH, kScaleCentering, kScaleOn, kBooklet}) {
      SCOPED_TRACE(id);
      EXPECT_EQ(Seen(id, WM_PAINT), 1);
    }
    EXPECT_EQ(ucb_->pWork->dialog.fRefreshing, 0);
  });
  script.click(control(kScaleOn)).check("the next refresh runs", [&] {
    EXPECT_FALSE(IsWindowEnabled(control(kScaleH)));
  });
  EXPECT_TRUE(script.run());
}

TEST_F(RefreshPage, ARequestReinitialisesItsItemOnce) {
  ASSERT_TRUE(Open(kBasicPage));
  Forget();
  kesm_test::UiScript script;
  ChangeAndClick(script, ucb_, {{10062, 1}}, control(kButtonItem1));  // remote output
  script.check("asked for", [&] { EXPECT_EQ(Seen(kRemotePicture, WM_INITDIALOG), 1); })
      .click(control(kButtonItem1))
      .check("not again", [&] { EXPECT_EQ(Seen(kRemotePicture, WM_INITDIALOG), 1); });
  EXPECT_TRUE(script.run());
}

TEST_F(RefreshPage, AListWhoseStateChangedIsRefilledUnlessItIsNeverRefilled) {
  ASSERT_TRUE(Open(kBasicPage));
  ASSERT_TRUE(Open(kOptionPage, 1));
  ASSERT_FALSE(IsWindowEnabled(control(kWatermarkId)));
  Forget();
  kesm_test::UiScript script;
  script.click(control(kWatermarkOn)).check("the watermark choice", [&] {
    EXPECT_TRUE(IsWindowEnabled(control(kWatermarkId)));
    EXPECT_EQ(Seen(kWatermarkId, WM_INITDIALOG), 1);
  });
  ChangeAndClick(script, ucb_, {{kFuncCopies, 3}}, control(kOptionItem2, 1));
  script.check("the option page's lists", [&] {
    EXPECT_FALSE(IsWindowEnabled(control(kOptionPaper, 1)));
    EXPECT_EQ(Seen(kOptionPaper, WM_INITDIALOG, 1), 1);
    EXPECT_EQ(Seen(kOptionList, WM_INITDIALOG, 1), 0);
  });
  EXPECT_TRUE(script.run());
}

TEST_F(RefreshPage, TheFocusLeavesAControlTheRefreshGreysOut) {
  for (const bool withHint : {false, true}) {
    SCOPED_TRACE(withHint);
    if (withHint) GiveHint(kBasicPage, kScaleCentering);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncScaleOn, 0);
    ASSERT_TRUE(Open(kBasicPage));
    kesm_test::UiScript script;
    script.click(control(kScaleOn))
        .click(control(kScaleCentering))
        .check("scaling is switched off meanwhile", [&] {
          EXPECT_EQ(GetFocus(), control(kScaleCentering));
          SetDevmodeValueDirectByFuncID(ucb_, kFuncScaleOn, 0);
        })
        .key(VK_SPACE)
        .check("the focus moved on", [&] {
          EXPECT_FALSE(IsWindowEnabled(control(kScaleCentering)));
          const std::vector<HWND> hints = HintsOf(kScaleCentering);
          EXPECT_EQ(GetFocus(), withHint ? hints.at(0) : control(kPresetCombo));
        });
    EXPECT_TRUE(script.run());
  }
}

}  // namespace
}  // namespace ui_test
