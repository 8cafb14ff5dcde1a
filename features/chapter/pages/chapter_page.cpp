// The chapter dialog: the user types the pages that start chapters, picks
// the kind, tray and print choice, and adds them to the chapter list; the
// cover-and-insert page shows the same list read-only; the cover dialogs'
// tray choices mark the device's default trays. The module's pages' entries
// of the module table (pages/page_rows.cpp).
#include <algorithm>
#include <array>
#include <string>

#include "features/chapter/chapter_edit.h"
#include "features/chapter/chapter_store.h"
#include "features/chapter_blocks.h"
#include "features/option/tray_strings.h"
#include "features/custom_modules.h"
#include "features/module_table/module_entries.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/derived_settings.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/constraints/fixed_switches.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/kinds/list_kinds.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/refresh.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"

namespace {

constexpr WORD kDialogChapter = 1044;
constexpr WORD kPageCoverMark = 1042;
constexpr WORD kListChapters = 2800;
constexpr WORD kListShown = 2813;
constexpr WORD kEditPages = 2776;
constexpr WORD kComboTray = 2771;
constexpr WORD kComboKind = 3730;
constexpr WORD kComboPrint = 3731;
constexpr WORD kButtonDelete = 2802;
constexpr WORD kCheckChapter = 2726;

constexpr WORD kFuncSelectChapter = 69;
constexpr WORD kFuncDefaultSource = 13;
constexpr LONG_PTR kSourceAuto = 7;
constexpr WORD kFuncChapterNum = 833;
constexpr WORD kFuncChapterKind = 839;
constexpr WORD kFuncChapterTray = 840;
constexpr WORD kFuncChapterPrint = 841;

constexpr WORD kBuiltInAdd = 300;
constexpr WORD kBuiltInDelete = 301;
constexpr WORD kBuiltInDeleteAll = 302;

// The cover dialogs and their tray choices: the choice, the BidiFunc bit
// that tells the device reported its default tray, that default tray's
// setting and the mark put after the tray.
constexpr std::array<WORD, 4> kCoverDialogs = {1030, 1031, 1043, 4014};
struct CoverTrayChoice {
  WORD itemId;
  DWORD bidiBit;
  WORD defaultTray;
  UINT mark;
};
constexpr std::array<CoverTrayChoice, 4> kCoverTrayChoices = {{
    {2440, 1, 10276, 916},
    {2752, 1, 10276, 916},
    {2443, 2, 10277, 911},
    {2846, 64, 10288, 919},
}};
constexpr const char16_t* kMarkGap = u"   ";

// The marks of the chapter tray choice, tried in order: the device's
// chapter default tray n (when at least n distinct chapter trays are
// allowed and BidiFunc holds the bit), or a tray in separator mask n.
struct ChapterTrayMark {
  WORD defaultTray;
  DWORD bidiBit;
  WORD separatorMask;
  UINT mark;
};
constexpr std::array<ChapterTrayMark, 3> kChapterTrayMarks = {{
    {10278, 4, 10285, 912},
    {10279, 8, 10286, 913},
    {10280, 16, 10287, 914},
}};
// Every chapter tray mark when the model shows no chapter tray numbers.
constexpr UINT kChapterTrayMarkPlain = 921;
constexpr WORD kFuncChapterTrayMax = 832;

constexpr int kPageTextChars = 513;
constexpr WORD kStatusDisableMask = 0x000C;
constexpr WORD kStatusDisabled = 0x0004;

// The texts of a chapter line's kind and print columns, by value.
constexpr std::array<UINT, 3> kKindTexts = {906, 907, 908};
constexpr std::array<UINT, 3> kPrintTexts = {915, 909, 910};
// A placeholder line per block; the line draws its block.
constexpr const char16_t* kPlaceholder = u"ABCDEFG";
// Where the columns start, in 320ths of the line's left plus right.
constexpr std::array<int, 4> kColumnLines = {18, 42, 142, 246};

std::u16string Number(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

HWND DialogWindow(const UCB* ucb, WORD dialogId) {
  const TCB* tcb = GetTCBbyTabID(ucb, dialogId);
  return tcb != nullptr ? tcb->hWnd : nullptr;
}

std::u16string Text(const UCB* ucb, UINT id) {
  std::array<WCHAR, 256> text{};
  LoadStringFromResDll(ucb, id, text.data(), static_cast<int>(text.size()), FALSE);
  return text.data();
}

// --- The kind, tray and print choices ----------------------------------

// The mark after a chapter tray, or 0.
UINT ChapterTrayMarkOf(UCB* ucb, const CDT& entry) {
  const LONG_PTR allowed = GetDevmodeValueDirectByFuncID(ucb, kFuncChapterTrayMax, nullptr);
  const DWORD bidi = GetKDMBidiFunc(ucb);
  const DWORD trayBit = DWORD{1} << (GetTrayIDbyStringID(entry.strId) % 32);
  for (std::size_t n = 0; n < kChapterTrayMarks.size(); ++n) {
    const ChapterTrayMark& m = kChapterTrayMarks[n];
    const bool reported = allowed > static_cast<LONG_PTR>(n) && (bidi & m.bidiBit) != 0 &&
                          GetDevmodeValueDirectByFuncID(ucb, m.defaultTray, nullptr) == static_cast<LONG_PTR>(entry.value);
    const auto separators = static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, m.separatorMask, nullptr));
    if (reported || (separators & trayBit) != 0) return IsNotViewChapterAttributeTrayNum() ? kChapterTrayMarkPlain : m.mark;
  }
  return 0;
}

