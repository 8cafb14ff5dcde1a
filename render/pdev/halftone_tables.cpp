#include "render/pdev/device_tables.h"

const HalftoneInfo DefDevHTInfo = {
    2,  // flags
    5,  // fallback pattern size
    0,  // device pels
    {
        {6380, 3350, 0},  // red x, y, Y
        {2345, 6075, 0},  // green
        {1410, 932, 0},   // blue
        {2000, 2450, 0},  // cyan
        {5210, 2100, 0},  // magenta
        {4750, 5100, 0},  // yellow
        {3127, 3290, 0},  // alignment white
        12500, 12500, 12500,  // red, green and blue gamma
        585,    // magenta in cyan dye
        120,    // yellow in cyan dye
        0,      // cyan in magenta dye
        0,      // yellow in magenta dye
        0,      // cyan in yellow dye
        10000,  // magenta in yellow dye
    },
};

const USHORT cxHTPatSize[kHalftonePatternSizes] = {2, 2, 4, 4, 6, 6, 8, 8, 10, 10, 12, 12, 14, 14, 16, 16};
const USHORT cyHTPatSize[kHalftonePatternSizes] = {2, 2, 4, 4, 6, 6, 8, 8, 10, 10, 12, 12, 14, 14, 16, 16};

const ULONG aulPal2Colors[2] = {0x000000, 0xFFFFFF};
