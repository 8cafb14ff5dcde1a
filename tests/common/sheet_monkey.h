// A monkey on a property sheet: steps chosen one at a time from what the
// screen shows when each runs, by a stream of choices (a seeded generator,
// or a fuzzer's bytes). It answers every message box with one of its
// buttons, clicks tabs, clicks visible enabled controls of the active page
// or dialog, drops combo boxes and picks their items, types into edits,
// and now and then presses OK or Cancel. Once its steps are spent it winds
// down: boxes answered, dialogs cancelled, until the sheet has closed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/window/script_driver.h"

namespace kesm_test {

// Where the monkey's choices come from.
class Choices {
 public:
  virtual ~Choices() = default;
  // A number below n (n > 0).
  virtual std::uint32_t Below(std::uint32_t n) = 0;
};

// A seeded generator (SplitMix64): the same seed, the same walk.
class SeededChoices : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Below(std::uint32_t n) override;

 private:
  std::uint64_t state_;
};

// The bytes of an input, two a choice; zeros once they run out.
class ByteChoices : public Choices {
 public:
  explicit ByteChoices(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint32_t Below(std::uint32_t n) override;
  bool spent() const { return at_ >= bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

struct MonkeyCount {
  std::size_t steps = 0;    // actions taken
  std::size_t answers = 0;  // message boxes answered
  std::size_t ends = 0;     // OK or Cancel pressed on the sheet
};

// Puts the monkey into the script for `steps` actions (then it winds
// down). choices and count must outlive the script's run.
void AddMonkey(plat::window::Script& script, Choices& choices, std::size_t steps, MonkeyCount& count);

}  // namespace kesm_test
