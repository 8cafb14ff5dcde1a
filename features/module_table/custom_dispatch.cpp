// The context's module table and the three dispatchers over it. Rows are
// offered a call in table order; a null slot is skipped and the first
// non-zero answer ends the walk. A context without a table calls nothing.

#include "features/custom_modules.h"
#include "features/module_table/custom_pages.h"
#include "features/module_table/custom_table.h"
#include "features/other/other_module.h"
#include "features/quality/quality_module.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#if !KESM_KERNEL_MODE
#include "storage/stores/preset_store.h"
#include "ui/user_callback.h"
#endif

namespace {

constexpr DWORD kCodeContextBuilt = 1;
constexpr DWORD kCodeContextFreed = 2;

constexpr WORD kQualityJudgeFirst = 996;
constexpr WORD kQualityJudgeLast = 1011;
constexpr WORD kOtherJudgeFirst = 1108;
constexpr WORD kOtherJudgeLast = 1123;

CUSTOMTABLE* TableOf(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->pCustom : nullptr;
}

// Calls each row's entry until one answers non-zero; that answer, or 0.
template <class Call>
auto Walk(const UCB* ucb, Call call) -> decltype(call(*static_cast<CUSTOMROW*>(nullptr))) {
  CUSTOMTABLE* table = TableOf(ucb);
  if (table == nullptr || table->rows == nullptr) return 0;
  for (LONG i = 0; i < table->count; ++i) {
    if (const auto answer = call(table->rows[i]); answer != 0) return answer;
  }
  return 0;
}

void FreeTable(WORKAREA& work) {
  CUSTOMTABLE* table = work.pCustom;
  if (table == nullptr) return;
  if (table->rows != nullptr) {
    for (LONG i = 0; i < table->count; ++i) {
      CUSTOMROW& row = table->rows[i];
      if (row.work != nullptr && row.release != nullptr) row.release(row.work);
      FreeMemPtr(row.work);
    }
    FreeMemPtr(table->rows);
  }
  FreeMemPtr(table);
  work.pCustom = nullptr;
}

}  // namespace

void KesmInitCustom(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  WORKAREA& work = *ucb->pWork;
  work.pChapterBlocks = nullptr;
  work.wChapterCapacity = 0;
  work.fChapterInfoRead = 0;
#if !KESM_KERNEL_MODE
  CheckPresetCache(ucb, nullptr, kPresetCacheForget);
#endif
  auto* table = static_cast<CUSTOMTABLE*>(GetMemPtr(sizeof(CUSTOMTABLE)));
  if (table == nullptr) return;
  work.pCustom = table;
  const CUSTOMROW* rows = RegisterCustomFuncs(&table->count);
  table->rows = static_cast<CUSTOMROW*>(GetMemPtr(sizeof(CUSTOMROW) * static_cast<SIZE_T>(table->count)));
  if (table->rows == nullptr) {
    // Without rows there is no table at all.
    FreeTable(work);
    return;
  }
  for (LONG i = 0; i < table->count; ++i) {
    CUSTOMROW& row = table->rows[i];
    row = WithPages(rows[i], i);
    // A work area that cannot be had leaves its module called with null.
    row.work = row.workSize > 0 ? GetMemPtr(static_cast<SIZE_T>(row.workSize)) : nullptr;
  }
  KesmCustomFunction(ucb, kCodeContextBuilt, nullptr);
}

void KesmTermCustom(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  WORKAREA& work = *ucb->pWork;
  FreeMemPtr(work.pChapterBlocks);
  work.pChapterBlocks = nullptr;
  work.wChapterCapacity = 0;
#if !KESM_KERNEL_MODE
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
#endif
  if (work.pCustom == nullptr) return;
  KesmCustomFunction(ucb, kCodeContextFreed, nullptr);
  FreeTable(work);
}

void KesmCustomFunction(UCB* ucb, DWORD code, void* parameter) {
  if (code == kCodeContextBuilt || code == kCodeContextFreed) return;
  Walk(ucb, [&](CUSTOMROW& row) { return row.function != nullptr ? row.function(ucb, code, parameter, row.work) : 0; });
}

void KesmCustomBuiltInFunc(UCB* ucb, DWORD id) {
  const auto builtIn = static_cast<WORD>(id);
  Walk(ucb, [&](CUSTOMROW& row) { return row.builtInFunc != nullptr ? row.builtInFunc(ucb, builtIn, row.work) : 0; });
}

INT_PTR KesmCustomProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
#if !KESM_KERNEL_MODE
  if (const INT_PTR first = UserCallBack(ucb, tcb, icb, message, wParam, lParam); first != 0) return first;
#endif
  if (ucb == nullptr) {
    // Before any context is known only an owner-drawn control measured
    // while it is made reaches the modules, without work areas: nothing
    // else can be answered without a context.
    if (message != WM_MEASUREITEM) return 0;
    LONG count = 0;
    const CUSTOMROW* rows = RegisterCustomFuncs(&count);
    for (LONG i = 0; i < count; ++i) {
      const CustomProcedure procedure = WithPages(rows[i], i).procedure;
      if (procedure == nullptr) continue;
      if (const INT_PTR answer = procedure(nullptr, tcb, icb, message, wParam, lParam, nullptr); answer != 0) {
        return answer;
      }
    }
    return 0;
  }
  return Walk(ucb, [&](CUSTOMROW& row) -> INT_PTR {
    return row.procedure != nullptr ? row.procedure(ucb, tcb, icb, message, wParam, lParam, row.work) : 0;
  });
}

DWORD Ucf_JudgeHook(UCB* ucb, WORD funcId) {
  if (funcId >= kQualityJudgeFirst && funcId <= kQualityJudgeLast) return static_cast<DWORD>(Ucf2_JudgeHook(ucb, funcId));
  if (funcId >= kOtherJudgeFirst && funcId <= kOtherJudgeLast) return static_cast<DWORD>(Ucf9_JudgeHook(ucb, funcId));
  return 0;
}
