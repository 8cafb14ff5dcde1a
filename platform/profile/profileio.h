// Reading and atomically rewriting profile files. Internal to platform/.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/profile/inifile.h"
#include "platform/base/wintypes.h"

namespace plat::profile {

// The file's text, or null with the last error set when it is missing or
// cannot be read (a handle refusing shared reading holds it, say). Share
// modes count as for any reader: a file whose text is kept unchanged is not
// opened again, but the handles open on it are asked whether they refuse
// the read. Its text is read and parsed again only when the file may have
// changed since the last read.
std::shared_ptr<const ini::Document> Read(LPCWSTR fileName);

// Runs edit on the file's text (empty when the file is missing) and, when
// edit reports a change, replaces the file with the new text. Writers of one
// folder take turns across processes. FALSE with the last error set on
// failure; the file is then as it was.
BOOL Update(LPCWSTR fileName, const std::function<bool(ini::Document&)>& edit);

}  // namespace plat::profile
