// The preset module's answer about its own controls: the maintenance
// dialog's move, delete, add and further buttons are disabled where they
// would move the first preset, move a preset into its place, delete it, or
// list more presets than there are places.
#include "features/module_table/module_entries.h"

#if !KESM_KERNEL_MODE
#include "settings/constraints/ui_status.h"
#include "settings/tables/dialog_tables.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"

namespace {

constexpr WORD kMaintenanceList = 2139;
constexpr WORD kUp = 2143;
constexpr WORD kDown = 2144;
constexpr WORD kDelete = 2140;
constexpr WORD kAdd = 2142;
constexpr WORD kFurther = 2705;
constexpr LONG_PTR kFirstPreset = 119;
constexpr WORD kStatusDisabledMask = 0x000C;
constexpr WORD kStatusDisabled = 0x0004;

struct Rule {
  WORD item;
  bool (*disabled)(LONG_PTR selected, int count);
};

constexpr Rule kRules[] = {
    {kUp, [](LONG_PTR v, int c) { return !(2 <= v && v < c); }},
    {kDown, [](LONG_PTR v, int c) { return !(1 <= v && v < c - 1); }},
    {kDelete, [](LONG_PTR v, int c) { return !(1 <= v && v < c); }},
    {kAdd, [](LONG_PTR, int c) { return c >= kPresetSlots; }},
    {kFurther, [](LONG_PTR v, int) { return v < 0; }},
};

}  // namespace

int PresetFunction(UCB* ucb, DWORD code, void* parameter, void*) {
  if (code != kCustomDisableState || parameter == nullptr || ucb == nullptr) return 0;
  auto* query = static_cast<ICBDISABLEQUERY*>(parameter);
  if (query->icb == nullptr) return 0;
  const Rule* rule = nullptr;
  for (const Rule& r : kRules) {
    if (r.item == query->icb->itemId) rule = &r;
  }
  if (rule == nullptr) return 0;
  const ICB* list = GetICBbyItemID(ucb, query->tcb, kMaintenanceList);
  if (list == nullptr || list->pSFCB == nullptr) return 0;
  const LONG_PTR selected = GetDevmodeValueByICB(ucb, list) - kFirstPreset;
  const bool disabled = rule->disabled(selected, ReadPresetCount(ucb));
  query->icb->status =
      static_cast<WORD>((query->icb->status & ~kStatusDisabledMask) | (disabled ? kStatusDisabled : 0));
  query->handled = 1;
  return 1;
}

void FreePresetWork(void* work) {
  auto* preset = static_cast<PRESETWORK*>(work);
  if (preset == nullptr) return;
  delete[] preset->values;
  preset->values = nullptr;
  preset->count = 0;
}
#else
int PresetFunction(UCB*, DWORD, void*, void*) { return 0; }
#endif
