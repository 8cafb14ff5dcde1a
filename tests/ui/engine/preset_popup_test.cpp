// The pop-up of the preset list on the W2 preset page: resting the mouse on
// a preset's cell shows, a second later, the preset's summary (its comment,
// whose backslash-n pairs break the lines); a preset without one shows
// none. Looking at a preset's summary forgets nothing a refresh has still
// to show.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "storage/stores/preset_store.h"
#include "tests/common/held_clock.h"
#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kPresetList = 2001;
constexpr WORD kPresetName = 762;
constexpr WORD kPresetComment = 763;
constexpr WORD kCopiesEdit = 2029;
constexpr LONG kCell = 108;  // the list's cells are 108 pixels wide

class PresetPopup : public ListMachine {
 protected:
  // Presets a user saved before: the page's tables are corrected once, as
  // when a page first opens, then each preset goes into the store.
  void SavePresets(const std::vector<std::pair<std::u16string, std::u16string>>& presets) {
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
    host_.Close();
    for (const auto& [name, comment] : presets) {
      std::array<WCHAR, kRstNameChars> path{};
      ASSERT_TRUE(GetNewRstFileName(ucb_, path.data()));
      // The store writes the name and comment settings with the preset.
      ASSERT_NE(SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kPresetName), name.c_str()), nullptr);
      ASSERT_NE(SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kPresetComment), comment.c_str()), nullptr);
      const int index = ReadPresetCount(ucb_);
      ASSERT_TRUE(AddPresetData(ucb_, path.data(), name.c_str(), comment.c_str()));
      ASSERT_TRUE(WritePresetByID(ucb_, index));
    }
  }
  static HWND Popup(const char16_t* text) {
    HWND found = FindWindowW(u"Static", text);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
  }

  kesm_test::HeldClock clock_{2026, 3, 1, 8, 0, 0};
};

TEST_F(PresetPopup, ACellShowsItsPresetsSummaryLineByLine) {
  ASSERT_NO_FATAL_FAILURE(SavePresets({{u"Booklets", u"Duplex\\nStapled"}, {u"Plain", u""}}));
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  HWND list = Control(kPresetList);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  kesm_test::UiScript script;
  script.click(Control(kCopiesEdit))  // the person works on the page
      .check("a change the page has still to show", [&] { Store(kCopies, 3); })
      .hoverAt(list, POINT{kCell / 2, 30})
      .wait(1000)
      .check("the first preset's summary", [&] {
        HWND popup = Popup(u"Duplex\r\nStapled");
        ASSERT_NE(popup, nullptr);
        RECT r{};
        GetWindowRect(popup, &r);
        HDC dc = GetDC(popup);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(popup, WM_GETFONT, 0, 0)));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        ReleaseDC(popup, dc);
        EXPECT_EQ(r.bottom - r.top, 2 * tm.tmHeight + 6) << "two lines";
        POINT cellMiddle{kCell / 2, 0};
        ClientToScreen(list, &cellMiddle);
        EXPECT_EQ(r.left, cellMiddle.x);
        EXPECT_NE(GetSFCBbyFuncID(ucb_, kCopies)->flags & kSfcbChangedMask, 0) << "the change is still marked";
        const auto file = std::filesystem::temp_directory_path() / "kesm_preset_popup.png";
        EXPECT_TRUE(plat::window::WriteShownWindowPng(popup, file));
      })
      .hoverAt(list, POINT{kCell + kCell / 2, 30})
      .wait(1000)
      .check("no summary, no pop-up", [&] {
        EXPECT_EQ(Popup(u"Duplex\r\nStapled"), nullptr);
        EXPECT_EQ(FindWindowW(u"Static", u""), nullptr);
      });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
