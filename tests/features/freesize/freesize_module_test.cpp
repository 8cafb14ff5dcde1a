// The free paper size module outside its dialogs: the tray ranges, the size
// controls' ranges, the length-first swap, and the inch mirrors that keep a
// size typed in inches, also through DEVMODE validation and the paper area.
#include <gtest/gtest.h>

#include "features/custom_modules.h"
#include "features/freesize/freesize_module.h"
#include "features/freesize/freesize_range.h"
#include "settings/values/setting_lookup.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

constexpr WORD kPaperSize = 8;
constexpr WORD kDspUnit = 171;
constexpr WORD kPaperWidth = 340;
constexpr WORD kPaperLength = 341;
constexpr WORD kPaperTray = 342;
constexpr WORD kPaperOrient = 343;
constexpr WORD kPrintTray = 346;
constexpr WORD kPrintOrient = 347;
constexpr WORD kPrintWidth = 344;
constexpr WORD kPrintLength = 345;
constexpr WORD kInchLength = 594;
constexpr WORD kInchWidth = 595;
constexpr WORD kEntryWidth = 753;
constexpr WORD kEntryLength = 754;
constexpr WORD kEntryTray = 755;
constexpr WORD kEntryOrient = 756;
constexpr WORD kInputType = 855;

class FreeSize : public FeatureTest {
 protected:
  void InchMode(bool on) {
    S(kDspUnit, on ? 1 : 0);
    S(kPaperSize, 256);
    S(kInputType, 1);
  }
  ICB* Item(WORD tab, WORD item) {
    const TCB* tcb = GetTCBbyTabID(ucb_, tab);
    return tcb != nullptr ? GetICBbyItemID(ucb_, tcb, item) : nullptr;
  }
};

TEST_F(FreeSize, TheTrayAndOrientationChooseTheRangeRowAndTheUnitItsColumns) {
  struct Case {
    LONG tray, orientation;
    int length;
    bool inch;
    LONG max, min;
  };
  const Case cases[] = {
      {2, 1, 1, false, 21636, 6600}, {2, 2, 1, false, 14408, 6600}, {3, 1, 0, false, 14408, 6600},
      {3, 1, 0, true, 14412, 6600},  {263, 1, 1, true, 21636, 6600}, {263, 2, 1, true, 14412, 6600},
  };
  for (const Case& c : cases) {
    S(kDspUnit, c.inch ? 1 : 0);
    LONG max = 0, min = 0;
    ASSERT_TRUE(GetFreeSizeRangebyTrayandOrient(ucb_, c.tray, c.orientation, &max, &min, c.length)) << c.tray;
    EXPECT_EQ(max, c.max) << c.tray << "/" << c.orientation;
    EXPECT_EQ(min, c.min) << c.tray << "/" << c.orientation;
  }
  LONG max = -1, min = -1;
  EXPECT_FALSE(GetFreeSizeRangebyTrayandOrient(ucb_, 1, 1, &max, &min, 1));
  EXPECT_FALSE(GetFreeSizeRangebyTrayandOrient(ucb_, 2, 3, &max, &min, 1));
  EXPECT_EQ(max, -1);
  EXPECT_EQ(min, -1);
}

TEST_F(FreeSize, ASizeControlTakesTheTrayAndOrientationOfItsDialog) {
  ICB listLength{};
  listLength.itemId = 2220;
  ICB inputWidth{};
  inputWidth.itemId = 2693;
  ICB other{};
  other.itemId = 2217;
  S(kDspUnit, 0);
  S(kEntryTray, 2);
  S(kEntryOrient, 1);
  S(kPaperTray, 3);
  S(kPaperOrient, 2);
  S(kPrintTray, 9);
  S(kPrintOrient, 1);
  LONG max = 0, min = 0;
  ucb_->wCurrentDialog = 1017;
  ASSERT_TRUE(GetFreeSizeRangebyIcb(ucb_, &listLength, &max, &min));
  EXPECT_EQ(max, 21636);
  EXPECT_FALSE(GetFreeSizeRangebyIcb(ucb_, &other, &max, &min));
  ucb_->wCurrentDialog = 1041;
  S(kInputType, 1);
  ASSERT_TRUE(GetFreeSizeRangebyIcb(ucb_, &inputWidth, &max, &min));
  EXPECT_EQ(max, 14408);
  S(kInputType, 2);
  EXPECT_FALSE(GetFreeSizeRangebyIcb(ucb_, &inputWidth, &max, &min)) << "the print size's tray 9 has no row";
  ucb_->wCurrentDialog = 1006;
  EXPECT_FALSE(GetFreeSizeRangebyIcb(ucb_, &listLength, &max, &min));

  CustomSpinRange spin{&listLength, 0, 0, 0};
  ucb_->wCurrentDialog = 1017;
  KesmCustomFunction(ucb_, kCustomSpinRange, &spin);
  EXPECT_EQ(spin.found, 1u);
  EXPECT_EQ(spin.max, 21636);
  EXPECT_EQ(spin.min, 6600);
}

