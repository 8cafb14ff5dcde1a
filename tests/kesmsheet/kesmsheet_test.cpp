// kesmsheet as a user runs it, on a fresh machine folder of each test: a
// picture of every page of both sheets, a script that changes a setting
// and presses OK, the feature pages and the dialogs they open, a script
// with a line that is no step, a printer the machine lacks, a bad command
// line.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <regex>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"
#include "tests/common/temp_folder.h"
#include "tests/kesmsheet/kesmsheet_run.h"

namespace {

namespace fs = std::filesystem;

using kesmsheet_test::Has;
using kesmsheet_test::Result;
using kesmsheet_test::Text;

struct Picture {
  unsigned width = 0;
  unsigned height = 0;
  std::size_t colours = 0;
};

// A PNG read back with libpng: its size and how many colours it holds.
Picture ReadPicture(const fs::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Picture picture;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return picture;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return picture;
  std::set<unsigned> colours;
  for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
    colours.insert(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
  }
  return {image.width, image.height, colours.size()};
}

class KesmSheet : public ::testing::Test {
 protected:
  Result Run(const std::vector<std::string>& arguments) {
    return kesmsheet_test::RunKesmsheet(machine(), folder_.path(), arguments);
  }
  fs::path machine() const { return folder_.path() / "machine"; }
  fs::path Script(const std::string& text) {
    const fs::path file = folder_.path() / "steps.txt";
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

  kesm_test::TempFolder folder_{"kesmsheet-test"};
};

TEST_F(KesmSheet, ShotsWriteAPictureOfEveryPageOfBothSheets) {
  struct Case {
    std::vector<std::string> arguments;
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {{}, {"00-Preset.png", "01-Basic.png", "02-Edit.png", "03-Finish.png", "04-Cover-and-mark.png", "05-Others.png",
            "06-Print-quality.png", "07-Initial-settings.png"}},
      {{"--printer-sheet"}, {"00-Options.png", "01-Fonts.png", "02-User-code.png", "03-Output-trays.png"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "document sheet" : "printer sheet");
    const fs::path shots = folder_.path() / (c.arguments.empty() ? "document" : "printer");
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--shots", shots.string()});
    const Result result = Run(arguments);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Has(result.out, "the sheet ended with Cancel")) << result.out;
    EXPECT_TRUE(Has(result.out, "no settings changed")) << result.out;
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(shots)) written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, c.files);
    Picture first{};
    for (const std::string& file : c.files) {
      SCOPED_TRACE(file);
      const Picture picture = ReadPicture(shots / file);
      EXPECT_GT(picture.width, 400u);
      EXPECT_GT(picture.height, 200u);
      // A page with its frame, tabs, texts and controls.
      EXPECT_GT(picture.colours, 4u);
      if (first.width == 0) first = picture;
      EXPECT_EQ(picture.width, first.width);
      EXPECT_EQ(picture.height, first.height);
    }
  }
}

// The check box "Scale centering" of the Basic page: OK hands the change
// out, in a DEVMODE the printer's validation keeps as it is.
TEST_F(KesmSheet, AScriptChangesASettingAndOkPrintsTheChange) {
  const Result result = Run({"--script", Script("# centre the scaled page\ntab 1\ncheck 3328\nok\n").string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "the sheet ended with OK")) << result.out;
  EXPECT_TRUE(Has(result.out, "DEVMODE: kdmScaleCentering: 0 -> 1")) << result.out;
  EXPECT_TRUE(result.err.empty()) << result.err;
}

// A shot step pictures the window in front when the step comes, named as
// the script says, beside the pictures of every page.
TEST_F(KesmSheet, AShotStepWritesThePictureItNames) {
  const fs::path shots = folder_.path() / "shots";
  const Result result = Run({"--shots", shots.string(), "--script", Script("tab 2\nshot edit-page\ncancel\n").string()});
  ASSERT_EQ(result.code, 0) << result.err;
  const Picture step = ReadPicture(shots / "edit-page.png");
  const Picture page = ReadPicture(shots / "02-Edit.png");
  EXPECT_GT(step.colours, 4u);
  EXPECT_EQ(step.width, page.width);
  EXPECT_EQ(step.height, page.height);
  EXPECT_TRUE(Has(result.out, "wrote " + (shots / "edit-page.png").string())) << result.out;
}

