// Document and page control as a table of call orders, each read back with
// the test decoder: the blocks in order (J job header, N job name, H page
// header, E empty block, L display list, T page trailer), a well-formed
// order and the pages counted. Then a write failure at each write of a
// document, and short writes.
#include <functional>
#include <numeric>

#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

enum class Op { kStartDoc, kStartPage, kSendPage, kBands, kEndDoc, kReset };

struct OrderCase {
  const char* what;
  std::function<void(Devmode&)> setup;
  const char16_t* name;  // the document name DrvStartDoc gets
  std::vector<Op> ops;
  const char* letters;
  std::size_t pages;
};

using O = Op;

const OrderCase kCases[] = {
    {"a named document of two pages", nullptr, u"Report",
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kStartPage, O::kSendPage, O::kEndDoc}, "JNHELTHELT", 2},
    {"a document without a name", nullptr, nullptr,
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kStartPage, O::kSendPage, O::kEndDoc}, "JHELTHELT", 2},
    {"a document with an empty name", nullptr, u"",
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kEndDoc}, "JHELT", 1},
    {"a second page start on an open page writes nothing", nullptr, u"Report",
     {O::kStartDoc, O::kStartPage, O::kStartPage, O::kSendPage, O::kEndDoc}, "JNHELT", 1},
    {"raw mode: the first page is the application's own data", [](Devmode& d) { d.RawMode(); }, u"Report",
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kStartPage, O::kSendPage, O::kEndDoc}, "JNHELT", 1},
    {"banding: the last band sends the page, each band an image of its own chunk",
     [](Devmode& d) { d.MonochromeBanding(); }, u"Report",
     {O::kStartDoc, O::kStartPage, O::kBands, O::kStartPage, O::kBands, O::kEndDoc}, "JNHELLLLLTHELLLLLT", 2},
    {"a reset between pages opens the job again on the new PDEV", nullptr, u"Report",
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kReset, O::kStartPage, O::kSendPage, O::kEndDoc},
     "JNHELTJHELT", 2},
    {"a reset before the first page", nullptr, u"Report",
     {O::kStartDoc, O::kReset, O::kStartPage, O::kSendPage, O::kEndDoc}, "JNHELT", 1},
    {"a first page sent without being started opens the job first", nullptr, u"Report",
     {O::kStartDoc, O::kSendPage, O::kStartPage, O::kSendPage, O::kEndDoc}, "JNLTHELT", 2},
    {"a later page sent without being started", nullptr, u"Report",
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kSendPage, O::kEndDoc}, "JNHELTLT", 2},
    {"a page sent without being started after a reset", nullptr, u"Report",
     {O::kStartDoc, O::kStartPage, O::kSendPage, O::kReset, O::kSendPage, O::kEndDoc}, "JNHELTJLT", 2},
    {"raw mode with a first page sent without being started", [](Devmode& d) { d.RawMode(); }, nullptr,
     {O::kStartDoc, O::kSendPage, O::kStartPage, O::kSendPage, O::kEndDoc}, "JHELT", 1},
};

class PageOrder : public RenderTest {
 protected:
  // Runs the calls on a DC of the DEVMODE; the result of each call, and
  // after each the number of spooler writes so far. A reset enables a new
  // DC from the same DEVMODE, hands the document over and disables the old.
  struct Run {
    std::vector<bool> results;
    std::vector<std::size_t> writesAfter;
    Dc* dc = nullptr;
  };
  Run Play(Devmode& devmode, const char16_t* name, const std::vector<Op>& ops) {
    Run run;
    run.dc = Enable(devmode);
    EXPECT_NE(run.dc, nullptr);
    if (run.dc == nullptr) return run;
    StartJob();
    for (Op op : ops) {
      bool ok = false;
      SURFOBJ* so = run.dc->so;
      switch (op) {
        case Op::kStartDoc: {
          std::u16string text = name != nullptr ? name : u"";
          ok = DrvStartDoc(so, name != nullptr ? text.data() : nullptr, jobId_);
          break;
        }
        case Op::kStartPage: ok = DrvStartPage(so); break;
        case Op::kSendPage: ok = DrvSendPage(so); break;
        case Op::kBands: ok = Bands(so); break;
        case Op::kEndDoc: ok = DrvEndDoc(so, 0); break;
        case Op::kReset: {
          Dc* fresh = Enable(devmode);
          ok = fresh != nullptr && DrvResetPDEV(run.dc->device.dhpdev, fresh->device.dhpdev);
          Disable(run.dc);
          run.dc = fresh;
          break;
        }
      }
      run.results.push_back(ok);
      run.writesAfter.push_back(WriteSizes().size());
    }
    return run;
  }

