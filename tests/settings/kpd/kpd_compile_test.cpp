// The sample descriptions compile, pack and load to what their text says.
#include <gtest/gtest.h>

#include <string_view>

#include "tests/settings/kpd/kpd_compile_sample.h"
#include "tests/settings/bkpd/bkpd_sample.h"
#include "platform/base/control.h"
#include "tests/platform/drive_files.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/tables/keyword_tables.h"
#include "settings/system/memptr.h"

namespace {

using kpdtest::FindGroup;
using kpdtest::FindOption;
using kpdtest::Options;
using kpdtest::Text;

using kpdtest::Fill;
using kpdtest::G;
using kpdtest::V;

std::string O(std::string_view keyword, const char* command) { return std::to_string(V(keyword)) + ":" + command; }

class RichSample : public testing::Test {
 protected:
  void SetUp() override {
    WorkBKPD* work = kpdtest::CompileText(kpdtest::Fixture("kesm_c7_colour.kpd"), &report_);
    ASSERT_NE(work, nullptr);
    for (const WorkCommandString* s = work->commandStrings; s != nullptr; s = s->next) {
      strings_.emplace_back(s->id, std::string(s->text, s->length));
    }
    packed_ = kpdtest::PackAndFree(work);
    b_ = packed_.Load();
    ASSERT_NE(b_, nullptr);
  }
  const UiGroup* Group(std::string_view keyword, WORD sub = 0) {
    const UiGroup* g = FindGroup(b_, G(keyword), sub);
    EXPECT_NE(g, nullptr) << keyword;
    return g;
  }

  KpdCompileReport report_{};
  std::vector<std::pair<DWORD, std::string>> strings_;
  kpdtest::Packed packed_;
  PCBKPD b_ = nullptr;
};

TEST_F(RichSample, CompilesWithoutFaults) {
  EXPECT_EQ(report_.faultCount, 0u) << KpdFaultName(report_.faults[0].fault) << " at " << report_.faults[0].offset;
  EXPECT_EQ(report_.endResult, kKpdEndOfFile);
}

// The constraint data as the loaded description holds it: judges inlined
// through their names, the stop action (dialog 1011, the options dialog),
// the default of the paper group (its first option), and the message-box
// answers 1 and 2. Settings: 8 paper size, 12 copies, 13 tray, 15 colour,
// 58 duplex.
constexpr const char* kRichConstraints = R"(exclusive {g:KPD_IDC_PRESET_CHOICE_PAPERSIZE} hide [] disable []
  item {v:PAPER_A3} hide [1:13 2:{v:TRAY_TRAY2} 3:1 3:5 1:8 2:{v:PAPER_A3} 3:1 3:3 3:10 ] disable []
  item {v:PAPER_LETTER} hide [] disable [1:58 2:1 3:1 3:10 ]
exclusive {g:KPD_IDC_PRESET_FUNCSELECTDUPLEX} hide [] disable [1:13 2:{v:TRAY_TRAY2} 3:1 3:5 1:8 2:{v:PAPER_A3} 3:1 3:3 3:10 ]
  alert 320 icon 48 button 1 timing 2 when [1:15 2:{v:DMCOLOR_COLOR} 3:1 1:58 2:1 3:1 3:3 3:10 ]
   on 1 tab 1001 control 3302
    transact [1:15 2:{v:DMCOLOR_COLOR} 3:1 3:10 ] actions 15={v:DMCOLOR_MONOCHROME} 12=1
    transact [] actions 8={v:PAPER_A4} 1011!0
   on 2 tab 1001 control 2029
  alert 317 icon 16 button 0 timing 0 when [1:12 2:99 3:6 3:10 ]
  transact [1:12 2:99 3:6 3:10 ] actions 15={v:DMCOLOR_MONOCHROME} 12=1
exclusive {g:KPD_IDC_PRESET_CHOICE_COLOR} hide [1:15 2:{v:DMCOLOR_COLOR} 3:1 3:10 ] disable []
  transact [1:15 2:{v:DMCOLOR_COLOR} 3:1 3:10 ] actions 15={v:DMCOLOR_MONOCHROME} 12=1
  transact [] actions 8={v:PAPER_A4} 1011!0
  2nd transact [1:12 2:99 3:6 3:10 ] actions 15={v:DMCOLOR_MONOCHROME} 12=1
)";