TEST_F(FreeSize, AfterTheSwapTheLengthIsNeverTheSmaller) {
  InchMode(true);
  S(kEntryWidth, 9000);
  S(kEntryLength, 8000);
  S(kPaperWidth, 5000);
  S(kPaperLength, 7000);
  S(kPrintWidth, 9100);
  S(kPrintLength, 9000);
  S(kInchLength, 700);
  S(kInchWidth, 800);
  KesmCustomBuiltInFunc(ucb_, 202);
  EXPECT_EQ(V(kEntryLength), 9000);
  EXPECT_EQ(V(kEntryWidth), 8000);
  EXPECT_EQ(V(kPaperLength), 7000);
  EXPECT_EQ(V(kPaperWidth), 5000);
  EXPECT_EQ(V(kPrintLength), 9100);
  EXPECT_EQ(V(kInchLength), 800);
  EXPECT_EQ(V(kInchWidth), 700);
  // Outside inch mode the mirrors stay.
  InchMode(false);
  S(kInchLength, 700);
  KesmCustomBuiltInFunc(ucb_, 202);
  EXPECT_EQ(V(kInchLength), 700);
}

// In inch mode the paper area takes the mirrors, so 8.50 in stays 8.50 in;
// outside it the sender keeps its own values.
TEST_F(FreeSize, ThePaperAreaOfInchModeComesFromTheMirrors) {
  DEVMODEW dm{};
  dm.dmPaperLength = 1;
  dm.dmPaperWidth = 2;
  InchMode(true);
  S(kInchLength, 850);
  S(kInchWidth, 1100);
  CustomPaperAreaRecord area{&dm, 0};
  KesmCustomFunction(ucb_, kCustomFreeSizeArea, &area);
  EXPECT_EQ(area.handled, 1u);
  EXPECT_EQ(dm.dmPaperLength, 2159);
  EXPECT_EQ(dm.dmPaperWidth, 2794);

  InchMode(false);
  dm.dmPaperLength = 1;
  CustomPaperAreaRecord outside{&dm, 0};
  KesmCustomFunction(ucb_, kCustomFreeSizeArea, &outside);
  EXPECT_EQ(outside.handled, 0u);
  EXPECT_EQ(dm.dmPaperLength, 1);

  // A mirror beyond what the DEVMODE's field holds gives the largest size
  // it holds, never one wrapped round to a small or negative size.
  InchMode(true);
  struct Case {
    LONG mirror;
    SHORT tenths;
  };
  for (const Case c : {Case{12900, 32766}, Case{12901, 32766}, Case{13000, 32766}, Case{25800, 32766},
                       Case{0x7FFFFFFF, 32766}, Case{-1, 32766}, Case{0, 0}}) {
    SCOPED_TRACE(c.mirror);
    S(kInchLength, c.mirror);
    S(kInchWidth, c.mirror);
    CustomPaperAreaRecord wide{&dm, 0};
    KesmCustomFunction(ucb_, kCustomFreeSizeArea, &wide);
    EXPECT_EQ(dm.dmPaperLength, c.tenths);
    EXPECT_EQ(dm.dmPaperWidth, c.tenths);
  }

  // A size given in the DEVMODE's tenths of a millimetre becomes the mirrors.
  InchMode(true);
  dm.dmPaperLength = 2159;
  dm.dmPaperWidth = 2794;
  CustomDevmodeRecord given{&dm};
  S(kInchLength, 0);
  KesmCustomFunction(ucb_, kCustomFreeSizeGiven, &given);
  EXPECT_EQ(V(kInchLength), 850);
  EXPECT_EQ(V(kInchWidth), 1100);
}

