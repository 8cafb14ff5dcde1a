#include "tests/render/job_stream_decoder.h"

#include <string_view>

#include "tests/render/record_fields.h"

namespace jobstream {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::string_view kJobNamePrefix = "@PJL SET JOBNAME = \"";

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::string Hex(unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out = "0x";
  out += kDigits[(value >> 4) & 0xF];
  out += kDigits[value & 0xF];
  return out;
}

bool IsKnown(std::uint8_t opcode) {
  static constexpr std::uint8_t kOpcodes[] = {0x10, 0x11, 0x12, 0x20, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36,
                                              0x37, 0x40, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x60,
                                              0x61};
  for (std::uint8_t known : kOpcodes) {
    if (known == opcode) return true;
  }
  return false;
}

// The bytes a record must have before its length can be read.
std::size_t LengthFieldEnd(std::uint8_t opcode) {
  switch (opcode) {
    case 0x40: return 6;
    case 0x50: case 0x56: return 16;
    case 0x10: case 0x11: case 0x12: case 0x20: case 0x51: case 0x52: case 0x53: case 0x54: case 0x55:
    case 0x57: return 8;
    default: return 4;
  }
}

// The length of a known record by its opcode and, for the variable kinds,
// its own length field (readable: LengthFieldEnd bytes are there).
std::size_t RecordLength(const std::uint8_t* p) {
  switch (p[0]) {
    case 0x31: case 0x32: case 0x34: case 0x35: case 0x37: case 0x61:
      return 4;
    case 0x33: case 0x36:
      return 8;
    case 0x60:
      return 16;
    case 0x30:
      return p[1];
    case 0x40:
      return (std::size_t{Le16(p + 4)} + 6 + 3) / 4 * 4;
    case 0x50: case 0x56:
      return Le16(p + 14);
    default:
      return Le32(p + 4);
  }
}

// What a record of its opcode must hold at least, and exactly where the
// format fixes it.
std::string CheckRecord(const std::uint8_t* p, std::size_t length) {
  if (length == 0 || length % 4 != 0) return "a length that is not a positive multiple of 4";
  if (length < LengthFieldEnd(p[0])) return "a length shorter than the record's own head";
  switch (p[0]) {
    case 0x30:
      if (length != 8 && length != 12 && length != 16) return "a colour record of a length other than 8, 12 or 16";
      break;
    case 0x10: {
      const bool one = p[2] == 5 || p[2] == 6;
      if (length != (one ? 24u : 40u)) return "a rectangle record of the wrong length for its kind";
      break;
    }
    case 0x11: case 0x12:
      if (length < 28) return "a path record shorter than its head";
      break;
    case 0x20:
      if (length < 56) return "an image record shorter than its head";
      break;
    default:
      break;
  }
  return {};
}

bool IsJobName(const Block& block) {
  return block.tag == 0xF3 && block.payload.size() >= kJobNamePrefix.size() &&
         std::string_view(reinterpret_cast<const char*>(block.payload.data()), kJobNamePrefix.size()) ==
             kJobNamePrefix;
}

// Reads the records of one run of consecutive display-list blocks.
void ReadRun(Decoded& decoded, std::size_t first, std::size_t end) {
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> startOf;  // block index of each byte's block
  for (std::size_t b = first; b < end; ++b) {
    const auto& payload = decoded.blocks[b].payload;
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    startOf.insert(startOf.end(), payload.size(), b);
  }
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t available = bytes.size() - at;
    if (available < 4) {
      decoded.error = "a record cut short at the end of the display list in block " + std::to_string(startOf[at]);
      return;
    }
    const std::uint8_t* p = bytes.data() + at;
    const std::string where = " in block " + std::to_string(startOf[at]);
    if (!IsKnown(p[0])) {
      decoded.error = "an unknown record " + Hex(p[0]) + where;
      return;
    }
    if (available < LengthFieldEnd(p[0])) {
      decoded.error = "a record " + Hex(p[0]) + " cut short at the end of the display list" + where;
      return;
    }
    const std::size_t length = RecordLength(p);
    if (length > available) {
      decoded.error = "a record " + Hex(p[0]) + " longer than the display list" + where;
      return;
    }
    if (std::string wrong = CheckRecord(p, length); !wrong.empty()) {
      decoded.error = "record " + Hex(p[0]) + where + ": " + wrong;
      return;
    }
    Record record{p[0], startOf[at], {p, p + length}};
    if (const Fields fields = ReadFields(record); !fields.ok()) {
      decoded.error = "record " + Hex(p[0]) + where + ": " + fields.error;
      return;
    }
    decoded.records.push_back(std::move(record));
    at += length;
  }
}

}  // namespace