// The choice holds the options of the setting's value list, each under its
// string id, and shows the setting's value; the chapter trays carry their
// marks; a value the list lacks (a tray
// never chosen is 0) becomes the first option, so that a chapter never
// takes a tray the choice does not show.
void FillChoice(UCB* ucb, ICB* icb) {
  if (icb->hWnd == nullptr || icb->pSFCB == nullptr || icb->pSFCB->valueList == nullptr) return;
  SendMessageW(icb->hWnd, CB_RESETCONTENT, 0, 0);
  const LONG_PTR value = GetDevmodeValueBySFCB(ucb, icb->pSFCB);
  bool shown = false;
  for (const CDT* entry = icb->pSFCB->valueList; entry->strId != 0; ++entry) {
    std::u16string text = Text(ucb, entry->strId);
    if (icb->pSFCB->funcId == kFuncChapterTray) {
      if (const UINT mark = ChapterTrayMarkOf(ucb, *entry); mark != 0) text += kMarkGap + Text(ucb, mark);
    }
    const LRESULT line = SendMessageW(icb->hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (line < 0) continue;
    SendMessageW(icb->hWnd, CB_SETITEMDATA, static_cast<WPARAM>(line), entry->strId);
    if (static_cast<LONG_PTR>(entry->value) != value) continue;
    SendMessageW(icb->hWnd, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
    shown = true;
  }
  if (shown || icb->pSFCB->valueList->strId == 0) return;
  SetDevmodeValueDirect(ucb, icb->pSFCB, static_cast<LONG_PTR>(icb->pSFCB->valueList->value));
  SendMessageW(icb->hWnd, CB_SETCURSEL, 0, 0);
}

// --- The cover tray choices --------------------------------------------

// The choice holds the trays of its description group; the tray the device
// reported as its default for the choice carries the choice's mark.
void UcfCoverInitChoiceTray(UCB* ucb, ICB* icb, const CoverTrayChoice& choice) {
  lists::FillFromGroup(ucb, icb, lists::kNoLimit);
  if (icb->hWnd != nullptr && icb->pSFCB != nullptr && (GetKDMBidiFunc(ucb) & choice.bidiBit) != 0) {
    const LONG_PTR reported = GetDevmodeValueDirectByFuncID(ucb, choice.defaultTray, nullptr);
    const auto count = static_cast<int>(SendMessageW(icb->hWnd, CB_GETCOUNT, 0, 0));
    for (int line = 0; line < count; ++line) {
      const WORD option = lists::OptionOfEntry(icb, line);
      if (ConvertResIDToDevmodeValue(ucb, icb->pSFCB, option) != reported) continue;
      const std::u16string text = lists::EntryText(icb, line) + kMarkGap + Text(ucb, choice.mark);
      SendMessageW(icb->hWnd, CB_DELETESTRING, static_cast<WPARAM>(line), 0);
      SendMessageW(icb->hWnd, CB_INSERTSTRING, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.c_str()));
      SendMessageW(icb->hWnd, CB_SETITEMDATA, static_cast<WPARAM>(line), option);
    }
  }
  lists::ShowCurrentValue(ucb, icb, false);
}

INT_PTR UCF_Cover(UCB* ucb, ICB* icb, UINT message) {
  if (icb == nullptr || message != WM_INITDIALOG) return 0;
  const auto choice = std::find_if(kCoverTrayChoices.begin(), kCoverTrayChoices.end(),
                                   [&](const CoverTrayChoice& c) { return c.itemId == icb->itemId; });
  if (choice == kCoverTrayChoices.end()) return 0;
  UcfCoverInitChoiceTray(ucb, icb, *choice);
  return 1;
}

// --- The chapter list ------------------------------------------------------

HWND ListWindow(const UCB* ucb) {
  const HWND dialog = DialogWindow(ucb, kDialogChapter);
  return dialog != nullptr ? GetDlgItem(dialog, kListChapters) : nullptr;
}

void Select(HWND list, int line) {
  if (list == nullptr) return;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::max(line, 0)), 0);
  InvalidateRect(list, nullptr, TRUE);
}

