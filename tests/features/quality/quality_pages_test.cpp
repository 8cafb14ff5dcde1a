// The print-quality pages as a person meets them in the W2 quality printer's
// document sheet: a stored quality set picked from the list and edited; the
// colour-matching dialog opened from the print-quality page, a profile added
// through its dialog (the file looked for in the profile open dialog, which
// refuses a file of another maker and lists what a wildcard matches), a full
// list refused, the selected profile deleted, and the chosen one changed in
// its dialog.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "features/quality/cmm_profiles.h"
#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"
#include "tests/features/quality/profile_header.h"
#include "tests/platform/drive_files.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kQualityTab = 6;
constexpr int kUseStoredSet = 2133;
constexpr int kStoredSets = 2134;
constexpr int kEditSet = 2136;
constexpr int kColourMatchingButton = 3450;
constexpr int kSetNameEdit = 2281;
constexpr int kDithering = 2258;
constexpr int kAddButton = 3947;
constexpr int kChangeButton = 3948;
constexpr int kDeleteButton = 3949;
constexpr int kNameEdit = 2823;
constexpr int kFileEdit = 2825;
constexpr int kBrowseButton = 2826;
constexpr int kFileNameEdit = 1152;
constexpr int kFileList = 1120;
constexpr int kProfileCombo = 2256;
constexpr WORD kFuncUseStoredSet = 176;
constexpr WORD kFuncStoredSet = 179;
constexpr WORD kFuncBrightness = 138;
constexpr WORD kFuncSetName = 764;
constexpr WORD kFuncColourMatching = 133;
constexpr const char16_t* kLanguage = u"us";
constexpr const char16_t* kNotProfile = u"This file is not a colour profile for this printer.";
// The description asks its dithering question in a text of the library.
constexpr const char16_t* kDitherQuestion = u"Enter a name for the preset.";
constexpr const char16_t* kListFull = u"No more colour profiles can be added: the list is full.";

