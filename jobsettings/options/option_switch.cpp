#include "jobsettings/options/option_switch.h"

#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

DWORD Stored(const UCB* ucb, DWORD funcId) {
  return static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(funcId), nullptr));
}

void Apply(UCB* ucb, const OptionSetting* list) {
  for (; list != nullptr && list->funcId != 0; ++list) {
    SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(list->funcId), list->value);
  }
}

void SwitchOn(UCB* ucb, const OptionInfo& option) {
  SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(option.funcId), option.onValue);
  if (option.secondFuncId != 0) {
    SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(option.secondFuncId), option.secondValue);
  }
}

DWORD MachineOf(const UCB* ucb) { return ucb->pDP != nullptr ? ucb->pDP->bMachineID : 0; }

}  // namespace

bool IsOptionInstalled(const UCB* ucb, const OptionInfo& option) {
  if (Stored(ucb, option.funcId) != option.onValue) return false;
  return option.secondFuncId == 0 || Stored(ucb, option.secondFuncId) == option.secondValue;
}

void SwitchOption(UCB* ucb, const OptionInfo& option, bool on) {
  if (ucb == nullptr) return;
  if (on) {
    SwitchOn(ucb, option);
    Apply(ucb, option.switchOn);
  } else {
    SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(option.funcId), option.onValue == 0 ? 1 : 0);
    Apply(ucb, option.switchOff);
  }
}

DWORD CheckRequire(UCB* ucb, const OptionInfo* changed) {
  if (ucb == nullptr) return 0;
  const DWORD machine = MachineOf(ucb);
  DWORD result = 0;
  for (const OptionInfo* o = GetOptionInfo(machine); o != nullptr && o->nameId != 0; ++o) {
    if (o->required == nullptr || !IsOptionInstalled(ucb, *o)) continue;
    bool met = false;
    for (const OptionRequirement* r = o->required; r->funcId != 0 && !met; ++r) {
      const OptionInfo* needed = GetOptionInfoByStringID(r->nameId, machine);
      met = needed != nullptr && IsOptionInstalled(ucb, *needed);
    }
    if (met || o->required[0].funcId == 0) continue;
    const OptionInfo* pick = GetOptionInfoByStringID(o->required[0].nameId, machine);
    if (pick == nullptr || pick == changed) {
      pick = o->required[1].funcId != 0 ? GetOptionInfoByStringID(o->required[1].nameId, machine) : nullptr;
    }
    if (pick == nullptr) continue;
    SwitchOn(ucb, *pick);
    if (pick->trayFlag != 0) result |= 0x1;
    if (pick->repaintFlag != 0) result |= 0x2;
  }
  return result;
}

const FinDest* GetFinType(const UCB* ucb) {
  const FinDest* row = GetFinInfo();
  for (; row->funcId != -1; ++row) {
    if (ucb != nullptr && Stored(ucb, static_cast<DWORD>(row->funcId)) != 0) break;
  }
  return row;
}
