// The feed direction that the selected finishing forces on the job.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr DWORD kForceFeedNone = 0;
inline constexpr DWORD kForceFeedPortrait = 1;
inline constexpr DWORD kForceFeedLandscape = 2;
inline constexpr DWORD kForceFeedEither = 3;

// Decided by the first installed finisher family; 0 without one or when the
// print size is not the family's.
DWORD GetForceFeed(const UCB* ucb);
BOOL IsForceFeedPort(const UCB* ucb);
BOOL IsForceFeedLand(const UCB* ucb);
