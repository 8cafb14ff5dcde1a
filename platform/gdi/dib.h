// Device-independent bitmaps given by callers: a header, a colour table and
// lines of bits, checked and turned into GDI bitmaps. Internal to
// platform/gdi/.
#pragma once

#include <memory>

#include "platform/gdi/gdi_bitmap.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {

// The bitmap a DIB describes, its colour table taken and its bits copied
// (zeroed when bits is null). Null with ERROR_INVALID_PARAMETER for a
// header that is not a plain BI_RGB one of 1, 4, 8, 16, 24 or 32 bits, a
// colour table longer than the depth allows, or a usage other than
// DIB_RGB_COLORS.
std::shared_ptr<Bitmap> BitmapFromDib(const BITMAPINFO* info, const void* bits, UINT usage);

}  // namespace plat::gdi
