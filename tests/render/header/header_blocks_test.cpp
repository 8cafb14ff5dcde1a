// The job header, page header and page trailer as the driver writes them
// for a document, golden line by line, for each description: the rendering
// tests' own (no command trees: empty blocks) and the header tests' H2,
// whose trees use every node kind, conditional form and callback that a
// description can reach; and the blocks of every sample description, against
// a golden listing each.
#include <functional>
#include <optional>
#include <string>

#include "tests/common/sample_descriptions.h"

#include "tests/render/header/h2_fixture.h"
#include "render/header/replace_strings.h"

namespace render_test {
namespace {

class HeaderBlocks : public RenderTest {
 protected:
  // The blocks of a one-page document on a DC of the DEVMODE.
  jobstream::Decoded PrintOnePage(Devmode& devmode, const std::function<void(Dc*)>& escapes = nullptr) {
    Dc* dc = Enable(devmode);
    EXPECT_NE(dc, nullptr);
    if (dc == nullptr) return {};
    if (escapes) escapes(dc);
    StartJob();
    std::u16string name = u"Report";
    EXPECT_TRUE(DrvStartDoc(dc->so, name.data(), jobId_));
    EXPECT_TRUE(DrvStartPage(dc->so));
    EXPECT_TRUE(DrvSendPage(dc->so));
    EXPECT_TRUE(DrvEndDoc(dc->so, 0));
    return jobstream::Decode(FinishJob());
  }
  static std::string Payload(const jobstream::Decoded& stream, std::uint8_t tag, std::size_t nth = 0) {
    for (const jobstream::Block& b : stream.blocks) {
      if (b.tag == tag && nth-- == 0) return std::string(b.payload.begin(), b.payload.end());
    }
    return "<none>";
  }
};

TEST_F(HeaderBlocks, ADescriptionWithoutCommandTreesWritesEmptyBlocks) {
  // The description's own default paper, which it gives a printable area.
  UCB* ucb = GetUcb(printer_, printer_, 0, kModeRendering);
  ASSERT_NE(ucb, nullptr);
  const short paper = reinterpret_cast<const DEVMODEW*>(ucb->pDCB->devmode)->dmPaperSize;
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  Devmode devmode;
  devmode.Paper(paper);
  const jobstream::Decoded stream = PrintOnePage(devmode);
  ASSERT_TRUE(stream.ok()) << stream.error;
  EXPECT_EQ(jobstream::Letters(stream), "JNHELT");
  EXPECT_EQ(Payload(stream, 0xF3), "");
  EXPECT_EQ(Payload(stream, 0xF4), "");
  EXPECT_EQ(Payload(stream, 0xF1), "");
}

// Header blocks at the tests' moment.
class ClockedHeaderBlocks : public HeaderBlocks {
 protected:
  void SetUp() override {
    HeaderBlocks::SetUp();
    clock_.emplace();
  }
  void TearDown() override {
    clock_.reset();
    HeaderBlocks::TearDown();
  }
  std::optional<FixedClock> clock_;
};

class H2HeaderBlocks : public ClockedHeaderBlocks {
 protected:
  const char* Description() const override { return kH2Description; }
};

// An escape-122 table whose first text (the page form's option 731) is given.
std::vector<BYTE> ReplaceTable(const char16_t* first) {
  std::vector<BYTE> table(4 * sizeof(REPLACESTRING));
  auto* entries = reinterpret_cast<REPLACESTRING*>(table.data());
  entries[0] = {731, 15000, {}};
  std::char_traits<char16_t>::copy(entries[0].text, first, std::char_traits<char16_t>::length(first));
  entries[1] = {733, 15001, {}};
  entries[2] = {735, 15002, {}};
  return table;
}

struct HeaderCase {
  const char* what;
  std::function<void(Devmode&)> setup;
  std::function<void(Dc*)> escapes;  // sent before the document starts
  std::string jobHeader;
  std::string pageHeader;
};

// The lines every job header of H2 opens with at the tests' moment, and the
// lines of the default settings.
const std::string kOpening =
    "\x1B%-12345X@PJL \r\n"
    "@PJL SET DATE = \"2004/03/07\" \r\n"
    "@PJL SET TIME = \"09:05:01\" \r\n"
    "@PJL SET KESMDRIVERNAME = \"Kesm R5 Series\" \r\n"
    "@PJL SET PRINTERNAME = \"Kesm R5 Office\" \r\n";
const std::string kDefaults =
    "@PJL SET QTY = 1 \r\n"
    "@PJL SET MARGINODD = 0 \r\n"
    "@PJL SET SHIFTX = 0 \r\n"
    "@PJL SET SHIFTY = 0 \r\n"
    "@PJL SET CHAPTER = OFF \r\n"
    "@PJL SET PAGEFORM = NONE \r\n";

const HeaderCase kHeaderCases[] = {
    {"the defaults: colour, one copy, no margins, no chapters, page form NONE", nullptr, nullptr,
     kOpening + kDefaults +
     "@PJL SET RENDERMODE = COLOR \r\n"
     "@PJL ENTER LANGUAGE = KESM \r\n",
     "@PJL SET PAPER = LETTER \r\n"},
    {"numbers scaled, shifts negated for direction 4, the duplex branch, a user id and a replaced page form",
     [](Devmode& d) { d.get()->dmFields |= DM_COPIES; d.Set(12, 5).Set(98, 24).Set(96, 24).Set(97, 12).Set(95, 4).Set(58, 1).Set(111, 2); },
     [](Dc* dc) {
       const char userId[] = "u\"1\r";
       EXPECT_EQ(DrvEscape(dc->so, 114, sizeof(userId), const_cast<char*>(userId), 0, nullptr), 1u);
       std::vector<BYTE> table = ReplaceTable(u"Page \"&p\"\r\n@PJL RESET");
       EXPECT_EQ(DrvEscape(dc->so, 122, static_cast<ULONG>(table.size()), table.data(), 0, nullptr), 1u);
     },
     kOpening +
     "@PJL SET USERID = u'1  \r\n"
     "@PJL SET QTY = 7 \r\n"
     "@PJL SET MARGINODD = 6 \r\n"
     "@PJL SET SHIFTX = -6 \r\n"
     "@PJL SET SHIFTY = -3 \r\n"
     "@PJL SET CHAPTER = OFF \r\n"
     "@PJL SET PAGEFORM = Page '&p'  @PJL RESET \r\n"
     "@PJL SET DUPLEX = ON \r\n"
     "@PJL ENTER LANGUAGE = KESM \r\n",
     "@PJL SET PAPER = LETTER \r\n"},
    {"monochrome without duplex takes the Else branches", [](Devmode& d) { d.get()->dmColor = 1; }, nullptr,
     kOpening + kDefaults +
     "@PJL SET COLLATE = OFF \r\n"
     "@PJL ENTER LANGUAGE = KESM \r\n",
     "@PJL SET PAPER = LETTER \r\n@PJL SET PAGE = MONO \r\n"},
};

TEST_F(H2HeaderBlocks, EachHeaderLineIsExact) {
  for (const HeaderCase& c : kHeaderCases) {
    SCOPED_TRACE(c.what);
    ResetReplaceStrings();
    Devmode devmode;
    if (c.setup) c.setup(devmode);
    const jobstream::Decoded stream = PrintOnePage(devmode, c.escapes);
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::Letters(stream), "JNHELT");
    EXPECT_EQ(Payload(stream, 0xF3), c.jobHeader);
    EXPECT_EQ(Payload(stream, 0xF4), c.pageHeader);
    EXPECT_EQ(Payload(stream, 0xF1), "@PJL SET PAGE = END \r\n");
  }
  ResetReplaceStrings();
}

// --- Every sample description -----------------------------------------------

// The job header, page header and page trailer of a one-page document
// (the description's default paper, 300 dpi, colour, one copy, the rest as
// the description's own validation makes it), at the tests' moment, against a golden
// listing per sample (tests/data/render/headers): each block's name, then
// its payload with every line ending kept visible. Set KESM_UPDATE_GOLDEN=1
// to rewrite the listings after a deliberate change.
std::string Visible(const std::string& payload) {
  std::string out;
  for (unsigned char c : payload) {
    if (c == '\n') {
      out += "\\n\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c >= 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out.empty() || out.back() == '\n' ? out : out + "\n";
}

class SampleHeaderBlocks : public ClockedHeaderBlocks, public ::testing::WithParamInterface<const char*> {
 protected:
  const char* Description() const override { return GetParam(); }
};

TEST_P(SampleHeaderBlocks, MatchTheirGoldenListing) {
  ResetReplaceStrings();
  // The description's own default paper, which it gives a printable area.
  UCB* ucb = GetUcb(printer_, printer_, 0, kModeRendering);
  ASSERT_NE(ucb, nullptr);
  const short paper = reinterpret_cast<const DEVMODEW*>(ucb->pDCB->devmode)->dmPaperSize;
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  Devmode devmode;
  devmode.Paper(paper);
  std::string listing;
  if (const Dc* probe = Enable(devmode); probe != nullptr && probe->so == nullptr) {
    // A description that gives its paper no printable area has no page to
    // draw on, and so no document.
    listing = "no page: " + std::to_string(probe->pdev()->pageWidth) + " x " +
              std::to_string(probe->pdev()->pageHeight) + " dots\n";
  } else {
    const jobstream::Decoded stream = PrintOnePage(devmode);
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::Letters(stream), "JNHELT");
    listing = "job header\n" + Visible(Payload(stream, 0xF3)) + "page header\n" + Visible(Payload(stream, 0xF4)) +
              "page trailer\n" + Visible(Payload(stream, 0xF1));
  }
  const std::string golden =
      std::string(KESM_TEST_DATA) + "/render/headers/" + kesm_test::SampleName(GetParam()) + ".txt";
  EXPECT_EQ(listing, kesm_test::GoldenText(golden, listing)) << "the listing now reads:\n" << listing;
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleHeaderBlocks, ::testing::ValuesIn(kesm_test::kSampleDescriptions),
                         [](const auto& info) { return kesm_test::SampleTestName(info.param); });

}  // namespace
}  // namespace render_test
