// The hash indexes of the keyword tables: open addressing over record
// positions, twice as many slots as records, so that a lookup costs one
// hash of the word and, nearly always, one comparison.
#include "settings/tables/keyword_index.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace {

// Mixes the word eight bytes at a time; the keywords share long prefixes
// ("KPD_IDC_PRESET_"), so every byte counts.
std::size_t HashWord(std::string_view word) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ word.size();
  std::size_t at = 0;
  for (; at + 8 <= word.size(); at += 8) {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, word.data() + at, 8);
    h = (h ^ chunk) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  std::uint64_t tail = 0;
  if (at < word.size()) std::memcpy(&tail, word.data() + at, word.size() - at);
  h = (h ^ tail) * 0x94D049BB133111EBull;
  return static_cast<std::size_t>(h ^ (h >> 29));
}

template <class Record>
class KeywordIndex {
 public:
  explicit KeywordIndex(std::span<const Record> records) : records_(records) {
    std::size_t slots = 16;
    while (slots < 2 * records.size()) slots *= 2;
    slots_.assign(slots, Slot{});
    mask_ = slots - 1;
    // Records are entered in table order and a keyword already entered is
    // passed over, so the first record of a keyword is the one found.
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (records[i].keyword == nullptr) continue;
      const std::string_view keyword = records[i].keyword;
      Slot& slot = slots_[SlotOf(keyword)];
      if (slot.position == 0) {
        slot = Slot{static_cast<std::uint32_t>(i + 1), static_cast<std::uint32_t>(keyword.size())};
      }
    }
  }

  const Record* Find(std::string_view keyword) const {
    const Slot& slot = slots_[SlotOf(keyword)];
    return slot.position == 0 ? nullptr : &records_[slot.position - 1];
  }

 private:
  struct Slot {
    std::uint32_t position = 0;  // 1-based record position; 0 marks an empty slot
    std::uint32_t length = 0;    // of the record's keyword
  };

  // The slot of the keyword, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view keyword) const {
    std::size_t at = HashWord(keyword) & mask_;
    while (slots_[at].position != 0 &&
           (slots_[at].length != keyword.size() ||
            std::memcmp(records_[slots_[at].position - 1].keyword, keyword.data(), keyword.size()) != 0)) {
      at = (at + 1) & mask_;
    }
    return at;
  }

  std::span<const Record> records_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace

const GK* FindGroupKeyword(std::string_view keyword) {
  static const KeywordIndex<GK> index(std::span(fgGKL.pGK, static_cast<std::size_t>(fgGKL.count)));
  return index.Find(keyword);
}

const SP* FindValueKeyword(std::string_view keyword) {
  static const KeywordIndex<SP> index(std::span(fgSPL.pSP, static_cast<std::size_t>(fgSPL.count)));
  return index.Find(keyword);
}
