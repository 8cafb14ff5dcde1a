#include "jobsettings/convert/devmode_ownership.h"

#include <cstring>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "settings/tables/driver_params.h"

namespace {

// What each ownership test compares.
enum Check : unsigned {
  kPrivData = 0x1,
  kSize = 0x2,
  kVersion = 0x4,
  kModel = 0x8,  // machine id and driver type
};

// A model driver type 0 or 1 asks for the same type in the DEVMODE; any
// other model value accepts every type.
bool DriverTypeFits(BYTE type) {
  switch (fgDP.cDriverType) {
    case 0:
    case 1:
      return type == static_cast<BYTE>(fgDP.cDriverType);
    default:
      return true;
  }
}

BOOL Owns(const DEVMODEW* dm, unsigned checks) {
  if (dm == nullptr) return FALSE;
  if ((checks & kPrivData) &&
      std::memcmp(reinterpret_cast<const BYTE*>(dm) + kOffDwPrivData, fgDP.privSignature,
                  sizeof fgDP.privSignature) != 0) {
    return FALSE;
  }
  if ((checks & kSize) && GetKDMdwSizeByDM(dm) != static_cast<DWORD>(kSizeofPrivDM)) return FALSE;
  if ((checks & kVersion) && GetKDMdwVersionByDM(dm) != fgDP.dwPrivVersion) return FALSE;
  if ((checks & kModel) &&
      (GetKDMMachineIDByDM(dm) != fgDP.bMachineID || !DriverTypeFits(GetKDMDriverTypeByDM(dm)))) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

BOOL IsMyValidDevmode(const DEVMODEW* dm, DWORD /*ignored*/) {
  return Owns(dm, kPrivData | kSize | kVersion | kModel);
}

BOOL IsMyValidDevmodeExceptDwVersion(const DEVMODEW* dm, DWORD /*ignored*/) {
  return Owns(dm, kPrivData | kSize | kModel);
}

BOOL IsMyValidDevmodeForUpgrade(const DEVMODEW* dm, DWORD /*ignored*/) {
  return Owns(dm, kPrivData | kModel);
}
