// Helpers the window calls share across their files. Internal to
// platform/window/. None of them may be called with the lock held.
#pragma once

#include "platform/window/window_object.h"

namespace plat::window {

// Asks the window for its client area (WM_NCCALCSIZE) and keeps it.
void RecalculateClient(HWND hwnd);
// WM_SIZE with the client size; WM_MOVE with the client origin in the
// parent's client coordinates.
void SendSize(HWND hwnd);
void SendMove(HWND hwnd);
// Takes focus, capture and activation away from a window and its
// descendants before they are destroyed.
void ReleaseInputOf(HWND hwnd);
// Lets go of every key and button the calling thread injected and forgets
// its last press.
void ForgetInjectedInput();
// The destruction messages and unlinking of a window and its descendants.
void DestroyTree(HWND hwnd);
// Marks the whole client area of a window and of its visible descendants
// for painting (with erase), and their frames.
void InvalidateTree(HWND hwnd);
// Marks an area of a window's client (client coordinates) for painting.
void InvalidateArea(HWND hwnd, RECT area, bool erase);
// Makes the window the active one of its thread (top-level windows only).
HWND Activate(HWND hwnd, WORD how);

// Paints the window's frame, caption and client edge (active or inactive
// caption colours) on its window DC.
void PaintNonClient(HWND hwnd, bool active);

// The character a key-down gives with the thread's shift, control and
// caps-lock state (the machine's US keyboard), or 0 for none.
WCHAR CharacterOf(UINT virtualKey, LPARAM keyData);

}  // namespace plat::window
