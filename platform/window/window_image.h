// Pictures of windows for people: a window and its visible descendants
// painted through the normal paint cycle (or taken as the screen shows
// them) and composed from their surfaces into one image, written as a PNG
// file. With KESM_DUMP_WINDOWS naming a folder, every modal loop's window
// (dialogs, message boxes) is written there once it is first idle.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/window/winuser.h"

namespace plat::window {

// Paints the window and its visible descendants (frames, backgrounds,
// WM_PAINT) and composes them into a top-down image of the window's size,
// 0x00RRGGBB per pixel, lower siblings first. False for a handle that is
// not a window.
bool PaintWindowImage(HWND hwnd, std::vector<std::uint32_t>* pixels, SIZE* size);
bool WriteWindowPng(HWND hwnd, const std::filesystem::path& file);
// The window as the screen shows it now, nothing painted again: what its
// own painting outside WM_PAINT (GetDC) drew stays in the picture.
bool WriteShownWindowPng(HWND hwnd, const std::filesystem::path& file);
// Writes the window into the KESM_DUMP_WINDOWS folder when it is set, as
// "window-<process>-<count>.png".
void DumpShownWindow(HWND hwnd);

}  // namespace plat::window