TEST_F(RichSample, ConstraintDefinitionsReachTheirGroups) {
  EXPECT_EQ(sample::DescribeConstraints(b_), Fill(kRichConstraints));
  EXPECT_EQ(BkpdGroupExclusive(b_, Group("KPD_IDC_PRESET_CHOICE_COLOR")), BkpdNext(b_, BkpdNext(b_, BkpdFirstExclusive(b_))));
  EXPECT_EQ(BkpdGroupExclusive(b_, Group("KPD_IDC_PRESET_COPIES")), nullptr);
}

// Every form of the command trees, read back through the loaded description.
constexpr const char* kRichCommandTrees = R"(JobStart
  when []
    string 16 '\x1B%-12345X@PJL\r\n'
    string 27 '@PJL ENTER LANGUAGE=KESM\r\n'
    group {g:KPD_IDC_PRESET_CHOICE_PAPERSIZE} 0
    group {g:KPD_IDC_PRESET_COPIES} 2
    nested
      when [1:15 2:{v:DMCOLOR_COLOR} 3:1 3:10 ]
        group {g:KPD_IDC_PRESET_CHOICE_COLOR} 0
      else
        nested
          when [1:58 2:1 3:1 3:10 ]
            fonts
          else
            string 22 '@PJL SET COLOR=MONO\r\n'
JobEnd
  when []
    string 10 '\x1B%-12345X'
DocReset
  when []
    nested
      when []
        fonts
        string 8 'RESET\r\n'
PageStart
  when []
    nested
      when [1:58 2:1 3:1 3:10 ]
        group {g:KPD_IDC_PRESET_FUNCSELECTDUPLEX} -1
      else
        string 10 'SIMPLEX\r\n'
PageEnd
  when []
    string 2 '\x0C'
)";

TEST_F(RichSample, CommandTreesHoldEveryItemForm) {
  EXPECT_EQ(sample::DescribeCommandTrees(b_), Fill(kRichCommandTrees));
}

TEST_F(RichSample, HeaderNamesVersionAndLibraries) {
  EXPECT_EQ(kpdtest::Wide(BkpdVersion(b_)), L"4.88");
  EXPECT_EQ(kpdtest::Wide(BkpdUiResDllName(b_)), L"kesmc7res.dll");
  EXPECT_EQ(kpdtest::Wide(BkpdExcDepDllName(b_)), L"kesmc7dep.dll");
}

TEST_F(RichSample, CommandStringsAreDecoded) {
  const std::vector<std::pair<DWORD, std::string>> expected = {
      {1, std::string("\x1b") + "%-12345X@PJL\r\n" + '\0'},
      {2, std::string("@PJL ENTER LANGUAGE=KESM\r\n") + '\0'},
      {3, std::string("@PJL SET COLOR=MONO\r\n") + '\0'},
      {4, std::string("\x1b") + "%-12345X" + '\0'},
      {5, std::string("SIMPLEX\r\n") + '\0'},
      {6, std::string("RESET\r\n") + '\0'},
      {7, std::string("\f") + '\0'},  // the text before the quote is passed over
  };
  EXPECT_EQ(strings_, expected);
}

