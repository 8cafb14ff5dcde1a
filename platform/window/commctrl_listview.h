// The list view ("SysListView32"): styles, messages, notifications and the
// records they carry, in their documented 64-bit layouts.
#pragma once

#include <cstddef>

#include "platform/window/winuser.h"

inline constexpr const char16_t* WC_LISTVIEWW = u"SysListView32";

// Styles.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_SORTDESCENDING = 0x0020;
inline constexpr DWORD LVS_NOLABELWRAP = 0x0080;
inline constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;
inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;

// Messages.
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
inline constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
inline constexpr UINT LVM_SUBITEMHITTEST = LVM_FIRST + 57;
inline constexpr UINT LVM_GETITEMW = LVM_FIRST + 75;
inline constexpr UINT LVM_SETITEMW = LVM_FIRST + 76;
inline constexpr UINT LVM_INSERTITEMW = LVM_FIRST + 77;
inline constexpr UINT LVM_FINDITEMW = LVM_FIRST + 83;
inline constexpr UINT LVM_GETCOLUMNW = LVM_FIRST + 95;
inline constexpr UINT LVM_SETCOLUMNW = LVM_FIRST + 96;
inline constexpr UINT LVM_INSERTCOLUMNW = LVM_FIRST + 97;
inline constexpr UINT LVM_GETITEMTEXTW = LVM_FIRST + 115;
inline constexpr UINT LVM_SETITEMTEXTW = LVM_FIRST + 116;

// Item fields (LVITEMW.mask) and states.
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_CUT = 0x0004;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;
// LVM_GETNEXTITEM.
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVNI_ABOVE = 0x0100;
inline constexpr UINT LVNI_BELOW = 0x0200;
// LVM_GETITEMRECT.
inline constexpr LONG LVIR_BOUNDS = 0;
inline constexpr LONG LVIR_ICON = 1;
inline constexpr LONG LVIR_LABEL = 2;
inline constexpr LONG LVIR_SELECTBOUNDS = 3;
// LVM_HITTEST.
inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
// LVM_FINDITEMW.
inline constexpr UINT LVFI_PARAM = 0x0001;
inline constexpr UINT LVFI_STRING = 0x0002;
inline constexpr UINT LVFI_PARTIAL = 0x0008;
inline constexpr UINT LVFI_WRAP = 0x0020;
// Columns.
inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// Notifications.
inline constexpr UINT LVN_FIRST = 0u - 100u;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;
// NMITEMACTIVATE.uKeyFlags.
inline constexpr UINT LVKF_ALT = 0x0001;
inline constexpr UINT LVKF_CONTROL = 0x0002;
inline constexpr UINT LVKF_SHIFT = 0x0004;

struct LVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
  int iGroupId;
  UINT cColumns;
  UINT* puColumns;
  int* piColFmt;
  int iGroup;
};
using LPLVITEMW = LVITEMW*;

struct LVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
  int cxMin;
  int cxDefault;
  int cxIdeal;
};
using LPLVCOLUMNW = LVCOLUMNW*;

struct LVFINDINFOW {
  UINT flags;
  LPCWSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};

struct LVHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
  int iSubItem;
  int iGroup;
};

// LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_INSERTITEM, LVN_DELETEITEM,
// LVN_DELETEALLITEMS.
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
using LPNMLISTVIEW = NMLISTVIEW*;

// NM_CLICK and NM_DBLCLK of a list view.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

#pragma pack(push, 1)
// LVN_KEYDOWN: byte-packed, as the record has always been laid out.
struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
#pragma pack(pop)
using LPNMLVKEYDOWN = NMLVKEYDOWN*;

static_assert(sizeof(NMHDR) == 24);
static_assert(sizeof(LVITEMW) == 88 && sizeof(LVCOLUMNW) == 56);
static_assert(sizeof(LVFINDINFOW) == 40 && sizeof(LVHITTESTINFO) == 24);
static_assert(offsetof(LVITEMW, pszText) == 24 && offsetof(LVITEMW, lParam) == 40 && offsetof(LVCOLUMNW, pszText) == 16);
static_assert(offsetof(NMLISTVIEW, iItem) == 24 && offsetof(NMLISTVIEW, lParam) == 56);
static_assert(offsetof(NMITEMACTIVATE, uKeyFlags) == 64 && offsetof(NMLVKEYDOWN, wVKey) == 24);
static_assert(sizeof(NMLISTVIEW) == 64 && sizeof(NMITEMACTIVATE) == 72 && sizeof(NMLVKEYDOWN) == 30);
