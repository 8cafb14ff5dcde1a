// The tree view ("SysTreeView32"): styles, messages, notifications and the
// records they carry, in their documented 64-bit layouts.
#pragma once

#include <cstddef>

#include "platform/window/winuser.h"

inline constexpr const char16_t* WC_TREEVIEWW = u"SysTreeView32";

// An item of a tree view; never made, the handle names a node.
struct TREEITEM__ {};
using HTREEITEM = TREEITEM__*;

inline HTREEITEM TreeItemConstant(LONG_PTR value) { return reinterpret_cast<HTREEITEM>(value); }
inline const HTREEITEM TVI_ROOT = TreeItemConstant(-0x10000);
inline const HTREEITEM TVI_FIRST = TreeItemConstant(-0x0FFFF);
inline const HTREEITEM TVI_LAST = TreeItemConstant(-0x0FFFE);
inline const HTREEITEM TVI_SORT = TreeItemConstant(-0x0FFFD);

// Styles.
inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

// Messages.
inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
inline constexpr UINT TVM_EXPAND = TV_FIRST + 2;
inline constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
inline constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
inline constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
inline constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
inline constexpr UINT TVM_HITTEST = TV_FIRST + 17;
inline constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
inline constexpr UINT TVM_INSERTITEMW = TV_FIRST + 50;
inline constexpr UINT TVM_GETITEMW = TV_FIRST + 62;
inline constexpr UINT TVM_SETITEMW = TV_FIRST + 63;

// Item fields (TVITEMW.mask) and states.
inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
inline constexpr UINT TVIF_CHILDREN = 0x0040;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_BOLD = 0x0010;
inline constexpr UINT TVIS_EXPANDED = 0x0020;
inline constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
// TVM_EXPAND.
inline constexpr UINT TVE_COLLAPSE = 0x0001;
inline constexpr UINT TVE_EXPAND = 0x0002;
inline constexpr UINT TVE_TOGGLE = 0x0003;
// TVM_GETNEXTITEM and TVM_SELECTITEM.
inline constexpr UINT TVGN_ROOT = 0x0000;
inline constexpr UINT TVGN_NEXT = 0x0001;
inline constexpr UINT TVGN_PREVIOUS = 0x0002;
inline constexpr UINT TVGN_PARENT = 0x0003;
inline constexpr UINT TVGN_CHILD = 0x0004;
inline constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
inline constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
inline constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
inline constexpr UINT TVGN_DROPHILITE = 0x0008;
inline constexpr UINT TVGN_CARET = 0x0009;
// TVM_HITTEST.
inline constexpr UINT TVHT_NOWHERE = 0x0001;
inline constexpr UINT TVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT TVHT_ONITEMINDENT = 0x0008;
inline constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
inline constexpr UINT TVHT_ONITEMRIGHT = 0x0020;

// Notifications and how a selection came about (NMTREEVIEWW.action).
inline constexpr UINT TVN_FIRST = 0u - 400u;
inline constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;
inline constexpr UINT TVN_SELCHANGINGW = TVN_FIRST - 50;
inline constexpr UINT TVN_SELCHANGEDW = TVN_FIRST - 51;
inline constexpr UINT TVN_ITEMEXPANDINGW = TVN_FIRST - 54;
inline constexpr UINT TVN_ITEMEXPANDEDW = TVN_FIRST - 55;
inline constexpr UINT TVN_DELETEITEMW = TVN_FIRST - 58;
inline constexpr UINT TVC_UNKNOWN = 0x0000;
inline constexpr UINT TVC_BYMOUSE = 0x0001;
inline constexpr UINT TVC_BYKEYBOARD = 0x0002;

struct TVITEMW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
using LPTVITEMW = TVITEMW*;

struct TVITEMEXW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
  int iIntegral;
  UINT uStateEx;
  HWND hwnd;
  int iExpandedImage;
  int iReserved;
};

struct TVINSERTSTRUCTW {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  union {
    TVITEMEXW itemex;
    TVITEMW item;
  };
};
using LPTVINSERTSTRUCTW = TVINSERTSTRUCTW*;

struct TVHITTESTINFO {
  POINT pt;
  UINT flags;
  HTREEITEM hItem;
};

// TVN_SELCHANGING, TVN_SELCHANGED, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED,
// TVN_DELETEITEM.
struct NMTREEVIEWW {
  NMHDR hdr;
  UINT action;
  TVITEMW itemOld;
  TVITEMW itemNew;
  POINT ptDrag;
};
using LPNMTREEVIEWW = NMTREEVIEWW*;

#pragma pack(push, 1)
// TVN_KEYDOWN: byte-packed, as the record has always been laid out.
struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
#pragma pack(pop)

static_assert(offsetof(TVITEMW, hItem) == 8 && offsetof(TVITEMW, lParam) == 48 && offsetof(TVINSERTSTRUCTW, item) == 16);
static_assert(offsetof(NMTREEVIEWW, itemOld) == 32 && offsetof(NMTREEVIEWW, itemNew) == 88);
static_assert(offsetof(NMTREEVIEWW, ptDrag) == 144 && offsetof(NMTVKEYDOWN, wVKey) == 24);
static_assert(sizeof(TVITEMW) == 56 && sizeof(TVITEMEXW) == 80 && sizeof(TVINSERTSTRUCTW) == 96);
static_assert(sizeof(TVHITTESTINFO) == 24 && sizeof(NMTREEVIEWW) == 152 && sizeof(NMTVKEYDOWN) == 30);
