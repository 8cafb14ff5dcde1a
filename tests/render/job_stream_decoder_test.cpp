// The test decoder itself, on streams written by hand: it must find what a
// damaged stream or a wrong order looks like, or the tests that use it
// would prove nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/render/job_stream_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Block(std::uint8_t tag, const Bytes& payload) {
  const auto n = static_cast<std::uint32_t>(payload.size());
  Bytes out{tag, 0, 0, 0, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
            static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}
Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

const Bytes kPageStart{0x60, 0, 0, 0, 0x10, 0, 0, 0, 0x20, 0, 0, 0, 0x2C, 0x01, 0x2C, 0x01};
const Bytes kPageEnd{0x61, 0, 0, 0};
const Bytes kRop{0x31, 0xCC, 0, 0};
const Bytes kJob = Block(0xF3, {});
const Bytes kName = Block(0xF3, Text("@PJL SET JOBNAME = \"A\"\r\n"));
const Bytes kPageHead = Cat({Block(0xF4, {}), Block(0xF0, {})});
const Bytes kTrailer = Block(0xF1, {});

TEST(JobStreamDecoder, ReadsAWellFormedStreamWithARecordAcrossTwoBlocks) {
  // The ROP record is split between two display-list blocks.
  const Bytes stream = Cat({kJob, kName, kPageHead, Block(0xF5, Cat({kPageStart, Bytes{0x31, 0xCC}})),
                            Block(0xF5, Cat({Bytes{0, 0}, kPageEnd})), kTrailer});
  const jobstream::Decoded decoded = jobstream::Decode(stream);
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  EXPECT_EQ(jobstream::Letters(decoded), "JNHELLT");
  ASSERT_EQ(decoded.records.size(), 3u);
  EXPECT_EQ(decoded.records[1].bytes, kRop);
  EXPECT_EQ(decoded.records[1].block, 4u);
  EXPECT_EQ(jobstream::CheckOrder(decoded), "");
  EXPECT_EQ(jobstream::JobName(decoded), "A");
  EXPECT_EQ(jobstream::U32(decoded.records[0], 4), 16u);
}

TEST(JobStreamDecoder, FindsDamagedFraming) {
  const Bytes good = Cat({kJob, kPageHead, Block(0xF5, Cat({kPageStart, kPageEnd})), kTrailer});
  const struct {
    const char* what;
    Bytes stream;
  } rows[] = {
      {"a header cut short", Bytes(good.begin(), good.end() - 3)},
      {"a payload cut short", Bytes(good.begin(), good.end() - 8 - 2)},
      {"reserved bytes not zero", Cat({Bytes{0xF3, 0, 1, 0, 0, 0, 0, 0}})},
      {"an unknown record", Cat({kJob, kPageHead, Block(0xF5, Cat({kPageStart, Bytes{0x99, 0, 0, 0}})), kTrailer})},
      {"a record running past its display list",
       Cat({kJob, kPageHead, Block(0xF5, Cat({kPageStart, Bytes{0x31, 0xCC}})), kTrailer})},
      {"a colour record of a length it cannot have",
       Cat({kJob, kPageHead, Block(0xF5, Cat({kPageStart, Bytes{0x30, 10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}})),
            kTrailer})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const jobstream::Decoded decoded = jobstream::Decode(row.stream);
    EXPECT_FALSE(decoded.ok());
    EXPECT_NE(jobstream::CheckOrder(decoded), "");
  }
}

TEST(JobStreamDecoder, FindsBlocksOutOfOrder) {
  const Bytes list = Block(0xF5, Cat({kPageStart, kPageEnd}));
  const struct {
    const char* what;
    Bytes stream;
  } rows[] = {
      {"a page before the job header", Cat({kPageHead, list, kTrailer, kJob})},
      {"a job name after a later job header", Cat({kJob, kPageHead, list, kTrailer, kJob, kName})},
      {"a page header without the empty block", Cat({kJob, Block(0xF4, {}), list, kTrailer})},
      {"a page without its trailer", Cat({kJob, kPageHead, list})},
      {"a page without its display list", Cat({kJob, kPageHead, kTrailer})},
      {"a page that does not open with the page-start record",
       Cat({kJob, kPageHead, Block(0xF5, Cat({kRop, kPageEnd})), kTrailer})},
      {"a page that does not end with the page-end record",
       Cat({kJob, kPageHead, Block(0xF5, Cat({kPageStart, kRop})), kTrailer})},
      {"two pages in one display list",
       Cat({kJob, kPageHead, Block(0xF5, Cat({kPageStart, kPageEnd, kPageStart, kPageEnd})), kTrailer})},
      {"an empty block with a payload", Cat({kJob, Block(0xF4, {}), Block(0xF0, {1, 2}), list, kTrailer})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const jobstream::Decoded decoded = jobstream::Decode(row.stream);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_NE(jobstream::CheckOrder(decoded), "");
  }
}

}  // namespace
