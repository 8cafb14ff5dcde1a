// The description reader: entry splitting over a table of texts, the
// character classes, the running CRC and the failure paths.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/text/codepage.h"
#include "platform/base/control.h"
#include "tests/platform/drive_files.h"
#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "settings/kpd/kpd_chartable.h"
#include "settings/kpd/crc16.h"
#include "settings/kpd/kpd_reader.h"
#include "tests/platform/scoped_acp.h"
#include "tests/settings/kpd/kpd_file_checks.h"

namespace {

struct Entry {
  int result;
  std::string keyword, option1, option2, value;
};

Entry Ok(std::string keyword, std::string option1, std::string option2, std::string value) {
  return {kKpdOk, std::move(keyword), std::move(option1), std::move(option2), std::move(value)};
}
Entry Result(int result) { return {result, "", "", "", ""}; }

struct ReaderCase {
  const char* name;
  std::string text;
  std::vector<Entry> entries;  // up to and including the end of file
  UINT codePage = 1252;
};

// Reads the whole text; stops after the end of file or no memory.
std::vector<Entry> ReadAll(const std::string& text) {
  std::vector<Entry> read;
  WORD crc = 0;
  FILEOBJ* f = FILEOBJ_CreateFromView(reinterpret_cast<const BYTE*>(text.data()),
                                      static_cast<DWORD>(text.size()), &crc);
  PARSEROBJ* p = PARSEROBJ_Create();
  EXPECT_NE(f, nullptr);
  EXPECT_NE(p, nullptr);
  for (int guard = 0; guard < 100; ++guard) {
    const int r = PARSEROBJ_ParseEntry(p, f);
    if (r == kKpdOk) {
      read.push_back(Ok(p->keyword.text, p->option1.text, p->option2.text, p->value.text));
    } else {
      read.push_back(Result(r));
    }
    if (r == kKpdEndOfFile || r == kKpdNoMemory) {
      break;
    }
  }
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
  return read;
}

std::string Repeat(char c, size_t n) { return std::string(n, c); }

const std::string kLong = Repeat('k', 3000);
const std::string kLongValue = "\"" + Repeat('v', 5000) + "\"";

const ReaderCase kCases[] = {
    {"OpenUiLine", "*OpenUI *PageSize: PickOne\n",
     {Ok("OpenUI", "*PageSize", "", "PickOne"), Result(kKpdEndOfFile)}},
    {"KeywordAloneIsAnEntry", "*CloseUI\n*Next: n\n",
     {Ok("CloseUI", "", "", ""), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"KeywordThenBlanksIsSyntaxError", "*CloseUI   \n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"CommentLinesAreSkipped", "*% note\n% note\n# note\n *Indented: no\n\n*Real: yes\n",
     {Ok("Real", "", "", "yes"), Result(kKpdEndOfFile)}},
    {"StarThenBlankIsSyntaxError", "* Foo: x\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"TwoOptionWords", "*PageValue any A4: 1 2\n", {Ok("PageValue", "any", "A4", "1 2"), Result(kKpdEndOfFile)}},
    {"ThirdOptionWordIsSyntaxError", "*Foo a b c: x\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"SlashInOptionIsSyntaxError", "*Foo a/b: x\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"EscapedQuoteKeepsStringOpen", "*Cmd: \"a%\"b\"\n", {Ok("Cmd", "", "", "\"a%\"b\""), Result(kKpdEndOfFile)}},
    {"ParenthesisInQuotesIsSyntaxError", "*Cmd: \"a(b\"\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"EscapedParenthesisInQuotes", "*Cmd: \"a%(b%)\"\n", {Ok("Cmd", "", "", "\"a%(b%)\""), Result(kKpdEndOfFile)}},
    {"HexRunStaysInValue", "*Cmd: \"<1B>E\"\n", {Ok("Cmd", "", "", "\"<1B>E\""), Result(kKpdEndOfFile)}},
    {"BraceSpansLines", "*Cmd: {a\nb}\n*Next: n\n",
     {Ok("Cmd", "", "", "{a\nb}"), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"QuoteSpansLines", "*Cmd: \"a\r\nb\"\r\n", {Ok("Cmd", "", "", "\"a\r\nb\""), Result(kKpdEndOfFile)}},
    {"NestedBracketsClose", "*Cmd: {a (b (c)) {d}}\n", {Ok("Cmd", "", "", "{a (b (c)) {d}}"), Result(kKpdEndOfFile)}},
    {"BraceInsideParenthesisIsSyntaxError", "*Cmd: (a{b})\n", {Result(kKpdSyntax), Result(kKpdEndOfFile)}},
    {"StrayCloseParenthesisIsSyntaxError", "*Cmd: a)b\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"StrayCloseBraceIsSyntaxError", "*Cmd: a}\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"PercentBeforeLineEndInQuotesIsSyntaxError", "*Cmd: \"a%\nb\"\n*Next: n\n",
     {Result(kKpdSyntax), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)}},
    {"PercentOutsideQuotesIsOrdinary", "*Cmd: 50%\n", {Ok("Cmd", "", "", "50%"), Result(kKpdEndOfFile)}},
    {"TrailingBlanksAreKept", "*Cmd:   x  \n", {Ok("Cmd", "", "", "x  "), Result(kKpdEndOfFile)}},
    {"CrLfLines", "*Cmd: x\r\n*Next: y\r\n", {Ok("Cmd", "", "", "x"), Ok("Next", "", "", "y"), Result(kKpdEndOfFile)}},
    {"LongKeywordAndValueGrow", "*" + kLong + " opt: " + kLongValue + "\n",
     {Ok(kLong, "opt", "", kLongValue), Result(kKpdEndOfFile)}},
    {"EndInsideQuoteIsTruncation", "*Cmd: \"abc\n", {Result(kKpdTruncated), Result(kKpdEndOfFile)}},
    {"EndInsideParenthesisIsTruncation", "*Cmd: (abc", {Result(kKpdTruncated), Result(kKpdEndOfFile)}},
    {"EndInsideBraceIsTruncation", "*Cmd: {a\n*Next: n\n", {Result(kKpdTruncated), Result(kKpdEndOfFile)}},
    {"EndAfterEscapeIsTruncation", "*Cmd: \"a%", {Result(kKpdTruncated), Result(kKpdEndOfFile)}},
    {"LastValueWithoutLineEnd", "*Cmd: x", {Ok("Cmd", "", "", "x"), Result(kKpdEndOfFile)}},
    {"LastKeywordWithoutLineEnd", "*CloseUI", {Ok("CloseUI", "", "", ""), Result(kKpdEndOfFile)}},
    {"EndInsideOptionDropsEntry", "*Foo bar", {Result(kKpdEndOfFile)}},
    {"EmptyText", "", {Result(kKpdEndOfFile)}},
    // Shift-JIS: 0x83 leads a character whose trail byte is '{'.
    {"TrailByteIsNotInterpreted", "*Cmd: a\x83{b\n*Next: n\n",
     {Ok("Cmd", "", "", "a\x83{b"), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)},
     932},
    {"SingleBytePageReadsTheSameBytesAsBrace", "*Cmd: a\x83{b\n*Next: n\n",
     {Result(kKpdTruncated), Result(kKpdEndOfFile)},
     1252},
    {"LeadByteBeforeLineEndKeepsTheLineEnd", "*Cmd: a\x83\n*Next: n\n",
     {Ok("Cmd", "", "", "a\x83"), Ok("Next", "", "", "n"), Result(kKpdEndOfFile)},
     932},
    {"EscapedDoubleByteCharacter", "*Cmd: \"%\x83\"\"\n",
     {Ok("Cmd", "", "", "\"%\x83\"\""), Result(kKpdEndOfFile)},
     932},
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class ReaderEdgeCases : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderEdgeCases, SplitsEntries) {
  const ReaderCase& c = GetParam();
  ScopedAnsiCodePage page(c.codePage);
  const std::vector<Entry> read = ReadAll(c.text);
  ASSERT_EQ(read.size(), c.entries.size());
  for (size_t i = 0; i < read.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read[i].result, c.entries[i].result);
    EXPECT_EQ(read[i].keyword, c.entries[i].keyword);
    EXPECT_EQ(read[i].option1, c.entries[i].option1);
    EXPECT_EQ(read[i].option2, c.entries[i].option2);
    EXPECT_EQ(read[i].value, c.entries[i].value);
  }
}

