// The system classes of the machine, one row each. A class whose controls
// are not built yet keeps the default procedure, so that its windows exist,
// answer by name and take the default handling.
#include <iterator>

#include "platform/window/controls/controls.h"
#include "platform/window/window_class.h"
#include "platform/window/winuser_dialogs.h"

namespace plat::window {
namespace {

constexpr WORD kArrow = 32512;
constexpr WORD kBeam = 32513;

constexpr SystemClassRow kSystemClasses[] = {
    {u"Button", 0, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, ButtonWindowProc, kButtonExtra, kArrow, 0},
    {u"Static", 0, CS_DBLCLKS | CS_PARENTDC, StaticWindowProc, kStaticExtra, kArrow, 0},
    {u"Edit", 0, CS_DBLCLKS | CS_PARENTDC, EditWindowProc, kEditExtra, kBeam, 0},
    {u"ListBox", 0, CS_DBLCLKS | CS_PARENTDC, ListBoxWindowProc, kRecordExtra, kArrow, 0},
    {u"ComboBox", 0, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, ComboBoxWindowProc, kRecordExtra, kArrow, 0},
    {u"ComboLBox", 0, CS_DBLCLKS | CS_SAVEBITS, DefWindowProcW, 0, kArrow, 0},
    {u"ScrollBar", 0, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, ScrollBarWindowProc, kRecordExtra, kArrow, 0},
    {u"MDIClient", 0, 0, DefWindowProcW, 0, kArrow, COLOR_APPWORKSPACE + 1},
    {u"#32768", 32768, CS_DBLCLKS | CS_SAVEBITS, DefWindowProcW, 0, kArrow, 0},  // menus
    {u"#32770", 32770, CS_DBLCLKS | CS_SAVEBITS, DefDlgProcW, DLGWINDOWEXTRA, kArrow, COLOR_3DFACE + 1},
};

}  // namespace

SystemClassTable SystemClasses() { return SystemClassTable{std::size(kSystemClasses), kSystemClasses}; }

}  // namespace plat::window