int SelectedLine(HWND list) {
  return list != nullptr ? static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)) : -1;
}

void FillChapterList(UCB* ucb, ICB* icb) {
  if (icb->hWnd == nullptr) return;
  SendMessageW(icb->hWnd, LB_RESETCONTENT, 0, 0);
  ValidateChapterInfo(ucb);
  const int capacity = GetChapterCapacity(ucb);
  for (int i = 0; i < capacity; ++i) {
    SendMessageW(icb->hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kPlaceholder));
  }
  Select(icb->hWnd, 0);
}

// The texts of line i: its number, and for a used block its page and kind,
// and for a sheet from a tray its tray and print choice.
std::array<std::u16string, 5> LineTexts(UCB* ucb, int line) {
  std::array<std::u16string, 5> texts;
  texts[0] = Number(line + 1);
  const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, line);
  if (block == nullptr || block->page == 0) return texts;
  texts[1] = Number(block->page);
  if (block->breakFlag < kKindTexts.size()) texts[2] = Text(ucb, kKindTexts[block->breakFlag]);
  if (block->breakFlag != 0) return texts;
  const LONG_PTR name = ConvertDevmodeValueToResID(ucb, GetSFCBbyFuncID(ucb, kFuncChapterTray), block->tray);
  if (name > 0) texts[3] = Text(ucb, static_cast<UINT>(name));
  if (block->mode < kPrintTexts.size()) texts[4] = Text(ucb, kPrintTexts[block->mode]);
  return texts;
}

void UpdateChapterList(UCB* ucb, const TCB* tcb, const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1) || item.hDC == nullptr) return;
  const bool shown = tcb != nullptr && tcb->tabId == kPageCoverMark;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const ROWCOLOURS colours = OwnerRowColours(shown, selected);
  const COLORREF back = GetSysColor(colours.back);
  const COLORREF fore = GetSysColor(colours.fore);
  const COLORREF oldBack = SetBkColor(item.hDC, back);
  const COLORREF oldFore = SetTextColor(item.hDC, fore);
  const RECT& r = item.rcItem;
  ExtTextOutW(item.hDC, r.left, r.top, ETO_OPAQUE, &r, u"", 0, nullptr);
  const int w = r.left + r.right;
  const std::array<std::u16string, 5> texts = LineTexts(ucb, static_cast<int>(item.itemID));
  SIZE size{};
  GetTextExtentPoint32W(item.hDC, u"0", 1, &size);
  const int y = r.top + std::max(0, (r.bottom - r.top - size.cy) / 2);
  for (std::size_t c = 0; c < texts.size(); ++c) {
    const int left = c == 0 ? r.left : w * kColumnLines[c - 1] / 320;
    const int right = c + 1 < texts.size() ? w * kColumnLines[c] / 320 - 1 : r.right;
    const RECT cell{left, r.top, right, r.bottom};
    ExtTextOutW(item.hDC, left + 1, y, ETO_OPAQUE | ETO_CLIPPED, &cell, texts[c].c_str(),
                static_cast<UINT>(texts[c].size()), nullptr);
    if (c + 1 < texts.size()) {
      MoveToEx(item.hDC, right, r.top, nullptr);
      LineTo(item.hDC, right, r.bottom);
    }
  }
  MoveToEx(item.hDC, r.left, r.bottom - 1, nullptr);
  LineTo(item.hDC, r.right, r.bottom - 1);
  if (item.itemAction == ODA_FOCUS || (item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &r);
  SetBkColor(item.hDC, oldBack);
  SetTextColor(item.hDC, oldFore);
}

