// The dialog that names a preset saved as new from the settings sheet the
// preset page opens: a new name adds a preset, another preset's name is
// saved over it when the user agrees, the first preset's name and a
// read-only preset's are refused, and a full list takes no new name.
#include "platform/window/winuser_dialogs.h"
#include "settings/values/setting_lookup.h"
#include "tests/features/preset/preset_sheet.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"

namespace preset_test {
namespace {

constexpr int kSaveButton = 2003;
constexpr int kSaveName = 2452;
constexpr int kCancelSave = 2;
constexpr WORD kSaveDialog = 1032;
constexpr WORD kPresetName = 762;

class SavingAsNew : public PresetSheet {
 protected:
  struct Box {
    const char16_t* text;
    int answer;
  };
  // The preset page's save button, the sheet's "Save as new", the name
  // typed and OK; the boxes answered; then either the save went on (and
  // the sheet closed) or the dialog and the sheet are cancelled.
  void SaveAs(const std::u16string& name, const std::vector<Box>& boxes, bool saved, int selected = 1) {
    UiScript script;
    script.click(PageItem(kSaveButton))
        .click(WindowRef::Item(SettingsSheet(), kCmdSaveNewPreset))
        .text(WindowRef::Item(SaveDialog(), kSaveName), name)
        .click(WindowRef::Item(SaveDialog(), IDOK));
    for (const Box& box : boxes) script.answerBox(box.text, box.answer);
    if (!saved) {
      script.check("the dialog stays", [&] { EXPECT_NE(SaveDialog().Resolve(), nullptr); })
          .click(WindowRef::Item(SaveDialog(), kCancelSave))
          .press(SettingsSheet(), IDCANCEL);
    }
    script.check("the page shows the preset selected", [&] { selected_ = GetDevmodeValueByFuncID(Context(), kPresetNo, nullptr); })
        .press(Sheet(), IDCANCEL);
    RunSheet(script, selected);
  }
  LONG_PTR selected_ = 0;
};

TEST_F(SavingAsNew, ANewNameAddsAPresetThatBecomesTheSelectedOne) {
  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(3)));
  SaveAs(u"Booklet", {}, true);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Preset 0", u"Preset 1", u"Preset 2", u"Booklet"}));
  EXPECT_EQ(selected_, kFirstPreset + 3);
  const std::u16string file = Stored(Key(3));
  EXPECT_TRUE(std::filesystem::exists(*plat::HostPathOf(file.c_str())));
}

TEST_F(SavingAsNew, AnotherPresetsNameSavesOverItWhenTheUserAgrees) {
  const Box overwrite{u"Overwrite it?", IDYES};
  const Box keep{u"Overwrite it?", IDNO};
  for (const auto& [box, saved] : {std::pair{overwrite, true}, std::pair{keep, false}}) {
    SCOPED_TRACE(saved ? "yes" : "no");
    ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(3)));
    SaveAs(u"Preset 2", {box}, saved);
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Preset 0", u"Preset 1", u"Preset 2"}));
    EXPECT_EQ(selected_, saved ? kFirstPreset + 2 : kFirstPreset + 1);
  }
}

// The first preset is the fallback of every other and is never saved
// over: its name is refused rather than the save skipped in silence.
TEST_F(SavingAsNew, TheFirstPresetsNameAndAReadOnlyPresetsAreRefused) {
  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(3)));
  const std::u16string second = Stored(Key(2));
  WritePrivateProfileStringW(ui_test::kPrinter, u"Readonly", u"1", second.c_str());
  for (const char16_t* name : {u"Preset 0", u"Preset 2"}) {
    SCOPED_TRACE(std::string(name, name + 8));
    SaveAs(name, {{u"cannot be used", IDOK}}, false);
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(selected_, kFirstPreset + 1);
  }
}

// A full list offers "Save as new" only while no preset is selected.
TEST_F(SavingAsNew, AFullListTakesNoNewName) {
  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(kPresetSlots)));
  SaveAs(u"Booklet", {{u"at most 16", IDOK}}, false, -1);
  EXPECT_EQ(Count(), kPresetSlots);
  EXPECT_EQ(Stored(Key(15, u"Name")), u"Preset 15");
}

// The save dialog on its own, as the page life opens it, for what the
// sheet's "Save as new" never leaves it: a selected preset.
class SaveDialogAlone : public PresetSheet {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PresetSheet::SetUp());
  }
  INT_PTR Run(int selected, const char16_t* name, UiScript& script) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    EXPECT_NE(ucb, nullptr);
    if (ucb == nullptr) return -1;
    SetDevmodeValueByFuncID(ucb, kPresetNo, kFirstPreset + selected);
    SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kPresetName), name);
    ucb->wCurrentDialog = kSaveDialog;
    const INT_PTR result = DialogBoxParamW(GetResDll(ucb), MAKEINTRESOURCEW(kSaveDialog), nullptr, DialogProc,
                                           reinterpret_cast<LPARAM>(ucb));
    selected_ = GetDevmodeValueByFuncID(ucb, kPresetNo, nullptr);
    FreeUcb2(ucb, 1);
    EXPECT_TRUE(script.done());
    return result;
  }
  LONG_PTR selected_ = 0;
};

TEST_F(SaveDialogAlone, ASelectedPresetIsRenamedUnlessAnotherHasTheName) {
  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(kPresetSlots)));
  UiScript shared;
  shared.check("a copy's name is proposed", [&] {
          WCHAR text[64] = {};
          GetWindowTextW(Child(SaveDialog(), kSaveName), text, 64);
          EXPECT_EQ(std::u16string(text), u"Copy of Preset 2");
        })
      .text(WindowRef::Item(SaveDialog(), kSaveName), u"Preset 3")
      .click(WindowRef::Item(SaveDialog(), IDOK))
      .answerBox(u"Another preset already has this name.", IDOK)
      .check("the dialog stays", [&] { EXPECT_NE(SaveDialog().Resolve(), nullptr); })
      .click(WindowRef::Item(SaveDialog(), kCancelSave));
  EXPECT_EQ(Run(2, u"Preset 1", shared), IDCANCEL);

  // A full list still lets the selected preset be saved over.
  UiScript renamed;
  renamed.text(WindowRef::Item(SaveDialog(), kSaveName), u"Brochure").click(WindowRef::Item(SaveDialog(), IDOK));
  EXPECT_EQ(Run(2, u"Preset 2", renamed), IDOK);
  EXPECT_EQ(selected_, kFirstPreset + 2);
}

}  // namespace
}  // namespace preset_test
