// The free-size dialogs as a person meets them: the W2 printer's document
// sheet (tests/data/kpd/kesm_w2_freesize.kpd), whose Basic page opens the
// input dialog (button 3352), the list of named sizes (3353) and the
// display-unit dialog (3354); the test types, spins, picks and presses OK,
// then judges the settings of the sheet's context.
#include <gtest/gtest.h>

#include <string>

#include "features/freesize/freesize_ids.h"
#include "platform/window/winuser_controls.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace freesize_test {
namespace {

using plat::window::WindowRef;

constexpr WORD kOpenInput = 3352;
constexpr WORD kOpenList = 3353;
constexpr WORD kOpenUnit = 3354;

// The settings, under their names in the module's own list.
constexpr WORD kPaperSize = kFuncPaperSize;
constexpr WORD kDspUnit = kFuncDspUnit;
constexpr WORD kPaperWidth = kFuncPaperFreeSizeWidth;
constexpr WORD kPaperLength = kFuncPaperFreeSizeLength;
constexpr WORD kPaperTray = kFuncPaperFreeSizeTray;
constexpr WORD kPaperOrient = kFuncPaperFreeSizeOrient;
constexpr WORD kInchLength = kFuncPaperInchLength;
constexpr WORD kInchWidth = kFuncPaperInchWidth;
constexpr WORD kEntryWidth = kFuncFreeSizeWidth;
constexpr WORD kEntryLength = kFuncFreeSizeLength;
constexpr WORD kInputType = kFuncInputFreeSizeType;
constexpr WORD kLastDspUnit = 953;

constexpr WORD kLengthEdit = 2682;
constexpr WORD kLengthSpin = 2685;
constexpr WORD kPortrait = 2701;
constexpr WORD kLandscape = 2702;
constexpr WORD kListLength = 2220;
constexpr WORD kListWidth = 2224;
constexpr WORD kEntryList = 2364;
constexpr WORD kDefaultButton = 2227;
constexpr WORD kMillimetres = 3060;

constexpr LONG kDefaultLength = 14032;  // the description's default
constexpr LONG kDefaultWidth = 9920;

class FreeSizePages : public ui_test::SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_freesize.kpd"; }

