// The change road driven by a person's clicks on the check boxes of the A6
// printer's Others page: the alert a box raises is shown and answered, and
// the answer, the alert's buttons and icon, the print method and the
// message decide whether the new setting stays; a refusal tells the
// modules. Also the alert actions and the transact, an item without a
// group, what the box shows once the page is refreshed, and the settings'
// changed marks a repaint reads.
#include "ui/engine/change_road.h"

#include <gtest/gtest.h>

#include <string>

#include "features/custom_modules.h"
#include "tests/ui/engine/alert_page.h"

namespace ui_test {
namespace {

using plat::window::MessageBoxes;

constexpr UINT kWarning = MB_ICONWARNING;
constexpr UINT kStop = MB_ICONSTOP;
constexpr UINT kInformation = MB_ICONINFORMATION;

// The alerts of the boxes (their shipped records' ids).
constexpr WORD kCosmeticAlertId = 320;  // KPD_DuplexOnMessage
constexpr WORD kImageAlertId = 321;     // KPD_MarginIllegalMessage
constexpr WORD kWhiteAlertId = 327;     // KPD_FreeSizeIllegalMessage
constexpr WORD kReversalAlertId = 337;  // KPD_NupOnMessage
constexpr WORD kStoredAlertId = 344;    // KPD_StoredIllegalMessage
constexpr WORD kPressAlertId = 322;     // KPD_MenteDelMessage

// The context's alert records for a case.
enum class Alerts {
  kShipped,
  kStoredMessageTwo,  // the stored-job alert shows message 10012
  kNoImageRecord,     // no record for the image-print alert
  kNoReversalRecord,  // no record for the reversal alert
};

struct AlertCase {
  const char* name;
  WORD box;
  WORD funcId;
  WORD alertId;
  Alerts alerts;
  bool printMethod56;
  int answer;            // 0: no box is shown
  const char16_t* text;  // of the box
  UINT type;             // buttons and icon of the box
  bool kept;
};

const AlertCase kAlertCases[] = {
    {"an OK/Cancel warning answered OK keeps the value", kCosmeticBox, 199, kCosmeticAlertId, Alerts::kShipped, false,
     IDOK, u"Cosmetic lines need the duplex unit.", MB_OKCANCEL | kWarning, true},
    {"an OK/Cancel warning answered Cancel restores it", kCosmeticBox, 199, kCosmeticAlertId, Alerts::kShipped, false,
     IDCANCEL, u"Cosmetic lines need the duplex unit.", MB_OKCANCEL | kWarning, false},
    {"an OK-only warning always restores it", kImagePrintBox, 174, kImageAlertId, Alerts::kShipped, false, IDOK,
     u"Image printing is not available.", MB_OK | kWarning, false},
    {"an OK-only stop always restores it", kWhitePaperBox, 187, kWhiteAlertId, Alerts::kShipped, false, IDOK,
     u"White paper output is not available.", MB_OK | kStop, false},
    {"an OK-only information keeps it", kReversalBox, 188, kReversalAlertId, Alerts::kShipped, false, IDOK,
     u"Reversed output prints the last page first.", MB_OK | kInformation, true},
    {"a stored-job message with print method 56 keeps it even on Cancel", kMirrorBox, 189, kStoredAlertId,
     Alerts::kShipped, true, IDCANCEL, u"The job is stored on the printer.", MB_OKCANCEL | kWarning, true},
    {"the second stored-job message with print method 56 keeps it too", kMirrorBox, 189, kStoredAlertId,
     Alerts::kStoredMessageTwo, true, IDCANCEL, u"The stored job keeps its settings.", MB_OKCANCEL | kWarning, true},
    {"a stored-job message under another print method restores on Cancel", kMirrorBox, 189, kStoredAlertId,
     Alerts::kShipped, false, IDCANCEL, u"The job is stored on the printer.", MB_OKCANCEL | kWarning, false},
    {"print method 56 does not keep a value another message refuses", kImagePrintBox, 174, kImageAlertId,
     Alerts::kShipped, true, IDOK, u"Image printing is not available.", MB_OK | kWarning, false},
    {"an alert without a record shows nothing and restores a warning's value", kImagePrintBox, 174, kImageAlertId,
     Alerts::kNoImageRecord, false, 0, nullptr, 0, false},
    {"an alert without a record shows nothing and keeps an information's value", kReversalBox, 188, kReversalAlertId,
     Alerts::kNoReversalRecord, false, 0, nullptr, 0, true},
};

class ChangeRoad : public AlertPageMachine {
 protected:
  void Use(Alerts alerts) {
    switch (alerts) {
      case Alerts::kShipped:
        break;
      case Alerts::kStoredMessageTwo:
        AlterAlerts([](AP& ap) {
          if (ap.alertId == kStoredAlertId) ap.messageId = 10012;
        });
        break;
      case Alerts::kNoImageRecord:
      case Alerts::kNoReversalRecord: {
        const WORD gone = alerts == Alerts::kNoImageRecord ? kImageAlertId : kReversalAlertId;
        AlterAlerts([gone](AP& ap) {
          if (ap.alertId == gone) ap.alertId = 0;
        });
        break;
      }
    }
  }
};

TEST_F(ChangeRoad, TheAlertOfAClickedBoxDecidesWhetherTheNewValueStays) {
  for (const AlertCase& c : kAlertCases) {
    SCOPED_TRACE(c.name);
    plat::window::ClearMessageBoxRecords();
    heard_ = {};
    ucb_->pAPL = &fgAPL;
    Use(c.alerts);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncPrnMethod, c.printMethod56 ? 56 : 0);
    SetDevmodeValueByFuncID(ucb_, c.funcId, 0);
    Open(kOthersPage);

    kesm_test::UiScript script;
    script.click(Box(c.box));
    if (c.answer != 0) script.answerBox(c.text, c.answer);
    script.check("the setting after the answer", [&] { EXPECT_EQ(Value(c.funcId), c.kept ? 1 : 0); });
    EXPECT_TRUE(script.run());

    const auto boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), c.answer != 0 ? 1u : 0u);
    if (c.answer != 0) {
      EXPECT_EQ(boxes[0].text, c.text);
      EXPECT_EQ(boxes[0].type, c.type);
      EXPECT_EQ(boxes[0].caption, kPrinter) << "a record without a title has the printer's name";
      EXPECT_EQ(boxes[0].owner, host_.page());
    }
    const auto refusals = Refusals();
    EXPECT_EQ(refusals.size(), c.kept ? 0u : 1u) << "the modules hear of a refusal only";
    EXPECT_EQ(heard_.HeardCode(kCustomAlertAccepted), !c.kept);
    if (!refusals.empty()) {
      EXPECT_EQ(refusals[0].controlId, c.box);
      EXPECT_EQ(refusals[0].wParam, c.alertId);
    }
    host_.Close();
  }
}

