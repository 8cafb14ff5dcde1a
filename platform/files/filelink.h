// Links on the machine's drive (a symbolic link standing for a file or a
// folder, as a junction or symbolic link does on NTFS). The file services
// follow links as the host does; code that walks folders and must not step
// through one asks here first.
#pragma once

#include "platform/base/wintypes.h"

namespace plat {

// Whether the last component of a Windows path is a link itself, rather
// than the file or folder it leads to. False when the path cannot be
// resolved.
bool IsLink(LPCWSTR windowsPath);

}  // namespace plat
