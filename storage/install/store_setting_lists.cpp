// The settings that make up one free-size entry and one watermark entry of
// the INI stores, as the install copies and checks them.
#include "storage/install/install_keys.h"

namespace {

// Name, width, length, tray, orientation.
constexpr WORD kFreesize[] = {752, 753, 754, 755, 756};
static_assert(std::size(kFreesize) <= 6);

// Kind, the text and image settings, the index, the placement settings,
// the character and image texts and names, the two pattern settings.
constexpr WORD kWaterMark[] = {117, 772, 773, 774, 775, 776, 777, 778, 779, 780, 781, 118, 782, 783,
                               784, 785, 786, 787, 788, 789, 766, 767, 768, 769, 770, 917, 934};
static_assert(std::size(kWaterMark) <= 28);

}  // namespace

const std::span<const WORD> gidFreesize{kFreesize};
const std::span<const WORD> gidWaterMark{kWaterMark};
