// The chapter dialog and the cover-and-insert page: the chapter list, the
// kind, tray and print choices, and the built-ins that add and delete
// chapters. Configuration library only.
#pragma once

#include "features/chapter/chapter_module.h"

// The table the configuration library registers for the chapter module.
const ChapterPageHooks* ChapterPageHookTable();