INSTANTIATE_TEST_SUITE_P(Reader, ReaderEdgeCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Bitwise CRC-16/CCITT (polynomial 0x1021, initial 0), independent of the
// table.
WORD ReferenceCrc(const std::string& bytes) {
  WORD crc = 0;
  for (unsigned char byte : bytes) {
    crc ^= static_cast<WORD>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) != 0 ? static_cast<WORD>((crc << 1) ^ 0x1021) : static_cast<WORD>(crc << 1);
    }
  }
  return crc;
}

TEST(ReaderCrc, AgreesWithBitwiseCrcOfEveryByteRead) {
  const std::string check = "123456789";
  EXPECT_EQ(ReferenceCrc(check), 0x31C3);  // the published check value of this CRC
  std::string text = "*% comment\n*OpenUI *PageSize: PickOne\n*Cmd: \"a%\"b<1B>\"\n# tail\n";
  for (int i = 0; i < 256; ++i) {
    text.push_back(static_cast<char>(i));
  }
  WORD crc = 0;
  FILEOBJ* f = FILEOBJ_CreateFromView(reinterpret_cast<const BYTE*>(text.data()),
                                      static_cast<DWORD>(text.size()), &crc);
  PARSEROBJ* p = PARSEROBJ_Create();
  ASSERT_NE(f, nullptr);
  ASSERT_NE(p, nullptr);
  int r = kKpdOk;
  for (int guard = 0; guard < 1000 && r != kKpdEndOfFile; ++guard) {
    r = PARSEROBJ_ParseEntry(p, f);
  }
  EXPECT_EQ(r, kKpdEndOfFile);
  EXPECT_EQ(crc, ReferenceCrc(text));
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
}

