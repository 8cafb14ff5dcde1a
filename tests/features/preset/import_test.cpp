// Importing set files into the preset list from the maintenance dialog:
// the file's own name and comment, else its name without its extension;
// a full list has its add button disabled.
#include "tests/features/preset/preset_sheet.h"

namespace preset_test {
namespace {

constexpr int kMaintenanceButton = 2002;
constexpr int kAdd = 2142;
constexpr int kClose = 8;

class Importing : public PresetSheet {
 protected:
  // A set file written by this driver (a copy of the second preset's),
  // under the name and comment given (empty: none).
  void PutSetFile(const std::string& relative, const std::u16string& name, const std::u16string& comment) {
    const auto from = plat::HostPathOf(Stored(Key(1)).c_str());
    ASSERT_TRUE(from.has_value());
    const std::filesystem::path to = kesm_test::OnDrive(relative);
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(*from, to, std::filesystem::copy_options::overwrite_existing);
    const std::string dos = "C:\\" + relative;
    std::u16string path;
    for (char c : dos) path += c == '/' ? u'\\' : static_cast<char16_t>(c);
    WritePrivateProfileStringW(ui_test::kPrinter, u"wdmPresetName", name.c_str(), path.c_str());
    WritePrivateProfileStringW(ui_test::kPrinter, u"wdmPresetComment", comment.c_str(),
                               path.c_str());
  }
};

TEST_F(Importing, AFileIsListedUnderItsOwnNameOrItsFileName) {
  struct Case {
    const char* file;
    std::u16string name, comment;
    std::u16string listed, listedComment;
  };
  const Case cases[] = {
      {"Sets/booklet.rst", u"Booklet", u"Folded in two", u"Booklet", u"Folded in two"},
      {"Sets/draft.rst", u"", u"", u"draft", u""},
      {"Sets/v1.2/leaflet.rst", u"", u"", u"leaflet", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(2)));
    ASSERT_NO_FATAL_FAILURE(PutSetFile(c.file, c.name, c.comment));
    std::u16string typed = u"C:\\";
    for (const char* p = c.file; *p != 0; ++p) typed += *p == '/' ? u'\\' : static_cast<char16_t>(*p);
    LONG_PTR selected = 0;
    UiScript script;
    script.click(PageItem(kMaintenanceButton))
        .click(WindowRef::Item(Maintenance(), kAdd))
        .chooseFile(typed)
        .check("the new preset is selected", [&] {
          selected = GetDevmodeValueByFuncID(Context(), kPresetNo, nullptr);
        })
        .click(WindowRef::Item(Maintenance(), kClose))
        .press(Sheet(), IDCANCEL);
    RunSheet(script, 1);
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Preset 0", u"Preset 1", c.listed}));
    EXPECT_EQ(Stored(Key(2, u"Comment")), c.listedComment);
    EXPECT_EQ(Stored(Key(2)), typed);
    EXPECT_EQ(selected, kFirstPreset + 2);
  }
}

TEST_F(Importing, AFullListCannotTakeMore) {
  ASSERT_NO_FATAL_FAILURE(WritePresets(Numbered(kPresetSlots)));
  UiScript script;
  script.click(PageItem(kMaintenanceButton))
      .check("add is disabled", [&] { EXPECT_FALSE(IsWindowEnabled(Child(Maintenance(), kAdd))); })
      .click(WindowRef::Item(Maintenance(), kClose))
      .press(Sheet(), IDCANCEL);
  RunSheet(script, 1);
  EXPECT_EQ(Count(), kPresetSlots);
}

}  // namespace
}  // namespace preset_test
