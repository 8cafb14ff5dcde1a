#include "tests/render/encode/m9_decoder.h"

namespace kesm_test {

namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> block) : block_(block) {}

  bool AtEnd() const { return at_ == block_.size(); }

  std::optional<std::uint8_t> Byte() {
    if (AtEnd()) return std::nullopt;
    return block_[at_++];
  }

  // A field whose command-byte value reached its top (15 or 7) goes on in
  // bytes of 255 and ends with the first byte below 255.
  std::optional<std::size_t> Extend(std::size_t field) {
    for (;;) {
      std::optional<std::uint8_t> more = Byte();
      if (!more) return std::nullopt;
      field += *more;
      if (*more != 255) return field;
    }
  }

 private:
  std::span<const std::uint8_t> block_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<M9Command>> M9Parse(std::span<const std::uint8_t> block) {
  std::vector<M9Command> commands;
  Reader reader(block);
  while (!reader.AtEnd()) {
    const std::uint8_t head = *reader.Byte();
    M9Command command;
    command.repeat = (head & 0x80) != 0;
    std::size_t skip = (head >> 3) & 0x0F;
    std::size_t count = head & 0x07;
    command.skipExtended = skip == 15;
    command.countExtended = count == 7;
    if (command.skipExtended) {
      std::optional<std::size_t> extended = reader.Extend(skip);
      if (!extended) return std::nullopt;
      skip = *extended;
    }
    if (command.countExtended) {
      std::optional<std::size_t> extended = reader.Extend(count);
      if (!extended) return std::nullopt;
      count = *extended;
    }
    command.zeroSkip = skip;
    command.length = command.repeat ? count + 2 : count + 1;
    const std::size_t dataBytes = command.repeat ? 1 : command.length;
    for (std::size_t i = 0; i < dataBytes; ++i) {
      std::optional<std::uint8_t> byte = reader.Byte();
      if (!byte) return std::nullopt;
      command.data.push_back(*byte);
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

std::optional<std::vector<std::uint8_t>> M9Decode(std::span<const std::uint8_t> block,
                                                  std::size_t plainLength) {
  std::optional<std::vector<M9Command>> commands = M9Parse(block);
  if (!commands) return std::nullopt;
  std::vector<std::uint8_t> plain;
  for (const M9Command& command : *commands) {
    if (command.zeroSkip + command.length > plainLength - plain.size()) return std::nullopt;
    plain.insert(plain.end(), command.zeroSkip, 0);
    if (command.repeat) {
      plain.insert(plain.end(), command.length, command.data[0]);
    } else {
      plain.insert(plain.end(), command.data.begin(), command.data.end());
    }
  }
  plain.resize(plainLength, 0);
  return plain;
}

}  // namespace kesm_test
