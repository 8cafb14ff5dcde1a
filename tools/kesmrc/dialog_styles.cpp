// The style names a resource script may use, one table sorted by name.
#include <algorithm>
#include <array>
#include <string_view>

#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "tools/kesmrc/dialog_statement.h"

namespace kesmrc {
namespace {

struct StyleName {
  std::string_view name;
  std::uint32_t value;
};

constexpr StyleName kStyles[] = {
    {"BS_3STATE", BS_3STATE},
    {"BS_AUTO3STATE", BS_AUTO3STATE},
    {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
    {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
    {"BS_CHECKBOX", BS_CHECKBOX},
    {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
    {"BS_GROUPBOX", BS_GROUPBOX},
    {"BS_LEFTTEXT", BS_LEFTTEXT},
    {"BS_OWNERDRAW", BS_OWNERDRAW},
    {"BS_PUSHBUTTON", BS_PUSHBUTTON},
    {"BS_RADIOBUTTON", BS_RADIOBUTTON},
    {"CBS_AUTOHSCROLL", CBS_AUTOHSCROLL},
    {"CBS_DROPDOWN", CBS_DROPDOWN},
    {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
    {"CBS_HASSTRINGS", CBS_HASSTRINGS},
    {"CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED},
    {"CBS_OWNERDRAWVARIABLE", CBS_OWNERDRAWVARIABLE},
    {"CBS_SIMPLE", CBS_SIMPLE},
    {"CBS_SORT", CBS_SORT},
    {"DS_3DLOOK", DS_3DLOOK},
    {"DS_CENTER", DS_CENTER},
    {"DS_CONTEXTHELP", DS_CONTEXTHELP},
    {"DS_CONTROL", DS_CONTROL},
    {"DS_FIXEDSYS", DS_FIXEDSYS},
    {"DS_MODALFRAME", DS_MODALFRAME},
    {"DS_NOFAILCREATE", DS_NOFAILCREATE},
    {"DS_SETFONT", DS_SETFONT},
    {"DS_SHELLFONT", DS_SHELLFONT},
    {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
    {"ES_AUTOVSCROLL", ES_AUTOVSCROLL},
    {"ES_CENTER", ES_CENTER},
    {"ES_LEFT", ES_LEFT},
    {"ES_LOWERCASE", ES_LOWERCASE},
    {"ES_MULTILINE", ES_MULTILINE},
    {"ES_NUMBER", ES_NUMBER},
    {"ES_PASSWORD", ES_PASSWORD},
    {"ES_READONLY", ES_READONLY},
    {"ES_RIGHT", ES_RIGHT},
    {"ES_UPPERCASE", ES_UPPERCASE},
    {"ES_WANTRETURN", ES_WANTRETURN},
    {"LBS_EXTENDEDSEL", LBS_EXTENDEDSEL},
    {"LBS_HASSTRINGS", LBS_HASSTRINGS},
    {"LBS_MULTICOLUMN", LBS_MULTICOLUMN},
    {"LBS_MULTIPLESEL", LBS_MULTIPLESEL},
    {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
    {"LBS_NOTIFY", LBS_NOTIFY},
    {"LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED},
    {"LBS_OWNERDRAWVARIABLE", LBS_OWNERDRAWVARIABLE},
    {"LBS_SORT", LBS_SORT},
    {"LBS_WANTKEYBOARDINPUT", LBS_WANTKEYBOARDINPUT},
    {"SBS_HORZ", SBS_HORZ},
    {"SBS_VERT", SBS_VERT},
    {"SS_BITMAP", SS_BITMAP},
    {"SS_CENTER", SS_CENTER},
    {"SS_ICON", SS_ICON},
    {"SS_LEFT", SS_LEFT},
    {"SS_NOTIFY", SS_NOTIFY},
    {"SS_OWNERDRAW", SS_OWNERDRAW},
    {"SS_RIGHT", SS_RIGHT},
    {"SS_SIMPLE", SS_SIMPLE},
    {"WS_BORDER", WS_BORDER},
    {"WS_CAPTION", WS_CAPTION},
    {"WS_CHILD", WS_CHILD},
    {"WS_CLIPCHILDREN", WS_CLIPCHILDREN},
    {"WS_CLIPSIBLINGS", WS_CLIPSIBLINGS},
    {"WS_DISABLED", WS_DISABLED},
    {"WS_DLGFRAME", WS_DLGFRAME},
    {"WS_EX_DLGMODALFRAME", WS_EX_DLGMODALFRAME},
    {"WS_EX_NOPARENTNOTIFY", WS_EX_NOPARENTNOTIFY},
    {"WS_GROUP", WS_GROUP},
    {"WS_HSCROLL", WS_HSCROLL},
    {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX},
    {"WS_MINIMIZEBOX", WS_MINIMIZEBOX},
    {"WS_OVERLAPPED", WS_OVERLAPPED},
    {"WS_POPUP", WS_POPUP},
    {"WS_SYSMENU", WS_SYSMENU},
    {"WS_TABSTOP", WS_TABSTOP},
    {"WS_THICKFRAME", WS_THICKFRAME},
    {"WS_VISIBLE", WS_VISIBLE},
    {"WS_VSCROLL", WS_VSCROLL},
};

constexpr bool Sorted() {
  for (std::size_t i = 1; i < std::size(kStyles); ++i) {
    if (!(kStyles[i - 1].name < kStyles[i].name)) return false;
  }
  return true;
}
static_assert(Sorted(), "the style names are kept sorted for the search");

}  // namespace

std::optional<std::uint32_t> StyleValue(std::string_view upperName) {
  const auto* it = std::lower_bound(std::begin(kStyles), std::end(kStyles), upperName,
                                    [](const StyleName& s, std::string_view n) { return s.name < n; });
  if (it == std::end(kStyles) || it->name != upperName) return std::nullopt;
  return it->value;
}

}  // namespace kesmrc
