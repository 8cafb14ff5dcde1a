// What the resource services need from the module table. Private to the
// module services.
#pragma once

#include "platform/modules/resource_table.h"
#include "platform/base/wintypes.h"

namespace plat {

// The resource table of a loaded module, valid while the module stays
// loaded; null with ERROR_MOD_NOT_FOUND for a handle that is not loaded, or
// ERROR_RESOURCE_DATA_NOT_FOUND for a module without resources.
const res::Table* ModuleResources(HMODULE module);

}  // namespace plat
