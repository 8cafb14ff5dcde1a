// Recalling a preset: a pick in the preset combo of the basic page loads
// the preset picked; the preset page's first-preset button goes back to
// the first one; the preset list's menu and double click reach the
// maintenance dialog and the settings sheet.
#include "tests/features/preset/preset_sheet.h"

namespace preset_test {
namespace {

constexpr int kBasicTab = 1;
constexpr int kPresetCombo = 2036;
constexpr int kPresetList = 2001;
constexpr int kFirstPresetButton = 2034;
constexpr int kClose = 8;
constexpr WORD kDuplex = 58;
constexpr UINT kMenuMaintenance = 20003;

class Recalling : public PresetSheet {
 protected:
  // Three presets; the third prints on both sides.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PresetSheet::SetUp());
    ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(3)));
    WritePrivateProfileStringW(ui_test::kPrinter, u"kdmFuncSelectDuplex", u"1", Stored(Key(2)).c_str());
  }
  static LONG_PTR Now(WORD id) { return GetDevmodeValueDirectByFuncID(Context(), id, nullptr); }
};

TEST_F(Recalling, APickInThePresetComboLoadsThePreset) {
  std::vector<std::u16string> entries;
  LONG_PTR duplexBefore = 0;
  UiScript script;
  script.tab(Sheet(), kBasicTab)
      .check("the combo lists the presets by name", [&] {
        HWND combo = Child(WindowRef::Page(Sheet()), kPresetCombo);
        const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
          WCHAR text[64] = {};
          SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
          entries.emplace_back(text);
        }
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
        duplexBefore = Now(kDuplex);
      })
      .pick(PageItem(kPresetCombo), 2)
      .check("the third preset is loaded and selected", [&] {
        EXPECT_EQ(GetDevmodeValueByFuncID(Context(), kPresetNo, nullptr), kFirstPreset + 2);
        EXPECT_EQ(Now(kDuplex), 1);
      })
      .tab(Sheet(), 0)
      .click(PageItem(kFirstPresetButton))
      .check("the first preset is back", [&] {
        EXPECT_EQ(GetDevmodeValueByFuncID(Context(), kPresetNo, nullptr), kFirstPreset);
        EXPECT_EQ(Now(kDuplex), duplexBefore);
      })
      .press(Sheet(), IDCANCEL);
  RunSheet(script, 1);
  EXPECT_EQ(entries, (std::vector<std::u16string>{u"Preset 0", u"Preset 1", u"Preset 2"}));
}

TEST_F(Recalling, ThePresetListsMenuAndDoubleClickOpenTheirDialogs) {
  UiScript script;
  script.click(PageItem(kPresetList), plat::window::MouseButton::kRight)
      .pickMenu(kMenuMaintenance)
      .check("the maintenance dialog opened", [&] { EXPECT_NE(Maintenance().Resolve(), nullptr); })
      .click(WindowRef::Item(Maintenance(), kClose))
      .click(PageItem(kPresetList))
      .click(PageItem(kPresetList))
      .check("the settings sheet opened", [&] {
        EXPECT_NE(FindWindowW(nullptr, ui_test::kPrinter), nullptr);
      })
      .press(WindowRef::Found("the settings sheet", [] { return FindWindowW(nullptr, ui_test::kPrinter); }), IDCANCEL)
      .press(Sheet(), IDCANCEL);
  RunSheet(script, 1);
}

}  // namespace
}  // namespace preset_test
