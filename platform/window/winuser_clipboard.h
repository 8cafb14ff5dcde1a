// The clipboard: one for the machine's processes here, a process-wide set
// of blocks by format. A thread opens it, the data it sets belongs to the
// clipboard from then on (the handle must not be freed), and it closes it.
// Formats are kept as given; none is made from another.
#pragma once

#include "platform/window/winuser.h"

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

// FALSE with ERROR_ACCESS_DENIED while another thread has it open.
BOOL OpenClipboard(HWND owner);
// These fail with ERROR_CLIPBOARD_NOT_OPEN unless the calling thread opened it.
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

namespace plat::window {
// Empties the clipboard and closes it, for a test's fresh start.
void ResetClipboard();
}  // namespace plat::window