TEST_F(ChangeRoad, TheAnswerRunsItsAlertActionInsteadOfTheTransact) {
  SetDevmodeValueByFuncID(ucb_, kFuncCopies, 1);
  Open(kOthersPage);
  kesm_test::UiScript script;
  script.click(Box(kCosmeticBox))
      .answerBox(u"Cosmetic lines", IDOK)
      .check("OK set two copies, the transact's nine did not come",
             [&] {
               EXPECT_EQ(Value(199), 1);
               EXPECT_EQ(Value(kFuncCopies), 2);
             })
      .click(Box(kCosmeticBox))
      .check("switched off, no alert: the transact ran",
             [&] {
               EXPECT_EQ(Value(199), 0);
               EXPECT_EQ(Value(kFuncCopies), 9);
               EXPECT_EQ(MessageBoxes().size(), 1u);
             })
      .click(Box(kCosmeticBox))
      .answerBox(u"Cosmetic lines", IDCANCEL)
      .check("Cancel set three copies and sent the focus to the APL sort box", [&] {
        EXPECT_EQ(Value(199), 0);
        EXPECT_EQ(Value(kFuncCopies), 3);
        EXPECT_EQ(GetFocus(), Box(kAplSortBox));
      });
  EXPECT_TRUE(script.run());
}

TEST_F(ChangeRoad, AnItemWithoutAGroupKeepsItsValueUnjudged) {
  Open(kOthersPage);
  ASSERT_EQ(host_.item(kAutoTrayBox)->pUiGroup, nullptr);
  kesm_test::UiScript script;
  script.click(Box(kAutoTrayBox)).check("the value stayed, nothing ran", [&] {
    EXPECT_EQ(Value(190), 1);
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_TRUE(heard_.builtIns.empty()) << "no transact, no built-in function";
    EXPECT_TRUE(Refusals().empty());
  });
  EXPECT_TRUE(script.run());
}

