// The change road driven by a person's clicks on the check boxes of the A6
// printer's Others page: the alert a box raises is shown and answered, and
// the answer, the alert's buttons and icon, the print method and the
// message decide whether the new setting stays; a refusal tells the
// modules. Also the alert actions and the transact, an item without a
// group, and the settings' changed marks.
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

TEST_F(ChangeRoad, EveryChangeMarksItsSettingEvenARefusedOne) {
  Open(kOthersPage);
  EXPECT_EQ(ResetEntryChanged(ucb_), ucb_->pSFL->count);
  EXPECT_EQ(IsDevmodeChanged(ucb_), 0);
  kesm_test::UiScript script;
  script.click(Box(kImagePrintBox))
      .answerBox(u"Image printing", IDOK)
      .check("refused, but marked",
             [&] {
               EXPECT_EQ(Value(174), 0);
               EXPECT_EQ(IsDevmodeChanged(ucb_), 1);
               EXPECT_NE(GetSFCBbyFuncID(ucb_, 174)->flags & kSfcbChangedMask, 0);
             })
      .check("cleared",
             [&] {
               ResetEntryChanged(ucb_);
               EXPECT_EQ(IsDevmodeChanged(ucb_), 0);
             })
      .click(Box(kAutoTrayBox))
      .check("a change without a judge marks too", [&] { EXPECT_EQ(IsDevmodeChanged(ucb_), 1); });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
