// Events the bidi code offers the feature modules, and their records. The
// out fields are preset to what stands when no module answers.
#pragma once

#include "platform/base/wintypes.h"

// {state bits, index, out answer}: whether the tray is the chapter default
// tray (index 0) or a default tray of chapter separator 1-3.
inline constexpr DWORD kCustomBidiChapterTray = 8;
struct CustomBidiChapterTray {
  DWORD bits;
  DWORD index;
  DWORD answer;
};
// {state bits, default-tray value, the BidiFunc bits}: set a chapter
// default tray.
inline constexpr DWORD kCustomBidiSetChapterTray = 9;
struct CustomBidiSetChapterTray {
  DWORD bits;
  DWORD defTray;
  DWORD* bidiFunc;
};
// No record: reset the chapter default trays.
inline constexpr DWORD kCustomBidiResetChapterTrays = 10;
// {window, out result}: ask the user and perhaps run the query.
inline constexpr DWORD kCustomBidiStart = 17;
struct CustomBidiStart {
  HWND window;
  BOOL result;
};
// {out flag}: whether tray details (paper, media, state) are wanted.
inline constexpr DWORD kCustomBidiTrayDetails = 21;
struct CustomBidiTrayDetails {
  DWORD wanted;
};
// No record: the device's answer was converted.
inline constexpr DWORD kCustomBidiConverted = 22;
