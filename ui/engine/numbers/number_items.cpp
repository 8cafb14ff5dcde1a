#include "ui/engine/numbers/number_items.h"

#include <array>

#include "features/custom_modules.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_block.h"
#include "settings/values/units.h"
#include "ui/engine/item_dispatch.h"
#include "ui/resource_dll.h"

namespace numbers {
namespace {

constexpr WORD kDisabledMask = 0x000C;
constexpr WORD kDisabled = 0x0004;
// Room the unit text is loaded into, with its terminator.
constexpr int kUnitChars = 16;
constexpr LONG kMmScale = 10;
constexpr LONG kInchScale = 100;

}  // namespace

bool GetNumericData(const UCB* ucb, const ICB* icb, NumericData* out) {
  if (ucb == nullptr || icb == nullptr || icb->pUiGroup == nullptr) return false;
  const UiNumericValue* n = BkpdNumericValue(ContextBkpd(ucb), icb->pUiGroup);
  if (n == nullptr) return false;
  // The record keeps the unit as its leading number, then the digits, the
  // scale and the page size, the default second and the range third and
  // fourth.
  *out = NumericData{static_cast<WORD>(n->lead),  static_cast<WORD>(n->first),  n->fifth,
                     static_cast<WORD>(n->sixth), static_cast<LONG>(n->third), static_cast<LONG>(n->fourth)};
  return true;
}

const UiStringValue* GetStringData(const UCB* ucb, const ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->pUiGroup == nullptr) return nullptr;
  return BkpdStringValue(ContextBkpd(ucb), icb->pUiGroup);
}

LONG SizeScale(const UCB* ucb) { return IsDispUnitMM(ucb) ? kMmScale : kInchScale; }

bool IsHidden(const ICB* icb) { return (icb->status & kIcbHiddenMask) == kIcbHidden; }
bool IsDisabled(const ICB* icb) { return (icb->status & kDisabledMask) == kDisabled; }
bool IsMarkedChanged(const SFCB* sfcb) { return sfcb != nullptr && (sfcb->flags & kSfcbChangedMask) != 0; }

std::u16string UnitText(const UCB* ucb, WORD unitId) {
  if (unitId == 0) return {};
  std::array<WCHAR, kUnitChars> text{};
  LoadStringFromResDll(ucb, unitId, text.data(), kUnitChars, FALSE);
  return std::u16string(text.data());
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

LONG AskModules(UCB* ucb, ICB* icb, DWORD code) {
  CustomEditNum record{icb, 0};
  KesmCustomFunction(ucb, code, &record);
  return record.value;
}

void TellModules(UCB* ucb, ICB* icb, DWORD code, LONG value) {
  CustomEditNum record{icb, value};
  KesmCustomFunction(ucb, code, &record);
}

HWND PageOf(const ICB* icb) { return icb->hWnd != nullptr ? GetParent(icb->hWnd) : nullptr; }

}  // namespace numbers
