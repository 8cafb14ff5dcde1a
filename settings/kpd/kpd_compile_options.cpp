// Option and default lines of the open group: "*<group> <option>: "cmd"",
// "*<group>: IDList{ ... }" and "*Default<group>: <option>". Only choice
// groups take options and only Boolean groups take True and False lines;
// an option line in a group of another type is refused, so no record is
// ever made for a group that cannot hold it.
#include "settings/bkpd/bkpd_work_index.h"
#include "settings/kpd/kpd_compile_internal.h"
#include "settings/kpd/kpd_compile_lookup.h"
#include "settings/system/memptr.h"

namespace {

bool TakesOptions(WORD type) { return (type & (kUiPickOne | kUiPickMany)) != 0; }

// Appends an option unless one with the value exists (the first one stays).
// Takes the command block either way.
KpdFault AddOption(WorkBKPD* work, WorkUiGroup* g, WORD value, LPSTR command) {
  bool taken = false;
  const KpdFault f = KpdCatchNoMemory([&] {
    if (WorkBKPD_FindOption(work, g, value) != nullptr) {
      return KpdFault::kNone;
    }
    auto* o = static_cast<WorkOption*>(GetMemPtr(sizeof(WorkOption)));
    if (o == nullptr) {
      return KpdFault::kNoMemory;
    }
    o->value = value;
    o->command = command;
    if (!WorkBKPD_AppendOption(work, g, o)) {
      FreeMemPtr(o);
      return KpdFault::kNoMemory;
    }
    taken = true;
    return KpdFault::kNone;
  });
  if (!taken) {
    FreeMemPtr(command);
  }
  return f;
}

WorkBoolean* BooleanRecord(WorkUiGroup* g) {
  if (g->boolean == nullptr) {
    g->boolean = static_cast<WorkBoolean*>(GetMemPtr(sizeof(WorkBoolean)));
  }
  return g->boolean;
}

// "IDList{ KEY {KEY "cmd"} ... }": options until the closing brace or the
// first word that is not a value keyword.
KpdFault OptionList(KpdCompiler& c, WorkUiGroup* g) {
  KpdCursor cur = KpdValueCursor(c.parser);
  const std::optional<std::string_view> head = KpdGetListWord(cur);
  if (!head || *head != "IDList" || !KpdGetCharSkip(cur, '{')) {
    return KpdFault::kBadValue;
  }
  if (!TakesOptions(g->type)) {
    return KpdFault::kWrongGroupType;
  }
  for (;;) {
    KpdSkipBlanks(cur);
    if (cur.AtEnd() || cur.Peek() == '}') {
      return KpdFault::kNone;
    }
    const bool braced = cur.Peek() == '{';
    cur.pos += braced ? 1 : 0;
    const std::optional<std::string_view> word = KpdGetListWord(cur);
    const SP* sp = word ? KpdSPbyKeyWord(*word) : nullptr;
    if (sp == nullptr) {
      return KpdFault::kNone;  // the list ends at the first unknown word
    }
    LPSTR command = nullptr;
    if (braced) {
      const KpdString s = KpdGetStringValue(cur, '}');
      if (s.fault != KpdFault::kNone) {
        return s.fault;
      }
      command = s.text;
      KpdGetCharSkip(cur, '}');
    }
    if (const KpdFault f = AddOption(c.work, g, sp->valueIndex, command); f != KpdFault::kNone) {
      return f;
    }
  }
}

KpdFault BooleanLine(KpdCompiler& c, WorkUiGroup* g, std::string_view word) {
  KpdCursor cur = KpdValueCursor(c.parser);
  const KpdString s = KpdGetStringValue(cur);
  if (s.fault != KpdFault::kNone) {
    return s.fault;
  }
  WorkBoolean* b = BooleanRecord(g);
  if (b == nullptr) {
    FreeMemPtr(s.text);
    return KpdFault::kNoMemory;
  }
  if (s.text != nullptr) {
    LPSTR& slot = SearchStringTable(boolStrs, word) == 1 ? b->trueCommand : b->falseCommand;
    FreeMemPtr(slot);
    slot = s.text;
  }
  return KpdFault::kNone;
}

}  // namespace

KpdFault OptionCommonProc(KpdCompiler& c) {
  WorkUiGroup* g = KpdFirstGroupOf(c.work, c.work->openGroupId);
  if (g == nullptr) {
    return KpdFault::kNoGroup;
  }
  const std::string_view word = KpdText(c.parser->option1);
  if (word.empty()) {
    return OptionList(c, g);
  }
  if (BkpdGroupKind(g->type) == UiKind::kBoolean) {
    return BooleanLine(c, g, word);
  }
  if (!TakesOptions(g->type)) {
    return KpdFault::kWrongGroupType;
  }
  const SP* sp = KpdSPbyKeyWord(word);
  if (sp == nullptr) {
    return KpdFault::kUnknownValue;
  }
  KpdCursor cur = KpdValueCursor(c.parser);
  const KpdString s = KpdGetStringValue(cur);
  if (s.fault != KpdFault::kNone) {
    return s.fault;
  }
  return AddOption(c.work, g, sp->valueIndex, s.text);
}

KpdFault OptionDefaultProc(KpdCompiler& c) {
  WorkUiGroup* g = KpdOpenGroup(c.work);
  if (g == nullptr) {
    return KpdFault::kNoGroup;
  }
  std::string_view word = KpdText(c.parser->value);
  word = word.substr(0, word.find_first_of(" \t"));
  const SP* sp = KpdSPbyKeyWord(word);
  switch (BkpdGroupKind(g->type)) {
    case UiKind::kBoolean: {
      WorkBoolean* b = BooleanRecord(g);
      if (b == nullptr) {
        return KpdFault::kNoMemory;
      }
      b->defaultValue = SearchStringTable(boolStrs, word);
      return KpdFault::kNone;
    }
    case UiKind::kString:
      if (sp != nullptr) {
        if (g->string == nullptr) {
          g->string = static_cast<WorkString*>(GetMemPtr(sizeof(WorkString)));
          if (g->string == nullptr) {
            return KpdFault::kNoMemory;
          }
        }
        g->string->defaultValue = sp->valueIndex;
      }
      return KpdFault::kNone;
    default:
      if ((g->type & kUiPickOne) != 0 && sp != nullptr) {
        g->defaultValue = sp->valueIndex;
      }
      return KpdFault::kNone;
  }
}