  static bool Bands(SURFOBJ* so) {
    POINTL origin{};
    if (!DrvStartBanding(so, &origin)) return false;
    for (int band = 0; origin.x != -1; ++band) {
      if (band > 10 || !DrvNextBand(so, &origin)) return false;
    }
    return true;
  }
};

TEST_F(PageOrder, EachCallOrderGivesItsBlocksInAWellFormedOrder) {
  for (const OrderCase& c : kCases) {
    SCOPED_TRACE(c.what);
    Devmode devmode;
    if (c.setup) c.setup(devmode);
    const Run run = Play(devmode, c.name, c.ops);
    for (std::size_t i = 0; i < run.results.size(); ++i) EXPECT_TRUE(run.results[i]) << "call " << i;
    const jobstream::Decoded stream = jobstream::Decode(FinishJob());
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::Letters(stream), c.letters);
    EXPECT_EQ(jobstream::CheckOrder(stream), "");
    EXPECT_EQ(jobstream::Pages(stream), c.pages);
    if (run.dc != nullptr) Disable(run.dc);
  }
}

TEST_F(PageOrder, EveryPageStartsWithItsSizeAndResolution) {
  Devmode devmode;
  Play(devmode, u"Report", kCases[0].ops);
  const jobstream::Decoded stream = jobstream::Decode(FinishJob());
  ASSERT_TRUE(stream.ok()) << stream.error;
  std::size_t starts = 0;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode != 0x60) continue;
    ++starts;
    ASSERT_EQ(r.bytes.size(), 16u);
    EXPECT_EQ(jobstream::U32(r, 4), 2450u);
    EXPECT_EQ(jobstream::U32(r, 8), 3200u);
    EXPECT_EQ(jobstream::U16(r, 12), 300u);
    EXPECT_EQ(jobstream::U16(r, 14), 300u);
  }
  EXPECT_EQ(starts, 2u);
  EXPECT_EQ(jobstream::JobName(stream), "Report");
}

TEST_F(PageOrder, AResetCarriesTheDocumentAndLeavesNothingOfTheOldPdevInUse) {
  Devmode devmode;
  Dc* old = Enable(devmode);
  ASSERT_NE(old, nullptr);
  StartJob();
  WCHAR name[] = u"Report";
  ASSERT_TRUE(DrvStartDoc(old->so, name, jobId_));
  ASSERT_TRUE(DrvStartPage(old->so));
  ASSERT_TRUE(DrvSendPage(old->so));
  Dc* fresh = Enable(devmode);
  ASSERT_NE(fresh, nullptr);
  ASSERT_TRUE(DrvResetPDEV(old->device.dhpdev, fresh->device.dhpdev));
  const PDEV* pdev = fresh->pdev();
  EXPECT_EQ(pdev->pageCount, 1);
  EXPECT_EQ(pdev->jobId, jobId_);
  EXPECT_EQ(pdev->flags & (kPdevInDocument | kPdevResetPending), kPdevInDocument | kPdevResetPending);
  EXPECT_EQ(std::string(pdev->documentName), "Report");
  EXPECT_NE(pdev->documentName, old->pdev()->documentName);
  // The new display list is the new PDEV's own.
  const auto* begin = reinterpret_cast<const BYTE*>(pdev);
  const auto* at = reinterpret_cast<const BYTE*>(pdev->stream.head);
  EXPECT_TRUE(at >= begin && at < begin + sizeof(PDEV));
  EXPECT_EQ(pdev->stream.pdev, pdev);
  Disable(old);
  // Drawing after the old PDEV is gone reaches only the new one's memory.
  ASSERT_TRUE(DrvSendPage(fresh->so));
  ASSERT_TRUE(DrvStartPage(fresh->so));
  ASSERT_TRUE(DrvSendPage(fresh->so));
  ASSERT_TRUE(DrvEndDoc(fresh->so, 0));
  const jobstream::Decoded stream = jobstream::Decode(FinishJob());
  EXPECT_EQ(jobstream::Letters(stream), "JNHELTJLTHELT");
  EXPECT_EQ(jobstream::CheckOrder(stream), "");
}

