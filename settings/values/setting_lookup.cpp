// Setting, keyword, tab, item and alert lookups. The function-id and
// keyword lookups are on hot paths (keywords through the tables' hash
// indexes); the others are linear scans in table order.
#include "settings/values/setting_lookup.h"

#include <atomic>
#include <cstring>
#include <span>

#include "settings/tables/keyword_index.h"

namespace {

// Position (1-based) of the last record of the first run of consecutive
// function ids, shared by every context because they all copy one table.
// 0 until the first lookup of a printer-wide id computes it.
std::atomic<int> gMiddle{0};

constexpr WORD kPrinterWideBase = 10000;

const UCB* OrRoot(const UCB* ucb) { return ucb != nullptr ? ucb : GetStaticUcb(); }

std::span<SFCB> Records(const UCB* ucb) {
  const SFL* head = OrRoot(ucb)->pSFL;
  if (head == nullptr || head->pSFCB == nullptr || head->count <= 0) {
    return {};
  }
  return {head->pSFCB, static_cast<std::size_t>(head->count)};
}

std::span<TCB> Tabs(const UCB* ucb) {
  if (ucb == nullptr || ucb->pTL == nullptr || ucb->pTL->pTCB == nullptr || ucb->pTL->count <= 0) {
    return {};
  }
  return {ucb->pTL->pTCB, static_cast<std::size_t>(ucb->pTL->count)};
}

std::span<ICB> Items(const TCB& tcb) {
  if (tcb.pICB == nullptr) {
    return {};
  }
  return {tcb.pICB, tcb.itemCount};
}

std::span<const AP> Alerts(const UCB* ucb) {
  const APL* head = OrRoot(ucb)->pAPL;
  if (head == nullptr || head->pAP == nullptr || head->count <= 0) {
    return {};
  }
  return {head->pAP, static_cast<std::size_t>(head->count)};
}

bool SameKeyword(LPCSTR a, LPCSTR b) { return a != nullptr && b != nullptr && std::strcmp(a, b) == 0; }

int ComputeMiddle(std::span<const SFCB> records) {
  for (std::size_t i = 1; i < records.size(); ++i) {
    if (records[i].funcId != static_cast<WORD>(records[i - 1].funcId + 1)) {
      return static_cast<int>(i);  // the predecessor's 1-based position
    }
  }
  return 0;
}

// The search for an id that is not at its direct position: the ends, then a
// binary search over the sorted ids, then a backward scan for a copy whose
// order was changed.
SFCB* SearchFuncId(std::span<SFCB> records, WORD funcId) {
  if (records.front().funcId == funcId) {
    return &records.front();
  }
  if (records.back().funcId == funcId) {
    return &records.back();
  }
  std::size_t lo = 0;
  std::size_t hi = records.size() - 1;
  while (hi - lo > 1) {
    const std::size_t mid = lo + (hi - lo) / 2;
    const WORD probe = records[mid].funcId;
    if (probe == funcId) {
      return &records[mid];
    }
    if (probe < funcId) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  for (std::size_t i = records.size(); i-- > 0;) {
    if (records[i].funcId == funcId) {
      return &records[i];
    }
  }
  return nullptr;
}

template <class Match>
ICB* FindItem(const UCB* ucb, const TCB* tcb, Match match) {
  if (tcb != nullptr) {
    for (ICB& icb : Items(*tcb)) {
      if (match(icb)) {
        return &icb;
      }
    }
    return nullptr;
  }
  for (TCB& tab : Tabs(ucb)) {
    for (ICB& icb : Items(tab)) {
      if (match(icb)) {
        return &icb;
      }
    }
  }
  return nullptr;
}

}  // namespace

SFCB* GetSFCBbyFuncID(const UCB* ucb, WORD funcId) {
  const std::span<SFCB> records = Records(ucb);
  if (funcId == 0 || records.empty()) {
    return nullptr;
  }
  std::size_t position = funcId;
  if (funcId > kPrinterWideBase) {
    int middle = gMiddle.load(std::memory_order_relaxed);
    if (middle == 0) {
      middle = ComputeMiddle(records);
      gMiddle.store(middle, std::memory_order_relaxed);
    }
    position = static_cast<std::size_t>(funcId - kPrinterWideBase) + static_cast<std::size_t>(middle);
  }
  // The direct position is trusted only when it holds the id: an id outside
  // the two runs is never answered with another setting's record.
  if (position >= 1 && position <= records.size() && records[position - 1].funcId == funcId) {
    return &records[position - 1];
  }
  return SearchFuncId(records, funcId);
}

SFCB* GetSFCBbyGroupID(const UCB* ucb, WORD groupId) {
  if (groupId == 0) {
    return nullptr;
  }
  for (SFCB& sfcb : Records(ucb)) {
    if (sfcb.groupId == groupId) {
      return &sfcb;
    }
  }
  const GK* gk = GetGKbyGroupID(groupId);
  return gk != nullptr ? GetSFCBbyFuncID(ucb, gk->funcId) : nullptr;
}

LPCWSTR GetSaveRestoreKeyByFuncID(const UCB* ucb, WORD funcId) {
  const SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  return sfcb != nullptr ? sfcb->name : nullptr;
}

const GK* GetGKbyGroupID(WORD groupId) {
  for (const GK& gk : std::span(fgGKL.pGK, static_cast<std::size_t>(fgGKL.count))) {
    if (gk.groupId == groupId) {
      return &gk;
    }
  }
  return nullptr;
}

const GK* GetGKbyKeyWord(LPCSTR keyword) { return keyword != nullptr ? FindGroupKeyword(keyword) : nullptr; }

const SP* GetSPbyPartsIDAndFunID(WORD funcId, WORD valueIndex) {
  for (const SP& sp : std::span(fgSPL.pSP, static_cast<std::size_t>(fgSPL.count))) {
    if (sp.funcId == funcId && sp.valueIndex == valueIndex) {
      return &sp;
    }
  }
  return nullptr;
}

const SP* GetSPbyKeyWord(LPCSTR keyword) { return keyword != nullptr ? FindValueKeyword(keyword) : nullptr; }

TCB* GetTCBbyTabID(const UCB* ucb, WORD tabId) {
  for (TCB& tcb : Tabs(ucb)) {
    if (tcb.tabId == tabId) {
      return &tcb;
    }
  }
  return nullptr;
}

TCB* GetTCBbyHwnd(const UCB* ucb, HWND hwnd) {
  for (TCB& tcb : Tabs(ucb)) {
    if (tcb.hWnd == hwnd) {
      return &tcb;
    }
  }
  return nullptr;
}

TCB* GetTCBbyKeyWord(const UCB* ucb, LPCSTR keyword) {
  for (TCB& tcb : Tabs(OrRoot(ucb))) {
    if (SameKeyword(tcb.keyword, keyword)) {
      return &tcb;
    }
  }
  return nullptr;
}

ICB* GetICBbyIndex(const TCB* tcb, int index) {
  if (tcb == nullptr || tcb->pICB == nullptr || index < 0 || index >= tcb->itemCount) {
    return nullptr;
  }
  return &tcb->pICB[index];
}

ICB* GetICBbyItemID(const UCB* ucb, const TCB* tcb, WORD itemId) {
  return FindItem(ucb, tcb, [itemId](const ICB& icb) { return icb.itemId == itemId; });
}

ICB* GetICBbyHwnd(const UCB* ucb, const TCB* tcb, HWND hwnd) {
  return FindItem(ucb, tcb, [hwnd](const ICB& icb) { return icb.hWnd == hwnd; });
}

ICB* GetICBbyGroupID(const UCB* ucb, const TCB* tcb, WORD groupId) {
  return FindItem(ucb, tcb, [groupId](const ICB& icb) { return icb.groupId == groupId; });
}

ICB* GetICBbyKeyWord(const UCB* ucb, const TCB* tcb, LPCSTR keyword) {
  const GK* gk = GetGKbyKeyWord(keyword);
  return gk != nullptr ? GetICBbyGroupID(ucb, tcb, gk->groupId) : nullptr;
}

WORD GetAlertNum(const UCB* ucb) { return static_cast<WORD>(Alerts(ucb).size()); }

const AP* GetAPbyIndex(const UCB* ucb, int index) {
  const std::span<const AP> alerts = Alerts(ucb);
  if (index < 0 || static_cast<std::size_t>(index) >= alerts.size()) {
    return nullptr;
  }
  return &alerts[static_cast<std::size_t>(index)];
}

const AP* GetAPbyAlertID(const UCB* ucb, WORD alertId) {
  for (const AP& ap : Alerts(ucb)) {
    if (ap.alertId == alertId) {
      return &ap;
    }
  }
  return nullptr;
}

const AP* GetAPbyKeyWord(const UCB* ucb, LPCSTR keyword) {
  for (const AP& ap : Alerts(ucb)) {
    if (SameKeyword(ap.keyword, keyword)) {
      return &ap;
    }
  }
  return nullptr;
}
