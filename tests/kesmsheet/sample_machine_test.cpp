// The sample machine as kesmsheet sets it up, worked through the sheet by
// script as a person works it: a preset saved and a watermark added are
// there at the next open; a save that cannot be written says so in a box
// and loses nothing; a machine set up by an earlier version of the tools
// (the printer added, the driver's install never run) gets its settings
// folder and keeps what it held.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/spooler/spoolsetup.h"
#include "tests/common/temp_folder.h"
#include "tests/kesmsheet/kesmsheet_run.h"

namespace {

namespace fs = std::filesystem;

using kesmsheet_test::Has;
using kesmsheet_test::Result;
using kesmsheet_test::Text;

// Every file of a folder with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) files[entry.path().filename().string()] = Text(entry);
  return files;
}

class SampleMachine : public ::testing::Test {
 protected:
  // kesmsheet with the script's steps on the test's machine.
  Result Sheet(const std::string& steps, const std::vector<std::string>& arguments = {}) {
    const fs::path script = folder_.path() / "steps.txt";
    std::ofstream(script, std::ios::binary) << steps;
    std::vector<std::string> all{"--script", script.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return kesmsheet_test::RunKesmsheet(machine(), folder_.path(), all);
  }
  fs::path machine() const { return folder_.path() / "machine"; }
  // The folder of the settings INI and the set files (C:\_kesm).
  fs::path settings() const { return machine() / "drive" / "c" / "_kesm"; }
  // The set file of a preset of the list, as the settings INI names it in
  // the settings folder; empty when there is none.
  std::string PresetSettings(int index) const {
    const std::string ini = Text(settings() / "kesmusr.ini");
    const std::string key = "PresetList" + std::to_string(index) + "=C:\\_kesm\\";
    const std::size_t at = ini.find(key);
    if (at == std::string::npos) return {};
    const std::size_t from = at + key.size();
    return Text(settings() / ini.substr(from, ini.find_first_of("\r\n", from) - from));
  }

  kesm_test::TempFolder folder_{"sample-machine-test"};
};

// What a person does to keep a preset: the Basic page's centring box
// checked, the preset page's save button, a name, OK.
constexpr const char* kSavePreset =
    "tab 1\ncheck 3328\ntab 0\nclick 2003\nclick 11111\ntype 2452 Centred\nclick 1\n";
// And a text watermark: the Edit page's box, its add button, a name and
// a text, OK.
constexpr const char* kAddWatermark = "tab 2\ncheck 2088\nclick 2091\ntype 2310 Draft mark\ntype 2312 DRAFT\nok\n";

TEST_F(SampleMachine, APresetAndAWatermarkSavedAreThereAtTheNextOpen) {
  const Result preset = Sheet(kSavePreset);
  ASSERT_EQ(preset.code, 0) << preset.err << preset.out;
  EXPECT_TRUE(Has(preset.out, "set up the printer Kesm Sample as the driver's install does")) << preset.out;
  const Result watermark = Sheet(std::string(kAddWatermark) + "ok\n");
  ASSERT_EQ(watermark.code, 0) << watermark.err << watermark.out;
  EXPECT_TRUE(Has(watermark.out, "the sheet ended with OK")) << watermark.out;

  // The next open lists the install's three presets and the one saved,
  // and the watermark; a pick of an entry that is not there fails the run.
  const Result next = Sheet("tab 1\npick 2036 3\ntab 2\npick 2089 0\ncancel\n");
  ASSERT_EQ(next.code, 0) << next.err << next.out;
  const std::string ini = Text(settings() / "kesmusr.ini");
  EXPECT_TRUE(Has(ini, "PresetList3Name=Centred")) << ini;
  EXPECT_TRUE(Has(ini, "wdmWmCharName=Draft mark")) << ini;
  EXPECT_TRUE(Has(ini, "wdmWmChar=DRAFT")) << ini;
  EXPECT_TRUE(Has(PresetSettings(3), "kdmScaleCentering=1"));
}

// The settings INI made read-only (as Windows keeps a file's attribute):
// each save shows the box naming it, the sheet stays usable and no file of
// the settings folder changes.
TEST_F(SampleMachine, ASaveThatCannotBeWrittenSaysSoAndLosesNothing) {
  struct Case {
    const char* what;
    std::string steps;
  };
  const Case cases[] = {
      // The save's sheet stays open over the settings sheet.
      {"a preset", std::string(kSavePreset) + "answer cannot be written OK\ncancel\ncancel\n"},
      {"a watermark", std::string(kAddWatermark) + "answer cannot be written OK\ncancel\n"},
  };
  const Result first = Sheet("cancel\n");
  ASSERT_EQ(first.code, 0) << first.err;
  {
    ASSERT_TRUE(plat::SetMachineRoot(machine()));
    ASSERT_TRUE(SetFileAttributesW(u"C:\\_kesm\\kesmusr.ini", FILE_ATTRIBUTE_READONLY));
  }
  const auto before = Files(settings());
  ASSERT_FALSE(before.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Result result = Sheet(c.steps);
    EXPECT_EQ(result.code, 0) << result.err << result.out;
    EXPECT_TRUE(Has(result.out, "the sheet ended with Cancel")) << result.out;
    EXPECT_EQ(Files(settings()), before);
  }
}

// A machine of an earlier kesmsheet: the sample printer added without the
// driver's install, a settings folder made by hand holding a preset of the
// user's. The next run installs what is missing and keeps that preset.
TEST_F(SampleMachine, AMachineOfAnEarlierVersionGetsWhatIsMissingAndKeepsItsOwn) {
  {
    ASSERT_TRUE(plat::SetMachineRoot(machine()));
    std::error_code ec;
    fs::copy_file(KESM_TEST_DATA "/../../tools/kesmprint/kesm_sample.kpd", plat::DriverFilesFolder() / "KP000001.KPD", ec);
    ASSERT_FALSE(ec) << ec.message();
    plat::DriverSetup driver;
    driver.name = u"Kesm Sample Driver";
    driver.driverFile = u"kesmgr.dll";
    driver.dataFile = u"KP000001.KPD";
    driver.configFile = u"kesmui.dll";
    ASSERT_EQ(plat::AddPrinterDriver(driver), static_cast<DWORD>(ERROR_SUCCESS));
    plat::PrinterSetup printer;
    printer.name = u"Kesm Sample";
    printer.driverName = driver.name;
    ASSERT_EQ(plat::AddPrinter(printer), static_cast<DWORD>(ERROR_SUCCESS));
  }
  fs::create_directories(settings());
  std::ofstream(settings() / "kesmusr.ini", std::ios::binary)
      << "[Kesm Sample]\r\nCount=1\r\nPresetList0=C:\\_kesm\\mine.rst\r\nPresetList0Name=Mine\r\n"
         "PresetList0Comment=\r\n";
  const std::string mine = "[Kesm Sample]\r\nkdmScaleCentering=1\r\n";
  std::ofstream(settings() / "mine.rst", std::ios::binary) << mine;

  const Result result = Sheet("tab 1\npick 2036 0\ncancel\n");
  ASSERT_EQ(result.code, 0) << result.err << result.out;
  EXPECT_TRUE(Has(result.out, "set up the printer Kesm Sample as the driver's install does")) << result.out;
  const std::string ini = Text(settings() / "kesmusr.ini");
  EXPECT_TRUE(Has(ini, "PresetList0Name=Mine")) << ini;
  EXPECT_EQ(Text(settings() / "mine.rst"), mine);
  // The next run finds nothing left to do.
  const Result again = Sheet("cancel\n");
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_FALSE(Has(again.out, "set up the printer")) << again.out;
  EXPECT_FALSE(Has(again.out, "made the settings folder")) << again.out;
  // A settings folder that went missing is made again; the install does
  // not run twice.
  fs::remove_all(settings());
  const Result remade = Sheet(kSavePreset);
  ASSERT_EQ(remade.code, 0) << remade.err << remade.out;
  EXPECT_TRUE(Has(remade.out, "made the settings folder C:\\_kesm")) << remade.out;
  EXPECT_FALSE(Has(remade.out, "set up the printer")) << remade.out;
  // The preset saved into the empty list is the first, and holds the
  // settings it was saved with.
  EXPECT_TRUE(Has(Text(settings() / "kesmusr.ini"), "PresetList0Name=Centred"));
  EXPECT_TRUE(Has(PresetSettings(0), "kdmScaleCentering=1"));
}

}  // namespace
