// The print-type dialog opened from the document sheet as a person opens
// it: the merge file's name and folder checked on OK, and a typed password
// confirmed in the password dialog before the dialog closes.
#include <gtest/gtest.h>

#include "features/other/pages/job_merge_path.h"
#include "platform/system/sysfacts_control.h"
#include "tests/features/other/other_sheet.h"

namespace other_test {
namespace {

constexpr int kMergeFileEdit = 2243;
constexpr int kJobPasswordEdit = 2245;
constexpr int kOwnerNameEdit = 2423;
constexpr int kConfirmationEdit = 2527;
constexpr WORD kFuncMergeFileName = 205;
constexpr WORD kFuncJobPassword = 207;
constexpr WORD kFuncOwnerName = 204;
constexpr UINT kRequestConfirmPassword = 0x08000000;
constexpr const char16_t* kNameRefused = u"cannot hold any of";
constexpr const char16_t* kFileExists = u"exists already";
constexpr const char16_t* kPasswordsDiffer = u"passwords do not match";

class PrintTypeDialog : public OtherSheet {
 protected:
  // A string setting of the sheet's context as text.
  static std::u16string Text(UCB* ucb, WORD funcId) {
    std::array<WCHAR, 1100> text{};
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), text.data());
    return text.data();
  }
  static UCB* SheetContext() { return ContextOfPage(WindowRef::Page(Sheet()).Resolve()); }
  static bool PrintTypeOpen() { return PrintType().Resolve() != nullptr; }

  // The merge name typed and OK clicked; the box that follows (none for
  // an empty text) answered, and whether the dialog is still open then.
  void TypeMergeName(UiScript& script, std::u16string name, std::u16string box, bool staysOpen) {
    script.text(PrintTypeItem(kMergeFileEdit), name).click(PrintTypeItem(IDOK));
    if (!box.empty()) script.answerBox(box, IDOK);
    script.check("after " + Narrow(name), [staysOpen] {
      EXPECT_EQ(PrintTypeOpen(), staysOpen);
      if (staysOpen) {
        EXPECT_EQ(FocusId(), kMergeFileEdit);
      }
    });
  }
};

// The folder of a value for a Windows directory: the exact prefixes stand
// for the directory and its drive, anything else is taken as it is.
TEST_F(PrintTypeDialog, TheMergeFolderFollowsTheWindowsDirectory) {
  struct Case {
    const char16_t* windows;
    const char16_t* value;  // null: no key
    const char16_t* folder;
  };
  const Case cases[] = {
      {u"E:\\WINDOWS", nullptr, u"E:\\WINDOWS\\Temp\\Rmp"},
      {u"D:\\WINNT", u"<OSDRIVE>\\Jobs", u"D:\\Jobs"},
      {u"D:\\WINNT", u"<OS>\\Merged", u"D:\\WINNT\\Merged"},
      {u"D:\\WINNT", u"<os>\\Merged", u"<os>\\Merged"},
      {u"D:\\WINNT", u"<OSdrive>\\Jobs", u"<OSdrive>\\Jobs"},
      {u"D:\\WINNT", u"F:\\Jobs", u"F:\\Jobs"},
  };
  UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
  ASSERT_NE(ucb, nullptr);
  for (const Case& c : cases) {
    ASSERT_TRUE(plat::SetEnvironmentValue(u"SystemRoot", c.windows));
    PutIni(u"DrvDefJobMergePath", c.value);
    EXPECT_EQ(Narrow(JobMergeFolder(ucb)), Narrow(c.folder)) << Narrow(c.windows);
  }
  PutIni(u"DrvDefJobMergeFileExt", u"job");
  EXPECT_EQ(Narrow(JobMergeFilePath(ucb, u"week")), "F:\\Jobs\\week.job");
  FreeUcb2(ucb, 1);
}

// Without a folder key the files go below the Windows directory: with
// Windows in E:\WINDOWS, a file of the name in C:\Windows\Temp\Rmp is no
// other merge file's.
TEST_F(PrintTypeDialog, WithoutAFolderKeyTheFileGoesBelowTheWindowsDirectory) {
  ASSERT_NO_FATAL_FAILURE(MakeFile(u"C:\\Windows\\Temp\\Rmp\\weekly.rmp"));
  UiScript script;
  OpenPrintType(script, kMerged);
  TypeMergeName(script, u"weekly", u"", false);
  script.press(Sheet(), IDOK);
  ASSERT_TRUE(plat::SetEnvironmentValue(u"SystemRoot", u"E:\\WINDOWS"));
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(script.done());
  // With Windows on C: the same name is refused.
  ASSERT_TRUE(plat::SetEnvironmentValue(u"SystemRoot", u"C:\\Windows"));
  UiScript again;
  OpenPrintType(again, kMerged);
  TypeMergeName(again, u"weekly", kFileExists, true);
  TypeMergeName(again, u"monthly", u"", false);
  again.press(Sheet(), IDOK);
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(again.done());
}

