// Dialog layout records: one tab block (TCB) per property page or dialog and
// one item control block (ICB) per dialog control. The static tables are
// never written; each printer context works on copies, whose run-time fields
// (window handles, status bits, the bound UI group) belong to that context.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/setting_table.h"

struct UiGroup;  // a UI group of the compiled description

// Control kinds: the key of the item function table.
enum ControlKind : WORD {
  kCtlText1 = 1,
  kCtlBitmap = 2,
  kCtlIcon = 3,
  kCtlText4 = 4,
  kCtlPushButton = 21,
  kCtlCheckBox = 22,
  kCtlSpin = 23,
  kCtlCustomButton = 24,
  kCtlRadioList = 41,
  kCtlListBox = 42,
  kCtlComboBox = 43,
  kCtlOwnerListBox = 47,
  kCtlOwnerComboBox = 48,
  kCtlMultiListBox = 49,
  kCtlPresetListBox = 50,
  kCtlEditText = 61,
  kCtlEditNum = 63,
  kCtlVSpin = 81,
  kCtlHScrollbar = 82,
  kCtlHScrollbarArrows = 84,
  kCtlTrackbar = 85,
  kCtlTabControl = 104,
  kCtlTreeView = 105,
};

// Item flags set by the static tables.
inline constexpr DWORD kIcbSizeItem = 0x80000000;  // shows a length in the display unit

struct ICB {
  WORD groupId;            // group keyword id; shared by the controls of one setting
  WORD itemId;             // control id; for a radio button also the option id it selects
  WORD kind;               // ControlKind
  WORD kindItemId;         // 0 in the tables; binding puts the control id here
  WORD helpId;             // help context id
  WORD popupId;            // hover pop-up string id, 0 none
  WORD hintId;             // string id shown for a constraint-disabled choice, 0 none
  WORD linkId;             // control driven or shown by this one; for a picture the radio group
  WORD builtInId;          // built-in function run after a change, 0 none
  const UiGroup* pUiGroup; // bound at run time
  SFCB* pSFCB;             // setting the control edits, null for none
  void* pfnSavedWndProc;   // window procedure replaced by subclassing, run time
  const void* pClassData;  // custom-control data, first WORD is its class type
  DWORD flags;
  WORD status;             // bits 0-1 hidden state, 2-3 disabled state, run time
  HWND hWnd;               // run time
};

// Tab kind bits.
inline constexpr DWORD kTabDocumentPage = 0x0001;
inline constexpr DWORD kTabPrinterPage = 0x0002;
inline constexpr DWORD kTabSubDialog = 0x0004;
inline constexpr DWORD kTabPresetSheetPage = 0x0010;
inline constexpr DWORD kTabUserQualityPage = 0x0020;
inline constexpr DWORD kTabFileOpen = 0x0100;
inline constexpr DWORD kTabSetFileOpenSave = 0x0200;
inline constexpr DWORD kTabBitmapRefer = 0x0400;
inline constexpr DWORD kTabOverlaySave = 0x0800;
inline constexpr DWORD kTabOverlayRefer = 0x1000;
inline constexpr DWORD kTabSetFileSave = 0x2000;
// Set on the picture-file dialog 4003 while it looks for a colour profile.
inline constexpr DWORD kTabProfileRefer = 0x4000;
inline constexpr DWORD kTabMidFileFolder = 0x8000;

struct TCB {
  WORD tabId;              // dialog template id
  WORD groupId;            // the tab's group keyword id
  DWORD kind;              // kTab* bits
  LPCSTR keyword;          // "KPD_IDD_..." or a file-dialog keyword
  DWORD helpId;            // help context of the page, 0 none
  ICB* pICB;
  WORD reserved;
  WORD itemCount;
  HWND hWnd;               // page window, run time
};

// Counted head of the tab records.
struct TL {
  SHORT count;
  TCB* pTCB;
};

inline constexpr int kTabCount = 63;
inline constexpr int kItemCount = 1114;

extern const TCB fgTCB[kTabCount];
extern const TL fgTL;
