#include "render/header/kpjl_walk.h"

#include <charconv>
#include <limits>
#include <span>
#include <string>

#include "render/header/kpjl_callbacks.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"

namespace {

constexpr std::string_view kDevFontHead = "@PJL SET DEVFONTID = \"";
constexpr std::string_view kSubFontHead = "@PJL SET SUBFONTTABLE = \"";
constexpr std::string_view kFontLineEnd = "\" \r\n";

constexpr WORD kDeviceFontSkipped = 0xFFFF;
constexpr WORD kFuncFontTableNum = 10004;
constexpr WORD kFuncFontTable = 10005;
constexpr WORD kFuncDeviceFontNum = 10006;
constexpr WORD kFuncDeviceFont = 10007;

const GrpBufType* FindProcedure(WORD type) {
  for (const GrpBufType* row = GrpBufType_Table; row->proc != nullptr; ++row) {
    if (row->type == type) return row;
  }
  return nullptr;
}

// The walk and the loader both bound how deep commands nest.
int WalkCommand(UCB* ucb, const BKPDCOMMANDGROUP* command, HeaderSink* sink, DWORD depth);

int WalkList(UCB* ucb, const CmdEntryHead* node, HeaderSink* sink, DWORD depth) {
  PCBKPD bkpd = ucb->pBKPD;
  int status = 0;
  for (; node != nullptr && status != -1; node = BkpdNext(bkpd, node)) {
    switch (node->type) {
      case kCmdGroupType:
        status = GroupTypeSize(ucb, BkpdAsGroupEntry(bkpd, node), sink);
        break;
      case kCmdStringType: {
        const auto text = BkpdCommandText(bkpd, BkpdAsStringEntry(bkpd, node));
        if (text.size() > 1) {
          EmitText(sink, std::string_view(reinterpret_cast<const char*>(text.data()), text.size() - 1));
        }
        break;
      }
      case kCmdNested:
        status = WalkCommand(ucb, BkpdNestedGroup(bkpd, BkpdAsNestedEntry(bkpd, node)), sink, depth + 1);
        break;
      case kCmdFontType:
        status = FontTypeSize(ucb, sink);
        break;
      default:
        status = -1;
        break;
    }
  }
  return status;
}

int WalkCommand(UCB* ucb, const BKPDCOMMANDGROUP* command, HeaderSink* sink, DWORD depth) {
  if (command == nullptr || sink == nullptr) return 0;
  if (depth >= kBkpdMaxCommandDepth) return -1;
  PCBKPD bkpd = ucb->pBKPD;
  const bool holds = command->judge == 0 || _IsJudgement(BkpdJudge(bkpd, command->judge), ucb) != 0;
  const CmdEntryHead* first = holds ? BkpdCommandMain(bkpd, command) : BkpdCommandElse(bkpd, command);
  return WalkList(ucb, first, sink, depth);
}

// A counted array of the printer-wide part: its entries, or an empty span.
template <class Entry>
std::span<const Entry> PrinterArray(const UCB* ucb, WORD countId, WORD arrayId) {
  const auto count = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, countId, nullptr));
  const auto* entries = reinterpret_cast<const Entry*>(GetDevmodeValueDirectByFuncID(ucb, arrayId, nullptr));
  if (entries == nullptr || count <= 0) return {};
  return {entries, static_cast<std::size_t>(count)};
}

// A font name of 32 characters, not necessarily terminated, as ANSI within
// 32 bytes.
void FontName(const WCHAR (&name)[kFontNameChars], char (&ansi)[kFontNameChars + 1]) {
  WCHAR terminated[kFontNameChars + 1] = {};
  std::char_traits<WCHAR>::copy(terminated, name, kFontNameChars);
  CopyUnicode2Str(ansi, terminated, kFontNameChars);
}

