// The two code values of each machine that the DEVMODE defaults and the
// status mapping read, by machine id; a zero machine id ends the table.
// (Named for what it holds: another table of the driver already carries
// the name of the machine strings.)
#include "jobsettings/options/option_tables.h"

namespace {

constexpr MachineCodes MachineCodeTable[] = {
    {144, 0, 42016, 29110},
    {400, 0, 42000, 29110},
    {0, 0, 0, 0},
};

}  // namespace

const MachineCodes* GetMachineCodes() { return MachineCodeTable; }
