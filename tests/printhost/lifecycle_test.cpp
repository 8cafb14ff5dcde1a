// The host drives the driver through the engine's order of calls, and a
// failing driver or spooler ends the job cleanly.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "platform/spooler/spooljob.h"
#include "tests/printhost/host_fixture.h"

namespace {

const std::vector<std::string> kLifecycle = {
    "DrvEnablePDEV",  "DrvCompletePDEV", "DrvEnableSurface", "DrvResetPDEV",   "DrvDisableSurface",
    "DrvDisablePDEV", "DrvStartDoc",     "DrvStartPage",     "DrvSendPage",    "DrvEndDoc",
    "DrvStartBanding", "DrvNextBand"};

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(HostTest, SampleDocumentFollowsTheEnginesOrderWithAResetBeforeTheLastPage) {
  const auto result = host_->Print(printhost::SampleDocument());
  ASSERT_TRUE(result.ok) << result.error;
  const std::vector<std::string> expected = {
      "DrvEnablePDEV", "DrvCompletePDEV", "DrvEnableSurface", "DrvStartDoc",
      "DrvStartPage", "DrvSendPage", "DrvStartPage", "DrvSendPage", "DrvStartPage", "DrvSendPage",
      // The DEVMODE changes: a new PDEV takes over the document.
      "DrvEnablePDEV", "DrvCompletePDEV", "DrvEnableSurface", "DrvResetPDEV", "DrvDisableSurface",
      "DrvDisablePDEV",
      "DrvStartPage", "DrvSendPage", "DrvEndDoc", "DrvDisableSurface", "DrvDisablePDEV"};
  EXPECT_EQ(Sequence(kLifecycle), expected);
  EXPECT_EQ(Calls("DrvEnablePDEV")[1]->orientation, 2);
  const auto* start = Calls("DrvStartDoc").front();
  EXPECT_EQ(start->text, u"Kesm sample document");
  EXPECT_EQ(start->jobId, result.jobId);
  EXPECT_EQ(Calls("DrvEndDoc").back()->flags, 0u);
  // The job holds what the driver wrote, call by call.
  const auto job = plat::FindPrintJob(result.jobId);
  ASSERT_TRUE(job);
  EXPECT_EQ(job->state, plat::PrintJobRecord::State::kDone);
  EXPECT_EQ(job->writeSizes.size(), Calls("EngWritePrinter").size());
  EXPECT_EQ(ReadAll(result.jobFile), std::string("page\nend of page\n") + "page\nend of page\n" +
                                         "page\nend of page\n" + "page\nend of page\n");
  ExpectNothingLeft();
}

TEST_F(HostTest, BandingDriverGetsEachPageBandByBandDrawnByTheEngine) {
  log_->control.banding = true;
  printhost::Document document = printhost::SampleDocument();
  document.pages.resize(2);
  const auto result = host_->Print(document);
  ASSERT_TRUE(result.ok) << result.error;
  const auto sequence = Sequence(kLifecycle);
  // 3150 lines in bands of 1000: four bands a page, the last one ends it.
  const std::vector<std::string> page = {"DrvStartPage", "DrvStartBanding", "DrvNextBand",
                                         "DrvNextBand",  "DrvNextBand",     "DrvNextBand", "DrvSendPage"};
  std::vector<std::string> expected = {"DrvEnablePDEV", "DrvCompletePDEV", "DrvEnableSurface", "DrvStartDoc"};
  for (int i = 0; i < 2; ++i) expected.insert(expected.end(), page.begin(), page.end());
  expected.insert(expected.end(), {"DrvEndDoc", "DrvDisableSurface", "DrvDisablePDEV"});
  EXPECT_EQ(sequence, expected);
  // Nothing is hooked: the engine drew text, lines and shapes into the bands.
  EXPECT_TRUE(Calls("DrvTextOut").empty());
  EXPECT_TRUE(Calls("DrvStrokePath").empty());
  LONG ink = 0;
  for (const auto* band : Calls("DrvNextBand")) ink += band->inkPixels;
  EXPECT_GT(ink, 1000);
  EXPECT_EQ(Calls("DrvNextBand").back()->band.x, -1);
  ExpectNothingLeft();
}

// Every entry point whose failure ends the job, and where the job stands.
struct Failure {
  const char* entry;
  bool jobStarted;
};

void PrintTo(const Failure& failure, std::ostream* os) { *os << failure.entry; }

// A document kept open takes its pages one at a time; kept in memory, its
// job's bytes are there page by page and none reach the job file.
TEST_F(HostTest, AnOpenJobTakesPagesOneAtATimeIntoMemory) {
  std::string error;
  auto job = host_->Start(u"Kesm sample document", printhost::JobOptions{true, false}, error);
  ASSERT_TRUE(job) << error;
  const printhost::Document document = printhost::SampleDocument();
  for (const printhost::Page& page : document.pages) {
    ASSERT_TRUE(job->PrintPage(page, error)) << error;
    EXPECT_EQ(std::string(job->bytes().begin(), job->bytes().end()), "page\nend of page\n");
    job->ClearBytes();
  }
  const auto result = job->Finish();
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(job->bytes().size(), 0u);
  const auto spooled = plat::FindPrintJob(result.jobId);
  ASSERT_TRUE(spooled);
  EXPECT_EQ(spooled->state, plat::PrintJobRecord::State::kDone);
  EXPECT_TRUE(spooled->writeSizes.empty());
  EXPECT_EQ(ReadAll(spooled->file), "");
  job.reset();
  // The order of calls is the one a whole document gets.
  const auto kept = Sequence(kLifecycle);
  log_->Reset();
  ASSERT_TRUE(host_->Print(document).ok);
  EXPECT_EQ(Sequence(kLifecycle), kept);
  ExpectNothingLeft();
}

// A page that fails aborts the open document; it takes no more pages, and
// the next document prints.
TEST_F(HostTest, AFailedPageAbortsTheOpenJob) {
  std::string error;
  auto job = host_->Start(u"doc", printhost::JobOptions{true, false}, error);
  ASSERT_TRUE(job) << error;
  const printhost::Document document = printhost::SampleDocument();
  log_->control.failIn = "DrvSendPage";
  EXPECT_FALSE(job->PrintPage(document.pages[0], error));
  EXPECT_EQ(error, "DrvSendPage failed");
  EXPECT_TRUE(job->aborted());
  log_->control.failIn = "";
  EXPECT_FALSE(job->PrintPage(document.pages[1], error));
  const auto result = job->Finish();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(Calls("DrvEndDoc").back()->flags, printhost::ED_ABORTDOC);
  EXPECT_EQ(plat::FindPrintJob(result.jobId)->state, plat::PrintJobRecord::State::kAborted);
  job.reset();
  ExpectNothingLeft();
  EXPECT_TRUE(host_->Print(document).ok);
}

// Where asked, a drawing call that fails ends only its page's drawing: the
// page is sent, the document stays open and ends well.
TEST_F(HostTest, AFailedDrawingCallCanEndItsPageOnly) {
  std::string error;
  auto job = host_->Start(u"doc", printhost::JobOptions{true, true}, error);
  ASSERT_TRUE(job) << error;
  const printhost::Document document = printhost::SampleDocument();
  log_->control.failIn = "DrvTextOut";
  EXPECT_FALSE(job->PrintPage(document.pages[0], error));
  EXPECT_EQ(error, "text output failed");
  EXPECT_FALSE(job->aborted());
  EXPECT_EQ(std::string(job->bytes().begin(), job->bytes().end()), "page\nend of page\n");
  log_->control.failIn = "";
  EXPECT_TRUE(job->PrintPage(document.pages[1], error)) << error;
  const auto result = job->Finish();
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(Calls("DrvEndDoc").back()->flags, 0u);
  job.reset();
  ExpectNothingLeft();
}

class FailingDriverTest : public HostTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailingDriverTest, EndsTheJobAndLeavesNothing) {
  log_->control.failIn = GetParam().entry;
  const auto result = host_->Print(printhost::SampleDocument());
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  if (std::string(GetParam().entry) == "DrvEnablePDEV") failedEnables_ = 1;
  if (GetParam().jobStarted) {
    const auto job = plat::FindPrintJob(result.jobId);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->state, plat::PrintJobRecord::State::kAborted);
    EXPECT_FALSE(std::filesystem::exists(job->file));
    EXPECT_EQ(Calls("DrvEndDoc").back()->flags, printhost::ED_ABORTDOC);
  } else {
    EXPECT_EQ(result.jobId, 0u);
  }
  ExpectNothingLeft();
  // The host prints again afterwards.
  log_->Reset();
  EXPECT_TRUE(host_->Print(printhost::SampleDocument()).ok);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FailingDriverTest,
    ::testing::Values(Failure{"DrvEnablePDEV", false}, Failure{"DrvEnableSurface", false},
                      Failure{"DrvStartDoc", true}, Failure{"DrvStartPage", true},
                      Failure{"DrvTextOut", true}, Failure{"DrvStrokePath", true},
                      Failure{"DrvBitBlt", true}, Failure{"DrvStrokeAndFillPath", true},
                      Failure{"DrvStretchBlt", true}, Failure{"DrvSendPage", true},
                      Failure{"DrvResetPDEV", true}),
    [](const auto& info) { return std::string(info.param.entry); });

