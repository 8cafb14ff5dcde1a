// Check of the exclusive section: the exclusive-record array and every
// list and judge it reaches. The entries of one list are contiguous, so
// each next link must name the record right after its own; a walk that
// meets an entry already checked stops there, since the rest of that list
// has been checked too.
#include "settings/bkpd/bkpd_check.h"

namespace {

template <class T>
bool CheckList(BkpdChecker& c, DWORD tagged, Mark kind, bool (*checkEntry)(BkpdChecker&, const T&));

bool CheckItem(BkpdChecker& c, const ExclusiveItem& e) {
  return c.CheckJudge(e.hideJudge) && c.CheckJudge(e.disableJudge);
}

bool CheckAction(BkpdChecker&, const ExclusiveAction&) { return true; }

bool CheckTransact(BkpdChecker& c, const ExclusiveTransact& e) {
  return c.CheckJudge(e.judge) && CheckList(c, e.actionList, Mark::kAction, CheckAction);
}

bool CheckAlertAction(BkpdChecker& c, const ExclusiveAlertAction& e) {
  return CheckList(c, e.transact, Mark::kTransact, CheckTransact);
}

bool CheckAlert(BkpdChecker& c, const ExclusiveAlert& e) {
  return c.CheckJudge(e.judge) && CheckList(c, e.alertActionList, Mark::kAlertAction, CheckAlertAction);
}

template <class T>
bool CheckList(BkpdChecker& c, DWORD tagged, Mark kind, bool (*checkEntry)(BkpdChecker&, const T&)) {
  DWORD link = tagged;
  while (link != 0) {
    if (!BkpdIsTagged(link)) {
      return c.Fail(BkpdFault::kLink, 0);
    }
    const DWORD offset = BkpdUntag(link);
    const Claim claim = c.ClaimRecord(offset, sizeof(T), kind, true);
    if (claim != Claim::kNew) {
      return claim == Claim::kSeen;
    }
    const T& entry = *c.At<T>(offset);
    if (!checkEntry(c, entry)) {
      return false;
    }
    if (entry.next != 0 && entry.next != BkpdTag(offset + static_cast<DWORD>(sizeof(T)))) {
      return c.Fail(BkpdFault::kChain, offset);
    }
    link = entry.next;
  }
  return true;
}

bool CheckRecord(BkpdChecker& c, const ExclusiveRecord& r) {
  return c.CheckJudge(r.hideJudge) && c.CheckJudge(r.disableJudge) &&
         CheckList(c, r.itemList, Mark::kItem, CheckItem) &&
         CheckList(c, r.alertList, Mark::kAlert, CheckAlert) &&
         CheckList(c, r.transact, Mark::kTransact, CheckTransact) &&
         CheckList(c, r.transact2, Mark::kTransact, CheckTransact);
}

}  // namespace

bool BkpdCheckExclusive(BkpdChecker& c) {
  // The records form one array: each next names the record right after it.
  DWORD offset = c.header().exclusiveList;
  while (offset != 0) {
    if (c.ClaimRecord(offset, sizeof(ExclusiveRecord), Mark::kExclusive, false) != Claim::kNew) {
      return false;
    }
    const ExclusiveRecord& record = *c.At<ExclusiveRecord>(offset);
    if (!CheckRecord(c, record)) {
      return false;
    }
    if (record.next != 0 && record.next != offset + sizeof(ExclusiveRecord)) {
      return c.Fail(BkpdFault::kChain, offset);
    }
    offset = record.next;
  }
  return true;
}