TEST_F(RichSample, PaperGroupHasOptionsSizesAndAreas) {
  const UiGroup* g = BkpdSlotGroup(b_, 8);
  ASSERT_EQ(g, Group("KPD_IDC_PRESET_CHOICE_PAPERSIZE"));
  EXPECT_EQ(g->type, kUiPickPage);
  EXPECT_EQ(g->defaultIndex, 0);
  // The repeated A4 line does not replace the first.
  EXPECT_EQ(Options(b_, g), (std::vector<std::string>{O("PAPER_A4", "A4"), O("PAPER_A3", "A3"),
                                                      O("PAPER_LETTER", "LETTER")}));
  const UiCommandPair* pair = BkpdGroupCommands(b_, g);
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(Text(BkpdAnsi(b_, pair->first)), "@PJL SET PAPER=");
  EXPECT_EQ(Text(BkpdAnsi(b_, pair->second)), "\r\n");

  struct Size { const char* paper; DWORD width, length; };
  for (const Size& s : {Size{"PAPER_A4", 2100, 2970}, Size{"PAPER_A3", 2970, 4200}, Size{"PAPER_LETTER", 2159, 0}}) {
    const UiPageOption* p = BkpdPageOption(b_, g, FindOption(b_, g, V(s.paper)));
    ASSERT_NE(p, nullptr) << s.paper;
    EXPECT_EQ(p->width, s.width) << s.paper;
    EXPECT_EQ(p->length, s.length) << s.paper;
  }
  const UiPageOption* a4 = BkpdPageOption(b_, g, FindOption(b_, g, V("PAPER_A4")));
  const UiPageArea* a = BkpdFirstPageArea(b_, a4);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->resolution, 600);
  EXPECT_EQ(a->orientation, V("DMORIENTATION_PORTRAIT"));
  EXPECT_EQ(a->condGroupId, 0);
  EXPECT_EQ((std::vector<DWORD>{a->left, a->top, a->width, a->height, a->first, a->second}),
            (std::vector<DWORD>{100, 120, 4760, 6776, 1, 2}));
  a = BkpdNext(b_, a);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->resolution, V("KKDMDSTRESOLUTIONW_1200DPI"));
  EXPECT_EQ(a->orientation, V("DMORIENTATION_LANDSCAPE"));
  EXPECT_EQ(a->condGroupId, G("KPD_IDC_PRESET_CHOICE_COLOR"));
  EXPECT_EQ(a->condValue, V("DMCOLOR_COLOR"));
  EXPECT_EQ(static_cast<LONG>(a->first), -2);
  EXPECT_EQ(BkpdNext(b_, a), nullptr);
  const UiPageOption* letter = BkpdPageOption(b_, g, FindOption(b_, g, V("PAPER_LETTER")));
  EXPECT_EQ(BkpdFirstPageArea(b_, letter), nullptr);
}

TEST_F(RichSample, TrayGroupListsPapersPerTray) {
  const UiGroup* g = Group("KPD_IDC_PRESET_CHOICE_SOURCETRAY");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->type, kUiPickSlot);
  EXPECT_EQ(g->defaultIndex, 1);  // TRAY_TRAY1, the second option
  struct Tray { const char* tray; std::vector<WORD> papers; };
  const Tray trays[] = {
      {"TRAY_AUTO", {}},
      {"TRAY_TRAY1", {V("PAPER_A4"), V("PAPER_LETTER")}},
      {"TRAY_TRAY2", {V("PAPER_A4"), V("PAPER_A3"), V("PAPER_LETTER")}},
      {"TRAY_MANUAL", {}},
  };
  for (const Tray& t : trays) {
    const UiSlotOption* s = BkpdSlotOption(b_, g, FindOption(b_, g, V(t.tray)));
    ASSERT_NE(s, nullptr) << t.tray;
    const std::span<const WORD> papers = BkpdSlotPapers(b_, s);
    EXPECT_EQ(std::vector<WORD>(papers.begin(), papers.end()), t.papers) << t.tray;
  }
}

