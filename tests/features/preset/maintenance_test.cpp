// The maintenance dialog opened from the preset page: presets moved up and
// down, deleted, renamed; the first preset never moves nor is deleted, and
// nothing moves into its place; the buttons say so by being disabled.
#include "tests/features/preset/preset_sheet.h"

namespace preset_test {
namespace {

constexpr int kMaintenanceButton = 2002;
constexpr int kList = 2139;
constexpr int kDelete = 2140;
constexpr int kUp = 2143;
constexpr int kDown = 2144;
constexpr int kName = 2145;
constexpr int kComment = 2146;
constexpr int kRefresh = 2141;
constexpr int kClose = 8;

class Maintaining : public PresetSheet {
 protected:
  // Opens the dialog on the preset page, selects the entry, runs the
  // steps, closes the dialog and cancels the sheet.
  void Maintain(int entry, const std::function<void(UiScript&)>& steps, int selected = 0) {
    UiScript script;
    script.click(PageItem(kMaintenanceButton)).select(WindowRef::Item(Maintenance(), kList), entry);
    steps(script);
    script.click(WindowRef::Item(Maintenance(), kClose)).press(Sheet(), IDCANCEL);
    RunSheet(script, selected);
  }
  static int Selection() { return static_cast<int>(SendMessageW(Child(Maintenance(), kList), LB_GETCURSEL, 0, 0)); }
  static bool Enabled(int id) { return IsWindowEnabled(Child(Maintenance(), id)) != FALSE; }
};

std::vector<std::u16string> Order(std::initializer_list<int> indices) {
  std::vector<std::u16string> names;
  for (int i : indices) names.push_back(u"Preset " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
  return names;
}

TEST_F(Maintaining, UpAndDownMoveAPresetButNeverTheFirstNorIntoItsPlace) {
  struct Case {
    const char* what;
    int entry;
    int button;
    std::vector<std::u16string> names;
    int selected;  // afterwards
  };
  const Case cases[] = {
      {"down from the middle", 1, kDown, Order({0, 2, 1, 3}), 2},
      {"up from the end", 3, kUp, Order({0, 1, 3, 2}), 2},
      {"up into the first place", 1, kUp, Order({0, 1, 2, 3}), 1},
      {"the first down", 0, kDown, Order({0, 1, 2, 3}), 0},
      {"the last down", 3, kDown, Order({0, 1, 2, 3}), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(4)));
    int selected = -1;
    Maintain(c.entry, [&](UiScript& script) {
      script.click(WindowRef::Item(Maintenance(), c.button)).check("the selection", [&] { selected = Selection(); });
    });
    EXPECT_EQ(Names(), c.names);
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(Stored(Key(c.selected, u"Comment")), u"Comment " + c.names[c.selected].substr(7));
  }
}

TEST_F(Maintaining, DeleteEmptiesTheLastPlaceAndSelectsTheSameOrTheNewLast) {
  struct Case {
    const char* what;
    int entry;
    std::vector<std::u16string> names;
    int selected;
  };
  const Case cases[] = {
      {"from the middle", 1, Order({0, 2, 3}), 1},
      {"the last", 3, Order({0, 1, 2}), 2},
      {"the first", 0, Order({0, 1, 2, 3}), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(4)));
    const std::u16string file = Stored(Key(c.entry));
    int selected = -1;
    std::u16string shownName;
    Maintain(c.entry, [&](UiScript& script) {
      script.click(WindowRef::Item(Maintenance(), kDelete)).check("the selection", [&] {
        selected = Selection();
        WCHAR text[64] = {};
        GetWindowTextW(Child(Maintenance(), kName), text, 64);
        shownName = text;
      });
    });
    EXPECT_EQ(Names(), c.names);
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(shownName, c.names[c.selected]);
    EXPECT_EQ(Stored(Key(3)).empty(), c.names.size() < 4);
    EXPECT_TRUE(std::filesystem::exists(*plat::HostPathOf(file.c_str()))) << "the set file stays";
  }
}

// Up needs a preset above that is not the first, down one below, delete
// any but the first; with a single preset nothing can be done.
TEST_F(Maintaining, TheButtonsAreDisabledWhereTheyWouldDoNothing) {
  struct Case {
    int presets;
    int entry;
    bool up, down, remove;
  };
  const Case cases[] = {
      {1, 0, false, false, false}, {3, 0, false, false, false}, {3, 1, false, true, true}, {3, 2, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.presets) + " presets, entry " + std::to_string(c.entry));
    ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(c.presets)));
    Maintain(c.entry, [&](UiScript& script) {
      script.check("the buttons", [&] {
        EXPECT_EQ(Enabled(kUp), c.up);
        EXPECT_EQ(Enabled(kDown), c.down);
        EXPECT_EQ(Enabled(kDelete), c.remove);
      });
    });
  }
}

// A name and comment typed for a preset are its own once the field is
// left; the first preset keeps its name.
TEST_F(Maintaining, RenamingWritesThePresetWhenTheFieldIsLeft) {
  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(3)));
  Maintain(2, [&](UiScript& script) {
    script.text(WindowRef::Item(Maintenance(), kName), u"Booklet")
        .text(WindowRef::Item(Maintenance(), kComment), u"Folded in two")
        .click(WindowRef::Item(Maintenance(), kList));
  });
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Preset 0", u"Preset 1", u"Booklet"}));
  EXPECT_EQ(Stored(Key(2, u"Comment")), u"Folded in two");

  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(3)));
  Maintain(0, [&](UiScript& script) {
    script.text(WindowRef::Item(Maintenance(), kName), u"Mine").click(WindowRef::Item(Maintenance(), kList));
  });
  EXPECT_EQ(Names(), Order({0, 1, 2}));

}

// After the refresh two presets that share a name are shown for renaming:
// the later one is selected, its name ready to be typed over.
TEST_F(Maintaining, TheRefreshWarnsOfTwoPresetsOfOneName) {
  ASSERT_NO_FATAL_FAILURE(WritePresets({{"Office", ""}, {"Draft", ""}, {"Draft", ""}}));
  int selected = -1;
  bool nameFocused = false;
  Maintain(0, [&](UiScript& script) {
    script.click(WindowRef::Item(Maintenance(), kRefresh))
        .answerBox(u"Another preset already has this name.", IDOK)
        .check("the later preset is shown", [&] {
          selected = Selection();
          nameFocused = GetFocus() == Child(Maintenance(), kName);
        })
        .text(WindowRef::Item(Maintenance(), kName), u"Draft two")
        .click(WindowRef::Item(Maintenance(), kList));
  });
  EXPECT_EQ(selected, 2);
  EXPECT_TRUE(nameFocused);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Office", u"Draft", u"Draft two"}));
}

}  // namespace
}  // namespace preset_test
