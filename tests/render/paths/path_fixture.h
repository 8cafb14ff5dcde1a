// The path tests' fixture: a PDEV of the Kesm R5 on an open page, the
// engine objects a drawing call takes (paths in whole pixels, clips, solid
// pens and brushes, line attributes, the world-to-device transform), and
// the records a page was sent, read back by the test decoder.
#pragma once

#include <memory>
#include <vector>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "tests/render/records/record_fixture.h"

namespace render_test {

inline constexpr MIX kCopyPen = R2_COPYPEN << 8 | R2_COPYPEN;
// XOR over a background the drawing leaves alone.
inline constexpr MIX kXorOverNop = R2_NOP << 8 | R2_XORPEN;

inline POINTFIX Fix(LONG x, LONG y) { return {LTOFX(x), LTOFX(y)}; }

// A closed polygon through the points, in pixels.
inline void AddPolygon(plat::eng::Path& path, const std::vector<POINTL>& points, bool closed = true) {
  std::vector<POINTFIX> fixes;
  for (const POINTL& p : points) fixes.push_back(Fix(p.x, p.y));
  path.AddPolygon(fixes, closed);
}

inline void AddBox(plat::eng::Path& path, LONG left, LONG top, LONG right, LONG bottom) {
  AddPolygon(path, {{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

// A cosmetic one-pixel pen without style.
inline LINEATTRS CosmeticLine() {
  LINEATTRS attrs{};
  attrs.elWidth.l = 1;
  return attrs;
}

class PathTest : public RecordTest {
 protected:
  void SetUp() override {
    RecordTest::SetUp();
    OpenDocument();
  }

  // The opcodes of the page's records.
  std::vector<std::uint8_t> SentOpcodes() { return Opcodes(PageRecords(CloseDocument(), 0)); }

  std::unique_ptr<plat::eng::Brush> Solid(ULONG color) { return plat::eng::Brush::Solid(color, color); }

  SURFOBJ* so() const { return dc_->so; }
};

}  // namespace render_test
