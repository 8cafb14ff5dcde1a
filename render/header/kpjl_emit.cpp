#include "render/header/kpjl_emit.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "render/header/header_text.h"
#include "render/platform/code_page.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"

namespace {

constexpr std::string_view kLineHead = "@PJL SET ";
constexpr std::string_view kBetween = " = ";
constexpr std::string_view kLineEnd = " \r\n";

// Where the piece goes in the fill pass, or null when it does not fit (the
// sink is then marked). The size pass gets null too and only counts.
LPSTR Reserve(HeaderSink* sink, std::size_t bytes) {
  if (sink->overflow) return nullptr;
  if (bytes > static_cast<std::size_t>(kMaxHeaderBytes - sink->count)) {
    sink->overflow = true;
    return nullptr;
  }
  if (!sink->Filling()) {
    sink->count += static_cast<LONG>(bytes);
    return nullptr;
  }
  if (sink->capacity - sink->count <= static_cast<LONG>(bytes)) {  // the zero needs a byte too
    sink->overflow = true;
    return nullptr;
  }
  LPSTR at = sink->buffer + sink->count;
  at[bytes] = 0;
  sink->count += static_cast<LONG>(bytes);
  return at;
}

}  // namespace

void TakeHeaderSnapshot(HeaderSnapshot* snapshot) {
  SnapshotReplaceStrings(&snapshot->replace);
  EngQueryLocalTime(&snapshot->time);
}

void EmitText(HeaderSink* sink, std::string_view text) {
  if (LPSTR at = Reserve(sink, text.size()); at != nullptr) text.copy(at, text.size());
}

void EmitOutsideText(HeaderSink* sink, std::string_view text) {
  if (LPSTR at = Reserve(sink, text.size()); at != nullptr) {
    text.copy(at, text.size());
    EscapeHeaderText(at, static_cast<ULONG>(text.size()), MyGetACP(), static_cast<ULONG>(text.size()));
  }
}

void EmitDecimal(HeaderSink* sink, LONG value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof(digits), value);
  EmitText(sink, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

std::string_view BoundedText(const void* field, std::size_t bytes) {
  if (field == nullptr) return {};
  const auto* text = static_cast<const char*>(field);
  const void* zero = std::memchr(text, 0, bytes);
  return std::string_view(text, zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : bytes);
}

void EmitHeaderText(HeaderSink* sink, std::string_view text, HeaderText kind) {
  switch (kind) {
    case HeaderText::kDescription:
      EmitText(sink, text);
      break;
    case HeaderText::kOutside:
      EmitOutsideText(sink, text);
      break;
    case HeaderText::kQuotedOutside:
      EmitQuotedOutsideText(sink, text);
      break;
  }
}

int CommandSizeProc(PCBKPD bkpd, const UiGroup* group, std::string_view text, HeaderText kind, HeaderSink* sink) {
  const UiCommandPair* pair = group != nullptr ? BkpdGroupCommands(bkpd, group) : nullptr;
  LPCSTR prefix = pair != nullptr ? BkpdAnsi(bkpd, pair->first) : nullptr;
  LPCSTR suffix = pair != nullptr ? BkpdAnsi(bkpd, pair->second) : nullptr;
  if (prefix != nullptr) EmitText(sink, prefix);
  EmitHeaderText(sink, text, kind);
  if (suffix != nullptr) EmitText(sink, suffix);
  return 0;
}

int MakeiKPJLCommand(LPCSTR name, LPCSTR value, HeaderSink* sink) {
  if (name == nullptr || value == nullptr) return 0;
  EmitText(sink, kLineHead);
  EmitText(sink, name);
  EmitText(sink, kBetween);
  EmitText(sink, value);
  EmitText(sink, kLineEnd);
  return 0;
}

void MakeiKPJLVariable(LPSTR destination, std::size_t bytes, LPCSTR name, LONG number) {
  if (destination == nullptr || bytes == 0) return;
  std::snprintf(destination, bytes, "%s%ld", name != nullptr ? name : "", static_cast<long>(number));
}

void CopyAddDoubleQuart(LPSTR destination, LPCWSTR text, int limit) {
  if (destination == nullptr || limit <= 0) return;
  destination[0] = 0;
  if (text == nullptr || text[0] == 0) return;
  CopyUnicode2Str(destination, text, limit);
}

void EmitQuotedOutsideText(HeaderSink* sink, std::string_view text) {
  if (text.empty()) return;
  EmitText(sink, "\"");
  EmitOutsideText(sink, text);
  EmitText(sink, "\"");
}

bool AnsiPath::Append(std::string_view name) {
  const std::size_t length = view().size();
  if (sizeof(text) - length <= name.size()) return false;
  name.copy(text + length, name.size());
  text[length + name.size()] = 0;
  return true;
}

AnsiPath ToAnsiPath(const WCHAR* field, std::size_t chars) {
  AnsiPath path;
  if (field == nullptr || chars == 0) return path;
  WCHAR terminated[MAX_PATH + 1] = {};
  std::char_traits<WCHAR>::copy(terminated, field, chars < MAX_PATH ? chars : MAX_PATH);
  CopyAddDoubleQuart(path.text, terminated, static_cast<int>(sizeof(path.text)));
  return path;
}

const UiGroup* BKPDGetUiGroupAddrBySubID(WORD groupId, SHORT number, const UCB* ucb) {
  if (ucb == nullptr) return nullptr;
  PCBKPD bkpd = ucb->pBKPD;
  for (const UiGroup* g = BkpdFirstGroup(bkpd); g != nullptr; g = BkpdNext(bkpd, g)) {
    if (g->groupId != groupId) continue;
    if (g->subGroupId == static_cast<WORD>(number) || (g->type & kUiIdentity) != 0) return g;
  }
  return nullptr;
}

const UiGroup* GroupOfSetting(const UCB* ucb, WORD funcId) {
  return ucb != nullptr ? BkpdSlotGroup(ucb->pBKPD, funcId) : nullptr;
}

WORD BKPDGetMajorGroupTypeByFuncID(WORD funcId, const UCB* ucb) {
  const UiGroup* group = GroupOfSetting(ucb, funcId);
  return group != nullptr ? static_cast<WORD>(group->type & 0xFF) : 0;
}

LPCSTR GetiKPJLValueByFuncID(const UCB* ucb, WORD funcId, LONG_PTR value) {
  const UiGroup* group = GroupOfSetting(ucb, funcId);
  if (group == nullptr) return nullptr;
  PCBKPD bkpd = ucb->pBKPD;
  switch (group->type & 0xFF) {
    case kUiPickOne: {
      const SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
      for (const UiOption* o = BkpdFirstOption(bkpd, group); o != nullptr; o = BkpdNext(bkpd, o)) {
        if (ConvertResIDToDevmodeValue(ucb, sfcb, o->value) == value) return BkpdAnsi(bkpd, o->command);
      }
      return nullptr;
    }
    case kUiBoolean: {
      const UiBooleanValue* pair = BkpdBooleanValue(bkpd, group);
      if (pair == nullptr) return nullptr;
      return BkpdAnsi(bkpd, value != 0 ? pair->trueCommand : pair->falseCommand);
    }
    default:
      return nullptr;
  }
}

BOOL iKPJLChkActiveValue(const UCB* ucb, WORD funcId, int count, const LONG_PTR* values) {
  if (ucb == nullptr || values == nullptr) return FALSE;
  const LONG_PTR stored = GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr);
  for (int i = 0; i < count; ++i) {
    if (values[i] == stored) return TRUE;
  }
  return FALSE;
}
