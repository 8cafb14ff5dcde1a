// Stand-ins for services that other work in progress provides: the context's
// driver name, language code and paths, the preset section name, and the
// building of a DCB. Each keeps the signature of the real service; this file
// goes away when those land.
#pragma once

#include "platform/wintypes.h"

struct DCB;
struct UCB;

// The driver name of the context's printer, fetched once into the work
// area; the driver parameters' fallback name when the spooler gives none.
LPWSTR GetRealDriverName(UCB* ucb);
// The two-letter language code of the driver's files, kept in the work area.
LPWSTR SetDriverName(UCB* ucb);
// The printer's section of the per-user INI.
LPWSTR GetPresetSectionName(UCB* ucb);
// A new zero-filled DCB for the context, its DEVMODE's block offsets
// written; null when memory is short.
DCB* DevCBCreate(UCB* ucb, int type);
#if KESM_KERNEL_MODE
// The driver directory and the settings INI path, kept in the work area.
LPWSTR GetInstallDirectory(UCB* ucb);
LPWSTR GetIniFilePath(UCB* ucb);
#endif
