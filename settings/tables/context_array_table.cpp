// The arrays a devmode control block owns, with their entry sizes.
#include "settings/context/context_arrays.h"

const DcbOwnedArray kDcbOwnedArrays[kDcbOwnedArrayCount] = {
    {10004, 10005, sizeof(KESMFONTPAIR)},  // font table: TrueType face and device face
    {10006, 10007, sizeof(KESMFONT)},      // device fonts
    {10008, 10009, sizeof(KESMFONT)},      // option fonts
};
