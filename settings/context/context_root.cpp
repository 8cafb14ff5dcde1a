// The static root of the printer contexts: every table a context starts from,
// and the zero templates of its devmode control block and work area.
#include "settings/context/context_block.h"
#include "settings/tables/keyword_tables.h"

const DCB fgDCB{};
const WORKAREA fgWork{};

// The root only reads the table; a context's head points at its own copy.
const SFL fgSFL = {kSettingCount, const_cast<SFCB*>(fgSFCB)};

const UCB fgUCB = {
    nullptr,                  // no printer
    nullptr,                  // no data handle
    0,                        // no current dialog
    0,
    const_cast<SFL*>(&fgSFL),
    const_cast<TL*>(&fgTL),
    &fgGKL,
    &fgSPL,
    &fgAPL,
    const_cast<DP*>(&fgDP),
    const_cast<DCB*>(&fgDCB),
    nullptr,                  // no description
    const_cast<WORKAREA*>(&fgWork),
    nullptr,                  // no resource DLL
    nullptr,                  // no bitmap DLL
};

const UCB* GetStaticUcb() { return &fgUCB; }
