// Reading and atomically rewriting profile files. Internal to platform/.
#pragma once

#include <functional>
#include <optional>

#include "platform/profile/inifile.h"
#include "platform/base/wintypes.h"

namespace plat::profile {

// The file's text, or nullopt with the last error set when it is missing
// or cannot be read (a handle refusing shared reading holds it, say).
std::optional<ini::Document> Read(LPCWSTR fileName);

// Runs edit on the file's text (empty when the file is missing) and, when
// edit reports a change, replaces the file with the new text. Writers of one
// folder take turns across processes. FALSE with the last error set on
// failure; the file is then as it was.
BOOL Update(LPCWSTR fileName, const std::function<bool(ini::Document&)>& edit);

}  // namespace plat::profile
