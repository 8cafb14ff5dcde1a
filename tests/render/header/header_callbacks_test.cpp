// The header callbacks, one row per callback and case: the text each writes
// through a group's template of the H2 description (or of its own), on the
// context of a PDEV of the H2 printer. Every row runs a size pass and a
// fill pass, which must agree. Then the numbers of the scaled values, the
// font lines, the chapter plan and the colour-rendering files.
#include <climits>
#include <cstring>
#include <functional>
#include <optional>

#include "features/chapter_blocks.h"
#include "platform/spooler/winspool.h"
#include "render/header/kpjl_blocks.h"
#include "render/header/kpjl_callbacks.h"
#include "render/header/kpjl_walk.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/text_language.h"
#include "tests/render/header/h2_fixture.h"

namespace render_test {
namespace {

constexpr const char* kUserIdGroup = "KPD_IDC_PRINTTYPE_USERID";  // "@PJL SET USERID = " x " \r\n"
constexpr const char* kMarginGroup = "KPD_IDC_MARGIN_MARGINODD";  // "@PJL SET MARGINODD = " x " \r\n", 1/1
constexpr const char* kChapterGroup = "KPD_IDC_CVRMARK_FUNCSELECTCHAPTER";
constexpr const char* kPageFormGroup = "KPD_IDC_HF_CHOICE_PAGE_FORM";

class HeaderCallbacks : public RenderTest {
 protected:
  const char* Description() const override { return kH2Description; }
  void SetUp() override {
    RenderTest::SetUp();
    clock_.emplace();
    Devmode devmode;
    dc_ = Enable(devmode);
    ASSERT_NE(dc_, nullptr);
    ucb_ = dc_->pdev()->ucb;
    ResetReplaceStrings();
  }
  void TearDown() override {
    ResetReplaceStrings();
    clock_.reset();
    RenderTest::TearDown();
  }

 public:  // the table rows' setups reach these

