// The colour-rendering file that fits the machine, the colour mode and the
// object kind of a group, named in the job header as a path in the driver
// directory (or, for a user colour file, the file the user chose).
#include <algorithm>
#include <string>

#include "features/chapter_blocks.h"
#include "features/custom_modules.h"
#include "render/header/kpjl_callbacks.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncMediaType = 54;
constexpr WORD kFuncAdjustMode = 128;
constexpr WORD kFuncColorMatchingMode = 133;
constexpr WORD kFuncMachineTypeColor = 234;
constexpr WORD kFuncMatchingText = 798;
constexpr WORD kFuncMatchingLine = 799;
constexpr WORD kFuncMatchingImage = 800;

constexpr LONG_PTR kMediaTwo = 2;
constexpr LONG_PTR kAdjustOn = 1;

// The built-in functions that prepare a user colour file, by object.
constexpr WORD kBuiltInGeneral = 114;
constexpr WORD kBuiltInText = 115;
constexpr WORD kBuiltInLine = 116;
constexpr WORD kBuiltInImage = 117;
constexpr LONG_PTR kUserFileFirst = 200;
constexpr LONG_PTR kUserFileLast = 215;

enum class Object { kText, kLine, kImage };

Object ObjectOf(const UiGroup* group) {
  const WORD number = group != nullptr ? group->subGroupId : 0;
  if (number == 0) return Object::kText;
  if (number == 1 || number == 2) return Object::kLine;
  return Object::kImage;
}

LONG_PTR ObjectMode(UCB* ucb, Object object) {
  static constexpr WORD kFuncs[] = {kFuncMatchingText, kFuncMatchingLine, kFuncMatchingImage};
  return GetDevmodeValueDirectByFuncID(ucb, kFuncs[static_cast<int>(object)], nullptr);
}

LONG_PTR Setting(UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

// The two-character machine part of the classic file names.
struct MachineName {
  BYTE machine;
  char name[3];
};
// Machines with a per-object mode whose files follow the 137 rule.
constexpr MachineName kObjectMachines[] = {{137, "82"}, {139, "83"}, {141, "84"}};
// Machines whose files follow the single-file rule, and the extended rule's
// names (any other machine is "99" there).
constexpr MachineName kSingleFileMachines[] = {{143, "85"}, {147, "86"}, {149, "87"}, {152, "88"},
                                              {156, "8C"}, {157, "89"}, {160, "8E"}};

const char* FindName(std::span<const MachineName> names, BYTE machine) {
  const auto found = std::find_if(names.begin(), names.end(), [&](const MachineName& m) { return m.machine == machine; });
  return found != names.end() ? found->name : nullptr;
}

bool IsStandard(LONG_PTR m) { return m == 1 || m == 128 || m == 130; }
bool Ends(LONG_PTR m) { return m == 0 || m == 131; }

// The file name TVnnC15s.tcm.
std::string FileName(const char* nn, char s) { return std::string("TV") + nn + "C15" + s + ".tcm"; }

// The classic rule's file name; empty when nothing is to be emitted.
std::string ClassicFile(UCB* ucb, BYTE machine, Object object) {
  LONG_PTR m = Setting(ucb, kFuncColorMatchingMode);
  const bool media2 = Setting(ucb, kFuncMediaType) == kMediaTwo;
  const bool adjust = Setting(ucb, kFuncAdjustMode) == kAdjustOn;
  if (machine == 130 || machine == 131) {
    const char* nn = machine == 130 ? "80" : "81";
    if (m == 1) return FileName(nn, media2 ? '3' : '1');
    return FileName(nn, media2 ? '4' : '2');
  }
  if (adjust) m = ObjectMode(ucb, object);
  if (Ends(m)) return {};
  if (const char* nn = FindName(kObjectMachines, machine); nn != nullptr) {
    if (!adjust && object == Object::kImage && m != 1) m = 2;
    return FileName(nn, IsStandard(m) ? (media2 ? '3' : '1') : (media2 ? '4' : '2'));
  }
  if (const char* nn = FindName(kSingleFileMachines, machine); nn != nullptr) {
    if (!adjust && object == Object::kImage && m != 1) m = 2;
    // The rule names one file for the standard modes; any other mode takes
    // the machine's second file, as the two-file machines do for it.
    return FileName(nn, IsStandard(m) ? '1' : '2');
  }
  if (object == Object::kImage) m = 2;
  return FileName("99", IsStandard(m) ? (media2 ? '3' : '1') : (media2 ? '4' : '2'));
}

// The extended rule's file suffix character for the mode.
char ExtendedSuffix(LONG_PTR c, bool general) {
  if (c == 2) return '2';
  if (c == 6) return '3';
  if (c == 32 && !general) return 'H';
  return '1';
}

int EmitInstalledFile(UCB* ucb, const UiGroup* group, const std::string& file, HeaderSink* sink) {
  if (file.empty()) return 1;
  AnsiPath path = ToAnsiPath(GetInstallDirectory(ucb), MAX_PATH);
  if (path.view().empty() || !path.Append(file)) return 1;
  CommandSizeProc(ucb->pBKPD, group, path.view(), HeaderText::kOutside, sink);
  return 1;
}

// The user colour file chosen on the colour-profile page.
int EmitUserFile(UCB* ucb, const UiGroup* group, WORD builtIn, HeaderSink* sink) {
  KesmCustomBuiltInFunc(ucb, builtIn);
  const SFCB* sfcb = GetCmmFileSetting(ucb);
  if (sfcb == nullptr) return 1;
  // The buffer holds the whole setting, however long it is.
  const SIZE_T chars = std::max<SIZE_T>(SettingSizeOf(sfcb->descriptor), MAX_PATH) + 1;
  auto text = NewMemBlock<WCHAR>(chars);
  if (!text || GetDevmodeStringBySFCB(ucb, sfcb, text.get()) == nullptr) return 1;
  text.get()[chars - 1] = 0;
  const AnsiPath path = ToAnsiPath(text.get(), chars);
  if (!path.view().empty()) CommandSizeProc(ucb->pBKPD, group, path.view(), HeaderText::kOutside, sink);
  return 1;
}

}  // namespace

