#include <algorithm>
#include <iterator>
#include <span>

#include "jobsettings/validate/dm_value_tables.h"

namespace {

// The paper sizes the paper-fitting rules act on; none in this model.
constexpr LONG PaperFittingPaperSize[] = {0};

constexpr WORD kDialogsThatKeepTheDevmode[] = {1020, 1025};

BOOL Lists(const LONG* values, DWORD count, LONG value) {
  if (values == nullptr) return FALSE;
  const std::span<const LONG> list(values, count);
  return std::find(list.begin(), list.end(), value) != list.end() ? TRUE : FALSE;
}

}  // namespace

const DMValueRecord* GetDMValueTable() { return fgDM; }

const DMValueRecord* GetDMValueTableByFuncID(DWORD funcId) {
  for (const DMValueRecord* row = fgDM; row->funcId != 0; ++row) {
    if (static_cast<SHORT>(row->funcId) == static_cast<SHORT>(funcId)) return row;
  }
  return nullptr;
}

BOOL IsValidDMValue(DWORD funcId, LONG value) {
  const DMValueRecord* row = GetDMValueTableByFuncID(funcId);
  return row != nullptr ? Lists(row->values, row->count, value) : FALSE;
}

const DMSpecialRecord* GetDMSpecialTable(int* count) {
  if (count != nullptr) *count = kDMSpecialCount;
  return fgDMSpecial;
}

const DMSpecialRecord* GetDMSpecialTableByIndex(int n) {
  return n >= 0 && n < kDMSpecialCount - 1 ? &fgDMSpecial[n] : nullptr;
}

BOOL IsValidDMSpecialValue(int n, LONG value) {
  const DMSpecialRecord* list = GetDMSpecialTableByIndex(n);
  return list != nullptr ? Lists(list->values, list->count, value) : FALSE;
}

const LONG* GetPaperFittingPaperSize() { return PaperFittingPaperSize; }

BOOL IsPaperFittingPaperSize(LONG value) {
  for (const LONG* p = PaperFittingPaperSize; *p != 0; ++p) {
    if (*p == value) return TRUE;
  }
  return FALSE;
}

const FreeSizeRange* GetPtrFreeSizeRangeTable() { return FreeSizeRangeTable; }

BOOL IsDevmodeChangedOnDialog(WORD dialogId) {
  const bool keeps = std::ranges::find(kDialogsThatKeepTheDevmode, dialogId) !=
                     std::ranges::end(kDialogsThatKeepTheDevmode);
  return keeps ? FALSE : TRUE;
}

BOOL IsSupportJobCodeDLL() {
#if KESM_KERNEL_MODE
  return FALSE;
#else
  return TRUE;
#endif
}
BOOL IsSupportWEXA_API() { return IsSupportJobCodeDLL(); }