// --- Built-ins ----------------------------------------------------------------

void Refuse(UCB* ucb, HWND dialog, UINT message) {
  _ShowAlertMsgEx11(ucb, dialog, message);
  if (dialog != nullptr) SetFocus(GetDlgItem(dialog, kEditPages));
  if (HWND list = ListWindow(ucb)) InvalidateRect(list, nullptr, TRUE);
}

void AddTypedPages(UCB* ucb) {
  const HWND dialog = DialogWindow(ucb, kDialogChapter);
  if (dialog == nullptr) return;
  std::array<WCHAR, kPageTextChars> text{};
  GetDlgItemTextW(dialog, kEditPages, text.data(), kPageTextChars);
  ChapterPages pages;
  UINT refusal = GetChapterPageRange(text.data(), GetChapterCapacity(ucb), pages);
  if (refusal == 0) {
    const ChapterChoice choice{
        static_cast<BYTE>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterKind, nullptr)),
        static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterTray, nullptr)),
        static_cast<BYTE>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterPrint, nullptr))};
    refusal = SetChapterData(ucb, pages, choice);
  }
  if (refusal != 0) {
    Refuse(ucb, dialog, refusal);
    return;
  }
  Select(ListWindow(ucb), GetDevChapterData(ucb) - 1);
}

// The count the dialog's first deletion changed, for Cancel to give back.
void KeepCountBeforeDeletion(CHAPTERWORK* work, int before) {
  if (work == nullptr || work->countSaved != 0) return;
  work->savedCount = before;
  work->countSaved = 1;
}

void DeleteSelected(UCB* ucb, CHAPTERWORK* work) {
  const HWND dialog = DialogWindow(ucb, kDialogChapter);
  if (_ShowAlertMsgEx12(ucb, dialog, kChapterMsgDeleteOne) != IDOK) return;
  HWND list = ListWindow(ucb);
  const int line = SelectedLine(list);
  int before = 0;
  if (!DeleteChapterData(ucb, line, &before)) return;
  KeepCountBeforeDeletion(work, before);
  Select(list, line < GetDevChapterData(ucb) ? line : line - 1);
}

void DeleteAll(UCB* ucb, CHAPTERWORK* work) {
  const HWND dialog = DialogWindow(ucb, kDialogChapter);
  if (_ShowAlertMsgEx12(ucb, dialog, kChapterMsgDeleteAll) != IDOK) return;
  int before = 0;
  DeleteAllChapterData(ucb, &before);
  KeepCountBeforeDeletion(work, before);
  Select(ListWindow(ucb), 0);
}

// --- Messages -----------------------------------------------------------------

// Switching chapters on while the job's paper source is one of the
// chapter trays is told; the switch still goes on.
void WarnChapterOnSource(UCB* ucb, const TCB* tcb, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED || tcb == nullptr || tcb->hWnd == nullptr) return;
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncSelectChapter, nullptr) != 0) return;
  const LONG_PTR source = GetDevmodeValueDirectByFuncID(ucb, kFuncDefaultSource, nullptr);
  if (source == kSourceAuto) return;
  for (int i = 0;; ++i) {
    const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, i);
    if (block == nullptr) return;
    if (block->tray == source) break;
  }
  _ShowAlertMsgEx11(ucb, tcb->hWnd, kChapterMsgUsesSource);
}

