// The status interface of the printer maker's port-monitor library, shared
// by the driver and the stand-in library the tests install. The library
// exports one function that fills a record whose first two 32-bit words are
// its own, followed by eight operations. Handles it gives out are 32-bit
// numbers.
//
// Device answers are input. Items are arrays of 32-bit little-endian
// entries; the text items (the system version, item 8, and category 15's
// emulation version and other information, sub-items 2 and 259) are ANSI
// text in the process code page, not necessarily terminated within their
// size; the model name is UTF-16 text in a buffer of 33 characters.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

inline constexpr const WCHAR* kBidiLibraryNT = u"tv4manNT.dll";
inline constexpr const WCHAR* kBidiLibrary9x = u"tvoman32.dll";
inline constexpr const char* kBidiInitializeName = "TalvoInitializeBidiApiW";

// The last errors the library leaves that still count as an answer: 102
// after a status request or a category open that is still on its way, 5
// after a size probe of a category item.
inline constexpr DWORD kBidiPending = 102;
inline constexpr DWORD kBidiProbeDenied = 5;

// Status request masks.
inline constexpr DWORD kBidiMaskFull = 0x2011C;
inline constexpr DWORD kBidiMaskVersion = 0x104;

// Items of a status response.
inline constexpr DWORD kBidiItemTrays = 1;
inline constexpr DWORD kBidiItemOptions = 2;
inline constexpr DWORD kBidiItemSystemVersion = 8;
inline constexpr DWORD kBidiItemMemory = 11;
inline constexpr DWORD kBidiItemTrayPaper = 20;
inline constexpr DWORD kBidiItemTrayMedia = 21;
inline constexpr DWORD kBidiItemTrayState = 23;

// Category 15 and its sub-items.
inline constexpr DWORD kBidiCategoryUnique = 15;
inline constexpr DWORD kBidiSubEmulationVersion = 2;
inline constexpr DWORD kBidiSubMemoryType = 258;
inline constexpr DWORD kBidiSubOther = 259;

// The size of the model-name buffer, in characters.
inline constexpr DWORD kBidiModelNameChars = 33;

// Slot 0: the printer handle and an ok word; non-zero when opened.
using PFNBIDIOPENPRINTER = BOOL(WINAPI*)(LPCWSTR printerName, DWORD* printer, DWORD* ok);
// Slot 1.
using PFNBIDICLOSEPRINTER = BOOL(WINAPI*)(DWORD printer);
// Slot 2: a response handle for the items of the mask.
using PFNBIDIREQUESTSTATUS = BOOL(WINAPI*)(DWORD printer, DWORD* response, DWORD mask, DWORD* word);
// Slot 3: a handle for one category; the last argument is 1.
using PFNBIDIOPENCATEGORY = BOOL(WINAPI*)(DWORD printer, DWORD* category, DWORD number, DWORD one);
// Slot 4: the device's model name into a buffer of `chars` characters.
using PFNBIDIGETMODELNAME = BOOL(WINAPI*)(DWORD printer, DWORD zero, LPWSTR buffer, DWORD chars);
// Slot 5 is not called.
using PFNBIDIUNUSED = BOOL(WINAPI*)();
// Slot 6: the number of entries written, -1 on failure. A null buffer of
// size 0 is a size probe: *needed gets the bytes the item takes.
using PFNBIDIGETITEM = LONG(WINAPI*)(DWORD response, DWORD item, LPVOID buffer, DWORD bytes, DWORD* needed);
// Slot 7: non-zero on success; the probe works as for slot 6.
using PFNBIDIGETCATEGORYITEM = BOOL(WINAPI*)(DWORD category, DWORD number, DWORD subItem, LPVOID buffer,
                                             DWORD bytes, DWORD* needed);

struct BIDIAPIEX2 {
  DWORD reserved[2];  // the library's own
  PFNBIDIOPENPRINTER pfnOpenPrinter;
  PFNBIDICLOSEPRINTER pfnClosePrinter;
  PFNBIDIREQUESTSTATUS pfnRequestStatus;
  PFNBIDIOPENCATEGORY pfnOpenCategory;
  PFNBIDIGETMODELNAME pfnGetModelName;
  PFNBIDIUNUSED pfnUnused;
  PFNBIDIGETITEM pfnGetItem;
  PFNBIDIGETCATEGORYITEM pfnGetCategoryItem;
};
static_assert(offsetof(BIDIAPIEX2, pfnOpenPrinter) == 8);
static_assert(offsetof(BIDIAPIEX2, pfnGetCategoryItem) == 8 + 7 * sizeof(void*));
static_assert(sizeof(BIDIAPIEX2) == 8 + 8 * sizeof(void*));

using PFNBIDIINITIALIZE = BOOL(WINAPI*)(BIDIAPIEX2* api);
