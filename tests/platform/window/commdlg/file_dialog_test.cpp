// The old-style open and save dialogs, driven by scripts as a person would:
// names typed and picked, folders opened, boxes answered; then the
// caller's structure is checked.
#include "platform/window/commdlg/commdlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "platform/text/utf.h"
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

constexpr char16_t kFilter[] = u"Set files\0*.rst\0Pictures\0*.bmp;*.dib\0\0";

// The strings of a list box, in order.
std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::array<WCHAR, 300> text{};
    const LRESULT n = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    items.push_back(Narrow(std::u16string_view(text.data(), static_cast<std::size_t>(n))));
  }
  return items;
}

std::string ItemText(HWND dialog, int id) {
  std::array<WCHAR, 300> text{};
  const UINT n = GetDlgItemTextW(dialog, id, text.data(), static_cast<int>(text.size()));
  return Narrow(std::u16string_view(text.data(), n));
}

class FileDialogTest : public WindowTest {
 public:
  plat::ScopedMachine machine;
  FileDialogCaller caller{kFilter};
  std::array<WCHAR, 260>& file = caller.file;
  OPENFILENAMEW& ofn = caller.ofn;

  void SetUp() override {
    WindowTest::SetUp();
    for (const char* name : {"office.rst", "Team Default.rst", "notes.txt", "b1.txt", "b12.txt", "picture.bmp",
                             "scan.dib", "Archive/old.rst", "My Sets/office.rst", "My Sets/Team Default.rst"}) {
      drive::Put(std::string("Sets/") + name, "x");
    }
  }
  // The dialog as the script finds it: by its default title.
  static WindowRef Dialog(const char16_t* title = u"Open") { return WindowRef::Top(title); }
  static WindowRef Item(int id, const char16_t* title = u"Open") { return WindowRef::Item(Dialog(title), id); }
};

// One case of filters and flags: what is typed (each followed by OK),
// what the file list shows before the last name, the box that comes up and
// how it is answered (a box answered with IDOK or IDNO leaves the dialog
// open, and the script cancels it), and what the caller gets back.
struct FlagCase {
  const char* what;
  bool save;
  DWORD flags;
  DWORD filterIndex;
  const char16_t* defExt;
  std::vector<std::u16string> typed;
  std::vector<std::string> listed;
  const char16_t* box;  // a text the box holds, or null
  int answer;
  BOOL result;
  const char* file;
};

TEST_F(FileDialogTest, FiltersAndFlagsDecideWhatIsListedAndWhatIsReturned) {
  const FlagCase cases[] = {
      {"default extension", false, 0, 1, u"rst", {u"new"}, {"office.rst", "Team Default.rst"}, nullptr, 0, TRUE,
       "C:\\Sets\\new.rst"},
      {"second pair, two patterns", false, 0, 2, nullptr, {u"scan.dib"}, {"picture.bmp", "scan.dib"}, nullptr, 0,
       TRUE, "C:\\Sets\\scan.dib"},
      {"typed pattern with '?'", false, 0, 1, nullptr, {u"b?.txt", u"b1.txt"}, {"b1.txt"}, nullptr, 0, TRUE,
       "C:\\Sets\\b1.txt"},
      {"typed folder then name", false, OFN_FILEMUSTEXIST, 1, nullptr, {u"Archive", u"old.rst"}, {"old.rst"},
       nullptr, 0, TRUE, "C:\\Sets\\Archive\\old.rst"},
      {"typed full path", false, OFN_FILEMUSTEXIST, 1, nullptr, {u"c:\\sets\\archive\\old.rst"},
       {"office.rst", "Team Default.rst"}, nullptr, 0, TRUE, "c:\\sets\\archive\\old.rst"},
      {"file must exist", false, OFN_FILEMUSTEXIST, 1, nullptr, {u"missing.rst"}, {"office.rst", "Team Default.rst"},
       u"File not found", IDOK, FALSE, ""},
      {"path must exist", false, OFN_PATHMUSTEXIST, 1, nullptr, {u"C:\\Nowhere\\x.rst"},
       {"office.rst", "Team Default.rst"}, u"Path not found", IDOK, FALSE, ""},
      {"invalid name", false, 0, 1, nullptr, {u"a|b.rst"}, {"office.rst", "Team Default.rst"}, u"not valid", IDOK,
       FALSE, ""},
      {"replace: yes", true, OFN_OVERWRITEPROMPT, 1, u"rst", {u"office"}, {"office.rst", "Team Default.rst"},
       u"already exists", IDYES, TRUE, "C:\\Sets\\office.rst"},
      {"replace: no", true, OFN_OVERWRITEPROMPT, 1, u"rst", {u"office"}, {"office.rst", "Team Default.rst"},
       u"already exists", IDNO, FALSE, ""},
      {"no prompt without the flag", true, 0, 1, u"rst", {u"office"}, {"office.rst", "Team Default.rst"}, nullptr, 0,
       TRUE, "C:\\Sets\\office.rst"},
      {"short names", false, OFN_NOLONGNAMES | OFN_FILEMUSTEXIST, 1, nullptr, {u"TEAMDE~1.RST"},
       {"office.rst", "TEAMDE~1.RST"}, nullptr, 0, TRUE, "C:\\Sets\\TEAMDE~1.RST"},
  };
  for (const FlagCase& c : cases) {
    SCOPED_TRACE(c.what);
    file.fill(0);
    ofn.Flags = c.flags;
    ofn.nFilterIndex = c.filterIndex;
    ofn.lpstrDefExt = c.defExt;
    const char16_t* title = c.save ? u"Save As" : u"Open";
    std::vector<std::string> listed;
    {
      UiScript script;
      for (std::size_t i = 0; i + 1 < c.typed.size(); ++i) script.chooseFile(c.typed[i]);
      script.check("the listing", [&] { listed = ListItems(Item(kFileListId, title).Resolve()); });
      script.chooseFile(c.typed.back());
      if (c.box != nullptr) script.answerBox(c.box, c.answer);
      if (c.box != nullptr && c.answer != IDYES) script.click(Item(IDCANCEL, title));
      const BOOL result = c.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
      EXPECT_TRUE(script.done());
      EXPECT_EQ(result, c.result);
    }
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(Narrow(file.data()), c.file);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
  }
}

