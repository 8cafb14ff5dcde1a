#include "render/platform/engine_version.h"

#include <atomic>

#include "storage/system/system_info.h"

namespace {

std::atomic<ULONG> gEngineVersion{0};

}  // namespace

void KMSetEngineVersion(ULONG engineVersion) { gEngineVersion.store(engineVersion); }

ULONG KMGetEngineVersion() { return gEngineVersion.load(); }

BOOL IsOsLaterWin2000() { return KMGetEngineVersion() >= kEngineVersionWin2000; }
