// The set-file dialogs through their hook: the set-file dialog's save,
// read and delete (OK on a new name saves), the refusals and questions on
// the way, the open dialog of several files, and paths that would be too
// long for the driver's paths.
#include <gtest/gtest.h>

#include <string>

#include "platform/window/commdlg/commdlg.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "tests/ui/subdialogs/subdialog_machine.h"
#include "ui/subdialogs/preset_import.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;
using plat::window::WindowRef;

constexpr WORD kCopies = 12;      // dmCopies
constexpr WORD kPresetNo = 37;    // kdmPresetNo, shown as 119 + the preset's index
constexpr WORD kPresetName = 762;  // wdmPresetName

class SetFileDialogs : public SubDialogMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SubDialogMachine::SetUp());
    drive::Put("Sets/readme.txt", "");
  }
  // A set file of the settings as they are: an export (the driver's
  // section) or a preset's (the printer's section).
  void Export(const char16_t* path) {
    ASSERT_NO_FATAL_FAILURE(FolderOf(path));
    ASSERT_TRUE(WriteSetFile(ucb_->hPrinter, path, 0, ucb_));
  }
  void PresetFile(const char16_t* path) {
    ASSERT_NO_FATAL_FAILURE(FolderOf(path));
    ASSERT_TRUE(WriteSetFile(ucb_->hPrinter, path, kSetFilePreset, ucb_));
  }
  static void FolderOf(std::u16string_view path) {
    ASSERT_TRUE(plat::CreateDirectories(path.substr(0, path.rfind(u'\\'))));
  }
  void SetCopies(LONG_PTR copies) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, kCopies, copies)); }
  static WindowRef NameEdit() { return Button(kFileNameEditId); }
  // Types the name and presses the button.
  static void Press(UiScript& script, const char16_t* name, int button) {
    script.text(NameEdit(), name).click(Button(button));
  }
  std::string DriverValue(const char16_t* file, const char16_t* key) {
    std::array<WCHAR, 64> text{};
    GetPrivateProfileStringW(GetRealDriverName(ucb_), key, u"<none>", text.data(), 64, file);
    return Narrow(text.data());
  }
};

TEST_F(SetFileDialogs, OkOnANewNameSavesTheSettingsWithTheirPackage) {
  drive::Put("Sets/office.rst", "");
  SetCopies(3);
  EXPECT_EQ(ChooseIn(4002, u"C:\\Sets\\new"), 1);
  EXPECT_EQ(DriverValue(u"C:\\Sets\\new.rst", u"RstVersion"), "310");
  EXPECT_EQ(DriverValue(u"C:\\Sets\\new.rst", u"dmCopies"), "3");
  EXPECT_TRUE(drive::Exists("Sets/new.lst")) << "the package's list beside the file";
  EXPECT_EQ(Ini(u"SaveFilePath"), "C:\\Sets");
}

TEST_F(SetFileDialogs, SavingOverAFileAsksFirstAndAProtectedFileIsNeverTouched) {
  ASSERT_NO_FATAL_FAILURE(Export(u"C:\\Sets\\office.rst"));
  ASSERT_NO_FATAL_FAILURE(Export(u"C:\\Sets\\kept.rst"));
  ASSERT_TRUE(WritePrivateProfileStringW(u"Kesm W2 Office", u"Readonly", u"1", u"C:\\Sets\\kept.rst"));
  const std::string kept = drive::Get("Sets/kept.rst");
  SetCopies(5);
  int result = -2;
  UiScript script;
  Open(script, 4002, &result);
  Press(script, u"C:\\Sets\\kept.rst", 5001);
  script.answerBox(Strings(), 374, IDOK);
  Press(script, u"C:\\Sets\\office", 5001);
  script.answerBox(Strings(), 10026, IDCANCEL);  // the dialog stays
  Press(script, u"C:\\Sets\\office", 5001);
  script.answerBox(Strings(), 10026, IDOK);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(DriverValue(u"C:\\Sets\\office.rst", u"dmCopies"), "5");
  EXPECT_EQ(drive::Get("Sets/kept.rst"), kept);
}

TEST_F(SetFileDialogs, ReadTakesTheFilesSettingsAndAMissingFileIsSaidSo) {
  SetCopies(7);
  ASSERT_NO_FATAL_FAILURE(Export(u"C:\\Sets\\seven.rst"));
  SetCopies(1);
  int result = -2;
  UiScript script;
  Open(script, 4002, &result);
  Press(script, u"C:\\Sets\\missing", 5002);
  script.answerBox(u"C:\\Sets\\missing.rst", IDOK);
  Press(script, u"C:\\Sets\\seven", 5002);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Value(kCopies), 7) << "the dialog ended with OK: its read is kept";
}

