// Hostile install input: default set files and driver-install INI
// sections with malformed lines, huge sections and counts, circular
// references and paths that climb out with "..". Each row runs the batch
// install of a new printer; it must end with a clean result and write
// nothing outside the driver's folders (the driver directory, the shared
// directory and the driver-install INI).
#include <filesystem>
#include <map>
#include <string>

#include "storage/install/batch_install.h"
#include "storage/install/default_rst.h"
#include "storage/install/drvinst_ini.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

using Files = std::map<std::string, std::string>;

// Every file of the drive outside the folders the install may write.
Files FilesOutside() {
  Files files;
  const std::filesystem::path root = storage_test::Host("");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = std::filesystem::relative(entry.path(), root).generic_string();
    if (relative.rfind("_kesm/", 0) == 0 || relative.rfind(kDriverFolder, 0) == 0 || relative == kDrvInstIni ||
        relative.rfind("Windows/Temp/", 0) == 0) {
      continue;
    }
    files[relative] = storage_test::Get(relative);
  }
  return files;
}

std::string HugeSection(std::size_t bytes) {
  std::string text = "[jp]\r\nNumDeficonfiles=1\r\nDeficonfiles1=%sysdir%\\draft.rsd\r\n";
  for (int i = 0; text.size() < bytes; ++i) text += "kdmPadding" + std::to_string(i) + "=" + std::string(60, 'x') + "\r\n";
  return text;
}

class HostileInstall : public InstallTest {};

TEST_F(HostileInstall, ATableOfHostileFilesGetsCleanResults) {
  struct Row {
    const char* what;
    std::string drvInst;  // the office printer's section of KESM.ini
    std::string rsbName;
    std::string rsb;
    BOOL installed;
    const char* presetCount;
    const char* stampCount;
  };
  const Row rows[] = {
      {"malformed lines", "DefaultRst=hostile.rsb\r\n", "hostile.rsb", Fixture("hostile_malformed.rsb"), TRUE, "<none>", "<none>"},
      {"paths out of the folders and a circular name", "DefaultRst=hostile_paths.rsb\r\n", "hostile_paths.rsb",
       Fixture("hostile_paths.rsb"), TRUE, "1", "<none>"},
      {"counts beyond any list", "DefaultRst=hostile.rsb\r\n", "hostile.rsb", Fixture("hostile_counts.rsb"), TRUE, "1", "<none>"},
      // The settings are refused whole; the templates the profile reads.
      {"a batch section larger than a set file holds", "DefaultRst=hostile.rsb\r\n", "hostile.rsb", HugeSection(40000),
       TRUE, "1", "<none>"},
      {"a default set file named with ..", "DefaultRst=..\\..\\..\\hostile.rsb\r\n", "hostile.rsb",
       "[jp]\r\nNumDeficonfiles=0\r\n", FALSE, "<none>", "<none>"},
      {"user code, id and owner far too long",
       "DefaultRst=\r\nSetUserCode=" + std::string(5000, '1') + "\r\nSetUserID=" + std::string(5000, 'a') +
           "\r\nSetOwnerID=" + std::string(5000, 'o') + "\r\n",
       "", "", FALSE, "<none>", "<none>"},
      {"a huge driver-install section", "DefaultRst=office.rsb\r\n" + HugeSection(50000).substr(6), "office.rsb",
       Fixture("office.rsb"), TRUE, "1", "1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    storage_test::Put(kSettingsIni, "");
    std::filesystem::remove_all(storage_test::Host("_kesm/draft.rsr"));
    for (const char* file : {"draft.rsd", "duplex.rsd", "legacy.rsd", "photo.rsq"}) {
      storage_test::Put(std::string(kDriverFolder) + file, Fixture(file));
    }
    storage_test::Put(std::string(kDriverFolder) + "office.rsb", Fixture("office.rsb"));
    storage_test::Put("Windows/evil.rsd", "[jp]\r\nsetname=Evil\r\n");
    storage_test::Put("Sets/evil.rsd", "[jp]\r\nsetname=Evil\r\n");
    if (!row.rsbName.empty()) storage_test::Put(std::string(kDriverFolder) + row.rsbName, row.rsb);
    storage_test::Put(kDrvInstIni, "[Office 2F]\r\n" + row.drvInst);
    const Files before = FilesOutside();
    UCB* ucb = OpenWithDescription();
    Set(ucb, 12, 1);
    CopyFilesForDrvInst(ucb);
    EXPECT_EQ(GetDefaultRstForDrvInst(kBatchChecked, ucb), row.installed);
    EXPECT_FALSE(IsAvailableDrvInstIniFile(ucb)) << "the section ends complete";
    Release(ucb);
    EXPECT_EQ(FilesOutside(), before) << "nothing written outside the driver's folders";
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), row.presetCount);
    EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SetUserCode"), "<none>");
    EXPECT_EQ(Ini(kSettingsIni, "jp", "StampCount"), row.stampCount) << "only watermarks the file holds";
  }
}

}  // namespace
}  // namespace install_test
