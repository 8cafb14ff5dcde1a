// GetOpenFileNameW, GetSaveFileNameW and CommDlgExtendedError: the
// caller's structure checked, the template found, the dialog run, and the
// library's export table.
#include <new>

#include "platform/modules/builtin_modules.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "platform/window/commdlg/file_dialog.h"
#include "platform/window/winuser_dialogs.h"

extern "C" const unsigned char kesm_comdlg32_resources[];

namespace plat::commdlg {
namespace {

// The code of the thread's last file dialog, as the call's contract has it.
thread_local DWORD t_lastError = 0;

constexpr const char16_t* kLibraryName = u"comdlg32.dll";

// What the caller's structure lacks, or 0.
DWORD CheckCaller(const OPENFILENAMEW* ofn) {
  if (ofn == nullptr) return CDERR_INITIALIZATION;
  if (ofn->lStructSize != sizeof(OPENFILENAMEW) && ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400W) {
    return CDERR_STRUCTSIZE;
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) return CDERR_INITIALIZATION;
  if ((ofn->Flags & OFN_ENABLEHOOK) != 0 && ofn->lpfnHook == nullptr) return CDERR_NOHOOK;
  if ((ofn->Flags & OFN_ENABLETEMPLATE) != 0) {
    if (ofn->hInstance == nullptr) return CDERR_NOHINSTANCE;
    if (ofn->lpTemplateName == nullptr) return CDERR_NOTEMPLATE;
  }
  return 0;
}

// The dialog template: the caller's (OFN_ENABLETEMPLATE) or the library's
// own, for one file or several.
struct TemplateFound {
  HINSTANCE instance = nullptr;
  LPCDLGTEMPLATEW dialogTemplate = nullptr;
  DWORD error = 0;
};

TemplateFound FindTemplate(const OPENFILENAMEW& ofn, HMODULE own) {
  const bool callers = (ofn.Flags & OFN_ENABLETEMPLATE) != 0;
  const HINSTANCE instance = callers ? ofn.hInstance : own;
  const LPCWSTR name = callers ? ofn.lpTemplateName
                              : MAKEINTRESOURCEW((ofn.Flags & OFN_ALLOWMULTISELECT) != 0 ? kMultiOpenTemplateId
                                                                                         : kOpenTemplateId);
  HRSRC resource = FindResourceW(instance, name, RT_DIALOG);
  if (resource == nullptr) return {nullptr, nullptr, CDERR_FINDRESFAILURE};
  HGLOBAL loaded = LoadResource(instance, resource);
  if (loaded == nullptr) return {nullptr, nullptr, CDERR_LOADRESFAILURE};
  const void* locked = LockResource(loaded);
  if (locked == nullptr) return {nullptr, nullptr, CDERR_LOCKRESFAILURE};
  return {instance, static_cast<LPCDLGTEMPLATEW>(locked), 0};
}

// The library stays loaded while its dialog runs: its texts and template
// live in it.
class OwnModule {
 public:
  OwnModule() : module_(LoadLibraryW(kLibraryName)) {}
  ~OwnModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  OwnModule(const OwnModule&) = delete;
  OwnModule& operator=(const OwnModule&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

// The dialog's code: 0 with chosen set when a file was chosen, 0 alone
// when the dialog was cancelled.
DWORD Run(OPENFILENAMEW* ofn, DialogKind kind, bool* chosen) {
  if (DWORD error = CheckCaller(ofn)) return error;
  OwnModule own;
  const TemplateFound found = FindTemplate(*ofn, own.get());
  if (found.error != 0) return found.error;
  FileDialog state;
  state.ofn = ofn;
  state.kind = kind;
  state.strings = own.get();
  const INT_PTR result = RunFileDialog(state, found.instance, found.dialogTemplate);
  if (result == -1) return CDERR_DIALOGFAILURE;
  *chosen = result > 0 && state.error == 0;
  return state.error;
}

BOOL Entry(OPENFILENAMEW* ofn, DialogKind kind) {
  DWORD error = 0;
  bool chosen = false;
  try {
    error = Run(ofn, kind, &chosen);
  } catch (const std::bad_alloc&) {
    error = CDERR_MEMALLOCFAILURE;
  } catch (...) {
    error = CDERR_DIALOGFAILURE;
  }
  t_lastError = error;
  return chosen ? TRUE : FALSE;
}

}  // namespace

}  // namespace plat::commdlg

BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn) { return plat::commdlg::Entry(ofn, plat::commdlg::DialogKind::kOpen); }

BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn) { return plat::commdlg::Entry(ofn, plat::commdlg::DialogKind::kSave); }

DWORD CommDlgExtendedError() { return plat::commdlg::t_lastError; }

std::span<const plat::BuiltinExport> plat::ComDlgExports() {
  static const BuiltinExport exports[] = {
      {"GetOpenFileNameW", reinterpret_cast<FARPROC>(&GetOpenFileNameW)},
      {"GetSaveFileNameW", reinterpret_cast<FARPROC>(&GetSaveFileNameW)},
      {"CommDlgExtendedError", reinterpret_cast<FARPROC>(&CommDlgExtendedError)},
  };
  return exports;
}

const void* plat::ComDlgResources() { return kesm_comdlg32_resources; }