INT_PTR UCF_Chapter(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (icb == nullptr) return 0;
  const WORD id = icb->itemId;
  switch (message) {
    case WM_INITDIALOG:
      if (id == kListChapters || id == kListShown) {
        FillChapterList(ucb, icb);
        return 1;
      }
      if (id == kComboTray || id == kComboKind || id == kComboPrint) {
        FillChoice(ucb, icb);
        return 1;
      }
      if (id == kEditPages && icb->hWnd != nullptr) SetWindowTextW(icb->hWnd, u"");
      return 0;
    case WM_DRAWITEM: {
      if (id != kListChapters && id != kListShown) return 0;
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlID != id) return 0;
      UpdateChapterList(ucb, tcb, *item);
      return 1;
    }
    case WM_COMMAND:
      if (id == kListChapters && LOWORD(wParam) == id && HIWORD(wParam) == LBN_SELCHANGE) {
        RefreshDialog(ucb, tcb, 0);
        return 1;
      }
      if (id == kCheckChapter && LOWORD(wParam) == id) WarnChapterOnSource(ucb, tcb, wParam);
      return 0;
    default:
      return 0;
  }
}

// The module's procedure: the cover dialogs, the chapter dialog and the
// cover-and-mark page.
INT_PTR PageProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (ucb == nullptr || tcb == nullptr || ucb->pWork == nullptr) return 0;
  if (tcb->tabId == kDialogChapter || tcb->tabId == kPageCoverMark) {
    return UCF_Chapter(ucb, tcb, icb, message, wParam, lParam);
  }
  if (std::find(kCoverDialogs.begin(), kCoverDialogs.end(), tcb->tabId) != kCoverDialogs.end()) {
    return UCF_Cover(ucb, icb, message);
  }
  return 0;
}

// Built-ins 300 (add the typed pages), 301 (delete the selected chapter)
// and 302 (delete all); 0 for other ids.
int PageBuiltIn(UCB* ucb, WORD id, CHAPTERWORK* work) {
  switch (id) {
    case kBuiltInAdd:
      AddTypedPages(ucb);
      return 1;
    case kBuiltInDelete:
      DeleteSelected(ucb, work);
      return 1;
    case kBuiltInDeleteAll:
      DeleteAll(ucb, work);
      return 1;
    default:
      return 0;
  }
}

// Code 3 for the delete button: disabled without a selected chapter; every
// request for the button is the module's.
int DeleteButtonState(UCB* ucb, void* parameter) {
  auto* query = static_cast<ICBDISABLEQUERY*>(parameter);
  if (query == nullptr || query->icb == nullptr || query->itemId != kButtonDelete) return 0;
  const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, SelectedLine(ListWindow(ucb)));
  if (block == nullptr || block->page == 0) {
    query->icb->status = static_cast<WORD>((query->icb->status & ~kStatusDisableMask) | kStatusDisabled);
    query->handled = 1;
  }
  return 1;
}

// Code 25: OK of the chapter dialog derives the distinct trays, Cancel gives
// back the count its first deletion changed.
int DialogClosed(UCB* ucb, void* parameter, CHAPTERWORK* work) {
  const auto* closed = static_cast<const CustomDialogClosed*>(parameter);
  if (closed == nullptr || closed->tcb == nullptr || closed->tcb->tabId != kDialogChapter) return 0;
  if (closed->id == IDOK) SetDevChapterData(ucb);
  if (closed->id == IDCANCEL && work != nullptr && work->countSaved != 0) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, work->savedCount);
  }
  if (work != nullptr) work->countSaved = 0;
  return 1;
}

}  // namespace

INT_PTR ChapterProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  return PageProcedure(ucb, tcb, icb, message, wParam, lParam);
}

int ChapterPageBuiltInFunc(UCB* ucb, WORD id, void* work) {
  if (PageBuiltIn(ucb, id, static_cast<CHAPTERWORK*>(work)) != 0) return 1;
  return ChapterBuiltInFunc(ucb, id, work);
}

int ChapterPageFunction(UCB* ucb, DWORD code, void* parameter, void* work) {
  if (ucb != nullptr && code == kCustomDisableState) return DeleteButtonState(ucb, parameter);
  if (ucb != nullptr && code == kCustomDialogClosed) return DialogClosed(ucb, parameter, static_cast<CHAPTERWORK*>(work));
  return ChapterFunction(ucb, code, parameter, work);
}
