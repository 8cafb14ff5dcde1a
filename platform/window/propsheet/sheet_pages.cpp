// Property-sheet pages: a page record made from its maker's description,
// kept in one registry so that a handle that is not a live page is refused
// rather than followed, and freed with its maker told.
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include "platform/base/winerror.h"
#include "platform/modules/winresource.h"
#include "platform/window/propsheet/sheet_internal.h"

namespace plat::window {
namespace {

constexpr DWORD kLargestDescription = 0x10000;  // what a maker may append to the record is bounded

struct PageRegistry {
  std::mutex lock;
  std::set<HPROPSHEETPAGE> live;
};

PageRegistry& Pages() {
  static PageRegistry* registry = new PageRegistry;  // lives until process exit
  return *registry;
}

void TellMaker(PropSheetPage& record, UINT message) {
  PROPSHEETPAGEW& page = record.page();
  if ((page.dwFlags & PSP_USECALLBACK) != 0 && page.pfnCallback != nullptr) {
    page.pfnCallback(nullptr, message, &page);
  }
}

void CountParent(PropSheetPage& record, int delta) {
  PROPSHEETPAGEW& page = record.page();
  if ((page.dwFlags & PSP_USEREFPARENT) != 0 && page.pcRefParent != nullptr) {
    *page.pcRefParent = static_cast<UINT>(static_cast<int>(*page.pcRefParent) + delta);
  }
}

}  // namespace

std::u16string SheetText(HINSTANCE instance, LPCWSTR text) {
  if (text == nullptr) return {};
  if (!IS_INTRESOURCE(text)) return reinterpret_cast<const char16_t*>(text);
  WCHAR buffer[256] = {};
  const int length = LoadStringW(instance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)), buffer, 256);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(std::max(length, 0)));
}

bool TakePage(HPROPSHEETPAGE page) {
  PageRegistry& registry = Pages();
  std::lock_guard guard(registry.lock);
  return registry.live.erase(page) != 0;
}

bool IsLivePage(HPROPSHEETPAGE page) {
  PageRegistry& registry = Pages();
  std::lock_guard guard(registry.lock);
  return registry.live.count(page) != 0;
}

void FreePage(HPROPSHEETPAGE page) {
  std::unique_ptr<PropSheetPage> owned(page);
  TellMaker(*owned, PSPCB_RELEASE);
  CountParent(*owned, -1);
}

}  // namespace plat::window

HPROPSHEETPAGE CreatePropertySheetPageW(const PROPSHEETPAGEW* page) {
  if (page == nullptr || page->dwSize < PROPSHEETPAGEW_V1_SIZE || page->dwSize > plat::window::kLargestDescription) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto record = std::make_unique<PropSheetPage>();
  const bool inMemory = (page->dwFlags & PSP_DLGINDIRECT) != 0;
  if (inMemory && page->pResource == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!plat::window::ReadDialogFrom(page->hInstance, page->pszTemplate, inMemory ? page->pResource : nullptr,
                                    &record->dialog)) {
    return nullptr;
  }
  record->description.resize(page->dwSize);
  std::memcpy(record->description.data(), page, page->dwSize);
  record->title = (page->dwFlags & PSP_USETITLE) != 0 ? plat::window::SheetText(page->hInstance, page->pszTitle)
                                                       : record->dialog.title;
  HPROPSHEETPAGE handle = record.release();
  {
    plat::window::PageRegistry& registry = plat::window::Pages();
    std::lock_guard guard(registry.lock);
    registry.live.insert(handle);
  }
  plat::window::CountParent(*handle, +1);
  plat::window::TellMaker(*handle, PSPCB_ADDREF);
  return handle;
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
  if (!plat::window::TakePage(page)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  plat::window::FreePage(page);
  return TRUE;
}