// The preset page's dialogs as a user meets them: two presets saved
// through the save-name dialog (the machine given a shared settings
// folder), then the page listing them and its maintenance dialog.
TEST_F(KesmSheet, ThePresetPageAndItsDialogsArePictured) {
  ASSERT_EQ(Run({}).code, 0);
  fs::create_directories(machine() / "drive" / "c" / "_kesm");
  const fs::path shots = folder_.path() / "presets";
  const std::string steps =
      "click 2003\nclick 11111\ntype 2452 Office draft\nclick 1\n"
      "click 2003\nclick 11111\nshot save-name\ntype 2452 Booklet\nclick 1\n"
      "shot preset-page\nclick 2002\nshot maintenance\nclick 8\ncancel\n";
  const Result result = Run({"--shots", shots.string(), "--script", Script(steps).string()});
  ASSERT_EQ(result.code, 0) << result.err;
  const Picture page = ReadPicture(shots / "00-Preset.png");
  const Picture listed = ReadPicture(shots / "preset-page.png");
  EXPECT_EQ(listed.width, page.width);
  EXPECT_NE(Text(shots / "preset-page.png"), Text(shots / "00-Preset.png")) << "the page lists the presets saved";
  for (const char* dialog : {"save-name.png", "maintenance.png"}) {
    SCOPED_TRACE(dialog);
    const Picture picture = ReadPicture(shots / dialog);
    EXPECT_GT(picture.width, 200u);
    EXPECT_LT(picture.width, page.width);
    EXPECT_GT(picture.colours, 4u);
  }
}

// The nested settings sheet that the preset page's Save button opens is
// worked as the window in front: it opens on the page the preset page asks
// for (Edit, whose page-layout list the request names), a step works the
// controls of its page shown, and a step may name its window by a page's
// tab title or by a dialog's template id.
TEST_F(KesmSheet, TheNestedPresetSheetIsWorkedLikeTheSheet) {
  ASSERT_EQ(Run({}).code, 0);
  fs::create_directories(machine() / "drive" / "c" / "_kesm");
  const fs::path shots = folder_.path() / "shots";
  const std::string steps =
      "click 2003\nin 1003: shot nested\ncheck 3356\nin \"Edit\": shot nested-edit\nclick 11111\n"
      "in 1032: type 2452 Wide margins\nin 1032: ok\nok\n";
  const Result result = Run({"--shots", shots.string(), "--script", Script(steps).string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "the sheet ended with OK")) << result.out;
  // The preset saved from the nested sheet holds its binding margin, and
  // the sheet takes the new preset.
  EXPECT_TRUE(Has(result.out, "DEVMODE: kdmFuncSelectMargin: 0 -> 1")) << result.out;
  EXPECT_TRUE(Has(Text(machine() / "drive" / "c" / "_kesm" / "kesmusr.ini"), "Wide margins"));
  const Picture sheet = ReadPicture(shots / "00-Preset.png");
  const Picture nested = ReadPicture(shots / "nested.png");
  EXPECT_GT(nested.colours, 4u);
  // Its pages are pages of the document sheet, so it is as wide.
  EXPECT_EQ(nested.width, sheet.width);
}

