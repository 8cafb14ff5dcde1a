// The record tests' fixture: a PDEV of the Kesm R5 with a spooler job, its
// display list emptied, and two ways to read records back with the test
// decoder: straight from the display list, or from the job stream of a
// document whose pages the test draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/spool/job_stream.h"
#include "tests/render/record_fields.h"
#include "tests/render/render_fixture.h"

namespace render_test {

using Bytes = std::vector<std::uint8_t>;

// "30 0C 09 00" and the like; spaces and line breaks are ignored.
inline Bytes FromHex(const std::string& text) {
  Bytes out;
  int high = -1;
  for (char c : text) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<std::uint8_t>(high << 4 | v));
      high = -1;
    }
  }
  return out;
}

inline std::string ToHex(const Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0xF];
  }
  return text;
}

// The records of one page of a decoded job, between its page-start and
// page-end records (all records of a page that was not started, but its
// page-end record).
inline std::vector<jobstream::Record> PageRecords(const jobstream::Decoded& decoded, std::size_t page) {
  std::vector<jobstream::Record> out;
  std::size_t seen = 0;
  for (const jobstream::Record& r : decoded.records) {
    if (r.opcode == 0x61) {
      if (seen++ == page) return out;
      out.clear();
      continue;
    }
    if (r.opcode != 0x60) out.push_back(r);
  }
  return {};
}

inline std::vector<std::uint8_t> Opcodes(const std::vector<jobstream::Record>& records) {
  std::vector<std::uint8_t> out;
  for (const jobstream::Record& r : records) out.push_back(r.opcode);
  return out;
}

class RecordTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    dc_ = Enable(devmode_);
    ASSERT_NE(dc_, nullptr);
    pdev_ = dc_->pdev();
    stream_ = &pdev_->stream;
    StartJob();
    dl_init(stream_);
  }

  // Every byte the display list holds now, chunk after chunk.
  Bytes Listed() const {
    Bytes out;
    for (DlChunk* chunk = stream_->head; chunk != nullptr; chunk = chunk->next) {
      out.insert(out.end(), chunk->Data(), chunk->fill);
    }
    return out;
  }
  // The display list's records, read by the test decoder.
  jobstream::Decoded ReadListed() const {
    const Bytes bytes = Listed();
    const auto n = static_cast<std::uint32_t>(bytes.size());
    Bytes block{0xF5,
                0,
                0,
                0,
                static_cast<std::uint8_t>(n),
                static_cast<std::uint8_t>(n >> 8),
                static_cast<std::uint8_t>(n >> 16),
                static_cast<std::uint8_t>(n >> 24)};
    block.insert(block.end(), bytes.begin(), bytes.end());
    return jobstream::Decode(block);
  }
  // Empties the display list.
  void Clear() {
    dl_free(stream_);
    dl_init(stream_);
  }

  // A document on the fixture's PDEV: its start and first page.
  void OpenDocument() {
    WCHAR name[] = u"Records";
    ASSERT_TRUE(DrvStartDoc(dc_->so, name, jobId_));
    ASSERT_TRUE(DrvStartPage(dc_->so));
  }
  // Sends the page open and ends the document; the job stream decoded,
  // checked for its block order.
  jobstream::Decoded CloseDocument() {
    EXPECT_TRUE(DrvSendPage(dc_->so));
    EXPECT_TRUE(DrvEndDoc(dc_->so, 0));
    jobstream::Decoded decoded = jobstream::Decode(FinishJob());
    EXPECT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(jobstream::CheckOrder(decoded), "");
    return decoded;
  }

  Devmode devmode_;
  Dc* dc_ = nullptr;
  PDEV* pdev_ = nullptr;
  JobStream* stream_ = nullptr;
};

}  // namespace render_test