// The push button asks while the cosmetic line is on: the answer runs its
// alert action, and Cancel stops the button's own transact (7 copies).
TEST_F(ChangeRoad, APushButtonsAlertIsAnsweredBeforeItActs) {
  constexpr WORD kButton = 2114;
  struct PressCase {
    const char* name;
    bool asks;
    bool record;
    int answer;
    LONG_PTR copies, reversal, mirror;
  };
  const PressCase cases[] = {
      {"no alert: the button acts", false, true, 0, 7, 0, 0},
      {"OK runs its action, then the button acts", true, true, IDOK, 7, 1, 0},
      {"Cancel runs its action and stops the button", true, true, IDCANCEL, 1, 0, 1},
      {"an alert without a record shows nothing and the button acts", true, false, 0, 7, 0, 0},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(c.name);
    plat::window::ClearMessageBoxRecords();
    ucb_->pAPL = &fgAPL;
    if (!c.record) {
      AlterAlerts([](AP& ap) {
        if (ap.alertId == kPressAlertId) ap.alertId = 0;
      });
    }
    for (WORD id : {kFuncCopies, WORD{188}, WORD{189}}) SetDevmodeValueByFuncID(ucb_, id, id == kFuncCopies ? 1 : 0);
    SetDevmodeValueByFuncID(ucb_, 199, c.asks ? 1 : 0);
    Open(kOthersPage);
    kesm_test::UiScript script;
    script.click(Box(kButton));
    if (c.answer != 0) script.answerBox(u"Set the copies to seven?", c.answer);
    script.check("after the press", [&] {
      EXPECT_EQ(Value(kFuncCopies), c.copies);
      EXPECT_EQ(Value(188), c.reversal);
      EXPECT_EQ(Value(189), c.mirror);
      EXPECT_EQ(MessageBoxes().size(), c.answer != 0 ? 1u : 0u);
    });
    EXPECT_TRUE(script.run());
    if (c.answer != 0) {
      EXPECT_EQ(MessageBoxes()[0].type, MB_OKCANCEL | MB_ICONQUESTION);
    }
    host_.Close();
  }
}

TEST_F(ChangeRoad, TheBoxShowsWhetherItsChangeStayedOnceThePageIsRefreshed) {
  Open(kOthersPage);
  kesm_test::UiScript script;
  script.click(Box(kImagePrintBox))
      .answerBox(u"Image printing", IDOK)
      .check("refused: the box is cleared again", [&] {
        EXPECT_EQ(Value(174), 0);
        EXPECT_EQ(SendMessageW(Box(kImagePrintBox), BM_GETCHECK, 0, 0), BST_UNCHECKED);
      })
      .click(Box(kReversalBox))
      .answerBox(u"Reversed output", IDOK)
      .check("kept: the box stays ticked", [&] {
        EXPECT_EQ(Value(188), 1);
        EXPECT_EQ(SendMessageW(Box(kReversalBox), BM_GETCHECK, 0, 0), BST_CHECKED);
      });
  EXPECT_TRUE(script.run());
}

// A setting written elsewhere (as a module does) carries its changed mark,
// so the page's next repaint refreshes the page; once the marks are
// cleared a repaint leaves the controls as they are.
TEST_F(ChangeRoad, ARepaintShowsASettingChangedElsewhereOnlyWhileItIsMarked) {
  Open(kOthersPage);
  const auto repaint = [&] {
    InvalidateRect(host_.page(), nullptr, TRUE);
    UpdateWindow(host_.page());
  };
  SetDevmodeValueByFuncID(ucb_, 199, 1);
  EXPECT_EQ(IsDevmodeChanged(ucb_), 1);
  repaint();
  EXPECT_EQ(SendMessageW(Box(kCosmeticBox), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(IsDevmodeChanged(ucb_), 0) << "the refresh took the marks";

  SetDevmodeValueByFuncID(ucb_, 199, 0);
  EXPECT_EQ(ResetEntryChanged(ucb_), ucb_->pSFL->count);
  EXPECT_EQ(IsDevmodeChanged(ucb_), 0);
  repaint();
  EXPECT_EQ(SendMessageW(Box(kCosmeticBox), BM_GETCHECK, 0, 0), BST_CHECKED) << "no refresh without a mark";
}

}  // namespace
}  // namespace ui_test