Decoded Decode(const std::vector<std::uint8_t>& stream) {
  Decoded decoded;
  std::size_t at = 0;
  while (at < stream.size()) {
    if (stream.size() - at < kHeaderBytes) {
      decoded.error = "a block header cut short at byte " + std::to_string(at);
      return decoded;
    }
    const std::uint8_t* h = stream.data() + at;
    if (h[1] != 0 || h[2] != 0 || h[3] != 0) {
      decoded.error = "reserved bytes not zero in the block at byte " + std::to_string(at);
      return decoded;
    }
    const std::uint32_t length = Le32(h + 4);
    if (stream.size() - at - kHeaderBytes < length) {
      decoded.error = "the payload of the block at byte " + std::to_string(at) + " is cut short";
      return decoded;
    }
    Block block;
    block.tag = h[0];
    block.offset = at;
    block.payload.assign(h + kHeaderBytes, h + kHeaderBytes + length);
    decoded.blocks.push_back(std::move(block));
    at += kHeaderBytes + length;
  }
  for (std::size_t b = 0; b < decoded.blocks.size() && decoded.ok();) {
    if (decoded.blocks[b].tag != 0xF5) {
      ++b;
      continue;
    }
    std::size_t end = b;
    while (end < decoded.blocks.size() && decoded.blocks[end].tag == 0xF5) ++end;
    ReadRun(decoded, b, end);
    b = end;
  }
  return decoded;
}

std::string Letters(const Decoded& decoded) {
  std::string out;
  for (const Block& block : decoded.blocks) {
    switch (block.tag) {
      case 0xF3: out += IsJobName(block) ? 'N' : 'J'; break;
      case 0xF4: out += 'H'; break;
      case 0xF0: out += 'E'; break;
      case 0xF5: out += 'L'; break;
      case 0xF1: out += 'T'; break;
      default: out += '?'; break;
    }
  }
  return out;
}

std::string CheckOrder(const Decoded& decoded) {
  if (!decoded.ok()) return decoded.error;
  const std::string letters = Letters(decoded);
  const std::vector<Block>& blocks = decoded.blocks;
  if (letters.empty() || letters[0] != 'J') return "the stream does not open with the job header";
  if (letters.find('?') != std::string::npos) return "a block of an unknown tag";
  if (letters.find('N', 2) != std::string::npos) return "a job-name line that does not follow the first job header";
  for (const Block& block : blocks) {
    if (block.tag == 0xF0 && !block.payload.empty()) return "an empty block with a payload";
  }
  // The records of each display-list run, by the block they start in.
  auto recordsOf = [&](std::size_t first, std::size_t end) {
    std::vector<const Record*> out;
    for (const Record& r : decoded.records) {
      if (r.block >= first && r.block < end) out.push_back(&r);
    }
    return out;
  };
  std::size_t i = letters.size() > 1 && letters[1] == 'N' ? 2 : 1;
  while (i < letters.size()) {
    if (letters[i] == 'J') {
      ++i;
      continue;
    }
    const std::size_t pageStart = i;
    const bool headed = letters[i] == 'H';
    if (headed) {
      if (i + 1 >= letters.size() || letters[i + 1] != 'E') return "a page header not followed by the empty block";
      i += 2;
    }
    const std::size_t run = i;
    while (i < letters.size() && letters[i] == 'L') ++i;
    if (i >= letters.size() || letters[i] != 'T') {
      return "the page opening at block " + std::to_string(pageStart) + " has no trailer after its display list";
    }
    if (run == i) return "the page opening at block " + std::to_string(pageStart) + " has no display list";
    const auto records = recordsOf(run, i);
    if (records.empty() || records.back()->opcode != 0x61) {
      return "the display list of the page opening at block " + std::to_string(pageStart) +
             " does not end with the page-end record";
    }
    if (headed && records.front()->opcode != 0x60) {
      return "the display list of the page opening at block " + std::to_string(pageStart) +
             " does not open with the page-start record";
    }
    for (std::size_t r = 1; r + 1 < records.size(); ++r) {
      if (records[r]->opcode == 0x60 || records[r]->opcode == 0x61) {
        return "a page-start or page-end record inside the page opening at block " + std::to_string(pageStart);
      }
    }
    ++i;
  }
  return {};
}

std::size_t Pages(const Decoded& decoded) {
  std::size_t n = 0;
  for (const Block& block : decoded.blocks) n += block.tag == 0xF1;
  return n;
}

std::string JobName(const Decoded& decoded) {
  for (const Block& block : decoded.blocks) {
    if (!IsJobName(block)) continue;
    const std::string text(block.payload.begin(), block.payload.end());
    const std::size_t end = text.rfind("\"\r\n");
    if (end == std::string::npos || end < kJobNamePrefix.size()) return {};
    return text.substr(kJobNamePrefix.size(), end - kJobNamePrefix.size());
  }
  return {};
}

std::uint32_t U32(const Record& record, std::size_t at) { return Le32(record.bytes.data() + at); }
std::uint16_t U16(const Record& record, std::size_t at) { return Le16(record.bytes.data() + at); }

}  // namespace jobstream
