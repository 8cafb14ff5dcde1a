// Making dialogs from templates: the dialog window, its controls in template
// order (a control that measures its items asks the dialog procedure while
// it is made), then WM_INITDIALOG once every control exists; and the modal
// loop, which ends after the message during which EndDialog was called.
#include <string>

#include "platform/base/winerror.h"
#include "platform/modules/winresource.h"
#include "platform/window/controls/controls.h"
#include "platform/window/dialog/dialog_internal.h"
#include "platform/window/dialog/dialog_template.h"
#include "platform/window/modal_loop.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

constexpr std::size_t kInMemoryLimit = 0x10000;  // a template in memory has no size; none is larger

const WCHAR* Wide(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

// A name as CreateWindowExW takes it: an ordinal in a name's place is
// written 0xFFFF, ordinal (as controls that show a resource expect).
std::u16string WindowName(const NameOrOrdinal& name) {
  if (!name.isOrdinal) return name.text;
  return std::u16string{u'\xFFFF', static_cast<char16_t>(name.ordinal)};
}

std::u16string ClassOf(const NameOrOrdinal& name, const char16_t* fallback) {
  if (name.isOrdinal) {
    const char16_t* predefined = PredefinedControlClass(name.ordinal);
    return predefined != nullptr ? predefined : u"";
  }
  return name.text.empty() ? fallback : name.text;
}

// Position and size are converted each on its own, as MapDialogRect would
// convert a rectangle's corners: a size keeps its pixels wherever it sits.
RECT PixelsOf(const DialogInfo& info, int x, int y, int cx, int cy) {
  const int left = DialogUnitsToPixels(x, info.baseX, 4);
  const int top = DialogUnitsToPixels(y, info.baseY, 8);
  return RECT{left, top, left + DialogUnitsToPixels(cx, info.baseX, 4), top + DialogUnitsToPixels(cy, info.baseY, 8)};
}

// Places the dialog: its client area takes the template's size; a child
// sits in its parent's client area, a pop-up relative to its owner's client
// area, or centred with DS_CENTER.
void Place(HWND dialog, HWND owner, const DialogTemplate& t, const DialogInfo& info) {
  const RECT client = PixelsOf(info, t.x, t.y, t.cx, t.cy);
  RECT window{};
  RECT inner{};
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &inner);
  const int width = (client.right - client.left) + (window.right - window.left) - inner.right;
  const int height = (client.bottom - client.top) + (window.bottom - window.top) - inner.bottom;
  POINT at{client.left, client.top};
  if ((t.style & DS_CENTER) != 0) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr && (t.style & WS_CHILD) == 0) GetWindowRect(owner, &area);
    at = POINT{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
  } else if (owner != nullptr && (t.style & WS_CHILD) == 0) {
    ClientToScreen(owner, &at);
  }
  SetWindowPos(dialog, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Dialogs have the three-dimensional look: a control's plain border
// becomes a sunken client edge.
void ThreeDimensional(DWORD* style, DWORD* exStyle) {
  if ((*style & WS_BORDER) == 0) return;
  *style &= ~WS_BORDER;
  *exStyle |= WS_EX_CLIENTEDGE;
}

bool MakeControls(HWND dialog, HINSTANCE instance, const DialogTemplate& t, DialogInfo& info) {
  for (const DialogItem& item : t.items) {
    const std::u16string cls = ClassOf(item.className, u"");
    const std::u16string title = WindowName(item.title);
    const RECT r = PixelsOf(info, item.x, item.y, item.cx, item.cy);
    void* data = item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data());
    DWORD style = (item.style | WS_CHILD) & ~WS_POPUP;
    DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
    ThreeDimensional(&style, &exStyle);
    HWND control = CreateWindowExW(exStyle, Wide(cls), Wide(title), style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(item.id)), instance, data);
    if (!IsWindow(dialog)) return false;
    if (control == nullptr) {
      if ((t.style & DS_NOFAILCREATE) == 0) return false;
      continue;
    }
    if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
        (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
      info.defaultId = static_cast<int>(item.id);
    }
  }
  return true;
}

// The control that gets the first focus: the first whose own styles make it
// visible, enabled and a tab stop. The dialog itself is still hidden here,
// so the control's styles decide, not whether it shows on the screen yet.
HWND FirstTabStop(HWND dialog) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    const auto style = static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE));
    if ((style & (WS_VISIBLE | WS_DISABLED | WS_TABSTOP)) == (WS_VISIBLE | WS_TABSTOP)) return c;
  }
  return nullptr;
}

HWND Create(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc, LPARAM param, bool modal) {
  const std::u16string cls = ClassOf(t.className, u"#32770");
  const DWORD exStyle = t.exStyle | ((t.style & DS_MODALFRAME) != 0 ? WS_EX_DLGMODALFRAME : 0);
  DialogInfo units;
  BaseUnitsForFont(t.pointSize, (t.style & DS_SETFONT) != 0, &units.baseX, &units.baseY);
  // Made at about its size first, so that its frame can be measured.
  const RECT guess = PixelsOf(units, 0, 0, t.cx, t.cy);
  HWND dialog = CreateWindowExW(exStyle, Wide(cls), Wide(t.title), t.style & ~WS_VISIBLE, 0, 0, guess.right + 64,
                                guess.bottom + 64, owner, nullptr, instance, nullptr);
  if (dialog == nullptr) return nullptr;
  const std::shared_ptr<DialogInfo> info = AddDialogInfo(dialog);
  info->baseX = units.baseX;
  info->baseY = units.baseY;
  info->templateId = t.resourceId;
  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  Place(dialog, owner, t, *info);
  if (!MakeControls(dialog, instance, t, *info)) {
    DestroyWindow(dialog);
    SetLastError(ERROR_CANCELLED);
    return nullptr;
  }
  HWND first = FirstTabStop(dialog);
  const LRESULT setFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!IsWindow(dialog)) return nullptr;
  if (((t.style & WS_VISIBLE) != 0 || modal) && !info->ended) ShowWindow(dialog, SW_SHOWNORMAL);
  // The focus goes where Tab would start once the dialog shows; a dialog
  // still hidden (a sheet's page) takes none yet.
  HWND focus = setFocus != 0 && !info->ended ? GetNextDlgTabItem(dialog, nullptr, FALSE) : nullptr;
  if (focus != nullptr && IsWindow(focus)) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  return dialog;
}

