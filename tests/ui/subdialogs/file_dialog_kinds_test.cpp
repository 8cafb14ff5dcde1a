// The file dialogs by the TCB's file kind, as a person meets them: the
// title, filter and folder each shows first, where the path chosen goes,
// which folder the per-user INI remembers for next time (the drive's root
// included), and the extension check of each kind.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/system/winsys.h"
#include "platform/window/commdlg/commdlg.h"
#include "platform/window/winuser_controls.h"
#include "tests/ui/subdialogs/subdialog_machine.h"
#include "ui/subdialogs/preset_import.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr WORD kBitmapPath = 767;   // the image stamp's picture, control 2341
constexpr WORD kOverlayPath = 790;  // the overlay's file, control 2586

std::string SystemDirectory() {
  std::array<WCHAR, MAX_PATH> text{};
  GetSystemDirectoryW(text.data(), MAX_PATH);
  return Narrow(text.data());
}

class FileDialogKinds : public SubDialogMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SubDialogMachine::SetUp());
    drive::Put("Pictures/logo.bmp", TinyBitmap());
    drive::Put("Overlays/form.rpo", "overlay");
    drive::Put("Overlays/form.rp", "overlay");
    drive::Put("Sets/readme.txt", "");
  }

  // What the dialog shows when it opens.
  struct Shown {
    std::string title, filter, folder, name;
  };
  Shown Look() {
    Shown shown;
    HWND dialog = Active();
    shown.title = TextOf(dialog);
    std::array<WCHAR, 256> filter{};
    if (SendDlgItemMessageW(dialog, kFileTypeComboId, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter.data())) !=
        CB_ERR) {
      shown.filter = Narrow(filter.data());
    }
    shown.folder = ItemText(kFolderTextId);
    shown.name = ItemText(kFileNameEditId);
    return shown;
  }
  // The keys of the printer's section of the settings INI.
  std::string Keys() {
    std::array<WCHAR, 4096> keys{};
    const DWORD n =
        GetPrivateProfileStringW(GetPrinterName(ucb_), nullptr, u"", keys.data(), 4096, GetIniFilePath(ucb_));
    std::string out;
    for (DWORD i = 0; i < n; i += static_cast<DWORD>(std::char_traits<WCHAR>::length(keys.data() + i)) + 1) {
      out += Narrow(keys.data() + i) + ";";
    }
    return out;
  }
  void SetText(WORD funcId, const char16_t* text) {
    ASSERT_NE(SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), text), nullptr);
  }
};