int iKPJLCBColorProfile(LONG_PTR, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  if (Setting(ucb, kFuncMachineTypeColor) == 0 || ucb->pDP == nullptr) return 1;
  return EmitInstalledFile(ucb, group, ClassicFile(ucb, ucb->pDP->bMachineID, ObjectOf(group)), sink);
}

int iKPJLCBColorProfileExt(LONG_PTR, const UiGroup* group, HeaderSink* sink, UCB* ucb) {
  if (Setting(ucb, kFuncMachineTypeColor) == 0 || ucb->pDP == nullptr) return 1;
  const Object object = ObjectOf(group);
  const WORD number = group != nullptr ? group->subGroupId : 0;
  LONG_PTR c = 0;
  WORD builtIn = kBuiltInGeneral;
  if (Setting(ucb, kFuncAdjustMode) == kAdjustOn) {
    c = ObjectMode(ucb, object);
    builtIn = object == Object::kText ? kBuiltInText : object == Object::kLine ? kBuiltInLine : kBuiltInImage;
  } else {
    c = Setting(ucb, kFuncColorMatchingMode);
    if (c >= 128 && c <= 131) {
      const bool pair = c == 128 || c == 130;
      if (number == 3 || c == 129) {
        c = 2;
      } else if ((number == 1 || number == 2) && pair) {
        c = 1;
      } else if (number == 0 && pair) {
        c = 6;
      } else {
        c = 0;
      }
    }
  }
  if (c == 0) return 1;
  if (c >= kUserFileFirst && c <= kUserFileLast) return EmitUserFile(ucb, group, builtIn, sink);
  const char* nn = FindName(kSingleFileMachines, ucb->pDP->bMachineID);
  const bool general = nn == nullptr;
  return EmitInstalledFile(ucb, group, FileName(general ? "99" : nn, ExtendedSuffix(c, general)), sink);
}