TEST(ReaderCrc, SpansGiveTheWordOfByteByByteUpdates) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>((i * 151 + 7) & 0xFF));
  const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
  for (const WORD start : {WORD{0}, WORD{0x1D0F}, WORD{0xFFFF}}) {
    for (std::size_t length = 0; length <= 40; ++length) {
      WORD bytewise = start;
      for (std::size_t i = 0; i < length; ++i) bytewise = Crc16Update(bytewise, data[i]);
      EXPECT_EQ(Crc16UpdateSpan(start, data, length), bytewise) << start << " " << length;
    }
  }
  EXPECT_EQ(Crc16UpdateSpan(0, data, bytes.size()), ReferenceCrc(bytes));
}

TEST(ReaderClasses, EachByteHasTheClassesOfItsDefinition) {
  const std::string separators = "\t \r\n:/\"#$%&'()*,.;<=>?{|}";
  const std::string keywordPunctuation = "@[\\]^_`/";
  for (int i = 0; i < 256; ++i) {
    const auto c = static_cast<BYTE>(i);
    const bool printable = c >= 0x21 && c <= 0x7E;
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    SCOPED_TRACE(i);
    EXPECT_EQ(CharHasClass(c, kCharSeparator), i != 0 && separators.find(static_cast<char>(c)) != std::string::npos);
    EXPECT_EQ(CharHasClass(c, kCharKeyword),
              alnum || (i != 0 && keywordPunctuation.find(static_cast<char>(c)) != std::string::npos));
    EXPECT_EQ(CharHasClass(c, kCharOption), printable && c != ':' && c != '/');
    EXPECT_EQ(CharHasClass(c, kCharValue), c == '\t' || c == ' ' || (printable && c != ':'));
    EXPECT_EQ(CharHasClass(c, kCharBlank), c == '\t' || c == ' ');
    EXPECT_EQ(CharHasClass(c, kCharEndOfLine), c == '\r' || c == '\n');
    EXPECT_EQ(CharHasClass(c, kCharHexLetter), (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'));
    EXPECT_EQ(CharHasClass(c, kCharDigit), c >= '0' && c <= '9');
  }
}

TEST(ReaderHex, DigitsAndBothLetterCases) {
  const std::pair<char, int> cases[] = {{'0', 0}, {'9', 9}, {'a', 10}, {'f', 15}, {'A', 10}, {'F', 15}};
  for (const auto& [c, value] : cases) {
    EXPECT_EQ(HexValue(static_cast<BYTE>(c)), value) << c;
  }
}

TEST(ReaderMemory, BuffersGrowByDoubling) {
  const std::string text = "*Cmd: " + Repeat('v', 5000) + "\n";
  FILEOBJ* f = FILEOBJ_CreateFromView(reinterpret_cast<const BYTE*>(text.data()),
                                      static_cast<DWORD>(text.size()), nullptr);
  PARSEROBJ* p = PARSEROBJ_Create();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->value.capacity, kBufobjInitialCapacity);
  EXPECT_EQ(PARSEROBJ_ParseEntry(p, f), kKpdOk);
  EXPECT_EQ(p->value.length, 5000u);
  EXPECT_EQ(p->value.capacity, 8 * kBufobjInitialCapacity);  // 1024, 2048, 4096, 8192
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
}

TEST(ReaderMemory, FailedGrowthEndsWithNoMemory) {
  const std::string text = "*Cmd: " + Repeat('v', 2000) + "\n";
  const size_t before = plat::LiveBlocks();
  FILEOBJ* f = FILEOBJ_CreateFromView(reinterpret_cast<const BYTE*>(text.data()),
                                      static_cast<DWORD>(text.size()), nullptr);
  PARSEROBJ* p = PARSEROBJ_Create();
  ASSERT_NE(p, nullptr);
  plat::FailAllocationAt(1);
  EXPECT_EQ(PARSEROBJ_ParseEntry(p, f), kKpdNoMemory);
  plat::FailAllocationAt(0);
  EXPECT_EQ(p->value.text[p->value.length], '\0');
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
  EXPECT_EQ(plat::LiveBlocks(), before);
}

TEST(ReaderMemory, CreateFreesWhatItMadeWhenABufferFails) {
  const size_t before = plat::LiveBlocks();
  for (size_t n = 1; n <= 5; ++n) {
    plat::FailAllocationAt(n);
    EXPECT_EQ(PARSEROBJ_Create(), nullptr) << n;
    plat::FailAllocationAt(0);
    EXPECT_EQ(plat::LiveBlocks(), before) << n;
  }
}

}  // namespace

namespace {

TEST(ReaderFile, ReadsAMappedDescriptionAndReleasesIt) {
  plat::ScopedMachine machine;
  kesm_test::ExpectReadsADescriptionFileAndReleasesIt();
  EXPECT_TRUE(DeleteFileW(u"C:\\Drivers\\model.kpd"));  // the view is gone with the object
}

TEST(ReaderFile, MissingOrEmptyFileGivesNoObject) {
  plat::ScopedMachine machine;
  drive::Put("Drivers/empty.kpd", "");
  EXPECT_EQ(FILEOBJ_Create(u"C:\\Drivers\\missing.kpd", nullptr), nullptr);
  EXPECT_EQ(FILEOBJ_Create(u"C:\\Drivers\\empty.kpd", nullptr), nullptr);
}

}  // namespace
