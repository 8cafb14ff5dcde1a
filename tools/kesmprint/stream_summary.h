// What a job-stream file holds, counted from its block framing: each block
// is a tag, three zero bytes and a 32-bit little-endian payload length,
// followed by the payload. The stream may be given in pieces of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kesmprint {

struct StreamSummary {
  std::size_t blocks = 0;
  std::size_t bytes = 0;
  std::string error;  // where the framing breaks; empty when it holds
};

class StreamSummarizer {
 public:
  void Add(const unsigned char* bytes, std::size_t count);
  // The summary of everything added: a stream that ends inside a block's
  // header or payload is broken there.
  StreamSummary Finish() const;

 private:
  StreamSummary summary_;
  unsigned char header_[8] = {};
  std::size_t headerBytes_ = 0;     // of the current block's header
  std::uint64_t payloadLeft_ = 0;   // of the current block's payload
  std::size_t blockStart_ = 0;
};

StreamSummary Summarize(const std::vector<unsigned char>& stream);

}  // namespace kesmprint
