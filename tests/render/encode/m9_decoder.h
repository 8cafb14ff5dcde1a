// A decoder of M9 written from the format alone, sharing nothing with the
// encoder, so that a round trip through it checks the encoder against the
// format rather than against itself. Strict: a command cut short, or output
// beyond the plain length, makes the block malformed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kesm_test {

struct M9Command {
  std::size_t zeroSkip = 0;
  bool repeat = false;
  std::size_t length = 0;           // bytes the data covers
  std::vector<std::uint8_t> data;   // one byte for a repeat, length for a literal
  bool skipExtended = false;        // the field held 15 and extension bytes followed
  bool countExtended = false;       // the field held 7 and extension bytes followed
};

// The commands of a block in order, or nothing when the block ends inside a
// command (its extension or its data).
std::optional<std::vector<M9Command>> M9Parse(std::span<const std::uint8_t> block);

// The plain bytes of a block: the commands' zero skips and data, then zero
// bytes up to plainLength (trailing zero bytes have no command). Nothing when
// the block is malformed or its commands cover more than plainLength.
std::optional<std::vector<std::uint8_t>> M9Decode(std::span<const std::uint8_t> block,
                                                  std::size_t plainLength);

}  // namespace kesm_test
