#include "tools/kesmprint/stream_summary.h"

#include <algorithm>

namespace kesmprint {
namespace {

constexpr std::size_t kHeader = 8;

}  // namespace

void StreamSummarizer::Add(const unsigned char* bytes, std::size_t count) {
  const std::size_t base = summary_.bytes;
  summary_.bytes += count;
  for (std::size_t at = 0; at < count && summary_.error.empty();) {
    if (payloadLeft_ > 0) {
      const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(payloadLeft_, count - at));
      payloadLeft_ -= take;
      at += take;
      continue;
    }
    if (headerBytes_ == 0) blockStart_ = base + at;
    header_[headerBytes_++] = bytes[at++];
    if (headerBytes_ < kHeader) continue;
    headerBytes_ = 0;
    if (header_[1] != 0 || header_[2] != 0 || header_[3] != 0) {
      summary_.error = "no block header at byte " + std::to_string(blockStart_);
      break;
    }
    payloadLeft_ = header_[4] | header_[5] << 8 | header_[6] << 16 | static_cast<std::uint64_t>(header_[7]) << 24;
    ++summary_.blocks;
  }
}

StreamSummary StreamSummarizer::Finish() const {
  StreamSummary summary = summary_;
  if (!summary.error.empty()) return summary;
  if (headerBytes_ > 0) summary.error = "no block header at byte " + std::to_string(blockStart_);
  if (payloadLeft_ > 0) summary.error = "the block at byte " + std::to_string(blockStart_) + " is cut short";
  return summary;
}

StreamSummary Summarize(const std::vector<unsigned char>& stream) {
  StreamSummarizer summarizer;
  summarizer.Add(stream.data(), stream.size());
  return summarizer.Finish();
}

}  // namespace kesmprint
