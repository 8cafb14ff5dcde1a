// Number edits of the scale dialog 1018 and the margin dialog 1024, typed
// into and left as a person does: numbers show with their decimals and
// unit, typing stores each value at once, a length is typed in the display
// unit and stored in 1200-dpi dots, a length the setting cannot keep is
// taken back character by character, an empty size edit shows its value
// held in the description's range, and a length shown and typed back
// unchanged keeps its exact dots although display units are coarser.
#include <gtest/gtest.h>

#include <string>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "tests/ui/engine/numbers/number_page.h"

namespace numbers_test {
namespace {

class EditNum : public NumberPage {};

TEST_F(EditNum, NumbersShowWithTheirDecimalsAndUnit) {
  GivenMillimetres();
  Given(kScaleH, 150);
  Given(kScaleV, 1234);
  Given(kFontPoint, 12);
  Open(kScaleDialog);
  EXPECT_EQ(Text(kScaleHEdit), u"150");
  EXPECT_EQ(Text(kScaleVEdit), u"123.4");
  host_.Close();
  Given(kShiftX, 2000);  // 42.33 mm, shown as the first tenth that reaches it
  Given(kShiftY, 1200);
  Open(kMarginDialog);
  EXPECT_EQ(Text(kShiftXEdit), u"42.4mm");
  EXPECT_EQ(Text(kShiftYEdit), u"25.4");
  EXPECT_EQ(Text(kFontPointEdit), u"12");
  host_.Close();
  GivenInches();
  Open(kMarginDialog);
  EXPECT_EQ(Text(kShiftYEdit), u"1.00");
}

TEST_F(EditNum, TypingStoresEachValueWithinTheDigits) {
  Open(kScaleDialog);
  kesm_test::UiScript script;
  script.text(Control(kScaleVEdit), u"32.5")
      .check("one decimal", [&] { EXPECT_EQ(Stored(kScaleV), 325); })
      .text(Control(kScaleVEdit), u"32.34")
      .check("a second decimal is not read", [&] { EXPECT_EQ(Stored(kScaleV), 323); })
      .text(Control(kScaleHEdit), u"1234")
      .check("three digits", [&] {
        EXPECT_EQ(Text(kScaleHEdit), u"123");
        EXPECT_EQ(Stored(kScaleH), 123);
      });
  Run(script);
}

// What the dialog offers is what validation keeps: the scale typed at
// either end of the range the spin gives comes back from a validation of
// the DEVMODE in another context, and a digit that would take it past the
// end is taken back.
TEST_F(EditNum, ANumberTheDialogTakesIsOneValidationKeeps) {
  struct Case {
    const char16_t* typed;
    LONG_PTR kept;
  };
  const Case cases[] = {{u"150", 150}, {u"400", 400}, {u"20", 20}, {u"401", 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed, c.typed + std::char_traits<char16_t>::length(c.typed)));
    Open(kScaleDialog);
    kesm_test::UiScript script;
    script.text(Control(kScaleHEdit), c.typed);
    Run(script);
    host_.Close();
    const DEVMODEW* dm = GetDocumentDevmode(ucb_);
    ASSERT_NE(dm, nullptr);
    const std::size_t size = std::size_t(dm->dmSize) + dm->dmDriverExtra;
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(dm), reinterpret_cast<const BYTE*>(dm) + size);
    UCB* other = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(ValidateDevmode(other, reinterpret_cast<const DEVMODEW*>(bytes.data()), size, kValidateModify), 1);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(other, kScaleH, nullptr), c.kept);
    FreeUcb(other);
  }
}

struct TypedSize {
  bool inches;
  WORD edit;
  WORD funcId;
  const char16_t* typed;
  LONG dots;
};

// The even number of dots whose display value the typed one is: 12.3 mm
// are 580 dots, 1.50 in 1800.
constexpr TypedSize kTypedSizes[] = {
    {false, kShiftYEdit, kShiftY, u"12.3", 580},
    {false, kShiftYEdit, kShiftY, u"100", 4724},
    {false, kShiftXEdit, kShiftX, u"0.5", 22},
    {true, kShiftYEdit, kShiftY, u"1.5", 1800},
    {true, kShiftYEdit, kShiftY, u"0.07", 84},
    {true, kShiftXEdit, kShiftX, u"1.999", 2388},  // a third decimal is not read
};

TEST_F(EditNum, ATypedLengthIsStoredInDots) {
  for (const TypedSize& c : kTypedSizes) {
    SCOPED_TRACE(std::string(c.inches ? "inches " : "millimetres ") + std::to_string(c.edit));
    c.inches ? GivenInches() : GivenMillimetres();
    Open(kMarginDialog);
    kesm_test::UiScript script;
    script.text(Control(c.edit), c.typed).check("the dots", [&] { EXPECT_EQ(Stored(c.funcId), c.dots); });
    Run(script);
    host_.Close();
  }
}

struct KeptSize {
  bool inches;
  WORD edit;
  WORD funcId;
  LONG dots;
  const char16_t* shown;
  const char16_t* typed;
};

