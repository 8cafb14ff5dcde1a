#include "ui/alerts/progress_window.h"

#include <array>

#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/context/context_names.h"
#include "ui/resource_dll.h"

namespace {

constexpr int kTextChars = 1025;

}  // namespace

HWND StartWindow(UCB* ucb, HWND /*unused*/, UINT messageId) {
  const HMODULE module = GetResDll(ucb);
  if (module == nullptr) return nullptr;
  const HWND window =
      CreateDialogParamW(module, MAKEINTRESOURCEW(kProgressDialogId), GetActiveWindow(), nullptr, 0);
  if (window == nullptr) return nullptr;
  std::array<WCHAR, kTextChars> text{};
  LoadStringFromResDll(ucb, messageId, text.data(), kTextChars, TRUE);
  SetWindowTextW(window, GetPrinterName(ucb));
  SetDlgItemTextW(window, kProgressTextItem, text.data());
  return window;
}

void EndWindow(UCB* /*ucb*/, HWND window) {
  if (window != nullptr) DestroyWindow(window);
}
