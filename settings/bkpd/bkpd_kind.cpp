// Group type words and the layout kind each one names.
#include <iterator>

#include "settings/bkpd/bkpd_format.h"

namespace {

struct TypeKind {
  WORD type;  // with the flags masked off
  UiKind kind;
};

constexpr TypeKind kTypeKinds[] = {
    {kUiPickOne, UiKind::kChoice},  {kUiPickMany, UiKind::kChoice}, {kUiBoolean, UiKind::kBoolean},
    {kUiNumeric, UiKind::kNumeric}, {kUiString, UiKind::kString},   {kUiPickPage, UiKind::kPage},
    {kUiPickSlot, UiKind::kSlot},   {kUiFontTbl, UiKind::kFontTbl},
};
static_assert(std::size(kTypeKinds) == 8);

}  // namespace

UiKind BkpdGroupKind(WORD type) {
  const WORD masked = static_cast<WORD>(type & ~kUiTypeFlags);
  for (const TypeKind& row : kTypeKinds) {
    if (row.type == masked) {
      return row.kind;
    }
  }
  return UiKind::kNone;
}

BOOL BKPDIsPackableGroupType(WORD type) { return BkpdGroupKind(type) != UiKind::kNone; }
