// Export tables of the system libraries the stand-in implements itself.
// Private to the module services.
#pragma once

#include <span>

#include "platform/modules/winmodule.h"

namespace plat {

// The user-profile library "UserEnv.dll".
std::span<const BuiltinExport> UserEnvExports();
// The spooler's library "spoolss.dll" (platform/spooler/spoolss.h).
std::span<const BuiltinExport> SpoolssExports();
// The common property-sheet host "compstui.dll" (platform/compstui/).
std::span<const BuiltinExport> CompstuiExports();
// The common dialogs' library "comdlg32.dll" (platform/window/commdlg/)
// and its resource table (the default dialog templates and texts).
std::span<const BuiltinExport> ComDlgExports();
const void* ComDlgResources();

}  // namespace plat