TEST_F(FreeSize, TheInputEditsShowAndKeepTheMirrorsInInchMode) {
  ICB lengthEdit{};
  lengthEdit.itemId = 2683;
  ICB widthSpin{};
  widthSpin.itemId = 2692;
  ICB other{};
  other.itemId = 2697;
  InchMode(true);
  S(kInchLength, 850);
  CustomEditNum show{&lengthEdit, 10};
  KesmCustomFunction(ucb_, kCustomEditNumPaint, &show);
  EXPECT_EQ(show.value, 850);
  CustomEditNum typed{&lengthEdit, 1169};
  KesmCustomFunction(ucb_, kCustomEditNumTyped, &typed);
  EXPECT_EQ(V(kInchLength), 1169);
  CustomEditNum dots{&lengthEdit, 10200};  // 8.5 inches
  KesmCustomFunction(ucb_, kCustomEditNumDots, &dots);
  EXPECT_EQ(V(kInchLength), 850);
  CustomEditNum spun{&widthSpin, 612};
  KesmCustomFunction(ucb_, kCustomSpinValue, &spun);
  EXPECT_EQ(V(kInchWidth), 612);
  CustomEditNum notEdit{&other, 5};
  KesmCustomFunction(ucb_, kCustomEditNumShow, &notEdit);
  EXPECT_EQ(notEdit.value, 5);
  InchMode(false);
  CustomEditNum millimetres{&lengthEdit, 10};
  KesmCustomFunction(ucb_, kCustomEditNumShow, &millimetres);
  EXPECT_EQ(millimetres.value, 10);
}

// Which edit stands for a dimension of the input dialog, as the shown and
// hidden edits vary: the first one shown. (Taking the first hidden one
// gives nothing while all are shown, and the third unit's edit, of another
// group, when only it is hidden.)
TEST_F(FreeSize, TheFirstShownEditStandsForItsDimension) {
  TCB* input = GetTCBbyTabID(ucb_, 1041);
  ASSERT_NE(input, nullptr);
  struct Case {
    WORD hidden[3];  // status of 2682, 2683, 2684 (and 2689-2691)
    WORD length, width;
  };
  const Case cases[] = {
      {{0, 0, 0}, 2682, 2689},  // all shown
      {{1, 0, 1}, 2683, 2690},  // millimetres and the third unit hidden
      {{0, 1, 1}, 2682, 2689},  // inches and the third unit hidden
      {{0, 0, 1}, 2682, 2689},  // only the third unit hidden
      {{1, 1, 1}, 0, 0},        // none shown
  };
  for (const Case& c : cases) {
    for (int k = 0; k < 3; ++k) {
      GetICBbyItemID(ucb_, input, static_cast<WORD>(2682 + k))->status = c.hidden[k];
      GetICBbyItemID(ucb_, input, static_cast<WORD>(2689 + k))->status = c.hidden[k];
    }
    const ICB* length = GetIcbOfFreeSizeInputEdit(ucb_, input, 1);
    const ICB* width = GetIcbOfFreeSizeInputEdit(ucb_, input, 0);
    EXPECT_EQ(length != nullptr ? length->itemId : 0, c.length) << c.hidden[0] << c.hidden[1] << c.hidden[2];
    EXPECT_EQ(width != nullptr ? width->itemId : 0, c.width) << c.hidden[0] << c.hidden[1] << c.hidden[2];
  }
  EXPECT_EQ(GetIcbOfFreeSizeInputEdit(ucb_, nullptr, 1), nullptr);
}

// The mirrors follow the dots after an alert, through the input dialog's
// edits: also while every edit is shown; nothing without a shown edit.
TEST_F(FreeSize, AfterAnAlertTheMirrorsAreDerivedFromTheDots) {
  InchMode(true);
  S(kPaperLength, 13200);  // 11 in
  S(kPaperWidth, 10200);   // 8.5 in
  S(kInchLength, 1);
  S(kInchWidth, 1);
  TCB* input = GetTCBbyTabID(ucb_, 1041);
  ASSERT_NE(input, nullptr);
  for (WORD item : {2682, 2683, 2684, 2689, 2690, 2691}) {
    ICB* icb = GetICBbyItemID(ucb_, input, item);
    ASSERT_NE(icb, nullptr) << item;
    icb->status = 1;  // hidden
  }
  KesmCustomFunction(ucb_, kCustomAlertAccepted, nullptr);
  EXPECT_EQ(V(kInchLength), 1) << "no edit shown: none to take the range from";
  for (WORD item : {2682, 2683, 2684, 2689, 2690, 2691}) GetICBbyItemID(ucb_, input, item)->status = 0;
  KesmCustomFunction(ucb_, kCustomAlertAccepted, nullptr);
  EXPECT_EQ(V(kInchLength), 1100);
  EXPECT_EQ(V(kInchWidth), 850);
  InchMode(false);
  S(kInchLength, 1);
  KesmCustomFunction(ucb_, kCustomAlertAccepted, nullptr);
  EXPECT_EQ(V(kInchLength), 1) << "millimetres keep no inches";
}

}  // namespace
}  // namespace features_test