TEST_F(FileDialogTest, TheResultCarriesItsOffsetsAndTitle) {
  std::array<WCHAR, 32> title{};
  ofn.lpstrFileTitle = title.data();
  ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
  UiScript script;
  script.chooseFile(u"Team Default.rst");
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\Team Default.rst");
  EXPECT_EQ(ofn.nFileOffset, 8);
  EXPECT_EQ(ofn.nFileExtension, 21);
  EXPECT_EQ(Narrow(title.data()), "Team Default.rst");
}

TEST_F(FileDialogTest, PickingAFileTypeListsItsFilesAndIsReturned) {
  std::vector<std::string> listed;
  std::string typedText;
  UiScript script;
  script.pick(Item(kFileTypeComboId), 1)
      .check("the pictures",
             [&] {
               listed = ListItems(Item(kFileListId).Resolve());
               typedText = ItemText(Dialog().Resolve(), kFileNameEditId);
             })
      .chooseFile(std::vector<std::u16string>{u"picture.bmp"});
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(listed, (std::vector<std::string>{"picture.bmp", "scan.dib"}));
  EXPECT_EQ(typedText, "*.bmp;*.dib");
  EXPECT_EQ(ofn.nFilterIndex, 2u);
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\picture.bmp");
}

TEST_F(FileDialogTest, ADoubleClickOnAFileChoosesIt) {
  UiScript script;
  script.select(Item(kFileListId), 1).select(Item(kFileListId), 1);
  // The second press is the double click and ends the dialog; its release
  // is left to no window.
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\Team Default.rst");
}

TEST_F(FileDialogTest, AnInitialPathStartsInItsFolderWithItsName) {
  const std::u16string start = u"c:\\sets\\archive\\old.rst";
  std::copy(start.begin(), start.end(), file.begin());
  std::string folder;
  std::string name;
  UiScript script;
  script
      .check("where it starts",
             [&] {
               folder = ItemText(Dialog().Resolve(), kFolderTextId);
               name = ItemText(Dialog().Resolve(), kFileNameEditId);
             })
      .click(Item(IDOK));
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(folder, "C:\\Sets\\Archive");  // spelled as on the drive
  EXPECT_EQ(name, "old.rst");
  EXPECT_EQ(Narrow(file.data()), "C:\\Sets\\Archive\\old.rst");
}

TEST_F(FileDialogTest, AResultLongerThanTheBufferGivesTheSizeNeeded) {
  ofn.nMaxFile = 10;
  UiScript script;
  script.chooseFile(u"office.rst");
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_EQ(file[0], 19);  // "C:\Sets\office.rst" and its terminator
}

TEST_F(FileDialogTest, CancelChangesNothing) {
  const std::u16string start = u"start.rst";
  std::copy(start.begin(), start.end(), file.begin());
  UiScript script;
  script.text(Item(kFileNameEditId), u"other.rst").click(Item(IDCANCEL));
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(Narrow(file.data()), "start.rst");
}

