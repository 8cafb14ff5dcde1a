// What a job-stream file holds, counted from its block framing: each block
// is a tag, three zero bytes and a 32-bit little-endian payload length,
// followed by the payload.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kesmprint {

struct StreamSummary {
  std::size_t blocks = 0;
  std::size_t bytes = 0;
  std::string error;  // where the framing breaks; empty when it holds
};

StreamSummary Summarize(const std::vector<unsigned char>& stream);

}  // namespace kesmprint
