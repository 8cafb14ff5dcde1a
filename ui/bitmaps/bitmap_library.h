// Pictures of the dialog pages: which of the context's two libraries holds
// a picture id (the resource DLL or the bitmap DLL), and loading it from
// there as a bitmap or as the device-independent picture itself.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// One range of picture ids and the library that holds them.
struct BMPLOADID {
  DWORD dwFirstId;       // 0 ends the table
  DWORD dwLastId;
  DWORD dwFromBitmapDll; // 1: the bitmap DLL, 0: the resource DLL
};

// The ranges, searched in order.
extern const BMPLOADID tblBmpLoadID[];

// The library that holds the picture id (loading it on first use); null
// for an id outside every range or a library that cannot be loaded.
HMODULE BitmapLibraryOf(UCB* ucb, UINT id);

// The picture as a bitmap (LoadBitmapW) from its library; null when there
// is none.
HBITMAP LoadBitmapFromResDll(UCB* ucb, UINT id);
// The picture's device-independent bytes (BITMAPINFOHEADER, colour table,
// pixels) as its library holds them, and their size; null when there is
// none. The bytes belong to the library.
const BYTE* LoadBitmapResource(UCB* ucb, UINT id, DWORD* bytes);
// A picture of the bitmap DLL by name.
HBITMAP LoadBitmapFromResDllByName(UCB* ucb, LPCWSTR name);
