// Text edits of the print-type dialog 1019 and the header/footer text
// dialog 1039, typed into and left as a person does: the setting holds what
// is typed as it is typed, cut to what its bytes can keep (at a whole
// character under a double-byte code page), shown when the page opens, and
// loses its outer blanks on leaving unless the item keeps them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/clipboard_text.h"
#include "tests/platform/scoped_acp.h"
#include "tests/ui/engine/numbers/number_page.h"

namespace numbers_test {
namespace {

constexpr WORD kPrintTypeDialog = 1019;
constexpr WORD kUserIdEdit = 2241;      // kdmUserID, 9 bytes, at most 8 characters
constexpr WORD kMergeFileEdit = 2243;   // kdmMergeFileName, 65 bytes
constexpr WORD kOwnerNameEdit = 2423;   // kdmOwnerName, 17 bytes
constexpr WORD kUserId = 202;
constexpr WORD kMergeFile = 205;
constexpr WORD kOwnerName = 204;
constexpr WORD kHeaderDialog = 1039;
constexpr WORD kHeaderEdit = 2667;      // kdmHFString, keeps its blanks
constexpr WORD kHeaderText = 114;

class EditText : public NumberPage {
 protected:
  std::u16string Setting(WORD funcId) const {
    std::vector<WCHAR> text(1100, u'\0');
    GetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), text.data());
    return text.data();
  }
  // The setting's bytes as it keeps them.
  std::string Bytes(WORD funcId) const {
    return reinterpret_cast<const char*>(GetDevmodeAddressBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId)));
  }
  void GivenText(WORD funcId, const std::u16string& text) {
    SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), text.c_str());
  }
};

TEST_F(EditText, ThePageShowsTheStoredTexts) {
  GivenText(kMergeFile, u"C:\\merge\\letter.rst");
  GivenText(kUserId, u"kesm01");
  Open(kPrintTypeDialog);
  EXPECT_EQ(Text(kMergeFileEdit), u"C:\\merge\\letter.rst");
  EXPECT_EQ(Text(kUserIdEdit), u"kesm01");
}

TEST_F(EditText, TypingStoresAsItGoesWithinTheLimits) {
  Open(kPrintTypeDialog);
  kesm_test::UiScript script;
  // The description allows 8 characters of the user id; the owner name has
  // no description data and takes its 16 bytes.
  script.text(Control(kUserIdEdit), u"abcdefghij")
      .check("the user id", [&] {
        EXPECT_EQ(Text(kUserIdEdit), u"abcdefgh");
        EXPECT_EQ(Setting(kUserId), u"abcdefgh");
      })
      .text(Control(kOwnerNameEdit), u"Office of the Director")
      .check("the owner name", [&] { EXPECT_EQ(Setting(kOwnerName), u"Office of the Di"); })
      .text(Control(kUserIdEdit), u"")
      .check("emptied", [&] { EXPECT_EQ(Setting(kUserId), u""); });
  Run(script);
}

// Under a double-byte code page the owner name's 17 bytes keep 16: "A" and
// seven double-byte characters take 15, and an eighth does not fit whole. A
// cut at 16 bytes would keep half of it, which reads back as a character
// the user never typed (under 936 a "?"). The edit then shows what was
// kept.
TEST_F(EditText, ADoubleByteCharacterThatDoesNotFitIsLeftOutWhole) {
  struct CodePageCase {
    UINT codePage;
    const char* bytes;
  };
  const CodePageCase cases[] = {
      {932, "A\x93\xFA\x96\x7B\x8E\x9A\x92\x86\x95\xB6\x95\x84\x8E\x52"},
      {936, "A\xC8\xD5\xB1\xBE\xD7\xD6\xD6\xD0\xCE\xC4\xB7\xFB\xC9\xBD"},
  };
  const std::u16string kept = u"A\x65E5\x672C\x5B57\x4E2D\x6587\x7B26\x5C71";
  for (const CodePageCase& c : cases) {
    SCOPED_TRACE(c.codePage);
    ScopedAnsiCodePage acp(c.codePage);
    GivenText(kOwnerName, u"");
    Open(kPrintTypeDialog);
    kesm_test::PutClipboardText(kept + u"\x5DDD");  // an eighth double-byte character
    kesm_test::UiScript script;
    script.click(Control(kOwnerNameEdit)).key('V', MK_CONTROL).check("the stored name", [&] {
      EXPECT_EQ(Setting(kOwnerName), kept);
      EXPECT_EQ(Bytes(kOwnerName), std::string(c.bytes));
      EXPECT_EQ(Text(kOwnerNameEdit), kept);
    });
    Run(script);
    host_.Close();
  }
}

TEST_F(EditText, LeavingAnEditDropsOuterBlanks) {
  Open(kPrintTypeDialog);
  kesm_test::UiScript script;
  script.text(Control(kMergeFileEdit), u"  letter.rst  ")
      .check("blanks while typing", [&] { EXPECT_EQ(Setting(kMergeFile), u"  letter.rst  "); })
      .click(Control(kOwnerNameEdit))
      .check("left", [&] {
        EXPECT_EQ(Setting(kMergeFile), u"letter.rst");
        EXPECT_EQ(Text(kMergeFileEdit), u"letter.rst");
      })
      .text(Control(kMergeFileEdit), u"   ")
      .click(Control(kOwnerNameEdit))
      .check("only blanks", [&] { EXPECT_EQ(Setting(kMergeFile), u""); });
  Run(script);
}

TEST_F(EditText, AHeaderTextKeepsItsBlanks) {
  Open(kHeaderDialog);
  kesm_test::UiScript script;
  script.text(Control(kHeaderEdit), u"  Page  ").click(Control(3895)).check("left", [&] {
    EXPECT_EQ(Setting(kHeaderText), u"  Page  ");
    EXPECT_EQ(Text(kHeaderEdit), u"  Page  ");
  });
  Run(script);
}

}  // namespace
}  // namespace numbers_test
