// Where a job-merge file goes: the folder of the per-user settings INI's
// "DrvDefJobMergePath" (in the printer's section), the name typed, and the
// extension of "DrvDefJobMergeFileExt". Configuration library only.
#pragma once

#include <string>

#include "platform/base/wintypes.h"

struct UCB;

// The folder: "<OS>" at the start of the value stands for the Windows
// directory and "<OSDRIVE>" for its drive (both spelled exactly so); any
// other value is the folder itself. Default "<OS>\Temp\Rmp".
std::u16string JobMergeFolder(UCB* ucb);
// The characters no job-merge name may hold.
bool IsJobMergeNameRefused(std::u16string_view name);
// folder\name.extension.
std::u16string JobMergeFilePath(UCB* ucb, std::u16string_view name);
