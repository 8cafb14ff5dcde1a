#include "settings/constraints/fixed_switches.h"

#include "settings/values/setting_value.h"

// This model keeps manual-tray papers as chosen and shows chapter trays as
// a mark; of the group controls only the first is handled by the engine.
const BYTE gbFuncFlags[kFuncFlagCount] = {0, 1};
const BYTE gbGroupCtlFlags[kGroupCtlFlagCount] = {0, 1, 0, 0, 0, 0, 0, 0, 0};

namespace {

constexpr int kSwitchManualTrayPaper = 0;
constexpr int kSwitchChapterTrayMark = 1;
constexpr DWORD kManualTrayKind = 1;

}  // namespace

BOOL IsGroupCtlFlags(int index) {
  return index >= 1 && index < kGroupCtlFlagCount && gbGroupCtlFlags[index] != 0 ? TRUE : FALSE;
}

BOOL IsNotViewChapterAttributeTrayNum() { return gbFuncFlags[kSwitchChapterTrayMark] != 0 ? TRUE : FALSE; }

BOOL CorrectManualTrayPaperEx(DWORD kind, WORD funcId, LONG_PTR value, UCB* ucb) {
  if (gbFuncFlags[kSwitchManualTrayPaper] != 0 && kind == kManualTrayKind) value = 0;
  return SetDevmodeValueDirectByFuncID(ucb, funcId, value);
}