  // The job's custom paper from tray 2, shown in the unit asked for.
  struct Given {
    LONG unit = 0;
    LONG length = kDefaultLength;
    LONG width = kDefaultWidth;
    LONG orientation = 1;
  };
  // Runs the script on the document sheet whose context starts as given;
  // the sheet is left with Cancel at the end of the script.
  void RunSheet(const Given& given, kesm_test::UiScript& script) {
    ui_test::SheetHooks hooks;
    hooks.afterInit = [this, given](UCB* ucb) {
      ucb_ = ucb;
      Set(kDspUnit, given.unit);
      Set(kLastDspUnit, given.unit);
      Set(kPaperSize, 256);
      Set(kInputType, 1);
      Set(kPaperTray, 2);
      Set(kPaperOrient, given.orientation);
      Set(kPaperLength, given.length);
      Set(kPaperWidth, given.width);
    };
    script.press(Sheet(), IDCANCEL);
    ui_test::Bytes out = Filled(kDriverDevmode);
    LONG result = 0;
    HookedDocumentSheet(out, DM_COPY, std::move(hooks), &result);
    EXPECT_TRUE(script.run());
  }
  static WindowRef Dialog(const char16_t* caption) { return WindowRef::Top(caption); }
  static WindowRef Input() { return Dialog(u"Custom paper size"); }
  static WindowRef List() { return Dialog(u"Custom paper sizes"); }
  static WindowRef Unit() { return Dialog(u"Unit"); }
  static WindowRef Basic(WORD id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static std::u16string TextOf(const WindowRef& control) {
    WCHAR text[64] = {};
    GetWindowTextW(control.Resolve(), text, 64);
    return text;
  }
  LONG_PTR Stored(WORD funcId) const { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }
  void Set(WORD funcId, LONG_PTR value) const { SetDevmodeValueDirectByFuncID(ucb_, funcId, value); }

  UCB* ucb_ = nullptr;
};

TEST_F(FreeSizePages, ALengthTypedInInchesComesBackAsTyped) {
  kesm_test::UiScript script;
  script.tab(Sheet(), 1)
      .click(Basic(kOpenInput))
      .text(WindowRef::Item(Input(), kLengthEdit), u"8.50")
      .click(WindowRef::Item(Input(), IDOK))
      .check("stored", [&] {
        EXPECT_EQ(Stored(kInchLength), 850);
        EXPECT_EQ(Stored(kPaperLength), 10200);
      })
      .click(Basic(kOpenInput))
      .check("shown again", [&] { EXPECT_EQ(TextOf(WindowRef::Item(Input(), kLengthEdit)), u"8.50"); })
      .click(WindowRef::Item(Input(), IDCANCEL));
  RunSheet({.unit = 1}, script);
}

// Tray 2 takes lengths up to 21636 dots in portrait (18.03 in) and up to
// 14412 in landscape (12.01 in); an orientation without a row leaves the
// description's range (to 30000 dots). A change of orientation holds the
// inches shown inside the new range.
TEST_F(FreeSizePages, TheSpinOffersTheRangeOfTheTrayAndOrientation) {
  const auto range = [](int* min, int* max) {
    SendMessageW(WindowRef::Item(Input(), kLengthSpin).Resolve(), SBM_GETRANGE, reinterpret_cast<WPARAM>(min),
                 reinterpret_cast<LPARAM>(max));
  };
  const auto expectRange = [&](int min, int max) {
    int shownMin = 0, shownMax = 0;
    range(&shownMin, &shownMax);
    EXPECT_EQ(shownMin, min);
    EXPECT_EQ(shownMax, max);
  };
  kesm_test::UiScript script;
  script.tab(Sheet(), 1)
      .click(Basic(kOpenInput))
      .check("no row", [&] {
        expectRange(250, 2500);
        Set(kInchLength, 2083);  // 25000 dots
      })
      .click(WindowRef::Item(Input(), kLandscape))
      .check("landscape", [&] {
        EXPECT_EQ(Stored(kPaperOrient), 2);
        expectRange(550, 1201);
        EXPECT_EQ(Stored(kInchLength), 1201) << "held to the tray's longest";
      })
      .click(WindowRef::Item(Input(), kPortrait))
      .check("portrait", [&] {
        EXPECT_EQ(Stored(kPaperOrient), 1);
        expectRange(550, 1803);
      })
      .click(WindowRef::Item(Input(), IDCANCEL));
  RunSheet({.unit = 1, .length = 25000, .orientation = 0}, script);
}

// Inches to millimetres and back: a default size keeps its exact dots, a
// size typed in inches comes back as typed.
TEST_F(FreeSizePages, TheUnitChangeKeepsADefaultSizeExact) {
  kesm_test::UiScript script;
  script.tab(Sheet(), 1)
      .click(Basic(kOpenInput))
      .check("mirrors", [&] { Set(kInchWidth, 827); })
      .text(WindowRef::Item(Input(), kLengthEdit), u"8.50")
      .click(WindowRef::Item(Input(), IDOK))
      .click(Basic(kOpenUnit))
      .click(WindowRef::Item(Unit(), kMillimetres))
      .click(WindowRef::Item(Unit(), IDOK))
      .check("in millimetres", [&] {
        EXPECT_EQ(Stored(kLastDspUnit), 0);
        EXPECT_EQ(Stored(kPaperWidth), kDefaultWidth) << "the default stays";
        EXPECT_EQ(Stored(kPaperLength), 10200) << "215.9 mm";
      })
      .click(Basic(kOpenUnit))
      .click(WindowRef::Item(Unit(), kMillimetres + 1))
      .click(WindowRef::Item(Unit(), IDOK))
      .check("in inches again", [&] {
        EXPECT_EQ(Stored(kLastDspUnit), 1);
        EXPECT_EQ(Stored(kPaperWidth), kDefaultWidth);
        EXPECT_EQ(Stored(kInchWidth), 827) << "the default's own inches";
        EXPECT_EQ(Stored(kInchLength), 850);
      });
  RunSheet({.unit = 1}, script);
}

// A width typed wider than the length swaps the two, and the entry being
// edited keeps the swapped size.
TEST_F(FreeSizePages, TheLengthOfANamedSizeIsNeverTheShorter) {
  kesm_test::UiScript script;
  script.tab(Sheet(), 1)
      .click(Basic(kOpenList))
      .select(WindowRef::Item(List(), kEntryList), 1)
      .text(WindowRef::Item(List(), kListLength), u"200.0")
      .text(WindowRef::Item(List(), kListWidth), u"250.0")
      .click(WindowRef::Item(List(), kListLength))
      .check("swapped", [&] {
        EXPECT_EQ(Stored(kEntryLength), 11810);
        EXPECT_EQ(Stored(kEntryWidth), 9448);
      })
      .select(WindowRef::Item(List(), kEntryList), 0)
      .select(WindowRef::Item(List(), kEntryList), 1)
      .check("kept by the entry", [&] {
        EXPECT_EQ(Stored(kEntryLength), 11810);
        EXPECT_EQ(Stored(kEntryWidth), 9448);
        EXPECT_EQ(TextOf(WindowRef::Item(List(), kListLength)), u"250.0");
      })
      .click(WindowRef::Item(List(), IDOK));
  RunSheet({}, script);
}

// Return in a number edit takes what was typed before the dialog's OK.
TEST_F(FreeSizePages, ReturnInAnEditTakesTheTypedSizeAndCloses) {
  kesm_test::UiScript script;
  script.tab(Sheet(), 1)
      .click(Basic(kOpenInput))
      .click(WindowRef::Item(Input(), kLengthEdit))
      .text(WindowRef::Item(Input(), kLengthEdit), u"9.25")
      .key(VK_RETURN)
      .check("closed with the size", [&] {
        EXPECT_EQ(FindWindowW(nullptr, u"Custom paper size"), nullptr);
        EXPECT_EQ(Stored(kInchLength), 925);
        EXPECT_EQ(Stored(kPaperLength), 11100);
      });
  RunSheet({.unit = 1}, script);
}

// The default button puts every entry back to the driver's size (A4 where
// the driver names none: 297.0 mm long) and shows the first.
TEST_F(FreeSizePages, TheDefaultButtonResetsEveryEntry) {
  constexpr LONG kA4Length = 14031;
  kesm_test::UiScript script;
  script.tab(Sheet(), 1)
      .click(Basic(kOpenList))
      .select(WindowRef::Item(List(), kEntryList), 2)
      .text(WindowRef::Item(List(), kListLength), u"250.0")
      .click(WindowRef::Item(List(), kListWidth))
      .click(WindowRef::Item(List(), kDefaultButton))
      .check("the first again", [&] {
        EXPECT_EQ(SendMessageW(WindowRef::Item(List(), kEntryList).Resolve(), LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(Stored(kEntryLength), kA4Length);
      })
      .select(WindowRef::Item(List(), kEntryList), 2)
      .check("the changed entry is the driver's again", [&] {
        EXPECT_EQ(Stored(kEntryLength), kA4Length);
        EXPECT_NE(TextOf(WindowRef::Item(List(), kListLength)), u"250.0");
      })
      .click(WindowRef::Item(List(), IDCANCEL));
  RunSheet({}, script);
}

}  // namespace
}  // namespace freesize_test
