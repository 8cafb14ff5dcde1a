#include "features/chapter/chapter_edit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "features/chapter/chapter_store.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncChapterTrayMax = 832;
constexpr WORD kFuncChapterNum = 833;
constexpr WORD kFuncChapterTrayNum = 837;
constexpr BYTE kKindSheet = 0;  // a sheet from a tray: the only kind with a tray and print choice
constexpr BYTE kPrintOneSide = 1;
constexpr BYTE kPrintBothSides = 2;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Every character a digit, "," or "-".
bool StringCheck(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return IsDigit(c) || c == u',' || c == u'-'; });
}

// A page number of digits only; -1 when empty or outside 1-30000.
int PageOf(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 5) return -1;
  int value = 0;
  for (char16_t c : digits) {
    if (!IsDigit(c)) return -1;
    value = value * 10 + (c - u'0');
  }
  return value >= kChapterFirstPage && value <= kChapterLastPage ? value : -1;
}

// The items between the commas; a trailing comma ends the list.
std::vector<std::u16string_view> Items(std::u16string_view text) {
  std::vector<std::u16string_view> items;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(u',', start);
    if (comma == std::u16string_view::npos) {
      items.push_back(text.substr(start));
      break;
    }
    items.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  if (items.size() > 1 && items.back().empty()) items.pop_back();
  return items;
}

class PageBuffer {
 public:
  explicit PageBuffer(ChapterPages& pages) : pages_(pages) {}
  bool Holds(int page) const {
    return std::find(pages_.page.begin(), pages_.page.begin() + pages_.count, page) != pages_.page.begin() + pages_.count;
  }
  bool Full() const { return pages_.count >= kChapterPageSlots - 1; }
  void Add(int page) { pages_.page[static_cast<std::size_t>(pages_.count++)] = page; }

 private:
  ChapterPages& pages_;
};

// Adds the pages of one range "a-b" (either way round) not held yet; the
// refusal of a range that is not two page numbers about one "-", or of
// more range pages than the capacity.
UINT AddRange(std::u16string_view item, int capacity, int& rangePages, PageBuffer& buffer) {
  const std::size_t hyphen = item.find(u'-');
  int low = PageOf(item.substr(0, hyphen));
  int high = PageOf(item.substr(hyphen + 1));
  if (low < 0 || high < 0) return kChapterMsgBadPage;
  if (low > high) std::swap(low, high);
  for (int page = low; page <= high; ++page) {
    if (buffer.Holds(page)) continue;
    if (rangePages >= capacity || buffer.Full()) return kChapterMsgTooMany;
    buffer.Add(page);
    ++rangePages;
  }
  return 0;
}

// Orders the pages ascending: gaps n/2, n/4, ..., 1, each gap chain swapped
// down until in order.
void shellsort(int* pages, int count) {
  for (int gap = count / 2; gap > 0; gap /= 2) {
    for (int i = gap; i < count; ++i) {
      for (int j = i - gap; j >= 0 && pages[j] > pages[j + gap]; j -= gap) std::swap(pages[j], pages[j + gap]);
    }
  }
}

CHAPTERBLOCK NewBlock(int page, const ChapterChoice& choice) {
  CHAPTERBLOCK block{static_cast<SHORT>(page), 0, choice.kind, 0};
  if (choice.kind == kKindSheet) {
    block.tray = choice.tray;
    block.mode = choice.print;
  }
  return block;
}

// The merge of the sorted pages into the used blocks; false when the result
// would hold more than capacity blocks.
bool Merge(const std::vector<CHAPTERBLOCK>& old, const ChapterPages& pages, const ChapterChoice& choice,
           int capacity, std::vector<CHAPTERBLOCK>& merged) {
  std::size_t i = 0;
  int j = 0;
  const auto room = [&] { return static_cast<int>(merged.size()) < capacity; };
  while (i < old.size() || j < pages.count) {
    if (j < pages.count) {
      const int page = pages.page[static_cast<std::size_t>(j)];
      if (!merged.empty() && merged.back().page == page) {
        ++j;
        continue;
      }
      if (i == old.size() || old[i].page >= page) {
        if (i < old.size() && old[i].page == page) ++i;  // the new choice replaces it
        if (!room()) return false;
        merged.push_back(NewBlock(page, choice));
        ++j;
        continue;
      }
    }
    if (!room()) return false;
    merged.push_back(old[i++]);
  }
  return true;
}

// The distinct trays of the plain chapters, in block order.
std::vector<SHORT> DistinctTrays(UCB* ucb, const std::vector<CHAPTERBLOCK>& blocks) {
  std::vector<SHORT> trays;
  DWORD seen = 0;
  for (const CHAPTERBLOCK& block : blocks) {
    if (block.breakFlag != kKindSheet) continue;
    const DWORD bit = DWORD{1} << (ConvertTray2Index(ucb, block.tray) % 32);
    if ((seen & bit) != 0) continue;
    seen |= bit;
    trays.push_back(block.tray);
  }
  return trays;
}

