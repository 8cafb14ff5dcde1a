// The resource and bitmap DLLs of a printer context, loaded by the dialog
// engine on first use and released with the context.
#pragma once

struct UCB;

// Frees both modules, if loaded, and clears their handles.
void FreeResDll(UCB* ucb);
