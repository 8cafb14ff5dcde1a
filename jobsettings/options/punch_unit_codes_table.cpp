// The device punch codes that name a punch unit, ended by 0.
#include "jobsettings/options/option_tables.h"

namespace {

constexpr WORD PunchUnitCodes[] = {132, 133, 134, 142, 137, 138, 12, 0};

}  // namespace

const WORD* GetPunchUnitCodes() { return PunchUnitCodes; }
