// The display list and the spooler writes: chunks of 10240 bytes or the
// multiple of that a record needs, the flush of the page so far past
// 0x100000 queued bytes, flushes that write nothing when nothing is queued,
// writes of at most 4096 bytes, and a write error that stops all writing.
#include <cstring>

#include "render/spool/job_stream.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

class DisplayList : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    dc_ = Enable(devmode_);
    ASSERT_NE(dc_, nullptr);
    StartJob();
    stream_ = &dc_->pdev()->stream;
    dl_init(stream_);
  }

  // Queues length bytes of reset-clip records (4 bytes each), so that the
  // stream decodes.
  BYTE* Queue(ULONG length) {
    BYTE* at = dl_alloc(stream_, length);
    if (at != nullptr) {
      for (ULONG i = 0; i < length; i += 4) {
        const BYTE record[4] = {0x37, 0, 0, 0};
        std::memcpy(at + i, record, 4);
      }
    }
    return at;
  }
  std::size_t DataBytes(const DlChunk* chunk) const {
    return static_cast<std::size_t>(chunk->end - const_cast<DlChunk*>(chunk)->Data());
  }

  Devmode devmode_;
  Dc* dc_ = nullptr;
  JobStream* stream_ = nullptr;
};

TEST_F(DisplayList, ARecordThatWouldFillTheChunkExactlyOpensANewOne) {
  ASSERT_NE(Queue(kChunkDataBytes - 16), nullptr);
  ASSERT_NE(Queue(12), nullptr);
  EXPECT_EQ(stream_->tail, stream_->head) << "12 bytes fit into 16";
  ASSERT_NE(Queue(4), nullptr);
  EXPECT_NE(stream_->tail, stream_->head) << "4 bytes would fill it exactly";
  EXPECT_EQ(stream_->queued, kChunkDataBytes - 16 + 12 + 4);
  EXPECT_EQ(stream_->records, 3u);
}

TEST_F(DisplayList, ALargeRecordGetsAChunkOfTheMultipleOfTheChunkSizeThatHoldsIt) {
  const struct {
    ULONG length;
    std::size_t data;
  } rows[] = {{10240, 10240}, {10241, 20480}, {20480, 20480}, {30000, 30720}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.length);
    ASSERT_NE(Queue(row.length), nullptr);
    EXPECT_EQ(DataBytes(stream_->tail), row.data);
    ASSERT_TRUE(DLFlushPage(stream_));
  }
}

TEST_F(DisplayList, AFlushWithNothingQueuedWritesNothing) {
  EXPECT_TRUE(DLFlushPage(stream_));
  EXPECT_TRUE(WriteSizes().empty());
}

TEST_F(DisplayList, PastTheQueueLimitThePageSoFarGoesOutAndTheRestFollowsAnEmptyBlock) {
  // Records of 10236 bytes, each in a chunk of its own: the 104th finds
  // 103 x 10236 bytes queued, more than 0x100000.
  constexpr ULONG kRecord = 10236;
  std::size_t before = 0;
  for (int i = 0; i < 104; ++i) {
    before = WriteSizes().size();
    ASSERT_NE(Queue(kRecord), nullptr) << i;
  }
  EXPECT_GT(WriteSizes().size(), before) << "the 104th record sent the page so far";
  EXPECT_EQ(stream_->queued, kRecord);
  ASSERT_TRUE(DLFlushPage(stream_));
  const jobstream::Decoded stream = jobstream::Decode(FinishJob());
  ASSERT_TRUE(stream.ok()) << stream.error;
  // The first flush: the inline chunk and 102 more, one record each; the
  // second: the inline chunk, empty, and the chunk of the last record.
  ASSERT_EQ(stream.blocks.size(), 105u);
  for (std::size_t i = 0; i < 103; ++i) EXPECT_EQ(stream.blocks[i].payload.size(), kRecord) << i;
  EXPECT_EQ(stream.blocks[103].payload.size(), 0u);
  EXPECT_EQ(stream.blocks[104].payload.size(), kRecord);
  EXPECT_EQ(stream.records.size(), 104u * kRecord / 4);
}

TEST_F(DisplayList, TheSpareEndOfARecordIsGivenBackToAMultipleOfFour) {
  BYTE* record = Queue(64);
  ASSERT_NE(record, nullptr);
  dl_shrink(stream_, record + 21);
  EXPECT_EQ(stream_->tail->fill, record + 24);
  EXPECT_EQ(stream_->queued, 64u) << "the queued count is not reduced";
}

TEST_F(DisplayList, WritesGoToTheSpoolerInPiecesOfAtMost4096Bytes) {
  std::vector<BYTE> bytes(10000, 0x5A);
  ASSERT_TRUE(spoolWrite(stream_, bytes.data(), 10000));
  EXPECT_EQ(WriteSizes(), (std::vector<DWORD>{4096, 4096, 1808}));
  ASSERT_TRUE(spoolWrite(stream_, bytes.data(), 0));
  EXPECT_EQ(WriteSizes().size(), 3u) << "nothing to write, no call";
}

TEST_F(DisplayList, AfterAFailedWriteNothingMoreIsWritten) {
  std::vector<BYTE> bytes(5000, 0x5A);
  plat::FailPrinterWriteAt(2);
  EXPECT_FALSE(spoolWrite(stream_, bytes.data(), 5000));
  plat::FailPrinterWriteAt(0);
  EXPECT_NE(dc_->pdev()->flags & kPdevWriteError, 0u);
  const std::size_t calls = WriteSizes().size();
  EXPECT_FALSE(spoolWrite(stream_, bytes.data(), 10));
  ASSERT_NE(Queue(8), nullptr);
  EXPECT_FALSE(DLFlushPage(stream_));
  EXPECT_EQ(stream_->queued, 0u) << "the list is emptied even when its flush failed";
  EXPECT_EQ(WriteSizes().size(), calls);
  EXPECT_EQ(FinishJob().size(), 4096u);
}

TEST_F(DisplayList, ANewChunkThatCannotBeHadLeavesTheListAsItWas) {
  ASSERT_NE(Queue(kChunkDataBytes - 8), nullptr);
  plat::FailAllocationAt(1);
  EXPECT_EQ(dl_alloc(stream_, 16), nullptr);
  plat::FailAllocationAt(0);
  EXPECT_EQ(stream_->tail, stream_->head);
  EXPECT_EQ(stream_->queued, kChunkDataBytes - 8);
  EXPECT_EQ(stream_->records, 1u);
}

}  // namespace
}  // namespace render_test
