// The caller's side of the old-style file dialog: a hook that sees each
// message first and may keep it from the dialog, a template from the
// caller's module with a button of its own, and the several-file result.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "platform/text/utf.h"
#include "platform/window/commdlg/commdlg.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/commdlg/file_dialog_caller.h"
#include "tests/platform/drive_files.h"
#include "tests/platform/install_file.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

constexpr char16_t kFilter[] = u"Set files\0*.rst\0\0";
constexpr int kSaveButton = 5001;
constexpr WORD kCallerTemplate = 4001;
constexpr WORD kDrawnListsTemplate = 4002;
constexpr int kHelpButton = 1038;

// What a hook saw and did; the dialog's caller passes it as its custom
// data, and the hook keeps it in the dialog's user slot.
struct HookRecord {
  std::vector<UINT> messages;
  LPARAM initParam = 0;
  int okSeen = 0;
  int okToSwallow = 0;  // how many OK presses the hook keeps from the dialog
  int action = 0;       // the caller's own button, when pressed
  std::u16string built;  // the path built from the folder list and the name at OK
};

// The path a caller builds from the folder list's entries, from the first
// to the selected one (each but the first followed by a backslash), and
// the name typed.
std::u16string PathFromFolderList(HWND dialog) {
  std::u16string path;
  const LRESULT selected = SendDlgItemMessageW(dialog, kFolderListId, LB_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i <= selected; ++i) {
    std::array<WCHAR, MAX_PATH> entry{};
    SendDlgItemMessageW(dialog, kFolderListId, LB_GETTEXT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(entry.data()));
    path += entry.data();
    if (i > 0) path += u"\\";
  }
  std::array<WCHAR, MAX_PATH> name{};
  GetDlgItemTextW(dialog, kFileNameEditId, name.data(), static_cast<int>(name.size()));
  return path + name.data();
}

HookRecord* RecordOf(HWND dialog) { return reinterpret_cast<HookRecord*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* record = reinterpret_cast<HookRecord*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
    record->initParam = lParam;
    record->messages.push_back(message);
    return TRUE;
  }
  HookRecord* record = RecordOf(dialog);
  if (record == nullptr) return 0;
  record->messages.push_back(message);
  if (message != WM_COMMAND) return 0;
  if (LOWORD(wParam) == IDOK) {
    record->built = PathFromFolderList(dialog);
    return ++record->okSeen <= record->okToSwallow ? TRUE : FALSE;
  }
  if (LOWORD(wParam) == kSaveButton) {
    // The caller's save button: the name gets its extension, then the
    // hook presses OK itself.
    std::array<WCHAR, MAX_PATH> name{};
    GetDlgItemTextW(dialog, kFileNameEditId, name.data(), static_cast<int>(name.size()));
    std::u16string text = name.data();
    if (text.find(u'.') == std::u16string::npos) text += u".rst";
    SetDlgItemTextW(dialog, kFileNameEditId, text.c_str());
    record->action = kSaveButton;
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  return 0;
}

class FileDialogHookTest : public WindowTest {
 public:
  plat::ScopedMachine machine;
  FileDialogCaller caller{kFilter};
  std::array<WCHAR, 260>& file = caller.file;
  OPENFILENAMEW& ofn = caller.ofn;
  HookRecord record;
  HMODULE callerModule = nullptr;

  void SetUp() override {
    WindowTest::SetUp();
    for (const char* name : {"office.rst", "Team Default.rst", "plain.rst", "My Sets/office.rst",
                             "My Sets/Team Default.rst", "My Sets/plain.rst"}) {
      drive::Put(std::string("Sets/") + name, "x");
    }
    InstallFile(KESM_TEST_FILE_DIALOG, "Windows/System32/FILEFORM.DLL");
    callerModule = LoadLibraryW(u"fileform.dll");
    ASSERT_NE(callerModule, nullptr);
    ofn.lpfnHook = Hook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&record);
  }
  void TearDown() override {
    if (callerModule != nullptr) FreeLibrary(callerModule);
    WindowTest::TearDown();
  }
  // The caller's template with the flags the settings-file dialogs use.
  void UseCallerTemplate(DWORD moreFlags) {
    ofn.hInstance = callerModule;
    ofn.lpTemplateName = MAKEINTRESOURCEW(kCallerTemplate);
    ofn.Flags = OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY | moreFlags;
  }
  static WindowRef Item(int id, const char16_t* title = u"Open") { return WindowRef::Item(WindowRef::Top(title), id); }
};