TEST_F(RichSample, ChoiceGroupsKeepOptionsAndDefaults) {
  struct Row { const char* group; WORD type; WORD defaultIndex; std::vector<std::string> options; };
  const Row rows[] = {
      {"KPD_IDC_PRESET_CHOICE_COLOR", kUiPickOne, 0,
       {O("DMCOLOR_COLOR", "@PJL SET RENDERMODE=COLOR\r\n"),
        O("DMCOLOR_MONOCHROME", "@PJL SET RENDERMODE=GRAYSCALE\r\n")}},
      {"KPD_IDC_FINISH_CHOICE_STAPLE_TYPE", kUiPickOne, 1,
       {O("KKDMSTAPLETYPE_NONE", "-"), O("KKDMSTAPLETYPE_LEFTTOP", "STAPLE=LEFTTOP"),
        O("KKDMSTAPLETYPE_TWO_LEFT", "STAPLE=DUAL\"LEFT\"")}},
      // The default names no option of the group, so it falls back to 0.
      {"KPD_IDC_FINISH_CHOICE_PUNCH_TYPE", kUiPickOne | kUiTypeUnknown, 0,
       {O("KKDMPUNCHTYPE_2HOLE_LEFT", "PUNCH=2"), O("KKDMPUNCHTYPE_3HOLE_LEFT", "PUNCH=3")}},
      {"KPD_IDC_FINISH_CHOICE_Z_FOLD_TYPE", kUiPickOne, 0,
       {O("KKDMFOLDTYPE_NONE", "-"), O("KKDMFOLDTYPE_ZFOLD", "FOLD=Z"), O("KKDMFOLDTYPE_HALFFOLD", "FOLD=HALF")}},
      {"KPD_IDC_PRESET_CHOICE_OUTPUT", kUiPickMany, 0,
       {O("KKDMOUTPUTTRAYID_V0", "BIN=0"), O("KKDMOUTPUTTRAYID_V1", "BIN=1")}},
      {"KPD_IDC_EDIT_CHOICE_DUPLEX_TYPE", kUiPickOne, 1,
       {O("KKDMDUPLEXTYPE_NONE", "-"), O("KKDMDUPLEXTYPE_LEFT", "BINDING=LONGEDGE"),
        O("KKDMDUPLEXTYPE_TOP", "BINDING=SHORTEDGE")}},
  };
  for (const Row& row : rows) {
    const UiGroup* g = Group(row.group);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->type, row.type) << row.group;
    EXPECT_EQ(g->defaultIndex, row.defaultIndex) << row.group;
    EXPECT_EQ(Options(b_, g), row.options) << row.group;
  }
}

TEST_F(RichSample, SubGroupSharesOptionsWithItsOwnDefaultAndCommands) {
  const UiGroup* main = Group("KPD_IDC_PRESET_CHOICE_COLOR");
  const UiGroup* sub = Group("KPD_IDC_PRESET_CHOICE_COLOR", 1);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->options, main->options);
  EXPECT_EQ(sub->defaultIndex, 1);  // DMCOLOR_MONOCHROME
  EXPECT_EQ(sub->funcId, 15);
  EXPECT_EQ(BkpdGroupCommands(b_, main), nullptr);
  const UiCommandPair* pair = BkpdGroupCommands(b_, sub);
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(Text(BkpdAnsi(b_, pair->first)), "COLOUR SUB ");
  EXPECT_EQ(pair->second, 0u);
  EXPECT_EQ(BkpdSlotGroup(b_, 15), main);
}

TEST_F(RichSample, ValueGroupsHoldTheirRecords) {
  const UiBooleanValue* duplex = BkpdBooleanValue(b_, Group("KPD_IDC_PRESET_FUNCSELECTDUPLEX"));
  ASSERT_NE(duplex, nullptr);
  EXPECT_EQ(duplex->defaultValue, 1u);
  EXPECT_EQ(Text(BkpdAnsi(b_, duplex->trueCommand)), "DUPLEX=ON");
  EXPECT_EQ(Text(BkpdAnsi(b_, duplex->falseCommand)), "DUPLEX=OFF");

  const UiNumericValue* copies = BkpdNumericValue(b_, Group("KPD_IDC_PRESET_COPIES"));
  ASSERT_NE(copies, nullptr);
  EXPECT_EQ((std::vector<LONG>{copies->lead, copies->first, static_cast<LONG>(copies->second),
                               static_cast<LONG>(copies->third), static_cast<LONG>(copies->fourth), copies->fifth,
                               copies->sixth, copies->seventh, copies->eighth}),
            (std::vector<LONG>{3, 3, 1, 1, 999, 10, 20, 30, 40}));

  const UiStringValue* password = BkpdStringValue(b_, Group("KPD_IDC_PRINTTYPE_JOBPASSWORD"));
  ASSERT_NE(password, nullptr);
  EXPECT_EQ(password->maxLength, 8);
  EXPECT_EQ(password->stringType, kStrNumeric);
  EXPECT_EQ(password->displayType, kStrPassword);
}