TEST_F(SetFileDialogs, DeleteAsksAndRemovesTheFileWithItsPackage) {
  ASSERT_EQ(ChooseIn(4002, u"C:\\Sets\\old"), 1);
  ASSERT_TRUE(drive::Exists("Sets/old.lst"));
  int result = -2;
  UiScript script;
  Open(script, 4002, &result);
  Press(script, u"C:\\Sets\\never", 5003);
  script.answerBox(Strings(), 10027, IDOK);
  Press(script, u"C:\\Sets\\old.rst", 5003);
  script.answerBox(Strings(), 10028, IDCANCEL);
  Press(script, u"C:\\Sets\\old.rst", 5003);
  script.answerBox(Strings(), 10028, IDOK);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(drive::Exists("Sets/old.rst"));
  EXPECT_FALSE(drive::Exists("Sets/old.lst"));
}

TEST_F(SetFileDialogs, AFileNamedOutsideTheCodePageIsThereToDelete) {
  // Greek letters have no place in the process's code page 1252.
  ASSERT_NO_FATAL_FAILURE(PresetFile(u"C:\\Sets\\\u03a9\u03bc\u03ad\u03b3\u03b1.rst"));
  ASSERT_TRUE(drive::Exists("Sets/\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1.rst"));
  int result = -2;
  UiScript script;
  Open(script, 4002, &result);
  Press(script, u"C:\\Sets\\\u03a9\u03bc\u03ad\u03b3\u03b1.rst", 5003);
  script.answerBox(Strings(), 10028, IDOK);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(drive::Exists("Sets/\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1.rst"));
}

TEST_F(SetFileDialogs, AFileOfAPresetOrQualityIsNotDeletedHoweverItsPathIsSpelled) {
  ASSERT_NO_FATAL_FAILURE(PresetFile(u"C:\\Sets\\office.rst"));
  drive::Put("Kesm Data/My Settings/Team Default.rst", "[Kesm W2 Office]\r\nRstVersion=310\r\n");
  const std::string office = drive::Get("Sets/office.rst");
  const std::string team = drive::Get("Kesm Data/My Settings/Team Default.rst");
  PutIni(u"Count", u"2");
  PutIni(u"PresetList0", u"C:\\Sets\\office.rst");
  PutIni(u"PresetList1", u"C:\\Sets\\gone.rst");  // its file is missing
  PutIni(u"QualityCount", u"1");
  PutIni(u"QualityList0", u"C:\\Kesm Data\\My Settings\\Team Default.rst");
  int result = -2;
  UiScript script;
  Open(script, 4002, &result);
  for (const char16_t* spelled :
       {u"C:\\SETS\\..\\Sets\\.\\OFFICE.RST", u"C:\\KESMDA~1\\MYSETT~1\\TEAMDE~1.RST", u"\\sets\\office.rst"}) {
    Press(script, spelled, 5003);
    script.answerBox(Strings(), 375, IDOK);
  }
  script.click(Button(IDCANCEL));
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 0);
  // The files were only looked at: none is made, none is marked.
  EXPECT_EQ(drive::Get("Sets/office.rst"), office);
  EXPECT_EQ(drive::Get("Kesm Data/My Settings/Team Default.rst"), team);
  EXPECT_FALSE(drive::Exists("Sets/gone.rst"));
}

TEST_F(SetFileDialogs, SeveralFilesMustFitTheListAndReadWithoutFault) {
  SetCopies(2);
  for (const char16_t* name : {u"C:\\Sets\\a.rst", u"C:\\Sets\\b.rst", u"C:\\Sets\\c.rst", u"C:\\Sets\\d.rst"}) {
    ASSERT_NO_FATAL_FAILURE(PresetFile(name));
  }
  drive::Put("Sets/other.rst", "[Kesm W2 Office]\r\nRstVersion=310\r\nRstMachine=1\r\nRstLanguage=0\r\n");
  PutIni(u"OpenFilePath", u"C:\\Sets");
  PutIni(u"Count", u"13");
  int result = -2;
  UiScript full;
  Open(full, 4001, &result);
  full.chooseFile(std::vector<std::u16string>{u"a.rst", u"b.rst", u"c.rst", u"d.rst"})
      .answerBox(Strings(), 10049, IDOK)
      .click(Button(IDCANCEL));
  ASSERT_TRUE(full.run());
  EXPECT_EQ(result, 0);

  // Three fit; another driver's file among them keeps the dialog open.
  PutIni(u"Count", u"0");
  SetCopies(1);
  UiScript some;
  Open(some, 4001, &result);
  some.chooseFile(std::vector<std::u16string>{u"a.rst", u"other.rst"})
      .answerBox(u"other.rst", IDOK)
      // Clicked again, a and other leave the choice; b and c come in.
      .chooseFile(std::vector<std::u16string>{u"a.rst", u"other.rst", u"b.rst", u"c.rst"});
  ASSERT_TRUE(some.run());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Value(kCopies), 1) << "a file tried is read and put back";
  EXPECT_EQ(Narrow(GetPresetFileBuffer(ucb_)), "C:\\Sets b.rst c.rst");
  EXPECT_EQ(Ini(u"OpenFilePath"), "C:\\Sets") << "the folder the names came from, not the drive's root";
  // The preset page adds them to its list.
  EXPECT_EQ(MultiFileNameEx(ucb_, host_.page()), 2);
  EXPECT_EQ(ReadPresetCount(ucb_), 2);
  EXPECT_EQ(Ini(u"PresetList1"), "C:\\Sets\\c.rst");
  EXPECT_EQ(Ini(u"PresetList1Name"), "c") << "a file without a name is named after itself";
  EXPECT_EQ(Text(kPresetName), "c") << "the last one is the preset now";
  EXPECT_EQ(GetDevmodeValueByFuncID(ucb_, kPresetNo, nullptr), 119 + 1);
}

