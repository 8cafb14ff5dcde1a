// The common property-sheet host: one record per running call, known by the
// handle the driver gets, so that a stale or foreign handle is refused.
#include "platform/compstui/compstui_host.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/modules/builtin_modules.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/sheet_internal.h"

namespace plat::compstui {
namespace {

struct HostSheet {
  PROPSHEETUI_INFO info{};
  PFNPROPSHEETUI callback = nullptr;
  std::vector<HPROPSHEETPAGE> pages;
};

struct HostRegistry {
  std::mutex lock;
  std::set<HostSheet*> live;
};

HostRegistry& Hosts() {
  static HostRegistry* registry = new HostRegistry;  // lives until process exit
  return *registry;
}

HostSheet* Find(HANDLE handle) {
  HostRegistry& registry = Hosts();
  std::lock_guard guard(registry.lock);
  auto* sheet = static_cast<HostSheet*>(handle);
  return registry.live.count(sheet) != 0 ? sheet : nullptr;
}

// The registration of one running call for its life.
class Registered {
 public:
  explicit Registered(HostSheet* sheet) : sheet_(sheet) {
    std::lock_guard guard(Hosts().lock);
    Hosts().live.insert(sheet_);
  }
  ~Registered() {
    std::lock_guard guard(Hosts().lock);
    Hosts().live.erase(sheet_);
  }
  Registered(const Registered&) = delete;
  Registered& operator=(const Registered&) = delete;

 private:
  HostSheet* sheet_;
};

LONG Call(HostSheet& sheet, WORD reason, LPARAM lParam) {
  const WORD outer = sheet.info.Reason;
  sheet.info.Reason = reason;
  const LONG answer = sheet.callback(&sheet.info, lParam);
  sheet.info.Reason = outer;
  return answer;
}

LONG_PTR AddPage(HostSheet& sheet, HPROPSHEETPAGE page) {
  if (page == nullptr || !window::IsLivePage(page) ||
      std::find(sheet.pages.begin(), sheet.pages.end(), page) != sheet.pages.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  sheet.pages.push_back(page);
  return reinterpret_cast<LONG_PTR>(page);
}

// CPSFUNC_SET_RESULT: the result goes to the callback of the sheet the page
// belongs to (this host runs one level of callbacks).
LONG_PTR SetResult(HostSheet& sheet, HANDLE handle, LPARAM page, LPARAM result) {
  if (page != 0 && std::find(sheet.pages.begin(), sheet.pages.end(), reinterpret_cast<HPROPSHEETPAGE>(page)) ==
                       sheet.pages.end()) {
    return -1;
  }
  SETRESULT_INFO info{sizeof(SETRESULT_INFO), 0, page != 0 ? reinterpret_cast<HANDLE>(page) : handle, result};
  Call(sheet, PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&info));
  return 1;
}

LONG_PTR CALLBACK ComPropSheet(HANDLE handle, UINT function, LPARAM lParam1, LPARAM lParam2) {
  HostSheet* sheet = Find(handle);
  if (sheet == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return function == CPSFUNC_SET_RESULT ? -1 : 0;
  }
  switch (function) {
    case CPSFUNC_ADD_HPROPSHEETPAGE:
      return AddPage(*sheet, reinterpret_cast<HPROPSHEETPAGE>(lParam1));
    case CPSFUNC_ADD_PROPSHEETPAGEW: {
      HPROPSHEETPAGE page = CreatePropertySheetPageW(reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
      return page != nullptr ? AddPage(*sheet, page) : 0;
    }
    case CPSFUNC_GET_PAGECOUNT:
      return static_cast<LONG_PTR>(sheet->pages.size());
    case CPSFUNC_SET_RESULT:
      return SetResult(*sheet, handle, lParam1, lParam2);
    default:
      SetLastError(ERROR_NOT_SUPPORTED);
      return 0;
  }
}

void DropPages(HostSheet& sheet) {
  for (HPROPSHEETPAGE page : sheet.pages) DestroyPropertySheetPage(page);
  sheet.pages.clear();
}

// Shows the driver's pages under the title it asked for; the sheet takes
// the pages. False when the sheet could not be shown.
bool RunPages(HostSheet& sheet, HWND owner) {
  PROPSHEETUI_INFO_HEADER header{sizeof(PROPSHEETUI_INFO_HEADER), 0, nullptr, owner, nullptr, 0};
  Call(sheet, PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header));
  PROPSHEETHEADERW run{};
  run.dwSize = sizeof run;
  run.dwFlags = ((header.Flags & PSUIHDRF_NOAPPLYNOW) != 0 ? PSH_NOAPPLYNOW : 0) |
                ((header.Flags & PSUIHDRF_PROPTITLE) != 0 ? PSH_PROPTITLE : 0);
  run.hwndParent = header.hWndParent != nullptr ? header.hWndParent : owner;
  run.hInstance = header.hInst;
  run.pszCaption = header.pTitle;
  run.nPages = static_cast<UINT>(sheet.pages.size());
  run.phpage = sheet.pages.data();
  const INT_PTR shown = PropertySheetW(&run);
  sheet.pages.clear();
  return shown >= 0;
}

}  // namespace
}  // namespace plat::compstui

LONG CommonPropertySheetUIW(HWND hWndOwner, PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam, DWORD* pResult) {
  using namespace plat::compstui;
  if (pfnPropSheetUI == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERR_CPSUI_GETLASTERROR;
  }
  HostSheet sheet;
  sheet.callback = pfnPropSheetUI;
  sheet.info = PROPSHEETUI_INFO{sizeof(PROPSHEETUI_INFO), PROPSHEETUI_INFO_VERSION, PSUIINFO_UNICODE,
                                PROPSHEETUI_REASON_INIT, &sheet, ComPropSheet, lParam, 0, 0};
  Registered registered(&sheet);
  if (Call(sheet, PROPSHEETUI_REASON_INIT, lParam) < 1) {
    DropPages(sheet);
    return CPSUI_CANCEL;
  }
  const bool hasPages = !sheet.pages.empty();
  const bool ran = !hasPages || RunPages(sheet, hWndOwner);
  Call(sheet, PROPSHEETUI_REASON_DESTROY, ran && hasPages ? 1 : 0);
  if (pResult != nullptr) *pResult = static_cast<DWORD>(sheet.info.Result);
  return ran ? CPSUI_OK : ERR_CPSUI_GETLASTERROR;
}

std::span<const plat::BuiltinExport> plat::CompstuiExports() {
  static const BuiltinExport exports[] = {
      {"CommonPropertySheetUIW", reinterpret_cast<FARPROC>(&CommonPropertySheetUIW)},
  };
  return exports;
}
