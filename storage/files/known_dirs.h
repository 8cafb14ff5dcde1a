// The directories the storage code builds its paths from, as text; each is
// empty when it cannot be had. Internal to storage/; the public forms that
// fill callers' buffers are in storage/files/directories.h and
// storage/files/dummy_dir.h.
#pragma once

#include <functional>
#include <string>

#include "platform/base/wintypes.h"

struct UCB;

namespace storage {

std::u16string SystemDirectory();
std::u16string WindowsDirectory();
// The folder of the printer driver's files, with a trailing "\".
std::u16string DriverDirectory(HANDLE printer);
// The dummy system directory of a printer (override or default location).
std::u16string DummyDirectory(HANDLE printer);
// The default location: the system drive's root followed by "_kesm".
std::u16string DefaultDummyDirectory();
// The shared directory of INI and set files: the dummy system directory on
// Windows 2000 and later, else the system directory.
std::u16string SharedDirectory(HANDLE printer);
// The per-user directory of a context, and without one.
std::u16string ProfileDirectory(UCB* ucb);
std::u16string ProfileDirectoryWithoutUcb();
// The user's profile folder as the user-profile library reports it.
std::u16string UserProfileDirectory();

// directory, "\" (unless it ends in one) and name.
std::u16string JoinPath(std::u16string_view directory, std::u16string_view name);

// Calls visit(path of the entry, whether it is a folder) for every entry of
// the folder except "." and ".." and links, which are never followed.
// FALSE when the folder is itself a link or cannot be listed.
BOOL ForEachFolderEntry(LPCWSTR folder, const std::function<void(const std::u16string&, bool)>& visit);

}  // namespace storage
