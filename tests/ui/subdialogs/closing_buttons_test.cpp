// Every modal dialog closes by its buttons as a person expects: its accept
// button and Enter keep what was changed while it was open, its cancel
// button and Escape give it back. Dialogs whose accept and cancel buttons
// are items of their own close the same way. The change is made with one
// of the dialog's own controls where it has one that sets something.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

// How the person changes something in the dialog.
enum class Change {
  kNone,    // no control of the dialog sets anything: the setting below is
            // changed behind it, standing for whatever the person entered
  kClick,   // clicks a check box
  kRadio,   // clicks whichever of two radio buttons is not chosen
  kType,    // types a text into an edit: the first, or the second when
            // the first was accepted before
};

// Colour matching: the setting changed behind dialogs without such a
// control.
constexpr WORD kColorMatching = 133;

struct Closer {
  WORD dialog;
  WORD accept;
  WORD cancel;
  Change change = Change::kNone;
  WORD control = 0;  // the check box, radio button or edit worked
  WORD other = 0;    // the second radio button
  std::array<const char16_t*, 2> texts{};
  WORD setting = kColorMatching;  // what the control sets
  bool textSetting = false;
};

// The modal dialogs that accept and cancel (the maintenance, version,
// summary and progress windows only close; their own tests cover them).
const Closer kClosers[] = {
    {1012, IDOK, IDCANCEL, Change::kClick, 3516, 0, {}, 194},
    {1013, IDOK, IDCANCEL, Change::kRadio, 3060, 3061, {}, 171},
    {1014, IDOK, IDCANCEL, Change::kRadio, 3070, 3071, {}, 119},
    {1016, 3542, 3543, Change::kClick, 3536, 0, {}, 211},
    {1017, IDOK, IDCANCEL, Change::kType, 2365, 0, {u"Letter wide", u"Label roll"}, 752, true},
    {1018, IDOK, IDCANCEL, Change::kType, 2419, 0, {u"150", u"80"}, 89},
    {1019, IDOK, IDCANCEL, Change::kType, 2241, 0, {u"kim", u"lee"}, 202, true},
    {1022, IDOK, IDCANCEL, Change::kType, 2312, 0, {u"Draft", u"Copy"}, 766, true},
    {1024, IDOK, IDCANCEL, Change::kClick, 3683, 0, {}, 100},
    {1030, IDOK, IDCANCEL, Change::kRadio, 3090, 3091, {}, 124},
    {1044, IDOK, IDCANCEL, Change::kType, 2776, 0, {u"2", u"4"}, 838, true},
    {1031, IDOK, IDCANCEL, Change::kRadio, 3100, 3101, {}, 122},
    {1034, IDOK, IDCANCEL},
    {1043, IDOK, IDCANCEL, Change::kRadio, 3200, 3201, {}, 126},
    {4014, IDOK, IDCANCEL, Change::kRadio, 3240, 3241, {}, 410},
    {4016, IDOK, IDCANCEL},
    {4017, IDOK, IDCANCEL},
    {4018, IDOK, IDCANCEL},
    {1035, IDOK, IDCANCEL},
    {1036, 3882, 3883},
    {1039, 3895, 3896, Change::kType, 2667, 0, {u"Confidential", u"Internal"}, 114, true},
    {1040, IDOK, IDCANCEL, Change::kRadio, 3170, 3171, {}, 227},
    {1041, IDOK, IDCANCEL, Change::kType, 2682, 0, {u"10", u"12"}, 341},
    {1065, IDOK, IDCANCEL},
    {1028, IDYES, IDNO, Change::kType, 3937, 0, {u"1234", u"5678"}, 203, true},
    {4010, IDOK, IDCANCEL},
    {4013, IDOK, IDCANCEL},
    // The picture and overlay dialogs accept only an existing file: the
    // file typed is the change.
    {1023, IDOK, IDCANCEL, Change::kType, 2341, 0, {u"C:\\Pictures\\stamp.bmp", u"C:\\Pictures\\logo.bmp"}, 767, true},
    {1037, IDOK, IDCANCEL, Change::kType, 2586, 0, {u"C:\\Overlays\\form.rpo", u"C:\\Overlays\\letter.rpo"}, 790, true},
};

enum class How { kAcceptButton, kEnter, kCancelButton, kEscape };

class ClosingButtons : public SubDialogMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SubDialogMachine::SetUp());
    drive::Put("Pictures/stamp.bmp", TinyBitmap());
    drive::Put("Pictures/logo.bmp", TinyBitmap());
    drive::Put("Overlays/form.rpo", "overlay");
    drive::Put("Overlays/letter.rpo", "overlay");
  }

  // What the dialog's setting holds now, as text.
  std::string Shown(const Closer& row) {
    return row.textSetting ? Text(row.setting) : std::to_string(Value(row.setting));
  }

  // Works the dialog's control as the row says; `second` types the row's
  // second text.
  static void MakeChange(UiScript& script, const Closer& row, bool second) {
    switch (row.change) {
      case Change::kNone:
        break;
      case Change::kClick:
        script.click(Button(row.control));
        break;
      case Change::kRadio:
        script.decide([row](plat::window::Script& next) {
          const bool first = IsDlgButtonChecked(GetActiveWindow(), row.control) == BST_CHECKED;
          next.click(Button(first ? row.other : row.control));
        });
        break;
      case Change::kType:
        script.text(Button(row.control), second ? row.texts[1] : row.texts[0]);
        break;
    }
  }

  // Opens the dialog from the preset page, changes its setting while it is
  // open, closes it the given way; the dialog's result. *entered is what
  // the setting held just before the dialog closed.
  int CloseBy(const Closer& row, How how, std::string* entered) {
    int result = -2;
    UiScript script;
    Open(script, row.dialog, &result);
    if (row.change == Change::kNone) {
      const LONG_PTR value = Value(kColorMatching) == 1 ? 2 : 1;
      script.check("the person's change", [=, this] { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kColorMatching, value)); });
    } else {
      // Enter comes after the accept button kept the first text; the cancel
      // ways come after Enter kept the second.
      MakeChange(script, row, how == How::kEnter);
    }
    script.check("what is entered", [&, this] { *entered = Shown(row); });
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
      const std::string before = Shown(row);
      std::string entered;
      const int result = CloseBy(row, way.how, &entered);
      EXPECT_NE(entered, before) << "the change is made while the dialog is open";
      if (way.accepts) {
        EXPECT_EQ(result, row.accept == IDYES ? IDYES : IDOK) << "it ends as OK does";
        EXPECT_EQ(Shown(row), entered) << "what OK accepted is kept";
      } else {
        EXPECT_EQ(result, way.how == How::kCancelButton && row.cancel == IDNO ? IDNO : IDCANCEL);
        EXPECT_EQ(Shown(row), before) << "what Cancel discarded is gone";
      }
    }
  }
}

}  // namespace
}  // namespace ui_test
