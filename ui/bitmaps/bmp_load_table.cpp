// Which library holds each range of picture ids. The first matching row
// wins: 6229-6238 lie inside no earlier row, so their row may come last.
#include "ui/bitmaps/bitmap_library.h"

const BMPLOADID tblBmpLoadID[] = {
    {6401, 10000, 1},
    {6001, 6228, 0},
    {6239, 6400, 0},
    {6229, 6238, 1},
    {0, 0, 0},
};