TEST_F(FileDialogTest, CallsThatCannotShowADialogSayWhy) {
  struct Case {
    const char* what;
    void (*spoil)(OPENFILENAMEW&);
    DWORD error;
  } cases[] = {
      {"size", [](OPENFILENAMEW& o) { o.lStructSize = 76; }, CDERR_STRUCTSIZE},
      {"no buffer", [](OPENFILENAMEW& o) { o.lpstrFile = nullptr; }, CDERR_INITIALIZATION},
      {"empty buffer", [](OPENFILENAMEW& o) { o.nMaxFile = 0; }, CDERR_INITIALIZATION},
      {"hook flag, no hook", [](OPENFILENAMEW& o) { o.Flags = OFN_ENABLEHOOK; }, CDERR_NOHOOK},
      {"template flag, no module", [](OPENFILENAMEW& o) { o.Flags = OFN_ENABLETEMPLATE; }, CDERR_NOHINSTANCE},
      {"template flag, no name",
       [](OPENFILENAMEW& o) {
         o.Flags = OFN_ENABLETEMPLATE;
         o.hInstance = GetModuleHandleW(u"comdlg32.dll");
       },
       CDERR_NOTEMPLATE},
      {"template not in the module",
       [](OPENFILENAMEW& o) {
         o.Flags = OFN_ENABLETEMPLATE;
         o.hInstance = GetModuleHandleW(u"comdlg32.dll");
         o.lpTemplateName = MAKEINTRESOURCEW(999);
       },
       CDERR_FINDRESFAILURE},
  };
  HMODULE library = LoadLibraryW(u"comdlg32.dll");
  ASSERT_NE(library, nullptr);
  for (const Case& c : cases) {
    OPENFILENAMEW spoilt = ofn;
    c.spoil(spoilt);
    EXPECT_FALSE(GetOpenFileNameW(&spoilt)) << c.what;
    EXPECT_EQ(CommDlgExtendedError(), c.error) << c.what;
  }
  // The older size of the structure is taken.
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  UiScript script;
  script.chooseFile(u"office.rst");
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  FreeLibrary(library);
}

TEST_F(FileDialogTest, TheLibraryExportsItsCalls) {
  HMODULE library = LoadLibraryW(u"COMDLG32");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameW")),
            reinterpret_cast<void*>(&GetOpenFileNameW));
  EXPECT_NE(GetProcAddress(library, "CommDlgExtendedError"), nullptr);
  std::array<WCHAR, 16> text{};
  EXPECT_GT(LoadStringW(library, 371, text.data(), static_cast<int>(text.size())), 0);
  EXPECT_EQ(Narrow(text.data()), "Save As");
  FreeLibrary(library);
}

TEST_F(FileDialogTest, DoubleClicksInTheFolderListGoDownAndUp) {
  std::vector<std::string> inArchive;
  std::string archiveText;
  std::vector<std::string> atRoot;
  std::string rootText;
  const WindowRef folders = Item(kFolderListId);
  UiScript script;
  script
      .check("the chain, then the subfolders",
             [&] {
               EXPECT_EQ(ListItems(folders.Resolve()), (std::vector<std::string>{"C:\\", "Sets", "Archive", "My Sets"}));
               EXPECT_EQ(SendMessageW(folders.Resolve(), LB_GETCURSEL, 0, 0), 1);
             })
      .select(folders, 2)
      .select(folders, 2)
      .check("in Archive",
             [&] {
               inArchive = ListItems(Item(kFileListId).Resolve());
               archiveText = ItemText(Dialog().Resolve(), kFolderTextId);
               EXPECT_EQ(ListItems(folders.Resolve()), (std::vector<std::string>{"C:\\", "Sets", "Archive"}));
             })
      .select(folders, 0)
      .select(folders, 0)
      .check("at the root",
             [&] {
               atRoot = ListItems(folders.Resolve());
               rootText = ItemText(Dialog().Resolve(), kFolderTextId);
             })
      .click(Item(IDCANCEL));
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(inArchive, std::vector<std::string>{"old.rst"});
  EXPECT_EQ(archiveText, "C:\\Sets\\Archive");
  EXPECT_EQ(rootText, "C:\\");
  ASSERT_FALSE(atRoot.empty());
  EXPECT_EQ(atRoot[0], "C:\\");
  EXPECT_NE(std::find(atRoot.begin(), atRoot.end(), "Sets"), atRoot.end());
}

}  // namespace
}  // namespace kesm_test
