// Command strings, the version and the library names of the header.
#include "settings/kpd/kpd_compile_internal.h"
#include "settings/system/memptr.h"

namespace {

// The decoded quoted value as a new wide string.
KpdFault WideValue(KpdCompiler& c, LPWSTR* out) {
  KpdCursor cur = KpdValueCursor(c.parser);
  const KpdString s = KpdGetStringValue(cur);
  if (s.fault != KpdFault::kNone) {
    return s.fault;
  }
  if (s.text == nullptr) {
    return KpdFault::kBadValue;
  }
  *out = KpdAnsiToWide(std::string_view(s.text, s.length - 1));
  FreeMemPtr(s.text);
  return *out == nullptr ? KpdFault::kNoMemory : KpdFault::kNone;
}

KpdFault ReplaceName(KpdCompiler& c, LPWSTR& slot) {
  LPWSTR name = nullptr;
  if (const KpdFault f = WideValue(c, &name); f != KpdFault::kNone) {
    return f;
  }
  FreeMemPtr(slot);
  slot = name;
  return KpdFault::kNone;
}

}  // namespace

KpdFault VersionProc(KpdCompiler& c) {
  KpdCopyVersion(KpdText(c.parser->value), c.work->header->version);
  return KpdFault::kNone;
}

KpdFault UIResDLLNameProc(KpdCompiler& c) { return ReplaceName(c, c.work->header->uiResDllName); }

KpdFault ExcDepDLLNameProc(KpdCompiler& c) { return ReplaceName(c, c.work->header->excDepDllName); }

KpdFault CommandStringProc(KpdCompiler& c) {
  const std::optional<LONGLONG> id = KpdGetId(KpdText(c.parser->option1));
  if (!id || *id < 0 || *id > 0xFFFFFFFFLL) {
    return KpdFault::kNumberRange;
  }
  KpdCursor cur = KpdValueCursor(c.parser);
  const KpdString s = KpdGetStringValue(cur);
  if (s.fault != KpdFault::kNone) {
    return s.fault;
  }
  if (s.text == nullptr) {
    return KpdFault::kBadValue;
  }
  auto* node = static_cast<WorkCommandString*>(GetMemPtr(sizeof(WorkCommandString)));
  if (node == nullptr) {
    FreeMemPtr(s.text);
    return KpdFault::kNoMemory;
  }
  node->id = static_cast<DWORD>(*id);
  node->length = s.length;
  node->text = s.text;
  // The node appended last is the list's end unless the list was changed
  // since; then the end is looked for.
  WorkCommandString* last = c.work->lastCommandString;
  WorkCommandString** link = &c.work->commandStrings;
  if (last != nullptr && *link != nullptr && last->next == nullptr) {
    link = &last->next;
  } else {
    while (*link != nullptr) {
      link = &(*link)->next;
    }
  }
  *link = node;
  c.work->lastCommandString = node;
  return KpdFault::kNone;
}
