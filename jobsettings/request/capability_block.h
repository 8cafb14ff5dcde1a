// The capability block handed to an application: which values of its
// request the printer offers under the current settings and constraints.
#pragma once

#include <array>

#include "jobsettings/request/request_block.h"
#include "platform/base/wintypes.h"

struct UCB;

using CapabilityBlock = std::array<BYTE, kCapabilityBlockSize>;

// Fills caps (all other bytes 0); false when a working list cannot be
// allocated, with caps then undefined.
bool FillCapabilityBlock(UCB* ucb, CapabilityBlock& caps);
