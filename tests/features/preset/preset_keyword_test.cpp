// What the preset page reads behind a preset list's entry: the entry's text
// is the preset's key in the settings INI, under which its set file, name
// and comment are kept; an entry the list does not have, or a text that is
// no key, reads nothing.
#include "features/preset/preset_keyword.h"

#include <gtest/gtest.h>

#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_styles.h"
#include "settings/tables/dialog_tables.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

class PresetKeyword : public FeatureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(FeatureTest::SetUp());
    list_.hWnd = CreateWindowExW(0, u"ListBox", nullptr, WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list_.hWnd, nullptr);
    for (const char16_t* entry : {u"PresetList0", u"PresetList1", u"PresetList1NameIsNoKeyButATextLongerThanAnyKeyEverIs"}) {
      SendMessageW(list_.hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    PutText(kSection, u"PresetList1", u"C:\\_kesm\\user0001.rst");
    PutText(kSection, u"PresetList1Name", u"Booklets");
    PutText(kSection, u"PresetList1Comment", u"Duplex\\nStapled");
  }
  void TearDown() override {
    DestroyWindow(list_.hWnd);
    FeatureTest::TearDown();
  }
  std::u16string Read(int entry, int kind, int* length) {
    WCHAR text[kPresetKeywordChars];
    text[0] = u'?';
    *length = GetPresetKeyword(ucb_, &list_, entry, kind, text);
    return text;
  }

  ICB list_{};
};

TEST_F(PresetKeyword, ReadsTheFileNameOrCommentUnderTheEntrysKey) {
  struct Case {
    int entry;
    int kind;
    std::u16string text;
  };
  const Case cases[] = {
      {1, kPresetKeywordFile, u"C:\\_kesm\\user0001.rst"},
      {1, kPresetKeywordName, u"Booklets"},
      {1, kPresetKeywordComment, u"Duplex\\nStapled"},  // the line breaks stay as written
      {0, kPresetKeywordName, u""},                      // a key without value
      {2, kPresetKeywordName, u""},                      // a text that is no key
      {3, kPresetKeywordName, u""},                      // past the entries
      {-1, kPresetKeywordName, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "entry " << c.entry << " kind " << c.kind);
    int length = -1;
    EXPECT_EQ(Read(c.entry, c.kind, &length), c.text);
    EXPECT_EQ(length, static_cast<int>(c.text.size()));
  }
}

}  // namespace
}  // namespace features_test
