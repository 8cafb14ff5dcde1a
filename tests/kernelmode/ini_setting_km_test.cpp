// Settings kept in the settings INI, read by the rendering library: through
// the kernel-mode INI reader on the file, with the same refusals as the
// configuration library, and never from a script image.
#include <string>

#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"
#include "storage/properties/property_codec.h"
#include "tests/settings/context/context_fixture.h"
#include "tests/storage/storage_support.h"

namespace context_test {
namespace {

class KernelIniSettings : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    storage_test::Put("_kesm/.keep", "");
  }

  UCB* OpenForRendering() {
    UCB* ucb = GetUcb(office_, office_, 0, kModeRendering);
    EXPECT_NE(ucb, nullptr);
    return ucb;
  }
  static void Release(UCB* ucb) {
    FreeUcb(ucb);
    FreeStoredUcb(TRUE);
  }
  // The configuration library's writer puts the value into the file the
  // rendering library reads.
  static void PutIni(UCB* ucb, const char16_t* key, const char16_t* value) {
    ASSERT_NE(GetIniFilePath(ucb), nullptr);
    ASSERT_TRUE(WritePrivateProfileStringW(kOffice, key, value, GetIniFilePath(ucb)));
  }
  static storage::IniRead Read(UCB* ucb, WORD id, LPCSTR script = nullptr) {
    LONG position = 0;
    return storage::ReadIniSetting(ucb, GetSFCBbyFuncID(ucb, id), GetIniFilePath(ucb), script,
                                   script != nullptr ? &position : nullptr);
  }
  static LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }
};

TEST_F(KernelIniSettings, ANewContextReadsItsSettingsFromTheIni) {
  UCB* probe = OpenForRendering();
  ASSERT_NO_FATAL_FAILURE(PutIni(probe, u"PrnMethod", u"5"));
  ASSERT_NO_FATAL_FAILURE(PutIni(probe, u"OverlayDataPath", u"C:\\Overlays\\Letterhead"));
  Release(probe);

  UCB* ucb = OpenForRendering();
  EXPECT_EQ(Value(ucb, 209), 5);
  WCHAR text[kScratchChars] = {};
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, 790), text);
  EXPECT_EQ(std::u16string(text), u"C:\\Overlays\\Letterhead");
  Release(ucb);
}

TEST_F(KernelIniSettings, EachValueIsStoredRefusedOrMissing) {
  const struct {
    const char* what;
    WORD id;
    const char16_t* key;
    const char16_t* value;  // null: the key is not there
    storage::IniRead read;
    LONG_PTR after;         // the setting starts at 1
  } rows[] = {
      {"a number", 209, u"PrnMethod", u"7", storage::IniRead::kStored, 7},
      {"a negative number", 831, u"ChapterMax", u"-3", storage::IniRead::kStored, -3},
      {"letters", 209, u"PrnMethod", u"abc", storage::IniRead::kRefused, 1},
      {"a number with a comment", 209, u"PrnMethod", u"7 ; note", storage::IniRead::kRefused, 1},
      {"more digits than a number has", 348, u"FrontFunc", u"12345678901234567", storage::IniRead::kRefused, 1},
      {"an empty number", 209, u"PrnMethod", u"", storage::IniRead::kMissing, 1},
      {"a missing key", 209, u"PrnMethod", nullptr, storage::IniRead::kMissing, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UCB* ucb = OpenForRendering();
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, row.key, row.value));
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, row.id, 1));
    EXPECT_EQ(Read(ucb, row.id), row.read);
    EXPECT_EQ(Value(ucb, row.id), row.after);
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, row.key, nullptr));
    Release(ucb);
  }
}

TEST_F(KernelIniSettings, AMissingTextKeyLeavesTheTextAndAnEmptyValueEmptiesIt) {
  UCB* ucb = OpenForRendering();
  SFCB* path = GetSFCBbyFuncID(ucb, 790);
  ASSERT_NE(SetDevmodeStringBySFCB(ucb, path, u"C:\\Before"), nullptr);
  WCHAR text[kScratchChars] = {};
  EXPECT_EQ(Read(ucb, 790), storage::IniRead::kMissing);
  GetDevmodeStringBySFCB(ucb, path, text);
  EXPECT_EQ(std::u16string(text), u"C:\\Before");

  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"OverlayDataPath", std::u16string(600, u'x').c_str()));
  EXPECT_EQ(Read(ucb, 790), storage::IniRead::kStored);
  GetDevmodeStringBySFCB(ucb, path, text);
  EXPECT_EQ(std::u16string(text), std::u16string(259, u'x')) << "cut to the field";

  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"OverlayDataPath", u""));
  EXPECT_EQ(Read(ucb, 790), storage::IniRead::kStored);
  GetDevmodeStringBySFCB(ucb, path, text);
  EXPECT_EQ(std::u16string(text), u"");
  Release(ucb);
}

TEST_F(KernelIniSettings, AScriptImageIsNotReadHere) {
  UCB* ucb = OpenForRendering();
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 209, 1));
  EXPECT_EQ(Read(ucb, 209, "[Office 2F]\r\nPrnMethod=9\r\n"), storage::IniRead::kSkipped);
  EXPECT_EQ(Value(ucb, 209), 1);
  Release(ucb);
}

}  // namespace
}  // namespace context_test
