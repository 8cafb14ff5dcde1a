// Icons and cursors of modules as handles, one per resource for the life of
// the process (as shared icons are). Internal to platform/window/.
#pragma once

#include "platform/window/winuser.h"

namespace plat::window {

// The handle of a module's cursor (RT_GROUP_CURSOR) or icon (RT_GROUP_ICON)
// resource; null with the resource loader's last error when it has none.
HCURSOR ModuleCursor(HINSTANCE instance, LPCWSTR name);
HICON ModuleIcon(HINSTANCE instance, LPCWSTR name);

// What an icon or cursor handle of a module names: its module, type (12 or
// 14) and resource id; false for any other handle.
bool DescribeModuleImage(HICON handle, HINSTANCE* instance, WORD* type, WORD* id);

}  // namespace plat::window
