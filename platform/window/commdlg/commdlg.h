// The common file dialogs of "comdlg32.dll": GetOpenFileNameW and
// GetSaveFileNameW with the old-style (not Explorer) dialog, a caller's
// template and hook, and CommDlgExtendedError.
#pragma once

#include <cstddef>

#include "platform/window/winuser.h"

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The caller's description of a file dialog and, on success, its result.
struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;        // pairs of "name\0patterns\0", ended by an empty name
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;         // 1-based; 0 takes the first pair
  LPWSTR lpstrFile;           // initial name in, chosen path(s) out
  DWORD nMaxFile;             // characters
  LPWSTR lpstrFileTitle;      // the chosen name without its folder, or null
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;           // offset of the (first) name in lpstrFile
  WORD nFileExtension;        // offset of the extension past its dot
  LPCWSTR lpstrDefExt;        // appended (after a dot) to a name without one
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
using LPOPENFILENAMEW = OPENFILENAMEW*;
static_assert(sizeof(void*) != 8 || sizeof(OPENFILENAMEW) == 152);
static_assert(sizeof(void*) != 8 || offsetof(OPENFILENAMEW, Flags) == 96);
static_assert(sizeof(void*) != 8 || offsetof(OPENFILENAMEW, lpTemplateName) == 128);
// The size of the structure before its last three fields, which older
// callers pass.
inline constexpr DWORD OPENFILENAME_SIZE_VERSION_400W = offsetof(OPENFILENAMEW, pvReserved);

inline constexpr DWORD OFN_READONLY = 0x00000001u;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002u;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004u;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008u;
inline constexpr DWORD OFN_SHOWHELP = 0x00000010u;
inline constexpr DWORD OFN_ENABLEHOOK = 0x00000020u;
inline constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040u;
inline constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080u;
inline constexpr DWORD OFN_NOVALIDATE = 0x00000100u;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200u;
inline constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400u;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800u;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000u;
inline constexpr DWORD OFN_CREATEPROMPT = 0x00002000u;
inline constexpr DWORD OFN_SHAREAWARE = 0x00004000u;
inline constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000u;
inline constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000u;
inline constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000u;
inline constexpr DWORD OFN_NOLONGNAMES = 0x00040000u;
inline constexpr DWORD OFN_EXPLORER = 0x00080000u;
inline constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000u;
inline constexpr DWORD OFN_LONGNAMES = 0x00200000u;

// CommDlgExtendedError codes.
inline constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFFu;
inline constexpr DWORD CDERR_GENERALCODES = 0x0000u;
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001u;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002u;
inline constexpr DWORD CDERR_NOTEMPLATE = 0x0003u;
inline constexpr DWORD CDERR_NOHINSTANCE = 0x0004u;
inline constexpr DWORD CDERR_LOADSTRFAILURE = 0x0005u;
inline constexpr DWORD CDERR_FINDRESFAILURE = 0x0006u;
inline constexpr DWORD CDERR_LOADRESFAILURE = 0x0007u;
inline constexpr DWORD CDERR_LOCKRESFAILURE = 0x0008u;
inline constexpr DWORD CDERR_MEMALLOCFAILURE = 0x0009u;
inline constexpr DWORD CDERR_MEMLOCKFAILURE = 0x000Au;
inline constexpr DWORD CDERR_NOHOOK = 0x000Bu;
inline constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001u;
inline constexpr DWORD FNERR_INVALIDFILENAME = 0x3002u;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003u;

// The control ids of the old-style file dialog, which a caller's template
// keeps.
inline constexpr int kFileNameEditId = 1152;  // edt1
inline constexpr int kFileListId = 1120;      // lst1
inline constexpr int kFolderListId = 1121;    // lst2
inline constexpr int kFileTypeComboId = 1136;  // cmb1
inline constexpr int kDriveComboId = 1137;     // cmb2
inline constexpr int kFolderTextId = 1088;     // stc1: the current folder

// Shows the dialog and fills in the chosen file. FALSE when the user
// cancelled (CommDlgExtendedError 0) or on a failure, whose code
// CommDlgExtendedError then gives: CDERR_STRUCTSIZE for a size other than
// the structure's or OPENFILENAME_SIZE_VERSION_400W, CDERR_INITIALIZATION
// without a file buffer, CDERR_NOHINSTANCE or CDERR_NOTEMPLATE for a
// template flag without its module or name, CDERR_NOHOOK for the hook flag
// without a hook, CDERR_FINDRESFAILURE, CDERR_LOADRESFAILURE or
// CDERR_LOCKRESFAILURE for a template that cannot be had, CDERR_DIALOGFAILURE
// when the dialog cannot be made, and FNERR_BUFFERTOOSMALL when the result
// does not fit lpstrFile: its first character then holds the size needed,
// in characters.
BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn);
BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn);
// The code of the calling thread's last file dialog (0: none, or cancelled).
DWORD CommDlgExtendedError();
