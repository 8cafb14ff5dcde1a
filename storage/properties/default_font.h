// The model's default font face, which the header-and-footer and the
// copy-protect texts start with.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr int kDefaultFontChars = 32;

// Copies the default face into buffer (at least kDefaultFontChars wide
// characters, terminated): "Arial", or for a context whose resource
// library is the Japanese one the Japanese gothic face.
void KESMGetDefaultFont(UCB* ucb, LPWSTR buffer);
