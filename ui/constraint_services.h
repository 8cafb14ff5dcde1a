// What the constraint engine asks of the dialog engine while it runs a
// description's actions: the built-in functions an action may name, and
// the focus an alert's answer moves. Configuration library only: the
// rendering library stores a built-in action like any setting and has no
// pages.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Built-in function numbers with a meaning of their own; every other number
// goes to the feature modules.
inline constexpr WORD kBuiltInPaperAreas = 1;   // recompute the source and destination paper areas
inline constexpr WORD kBuiltInSavePreset = 2;   // ask the pages to save the settings as a new preset
inline constexpr DWORD kRequestSavePreset = 0x10000000;

// Runs a built-in function of the configuration library; nothing without a
// context.
void KesmUiCoreBuiltInFunc(UCB* ucb, WORD id);

// Moves the keyboard focus to a control of an open property page, as the
// page's own keyboard navigation would; nothing when the page has no such
// control.
void FocusPageControl(HWND page, WORD controlId);
// Sets the text of a control of an open property page; nothing when the
// page has no such control.
void SetPageControlText(HWND page, WORD controlId, LPCWSTR text);
