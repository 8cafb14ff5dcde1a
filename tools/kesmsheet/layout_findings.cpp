#include "tools/kesmsheet/layout_findings.h"

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <regex>
#include <set>
#include <string_view>

#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "platform/text/utf.h"
#include "platform/window/commctrl.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/tables/alert_table.h"
#include "settings/tables/dialog_tables.h"
#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_lookup.h"
#include "ui/bitmaps/bitmap_info.h"
#include "ui/bitmaps/bitmap_library.h"
#include "ui/engine/painting_tables.h"
#include "ui/engine/table_correction.h"
#include "ui/resource_dll.h"

namespace kesmsheet {

const FindingKindInfo kFindingKinds[10] = {
    {FindingKind::kTooNarrow, "too narrow", true},
    {FindingKind::kOverlap, "overlap", true},
    {FindingKind::kOutside, "outside", true},
    {FindingKind::kPlaceholder, "placeholder", true},
    {FindingKind::kNoLabel, "no label", true},
    {FindingKind::kNoText, "no text", false},
    {FindingKind::kEmptyEntry, "empty entry", false},
    {FindingKind::kMissingString, "missing string", false},
    {FindingKind::kMissingPicture, "missing picture", false},
    {FindingKind::kFlatPicture, "flat picture", false},
};

const FindingKindInfo& InfoOf(FindingKind kind) { return kFindingKinds[static_cast<int>(kind)]; }

namespace {

std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

// Lower-case words of letters and digits: "&Paper size:" -> "paper size".
std::string Words(std::string_view text) {
  std::string words;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      words.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    } else if (c != '&' && !words.empty() && words.back() != ' ') {
      words.push_back(' ');
    }
  }
  while (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

// An identifier in words: "kdmUIModeChange" -> "ui mode change",
// "KPD_IDC_BASIC_WMID" -> "basic wmid"; its prefixes dropped.
std::string IdentifierWords(std::string_view name) {
  for (std::string_view prefix : {"KPD_", "IDC_", "IDD_", "CDT_"}) {
    if (name.substr(0, prefix.size()) == prefix) name.remove_prefix(prefix.size());
  }
  std::size_t start = 0;
  while (start < name.size() && std::islower(static_cast<unsigned char>(name[start]))) ++start;
  if (start == name.size()) start = 0;  // all lower case: a word itself
  std::string spaced;
  for (std::size_t i = start; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool upper = std::isupper(c) != 0;
    const bool wordStart = upper && i > start &&
                           (std::islower(static_cast<unsigned char>(name[i - 1])) ||
                            (i + 1 < name.size() && std::islower(static_cast<unsigned char>(name[i + 1]))));
    if (wordStart) spaced.push_back(' ');
    spaced.push_back(static_cast<char>(c));
  }
  return Words(spaced);
}

// The settings' and groups' identifiers of more than one word, in words
// (a one-word identifier spelled out is a plain word: "Copies").
const std::set<std::string>& IdentifierCaptions() {
  static const std::set<std::string> captions = [] {
    std::set<std::string> set;
    const auto add = [&set](std::string words) {
      if (words.find(' ') != std::string::npos) set.insert(std::move(words));
    };
    for (const SFCB& setting : fgSFCB) {
      if (setting.name != nullptr) add(IdentifierWords(Narrow(setting.name)));
    }
    for (const GK& group : fgGK) {
      if (group.keyword != nullptr) add(IdentifierWords(group.keyword));
    }
    return set;
  }();
  return captions;
}

std::u16string ClassOf(HWND window) {
  WCHAR name[64] = {};
  GetClassNameW(window, name, 64);
  std::u16string text = name;
  for (char16_t& c : text) c = static_cast<char16_t>(std::towlower(c));
  return text;
}

std::u16string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::string Name(HWND control) {
  const int id = GetDlgCtrlID(control);
  const std::u16string text = TextOf(control);
  std::string name = "control " + std::to_string(id);
  if (!text.empty()) name += " \"" + Narrow(text) + "\"";
  return name;
}

RECT RectIn(HWND control, HWND dialog) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// What a control is, for the checks: its class, its style's type and
// whether it is an item of the engine's table.
struct Control {
  HWND window;
  std::u16string cls;
  DWORD style;
  const ICB* item;
  bool is(const char16_t* name) const { return cls == name; }
  DWORD buttonType() const { return style & BS_TYPEMASK; }
  bool frame() const { return is(u"button") && buttonType() == BS_GROUPBOX; }
  bool check() const {
    const DWORD t = buttonType();
    return is(u"button") && (t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_RADIOBUTTON ||
                             t == BS_AUTORADIOBUTTON || t == BS_3STATE || t == BS_AUTO3STATE);
  }
  bool push() const { return is(u"button") && (buttonType() == 0 || buttonType() == 1); }
  bool staticText() const {
    const DWORD t = style & SS_TYPEMASK;
    return is(u"static") && (t == 0 || t == SS_CENTER || t == SS_RIGHT || t == SS_SIMPLE || t == 0x0C);
  }
  bool picture() const {
    const DWORD t = style & SS_TYPEMASK;
    return is(u"static") && (t == SS_BITMAP || t == SS_ICON);
  }
  // A spin stands on the edge of its number edit.
  bool spin() const { return is(u"msctls_updown32") || (is(u"scrollbar") && (style & 1) != 0); }
  bool showsText() const { return frame() ? false : check() || push() || staticText(); }
};

// How wide and tall the text is with the control's font, wrapped at width
// when wrap.
SIZE Measure(HWND control, const std::u16string& text, int width, bool wrap) {
  HDC dc = GetDC(control);
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  RECT r{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {r.right - r.left, r.bottom - r.top};
}

// The id of a control no code looks up.
constexpr int kUnnamedControl = 0xFFFF;

// Room a control's own parts leave its caption: the check square and its
// gap, a push button's edges, a frame's edges and a combo's button.
constexpr int kCheckRoom = 17;
constexpr int kPushEdges = 6;
constexpr int kFrameEdges = 16;
constexpr int kComboEdges = 6;

void CheckWidth(const Control& c, std::vector<Finding>& out, WORD tabId) {
  RECT client{};
  GetClientRect(c.window, &client);
  const int width = client.right, height = client.bottom;
  const std::u16string text = TextOf(c.window);
  const auto narrow = [&](const std::u16string& shown, int room, bool wrap) {
    if (shown.empty() || room <= 0) return;
    const SIZE need = Measure(c.window, shown, room, wrap);
    if (need.cx > room || (wrap && need.cy > height)) {
      out.push_back({tabId, FindingKind::kTooNarrow,
                     Name(c.window) + " needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) +
                         " px, has " + std::to_string(room) + "x" + std::to_string(height)});
    }
  };
  const bool multiLine = height >= 2 * Measure(c.window, u"Ag", 1000, false).cy;
  if (c.staticText()) narrow(text, width, multiLine);
  else if (c.check()) narrow(text, width - kCheckRoom, multiLine);
  else if (c.push()) narrow(text, width - kPushEdges, multiLine);
  else if (c.frame()) narrow(text, width - kFrameEdges, false);
  else if (c.is(u"combobox")) {
    const int room = width - GetSystemMetrics(SM_CXVSCROLL) - kComboEdges;
    const auto count = static_cast<int>(SendMessageW(c.window, CB_GETCOUNT, 0, 0));
    std::u16string widest;
    int widestPx = 0;
    for (int i = 0; i < count; ++i) {
      const auto length = SendMessageW(c.window, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
      if (length <= 0) continue;
      std::u16string entry(static_cast<std::size_t>(length) + 1, u'\0');
      SendMessageW(c.window, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
      entry.resize(static_cast<std::size_t>(length));
      const int px = Measure(c.window, entry, 1000, false).cx;
      if (px > widestPx) widestPx = px, widest = entry;
    }
    if (widestPx > room) {
      out.push_back({tabId, FindingKind::kTooNarrow,
                     Name(c.window) + " entry \"" + Narrow(widest) + "\" needs " + std::to_string(widestPx) +
                         " px, has " + std::to_string(room)});
    }
  }
}

// Whether an entry of the engine's owner-drawn list shows its option: that
// list is filled with empty texts and draws each entry from its option,
// the option's string (or, in a picture list, its picture).
bool DrawsOption(const Control& c, UCB* ucb, LRESULT data) {
  if (c.item == nullptr || c.item->kind != kCtlOwnerListBox || ucb == nullptr || data == LB_ERR) return false;
  const WORD option = LOWORD(static_cast<DWORD_PTR>(data));
  WCHAR text[4];
  if (option != 0 && LoadStringW(GetResDll(ucb), option, text, 4) > 0) return true;
  if (option == 0 || (c.item->flags & kIcbPictureList) == 0) return false;
  HBITMAP picture = LoadBitmapFromResDll(ucb, option);
  if (picture != nullptr) DeleteObject(picture);
  return picture != nullptr;
}

// Entries of a list or combo that show no text.
void CheckEntries(const Control& c, UCB* ucb, std::vector<Finding>& out, WORD tabId) {
  const bool combo = c.is(u"combobox");
  if (!combo && !c.is(u"listbox")) return;
  const bool owner = (c.style & (combo ? CBS_OWNERDRAWFIXED : LBS_OWNERDRAWFIXED)) != 0;
  const bool strings = (c.style & (combo ? CBS_HASSTRINGS : LBS_HASSTRINGS)) != 0;
  if (owner && !strings) return;  // drawn from data, not text
  const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const auto count = static_cast<int>(SendMessageW(c.window, countMessage, 0, 0));
  std::string empty;
  for (int i = 0; i < count; ++i) {
    if (SendMessageW(c.window, lengthMessage, static_cast<WPARAM>(i), 0) <= 0 &&
        !DrawsOption(c, ucb, SendMessageW(c.window, combo ? CB_GETITEMDATA : LB_GETITEMDATA, static_cast<WPARAM>(i), 0))) {
      empty += (empty.empty() ? "" : ", ") + std::to_string(i);
    }
  }
  if (!empty.empty()) out.push_back({tabId, FindingKind::kEmptyEntry, Name(c.window) + " entries " + empty});
}

bool NoOwnerCaption(WORD controlId) {
  for (const OWNERCTRLSTRING* row = OwnerCtrlStringResource; row->wControlId != 0; ++row) {
    if (row->wControlId == controlId) return row->wCaptionId == kNoOwnerCaption;
  }
  return false;
}

// Whether a text item's setting can show a text on any description: a
// text item shows the strings of its group's options, and the options of
// a setting's group are its value keywords; a setting none of whose value
// keywords names a text (an on/off switch, whose keywords name the values
// 0 and 1) leaves its text item empty whatever the description says.
bool CanShowText(HMODULE strings, const ICB* item) {
  if (item->pSFCB == nullptr) return true;
  for (const SP& value : fgSP) {
    WCHAR text[4];
    if (value.funcId == item->pSFCB->funcId && LoadStringW(strings, value.valueIndex, text, 4) > 0) return true;
  }
  return false;
}

// The pictures an owner-drawn picture button shows: its group's options
// that are not hidden and whose picture loads.
int ButtonPictures(UCB* ucb, const ICB* item) {
  const UiGroup* ui = item->pUiGroup;
  if (ucb == nullptr || ui == nullptr || (ui->type & (kUiPickOne | kUiPickMany)) == 0) return 0;
  int shown = 0;
  for (const UiOption* option = BkpdFirstOption(ucb->pBKPD, ui); option != nullptr;
       option = GetNextUiOption(ucb, ui, option)) {
    const ExclusiveItem* items = nullptr;
    const WORD id = GetOptionIdFromUiGroup(ucb, ui, option, &items);
    if (id == 0) break;
    if (items != nullptr && BKPDIsHideModeUI(ui, id, ucb)) continue;
    HBITMAP bitmap = LoadBitmapFromResDll(ucb, id);
    if (bitmap != nullptr) ++shown, DeleteObject(bitmap);
  }
  return shown;
}

// Where an engine item that shows nothing would take its text or picture
// from: its group in the description and the options the group offers
// (a text item shows its options' strings, a picture item their
// pictures), or the caption table that leaves a button without a caption.
// Said with the finding, so that it tells what the description or the
// resources lack.
std::string Source(UCB* ucb, const ICB* item, bool picture) {
  if (item->kind == kCtlPushButton && NoOwnerCaption(item->itemId)) {
    return "a button the caption table leaves without a caption, showing its group's pictures";
  }
  const GK* group = GetGKbyGroupID(item->groupId);
  const std::string name = group != nullptr && group->keyword != nullptr ? group->keyword
                                                                        : "group " + std::to_string(item->groupId);
  const UiGroup* ui = item->pUiGroup;
  if (ucb == nullptr || ui == nullptr) return name + " is not in the description";
  if ((ui->type & (kUiPickOne | kUiPickMany)) == 0) return name + " is a group without options";
  int options = 0, shown = 0;
  for (const UiOption* option = BkpdFirstOption(ucb->pBKPD, ui); option != nullptr;
       option = GetNextUiOption(ucb, ui, option)) {
    const WORD id = GetOptionIdFromUiGroup(ucb, ui, option, nullptr);
    if (id == 0) break;
    ++options;
    if (picture) {
      HBITMAP bitmap = LoadBitmapFromResDll(ucb, id);
      if (bitmap != nullptr) ++shown, DeleteObject(bitmap);
    } else {
      WCHAR text[4];
      if (LoadStringW(GetResDll(ucb), id, text, 4) > 0) ++shown;
    }
  }
  return name + " offers " + std::to_string(options) + " options, " + std::to_string(shown) +
         (picture ? " with a picture" : " with a text");
}

// A picture of one colour (or none at all) where the dialog shows one.
void CheckPicture(const Control& c, UCB* ucb, std::vector<Finding>& out, WORD tabId) {
  const bool engineDrawn = c.item != nullptr && (c.item->kind == kCtlBitmap || c.item->kind == kCtlIcon);
  if (!c.picture() && !engineDrawn) return;
  if (c.picture() && !engineDrawn) {
    const WPARAM type = (c.style & SS_TYPEMASK) == SS_BITMAP ? IMAGE_BITMAP : IMAGE_ICON;
    if (SendMessageW(c.window, STM_GETIMAGE, type, 0) == 0) {
      out.push_back({tabId, FindingKind::kMissingPicture, Name(c.window) + " shows no picture"});
      return;
    }
  }
  std::vector<std::uint32_t> pixels;
  SIZE size{};
  if (!plat::window::PaintWindowImage(c.window, &pixels, &size) || pixels.empty()) return;
  // The sunken edge is the control's, not the picture's.
  const int edge = (GetWindowLongW(c.window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0 ||
                           (c.style & 0x1000) != 0
                       ? 2
                       : 0;
  std::set<std::uint32_t> colours;
  for (int y = edge; y < size.cy - edge && colours.size() < 2; ++y) {
    for (int x = edge; x < size.cx - edge; ++x) colours.insert(pixels[static_cast<std::size_t>(y * size.cx + x)]);
  }
  if (colours.size() < 2) {
    out.push_back({tabId, FindingKind::kFlatPicture,
                   Name(c.window) + " is one colour" + (engineDrawn ? " (" + Source(ucb, c.item, true) + ")" : "")});
  }
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

void CheckPlacement(const std::vector<Control>& controls, HWND dialog, std::vector<Finding>& out, WORD tabId) {
  RECT client{};
  GetClientRect(dialog, &client);
  std::vector<RECT> rects;
  for (const Control& c : controls) rects.push_back(RectIn(c.window, dialog));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (!Inside(rects[i], client)) out.push_back({tabId, FindingKind::kOutside, Name(controls[i].window)});
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      RECT both{};
      if (!IntersectRect(&both, &rects[i], &rects[j])) continue;
      const Control &a = controls[i], &b = controls[j];
      if ((a.frame() && Inside(rects[j], rects[i])) || (b.frame() && Inside(rects[i], rects[j]))) continue;
      if ((a.spin() && b.is(u"edit")) || (b.spin() && a.is(u"edit"))) continue;
      out.push_back({tabId, FindingKind::kOverlap, Name(a.window) + " and " + Name(b.window)});
    }
  }
}

const ICB* ItemOf(const TCB* tab, HWND control) {
  if (tab == nullptr) return nullptr;
  const int id = GetDlgCtrlID(control);
  for (int i = 0; i < tab->itemCount; ++i) {
    if (tab->pICB[i].itemId == id) return &tab->pICB[i];
  }
  return nullptr;
}

// Whether the resource library's strings include the text (a caption that
// a string says is no identifier spelled out, whatever it looks like).
bool IsLibraryText(HMODULE strings, const std::u16string& caption) {
  static HMODULE read = nullptr;
  static std::set<std::string> texts;
  if (strings != read) {
    read = strings;
    texts.clear();
    WCHAR text[512];
    for (UINT id = 1; strings != nullptr && id < 0x10000; ++id) {
      if (LoadStringW(strings, id, text, 512) > 0) texts.insert(Words(Narrow(text)));
    }
  }
  return texts.count(Words(Narrow(caption))) != 0;
}

}  // namespace

bool IsMachineMadeCaption(const std::u16string& caption) {
  static const std::regex placeholder(R"(^\s*(item|option|radio ?list|button|static|check|frame|group)\s*\d+\s*:?\s*$)",
                                      std::regex::icase);
  const std::string text = Narrow(caption);
  return std::regex_match(text, placeholder) || IdentifierCaptions().count(Words(text)) != 0;
}

int InspectDialog(HWND dialog, WORD tabId, UCB* ucb, std::vector<Finding>& findings) {
  const TCB* tab = ucb != nullptr ? GetTCBbyTabID(ucb, tabId) : nullptr;
  HMODULE strings = ucb != nullptr ? GetResDll(ucb) : nullptr;
  std::vector<Control> shown;
  std::vector<HWND> extensions;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const Control c{child, ClassOf(child), static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), ItemOf(tab, child)};
    if (c.is(u"#32770")) extensions.push_back(child);  // a file dialog's extension: its own siblings
    const std::u16string text = TextOf(child);
    if (!text.empty() && (c.showsText() || c.frame()) && IsMachineMadeCaption(text) &&
        !IsLibraryText(strings, text)) {
      findings.push_back({tabId, FindingKind::kPlaceholder, Name(child)});
    }
    if (!IsWindowVisible(child)) continue;
    shown.push_back(c);
    // A sunken text item shows a value, which may be empty (a name not
    // given); a label with an id of its own is filled by the code that
    // shows the dialog (the progress window's message).
    const bool valueField = c.item != nullptr && c.item->kind == kCtlText4;
    const bool filledByCode = c.item == nullptr && c.staticText() && GetDlgCtrlID(child) != kUnnamedControl;
    const bool neverText = c.item != nullptr && c.staticText() && !CanShowText(strings, c.item);
    if (c.showsText() && text.empty() && !valueField && !filledByCode && !neverText &&
        (c.style & SS_TYPEMASK) != SS_OWNERDRAW) {
      findings.push_back({tabId, c.item != nullptr ? FindingKind::kNoText : FindingKind::kNoLabel,
                          Name(child) + (c.item != nullptr ? " (" + Source(ucb, c.item, false) + ")" : "")});
    }
    CheckWidth(c, findings, tabId);
    CheckEntries(c, ucb, findings, tabId);
    CheckPicture(c, ucb, findings, tabId);
    if (c.item != nullptr && c.item->kind == kCtlPushButton && c.buttonType() == BS_OWNERDRAW &&
        NoOwnerCaption(c.item->itemId) && ButtonPictures(ucb, c.item) == 0) {
      findings.push_back({tabId, FindingKind::kFlatPicture,
                          Name(child) + " shows no picture (" + Source(ucb, c.item, true) + ")"});
    }
  }
  CheckPlacement(shown, dialog, findings, tabId);
  int count = static_cast<int>(shown.size());
  for (HWND extension : extensions) count += InspectDialog(extension, tabId, ucb, findings);
  return count;
}

void CheckTableIds(UCB* ucb, std::vector<Finding>& findings) {
  HMODULE strings = GetResDll(ucb);
  const auto missing = [strings](UINT id) {
    WCHAR text[4];
    return id != 0 && id != kCdtNoText && LoadStringW(strings, id, text, 4) <= 0;
  };
  const auto note = [&findings](WORD tabId, FindingKind kind, const std::string& what) {
    findings.push_back({tabId, kind, what});
  };
  for (const TCB& tab : fgTCB) {
    std::set<const CDT*> lists;
    for (int i = 0; i < tab.itemCount; ++i) {
      const ICB& item = tab.pICB[i];
      const std::string control = "control " + std::to_string(item.itemId);
      if (missing(item.popupId)) note(tab.tabId, FindingKind::kMissingString, control + " pop-up " + std::to_string(item.popupId));
      if (missing(item.hintId)) note(tab.tabId, FindingKind::kMissingString, control + " hint " + std::to_string(item.hintId));
      const GK* group = GetGKbyGroupID(item.groupId);
      const SFCB* setting = group != nullptr && group->funcId != 0 ? GetSFCBbyFuncID(ucb, group->funcId) : nullptr;
      if (setting == nullptr || setting->valueList == nullptr || !lists.insert(setting->valueList).second) continue;
      // A list ends at a zero string id. Only the first section is read:
      // which lists hold a second one (for the other orientation) no
      // record says, and reading past a list's end is not safe.
      for (const CDT* entry = setting->valueList; entry->strId != 0; ++entry) {
        if (missing(entry->strId)) {
          note(tab.tabId, FindingKind::kMissingString,
               control + " value " + std::to_string(entry->value) + " string " + std::to_string(entry->strId));
        }
      }
    }
  }
  for (const AP& alert : fgAP) {
    if (missing(alert.messageId)) note(0, FindingKind::kMissingString, "alert " + std::to_string(alert.alertId) + " message " + std::to_string(alert.messageId));
    if (missing(alert.titleId)) note(0, FindingKind::kMissingString, "alert " + std::to_string(alert.alertId) + " title " + std::to_string(alert.titleId));
  }
  for (const BITMAPINFOROW* row = GetBitmapInfoList(); row != nullptr && row->wBitmapId != 0; ++row) {
    HBITMAP picture = LoadBitmapFromResDll(ucb, row->wBitmapId);
    if (picture == nullptr) note(0, FindingKind::kMissingPicture, "picture " + std::to_string(row->wBitmapId));
    else DeleteObject(picture);
  }
}

}  // namespace kesmsheet