struct LoopContext {
  HWND dialog;
  DialogInfo* info;
};

bool LoopEnded(void* context) { return static_cast<LoopContext*>(context)->info->ended; }
bool LoopKeys(void* context, MSG* msg) {
  return IsDialogMessageW(static_cast<LoopContext*>(context)->dialog, msg) != FALSE;
}

// What a modal dialog answers: EndDialog's result; 0 when the dialog went
// without it or WM_QUIT ended the loop; -1 (ERROR_CANCELLED) when the loop
// was abandoned.
INT_PTR ModalResult(LoopEnd end, const DialogInfo& info) {
  if (end == LoopEnd::kAbandoned) {
    SetLastError(ERROR_CANCELLED);
    return -1;
  }
  return info.ended ? info.result : 0;
}

INT_PTR RunModal(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc, LPARAM param) {
  HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
  const bool disabled = top != nullptr && IsWindowEnabled(top) && !EnableWindow(top, FALSE);
  HWND dialog = Create(instance, t, top, proc, param, true);
  const std::shared_ptr<DialogInfo> info = dialog != nullptr ? FindDialogInfo(dialog) : nullptr;
  INT_PTR result = -1;
  if (info != nullptr) {
    LoopContext context{dialog, info.get()};
    ModalLoop loop{dialog, u"", LoopEnded, LoopKeys, &context};
    result = ModalResult(RunModalLoop(loop), *info);
  }
  if (disabled && IsWindow(top)) EnableWindow(top, TRUE);
  if (dialog != nullptr && IsWindow(dialog)) DestroyWindow(dialog);
  if (top != nullptr && IsWindow(top)) SetActiveWindow(top);
  return result;
}

bool ReadInMemory(LPCDLGTEMPLATEW dialogTemplate, DialogTemplate* t) {
  if (!ReadDialogTemplate(reinterpret_cast<const BYTE*>(dialogTemplate), kInMemoryLimit, t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

bool ReadResource(HINSTANCE instance, LPCWSTR name, DialogTemplate* t) {
  HRSRC found = FindResourceW(instance, name, RT_DIALOG);
  if (found == nullptr) return false;
  const void* bytes = LockResource(LoadResource(instance, found));
  if (bytes == nullptr ||
      !ReadDialogTemplate(static_cast<const BYTE*>(bytes), SizeofResource(instance, found), t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  t->resourceId = IS_INTRESOURCE(name) ? static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)) : 0;
  return true;
}

bool OwnerIsValid(HWND owner) {
  if (owner == nullptr || IsWindow(owner)) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

}  // namespace
}  // namespace plat::window

using plat::window::DialogTemplate;

// A modeless dialog from a template already read (property sheets make
// their pages from the page's template with its style changed).
HWND plat::window::CreateDialogFrom(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc,
                                    LPARAM param) {
  return Create(instance, t, owner, proc, param, false);
}

WORD plat::window::DialogTemplateId(HWND dialog) {
  const auto info = FindDialogInfo(dialog);
  return info != nullptr ? info->templateId : 0;
}

// A template of a module's resources or in memory, read and checked.
bool plat::window::ReadDialogFrom(HINSTANCE instance, LPCWSTR name, const void* inMemory, DialogTemplate* t) {
  if (inMemory != nullptr) return ReadInMemory(static_cast<LPCDLGTEMPLATEW>(inMemory), t);
  return ReadResource(instance, name, t);
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  DialogTemplate t;
  if (!plat::window::OwnerIsValid(owner) || !plat::window::ReadInMemory(dialogTemplate, &t)) return -1;
  return plat::window::RunModal(instance, t, owner, proc, param);
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM param) {
  DialogTemplate t;
  if (!plat::window::OwnerIsValid(owner) || !plat::window::ReadResource(instance, templateName, &t)) return -1;
  return plat::window::RunModal(instance, t, owner, proc, param);
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param) {
  DialogTemplate t;
  if (!plat::window::OwnerIsValid(owner) || !plat::window::ReadInMemory(dialogTemplate, &t)) return nullptr;
  return plat::window::Create(instance, t, owner, proc, param, false);
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM param) {
  DialogTemplate t;
  if (!plat::window::OwnerIsValid(owner) || !plat::window::ReadResource(instance, templateName, &t)) return nullptr;
  return plat::window::Create(instance, t, owner, proc, param, false);
}

// The dialog is hidden and its owner enabled at once; a modal loop ends when
// the current message is done.
BOOL EndDialog(HWND dialog, INT_PTR result) {
  const auto info = plat::window::FindDialogInfo(dialog);
  if (info == nullptr) {
    if (IsWindow(dialog)) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->ended = true;
  info->result = result;
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr) EnableWindow(owner, TRUE);
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}
