// Template names: placeholders resolved under the rules of Windows 2000
// and later (mode 1) and the old rules (mode 0), names refused for their
// length, the check that a path stays in the driver's folders (a table of
// hostile paths), and the names of the driver-use, install-use and
// batch-use copies.
#include <array>
#include <string>

#include "storage/install/template_names.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

class TemplateNames : public InstallTest {
 protected:
  static std::u16string Parse(const std::u16string& name, DWORD mode, UCB* ucb, BOOL* ok = nullptr) {
    std::array<WCHAR, MAX_PATH> buffer{};
    name.copy(buffer.data(), std::min<std::size_t>(name.size(), MAX_PATH - 1));
    const BOOL parsed = ParseFileNameOfTemplate(buffer.data(), MAX_PATH, mode, ucb);
    if (ok != nullptr) *ok = parsed;
    return parsed ? std::u16string(buffer.data()) : u"<refused>";
  }
};

TEST_F(TemplateNames, PlaceholdersResolveByMode) {
  const std::u16string driver = kDriverDir;
  const struct {
    const char16_t* name;
    DWORD mode;
    std::u16string path;
  } rows[] = {
      {u"C:\\Sets\\a.rsd", 1, u"C:\\Sets\\a.rsd"},
      {u"%sysdir%\\a.rsd", 1, u"C:\\_kesm\\a.rsd"},
      {u"%SYSDIR%\\a.rsd", 0, u"C:\\Windows\\System32\\a.rsd"},
      {u"%windir%\\a.rsd", 1, driver + u"a.rsd"},
      {u"%WinDir%\\a.rsd", 0, u"C:\\Windows\\a.rsd"},
      {u"..\\a.rsd", 1, u"C:\\Windows\\a.rsd"},
      {u".\\a.rsd", 1, driver + u"a.rsd"},
      {u".\\a.rsd", 0, u"C:\\Windows\\System32\\a.rsd"},
      {u"a.rsd", 1, driver + u"a.rsd"},
      {u"a.rsd", 0, u"C:\\Windows\\System32\\a.rsd"},
      {u"..\\..\\..\\a.rsd", 1, u"<refused>"},
  };
  UCB* ucb = OpenOn(office_);
  for (const auto& row : rows) {
    const std::u16string name(row.name);
    SCOPED_TRACE(std::string(name.begin(), name.end()) + " mode " + std::to_string(row.mode));
    EXPECT_EQ(Parse(name, row.mode, ucb), row.path);
  }
  Release(ucb);
}

TEST_F(TemplateNames, ANameOf260CharactersIsRefused) {
  UCB* ucb = OpenOn(office_);
  std::array<WCHAR, 300> buffer{};
  std::u16string(260, u'a').copy(buffer.data(), 260);
  EXPECT_FALSE(ParseFileNameOfTemplate(buffer.data(), 300, 1, ucb));
  EXPECT_EQ(buffer[0], u'a') << "left as it was";
  // A name that fits but whose resolved path does not.
  std::array<WCHAR, MAX_PATH> path{};
  std::u16string(240, u'b').copy(path.data(), 240);
  EXPECT_FALSE(ParseFileNameOfTemplate(path.data(), MAX_PATH, 1, ucb));
  EXPECT_FALSE(IsAvailablePresetIconFileName(path.data(), MAX_PATH, ucb));
  Release(ucb);
}

TEST_F(TemplateNames, AnIconNeedsABaseAndAShortExtension) {
  UCB* ucb = OpenOn(office_);
  for (const auto& [name, ok] : {std::pair{u"a.rsd", TRUE}, {u".rsd", FALSE}, {u"a.rsdx", FALSE}, {u"a", FALSE}}) {
    std::array<WCHAR, MAX_PATH> buffer{};
    std::u16string(name).copy(buffer.data(), MAX_PATH - 1);
    EXPECT_EQ(IsAvailablePresetIconFileName(buffer.data(), MAX_PATH, ucb), ok);
  }
  Release(ucb);
}