class QualityPages : public SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_quality.kpd"; }

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SheetMachine::SetUp());
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
    ini_ = GetIniFilePath(ucb_);
    language_ = GetLanguageStrFromKDM(ucb_);
    ASSERT_EQ(language_, kLanguage);
    const std::u16string folder = ini_.substr(0, ini_.rfind(u'\\'));
    ASSERT_TRUE(plat::CreateDirectories(folder));
    ASSERT_TRUE(plat::CreateDirectories(u"C:\\Sets"));
    drive::Put("profiles/good.tcm", features_test::ProfileHeader("TALV"));
    drive::Put("profiles/other.tcm", features_test::ProfileHeader("ACME"));
    drive::Put("profiles/notes.txt", "no profile");
  }
  void TearDown() override {
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    SheetMachine::TearDown();
  }

  std::u16string IniText(const char16_t* section, const char16_t* key) {
    std::array<WCHAR, 300> text{};
    GetPrivateProfileStringW(section, key, u"<none>", text.data(), 300, ini_.c_str());
    return text.data();
  }
  void PutIni(const char16_t* section, const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, ini_.c_str()));
  }
  void Profile(int index, const char16_t* name, const char16_t* path) {
    const std::u16string section = u"ColorMatching" + std::u16string(1, static_cast<char16_t>(u'0' + index)) + kLanguage;
    PutIni(section.c_str(), u"kdmColorMatchingMode", name);
    PutIni(section.c_str(), u"wdmColorProfilePath", path);
  }
  std::u16string ProfileName(int index) {
    const std::u16string section = u"ColorMatching" + std::u16string(1, static_cast<char16_t>(u'0' + index)) + kLanguage;
    return IniText(section.c_str(), u"kdmColorMatchingMode");
  }

  // A stored quality set with its name and brightness, in its set file.
  void StoredSet(int index, const char16_t* name, LONG_PTR brightness) {
    const std::u16string key = u"QualityList" + std::u16string(1, static_cast<char16_t>(u'0' + index));
    const std::u16string file = u"C:\\Sets\\q" + std::u16string(1, static_cast<char16_t>(u'0' + index)) + u".rsq";
    PutIni(GetQualitySectionName(ucb_), key.c_str(), file.c_str());
    SetDevmodeValueDirectByFuncID(ucb_, kFuncBrightness, brightness);
    SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kFuncSetName), name);
    ASSERT_TRUE(WriteQualityByID(ucb_, index));
  }

  static WindowRef PageItem(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static WindowRef QualitySheet() { return WindowRef::Top(u"Custom print quality"); }
  static WindowRef ColourMatching() { return WindowRef::Top(u"Colour matching mode"); }
  static WindowRef AddDialog() { return WindowRef::Top(u"Add colour profile"); }
  static WindowRef ChangeDialog() { return WindowRef::Top(u"Change colour profile"); }
  static std::u16string TextOf(HWND window) {
    std::array<WCHAR, 300> text{};
    GetWindowTextW(window, text.data(), 300);
    return text.data();
  }
  // The entries of a list box or combo box, by the messages that count
  // and read them.
  static std::vector<std::u16string> Entries(HWND list, UINT countMessage, UINT textMessage) {
    std::vector<std::u16string> texts;
    const auto count = SendMessageW(list, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::array<WCHAR, 300> text{};
      SendMessageW(list, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      texts.emplace_back(text.data());
    }
    return texts;
  }
  static std::vector<std::u16string> ListTexts(HWND list) { return Entries(list, LB_GETCOUNT, LB_GETTEXT); }
  static std::vector<std::u16string> ComboTexts(HWND combo) { return Entries(combo, CB_GETCOUNT, CB_GETLBTEXT); }
  static UCB* PageContext() { return ContextOfPage(WindowRef::Page(Sheet()).Resolve()); }

  // The document sheet, run by the script, then left with Cancel.
  void RunSheet(UiScript& script, SheetHooks hooks = {}) {
    script.press(Sheet(), IDCANCEL);
    Bytes out(kDriverDevmode);
    LONG result = 0;
    HookedDocumentSheet(out, DM_COPY, std::move(hooks), &result);
    EXPECT_TRUE(script.done());
  }

  UCB* ucb_ = nullptr;
  std::u16string ini_;
  std::u16string language_;
};

// Picking a stored set loads it; the check box then switches to it.
TEST_F(QualityPages, APickedStoredSetIsLoaded) {
  StoredSet(0, u"Photo", 3);
  StoredSet(1, u"Text", -2);
  UiScript script;
  script.tab(Sheet(), kQualityTab)
      .click(PageItem(kUseStoredSet))
      .select(PageItem(kStoredSets), 1)
      .check("the second set is loaded", [] {
        UCB* ucb = PageContext();
        ASSERT_NE(ucb, nullptr);
        EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kFuncStoredSet, nullptr), 33);
        EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kFuncBrightness, nullptr), -2);
        EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kFuncUseStoredSet, nullptr), 1);
        // Rows of twice the fixed height, with room for the set's picture.
        EXPECT_EQ(SendMessageW(PageItem(kStoredSets).Resolve(), LB_GETITEMHEIGHT, 0, 0), 28);
      });
  RunSheet(script);
}

// The edit button opens the quality dialog on the selected set; a refused
// alert there puts the focus back on the set's name; OK writes the set.
TEST_F(QualityPages, TheEditedSetIsWrittenBackAndARefusedAlertFocusesItsName) {
  StoredSet(0, u"Photo", 3);
  StoredSet(1, u"Text", -2);
  UiScript script;
  script.tab(Sheet(), kQualityTab)
      .select(PageItem(kStoredSets), 1)
      .click(PageItem(kEditSet))
      .check("the quality dialog shows the set", [] {
        EXPECT_EQ(TextOf(GetDlgItem(WindowRef::Page(QualitySheet()).Resolve(), kSetNameEdit)), u"Text");
      })
      .text(WindowRef::Item(WindowRef::Page(QualitySheet()), kSetNameEdit), u"Fine text")
      .key(VK_TAB)
      .check("the focus has left the name", [] {
        EXPECT_NE(GetFocus(), GetDlgItem(WindowRef::Page(QualitySheet()).Resolve(), kSetNameEdit));
      })
      .pick(WindowRef::Item(WindowRef::Page(QualitySheet()), kDithering), 1)
      .answerBox(kDitherQuestion, IDCANCEL)
      .check("the focus is back on the name", [] {
        EXPECT_EQ(GetFocus(), GetDlgItem(WindowRef::Page(QualitySheet()).Resolve(), kSetNameEdit));
      })
      .press(QualitySheet(), IDOK);
  RunSheet(script);
  EXPECT_EQ(IniText(GetQualitySectionName(ucb_), u"QualityList1Name"), u"Fine text");
  EXPECT_EQ(IniText(GetQualitySectionName(ucb_), u"QualityList0Name"), u"Photo");
}