// Each value shows as the first display value that reaches it, which
// converts back to other dots: 2000 dots are 42.4 mm (2002 dots), 1205
// dots 1.01 in (1212 dots). Typed again (the unit left out, or a zero
// more), the value keeps its own dots.
constexpr KeptSize kKeptSizes[] = {
    {false, kShiftYEdit, kShiftY, 2000, u"42.4", u"42.4"},
    {false, kShiftXEdit, kShiftX, 2000, u"42.4mm", u"42.4"},
    {true, kShiftYEdit, kShiftY, 1205, u"1.01", u"1.01"},
    {true, kShiftYEdit, kShiftY, 1205, u"1.01", u"1.010"},
};

TEST_F(EditNum, ALengthTypedBackUnchangedKeepsItsDots) {
  for (const KeptSize& c : kKeptSizes) {
    SCOPED_TRACE(std::string(c.inches ? "inches, " : "millimetres, ") + std::to_string(c.dots) + " dots");
    c.inches ? GivenInches() : GivenMillimetres();
    Given(c.funcId, c.dots);
    Open(kMarginDialog);
    ASSERT_EQ(Text(c.edit), c.shown);
    kesm_test::UiScript script;
    script.text(Control(c.edit), c.typed)
        .check("typed again", [&] { EXPECT_EQ(Stored(c.funcId), c.dots); })
        .click(Control(kFontPointEdit))
        .check("and left", [&] {
          EXPECT_EQ(Stored(c.funcId), c.dots);
          EXPECT_EQ(Text(c.edit), c.typed);
        });
    Run(script);
    host_.Close();
  }
}

TEST_F(EditNum, AnotherLengthLandsOnItsOwnDots) {
  GivenMillimetres();
  Given(kShiftY, 2000);
  Open(kMarginDialog);
  kesm_test::UiScript script;
  script.text(Control(kShiftYEdit), u"42.5")
      .click(Control(kFontPointEdit))
      .check("the neighbour", [&] {
        EXPECT_EQ(Stored(kShiftY), 2006);
        EXPECT_EQ(Text(kShiftYEdit), u"42.5");
      });
  Run(script);
}

// Typing stores without judging; leaving the edit judges the value, and
// the alert of a number edit waits until the focus has moved on, then
// gives the focus back to the edit.
TEST_F(EditNum, LeavingTheEditJudgesItsValue) {
  Open(kScaleDialog);
  kesm_test::UiScript script;
  script.text(Control(kScaleVEdit), u"250.5")
      .check("typed, not judged", [&] { EXPECT_EQ(Stored(kScaleV), 2505); })
      .click(Control(kScaleHEdit))
      .answerBox(u"", IDOK)
      .check("judged once the focus moved", [&] {
        EXPECT_EQ(GetFocus(), Control(kScaleVEdit));
        EXPECT_EQ(Stored(kScaleV), 2505);
      })
      .text(Control(kScaleVEdit), u"150")
      .click(Control(kScaleHEdit))
      .check("no alert", [&] { EXPECT_EQ(Stored(kScaleV), 1500); });
  Run(script);
}

// The even margin's 16-bit setting keeps at most 32767 dots, 693.5 mm: the
// character that would pass it is taken back.
TEST_F(EditNum, ALengthTheSettingCannotKeepIsTakenBack) {
  GivenMillimetres();
  Open(kMarginDialog);
  kesm_test::UiScript script;
  script.text(Control(kEvenEdit), u"700")
      .check("the third digit is taken back", [&] {
        EXPECT_EQ(Text(kEvenEdit), u"70");
        EXPECT_EQ(Stored(kMarginEven), 3306);
      })
      .text(Control(kEvenEdit), u"693.6")
      .check("693.6 mm does not fit", [&] {
        EXPECT_EQ(Text(kEvenEdit), u"693.");
        EXPECT_EQ(Stored(kMarginEven), 32740);
      })
      .text(Control(kEvenEdit), u"693.5")
      .check("693.5 mm fits", [&] { EXPECT_EQ(Stored(kMarginEven), 32762); });
  Run(script);
}

// While the text no longer ends with the unit, the edit takes the
// description's five characters.
TEST_F(EditNum, WithoutItsUnitTheEditTakesItsDigits) {
  GivenMillimetres();
  Open(kMarginDialog);
  ASSERT_EQ(Text(kShiftXEdit), u"0.0mm");
  kesm_test::UiScript script;
  script.text(Control(kShiftXEdit), u"12.345").check("five characters", [&] {
    EXPECT_EQ(Text(kShiftXEdit), u"12.34");
    EXPECT_EQ(Stored(kShiftX), 580);
  });
  Run(script);
}

// The first paint of an empty edit holds a value outside the description's
// range at its end and shows it inside the display range: the odd
// margin's 50 dots become 120 (2.6 mm), the shift's 3000 dots 2361, which
// show as 49.9 mm since 50.0 mm would be 2362 dots.
TEST_F(EditNum, AnEmptySizeEditShowsItsValueHeldInTheRange) {
  GivenMillimetres();
  Given(kMarginOdd, 50);
  Given(kShiftX, 3000);
  Open(kMarginDialog);
  EXPECT_EQ(Stored(kMarginOdd), 120);
  EXPECT_EQ(Text(kOddEdit), u"2.6");
  EXPECT_EQ(Stored(kShiftX), 2361);
  EXPECT_EQ(Text(kShiftXEdit), u"49.9mm");
}

}  // namespace
}  // namespace numbers_test
