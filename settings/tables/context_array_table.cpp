// The arrays a devmode control block owns, with their entry sizes.
#include "settings/context/context_arrays.h"

const DcbOwnedArray kDcbOwnedArrays[kDcbOwnedArrayCount] = {
    {10004, 10005, 128},  // font table: TrueType face and device face, 64 bytes each
    {10006, 10007, 68},   // device fonts
    {10008, 10009, 68},   // option fonts
};
