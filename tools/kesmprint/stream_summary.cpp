#include "tools/kesmprint/stream_summary.h"

namespace kesmprint {

StreamSummary Summarize(const std::vector<unsigned char>& stream) {
  constexpr std::size_t kHeader = 8;
  StreamSummary summary;
  summary.bytes = stream.size();
  std::size_t at = 0;
  while (at < stream.size()) {
    if (stream.size() - at < kHeader || stream[at + 1] != 0 || stream[at + 2] != 0 || stream[at + 3] != 0) {
      summary.error = "no block header at byte " + std::to_string(at);
      return summary;
    }
    const std::size_t length = stream[at + 4] | stream[at + 5] << 8 | stream[at + 6] << 16 |
                               static_cast<std::size_t>(stream[at + 7]) << 24;
    if (stream.size() - at - kHeader < length) {
      summary.error = "the block at byte " + std::to_string(at) + " is cut short";
      return summary;
    }
    ++summary.blocks;
    at += kHeader + length;
  }
  return summary;
}

}  // namespace kesmprint
