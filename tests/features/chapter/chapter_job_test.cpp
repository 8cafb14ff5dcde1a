// A chapter job from end to end: chapters set up in the chapter dialog of
// the document sheet, the DEVMODE the sheet handed out given to the print
// host, which prints through the built rendering library; the job header
// carries the chapter plan.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/features/chapter/chapter_sheet.h"
#include "tests/render/job_stream_decoder.h"
#include "tools/printhost/print_host.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

class ChapterJob : public ChapterSheet {
 protected:
  // The job header of a document printed with the DEVMODE.
  static std::string PrintedHeader(const Bytes& devmode) {
    printhost::HostOptions options;
    options.driverModule = KESM_GR_LIBRARY;
    options.printerName = kPrinter;
    options.installPrinter = false;
    options.devmode = devmode;
    std::string error;
    auto host = printhost::PrintHost::Open(options, error);
    EXPECT_TRUE(host) << error;
    if (!host) return {};
    printhost::Document document;
    document.name = u"Chapters";
    document.pages.resize(4);
    const printhost::PrintResult result = host->Print(document);
    EXPECT_TRUE(result.ok) << result.error;
    std::ifstream in(result.jobFile, std::ios::binary);
    const jobstream::Decoded stream =
        jobstream::Decode({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    EXPECT_TRUE(stream.ok()) << stream.error;
    for (const jobstream::Block& block : stream.blocks) {
      if (block.tag == 0xF3) return std::string(block.payload.begin(), block.payload.end());
    }
    return {};
  }
};

// Page 2 a sheet from the first tray printed on one side, page 4 a break:
// OK of the dialog and of the sheet, then the job.
TEST_F(ChapterJob, ChaptersSetInTheDialogReachTheJobHeader) {
  UiScript script;
  OpenChapterDialog(script);
  script.pick(WindowRef::Item(Dialog(), kPrintChoice), 1);
  script.text(WindowRef::Item(Dialog(), kEditPages), u"2").click(WindowRef::Item(Dialog(), kAddButton));
  script.pick(WindowRef::Item(Dialog(), kKindChoice), 1);
  script.text(WindowRef::Item(Dialog(), kEditPages), u"4").click(WindowRef::Item(Dialog(), kAddButton));
  script.click(WindowRef::Item(Dialog(), IDOK)).press(Sheet(), IDOK);
  ASSERT_EQ(RunSheet(script, DM_COPY | DM_UPDATE), 1);
  EXPECT_EQ(Ini(u"wdmChapterPage1"), u"2");
  EXPECT_EQ(Ini(u"wdmChapterKind2"), u"1");

  const std::string header = PrintedHeader(out_);
  const std::string plan =
      "@PJL SET CHAPTER = ON \r\n"
      "@PJL SET CHAPTERPRINTDUPLEX1 = OFF \r\n"
      "@PJL SET CHAPTERPAGENUMBER1 = 2 \r\n@PJL SET CHAPTERPAGE1 = COPY \r\n"
      "@PJL SET CHAPTERPAGETRAY1 = CHAPTERPRINTTRAY1 \r\n"
      "@PJL SET CHAPTERPAGENUMBER2 = 4 \r\n@PJL SET CHAPTERPAGE2 = BREAK \r\n";
  EXPECT_NE(header.find(plan), std::string::npos) << header;
}

}  // namespace
}  // namespace ui_test
