// The model's default font face, which the header-and-footer and the
// copy-protect texts start with.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr int kDefaultFontChars = 32;

// Copies the default face into buffer (at least kDefaultFontChars wide
// characters, terminated). The font exchange table that keeps the face per
// model is not built yet; until it is, the face is that of every model but
// the Japanese one.
void KESMGetDefaultFont(UCB* ucb, LPWSTR buffer);