TEST_F(RichSample, FontTableOptionHoldsItsPairs) {
  const UiGroup* g = Group("KPD_RADIOLIST_8");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->type, kUiFontTbl);
  EXPECT_EQ(g->defaultIndex, 1);
  const UiFontTblOption* device = BkpdFontTblOption(b_, g, FindOption(b_, g, V("KKDMTTFONT_V1")));
  ASSERT_NE(device, nullptr);
  ASSERT_EQ(device->count, 2u);
  EXPECT_EQ(Text(BkpdFontTblTrueType(b_, device, 0)), "Lumen Sans");
  EXPECT_EQ(Text(BkpdFontTblDevice(b_, device, 0)), "Kesm Sans");
  EXPECT_EQ(Text(BkpdFontTblTrueType(b_, device, 1)), "Lumen Serif");
  EXPECT_EQ(Text(BkpdFontTblDevice(b_, device, 1)), "Kesm Serif");
  const UiFontTblOption* download = BkpdFontTblOption(b_, g, FindOption(b_, g, V("KKDMTTFONT_V0")));
  ASSERT_NE(download, nullptr);
  EXPECT_EQ(download->count, 0u);
}

TEST_F(RichSample, IdentityGroupCopiesThePaperGroup) {
  const UiGroup* paper = Group("KPD_IDC_PRESET_CHOICE_PAPERSIZE");
  const UiGroup* g = FindGroup(b_, G("KPD_IDC_EDIT_OUTPAPERSIZE"), G("KPD_IDC_PRESET_CHOICE_PAPERSIZE"));
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->type, kUiIdentity | kUiPickPage);
  EXPECT_EQ(g->funcId, 46);
  EXPECT_EQ(g->options, paper->options);
}

TEST_F(RichSample, DeviceFontsAndCartridges) {
  struct Font { bool option; DWORD number; const char* name; };
  const Font fonts[] = {{false, 1, "Kesm Sans"}, {false, 2, "Kesm Serif"}, {false, 3, "Kesm Mono"},
                        {true, 10, "Kesm Barcode"}};
  EXPECT_EQ(BkpdFontCount(b_, false), 3u);
  EXPECT_EQ(BkpdFontCount(b_, true), 1u);
  DWORD index[2] = {0, 0};
  for (const Font& f : fonts) {
    const BKPDFONT* font = BkpdFont(b_, f.option, index[f.option]++);
    ASSERT_NE(font, nullptr) << f.name;
    EXPECT_EQ(font->number, f.number);
    EXPECT_EQ(Text(BkpdAnsi(b_, font->name)), f.name);
  }
}

TEST(PlainSample, CompilesToItsFourGroups) {
  KpdCompileReport report{};
  const kpdtest::Packed packed = kpdtest::PackAndFree(kpdtest::CompileText(kpdtest::Fixture("kesm_m3.kpd"), &report));
  const PCBKPD b = packed.Load();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(report.faultCount, 0u);
  std::vector<WORD> funcs;
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) funcs.push_back(g->funcId);
  EXPECT_EQ(funcs, (std::vector<WORD>{8, 13, 12, 19}));
  EXPECT_EQ(BkpdSlotGroup(b, 8)->defaultIndex, 1);  // PAPER_LETTER
  const UiBooleanValue* collate = BkpdBooleanValue(b, BkpdSlotGroup(b, 19));
  ASSERT_NE(collate, nullptr);
  EXPECT_EQ(collate->defaultValue, 0u);
  EXPECT_EQ(Text(BkpdAnsi(b, collate->trueCommand)), "COLLATE=ON");
  EXPECT_EQ(collate->falseCommand, 0u);
  const UiNumericValue* copies = BkpdNumericValue(b, BkpdSlotGroup(b, 12));
  ASSERT_NE(copies, nullptr);
  EXPECT_EQ(copies->lead, 0);
  EXPECT_EQ(copies->fourth, 99u);
  EXPECT_EQ(BkpdFontCount(b, false), 0u);
  EXPECT_EQ(BkpdExcDepDllName(b), nullptr);
  EXPECT_EQ(sample::DescribeConstraints(b),
            Fill("exclusive {g:KPD_IDC_PRESET_COLLATE} hide [] disable [1:12 2:1 3:9 3:10 ]\n"));
  EXPECT_EQ(BkpdGroupExclusive(b, BkpdSlotGroup(b, 19)), BkpdFirstExclusive(b));
  EXPECT_EQ(sample::DescribeCommandTrees(b),
            Fill("JobStart\n  when []\n    string 27 '@PJL ENTER LANGUAGE=KESM\\r\\n'\n"
                 "    group {g:KPD_IDC_PRESET_COLLATE} 0\n"
                 "JobEnd\n  when []\n    string 27 '@PJL ENTER LANGUAGE=KESM\\r\\n'\n"));
}