TEST_F(TemplateNames, OnlyPathsInTheDriversFoldersPass) {
  const std::u16string driver = kDriverDir;
  const struct {
    std::u16string path;
    BOOL passes;
  } rows[] = {
      {driver + u"a.rsd", TRUE},
      {driver + u"sub\\a.rsd", TRUE},
      {u"C:\\_kesm\\a.rsd", TRUE},
      {u"c:\\_KESM\\a.rsd", TRUE},
      {u"C:\\Windows\\System32\\KESM.ini", TRUE},
      {u"C:\\Windows\\System32\\config\\a.rsd", FALSE},
      {u"C:\\Windows\\a.rsd", FALSE},
      {u"C:\\Sets\\a.rsd", FALSE},
      {u"C:\\_kesm\\..\\Windows\\a.rsd", FALSE},
      {driver + u"..\\..\\a.rsd", FALSE},
      {u"C:\\_kesm\\.\\a.rsd", FALSE},
      {u"C:\\_kesm\\\\a.rsd", FALSE},
      {u"C:\\_kesm/../a.rsd", FALSE},
      {u"C:\\_kesmx\\a.rsd", FALSE},
      {u"C:\\_kesm", FALSE},
      {u"\\\\server\\share\\a.rsd", FALSE},
      {u"_kesm\\a.rsd", FALSE},
      {u"", FALSE},
  };
  UCB* ucb = OpenOn(office_);
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.path.begin(), row.path.end()));
    EXPECT_EQ(IsPathInDriverFolders(row.path.c_str(), ucb), row.passes);
  }
  EXPECT_FALSE(IsPathInDriverFolders(nullptr, ucb));
  Release(ucb);
}

TEST_F(TemplateNames, TheCopiesOfATemplate) {
  UCB* ucb = OpenOn(office_);
  const std::u16string driver = kDriverDir;
  std::array<WCHAR, MAX_PATH> out{};
  EXPECT_TRUE(MakeDriverUsePresetIconFileName(out.data(), u"C:\\x\\Draft.rsd", MAX_PATH, ucb));
  EXPECT_EQ(std::u16string(out.data()), u"C:\\_kesm\\Draft.rsr");
  EXPECT_TRUE(MakeInstallUseFileName(out.data(), u"C:\\_kesm\\Draft.rsr", nullptr, kInstallUsePreset, ucb));
  EXPECT_EQ(std::u16string(out.data()), driver + u"Draft.rsd");
  EXPECT_TRUE(MakeInstallUseQualityFileName(out.data(), u"C:\\_kesm\\Photo.rsr", ucb));
  EXPECT_EQ(std::u16string(out.data()), driver + u"Photo.rsq");
  EXPECT_TRUE(MakeInstallUseFileName(out.data(), u"C:\\_kesm\\Photo.txt", nullptr, 0, ucb));
  EXPECT_EQ(std::u16string(out.data()), driver + u"Photo.txt");
  EXPECT_TRUE(MakeBatchUsePresetIconFileName(out.data(), u"C:\\_kesm\\Draft.rsr"));
  EXPECT_EQ(std::u16string(out.data()), u"C:\\_kesm\\Draft.rsd");
  std::array<WCHAR, MAX_PATH> name{};
  std::u16string(u"office.rsb").copy(name.data(), MAX_PATH);
  EXPECT_TRUE(GetDefaultRstFilePath(name.data(), nullptr, ucb));
  EXPECT_EQ(std::u16string(name.data()), driver + u"office.rsb");
  EXPECT_TRUE(GetDefaultRstFilePath(name.data(), nullptr, ucb)) << "an absolute name stays";
  EXPECT_EQ(std::u16string(name.data()), driver + u"office.rsb");
  Release(ucb);
}

}  // namespace
}  // namespace install_test
