// The fixed item sizes of the owner-drawn controls: one row per owner-drawn
// list, combo box and preset list of the dialog definitions, in definition
// order (file, then line), so a control that several dialogs share has a
// row for each. The first row of an id wins. Our choices: the preset list's
// cells (2001) are 108 x 107, the picture lists 2085, 2087 and 2100 have
// their picture sizes, the first rows of 1121 and 1137 keep the system's
// sizes (0 x 0), and every other item is 16 x 14, the height of one text
// line with its small picture.
#include "ui/engine/owner_draw_sizes.h"

const ODFS OwnerDrawFixedSize[] = {
    // 01_preset
    {2001, 108, 107},
    {2017, 16, 14},
    {2023, 16, 14},
    {2007, 16, 14},
    {3301, 16, 14},
    {2011, 16, 14},
    {3302, 16, 14},
    {3303, 16, 14},
    // 02_basic
    {2007, 16, 14},
    {2017, 16, 14},
    {2036, 16, 14},
    {2053, 16, 14},
    {2066, 16, 14},
    {2070, 16, 14},
    {3323, 16, 14},
    {3324, 16, 14},
    {3325, 16, 14},
    // 03_edit
    {2078, 16, 14},
    {2085, 77, 78},
    {2087, 91, 51},
    {2089, 16, 14},
    {2093, 16, 14},
    {2895, 16, 14},
    {3385, 16, 14},
    // 04_finish
    {2095, 16, 14},
    {2100, 49, 42},
    {2102, 16, 14},
    {3386, 16, 14},
    {3387, 16, 14},
    {3406, 16, 14},
    // 05_cvrmark
    {2713, 16, 14},
    {2813, 16, 14},
    // 06_others
    {2109, 16, 14},
    {3423, 16, 14},
    // 07_printquality
    {2134, 16, 14},
    {3439, 16, 14},
    // 08_dialog_init
    {2152, 16, 14},
    // 09_dialog_option
    {2164, 16, 14},
    {2168, 16, 14},
    {2170, 16, 14},
    {2551, 16, 14},
    // 10_ttf
    {2384, 16, 14},
    {2385, 16, 14},
    // 13_maintenance
    {2139, 16, 14},
    // 18_dialog_freesize
    {2217, 16, 14},
    {2364, 16, 14},
    // 22_dialog_user_pqc
    {2256, 16, 14},
    {2258, 16, 14},
    {2260, 16, 14},
    {2574, 16, 14},
    {2632, 16, 14},
    {3586, 16, 14},
    {3587, 16, 14},
    {3588, 16, 14},
    {3605, 16, 14},
    {3606, 16, 14},
    // 24_dialog_user_ttf
    {2384, 16, 14},
    {2385, 16, 14},
    // 25_dialog_user_others
    {3630, 16, 14},
    {3631, 16, 14},
    // 26_dialog_stamp_image
    {3636, 16, 14},
    // 27_dialog_stamp_char
    {2314, 16, 14},
    {3648, 16, 14},
    {3649, 16, 14},
    {3650, 16, 14},
    {3651, 16, 14},
    // 28_dialog_margin
    {2647, 16, 14},
    {3676, 16, 14},
    {3677, 16, 14},
    {3678, 16, 14},
    {3679, 16, 14},
    {3680, 16, 14},
    {3681, 16, 14},
    {3682, 16, 14},
    // 29_dialog_cover
    {2440, 16, 14},
    {3715, 16, 14},
    // 30_dialog_chapter
    {2771, 16, 14},
    {2800, 16, 14},
    {3730, 16, 14},
    {3731, 16, 14},
    {3732, 16, 14},
    // 31_dialog_mark
    {2443, 16, 14},
    {3753, 16, 14},
    // 32_dialog_remote
    {3772, 16, 14},
    {3773, 16, 14},
    // 33_dialog_backcover
    {2752, 16, 14},
    {3775, 16, 14},
    // 34_dialog_reversecover
    {2846, 16, 14},
    {3790, 16, 14},
    // 35_dialog_create_midfiles
    {1121, 0, 0},
    {1137, 0, 0},
    // 36_masterprint
    {2921, 16, 14},
    {3821, 16, 14},
    {3822, 16, 14},
    // 37_dialog_illegalcopy_protect
    {2937, 16, 14},
    {2941, 16, 14},
    {2948, 16, 14},
    {3853, 16, 14},
    {3854, 16, 14},
    // 39_dialog_address
    {3877, 16, 14},
    // 44_dialog_freesize_input
    {2697, 16, 14},
    // 45_dialog_hidden_func
    {2817, 16, 14},
    // 47_dialog_save_user
    {2457, 16, 14},
    // 54_fileopen
    {1121, 16, 14},
    {1137, 16, 14},
    // 55_rstopensave
    {1121, 16, 14},
    {1137, 16, 14},
    // 56_filerefer
    {1121, 16, 14},
    {1137, 16, 14},
    // 57_rposave
    {1121, 16, 14},
    {1137, 16, 14},
    // 58_rporefer
    {1121, 16, 14},
    {1137, 16, 14},
    // 59_filesave
    {1121, 16, 14},
    {1137, 16, 14},
    // 60_dialog_user_icmmode
    {2256, 16, 14},
    {2574, 16, 14},
    {3953, 16, 14},
    {0, 0, 0},
};
