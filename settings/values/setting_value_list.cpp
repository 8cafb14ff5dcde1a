// UI values: a setting with a value list is shown by the string id of its
// value. Four lists carry a second section for the other orientation.
#include <span>

#include "jobsettings/rules/print_orientation.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncOrientation = 7;
constexpr LONG_PTR kLandscape = 2;

// Which settings read their list's second section, and when.
enum class SectionRule : BYTE { kLandscape, kPrintOrientation };
struct SectionedList {
  WORD funcId;
  SectionRule rule;
};
constexpr SectionedList kSectionedLists[] = {
    {92, SectionRule::kLandscape},          // kdmNUPType
    {94, SectionRule::kLandscape},          // kdmDuplexType
    {120, SectionRule::kPrintOrientation},  // kdmPunchType
    {121, SectionRule::kPrintOrientation},  // kdmStapleType
};

const SectionedList* SectionedListOf(const SFCB& sfcb) {
  for (const SectionedList& s : kSectionedLists) {
    if (s.funcId == sfcb.funcId) return &s;
  }
  return nullptr;
}

bool UsesSecondSection(const UCB* ucb, const SFCB& sfcb) {
  const SectionedList* s = SectionedListOf(sfcb);
  if (s == nullptr) {
    return false;
  }
  if (s->rule == SectionRule::kLandscape) {
    return GetDevmodeValueDirectByFuncID(ucb, kFuncOrientation, nullptr) == kLandscape;
  }
  return GetPrintOrientation(ucb) == 1;
}

// The entries of one section of the setting's list, without its
// terminating entry.
std::span<const CDT> ListSection(const SFCB* sfcb, bool second) {
  if (sfcb == nullptr || sfcb->valueList == nullptr) {
    return {};
  }
  const CDT* first = sfcb->valueList;
  if (second) {
    while (first->strId != 0) {
      ++first;
    }
    ++first;
  }
  const CDT* end = first;
  while (end->strId != 0) {
    ++end;
  }
  return {first, end};
}

// The entries of the applicable section.
std::span<const CDT> Section(const UCB* ucb, const SFCB* sfcb) {
  return sfcb != nullptr ? ListSection(sfcb, UsesSecondSection(ucb, *sfcb)) : std::span<const CDT>{};
}

// String ids are unsigned 16-bit numbers; the no-text mark is none.
bool CanBeStringId(LONG_PTR id) { return id > 0 && id < kCdtNoText; }

const CDT* EntryWithId(std::span<const CDT> section, LONG_PTR id) {
  for (const CDT& entry : section) {
    if (entry.strId == id) return &entry;
  }
  return nullptr;
}

// A list value matches only a stored value of the same 32-bit number.
bool SameValue(const CDT& entry, LONG_PTR value) {
  return static_cast<LONG_PTR>(entry.value) == value ||
         static_cast<LONG_PTR>(static_cast<LONG>(entry.value)) == value;
}

const CDT* EntryWithText(const UCB* ucb, const SFCB* sfcb, LONG_PTR value) {
  for (const CDT& entry : Section(ucb, sfcb)) {
    if (entry.strId != kCdtNoText && SameValue(entry, value)) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace

LONG_PTR ConvertDevmodeValueToResID(const UCB* ucb, const SFCB* sfcb, LONG_PTR value) {
  const CDT* entry = EntryWithText(ucb, sfcb, value);
  return entry != nullptr ? entry->strId : value;
}

LONG_PTR ConvertDevmodeValueToKeywordID(const UCB* ucb, const SFCB* sfcb, LONG_PTR value) {
  if (sfcb == nullptr || SectionedListOf(*sfcb) == nullptr) return ConvertDevmodeValueToResID(ucb, sfcb, value);
  for (const CDT& entry : ListSection(sfcb, false)) {
    if (entry.strId != kCdtNoText && SameValue(entry, value)) return entry.strId;
  }
  return value;
}

LONG_PTR ConvertResIDToDevmodeValue(const UCB* ucb, const SFCB* sfcb, LONG_PTR resId) {
  if (!CanBeStringId(resId) || sfcb == nullptr) {
    return resId;
  }
  const bool second = UsesSecondSection(ucb, *sfcb);
  const CDT* entry = EntryWithId(ListSection(sfcb, second), resId);
  // The two sections of a list label the same values for the two
  // orientations. A description names one keyword wherever it cannot know
  // the orientation (a group's single default, an action under a judge
  // that does not ask), and its options, which the lists offer, carry one
  // label each: that label means its value in either orientation, never
  // a value of its own.
  if (entry == nullptr && SectionedListOf(*sfcb) != nullptr) {
    entry = EntryWithId(ListSection(sfcb, !second), resId);
  }
  return entry != nullptr ? static_cast<LONG_PTR>(entry->value) : resId;
}

LONG_PTR ConvertKeywordValueToDevmodeValue(const UCB* ucb, const SFCB* sfcb, LONG_PTR resId) {
  return ConvertResIDToDevmodeValue(ucb, sfcb, resId);
}

BOOL CheckDevmodeValueByCDT(const UCB* ucb, const SFCB* sfcb, LONG_PTR value) {
  return EntryWithText(ucb, sfcb, value) != nullptr ? TRUE : FALSE;
}

BOOL IsDevmodeValueInCDT(const UCB* ucb, const SFCB* sfcb, LONG_PTR value) {
  for (const CDT& entry : Section(ucb, sfcb)) {
    if (SameValue(entry, value)) return TRUE;
  }
  return FALSE;
}

LONG_PTR GetDevmodeValueBySFCB(const UCB* ucb, const SFCB* sfcb) {
  return ConvertDevmodeValueToResID(ucb, sfcb, GetDevmodeValueDirect(ucb, sfcb));
}

LONG_PTR GetDevmodeValueByFuncID(const UCB* ucb, WORD funcId, SFCB** out) {
  SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (out != nullptr) {
    *out = sfcb;
  }
  return GetDevmodeValueBySFCB(ucb, sfcb);
}

LONG_PTR GetDevmodeValueByGroupID(const UCB* ucb, WORD groupId, SFCB** out) {
  SFCB* sfcb = GetSFCBbyGroupID(ucb, groupId);
  if (out != nullptr) {
    *out = sfcb;
  }
  return GetDevmodeValueBySFCB(ucb, sfcb);
}

LONG_PTR GetDevmodeValueByICB(const UCB* ucb, const ICB* icb) {
  return icb != nullptr ? GetDevmodeValueBySFCB(ucb, icb->pSFCB) : 0;
}

BOOL SetDevmodeValueBySFCB(UCB* ucb, SFCB* sfcb, LONG_PTR uiValue) {
  if (sfcb == nullptr) {
    return FALSE;
  }
  return SetDevmodeValueDirect(ucb, sfcb, ConvertResIDToDevmodeValue(ucb, sfcb, uiValue));
}

BOOL SetDevmodeValueByFuncID(UCB* ucb, WORD funcId, LONG_PTR uiValue) {
  return SetDevmodeValueBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), uiValue);
}

BOOL SetDevmodeValueByICB(UCB* ucb, const ICB* icb, LONG_PTR uiValue) {
  return icb != nullptr ? SetDevmodeValueBySFCB(ucb, icb->pSFCB, uiValue) : FALSE;
}