TEST_F(PageOrder, AResetOutsideADocumentChangesNothing) {
  Devmode devmode;
  Dc* old = Enable(devmode);
  Dc* fresh = Enable(devmode);
  ASSERT_NE(old, nullptr);
  ASSERT_NE(fresh, nullptr);
  const ULONG flags = fresh->pdev()->flags;
  EXPECT_TRUE(DrvResetPDEV(old->device.dhpdev, fresh->device.dhpdev));
  EXPECT_EQ(fresh->pdev()->flags, flags);
  EXPECT_EQ(old->pdev()->flags & kPdevResetPending, 0u);
  EXPECT_EQ(fresh->pdev()->pageCount, 0);
}

// The writes of the named two-page document: a failure at any of them is
// reported by the call that made it, nothing more is written, and every
// later page of the PDEV is refused.
TEST_F(PageOrder, AWriteThatFailsAtAnyBlockEndsTheDocumentsOutput) {
  const std::vector<Op>& ops = kCases[0].ops;
  Devmode devmode;
  const Run normal = Play(devmode, u"Report", ops);
  const std::vector<DWORD> sizes = WriteSizes();
  const std::vector<std::uint8_t> whole = FinishJob();
  Disable(normal.dc);
  ASSERT_GT(sizes.size(), 8u);
  for (std::size_t n = 1; n <= sizes.size(); ++n) {
    SCOPED_TRACE("write " + std::to_string(n));
    plat::FailPrinterWriteAt(n);
    const Run run = Play(devmode, u"Report", ops);
    plat::FailPrinterWriteAt(0);
    // The call during which the n-th write was made fails; all before it
    // succeed; after it every page call fails and the document still ends.
    std::size_t failing = 0;
    while (normal.writesAfter[failing] < n) ++failing;
    for (std::size_t i = 0; i < ops.size(); ++i) {
      const bool pageCall = ops[i] == Op::kStartPage || ops[i] == Op::kSendPage;
      const bool expected = i < failing || (i > failing && !pageCall);
      EXPECT_EQ(run.results[i], expected) << "call " << i;
    }
    EXPECT_NE(run.dc->pdev()->flags & kPdevWriteError, 0u);
    const std::size_t kept = std::accumulate(sizes.begin(), sizes.begin() + static_cast<long>(n - 1), std::size_t{0});
    const std::vector<std::uint8_t> stream = FinishJob();
    EXPECT_EQ(stream, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(kept)))
        << "the writes before the failure, and nothing after it";
    Disable(run.dc);
  }
}

TEST_F(PageOrder, AWriteErrorStaysWithTheDocumentAcrossAReset) {
  Devmode devmode;
  Dc* old = Enable(devmode);
  ASSERT_NE(old, nullptr);
  StartJob();
  ASSERT_TRUE(DrvStartDoc(old->so, nullptr, jobId_));
  ASSERT_TRUE(DrvStartPage(old->so));
  plat::FailPrinterWriteAt(1);
  EXPECT_FALSE(DrvSendPage(old->so));
  plat::FailPrinterWriteAt(0);
  Dc* fresh = Enable(devmode);
  ASSERT_NE(fresh, nullptr);
  EXPECT_TRUE(DrvResetPDEV(old->device.dhpdev, fresh->device.dhpdev));
  const std::size_t writes = WriteSizes().size();
  EXPECT_FALSE(DrvStartPage(fresh->so));
  EXPECT_FALSE(DrvSendPage(fresh->so));
  EXPECT_EQ(WriteSizes().size(), writes) << "the new PDEV writes nothing more of the document";
}

TEST_F(PageOrder, AShortWriteIsAFailedWrite) {
  Devmode devmode;
  for (std::size_t n : {1, 3, 6}) {
    SCOPED_TRACE(n);
    plat::ShortPrinterWriteAt(n);
    const Run run = Play(devmode, u"Report", kCases[0].ops);
    plat::ShortPrinterWriteAt(0);
    EXPECT_NE(run.dc->pdev()->flags & kPdevWriteError, 0u);
    EXPECT_EQ(WriteSizes().size(), n) << "nothing is written after the short write";
    FinishJob();
    Disable(run.dc);
  }
}

}  // namespace
}  // namespace render_test