TEST_F(FileDialogKinds, EachKindOpensWithItsTitleFilterNameAndFolder) {
  const std::string system = SystemDirectory();
  struct Case {
    WORD dialog;
    const char16_t* key;       // a last folder kept before, or null
    const char16_t* folder;    // that folder
    WORD pathSetting;          // a stored path, or 0
    const char16_t* path;
    Shown shown;
  } cases[] = {
      {4001, u"OpenFilePath", u"C:\\Sets", 0, nullptr,
       {"Open setting files", "Setting files (*.rst)", "C:\\Sets", "*.rst"}},
      {4002, nullptr, nullptr, 0, nullptr, {"Setting files", "Setting files (*.rst)", system, "*.rst"}},
      {4009, u"RstSavePath", u"C:\\Overlays", 0, nullptr,
       {"Save settings", "Setting files (*.rst)", "C:\\Overlays", "*.rst"}},
      // A stored picture opens its folder.
      {4003, u"RefFilePath", u"C:\\Sets", kBitmapPath, u"C:\\Pictures\\logo.bmp",
       {"Select a bitmap", "Bitmap files (*.bmp)", "C:\\Pictures", "logo.bmp"}},
      // A picture whose folder is gone: the kind's last folder.
      {4003, u"RefFilePath", u"C:\\Sets", kBitmapPath, u"C:\\Gone\\logo.bmp",
       {"Select a bitmap", "Bitmap files (*.bmp)", "C:\\Sets", "C:\\Gone\\logo.bmp"}},
      // An overlay whose folder is gone: the system directory, whatever
      // folder was used last.
      {4008, u"RporefPath", u"C:\\Sets", kOverlayPath, u"C:\\Gone\\form.rpo",
       {"Select an overlay", "Overlay files (*.rpo)", system, "C:\\Gone\\form.rpo"}},
      // Without a stored overlay: the pattern and the last folder.
      {4008, u"RporefPath", u"C:\\Overlays", kOverlayPath, u"",
       {"Select an overlay", "Overlay files (*.rpo)", "C:\\Overlays", "*.rpo"}},
      // The overlay save starts in its file's folder, there or not.
      {4007, nullptr, nullptr, kOverlayPath, u"C:\\Overlays\\new.rpo",
       {"Save overlay", "Overlay files (*.rpo)", "C:\\Overlays", "new.rpo"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    SCOPED_TRACE(c.path != nullptr ? Narrow(c.path) : std::string());
    if (c.key != nullptr) {
      ASSERT_NO_FATAL_FAILURE(PutIni(c.key, c.folder));
    }
    if (c.pathSetting != 0) {
      ASSERT_NO_FATAL_FAILURE(SetText(c.pathSetting, c.path));
    }
    int result = -2;
    Shown shown;
    UiScript script;
    Open(script, c.dialog, &result);
    script.check("what the dialog shows", [&] { shown = Look(); }).click(Button(IDCANCEL));
    ASSERT_TRUE(script.run());
    EXPECT_EQ(result, 0) << "cancelled";
    EXPECT_EQ(shown.title, c.shown.title);
    EXPECT_EQ(shown.filter, c.shown.filter);
    EXPECT_EQ(shown.folder, c.shown.folder);
    EXPECT_EQ(shown.name, c.shown.name);
    if (c.pathSetting != 0) {
      EXPECT_EQ(Text(c.pathSetting), Narrow(c.path)) << "a cancelled dialog changes nothing";
    }
    EXPECT_EQ(ucb_->wCurrentDialog, kPresetPage) << "the page is current again";
  }
}

TEST_F(FileDialogKinds, TheOpenDialogOfSetFilesShowsShortNamesAndTakesSeveral) {
  drive::Put("Sets/My Sets/a.rst", "");
  ASSERT_NO_FATAL_FAILURE(PutIni(u"OpenFilePath", u"C:\\Sets\\My Sets"));
  int result = -2;
  std::string folder;
  UiScript script;
  Open(script, 4001, &result);
  script.check("the folder", [&] { folder = ItemText(kFolderTextId); }).click(Button(IDCANCEL));
  ASSERT_TRUE(script.run());
  EXPECT_EQ(folder, "C:\\Sets\\MYSETS~1");
}

TEST_F(FileDialogKinds, TheChosenPathGoesWhereTheKindKeepsItAndItsFolderIsRemembered) {
  struct Case {
    WORD dialog;
    const char16_t* typed;
    WORD pathSetting;     // where the path goes besides the chosen-file buffer, or 0
    const char16_t* key;  // the folder remembered under, or null for none
    const char* chosen;
    const char* folder;
  } cases[] = {
      {4003, u"C:\\Pictures\\logo.bmp", kBitmapPath, u"RefFilePath", "C:\\Pictures\\logo.bmp", "C:\\Pictures"},
      {4008, u"C:\\Overlays\\form.rpo", kOverlayPath, u"RporefPath", "C:\\Overlays\\form.rpo", "C:\\Overlays"},
      // The overlay save never remembers its folder.
      {4007, u"C:\\Overlays\\new.rpo", kOverlayPath, nullptr, "C:\\Overlays\\new.rpo", nullptr},
      // Saved settings, in a folder and at the drive's root.
      {4009, u"C:\\Sets\\mine", 0, u"RstSavePath", "C:\\Sets\\mine.rst", "C:\\Sets"},
      {4002, u"C:\\root.rst", 0, u"SaveFilePath", "C:\\root.rst", "C:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    const std::string keysBefore = Keys();
    int result = -2;
    UiScript script;
    Open(script, c.dialog, &result);
    script.chooseFile(c.typed);
    ASSERT_TRUE(script.run());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Narrow(GetPresetFileBuffer(ucb_)), c.chosen);
    EXPECT_EQ(GetFileOffset(ucb_), std::string(c.chosen).find_last_of('\\') + 1);
    if (c.pathSetting != 0) {
      EXPECT_EQ(Text(c.pathSetting), c.chosen);
    }
    if (c.key != nullptr) {
      EXPECT_EQ(Ini(c.key), c.folder);
    } else {
      EXPECT_EQ(Keys(), keysBefore) << "no folder remembered";
    }
  }
  // The save dialogs wrote the settings.
  EXPECT_TRUE(drive::Exists("Sets/mine.rst"));
  EXPECT_TRUE(drive::Exists("root.rst"));
}

TEST_F(FileDialogKinds, SetFileNamesPassInAnyCaseOfTheirExtensionAndOthersAreAskedAbout) {
  EXPECT_EQ(ChooseIn(4009, u"C:\\Sets\\NAME.RST"), 1);
  EXPECT_TRUE(drive::Exists("Sets/NAME.RST"));

  // ".rs" is not the extension: OK to the question gives the name ".rst".
  int result = -2;
  UiScript shorter;
  Open(shorter, 4009, &result);
  shorter.chooseFile(u"C:\\Sets\\other.rs").answerBox(Strings(), 10025, IDOK);
  ASSERT_TRUE(shorter.run());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Narrow(GetPresetFileBuffer(ucb_)), "C:\\Sets\\other.rst");
  EXPECT_TRUE(drive::Exists("Sets/other.rst"));
  EXPECT_FALSE(drive::Exists("Sets/other.rs"));
}

TEST_F(FileDialogKinds, AnOverlayMustBeThereAndCarryTheOverlayExtension) {
  int result = -2;
  UiScript script;
  Open(script, 4008, &result);
  script.chooseFile(u"C:\\Overlays\\form.rp")
      .answerBox(Strings(), 10024, IDOK)
      .chooseFile(u"C:\\Overlays\\missing.rpo")
      .answerBox(Strings(), 10043, IDOK)
      .chooseFile(u"C:\\Overlays\\FORM.RPO");
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Text(kOverlayPath), "C:\\Overlays\\FORM.RPO");
}

TEST_F(FileDialogKinds, APictureMustBeABitmap) {
  int result = -2;
  UiScript script;
  Open(script, 4003, &result);
  script.chooseFile(u"C:\\Sets\\readme.txt").answerBox(Strings(), 10043, IDOK).click(Button(IDCANCEL));
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Text(kBitmapPath), "");
}

}  // namespace
}  // namespace ui_test
