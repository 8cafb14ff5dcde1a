// The special value lists, one table.
//
// Where the lists are given only as a range and a count, these are the
// members chosen:
// - 7 (output options, 128 ids): the four output option words, 10046-10109
//   and 10290-10353; 10110 (the one-step count) lies between them and is no
//   option.
// - 8 (tray fields, 64 ids): 10111-10174, the tray fields and the tray
//   orientations that follow them.
#include "jobsettings/rules/dm_special_table.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

template <INT First, INT Last>
constexpr std::array<INT, Last - First + 1> Range() {
  std::array<INT, Last - First + 1> ids{};
  for (INT i = 0; i < Last - First + 1; ++i) ids[static_cast<std::size_t>(i)] = First + i;
  return ids;
}

template <std::size_t A, std::size_t B>
constexpr std::array<INT, A + B> Join(const std::array<INT, A>& a, const std::array<INT, B>& b) {
  std::array<INT, A + B> all{};
  for (std::size_t i = 0; i < A; ++i) all[i] = a[i];
  for (std::size_t i = 0; i < B; ++i) all[A + i] = b[i];
  return all;
}

constexpr INT dmDuplexTOP[] = {1, 17, 20};
constexpr INT dmDuplexRIGHT_LEFT[] = {2, 3, 18, 19, 21, 22};
constexpr auto InvalidKDMValue = Range<10004, 10009>();
constexpr INT InvalidBatchInstall[] = {1, 2, 3, 4, 5};
constexpr INT InvalidReadSetFile[] = {1, 2, 3, 4, 5};
constexpr auto InvalidBidiSetFile =
    Join(Join(Range<10001, 10011>(), Range<10183, 10198>()), Range<10215, 10230>());
constexpr auto ValidKDMSourceOption = Range<10014, 10045>();
constexpr auto ValidKDMOutputOption = Join(Range<10046, 10109>(), Range<10290, 10353>());
constexpr auto ValidKDMTrayField = Range<10111, 10174>();
constexpr INT dmDuplexBOOKLETC_RL[] = {18, 19};
constexpr INT dmDuplexBOOKLETF_RL[] = {21, 22};
constexpr INT dmDuplexBOOKLETC_T[] = {17};
constexpr INT dmDuplexBOOKLETF_T[] = {20};

static_assert(InvalidBidiSetFile.size() == 43);
static_assert(ValidKDMOutputOption.size() == 128);
static_assert(ValidKDMTrayField.size() == 64);

template <class List>
constexpr DMSPECIAL Entry(const List& list) {
  return {0xFFFF, static_cast<DWORD>(std::size(list)), std::data(list)};
}

constexpr DMSPECIAL fgDMSpecial[kDMSpecialCount] = {
    Entry(dmDuplexTOP),         Entry(dmDuplexRIGHT_LEFT),  Entry(InvalidKDMValue),
    Entry(InvalidBatchInstall), Entry(InvalidReadSetFile),  Entry(InvalidBidiSetFile),
    Entry(ValidKDMSourceOption), Entry(ValidKDMOutputOption), Entry(ValidKDMTrayField),
    Entry(dmDuplexBOOKLETC_RL), Entry(dmDuplexBOOKLETF_RL), Entry(dmDuplexBOOKLETC_T),
    Entry(dmDuplexBOOKLETF_T),  {0xFFFF, 0, nullptr},
};

}  // namespace

const DMSPECIAL* GetDMSpecialTable(LPDWORD count) {
  if (count != nullptr) *count = kDMSpecialCount;
  return fgDMSpecial;
}

const DMSPECIAL* GetDMSpecialTableByIndex(int index) {
  return index >= 0 && index < kDMSpecialCount - 1 ? &fgDMSpecial[index] : nullptr;
}

BOOL IsValidDMSpecialValue(int index, INT value) {
  const DMSPECIAL* list = GetDMSpecialTableByIndex(index);
  if (list == nullptr) return FALSE;
  const INT* end = list->values + list->count;
  return std::find(list->values, end, value) != end ? TRUE : FALSE;
}
