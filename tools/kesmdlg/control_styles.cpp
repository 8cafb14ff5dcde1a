// The kinds' classes and styles. A kind's row gives what a new control gets;
// the requirement rows give what the handlers of that kind cannot do without
// (a check box the engine reads must check itself, a list whose selection
// the engine follows must notify, and so on).
#include "tools/kesmdlg/control_styles.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "tools/kesmrc/dialog_statement.h"

namespace kesmdlg {
namespace {

// Documented style values.
constexpr std::uint32_t SS_LEFT = 0x0000, SS_ICON = 0x0003, SS_BITMAP = 0x000E, SS_SUNKEN = 0x1000;
constexpr std::uint32_t BS_PUSHBUTTON = 0x0, BS_AUTOCHECKBOX = 0x3, BS_GROUPBOX = 0x7, BS_AUTORADIOBUTTON = 0x9,
                        BS_OWNERDRAW = 0xB, BS_TYPEMASK = 0xF;
constexpr std::uint32_t SBS_HORZ = 0x0, SBS_VERT = 0x1;
constexpr std::uint32_t LBS_NOTIFY = 0x1, LBS_MULTIPLESEL = 0x8, LBS_OWNERDRAWFIXED = 0x10,
                        LBS_HASSTRINGS = 0x40, LBS_NOINTEGRALHEIGHT = 0x100;
constexpr std::uint32_t kOwnerList = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
constexpr std::uint32_t CBS_DROPDOWNLIST = 0x3, CBS_OWNERDRAWFIXED = 0x10, CBS_HASSTRINGS = 0x200;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x80;
constexpr std::uint32_t WS_VSCROLL = 0x00200000, WS_BORDER = 0x00800000;
constexpr std::uint32_t LVS_REPORT = 0x1, LVS_SINGLESEL = 0x4, LVS_SHOWSELALWAYS = 0x8, LVS_OWNERDRAWFIXED = 0x400;
constexpr std::uint32_t TVS_HASBUTTONS = 0x1, TVS_HASLINES = 0x2, TVS_LINESATROOT = 0x4, TVS_SHOWSELALWAYS = 0x20;
constexpr std::uint32_t TBS_AUTOTICKS = 0x1;

constexpr std::uint32_t kTab = kWsTabStop;
constexpr std::uint32_t kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | kTab;

// In kind order.
constexpr KindStyle kKinds[] = {
    {1, "Static", SS_LEFT},
    {2, "Static", SS_BITMAP | SS_SUNKEN},
    {3, "Static", SS_ICON},
    {4, "Static", SS_LEFT | SS_SUNKEN},
    {21, "Button", BS_PUSHBUTTON | kTab},
    {22, "Button", BS_AUTOCHECKBOX | kTab},
    {23, "ScrollBar", SBS_VERT},
    {24, "Button", BS_OWNERDRAW | kTab},
    {41, "Button", BS_AUTORADIOBUTTON},
    {42, "ListBox", kList},
    {43, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | kTab},
    {47, "ListBox", kList | kOwnerList},
    {48, "ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | kTab},
    {49, "ListBox", kList | LBS_MULTIPLESEL | kOwnerList},
    {50, "ListBox", kList | kOwnerList},
    {61, "Edit", ES_AUTOHSCROLL | WS_BORDER | kTab},
    // No ES_NUMBER: a number edit also takes the decimal point of a length
    // in inches; the engine filters its characters itself.
    {63, "Edit", ES_AUTOHSCROLL | WS_BORDER | kTab},
    {81, "ScrollBar", SBS_VERT},
    {82, "ScrollBar", SBS_HORZ | kTab},
    {84, "ScrollBar", SBS_HORZ | kTab},
    {85, "msctls_trackbar32", TBS_AUTOTICKS | kTab},
    {104, "SysTabControl32", kTab},
    {105, "SysTreeView32", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | kTab},
    {kLabel, "Static", SS_LEFT},
    {kFrame, "Button", BS_GROUPBOX},
    {kButton, "Button", BS_PUSHBUTTON | kTab},
};

// What a kind's handlers need. `mask` selects the bits compared with `bits`;
// the class must match when one is named.
struct Requirement {
  std::uint32_t kind;
  std::string_view className;
  std::uint32_t mask;
  std::uint32_t bits;
  std::string_view need;
};
constexpr Requirement kRequirements[] = {
    {22, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX, "a Button with BS_AUTOCHECKBOX"},
    {41, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, "a Button with BS_AUTORADIOBUTTON"},
    {42, "ListBox", LBS_NOTIFY, LBS_NOTIFY, "a ListBox with LBS_NOTIFY"},
    {47, "ListBox", LBS_NOTIFY, LBS_NOTIFY, "a ListBox with LBS_NOTIFY"},
    {49, "ListBox", LBS_NOTIFY | kOwnerList, LBS_NOTIFY | kOwnerList,
     "a ListBox with LBS_NOTIFY, LBS_OWNERDRAWFIXED and LBS_HASSTRINGS"},
    {50, "ListBox", LBS_NOTIFY | kOwnerList, LBS_NOTIFY | kOwnerList,
     "a ListBox with LBS_NOTIFY, LBS_OWNERDRAWFIXED and LBS_HASSTRINGS"},
    {48, "ComboBox", CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
     "a ComboBox with CBS_OWNERDRAWFIXED and CBS_HASSTRINGS"},
    {23, "ScrollBar", SBS_VERT, SBS_VERT, "a ScrollBar with SBS_VERT"},
    {81, "ScrollBar", SBS_VERT, SBS_VERT, "a ScrollBar with SBS_VERT"},
};

// The tray list is a list view although its kind is that of a tree.
constexpr std::uint32_t kTrayListId = 2166;

struct ExtraName {
  std::string_view name;
  std::uint32_t value;
};
// Names the resource compiler does not know, sorted.
constexpr ExtraName kExtraNames[] = {
    {"LVS_OWNERDRAWFIXED", LVS_OWNERDRAWFIXED}, {"LVS_REPORT", LVS_REPORT},
    {"LVS_SHOWSELALWAYS", LVS_SHOWSELALWAYS},   {"LVS_SINGLESEL", LVS_SINGLESEL},
    {"SS_SUNKEN", SS_SUNKEN},                   {"TBS_AUTOTICKS", TBS_AUTOTICKS},
    {"TVS_HASBUTTONS", TVS_HASBUTTONS},         {"TVS_HASLINES", TVS_HASLINES},
    {"TVS_LINESATROOT", TVS_LINESATROOT},       {"TVS_SHOWSELALWAYS", TVS_SHOWSELALWAYS},
};

}  // namespace

std::optional<std::uint32_t> StyleName(std::string_view name) {
  std::string upper(name);
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (auto v = kesmrc::StyleValue(upper)) return v;
  const auto* it = std::lower_bound(std::begin(kExtraNames), std::end(kExtraNames), upper,
                                    [](const ExtraName& e, const std::string& n) { return e.name < n; });
  if (it != std::end(kExtraNames) && it->name == upper) return it->value;
  return std::nullopt;
}

const KindStyle* DefaultsOf(std::uint32_t kind) {
  const auto* it = std::lower_bound(std::begin(kKinds), std::end(kKinds), kind,
                                    [](const KindStyle& k, std::uint32_t v) { return k.kind < v; });
  return it != std::end(kKinds) && it->kind == kind ? it : nullptr;
}

bool SameClass(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

std::string ClassOf(const Control& c) {
  if (!c.className.empty()) return c.className;
  const KindStyle* k = DefaultsOf(c.kind);
  return k ? std::string(k->className) : std::string();
}

std::uint32_t StyleOf(const Control& c, bool firstOfRadioGroup) {
  const KindStyle* k = DefaultsOf(c.kind);
  std::uint32_t style = c.style ? *c.style : (k ? k->style : 0);
  if (!c.style && firstOfRadioGroup) style |= kWsGroup | kWsTabStop;
  return style | kWsChild | kWsVisible;
}

std::string StyleProblem(const Control& c, std::string_view className, std::uint32_t style,
                         bool firstOfRadioGroup) {
  if (c.id == kTrayListId && c.item && !SameClass(className, "SysListView32")) {
    return "the tray list must be a SysListView32, not " + std::string(className);
  }
  for (const Requirement& r : kRequirements) {
    if (r.kind != c.kind) continue;
    if (!SameClass(className, r.className) || (style & r.mask) != r.bits) {
      return "kind " + std::to_string(c.kind) + " needs " + std::string(r.need);
    }
  }
  if (c.kind == 41 && firstOfRadioGroup && !(style & kWsGroup)) {
    return "the first button of a radio group needs WS_GROUP";
  }
  return {};
}

}  // namespace kesmdlg