// A tray whose chapters print on both sides and on one side.
bool PrintClash(const std::vector<CHAPTERBLOCK>& blocks) {
  for (const CHAPTERBLOCK& both : blocks) {
    if (both.breakFlag != kKindSheet || both.mode != kPrintBothSides) continue;
    for (const CHAPTERBLOCK& one : blocks) {
      if (one.breakFlag == kKindSheet && one.mode == kPrintOneSide && one.tray == both.tray) return true;
    }
  }
  return false;
}

CHAPTERBLOCK* Blocks(UCB* ucb) { return reinterpret_cast<CHAPTERBLOCK*>(ucb->pWork->pChapterBlocks); }

}  // namespace

UINT GetChapterPageRange(std::u16string_view text, int capacity, ChapterPages& pages) {
  pages = ChapterPages{};
  if (!StringCheck(text)) return kChapterMsgBadCharacter;
  if (text.empty()) return 0;
  const std::vector<std::u16string_view> items = Items(text);
  PageBuffer buffer(pages);
  UINT refusal = 0;
  // The ranges first, then the single pages.
  int rangePages = 0;
  for (std::u16string_view item : items) {
    if (item.find(u'-') == std::u16string_view::npos) continue;
    refusal = AddRange(item, capacity, rangePages, buffer);
    if (refusal != 0) break;
  }
  for (std::size_t i = 0; refusal == 0 && i < items.size(); ++i) {
    if (items[i].find(u'-') != std::u16string_view::npos) continue;
    const int page = PageOf(items[i]);
    if (page < 0) refusal = kChapterMsgBadPage;
    if (refusal == 0 && !buffer.Holds(page) && !buffer.Full()) buffer.Add(page);
  }
  if (refusal != 0) {
    pages = ChapterPages{};
    return refusal;
  }
  shellsort(pages.page.data(), pages.count);
  return 0;
}

UINT SetChapterData(UCB* ucb, const ChapterPages& pages, const ChapterChoice& choice) {
  if (ucb == nullptr || ucb->pWork == nullptr || !MakeChapterBlockArray(ucb)) return kChapterMsgTooMany;
  const int capacity = GetChapterCapacity(ucb);
  const int used = std::clamp(GetDevChapterData(ucb), 0, capacity);
  CHAPTERBLOCK* blocks = Blocks(ucb);
  const std::vector<CHAPTERBLOCK> old(blocks, blocks + used);
  std::vector<CHAPTERBLOCK> merged;
  merged.reserve(static_cast<std::size_t>(capacity));
  if (!Merge(old, pages, choice, capacity, merged)) return kChapterMsgTooMany;
  const std::vector<SHORT> trays = DistinctTrays(ucb, merged);
  const LONG_PTR trayMax = GetDevmodeValueDirectByFuncID(ucb, kFuncChapterTrayMax, nullptr);
  if (static_cast<LONG_PTR>(trays.size()) > trayMax) return kChapterMsgTooManyTrays;
  if (PrintClash(merged)) return kChapterMsgPrintClash;

  std::memset(blocks, 0, sizeof(CHAPTERBLOCK) * (static_cast<std::size_t>(capacity) + 1));
  std::copy(merged.begin(), merged.end(), blocks);
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, static_cast<LONG_PTR>(merged.size()));
  const std::size_t slots = std::min(trays.size(), kChapterUseTraySlots.size());
  for (std::size_t k = 0; k < slots; ++k) SetDevmodeValueDirectByFuncID(ucb, kChapterUseTraySlots[k], trays[k]);
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterTrayNum, static_cast<LONG_PTR>(trays.size()));
  return 0;
}

bool DeleteChapterData(UCB* ucb, int index, int* before) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pWork->pChapterBlocks == nullptr) return false;
  const int capacity = GetChapterCapacity(ucb);
  const int used = std::clamp(GetDevChapterData(ucb), 0, capacity);
  if (index < 0 || index >= used) return false;
  CHAPTERBLOCK* blocks = Blocks(ucb);
  std::copy(blocks + index + 1, blocks + capacity, blocks + index);
  blocks[capacity - 1] = {};
  if (before != nullptr) *before = used;
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, used - 1);
  return true;
}

void DeleteAllChapterData(UCB* ucb, int* before) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  if (before != nullptr) *before = GetDevChapterData(ucb);
  if (ucb->pWork->pChapterBlocks != nullptr) {
    std::memset(ucb->pWork->pChapterBlocks, 0, SIZE_T{ucb->pWork->wChapterCapacity} * sizeof(CHAPTERBLOCK));
  }
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, 0);
}