TEST_F(SetFileDialogs, OneFileOpenedIsTriedAndCopiedWhereThePresetListReadsIt) {
  SetCopies(4);
  ASSERT_NO_FATAL_FAILURE(Export(u"C:\\Sets\\exported.rst"));
  SetCopies(1);
  std::array<WCHAR, 16> before{};
  GetPrivateProfileStringW(u"Kesm W2 Office", u"RstVersion", u"<none>", before.data(), 16, u"C:\\Sets\\exported.rst");
  ASSERT_EQ(std::u16string(before.data()), u"<none>") << "an export holds the driver's section only";
  EXPECT_EQ(ChooseIn(4001, u"C:\\Sets\\exported.rst"), 1);
  EXPECT_EQ(Value(kCopies), 1) << "a file tried is put back";
  std::array<WCHAR, 16> after{};
  GetPrivateProfileStringW(u"Kesm W2 Office", u"RstVersion", u"<none>", after.data(), 16, u"C:\\Sets\\exported.rst");
  EXPECT_EQ(std::u16string(after.data()), u"310") << "the printer's section is written for the preset list";
  EXPECT_EQ(Narrow(GetPresetFileBuffer(ucb_)), "C:\\Sets\\exported.rst");
}

// Folders of eight characters, so that the dialog shows their names as
// they are: 246 characters before the name.
std::u16string DeepFolder() {
  std::u16string folder = u"C:";
  for (int i = 1; i <= 26; ++i) {
    std::u16string n = std::u16string(u"\\d") + std::u16string(7 - std::to_string(i).size(), u'0');
    for (char c : std::to_string(i)) n += static_cast<char16_t>(c);
    folder += n;
  }
  return folder + u"\\e001\\e002";
}

TEST_F(SetFileDialogs, APathLongerThanTheDriversPathsIsRefusedBeforeAnythingIsRead) {
  const std::u16string folder = DeepFolder();
  ASSERT_EQ(folder.size(), 246u);
  const std::u16string longest = folder + u"\\abcdefgh.rst";  // 259 characters: the machine has it
  const std::u16string fitting = folder + u"\\a.rst";
  ASSERT_NO_FATAL_FAILURE(PresetFile(longest.c_str()));
  ASSERT_NO_FATAL_FAILURE(PresetFile(fitting.c_str()));
  PutIni(u"OpenFilePath", folder.c_str());
  int result = -2;
  UiScript script;
  Open(script, 4001, &result);
  script.chooseFile(std::vector<std::u16string>{u"a.rst", u"abcdefgh.rst"})
      .answerBox(Strings(), 10024, IDOK)
      .chooseFile(longest)
      .answerBox(Strings(), 10024, IDOK)
      .click(Button(IDCANCEL));
  Open(script, 4002, &result);
  Press(script, longest.c_str(), 5002);
  script.answerBox(Strings(), 10024, IDOK).click(Button(IDCANCEL));
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 0);

  // A choice of several whose one name makes too long a path: that one is
  // refused, the other is added.
  const std::u16string chosen = folder + u" a.rst abcdefgh.rst";
  chosen.copy(GetPresetFileBuffer(ucb_), chosen.size());
  GetPresetFileBuffer(ucb_)[chosen.size()] = 0;
  SetFileOffset(ucb_, static_cast<WORD>(folder.size() + 1));
  int added = -1;
  UiScript import;
  import.check("the preset page adds them", [&] { added = MultiFileNameEx(ucb_, host_.page()); })
      .answerBox(Strings(), 10024, IDOK);
  ASSERT_TRUE(import.run());
  EXPECT_EQ(added, 1);
  EXPECT_EQ(Ini(u"PresetList0"), Narrow(fitting));
  EXPECT_EQ(Ini(u"PresetList1"), "<none>");
}

}  // namespace
}  // namespace ui_test
