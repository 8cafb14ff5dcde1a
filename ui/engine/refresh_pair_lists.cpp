// The controls on other pages that show trays, paper sizes, output bins,
// presets and watermarks, or pictures that follow the orientation: each
// list is re-initialised as a whole when the data behind it changes.
// {dialog id, control id}, ended by dialog id 0.
#include "ui/engine/refresh_internal.h"

namespace refresh {

const DialogControlPair kTrayList[] = {{1001, 2007}, {1002, 2007}, {0, 0}};

const DialogControlPair kPaperSizeList[] = {{1001, 2017}, {1001, 2023}, {1002, 2017}, {1002, 2053}, {0, 0}};

const DialogControlPair kOutbinList[] = {{1001, 2011}, {1002, 2066}, {0, 0}};

const DialogControlPair kOrientList[] = {{1003, 2085}, {1003, 2087}, {0, 0}};

// The maintenance list and the preset page's list come first: their
// selection is checked against the stored presets before they are filled.
const DialogControlPair kPresetList[] = {
    {1007, 2139}, {1001, 2001}, {1002, 2036}, {1002, 2388}, {1003, 2078}, {1003, 2389}, {1004, 2095}, {1004, 2390},
    {4016, 2921}, {4016, 2924}, {1005, 2109}, {1005, 2391}, {1042, 2713}, {1042, 2733}, {0, 0},
};

const DialogControlPair kStampList[] = {{1003, 2089}, {0, 0}};

}  // namespace refresh