// Ends a font line: its last character (the trailing "/", or the opening
// quote when no entry was written) gives way to the line end.
void EndFontLine(HeaderSink* sink) {
  if (!sink->overflow) --sink->count;
  EmitText(sink, kFontLineEnd);
}

}  // namespace

int OutpBufBase(UCB* ucb, const BKPDCOMMANDGROUP* command, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer,
                LONG* length) {
  HeaderSink sink;
  sink.snapshot = snapshot;
  const bool fill = size > 0 && buffer != nullptr;
  if (fill) {
    sink.buffer = buffer;
    sink.capacity = size + 1;
    buffer[0] = 0;
  }
  int status = ucb != nullptr ? CommonCmdSize(ucb, command, &sink) : 0;
  if (sink.overflow) status = -1;
  if (length != nullptr) *length = sink.count;
  if (!fill && status == 0 && sink.count > 0) status = 1;
  return status;
}

int CommonCmdSize(UCB* ucb, const BKPDCOMMANDGROUP* command, HeaderSink* sink) {
  return WalkCommand(ucb, command, sink, 0);
}

int TransCmdSize(UCB* ucb, const CmdEntryHead* first, HeaderSink* sink) { return WalkList(ucb, first, sink, 0); }

int GroupTypeSize(UCB* ucb, const CmdGroupEntry* node, HeaderSink* sink) {
  if (node == nullptr) return -1;
  SFCB* sfcb = GetSFCBbyGroupID(ucb, node->groupId);
  const UiGroup* group = BKPDGetUiGroupAddrBySubID(node->groupId, node->number, ucb);
  if (sfcb == nullptr || group == nullptr) return -1;
  const LONG_PTR value = GetDevmodeValueBySFCB(ucb, sfcb);
  if (sfcb->jobHeaderCallback != 0 && CoreCallBack(ucb, sfcb, value, group, sink) != 0) return 0;
  if ((group->type & kUiTypeUnknown) != 0) return 0;
  const WORD type = static_cast<WORD>(group->type & ~kUiIdentity);
  const GrpBufType* row = FindProcedure(type);
  const int status = row != nullptr ? row->proc(ucb, value, group, sfcb, sink) : 0;
  if (type == kUiFontTbl) FontTblCmdSize(ucb, value, group, sink);
  return status;
}

int PickOneSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB*, HeaderSink* sink) {
  PCBKPD bkpd = ucb->pBKPD;
  for (const UiOption* o = BkpdFirstOption(bkpd, group); o != nullptr; o = BkpdNext(bkpd, o)) {
    if (o->value != static_cast<WORD>(value)) continue;
    if (LPCSTR text = BkpdAnsi(bkpd, o->command); text != nullptr) CommandSizeProc(bkpd, group, text, HeaderText::kDescription, sink);
    break;
  }
  return 0;
}

int BooleanSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB*, HeaderSink* sink) {
  PCBKPD bkpd = ucb->pBKPD;
  const UiBooleanValue* pair = BkpdBooleanValue(bkpd, group);
  if (pair == nullptr) return 0;
  if (LPCSTR text = BkpdAnsi(bkpd, value != 0 ? pair->trueCommand : pair->falseCommand); text != nullptr) {
    CommandSizeProc(bkpd, group, text, HeaderText::kDescription, sink);
  }
  return 0;
}

int NumericSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB*, HeaderSink* sink) {
  PCBKPD bkpd = ucb->pBKPD;
  const UiNumericValue* numbers = BkpdNumericValue(bkpd, group);
  LONG scaled = 0;
  if (numbers == nullptr || !ScaleHeaderNumber(value, static_cast<WORD>(numbers->seventh),
                                               static_cast<WORD>(numbers->eighth), &scaled)) {
    return 0;
  }
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof(digits), scaled).ptr;
  CommandSizeProc(bkpd, group, std::string_view(digits, static_cast<std::size_t>(end - digits)), HeaderText::kDescription, sink);
  return 0;
}