// The exclusive section is as large as its records: 32 bytes for each
// exclusive record, the tokens of every judge, 16 for each item and alert
// action, 12 for each action and transact, 20 for each alert.
TEST(RichSampleSize, ExclusiveSectionHoldsExactlyItsRecords) {
  WorkBKPD* work = kpdtest::CompileText(kpdtest::Fixture("kesm_c7_colour.kpd"), nullptr);
  ASSERT_NE(work, nullptr);
  ULONGLONG expected = 0;
  for (const WorkJudge* j = work->judges; j != nullptr; j = j->next) expected += j->areaSize;
  const auto entries = [](const auto* lists, ULONGLONG bytes) {
    ULONGLONG sum = 0;
    for (; lists != nullptr; lists = lists->next) {
      for (const auto* e = lists->first; e != nullptr; e = e->next) sum += bytes;
    }
    return sum;
  };
  expected += entries(work->items, 16) + entries(work->actions, 12) + entries(work->transacts, 12) +
              entries(work->alertActions, 16) + entries(work->alerts, 20);
  for (const WorkExclusive* x = work->exclusives; x != nullptr; x = x->next) expected += 32;
  EXPECT_EQ(GetExclusiveWriteSize(work), expected);
  // Judges of 4, 4, 8, 9 and 4 tokens; 2 items, 4 actions, 3 transacts, 2
  // alert actions, 2 alerts, 3 exclusive records.
  EXPECT_EQ(expected, (4 + 4 + 8 + 9 + 4) * 4 + 2 * 16 + 4 * 12 + 3 * 12 + 2 * 16 + 2 * 20 + 3 * 32);
  WorkBKPD_Free(work);
}

TEST(CompileFile, ReadsTheDescriptionFileAndItsVersion) {
  plat::ScopedMachine machine;
  drive::Put("Drivers/kesmm3.kpd", kpdtest::Fixture("kesm_m3.kpd"));
  const size_t before = plat::LiveBlocks();
  WorkBKPD* work = WorkBKPD_Create(u"C:\\Drivers\\kesmm3.kpd");
  ASSERT_NE(work, nullptr);
  EXPECT_NE(work->crc, 0);
  WorkBKPD_Free(work);
  EXPECT_EQ(plat::LiveBlocks(), before);
  EXPECT_EQ(WorkBKPD_Create(u"C:\\Drivers\\missing.kpd"), nullptr);

  WCHAR version[16] = u"unchanged";
  EXPECT_EQ(GetKPDVersion(u"C:\\Drivers\\missing.kpd", version), 1);
  EXPECT_EQ(kpdtest::Wide(version), L"unchanged");
  EXPECT_EQ(GetKPDVersion(u"C:\\Drivers\\kesmm3.kpd", version), 1);
  EXPECT_EQ(kpdtest::Wide(version), L"4.88");
  EXPECT_EQ(plat::LiveBlocks(), before);
}

}  // namespace