// A driver that does not hand over one of the document and page entry
// points cannot print: the job is refused before it starts, naming the
// missing entry point, and the host prints again once the driver has it.
TEST_F(HostTest, ADriverWithoutADocumentOrPageEntryPointFailsTheJobCleanly) {
  const struct {
    ULONG index;
    const char* name;
  } entries[] = {{INDEX_DrvStartDoc, "DrvStartDoc"},
                 {INDEX_DrvStartPage, "DrvStartPage"},
                 {INDEX_DrvSendPage, "DrvSendPage"},
                 {INDEX_DrvEndDoc, "DrvEndDoc"}};
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.name);
    host_.reset();
    ASSERT_EQ(setenv(testdriver::kWithheldVariable, std::to_string(entry.index).c_str(), 1), 0);
    ASSERT_NO_FATAL_FAILURE(Open());
    unsetenv(testdriver::kWithheldVariable);
    const auto result = host_->Print(printhost::SampleDocument());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(entry.name), std::string::npos) << result.error;
    EXPECT_EQ(result.jobId, 0u) << "no job is started";
    EXPECT_TRUE(Calls("DrvEnablePDEV").empty()) << "nothing is enabled";
    ExpectNothingLeft();
  }
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_TRUE(host_->Print(printhost::SampleDocument()).ok);
}

// A write fault of the spooler reaches the driver as a failed
// EngWritePrinter, and the job is aborted.
TEST_F(HostTest, WriteFaultsReachTheDriverAsAFailedEngWritePrinter) {
  for (int kind = 0; kind < 2; ++kind) {
    log_->Reset();
    if (kind == 0) plat::FailPrinterWriteAt(2);
    else plat::ShortPrinterWriteAt(2);
    const auto result = host_->Print(printhost::SampleDocument());
    EXPECT_FALSE(result.ok);
    const auto writes = Calls("EngWritePrinter");
    ASSERT_EQ(writes.size(), 2u) << kind;
    EXPECT_TRUE(writes[0]->writeOk);
    EXPECT_FALSE(writes[1]->writeOk);
    EXPECT_EQ(result.error, "DrvSendPage failed");
    const auto job = plat::FindPrintJob(result.jobId);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->writeSizes, (std::vector<DWORD>{5, 12}));
    EXPECT_EQ(job->state, plat::PrintJobRecord::State::kAborted);
  }
  ExpectNothingLeft();
}

}  // namespace