// A name with a colon is refused before any file is looked at; a file of
// the folder and extension the keys name is refused; then a new name
// closes the dialog and stays the job's.
TEST_F(PrintTypeDialog, AMergeNameIsAPlainNameOfAFileNotThereYet) {
  ASSERT_NO_FATAL_FAILURE(MakeFile(u"C:\\Jobs\\weekly.job"));
  ASSERT_NO_FATAL_FAILURE(MakeFile(u"C:\\Jobs\\daily.rmp"));
  UiScript script;
  // The keys as an administrator sets them once the user's settings exist.
  script.check("merge keys", [this] {
    PutIni(u"DrvDefJobMergePath", u"<OSDRIVE>\\Jobs");
    PutIni(u"DrvDefJobMergeFileExt", u"job");
  });
  OpenPrintType(script, kMerged);
  TypeMergeName(script, u"C:weekly", kNameRefused, true);
  for (const char16_t* name : {u"a\\b", u"a/b", u"a;b", u"a,b", u"a*b", u"a?b", u"a<b", u"a>b", u"a|b"}) {
    TypeMergeName(script, name, kNameRefused, true);
  }
  TypeMergeName(script, u"weekly", kFileExists, true);
  TypeMergeName(script, u"daily", u"", false);
  script.check("the name is the job's", [] { EXPECT_EQ(Narrow(Text(SheetContext(), kFuncMergeFileName)), "daily"); });
  script.press(Sheet(), IDOK);
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(script.done());
}

// Another print method checks no merge name.
TEST_F(PrintTypeDialog, OnlyAMergedJobChecksItsMergeName) {
  UiScript script;
  OpenPrintType(script, kNormal);
  TypeMergeName(script, u"a:b", u"", false);
  script.press(Sheet(), IDOK);
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(script.done());
}

// A typed password is asked again on OK: the same text closes the dialog,
// another is told and typed anew, and Cancel of the confirmation empties
// the password too.
TEST_F(PrintTypeDialog, ATypedPasswordIsConfirmedBeforeTheDialogCloses) {
  UiScript script;
  OpenPrintType(script, kLocked);
  script.text(PrintTypeItem(kJobPasswordEdit), u"4711").check("confirmation asked", [] {
    EXPECT_NE(GetRequestCode(SheetContext()) & kRequestConfirmPassword, 0u);
  });
  // Cancelled confirmation.
  script.click(PrintTypeItem(IDOK)).check("confirmation opens empty", [] {
    ASSERT_NE(PasswordDialog().Resolve(), nullptr);
  });
  script.click(WindowRef::Item(PasswordDialog(), IDCANCEL)).check("typed anew", [] {
    EXPECT_TRUE(PrintTypeOpen());
    EXPECT_EQ(FocusId(), kJobPasswordEdit);
    EXPECT_EQ(FocusText(), u"");
  });
  // A confirmation that differs.
  script.text(PrintTypeItem(kJobPasswordEdit), u"4711").click(PrintTypeItem(IDOK));
  script.text(WindowRef::Item(PasswordDialog(), kConfirmationEdit), u"4712").click(WindowRef::Item(PasswordDialog(), IDOK));
  script.answerBox(kPasswordsDiffer, IDOK).check("told and typed anew", [] {
    EXPECT_TRUE(PrintTypeOpen());
    EXPECT_EQ(FocusId(), kJobPasswordEdit);
    EXPECT_EQ(FocusText(), u"");
  });
  // The same text.
  script.text(PrintTypeItem(kJobPasswordEdit), u"4711").click(PrintTypeItem(IDOK));
  script.check("the confirmation starts empty", [] {
    std::array<WCHAR, 16> text{};
    GetWindowTextW(WindowRef::Item(PasswordDialog(), kConfirmationEdit).Resolve(), text.data(), 16);
    EXPECT_EQ(std::u16string(text.data()), u"");
  });
  script.text(WindowRef::Item(PasswordDialog(), kConfirmationEdit), u"4711").click(WindowRef::Item(PasswordDialog(), IDOK));
  script.check("confirmed", [] {
    EXPECT_FALSE(PrintTypeOpen());
    UCB* ucb = SheetContext();
    EXPECT_EQ(GetRequestCode(ucb) & kRequestConfirmPassword, 0u);
    EXPECT_EQ(Narrow(Text(ucb, kFuncJobPassword)), "4711");
  });
  script.press(Sheet(), IDOK);
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(script.done());
}

// Cancel forgets the confirmation asked for; the names keep no double
// quote typed.
TEST_F(PrintTypeDialog, CancelForgetsTheConfirmationAndNamesTakeNoDoubleQuote) {
  UiScript script;
  OpenPrintType(script, kLocked);
  script.text(PrintTypeItem(kJobPasswordEdit), u"4711").click(PrintTypeItem(IDCANCEL));
  script.check("nothing to confirm", [] {
    EXPECT_FALSE(PrintTypeOpen());
    EXPECT_EQ(GetRequestCode(SheetContext()) & kRequestConfirmPassword, 0u);
  });
  script.click(PageItem(kPrintTypeButton)).text(PrintTypeItem(kOwnerNameEdit), u"Ann \"Q\" Lee");
  script.click(PrintTypeItem(IDOK)).check("no double quote", [] {
    EXPECT_FALSE(PrintTypeOpen());
    EXPECT_EQ(Narrow(Text(SheetContext(), kFuncOwnerName)), "Ann Q Lee");
  });
  script.press(Sheet(), IDOK);
  EXPECT_EQ(RunDocumentSheet(), IDOK);
  EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace other_test
