// What the chapter module does outside its pages.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Copies the media type of one attribute tray (cover 404, back cover 405,
// inserted sheet 406, chapter 407, reverse cover 409) into the other four.
void CopyMediaTypeOfAttributeTray(UCB* ucb, WORD funcId);