// A step that names a window which is not open fails, naming the window;
// a window named in a way the script cannot take is refused at its line.
TEST_F(KesmSheet, AStepNamingAWindowNotOpenFailsNamingIt) {
  struct Case {
    const char* script;
    std::string message;
  };
  const Case cases[] = {
      {"in 1032: type 2452 Draft\n", "the control 2452 of the window of dialog 1032 does not exist"},
      {"in \"Nowhere\": ok\n", "line 1: the window \"Nowhere\" is not open"},
      {"in 1032 click 2\n", "line 1: in needs a dialog id or a quoted caption and a colon"},
      {"in \"\": click 2\n", "line 1: in needs a dialog id or a quoted caption and a colon"},
      {"in 0: click 2\n", "line 1: in needs a dialog id or a quoted caption and a colon"},
      {"in 1032: answer Delete OK\n", "line 1: answer finds its message box by its text, not by a window"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const Result result = Run({"--script", Script(c.script).string()});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(Has(result.err, c.message)) << result.err;
  }
}

// The font exchange page of the printer sheet, and the settings summary
// that the print-quality page's first button opens (closed by its own
// button), pictured as they stand when the script reaches them.
TEST_F(KesmSheet, ShotsOfTheFontsPageAndTheSettingsSummary) {
  struct Case {
    const char* what;
    std::vector<std::string> arguments;
    std::string steps;
    std::string picture;
    unsigned minWidth;
  };
  const Case cases[] = {
      {"fonts page", {"--printer-sheet"}, "tab 1\nshot fonts-page\ncancel\n", "fonts-page", 400},
      {"settings summary", {}, "tab 6\nclick 2136\nshot settings-summary\nclick 3585\ncancel\n", "settings-summary",
       200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path shots = folder_.path() / c.picture;
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--shots", shots.string(), "--script", Script(c.steps).string()});
    const Result result = Run(arguments);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Has(result.out, "the sheet ended with Cancel")) << result.out;
    const Picture picture = ReadPicture(shots / (c.picture + ".png"));
    EXPECT_GT(picture.width, c.minWidth);
    EXPECT_GT(picture.height, 200u);
    EXPECT_GT(picture.colours, 4u);
  }
}

// The print-quality page and the colour-profile dialogs a person opens
// from it: the colour-matching dialog, the profile dialog with a name typed,
// and the open dialog that looks for the profile file; each is left as a
// person leaves it.
TEST_F(KesmSheet, ShotsOfThePrintQualityPageAndTheProfileDialogs) {
  const fs::path shots = folder_.path() / "shots";
  const Result result =
      Run({"--shots", shots.string(), "--script",
           Script("tab 6\nshot quality\nclick 3450\nshot colour-matching\nclick 3947\ntype 2823 Photo\n"
                  "shot add-profile\nclick 2826\nshot profile-file\nclick 2\nclick 2\ncancel\ncancel\n")
               .string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "the sheet ended with Cancel")) << result.out;
  const Picture page = ReadPicture(shots / "quality.png");
  EXPECT_EQ(page.width, ReadPicture(shots / "06-Print-quality.png").width);
  for (const char* dialog : {"colour-matching.png", "add-profile.png", "profile-file.png"}) {
    SCOPED_TRACE(dialog);
    const Picture picture = ReadPicture(shots / dialog);
    EXPECT_GT(picture.width, 300u);
    EXPECT_GT(picture.height, 150u);
    EXPECT_LT(picture.width, page.width) << "the dialog in front, not the sheet";
    EXPECT_GT(picture.colours, 4u);
  }
}

// A printer of the W2 stamp model (installed by kesmprint from its
// description): the edit page's watermark list, a text watermark added
// through its dialog, pictured with the dialog open and after it closed.
TEST_F(KesmSheet, TheWatermarkListAndItsTextDialogArePictured) {
  const std::string install = "KESM_MACHINE='" + machine().string() + "' '" KESMPRINT_PROGRAM
                              "' --printer 'Kesm Stamp' --description '" KESM_TEST_DATA
                              "/kpd/kesm_w2_stamp.kpd' -o '" + (folder_.path() / "sample.kesm").string() + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(install.c_str()), 0);
  const fs::path shots = folder_.path() / "shots";
  const Result result = Run({"--printer", "Kesm Stamp", "--shots", shots.string(), "--script",
                             Script("tab 2\ncheck 2088\nclick 2091\ntype 2310 Draft\ntype 2312 DRAFT\n"
                                    "shot text-watermark\nok\nshot watermark-list\nok\n")
                                 .string()});
  ASSERT_EQ(result.code, 0) << result.err << result.out;
  const Picture dialog = ReadPicture(shots / "text-watermark.png");
  const Picture page = ReadPicture(shots / "watermark-list.png");
  const Picture edit = ReadPicture(shots / "02-Edit.png");
  EXPECT_GT(dialog.colours, 4u);
  EXPECT_LT(dialog.width, page.width) << "the dialog in front, not the sheet";
  EXPECT_EQ(page.width, edit.width);
  EXPECT_GT(page.colours, 4u);
  EXPECT_TRUE(Has(result.out, "the sheet ended with OK")) << result.out;
  EXPECT_TRUE(Has(result.out, "kdmFuncSelectWaterMark: 0 -> 1")) << result.out;
}

