// Neutral until the DEVMODE hand-out reads the stored default: none is
// loaded, so a new DCB is built from the defaults.
#include "storage/properties/default_devmode.h"

BOOL GetDefaultDevmodeFromReg(UCB* /*ucb*/) { return FALSE; }