TEST_F(QualityPages, AProfileIsAddedWithAFileTheOpenDialogAccepts) {
  UiScript script;
  script.tab(Sheet(), kQualityTab)
      .click(PageItem(kColourMatchingButton))
      .click(WindowRef::Item(ColourMatching(), kAddButton))
      .text(WindowRef::Item(AddDialog(), kNameEdit), u"Photo")
      .click(WindowRef::Item(AddDialog(), kBrowseButton))
      // Another maker's profile carries every mark but the maker's.
      .chooseFile(u"C:\\profiles\\other.tcm")
      .answerBox(kNotProfile, IDOK)
      // A wildcard lists what it matches and checks nothing.
      .chooseFile(u"C:\\profiles\\*.tcm")
      .check("the dialog lists the profiles", [] {
        HWND dialog = GetActiveWindow();
        EXPECT_EQ(TextOf(dialog), u"Select a colour profile");
        const auto files = ListTexts(GetDlgItem(dialog, kFileList));
        EXPECT_NE(std::find(files.begin(), files.end(), u"good.tcm"), files.end());
        EXPECT_EQ(std::find(files.begin(), files.end(), u"notes.txt"), files.end());
      })
      .chooseFile(u"good.tcm")
      .check("the profile dialog shows the file", [] {
        EXPECT_EQ(TextOf(GetDlgItem(AddDialog().Resolve(), kFileEdit)), u"C:\\profiles\\good.tcm");
      })
      .click(WindowRef::Item(AddDialog(), IDOK))
      .check("the profile is the colour matching's choice", [] {
        UCB* ucb = PageContext();
        ASSERT_NE(ucb, nullptr);
        EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kFuncColourMatching, nullptr), 200);
      })
      .key(VK_ESCAPE);
  RunSheet(script);
  EXPECT_EQ(IniText(kLanguage, u"CmmCount"), u"1");
  EXPECT_EQ(ProfileName(0), u"Photo");
  EXPECT_EQ(IniText(u"ColorMatching0us", u"wdmColorProfilePath"), u"C:\\profiles\\good.tcm");
}

// The colour-matching combo lists every registered profile by name: one
// added in its dialog is there at once, can be chosen (its value is 200 +
// its place), and is gone from the list once deleted.
TEST_F(QualityPages, AnAddedProfileIsListedChosenAndDeleted) {
  PutIni(kLanguage, u"CmmCount", u"1");
  Profile(0, u"Photo", u"C:\\profiles\\good.tcm");
  const auto combo = [] { return GetDlgItem(ColourMatching().Resolve(), kProfileCombo); };
  const auto choice = [] { return GetDevmodeValueDirectByFuncID(PageContext(), kFuncColourMatching, nullptr); };
  UiScript script;
  script.tab(Sheet(), kQualityTab)
      .click(PageItem(kColourMatchingButton))
      .check("the registered profile is listed", [&] {
        EXPECT_EQ(ComboTexts(combo()), (std::vector<std::u16string>{u"Photo"}));
      })
      .click(WindowRef::Item(ColourMatching(), kAddButton))
      .text(WindowRef::Item(AddDialog(), kNameEdit), u"Text")
      .click(WindowRef::Item(AddDialog(), kBrowseButton))
      .chooseFile(u"C:\\profiles\\good.tcm")
      .click(WindowRef::Item(AddDialog(), IDOK))
      .check("the added profile is listed and chosen", [&] {
        EXPECT_EQ(ComboTexts(combo()), (std::vector<std::u16string>{u"Photo", u"Text"}));
        EXPECT_EQ(choice(), 201);
      })
      .pick(WindowRef::Item(ColourMatching(), kProfileCombo), 0)
      .check("the first profile is chosen", [&] {
        EXPECT_EQ(choice(), 200);
        EXPECT_EQ(TextOf(combo()), u"Photo");
      })
      .pick(WindowRef::Item(ColourMatching(), kProfileCombo), 1)
      .check("the added profile is chosen again", [&] { EXPECT_EQ(choice(), 201); })
      .click(WindowRef::Item(ColourMatching(), kDeleteButton))
      .check("the deleted profile is no longer listed", [&] {
        EXPECT_EQ(ComboTexts(combo()), (std::vector<std::u16string>{u"Photo"}));
        EXPECT_LT(choice(), 201);
      })
      .key(VK_ESCAPE);
  RunSheet(script);
  EXPECT_EQ(IniText(kLanguage, u"CmmCount"), u"1");
  EXPECT_EQ(ProfileName(0), u"Photo");
}

