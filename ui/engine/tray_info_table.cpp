// Which tray each tray-information item describes, in groups of the
// dialogs that show a tray's paper: the initial settings, the cover, mark
// and back-cover dialogs, the cover-and-mark page and the chapter dialog.
// 24 rows name lines that none of our dialogs holds (the fourth line of the
// cover and mark dialogs, the third and fourth of the back cover, the later
// groups of trays 3, 25 and 27, and chapter and cover lines of trays those
// dialogs do not list); they stay so that a dialog that gains such a line
// paints it, and the page-wide paint skips them, as it looks only at items
// on the page.
#include <iterator>

#include "ui/engine/painting_tables.h"

const TRAYINFO TrayInfo[] = {
    {2410, 0},  {2412, 1},  {2413, 2},  {2411, 28}, {2458, 0},  {2459, 1},  {2460, 2},  {2461, 28},
    {2462, 0},  {2463, 1},  {2464, 2},  {2465, 28}, {2518, 0},  {2519, 1},  {2520, 2},  {2521, 28},
    {2538, 3},  {2539, 25}, {2540, 27}, {2541, 3},  {2542, 25}, {2543, 27}, {2544, 3},  {2545, 25},
    {2546, 27}, {2547, 3},  {2548, 25}, {2549, 27}, {2566, 25}, {2567, 25}, {2568, 25}, {2569, 25},
    {2770, 4},  {2768, 4},  {2717, 4},  {2809, 29}, {2718, 4},  {2810, 29}, {2772, 0},  {2782, 1},
    {2783, 2},  {2786, 3},  {2787, 25}, {2784, 25}, {2788, 27}, {2785, 28}, {2720, 4},  {2812, 29},
    {2754, 0},  {2760, 1},  {2761, 2},  {2764, 3},  {2765, 25}, {2762, 25}, {2766, 27}, {2763, 28},
    {2719, 4},  {2811, 29}, {0, 0},
};
static_assert(std::size(TrayInfo) == 58 + 1);
