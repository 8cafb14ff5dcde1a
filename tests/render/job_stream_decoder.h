// A reader of the job stream for the tests, written from the stream's format
// alone and sharing no code with the library that writes it: the block
// framing, the display-list records by opcode and length (the payloads of
// consecutive 0xF5 blocks read as one byte sequence), each record checked
// field by field against its format (record_fields.h), and the order of
// the blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace jobstream {

struct Block {
  std::uint8_t tag = 0;
  std::size_t offset = 0;  // of the block header in the stream
  std::vector<std::uint8_t> payload;
};

struct Record {
  std::uint8_t opcode = 0;
  std::size_t block = 0;  // index of the block the record starts in
  std::vector<std::uint8_t> bytes;
};

struct Decoded {
  std::vector<Block> blocks;
  std::vector<Record> records;
  std::string error;  // empty when every block and record was read

  bool ok() const { return error.empty(); }
};

// Reads blocks and records; stops at the first damage and says where.
Decoded Decode(const std::vector<std::uint8_t>& stream);

// The blocks as letters: J job header, N job-name line, H page header,
// E empty block, L display list, T page trailer, ? anything else.
std::string Letters(const Decoded& decoded);

// Checks the order of the blocks: a job header first, a job-name line only
// right after the first one, then pages, each a page header, the empty
// block, display-list blocks whose records open with the page-start record
// and close with the page-end record, and the page trailer. A page sent
// without being started has no header and no page-start record. A job
// header may open the job again between pages. Empty when the order holds,
// else what is wrong.
std::string CheckOrder(const Decoded& decoded);

// The number of page trailers.
std::size_t Pages(const Decoded& decoded);

// The job-name line's quoted name; empty when there is none.
std::string JobName(const Decoded& decoded);

// Little-endian values of a record.
std::uint32_t U32(const Record& record, std::size_t at);
std::uint16_t U16(const Record& record, std::size_t at);

}  // namespace jobstream
