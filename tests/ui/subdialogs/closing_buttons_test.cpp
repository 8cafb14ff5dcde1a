// Every modal dialog closes by its buttons as a person expects: its accept
// button and Enter keep what was changed while it was open, its cancel
// button and Escape give it back. Dialogs whose accept and cancel buttons
// are items of their own close the same way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

// A setting the test changes while the dialog is open, standing for
// whatever the person entered: colour matching.
constexpr WORD kColorMatching = 133;

struct Closer {
  WORD dialog;
  WORD accept;
  WORD cancel;
};

// The modal dialogs that accept and cancel (the maintenance, version,
// summary and progress windows only close; their own tests cover them).
constexpr Closer kClosers[] = {
    {1012, IDOK, IDCANCEL}, {1013, IDOK, IDCANCEL}, {1014, IDOK, IDCANCEL}, {1016, 3542, 3543},
    {1017, IDOK, IDCANCEL}, {1018, IDOK, IDCANCEL}, {1019, IDOK, IDCANCEL}, {1022, IDOK, IDCANCEL},
    {1024, IDOK, IDCANCEL}, {1030, IDOK, IDCANCEL}, {1044, IDOK, IDCANCEL}, {1031, IDOK, IDCANCEL},
    {1034, IDOK, IDCANCEL}, {1043, IDOK, IDCANCEL}, {4014, IDOK, IDCANCEL}, {4016, IDOK, IDCANCEL},
    {4017, IDOK, IDCANCEL}, {4018, IDOK, IDCANCEL}, {1035, IDOK, IDCANCEL}, {1036, 3882, 3883},
    {1039, 3895, 3896},     {1040, IDOK, IDCANCEL}, {1041, IDOK, IDCANCEL}, {1065, IDOK, IDCANCEL},
    {1028, IDYES, IDNO},    {4010, IDOK, IDCANCEL}, {4013, IDOK, IDCANCEL}, {1023, IDOK, IDCANCEL},
    {1037, IDOK, IDCANCEL},
};

enum class How { kAcceptButton, kEnter, kCancelButton, kEscape };

class ClosingButtons : public SubDialogMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SubDialogMachine::SetUp());
    drive::Put("Pictures/stamp.bmp", TinyBitmap());
    drive::Put("Overlays/form.rpo", "overlay");
  }

  // Opens the dialog from the preset page, changes colour matching while it is
  // open, closes it the given way; the dialog's result.
  int CloseBy(const Closer& row, How how, LONG_PTR value) {
    int result = -2;
    UiScript script;
    Open(script, row.dialog, &result);
    script.check("the person's change", [=, this] { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kColorMatching, value)); });
    // The picture and overlay dialogs accept only an existing file.
    if (row.dialog == 1023) script.text(Button(2341), u"C:\\Pictures\\stamp.bmp");
    if (row.dialog == 1037) script.text(Button(2586), u"C:\\Overlays\\form.rpo");
    switch (how) {
      case How::kAcceptButton: script.click(Button(row.accept)); break;
      case How::kEnter: script.key(VK_RETURN); break;
      case How::kCancelButton: script.click(Button(row.cancel)); break;
      case How::kEscape: script.key(VK_ESCAPE); break;
    }
    EXPECT_TRUE(script.run());
    return result;
  }
};

TEST_F(ClosingButtons, EveryModalDialogAcceptsByOkAndEnterAndCancelsByCancelAndEscape) {
  const struct {
    How how;
    const char* name;
    bool accepts;
  } ways[] = {{How::kAcceptButton, "its accept button", true},
              {How::kEnter, "Enter", true},
              {How::kCancelButton, "its cancel button", false},
              {How::kEscape, "Escape", false}};
  for (const Closer& row : kClosers) {
    for (const auto& way : ways) {
      SCOPED_TRACE("dialog " + std::to_string(row.dialog) + " closed by " + way.name);
      const LONG_PTR before = Value(kColorMatching);
      const LONG_PTR entered = before == 1 ? 2 : 1;
      const int result = CloseBy(row, way.how, entered);
      if (way.accepts) {
        EXPECT_EQ(result, row.accept == IDYES ? IDYES : IDOK) << "it ends as OK does";
        EXPECT_EQ(Value(kColorMatching), entered) << "what OK accepted is kept";
      } else {
        EXPECT_EQ(result, way.how == How::kCancelButton && row.cancel == IDNO ? IDNO : IDCANCEL);
        EXPECT_EQ(Value(kColorMatching), before) << "what Cancel discarded is gone";
      }
    }
  }
}

}  // namespace
}  // namespace ui_test
