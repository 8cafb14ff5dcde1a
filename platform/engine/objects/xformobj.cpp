// Transforms.
#include <cmath>
#include <limits>

#include "platform/engine/objects/eng_geometry.h"

namespace plat::eng {

ULONG Xform::Complexity() const {
  const XFORML& m = matrix_;
  if (m.eM12 != 0 || m.eM21 != 0) return GX_GENERAL;
  if (m.eM11 != 1 || m.eM22 != 1) return GX_SCALE;
  if (m.eDx != 0 || m.eDy != 0) return GX_OFFSET;
  return GX_IDENTITY;
}

}  // namespace plat::eng

namespace {

LONG RoundToLong(double v) {
  if (!(v == v)) return 0;  // NaN
  v = std::floor(v + 0.5);
  if (v > std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
  if (v < std::numeric_limits<LONG>::min()) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(v);
}

}  // namespace

ULONG XFORMOBJ_iGetXform(XFORMOBJ* pxo, XFORML* pxform) {
  if (pxo == nullptr) return DDI_ERROR;
  auto* xform = static_cast<plat::eng::Xform*>(pxo);
  if (pxform != nullptr) *pxform = xform->matrix();
  return xform->Complexity();
}

BOOL XFORMOBJ_bApplyXform(XFORMOBJ* pxo, ULONG iMode, ULONG cPoints, PVOID pvIn, PVOID pvOut) {
  if (pxo == nullptr || (cPoints > 0 && (pvIn == nullptr || pvOut == nullptr))) return FALSE;
  const XFORML& m = static_cast<plat::eng::Xform*>(pxo)->matrix();
  double m11 = m.eM11, m12 = m.eM12, m21 = m.eM21, m22 = m.eM22, dx = m.eDx, dy = m.eDy;
  const bool inverse = iMode == XF_INV_LTOL || iMode == XF_INV_FXTOL;
  if (iMode > XF_INV_FXTOL) return FALSE;
  if (inverse) {
    const double det = m11 * m22 - m12 * m21;
    if (det == 0) return FALSE;
    const double i11 = m22 / det, i12 = -m12 / det, i21 = -m21 / det, i22 = m11 / det;
    const double idx = -(dx * i11 + dy * i21), idy = -(dx * i12 + dy * i22);
    m11 = i11; m12 = i12; m21 = i21; m22 = i22; dx = idx; dy = idy;
  }
  // Input in 28.4 for XF_INV_FXTOL; output in 28.4 for XF_LTOFX.
  const double inScale = iMode == XF_INV_FXTOL ? 1.0 / 16 : 1.0;
  const double outScale = iMode == XF_LTOFX ? 16.0 : 1.0;
  const auto* in = static_cast<const POINTL*>(pvIn);
  auto* out = static_cast<POINTL*>(pvOut);
  for (ULONG i = 0; i < cPoints; ++i) {
    const double x = in[i].x * inScale, y = in[i].y * inScale;
    const double ox = (x * m11 + y * m21 + dx) * outScale;
    const double oy = (x * m12 + y * m22 + dy) * outScale;
    out[i] = POINTL{RoundToLong(ox), RoundToLong(oy)};
  }
  return TRUE;
}
