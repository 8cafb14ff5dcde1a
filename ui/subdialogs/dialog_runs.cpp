// How ShowDialogBox runs each kind of dialog: a file dialog in one zeroed
// block with the engine's hook, a nested sheet of pages of the engine's
// page procedure, a modal dialog of the engine's dialog procedure.
#include <vector>

#include "features/quality/pages/profile_file_hook.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"
#include "ui/subdialogs/dialog_runs.h"
#include "ui/subdialogs/file_dialogs.h"

namespace subdialogs {
namespace {

constexpr UINT kUserQualityCaption = 5001;

}  // namespace

int RunFileDialog(UCB* ucb, TCB* tcb, HWND parent) {
  const MemBlock<FileDialogBlock> block = NewMemBlock<FileDialogBlock>();
  if (block == nullptr) return 0;
  OPENFILENAMEW& ofn = block->ofn;
  ofn.lStructSize = sizeof(OPENFILENAMEW);
  ofn.hwndOwner = parent;
  ofn.hInstance = GetResDll(ucb);
  ofn.lpTemplateName = MAKEINTRESOURCEW(tcb->tabId);
  // The colour-profile dialog checks the file's header with its own hook.
  ofn.lpfnHook = (tcb->kind & kTabProfileRefer) != 0 ? FileHookProcRef : FileHookProc;
  ofn.lpstrDefExt = GetFileDialogDefaultExt(tcb) + 2;  // "rst" of "*.rst"
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = block->file;
  ofn.nMaxFile = kFileDialogChars;
  ofn.lpstrInitialDir = block->folder;
  ofn.lpstrTitle = block->title;
  ofn.lpstrFilter = block->filter;
  ofn.lCustData = reinterpret_cast<LPARAM>(ucb);
  SetFileDialogInfo(ucb, tcb, block.get());
  ucb->pWork->dialog.wFileAction = 0;
  const int result = DoFileDialog(ucb, tcb, &ofn, block->file);
  return result != 0 ? CarryOutFileAction(ucb, tcb, block->file, result) : result;
}

int RunNestedSheet(UCB* ucb, DWORD mask, const TCB* requested, HWND parent) {
  TL* tl = ucb->pTL;
  std::vector<PROPSHEETPAGEW> pages;
  UINT start = 0;
  for (int t = 0; t < tl->count; ++t) {
    TCB& tab = tl->pTCB[t];
    if ((tab.kind & mask) == 0) continue;
    if (mask == kTabUserQualityPage && GetTcbStatusIsHide(ucb, tab.groupId)) continue;
    tab.hWnd = nullptr;
    if (&tab == requested) start = static_cast<UINT>(pages.size());
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_HASHELP;
    page.hInstance = GetResDll(ucb);
    page.pszTemplate = MAKEINTRESOURCEW(tab.tabId);
    page.pfnDlgProc = PropertySheetProc;
    page.lParam = reinterpret_cast<LPARAM>(ucb);
    pages.push_back(page);
  }
  std::vector<WCHAR> caption(kFileDialogChars);
  if (mask == kTabUserQualityPage) {
    LoadStringFromResDll(ucb, kUserQualityCaption, caption.data(), static_cast<int>(caption.size()), FALSE);
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP;
  header.hwndParent = parent;
  header.hInstance = GetResDll(ucb);
  header.pszCaption = mask == kTabUserQualityPage ? caption.data() : GetPrinterName(ucb);
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = start;
  header.ppsp = pages.data();
  return static_cast<int>(PropertySheetW(&header));
}

int RunModalDialog(UCB* ucb, const TCB* tcb, HWND parent) {
  const INT_PTR result = DialogBoxParamW(GetResDll(ucb), MAKEINTRESOURCEW(tcb->tabId), parent, DialogProc,
                                         reinterpret_cast<LPARAM>(ucb));
  // The dialog that started this context's pages is gone.
  if (ucb->pWork->dialog.wStartPageId == tcb->tabId) ucb->pWork->dialog.wStartPageId = 0;
  return static_cast<int>(result);
}

}  // namespace subdialogs