TEST_F(FileDialogHookTest, AHookThatAnswersOkKeepsItFromTheDialog) {
  ofn.Flags = OFN_ENABLEHOOK;
  record.okToSwallow = 1;
  bool openAfterFirstOk = false;
  std::string fileAfterFirstOk;
  UiScript script;
  script.chooseFile(u"office.rst")
      .check("after the first OK",
             [&] {
               openAfterFirstOk = WindowRef::Top(u"Open").Resolve() != nullptr;
               fileAfterFirstOk = Narrow(file.data());
             })
      .click(Item(IDOK));
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_TRUE(openAfterFirstOk);
  EXPECT_EQ(fileAfterFirstOk, "");
  EXPECT_EQ(record.okSeen, 2);
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\office.rst");
  // WM_INITDIALOG reached the hook with the caller's structure.
  EXPECT_EQ(record.initParam, reinterpret_cast<LPARAM>(&ofn));
  ASSERT_FALSE(record.messages.empty());
  EXPECT_EQ(record.messages.front(), static_cast<UINT>(WM_INITDIALOG));
}

TEST_F(FileDialogHookTest, AHookThatAnswersCancelKeepsTheDialogOpen) {
  ofn.Flags = OFN_ENABLEHOOK;
  record.okToSwallow = 0;
  struct Swallow {
    static UINT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return TRUE;
      return Hook(dialog, message, wParam, lParam);
    }
  };
  ofn.lpfnHook = Swallow::Proc;
  UiScript script;
  script.click(Item(IDCANCEL)).chooseFile(u"plain.rst");
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\plain.rst");
}

TEST_F(FileDialogHookTest, TheCallersTemplateAndButtonWorkThroughTheHook) {
  UseCallerTemplate(OFN_OVERWRITEPROMPT);
  std::vector<HWND> systemItems;
  UiScript script;
  script
      .check("the caller's template carries the system's controls",
             [&] {
               HWND dialog = WindowRef::Top(u"Settings file").Resolve();
               ASSERT_NE(dialog, nullptr);
               for (int id : {kFileNameEditId, kFileListId, kFolderListId, kFileTypeComboId, kDriveComboId, IDOK,
                              IDCANCEL, kSaveButton}) {
                 EXPECT_NE(GetDlgItem(dialog, id), nullptr) << id;
               }
             })
      .text(Item(kFileNameEditId, u"Settings file"), u"mine")
      .click(Item(kSaveButton, u"Settings file"));
  ofn.lpstrTitle = u"Settings file";
  EXPECT_TRUE(GetSaveFileNameW(&ofn));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(record.action, kSaveButton);
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\mine.rst");
}

