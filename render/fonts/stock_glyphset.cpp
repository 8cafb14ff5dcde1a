// The symbol sets of the device fonts and the search order of their metrics.
#include "render/fonts/font_context.h"

const GlyphSetRow StockGlyphset[kStockGlyphsetRows] = {
    {"ROMA;J83;KATA", 128, nullptr},
    {"ROMA;J83V;KATA", 128, nullptr},
    {"IBML;IBM850", 0, nullptr},
    {"SYML;SYMR", 2, nullptr},
    {"DNGL;DNGR", 2, nullptr},
    {nullptr, 0, nullptr},
};

const ULONG srchtbl[kDeviceFontCount] = {1, 2, 3, 4};
