// The document name in the job-name line, as a table: whatever the name
// holds, the line keeps its one pair of quotes and its one line end, and the
// name is cut at 128 bytes on a whole character of the code page.
#include <algorithm>

#include "render/document/job_name.h"
#include "tests/platform/scoped_acp.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

using JobName = RenderTest;

struct NameCase {
  const char* what;
  UINT codePage;
  std::u16string name;
  std::string line;  // the name as the job-name line carries it
};

std::u16string Repeat(char16_t c, std::size_t n) { return std::u16string(n, c); }

const NameCase kNames[] = {
    {"plain text", 1252, u"Quarterly report", "Quarterly report"},
    {"double quotes", 1252, u"Say \"hi\" twice", "Say 'hi' twice"},
    {"a line break that would start a command line", 1252, u"x\r\n@PJL SET COPIES = 99",
     "x  @PJL SET COPIES = 99"},
    {"a quote that would end the value early", 1252, u"a\" \r\n@PJL RESET", "a'   @PJL RESET"},
    {"tab, other control bytes and DEL", 1252, u"a\tb\x01" u"c\x1F" u"d\x7F", "a b c d "},
    {"only control bytes", 1252, u"\r\n", "  "},
    {"a Western letter", 1252, u"Caf\u00E9", "Caf\xE9"},
    {"a code of the printer's Western row 0x80-0x9F that the code page lacks", 1252, u"a\u0080b", "a\x80" "b"},
    {"the same code on a double-byte page, where its byte leads nothing", 932, u"a\u0080b", "a\x80" "b"},
    {"128 bytes exactly", 1252, Repeat(u'a', 128), std::string(128, 'a')},
    {"longer than 128 bytes", 1252, Repeat(u'a', 200), std::string(200, 'a').substr(0, 128)},
    {"Japanese that fits", 932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
    {"a double-byte character ending on byte 128", 932, Repeat(u'a', 126) + u"\u65E5",
     std::string(126, 'a') + "\x93\xFA"},
    {"a double-byte character across byte 128 is left out whole", 932, Repeat(u'a', 127) + u"\u65E5",
     std::string(127, 'a')},
    {"a single-byte katakana on byte 128", 932, Repeat(u'a', 127) + u"\uFF71", std::string(127, 'a') + "\xB1"},
    {"a double-byte character after a quote", 932, u"\"\u65E5\"", "'\x93\xFA'"},
};

TEST_F(JobName, TheNameCanNeverEndTheQuotedValueOrStartALine) {
  for (const NameCase& c : kNames) {
    SCOPED_TRACE(c.what);
    ScopedAnsiCodePage acp(c.codePage);
    Devmode devmode;
    Dc* dc = Enable(devmode);
    ASSERT_NE(dc, nullptr);
    StartJob();
    std::u16string name = c.name;
    ASSERT_TRUE(DrvStartDoc(dc->so, name.data(), jobId_));
    ASSERT_TRUE(DrvStartPage(dc->so));
    ASSERT_TRUE(DrvSendPage(dc->so));
    ASSERT_TRUE(DrvEndDoc(dc->so, 0));
    const jobstream::Decoded stream = jobstream::Decode(FinishJob());
    ASSERT_EQ(jobstream::Letters(stream), "JNHELT");
    const std::vector<std::uint8_t>& payload = stream.blocks[1].payload;
    const std::string line(payload.begin(), payload.end());
    EXPECT_EQ(line, "@PJL SET JOBNAME = \"" + c.line + "\"\r\n");
    EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 2);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\r'), 1);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_EQ(payload.size(), c.line.size() + 23) << "the name and the 23 bytes around it";
    Disable(dc);
  }
}

TEST(JobNameEscape, ALeadByteWithoutItsSecondByteIsNoCharacter) {
  const struct {
    const char* what;
    std::string in;
    std::string out;
  } rows[] = {
      {"at the end", "ab\x82", "ab?"},
      {"before a line end", "\x82\n", "? "},
      {"before a quote", "\x82\"", "?'"},
      {"a whole character", "\x82\xA0", "\x82\xA0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::string text = row.in;
    const ULONG kept = EscapeDocumentName(text.data(), static_cast<ULONG>(text.size()), 932);
    EXPECT_EQ(text.substr(0, kept), row.out);
  }
}

}  // namespace
}  // namespace render_test