TEST_F(FileDialogHookTest, TheDialogDrawsOwnerDrawnFolderAndDriveListsAndShowsHelpOnlyWhenAsked) {
  UseCallerTemplate(0);
  ofn.lpTemplateName = MAKEINTRESOURCEW(kDrawnListsTemplate);
  ofn.lpstrInitialDir = u"C:\\Sets\\My Sets";
  ofn.lpstrTitle = u"Drawn lists";
  // Pixels of the folder list in the selection's colour and in the text's.
  std::size_t highlighted = 0;
  std::size_t text = 0;
  bool helpShown = true;
  std::string driveShown;
  UiScript script;
  script.check("the lists", [&] {
    HWND list = Item(kFolderListId, u"Drawn lists").Resolve();
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    ASSERT_TRUE(plat::window::PaintWindowImage(list, &pixels, &size));
    const auto rgb = [](COLORREF c) {
      return static_cast<std::uint32_t>(GetRValue(c)) << 16 | static_cast<std::uint32_t>(GetGValue(c)) << 8 |
             GetBValue(c);
    };
    highlighted = static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), rgb(GetSysColor(COLOR_HIGHLIGHT))));
    text = static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), rgb(GetSysColor(COLOR_WINDOWTEXT))));
    helpShown = IsWindowVisible(Item(kHelpButton, u"Drawn lists").Resolve()) != FALSE;
    std::array<WCHAR, 16> drive{};
    SendMessageW(Item(kDriveComboId, u"Drawn lists").Resolve(), CB_GETLBTEXT, 0,
                 reinterpret_cast<LPARAM>(drive.data()));
    driveShown = Narrow(drive.data());
  });
  script.click(Item(IDCANCEL, u"Drawn lists"));
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_GT(highlighted, 0u) << "the current folder stands out";
  EXPECT_GT(text, 0u) << "the folders above it are written";
  EXPECT_FALSE(helpShown);
  EXPECT_EQ(driveShown, "c:");

  // Help asked for; several files asked for: the plain file list takes
  // several picks.
  ofn.Flags |= OFN_SHOWHELP | OFN_ALLOWMULTISELECT;
  bool several = false;
  UiScript withHelp;
  withHelp
      .check("the help button and the file list",
             [&] {
               helpShown = IsWindowVisible(Item(kHelpButton, u"Drawn lists").Resolve());
               several = (GetWindowLongPtrW(Item(kFileListId, u"Drawn lists").Resolve(), GWL_STYLE) &
                          LBS_EXTENDEDSEL) != 0;
             })
      .click(Item(IDCANCEL, u"Drawn lists"));
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_TRUE(helpShown);
  EXPECT_TRUE(several);
}

TEST_F(FileDialogHookTest, SeveralFilesComeBackAsTheFolderAndTheirNamesPartedByBlanks) {
  UseCallerTemplate(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
  ofn.lpstrInitialDir = u"C:\\Sets\\My Sets";
  ofn.lpstrTitle = u"Settings file";
  std::vector<std::string> listed;
  UiScript script;
  script.check("the list shows long names", [&] {
    HWND list = Item(kFileListId, u"Settings file").Resolve();
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
      std::array<WCHAR, 64> text{};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      listed.push_back(Narrow(text.data()));
    }
  });
  script.chooseFile(std::vector<std::u16string>{u"office.rst", u"Team Default.rst"});
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(listed, (std::vector<std::string>{"office.rst", "plain.rst", "Team Default.rst"}));
  // The folder and the name with a blank go as their short names.
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\MYSETS~1 office.rst TEAMDE~1.RST");
  EXPECT_EQ(ofn.nFileOffset, 17);
  // What came back names the files on the machine.
  EXPECT_NE(GetFileAttributesW(u"C:\\Sets\\MYSETS~1\\TEAMDE~1.RST"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileDialogHookTest, WithoutLongNamesTheListAndTheResultUseShortNames) {
  UseCallerTemplate(OFN_ALLOWMULTISELECT | OFN_NOLONGNAMES | OFN_FILEMUSTEXIST);
  ofn.lpstrInitialDir = u"C:\\Sets\\My Sets";
  ofn.lpstrTitle = u"Settings file";
  std::string folderShown;
  UiScript script;
  script.check("the folder", [&] {
    std::array<WCHAR, 64> text{};
    GetDlgItemTextW(WindowRef::Top(u"Settings file").Resolve(), kFolderTextId, text.data(),
                    static_cast<int>(text.size()));
    folderShown = Narrow(text.data());
  });
  script.chooseFile(std::vector<std::u16string>{u"plain.rst", u"TEAMDE~1.RST"});
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(folderShown, "C:\\Sets\\MYSETS~1");
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\MYSETS~1 plain.rst TEAMDE~1.RST");
  // One file alone comes back as its path.
  file.fill(0);
  UiScript one;
  one.chooseFile(std::vector<std::u16string>{u"TEAMDE~1.RST"});
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\MYSETS~1\\TEAMDE~1.RST");
  // The path the hook built from the short names shown names the file.
  EXPECT_EQ(Narrow(record.built), "C:\\Sets\\MYSETS~1\\TEAMDE~1.RST");
  EXPECT_NE(GetFileAttributesW(record.built.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace kesm_test