// The printer sheet's options page lists the sample's trays, and OK
// stores that the sample's tray 1 is offered.
TEST_F(KesmSheet, TheOptionsPageShowsTheTraysAndOkStoresTheOfferedTray) {
  const fs::path shots = folder_.path() / "shots";
  const Result result = Run({"--printer-sheet", "--shots", shots.string(), "--script",
                             Script("tab 0\nshot options\nok\n").string()});
  ASSERT_EQ(result.code, 0) << result.err;
  const Picture step = ReadPicture(shots / "options.png");
  const Picture page = ReadPicture(shots / "00-Options.png");
  // The tray list's selected line and the option list's check marks bring
  // colours beyond the page's face, frames and text.
  EXPECT_GE(step.colours, page.colours);
  EXPECT_GT(step.colours, 4u);
  EXPECT_EQ(step.width, page.width);
  EXPECT_EQ(step.height, page.height);
  EXPECT_TRUE(Has(result.out, "the sheet ended with OK")) << result.out;
  EXPECT_TRUE(Has(result.out, "printer data: kdmTrayField0: 0 -> 1")) << result.out;
}

// The layout check of the sample printer as a user runs it: every dialog
// looked at, counted and pictured, and an exit code that says whether a
// finding fails the check.
TEST_F(KesmSheet, TheCheckLooksAtEveryDialogOfTheSamplePrinter) {
  const fs::path shots = folder_.path() / "shots";
  const Result result = Run({"--check", "--shots", shots.string()});
  // A page is pictured in its sheet, a sub-dialog as itself.
  const Picture page = ReadPicture(shots / "1002.png");
  const Picture dialog = ReadPicture(shots / "1041.png");
  EXPECT_GT(page.width, dialog.width);
  EXPECT_GT(dialog.colours, 2u);
  EXPECT_TRUE(Has(result.out, "layout check of Kesm Sample\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "dialogs looked at: 63,")) << result.out;
  // A dialog with findings has a line of counts.
  EXPECT_EQ(std::regex_search(result.out, std::regex("\ndialog [0-9]+: ")), !Has(result.out, "findings: 0,"))
      << result.out;
  EXPECT_FALSE(Has(result.out, "could not check")) << result.out;
  const bool failing = !Has(result.out, "failing the check: 0\n");
  EXPECT_EQ(result.code, failing ? 1 : 0) << result.err;
  EXPECT_EQ(Has(result.err, "findings fail the layout check"), failing) << result.err;
}

TEST_F(KesmSheet, ErrorsAreOneLineNamingTheFault) {
  struct Case {
    const char* what;
    std::vector<std::string> arguments;
    int code;
    std::string message;
    bool machineMade;
  };
  const std::string steps = Script("tab 1\npick 2017\nok\n").string();
  const fs::path shotSteps = folder_.path() / "shot.txt";
  std::ofstream(shotSteps, std::ios::binary) << "tab 1\nshot basic\n";
  const fs::path badName = folder_.path() / "badname.txt";
  std::ofstream(badName, std::ios::binary) << "shot ../outside\n";
  const Case cases[] = {
      {"a refused line", {"--script", steps}, 1, "kesmsheet: the script " + steps + ", line 2: pick needs", false},
      {"a missing script", {"--script", "nowhere.txt"}, 1, "kesmsheet: cannot read the script nowhere.txt", false},
      {"a missing printer", {"--printer", "Nobody Printer"}, 1,
       "kesmsheet: there is no printer Nobody Printer on the machine", true},
      {"an unknown option", {"--frob"}, 2, "kesmsheet: unknown option --frob", false},
      {"a check with a sheet option", {"--check", "--printer-sheet"}, 2,
       "kesmsheet: --check takes only --printer, --details and --shots", false},
      {"details without the check", {"--details"}, 2, "kesmsheet: --details goes with --check", false},
      {"a check of a missing printer", {"--check", "--printer", "Nobody Printer"}, 1,
       "kesmsheet: there is no printer Nobody Printer on the machine", true},
      {"an option without its value", {"--shots"}, 2, "kesmsheet: --shots needs a value", false},
      {"a shot without a picture folder", {"--script", shotSteps.string()}, 1,
       "kesmsheet: line 2: shot needs --shots DIR", false},
      {"a shot named out of its folder", {"--script", badName.string(), "--shots", (folder_.path() / "p").string()}, 1,
       "kesmsheet: the script " + badName.string() + ", line 1: shot needs a picture name", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::error_code ec;
    fs::remove_all(machine(), ec);
    const Result result = Run(c.arguments);
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    // Nothing runs before the command line and the script are taken.
    EXPECT_EQ(fs::exists(machine()), c.machineMade);
  }
}

// A script is UTF-8 text: a binary file, or a line in another encoding
// (comments too), is refused at its first such line, and what an error
// quotes of a script reaches the terminal as UTF-8.
TEST_F(KesmSheet, AScriptThatIsNotUtf8TextIsRefusedAtItsFirstBadLine) {
  struct Case {
    const char* what;
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"a binary file", std::string("tab 1\n\x7f" "ELF\x02\x01\x01\0\0\0\nok\n", 20), "line 2: not text"},
      {"a comment in Latin-1", "# caf\xe9\nok\n", "line 1: not text"},
      {"a typed text in Latin-1", "tab 1\ntype 2388 caf\xe9\nok\n", "line 2: not text"},
      {"a byte-order mark and UTF-8", "\xEF\xBB\xBF# caf\xC3\xA9\n\xC3\xBC" "ber 3\n",
       "line 2: unknown step \"\xC3\xBC" "ber\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = Script(c.text).string();
    const Result result = Run({"--script", file});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err.rfind("kesmsheet: the script " + file + ", " + c.message, 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
}

// A click that drops a combo box leaves its list open; the next step folds
// it, as a person's click elsewhere would, and then does its own work.
TEST_F(KesmSheet, AListLeftDroppedIsFoldedBeforeTheNextStepActs) {
  const Result result = Run({"--script", Script("tab 1\nclick 2017\ncheck 3328\nok\n").string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "DEVMODE: kdmScaleCentering: 0 -> 1")) << result.out;
}

// A text the driver keeps in the ANSI code page (an output tray's name)
// shows in the change list as UTF-8, not as the code page's bytes.
TEST_F(KesmSheet, TheChangeListShowsStoredTextInUtf8) {
  const Result result =
      Run({"--printer-sheet", "--script", Script("tab 3\ntype 2193 Caf\xC3\xA9\nok\n").string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "printer data: wdmPrintPostTray1Name: \"\" -> \"Caf\xC3\xA9\"\n")) << result.out;
}

// pick chooses from list boxes (scrolled to an item below sight) and list
// views as from combo boxes. The 2-sided kinds can be chosen only while
// 2-sided printing is on.
TEST_F(KesmSheet, PickChoosesFromListBoxesAndListViews) {
  const std::string install = "KESM_MACHINE='" + machine().string() + "' '" KESMPRINT_PROGRAM
                              "' --printer 'Kesm Stamp' --description '" KESM_TEST_DATA
                              "/kpd/kesm_w2_stamp.kpd' -o '" + (folder_.path() / "sample.kesm").string() + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(install.c_str()), 0);
  const Result list = Run({"--printer", "Kesm Stamp", "--script", Script("tab 2\ncheck 3357\npick 2087 1\ncancel\n").string()});
  EXPECT_EQ(list.code, 0) << list.err;
  EXPECT_TRUE(Has(list.out, "the sheet ended with Cancel")) << list.out;
  const Result view = Run({"--printer-sheet", "--script", Script("tab 0\npick 2166 0\nok\n").string()});
  EXPECT_EQ(view.code, 0) << view.err;
  EXPECT_TRUE(Has(view.out, "the sheet ended with OK")) << view.out;
  const Result none = Run({"--printer-sheet", "--script", Script("tab 0\npick 2166 40\nok\n").string()});
  EXPECT_EQ(none.code, 1);
  EXPECT_TRUE(Has(none.err, "the control 2166")) << none.err;
}

// A printer of the Other page's description on the machine kesmsheet
// runs on: the print type picked on the preset page, its dialog opened
// from the Others page and pictured, the user-code confirmation and the
// version dialog opened from there and pictured, then the initial
// settings.
TEST_F(KesmSheet, ShotsPictureTheInitialSettingsAndTheOtherModulesDialogs) {
  {
    ASSERT_TRUE(plat::SetMachineRoot(machine()));
    std::error_code ec;
    fs::copy_file(fs::path(KESM_TEST_DATA) / "kpd" / "kesm_w2_other2.kpd", plat::DriverFilesFolder() / "KESMW2OT.KPD",
                  fs::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << ec.message();
    plat::DriverSetup driver;
    driver.name = u"Kesm W2 Series";
    driver.driverFile = u"kesmgr.dll";
    driver.dataFile = u"KESMW2OT.KPD";
    driver.configFile = u"kesmui.dll";
    ASSERT_EQ(plat::AddPrinterDriver(driver), static_cast<DWORD>(ERROR_SUCCESS));
    plat::PrinterSetup printer;
    printer.name = u"Kesm W2 Office";
    printer.driverName = u"Kesm W2 Series";
    ASSERT_EQ(plat::AddPrinter(printer), static_cast<DWORD>(ERROR_SUCCESS));
  }
  const fs::path shots = folder_.path() / "other";
  const std::string steps = "tab 0\npick 3303 2\ntab 5\nclick 2114\nshot print-type\nclick 2\n"
                            "click 3436\ntype 3933 4711\nclick 1\nshot user-code-confirmation\nclick 6\n"
                            "click 3435\nshot version\nclick 1\n"
                            "tab 7\nshot initial-settings\ncancel\n";
  const Result result = Run({"--printer", "Kesm W2 Office", "--shots", shots.string(), "--script", Script(steps).string()});
  ASSERT_EQ(result.code, 0) << result.err << result.out;
  if (const char* keep = std::getenv("KESM_KEEP_SHOTS")) fs::copy(shots, keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
  const Picture dialog = ReadPicture(shots / "print-type.png");
  const Picture page = ReadPicture(shots / "initial-settings.png");
  for (const char* small : {"user-code-confirmation.png", "version.png"}) {
    const Picture picture = ReadPicture(shots / small);
    EXPECT_GT(picture.colours, 4u) << small;
    EXPECT_LT(picture.width, page.width) << small;
  }
  // The dialog is smaller than the sheet; both show their texts and
  // controls.
  EXPECT_GT(dialog.width, 300u);
  EXPECT_GT(dialog.height, 200u);
  EXPECT_GT(dialog.colours, 4u);
  EXPECT_GT(page.colours, 4u);
  EXPECT_LT(dialog.width, page.width);
  EXPECT_TRUE(Has(result.out, "wrote " + (shots / "print-type.png").string())) << result.out;
}

// The chapter and cover dialogs of a printer with chapters, opened from the
// cover-and-mark page: pictures of the chapter dialog before and after two
// chapters are added, of the page's read-only list, and of the cover dialog.
TEST_F(KesmSheet, TheChapterAndCoverDialogsArePictured) {
  const std::string install = "KESM_MACHINE='" + machine().string() + "' '" KESMPRINT_PROGRAM
                              "' --printer 'Chapter C9' --description '" KESM_TEST_DATA
                              "/kpd/kesm_c9_chapter_page.kpd' -o '" +
                              (folder_.path() / "first.kesm").string() + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(install.c_str()), 0);
  // The first sheet accepted writes the user's settings INI in the shared
  // folder; then that INI allows eight chapters on two trays.
  const fs::path ini = machine() / "drive" / "c" / "_kesm" / "kesmusr.ini";
  fs::create_directories(ini.parent_path());
  ASSERT_EQ(Run({"--printer", "Chapter C9", "--script", Script("ok\n").string()}).code, 0);
  std::string text = Text(ini);
  for (const auto& [from, to] : {std::pair{"ChapterMax=0", "ChapterMax=8"}, {"ChapterTrayMax=0", "ChapterTrayMax=2"}}) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, std::string(from).size(), to);
  }
  std::ofstream(ini, std::ios::binary) << text;

  const fs::path shots = folder_.path() / "shots";
  const Result result = Run({"--printer", "Chapter C9", "--shots", shots.string(), "--script",
                             Script("tab 4\nclick 2714\nshot chapter-empty\npick 3731 1\ntype 2776 1,3-5\n"
                                    "click 3737\npick 3730 1\ntype 2776 8\nclick 3737\nshot chapter\nclick 1\n"
                                    "shot cover-mark\nclick 3417\nshot cover\nclick 2\nok\n")
                                 .string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "the sheet ended with OK")) << result.out;
  const Picture empty = ReadPicture(shots / "chapter-empty.png");
  const Picture chapters = ReadPicture(shots / "chapter.png");
  const Picture page = ReadPicture(shots / "cover-mark.png");
  const Picture cover = ReadPicture(shots / "cover.png");
  // Each dialog's picture is the dialog's own, not the sheet's under it.
  for (const Picture& dialog : {empty, chapters, cover}) {
    EXPECT_GT(dialog.width, 300u);
    EXPECT_GT(dialog.height, 150u);
    EXPECT_FALSE(dialog.width == page.width && dialog.height == page.height);
  }
  // The chapters are drawn in the list.
  EXPECT_EQ(chapters.width, empty.width);
  EXPECT_NE(Text(shots / "chapter.png"), Text(shots / "chapter-empty.png"));
  EXPECT_GT(page.colours, 4u);
}

}  // namespace

namespace {

// The free-size dialogs, opened from the Basic page's buttons, pictured
// over the sheet: the input dialog of the job's size and the list of
// named sizes.
// The custom paper size opens on portrait, as a person expects of a new
// size, and the orientation chosen there is handed out by OK.
TEST_F(KesmSheet, TheCustomSizeStartsPortraitAndOkKeepsTheOrientationChosen) {
  const Result result = Run({"--script", Script("tab 1\nclick 3352\ncheck 2702\nclick 1\nok\n").string()});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "DEVMODE: kdmPaperFreeSizeOrient: 1 -> 2")) << result.out;
}

TEST_F(KesmSheet, TheFreeSizeDialogsArePictured) {
  const fs::path shots = folder_.path() / "shots";
  const Result result =
      Run({"--shots", shots.string(), "--script",
           Script("tab 1\nclick 3352\nshot freesize-input\nclick 2\nclick 3353\nshot freesize-list\nclick 2\ncancel\n")
               .string()});
  ASSERT_EQ(result.code, 0) << result.err;
  for (const char* name : {"freesize-input.png", "freesize-list.png"}) {
    SCOPED_TRACE(name);
    const Picture picture = ReadPicture(shots / name);
    EXPECT_GT(picture.width, 300u);
    EXPECT_GT(picture.height, 200u);
    EXPECT_GT(picture.colours, 4u);
  }
}

}  // namespace
