// Neutral answers for now: the paper-area and resolution derivation and the
// constraint interface that judges collation are not built yet. The
// re-derivation leaves the DEVMODE as it is, and collation counts as
// offered, since no constraint can withdraw it yet.
#include "jobsettings/validate/derived_settings.h"

void SetValidatePrivateDMEx(DEVMODEW* /*dm*/, UCB* /*ucb*/, DWORD /*kind*/) {}

BOOL IsValidateCollate(UCB* /*ucb*/) { return TRUE; }