namespace {

// A machine with one printer of our own fictional colour model.
class KesmPrinter : public testing::Test {
 protected:
  void SetUp() override {
    plat::DriverSetup driver;
    driver.name = u"Kesm C7 Colour";
    driver.driverFile = u"kesmgr.dll";
    driver.dataFile = u"kesmc7.kpd";
    driver.configFile = u"kesmui.dll";
    ASSERT_EQ(plat::AddPrinterDriver(driver), ERROR_SUCCESS);
    plat::PrinterSetup printer;
    printer.name = u"Studio C7";
    printer.driverName = u"Kesm C7 Colour";
    ASSERT_EQ(plat::AddPrinter(printer), ERROR_SUCCESS);
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(u"Studio C7", &printer_, &defaults));
  }
  void TearDown() override { ClosePrinter(printer_); }

  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
};

TEST_F(KesmPrinter, DataFileNameIsTheDriversDataFilePath) {
  const size_t before = plat::LiveBlocks();
  LPWSTR path = GetDataFileName(printer_);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(std::u16string(path), plat::DriverFilesDirectory() + u"\\kesmc7.kpd");
  FreeMemPtr(path);
  EXPECT_EQ(GetDataFileName(nullptr), nullptr);
  EXPECT_EQ(plat::LiveBlocks(), before);
}

}  // namespace

namespace {

// Small texts and the one group each leaves.
struct GroupCase {
  const char* name;
  std::string text;
  WORD subGroup;
  WORD type;
  WORD defaultIndex;
  size_t options;
};

void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.name; }

const std::string kColour = "*OpenUI *KPD_IDC_PRESET_CHOICE_COLOR";

const GroupCase kGroupCases[] = {
    {"UnknownTypeWordGivesPickOne", kColour + ": Dial\n*CloseUI\n", 0, kUiPickOne, 0, 0},
    {"UnknownSecondTypeWordAddsPickOne", kColour + ": PickOne | Dial\n*CloseUI\n", 0, kUiPickOne, 0, 0},
    {"SubGroupWithoutMainIsAFreshGroup", kColour + " 3: PickMany\n*CloseUI\n", 0, kUiPickMany, 0, 0},
    {"DefaultWithoutItsOptionFallsBackToFirst",
     kColour + ": PickOne\n*DefaultKPD_IDC_PRESET_CHOICE_COLOR: DMCOLOR_COLOR\n"
               "*KPD_IDC_PRESET_CHOICE_COLOR DMCOLOR_MONOCHROME: \"M\"\n*CloseUI\n",
     0, kUiPickOne, 0, 1},
    {"OptionListStopsAtFirstUnknownWord",
     kColour + ": PickOne\n*KPD_IDC_PRESET_CHOICE_COLOR: IDList{ DMCOLOR_COLOR NOT_A_VALUE DMCOLOR_MONOCHROME }\n"
               "*CloseUI\n",
     0, kUiPickOne, 0, 1},
    {"SubGroupKeepsAnIndexBelowTheOptionCount",
     kColour + ": PickOne\n*KPD_IDC_PRESET_CHOICE_COLOR: IDList{ DMCOLOR_COLOR DMCOLOR_MONOCHROME }\n"
               "*DefaultKPD_IDC_PRESET_CHOICE_COLOR: DMCOLOR_MONOCHROME\n*CloseUI\n" +
         kColour + " 2: PickOne\n*CloseUI\n",
     2, kUiPickOne, 1, 2},
};

class GroupCases : public testing::TestWithParam<GroupCase> {};

TEST_P(GroupCases, LeaveTheGroupTheTextDescribes) {
  const GroupCase& c = GetParam();
  const kpdtest::Packed packed = kpdtest::PackAndFree(kpdtest::CompileText(c.text, nullptr));
  const PCBKPD b = packed.Load();
  ASSERT_NE(b, nullptr);
  const UiGroup* g = FindGroup(b, G("KPD_IDC_PRESET_CHOICE_COLOR"), c.subGroup);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->type, c.type);
  EXPECT_EQ(g->defaultIndex, c.defaultIndex);
  EXPECT_EQ(Options(b, g).size(), c.options);
}

INSTANTIATE_TEST_SUITE_P(Compiler, GroupCases, testing::ValuesIn(kGroupCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