int StringSizeProc(UCB* ucb, LONG_PTR value, const UiGroup* group, const SFCB* sfcb, HeaderSink* sink) {
  if (value == 0 || sfcb == nullptr) return -1;
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  const DWORD bytes = SettingSizeOf(sfcb->descriptor);
  if (kind == kKindWide || kind == kKindString13) {
    const DWORD chars = bytes / sizeof(WCHAR);
    const auto* wide = reinterpret_cast<const WCHAR*>(value);
    if (chars == 0 || wide[0] == 0) return 0;
    auto terminated = NewMemBlock<WCHAR>(chars + 1);
    auto ansi = NewMemBlock<char>(2 * SIZE_T{chars} + 2);
    if (!terminated || !ansi) return 0;
    std::char_traits<WCHAR>::copy(terminated.get(), wide, chars);
    CopyUnicode2Str(ansi.get(), terminated.get(), static_cast<int>(2 * chars + 2));
    CommandSizeProc(ucb->pBKPD, group, ansi.get(), HeaderText::kOutside, sink);
    return 0;
  }
  const std::string_view text = BoundedText(reinterpret_cast<const void*>(value), bytes);
  if (!text.empty()) CommandSizeProc(ucb->pBKPD, group, text, HeaderText::kOutside, sink);
  return 0;
}

int FontTypeSize(UCB* ucb, HeaderSink* sink) {
  if (sink == nullptr) return 0;
  const auto fonts = PrinterArray<KESMFONT>(ucb, kFuncDeviceFontNum, kFuncDeviceFont);
  if (fonts.empty()) return 0;
  EmitText(sink, kDevFontHead);
  for (const KESMFONT& font : fonts) {
    const auto id = static_cast<WORD>(font.number & 0xFFFF);
    if (id == kDeviceFontSkipped) continue;
    char name[kFontNameChars + 1];
    FontName(font.name, name);
    EmitDecimal(sink, id);
    EmitText(sink, "+");
    EmitOutsideText(sink, name);
    EmitText(sink, "/");
  }
  EndFontLine(sink);
  return 0;
}

int FontTblCmdSize(UCB* ucb, LONG_PTR value, const UiGroup* group, HeaderSink* sink) {
  if (sink == nullptr) return 0;
  PCBKPD bkpd = ucb->pBKPD;
  const UiFontTblOption* option = nullptr;
  for (const UiOption* o = BkpdFirstOption(bkpd, group); o != nullptr; o = BkpdNext(bkpd, o)) {
    if (o->value == static_cast<WORD>(value)) {
      option = BkpdFontTblOption(bkpd, group, o);
      break;
    }
  }
  const auto pairs = PrinterArray<KESMFONTPAIR>(ucb, kFuncFontTableNum, kFuncFontTable);
  if (option == nullptr || option->count == 0 || pairs.empty()) return 0;
  EmitText(sink, kSubFontHead);
  for (const KESMFONTPAIR& pair : pairs) {
    char trueType[kFontNameChars + 1];
    char device[kFontNameChars + 1];
    FontName(pair.trueType, trueType);
    FontName(pair.device, device);
    EmitOutsideText(sink, trueType);
    EmitText(sink, "+");
    EmitOutsideText(sink, device);
    EmitText(sink, "/");
  }
  EndFontLine(sink);
  return 0;
}

BOOL ScaleHeaderNumber(LONG_PTR value, ULONGLONG numerator, ULONGLONG denominator, LONG* result) {
  if (denominator == 0 || result == nullptr) return FALSE;
  const __int128 scaled =
      static_cast<__int128>(value) * static_cast<__int128>(numerator) / static_cast<__int128>(denominator);
  constexpr __int128 kHigh = std::numeric_limits<LONG>::max();
  constexpr __int128 kLow = std::numeric_limits<LONG>::min();
  *result = static_cast<LONG>(scaled > kHigh ? kHigh : scaled < kLow ? kLow : scaled);
  return TRUE;
}
