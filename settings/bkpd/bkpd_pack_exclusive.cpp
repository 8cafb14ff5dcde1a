// Packer of the exclusive section: judges, then the item, action, transact,
// alert-action and alert lists, then the exclusive records. References
// between definitions become tagged offsets; a reference that names nothing
// written becomes 0.
#include "settings/bkpd/bkpd_pack_cursor.h"
#include "settings/bkpd/bkpd_work.h"

namespace {

// Tagged offset of the first definition (or judge) with the reference's
// number, when the reference is of the expected kind or a bare number.
template <class Definition>
DWORD Resolve(const Definition* list, DWORD reference, DWORD kind) {
  const DWORD referenceKind = reference >> 16;
  const DWORD number = reference & 0xFFFF;
  if (number == 0 || (referenceKind != 0 && referenceKind != kind)) {
    return 0;
  }
  for (const Definition* d = list; d != nullptr; d = d->next) {
    if (d->number == number) {
      return BkpdTag(d->packed);
    }
  }
  return 0;
}

void WriteJudges(PackCursor& c, WorkJudge* judges) {
  for (WorkJudge* j = judges; j != nullptr; j = j->next) {
    j->packed = 0;
    // A judge the loader would refuse is left out; references to it find
    // nothing.
    if (j->areaSize % sizeof(JudgeToken) != 0 ||
        BkpdJudgeTokenCount(j->tokens, j->areaSize / sizeof(JudgeToken)) == 0) {
      continue;
    }
    j->packed = c.PutBytes(j->tokens, j->areaSize);
  }
}

// Writes the entries of every definition contiguously; make(entry, next)
// gives the record of one entry.
template <class Record, class Entry, class Make>
void WriteLists(PackCursor& c, WorkDefinition<Entry>* lists, Make make) {
  for (WorkDefinition<Entry>* d = lists; d != nullptr; d = d->next) {
    d->packed = 0;
    for (const Entry* e = d->first; e != nullptr; e = e->next) {
      const DWORD at = c.Take(sizeof(Record));
      if (e == d->first) {
        d->packed = at;
      }
      const DWORD next = e->next == nullptr ? 0 : BkpdTag(at + static_cast<DWORD>(sizeof(Record)));
      const Record record = make(*e, next);
      c.WriteAt(at, &record, sizeof(record));
    }
  }
}

void WriteDefinitionLists(PackCursor& c, const WorkBKPD* work) {
  WriteLists<ExclusiveItem>(c, work->items, [work](const WorkItem& e, DWORD next) {
    return ExclusiveItem{next, e.optionValue, 0, PackJudgeLink(work, e.hideJudge),
                         PackJudgeLink(work, e.disableJudge)};
  });
  WriteLists<ExclusiveAction>(c, work->actions, [](const WorkAction& e, DWORD next) {
    return ExclusiveAction{next, e.targetId, e.targetKind, e.value};
  });
  WriteLists<ExclusiveTransact>(c, work->transacts, [work](const WorkTransact& e, DWORD next) {
    return ExclusiveTransact{next, PackJudgeLink(work, e.judge), Resolve(work->actions, e.action, kRefAction)};
  });
  WriteLists<ExclusiveAlertAction>(c, work->alertActions, [work](const WorkAlertAction& e, DWORD next) {
    return ExclusiveAlertAction{next, e.groupId, 0, Resolve(work->transacts, e.transact, kRefTransact),
                                e.tabId, e.controlId};
  });
  WriteLists<ExclusiveAlert>(c, work->alerts, [work](const WorkAlert& e, DWORD next) {
    return ExclusiveAlert{next,      PackJudgeLink(work, e.judge), e.messageId, e.icon, e.buttons,
                          e.timing, Resolve(work->alertActions, e.alertAction, kRefAlertAction)};
  });
}

// The exclusive records as one array; returns the offset of the first.
DWORD WriteExclusiveRecords(PackCursor& c, const WorkBKPD* work) {
  DWORD first = 0;
  for (WorkExclusive* x = work->exclusives; x != nullptr; x = x->next) {
    x->packed = c.Take(sizeof(ExclusiveRecord));
    if (x == work->exclusives) {
      first = x->packed;
    }
    const DWORD next = x->next == nullptr ? 0 : x->packed + static_cast<DWORD>(sizeof(ExclusiveRecord));
    const ExclusiveRecord record{next,
                                 x->groupId,
                                 0,
                                 PackJudgeLink(work, x->hideJudge),
                                 PackJudgeLink(work, x->disableJudge),
                                 Resolve(work->items, x->item, kRefItem),
                                 Resolve(work->alerts, x->alert, kRefAlert),
                                 Resolve(work->transacts, x->transact, kRefTransact),
                                 Resolve(work->transacts, x->transact2, kRefTransact)};
    c.WriteAt(x->packed, &record, sizeof(record));
  }
  return first;
}

}  // namespace

DWORD PackJudgeLink(const WorkBKPD* work, DWORD reference) {
  return Resolve(work->judges, reference, kRefJudge);
}

void BKPD_ExclusiveCreate(PackCursor& c, WorkBKPD* work, BKPDHEADER& header) {
  WriteJudges(c, work->judges);
  WriteDefinitionLists(c, work);
  header.exclusiveList = WriteExclusiveRecords(c, work);
}
