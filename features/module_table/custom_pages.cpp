#include "features/module_table/custom_pages.h"

#include <atomic>

namespace {

std::atomic<const CUSTOMPAGEROW*> g_pages{nullptr};

}  // namespace

void RegisterCustomPages(const CUSTOMPAGEROW* rows) { g_pages.store(rows); }

CUSTOMROW WithPages(const CUSTOMROW& row, LONG index) {
  CUSTOMROW out = row;
  const CUSTOMPAGEROW* pages = g_pages.load();
  if (pages == nullptr || index < 0 || index >= kCustomRows) return out;
  const CUSTOMPAGEROW& page = pages[index];
  if (page.builtInFunc != nullptr) out.builtInFunc = page.builtInFunc;
  if (page.procedure != nullptr) out.procedure = page.procedure;
  if (page.function != nullptr) out.function = page.function;
  return out;
}