TEST_F(QualityPages, AFullListTakesNoProfile) {
  PutIni(kLanguage, u"CmmMax", u"1");
  PutIni(kLanguage, u"CmmCount", u"1");
  Profile(0, u"Photo", u"C:\\profiles\\good.tcm");
  UiScript script;
  script.tab(Sheet(), kQualityTab)
      .click(PageItem(kColourMatchingButton))
      .click(WindowRef::Item(ColourMatching(), kAddButton))
      .text(WindowRef::Item(AddDialog(), kNameEdit), u"Text")
      .click(WindowRef::Item(AddDialog(), IDOK))
      .answerBox(kListFull, IDOK)
      .key(VK_ESCAPE);
  RunSheet(script);
  EXPECT_EQ(IniText(kLanguage, u"CmmCount"), u"1");
  EXPECT_EQ(IniText(u"ColorMatching1us", u"kdmColorMatchingMode"), u"<none>");
}

// Deleting the last profile, while it is the choice, moves the later ones
// down (none here) and the choice off the list; with no profile chosen,
// the delete button deletes nothing.
TEST_F(QualityPages, TheSelectedProfileIsDeletedAndNoChoiceDeletesNothing) {
  struct Case {
    const char* what;
    LONG_PTR choice;
    const char16_t* count;
    const char16_t* first;
  } cases[] = {{"the last profile chosen", 201, u"1", u"Photo"}, {"no profile chosen", 0, u"2", u"Photo"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutIni(kLanguage, u"CmmCount", u"2");
    Profile(0, u"Photo", u"C:\\profiles\\good.tcm");
    Profile(1, u"Text", u"C:\\profiles\\good.tcm");
    const LONG_PTR choice = c.choice;
    UiScript script;
    script.tab(Sheet(), kQualityTab)
        .click(PageItem(kColourMatchingButton))
        .click(WindowRef::Item(ColourMatching(), kDeleteButton))
        .check("the choice names no profile gone", [] {
          UCB* ucb = PageContext();
          ASSERT_NE(ucb, nullptr);
          EXPECT_LT(GetDevmodeValueDirectByFuncID(ucb, kFuncColourMatching, nullptr), 201);
        })
        .key(VK_ESCAPE);
    SheetHooks hooks;
    hooks.afterInit = [choice](UCB* ucb) { SetDevmodeValueDirectByFuncID(ucb, kFuncColourMatching, choice); };
    RunSheet(script, std::move(hooks));
    EXPECT_EQ(IniText(kLanguage, u"CmmCount"), c.count);
    EXPECT_EQ(ProfileName(0), c.first);
  }
}

// The change dialog opens on the chosen profile and writes what is typed
// over it on OK; Cancel leaves the list as it was.
TEST_F(QualityPages, TheChosenProfileIsChangedInItsDialog) {
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    PutIni(kLanguage, u"CmmCount", u"2");
    Profile(0, u"Photo", u"C:\\profiles\\good.tcm");
    Profile(1, u"Text", u"C:\\profiles\\good.tcm");
    UiScript script;
    script.tab(Sheet(), kQualityTab)
        .click(PageItem(kColourMatchingButton))
        .click(WindowRef::Item(ColourMatching(), kChangeButton))
        .check("the chosen profile shown", [] {
          EXPECT_EQ(TextOf(GetDlgItem(ChangeDialog().Resolve(), kNameEdit)), u"Text");
          EXPECT_EQ(TextOf(GetDlgItem(ChangeDialog().Resolve(), kFileEdit)), u"C:\\profiles\\good.tcm");
        })
        .text(WindowRef::Item(ChangeDialog(), kNameEdit), u"Text 2")
        .click(WindowRef::Item(ChangeDialog(), button))
        .key(VK_ESCAPE);
    SheetHooks hooks;
    hooks.afterInit = [](UCB* ucb) { SetDevmodeValueDirectByFuncID(ucb, kFuncColourMatching, 201); };
    RunSheet(script, std::move(hooks));
    EXPECT_EQ(ProfileName(0), u"Photo");
    EXPECT_EQ(ProfileName(1), button == IDOK ? u"Text 2" : u"Text");
  }
}

}  // namespace
}  // namespace ui_test
