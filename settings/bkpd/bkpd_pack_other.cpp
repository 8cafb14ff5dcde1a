// Packer of the other section: the command-string pool, the two resource
// library names, the five command trees and the two font tables.
#include "settings/bkpd/bkpd_pack_cursor.h"
#include "settings/bkpd/bkpd_work.h"

namespace {

// Pool bytes of every command string, each with its terminating zero
// (lengths travel with the references).
void WritePool(PackCursor& c, WorkCommandString* strings) {
  for (WorkCommandString* s = strings; s != nullptr; s = s->next) {
    s->packed = 0;
    if (s->text != nullptr && s->length != 0 && s->text[s->length - 1] == '\0') {
      s->packed = c.PutBytes(s->text, s->length);
    }
  }
}

const WorkCommandString* FindString(const WorkBKPD* work, DWORD id) {
  for (const WorkCommandString* s = work->commandStrings; s != nullptr; s = s->next) {
    if (s->id == id) {
      return s->packed != 0 ? s : nullptr;
    }
  }
  return nullptr;
}

DWORD WriteCommandGroup(PackCursor& c, const WorkBKPD* work, WorkCommandGroup* group, DWORD depth);

// One entry, after what it refers to; 0 for a node that stores nothing (a
// conditional item without its block, an unknown kind, a nested group too
// deep).
DWORD WriteCommandNode(PackCursor& c, const WorkBKPD* work, const WorkCommandNode& n, DWORD next,
                       DWORD depth) {
  switch (n.kind) {
    case kCmdGroupType:
      return c.PutRecord(CmdGroupEntry{next, kCmdGroupType, n.groupId, n.number, 0});
    case kCmdStringType: {
      const WorkCommandString* s = FindString(work, n.stringId);
      return c.PutRecord(CmdStringEntry{next, kCmdStringType, 0, s == nullptr ? 0 : s->length,
                                        s == nullptr ? 0 : s->packed});
    }
    case kCmdNested: {
      if (n.nested == nullptr || depth + 1 >= kBkpdMaxCommandDepth) {
        return 0;
      }
      const DWORD group = WriteCommandGroup(c, work, n.nested, depth + 1);
      return c.PutRecord(CmdNestedEntry{next, kCmdNested, 0, group});
    }
    case kCmdFontType:
      return c.PutRecord(CmdFontEntry{next, kCmdFontType, 0});
    default:
      return 0;
  }
}

// A list of entries from its last node; returns the head's offset.
DWORD WriteCommandList(PackCursor& c, const WorkBKPD* work, WorkCommandNode*& head, DWORD depth) {
  ReverseList(head);
  DWORD previous = 0;
  for (const WorkCommandNode* n = head; n != nullptr; n = n->next) {
    const DWORD at = WriteCommandNode(c, work, *n, previous, depth);
    if (at != 0) {
      previous = at;
    }
  }
  ReverseList(head);
  return previous;
}

DWORD WriteCommandGroup(PackCursor& c, const WorkBKPD* work, WorkCommandGroup* group, DWORD depth) {
  if (group == nullptr) {
    return 0;
  }
  const DWORD mainList = WriteCommandList(c, work, group->main, depth);
  const DWORD elseList = WriteCommandList(c, work, group->elseList, depth);
  const DWORD judge = group->condition == 0 ? 0 : PackJudgeLink(work, MakeWorkRef(kRefJudge, group->condition));
  return c.PutRecord(BKPDCOMMANDGROUP{judge, mainList, elseList});
}

// Each font's name and record, then the table of record offsets (0 for an
// empty entry). Returns the table's offset.
DWORD WriteFonts(PackCursor& c, WorkFont** fonts, DWORD count) {
  if (fonts == nullptr || count == 0) {
    return 0;
  }
  for (DWORD i = 0; i < count; ++i) {
    if (fonts[i] != nullptr) {
      const DWORD name = c.PutAnsi(fonts[i]->name);
      fonts[i]->packed = c.PutRecord(BKPDFONT{static_cast<DWORD>(fonts[i]->number), name});
    }
  }
  const DWORD table = c.Take(static_cast<ULONGLONG>(count) * sizeof(DWORD));
  for (DWORD i = 0; i < count; ++i) {
    c.SetArrayEntry(table, i, fonts[i] == nullptr ? 0 : fonts[i]->packed);
  }
  return table;
}

}  // namespace

void BKPD_OtherCreate(PackCursor& c, WorkBKPD* work, BKPDHEADER& header) {
  WorkHeader& h = *work->header;
  WritePool(c, work->commandStrings);
  header.uiResDllName = c.PutWide(h.uiResDllName);
  header.excDepDllName = c.PutWide(h.excDepDllName);
  for (DWORD i = 0; i < kBkpdCommandGroupCount; ++i) {
    header.commandGroups[i] = WriteCommandGroup(c, work, h.commandGroups[i], 0);
  }
  header.deviceFontTable = WriteFonts(c, h.deviceFonts, h.deviceFontCount);
  header.deviceFontCount = header.deviceFontTable == 0 ? 0 : h.deviceFontCount;
  header.optionFontTable = WriteFonts(c, h.optionFonts, h.optionFontCount);
  header.optionFontCount = header.optionFontTable == 0 ? 0 : h.optionFontCount;
}
