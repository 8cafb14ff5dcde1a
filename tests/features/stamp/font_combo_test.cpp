// The font choices of the watermark dialogs: the system's TrueType faces
// (no vertical ones), the setting's face when installed, else the model's
// default face, else the first face; a pick and the reset button put the
// face chosen into the setting. The machine has only the DejaVu families;
// a face it lacks is put in the combo beforehand where a test needs one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/stamp/stamp_module.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/tables/dialog_tables.h"
#include "settings/values/setting_lookup.h"
#include "tests/features/fontxchg/fontxchg_fixture.h"

namespace features_test {
namespace {

constexpr WORD kFuncFont = 782;  // the watermark font
constexpr WORD kComboId = 2314;
// A face of 31 characters, as long as a face name can be.
constexpr const char16_t* kLongFace = u"Thirty One Characters Face Name";
static_assert(std::char_traits<char16_t>::length(kLongFace) == 31);

class FontChoice : public FeatureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(FeatureTest::SetUp());
    combo_.itemId = kComboId;
    combo_.hWnd = CreateWindowExW(0, u"ComboBox", u"", WS_POPUP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 100, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(combo_.hWnd, nullptr);
    tcb_.tabId = 1022;
    tcb_.pICB = &combo_;
    tcb_.itemCount = 1;
  }
  void TearDown() override {
    DestroyWindow(combo_.hWnd);
    FeatureTest::TearDown();
  }
  void Add(const char16_t* face) { SendMessageW(combo_.hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face)); }
  std::u16string Chosen() const {
    const LRESULT i = SendMessageW(combo_.hWnd, CB_GETCURSEL, 0, 0);
    const std::vector<std::u16string> lines = ComboLines(combo_.hWnd);
    return i >= 0 && static_cast<std::size_t>(i) < lines.size() ? lines[static_cast<std::size_t>(i)] : u"<none>";
  }
  std::u16string Stored() const {
    WCHAR face[64] = {};
    GetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kFuncFont), face);
    return face;
  }
  void Store(const char16_t* face) const { SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kFuncFont), face); }

  ICB combo_{};
  TCB tcb_{};
};

TEST_F(FontChoice, ListsTheTrueTypeFacesWithoutVerticalOnesAndKeepsAnInstalledFace) {
  Store(u"DejaVu Serif");
  FontCmb(ucb_, &tcb_, &combo_, kFuncFont);
  const std::vector<std::u16string> lines = ComboLines(combo_.hWnd);
  ASSERT_FALSE(lines.empty());
  for (const std::u16string& line : lines) EXPECT_NE(line.front(), u'@') << "vertical face listed";
  EXPECT_EQ(lines.front(), u"DejaVu Sans");
  EXPECT_EQ(Chosen(), u"DejaVu Serif");
  EXPECT_EQ(Stored(), u"DejaVu Serif");
}

TEST_F(FontChoice, AFaceNoLongerInstalledFallsBackToTheDefaultFace) {
  Add(u"Arial");  // as a machine with the default face lists it
  Store(u"Gone Font");
  FontCmb(ucb_, &tcb_, &combo_, kFuncFont);
  EXPECT_EQ(Chosen(), u"Arial");
  EXPECT_EQ(Stored(), u"Arial");
}

TEST_F(FontChoice, WithoutTheDefaultFaceTheFirstFaceIsTaken) {
  Store(u"Gone Font");
  FontCmb(ucb_, &tcb_, &combo_, kFuncFont);
  EXPECT_EQ(Chosen(), u"DejaVu Sans");
  EXPECT_EQ(Stored(), u"DejaVu Sans");
}

TEST_F(FontChoice, AFaceMatchesOnlyWithExactlyItsText) {
  Store(u"dejavu serif");
  FontCmb(ucb_, &tcb_, &combo_, kFuncFont);
  EXPECT_EQ(Stored(), u"DejaVu Sans") << "another spelling is another face";
}

TEST_F(FontChoice, AThirtyOneCharacterFaceIsKeptWhole) {
  Add(kLongFace);
  Store(kLongFace);
  FontCmb(ucb_, &tcb_, &combo_, kFuncFont);
  EXPECT_EQ(Chosen(), kLongFace);
  EXPECT_EQ(Stored(), kLongFace);
  SendMessageW(combo_.hWnd, CB_SETCURSEL, 1, 0);
  FontCmb_SelChg(ucb_, &tcb_, &combo_, kFuncFont);
  SendMessageW(combo_.hWnd, CB_SETCURSEL, 0, 0);
  FontCmb_SelChg(ucb_, &tcb_, &combo_, kFuncFont);
  EXPECT_EQ(Stored(), kLongFace);
}

TEST_F(FontChoice, APickAndTheResetPutTheirFaceIntoTheSetting) {
  Add(u"Arial");
  Store(u"Arial");
  FontCmb(ucb_, &tcb_, &combo_, kFuncFont);
  const std::vector<std::u16string> lines = ComboLines(combo_.hWnd);
  const auto serif = std::find(lines.begin(), lines.end(), u"DejaVu Serif") - lines.begin();
  SendMessageW(combo_.hWnd, CB_SETCURSEL, static_cast<WPARAM>(serif), 0);
  FontCmb_SelChg(ucb_, &tcb_, &combo_, kFuncFont);
  EXPECT_EQ(Stored(), u"DejaVu Serif");
  FontCmb_RESET(ucb_, &tcb_, nullptr, kFuncFont, kComboId);
  EXPECT_EQ(Chosen(), u"Arial");
  EXPECT_EQ(Stored(), u"Arial");
}

}  // namespace
}  // namespace features_test