  const UiGroup* Group(const char* keyword) const {
    const GK* gk = GetGKbyKeyWord(keyword);
    return gk != nullptr ? BKPDGetUiGroupAddrBySubID(gk->groupId, 0, ucb_) : nullptr;
  }
  HeaderCallbacks& Set(WORD funcId, LONG_PTR value) {
    EXPECT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, funcId, value)) << funcId;
    return *this;
  }
  void LogFile(const char16_t* name) {
    const DWORD bytes = static_cast<DWORD>((std::char_traits<char16_t>::length(name) + 1) * sizeof(char16_t));
    ASSERT_EQ(SetPrinterDataW(printer_, u"LogFileName", REG_SZ, reinterpret_cast<const BYTE*>(name), bytes),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  // Escape 122's table with the first entry's text (the key 731).
  void ReplaceFirst(const char16_t* text) {
    ReplaceStringTable table{{{731, 15000, {}}, {733, 15001, {}}, {735, 15002, {}}, {0, 0, {}}}};
    std::char_traits<char16_t>::copy(table.entries[0].text, text, std::char_traits<char16_t>::length(text));
    ASSERT_EQ(DrvEscape(dc_->so, 122, sizeof(table), &table, 0, nullptr), 1u);
  }

  // The text of callback id on the group, for a copy of the setting record
  // that carries the id.
  std::string Callback(WORD id, WORD funcId, LONG_PTR value, const char* group, int* handled = nullptr) {
    SFCB record = *GetSFCBbyFuncID(ucb_, funcId);
    record.jobHeaderCallback = id;
    const UiGroup* g = Group(group);
    EXPECT_NE(g, nullptr) << group;
    int result = 0;
    std::string text = TwoPasses([&](HeaderSink* sink) { result = CoreCallBack(ucb_, &record, value, g, sink); });
    if (handled != nullptr) *handled = result;
    return text;
  }

  Dc* dc_ = nullptr;
  UCB* ucb_ = nullptr;
  std::optional<FixedClock> clock_;
};

std::string Ansi(LPCWSTR text) {
  char buffer[2 * MAX_PATH + 2] = {};
  CopyUnicode2Str(buffer, text, sizeof(buffer));
  return buffer;
}

TEST_F(HeaderCallbacks, EachCallbackWritesItsText) {
  WCHAR iniPath[] = u"C:\\Users\\ann\\kesm\"s.ini";
  static char telephone[] = "(03)1-2";
  const struct {
    const char* what;
    std::function<void(HeaderCallbacks&)> setup;
    WORD id;
    WORD funcId;  // the setting record given the id
    LONG_PTR value;
    const char* group;
    std::string text;
  } rows[] = {
      {"1: the date line, then the time through the template", nullptr, 1, 210, 0, kUserIdGroup,
       "@PJL SET DATE = \"2004/03/07\" \r\n@PJL SET USERID = \"09:05:01\" \r\n"},
      {"2: 10 at 600 dpi with factor 1 and divisor 1 is 5", [](HeaderCallbacks& t) { t.Set(38, 600); }, 2, 98, 10,
       kMarginGroup, "@PJL SET MARGINODD = 5 \r\n"},
      {"2: never negated", [](HeaderCallbacks& t) { t.Set(38, 600).Set(95, 4); }, 2, 98, 10, kMarginGroup,
       "@PJL SET MARGINODD = 5 \r\n"},
      {"9: negated for direction 2", [](HeaderCallbacks& t) { t.Set(38, 600).Set(95, 2); }, 9, 96, 10,
       kMarginGroup, "@PJL SET MARGINODD = -5 \r\n"},
      {"10: not negated for direction 2", [](HeaderCallbacks& t) { t.Set(38, 600).Set(95, 2); }, 10, 97, 10,
       kMarginGroup, "@PJL SET MARGINODD = 5 \r\n"},
      {"10: negated for direction 3", [](HeaderCallbacks& t) { t.Set(38, 600).Set(95, 3); }, 10, 97, 10,
       kMarginGroup, "@PJL SET MARGINODD = -5 \r\n"},
      {"9: a group without a numeric record writes nothing", nullptr, 9, 96, 10, kUserIdGroup, ""},
      {"3: the driver-name line, then the printer name quoted", nullptr, 3, 1, 0, kUserIdGroup,
       "@PJL SET KESMDRIVERNAME = \"Kesm R5 Series\" \r\n@PJL SET USERID = \"Kesm R5 Office\" \r\n"},
      {"5: the settings INI path, its quote escaped",
       [&](HeaderCallbacks& t) { std::memcpy(t.ucb_->pWork->szIniFilePath, iniPath, sizeof(iniPath)); }, 5, 202, 0,
       kUserIdGroup, "@PJL SET USERID = C:\\Users\\ann\\kesm's.ini \r\n"},
      {"5: an empty path writes nothing", [](HeaderCallbacks& t) { t.ucb_->pWork->szIniFilePath[0] = 0; }, 5, 202,
       0, kUserIdGroup, ""},
      {"6: no log-file name writes nothing", nullptr, 6, 202, 0, kUserIdGroup, ""},
      {"6: the printer's log-file name", [](HeaderCallbacks& t) { t.LogFile(u"C:\\log\\kesm.LOG"); }, 6, 202, 0,
       kUserIdGroup, "@PJL SET USERID = C:\\log\\kesm.LOG \r\n"},
      {"7: the log-file name ending in DLL", [](HeaderCallbacks& t) { t.LogFile(u"C:\\log\\kesm.LOG"); }, 7, 202, 0,
       kUserIdGroup, "@PJL SET USERID = C:\\log\\kesm.DLL \r\n"},
      {"7: a name of three characters or fewer stays", [](HeaderCallbacks& t) { t.LogFile(u"ab"); }, 7, 202, 0,
       kUserIdGroup, "@PJL SET USERID = ab \r\n"},
      {"8: dashes and brackets dropped", nullptr, 8, 202, reinterpret_cast<LONG_PTR>(telephone), kUserIdGroup,
       "@PJL SET USERID = 0312 \r\n"},
      {"8: a setting that is not a text writes nothing", nullptr, 8, 12, 5, kUserIdGroup, ""},
      {"13: no replace text: the option's own text", nullptr, 13, 111, 731, kPageFormGroup,
       "@PJL SET PAGEFORM = PAGE \r\n"},
      {"13: the replace text of the option's key",
       [](HeaderCallbacks& t) { t.ReplaceFirst(u"Seite \"&p\"\r\n"); }, 13, 111, 731, kPageFormGroup,
       "@PJL SET PAGEFORM = Seite '&p'   \r\n"},
      {"13: an option without a replace entry keeps its text",
       [](HeaderCallbacks& t) { t.ReplaceFirst(u"Seite"); }, 13, 111, 18500, kPageFormGroup,
       "@PJL SET PAGEFORM = NONE \r\n"},
      {"13: no option for the value writes nothing", nullptr, 13, 111, 735, kPageFormGroup, ""},
      {"11: chapters off: the false text only", nullptr, 11, 69, 0, kChapterGroup, "@PJL SET CHAPTER = OFF \r\n"},
      {"11: chapters on without chapters: the true text only", nullptr, 11, 69, 1, kChapterGroup,
       "@PJL SET CHAPTER = ON \r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ResetReplaceStrings();
    if (row.setup) row.setup(*this);
    int handled = 0;
    EXPECT_EQ(Callback(row.id, row.funcId, row.value, row.group, &handled), row.text);
    EXPECT_NE(handled, 0);
  }
}

TEST_F(HeaderCallbacks, OtherIdsAreNotHandled) {
  for (WORD id : {WORD{4}, WORD{14}, WORD{100}, WORD{103}}) {
    int handled = 1;
    EXPECT_EQ(Callback(id, 202, 0, kUserIdGroup, &handled), "") << id;
    EXPECT_EQ(handled, 0) << id;
  }
}

TEST_F(HeaderCallbacks, TheInstallDirectoryIsWrittenWhole) {
  const std::string directory = Ansi(GetInstallDirectory(ucb_));
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(Callback(12, 955, 0, kUserIdGroup), "@PJL SET USERID = " + directory + " \r\n");
}

TEST_F(HeaderCallbacks, ScaledNumbersStayInRangeAndAZeroDivisorWritesNothing) {
  const struct {
    LONG_PTR value;
    ULONGLONG numerator, denominator;
    BOOL written;
    LONG result;
  } rows[] = {
      {5, 3, 2, TRUE, 7},
      {-5, 3, 2, TRUE, -7},
      {10, 600, 1200, TRUE, 5},
      {0x7FFFFFFF, 65535ull * 65535ull, 1, TRUE, INT_MAX},
      {-0x7FFFFFFF, 65535ull * 65535ull, 1, TRUE, INT_MIN},
      {0xFFFFFFFFll, 1, 1, TRUE, INT_MAX},
      {5, 3, 0, FALSE, 0},
  };
  for (const auto& row : rows) {
    LONG result = 0;
    EXPECT_EQ(ScaleHeaderNumber(row.value, row.numerator, row.denominator, &result), row.written) << row.value;
    EXPECT_EQ(result, row.result) << row.value;
  }
}

TEST_F(HeaderCallbacks, TheChapterPlanNamesTraysAndChapters) {
  struct Chapter {
    SHORT page, tray;
    BYTE breakFlag, mode;
  };
  const struct {
    const char* what;
    std::vector<Chapter> chapters;
    SHORT trayMax;
    bool duplex;
    const char* text;
  } rows[] = {
      {"two trays, one in duplex; a third tray beyond the list goes to the first", {{1, 2, 0, 1}, {5, 3, 0, 2}, {9, 4, 0, 0}},
       2, true,
       "@PJL SET CHAPTER = ON \r\n"
       "@PJL SET CHAPTERPRINTDUPLEX1 = ON \r\n"
       "@PJL SET CHAPTERPRINTDUPLEX2 = OFF \r\n"
       "@PJL SET CHAPTERPAGENUMBER1 = 1 \r\n@PJL SET CHAPTERPAGE1 = COPY \r\n"
       "@PJL SET CHAPTERPAGETRAY1 = CHAPTERPRINTTRAY1 \r\n"
       "@PJL SET CHAPTERPAGENUMBER2 = 5 \r\n@PJL SET CHAPTERPAGE2 = COPY \r\n"
       "@PJL SET CHAPTERPAGETRAY2 = CHAPTERPRINTTRAY2 \r\n"
       "@PJL SET CHAPTERPAGENUMBER3 = 9 \r\n@PJL SET CHAPTERPAGE3 = BLANK \r\n"
       "@PJL SET CHAPTERPAGETRAY3 = CHAPTERPRINTTRAY1 \r\n"},
      {"a later chapter of the same tray gives it its mode; no duplex", {{1, 2, 0, 0}, {4, 2, 0, 1}}, 4, false,
       "@PJL SET CHAPTER = ON \r\n"
       "@PJL SET CHAPTERPRINTDUPLEX1 = OFF \r\n"
       "@PJL SET CHAPTERPAGENUMBER1 = 1 \r\n@PJL SET CHAPTERPAGE1 = BLANK \r\n"
       "@PJL SET CHAPTERPAGETRAY1 = CHAPTERPRINTTRAY1 \r\n"
       "@PJL SET CHAPTERPAGENUMBER2 = 4 \r\n@PJL SET CHAPTERPAGE2 = COPY \r\n"
       "@PJL SET CHAPTERPAGETRAY2 = CHAPTERPRINTTRAY1 \r\n"},
      {"every chapter breaks: no tray lines", {{1, 2, 1, 1}, {3, 3, 1, 2}}, 2, true,
       "@PJL SET CHAPTER = ON \r\n"
       "@PJL SET CHAPTERPAGENUMBER1 = 1 \r\n@PJL SET CHAPTERPAGE1 = BREAK \r\n"
       "@PJL SET CHAPTERPAGENUMBER2 = 3 \r\n@PJL SET CHAPTERPAGE2 = BREAK \r\n"},
      {"no distinct trays allowed: the switch text only", {{1, 2, 0, 1}}, 0, true, "@PJL SET CHAPTER = ON \r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Set(831, 8).Set(832, row.trayMax).Set(833, static_cast<SHORT>(row.chapters.size())).Set(58, row.duplex ? 1 : 0);
    for (std::size_t i = 0; i < row.chapters.size(); ++i) {
      CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb_, static_cast<int>(i));
      ASSERT_NE(block, nullptr);
      *block = {row.chapters[i].page, row.chapters[i].tray, row.chapters[i].breakFlag, row.chapters[i].mode};
    }
    EXPECT_EQ(Callback(11, 69, 1, kChapterGroup), row.text);
  }
}

TEST_F(HeaderCallbacks, ChapterBlocksStayWithinWhatTheContextHolds) {
  Set(831, 2).Set(833, 5);
  EXPECT_NE(GetChapterBlockByIndex(ucb_, 2), nullptr);
  EXPECT_EQ(GetChapterBlockByIndex(ucb_, 3), nullptr) << "more chapters in use than blocks held";
  EXPECT_EQ(GetChapterBlockByIndex(ucb_, -1), nullptr);
  EXPECT_EQ(GetChapterBlockByIndex(ucb_, 5), nullptr);
}

TEST_F(HeaderCallbacks, TheColourRenderingFileFitsMachineModeMediaAndObject) {
  const std::string dir = Ansi(GetInstallDirectory(ucb_));
  const struct {
    WORD id;
    BYTE machine;
    LONG_PTR mode, media, adjust, imageMode;
    const char* group;  // the text group has sub-group 0; the file name or "" for nothing
    const char* file;
  } rows[] = {
      {101, 130, 1, 2, 0, 0, kUserIdGroup, "TV80C153.tcm"},
      {101, 130, 131, 0, 0, 0, kUserIdGroup, "TV80C152.tcm"},
      {101, 131, 5, 2, 0, 0, kUserIdGroup, "TV81C154.tcm"},
      {101, 137, 1, 0, 0, 0, kUserIdGroup, "TV82C151.tcm"},
      {101, 139, 5, 2, 0, 0, kUserIdGroup, "TV83C154.tcm"},
      {101, 141, 131, 0, 0, 0, kUserIdGroup, ""},
      {101, 141, 0, 0, 0, 0, kUserIdGroup, ""},
      {101, 143, 128, 2, 0, 0, kUserIdGroup, "TV85C151.tcm"},
      {101, 160, 5, 0, 0, 0, kUserIdGroup, "TV8EC152.tcm"},
      {101, 200, 130, 2, 0, 0, kUserIdGroup, "TV99C153.tcm"},
      {101, 200, 131, 0, 0, 0, kUserIdGroup, ""},
      {101, 137, 0, 0, 1, 0, kUserIdGroup, ""},  // adjust mode: the text object's mode, 0
      {102, 200, 32, 0, 0, 0, kUserIdGroup, "TV99C151.tcm"},
      {102, 143, 32, 0, 0, 0, kUserIdGroup, "TV85C15H.tcm"},
      {102, 156, 2, 0, 0, 0, kUserIdGroup, "TV8CC152.tcm"},
      {102, 200, 128, 0, 0, 0, kUserIdGroup, "TV99C153.tcm"},  // text object: 128 becomes 6
      {102, 200, 131, 0, 0, 0, kUserIdGroup, ""},
      {102, 200, 0, 0, 0, 0, kUserIdGroup, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.id) + " on machine " + std::to_string(row.machine) + ", mode " +
                 std::to_string(row.mode));
    ucb_->pDP->bMachineID = row.machine;
    Set(234, 1).Set(133, row.mode).Set(54, row.media).Set(128, row.adjust).Set(798, 0).Set(800, row.imageMode);
    const std::string expected =
        std::string(row.file).empty() ? "" : "@PJL SET USERID = " + dir + row.file + " \r\n";
    EXPECT_EQ(Callback(row.id, 202, 0, row.group), expected);
  }
  Set(234, 0);
  EXPECT_EQ(Callback(101, 202, 0, kUserIdGroup), "") << "not a colour machine";
}

TEST_F(HeaderCallbacks, TheFontLinesListTheDevicesFontsAndTheSubstitutions) {
  KESMFONT fonts[3] = {{5, u"A"}, {0xFFFF, u"skipped"}, {7, u"B\"\r"}};
  Set(10006, 3).Set(10007, reinterpret_cast<LONG_PTR>(fonts));
  EXPECT_EQ(TwoPasses([&](HeaderSink* sink) { FontTypeSize(ucb_, sink); }),
            "@PJL SET DEVFONTID = \"5+A/7+B' \" \r\n");
  fonts[0].number = 0xFFFF;
  fonts[2].number = 0xFFFF;
  EXPECT_EQ(TwoPasses([&](HeaderSink* sink) { FontTypeSize(ucb_, sink); }), "@PJL SET DEVFONTID = \" \r\n");
  Set(10006, 0);
  EXPECT_EQ(TwoPasses([&](HeaderSink* sink) { FontTypeSize(ucb_, sink); }), "");
  Set(10007, 0);
}

// A fill pass never writes past its buffer: with less room than the size
// pass counted it fails, having written only what fitted.
TEST_F(HeaderCallbacks, AFillPassIsBoundedByItsBuffer) {
  HeaderSnapshot snapshot{};
  TakeHeaderSnapshot(&snapshot);
  LONG length = 0;
  ASSERT_EQ(OutpBufJobStart(ucb_, &snapshot, 0, nullptr, &length), 1);
  ASSERT_GT(length, 40);
  for (LONG room : {length - 1, length / 2, LONG{1}}) {
    auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(room) + 1);  // exactly room and the zero
    LONG filled = -1;
    EXPECT_EQ(OutpBufJobStart(ucb_, &snapshot, room, buffer.get(), &filled), -1) << room;
    EXPECT_LE(filled, room);
  }
  std::string whole(static_cast<std::size_t>(length) + 1, '\0');
  LONG filled = 0;
  EXPECT_EQ(OutpBufJobStart(ucb_, &snapshot, length, whole.data(), &filled), 0);
  EXPECT_EQ(filled, length);
  EXPECT_EQ(whole.substr(0, 5), "\x1B%-12");
}

}  // namespace
}  // namespace render_test
