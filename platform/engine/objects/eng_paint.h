// The engine's side of colour translations and brushes.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/engine/objects/brushobj.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/engine/objects/xlateobj.h"

namespace plat::eng {

// A translation from the colour indexes of one palette to another's.
class Xlate : public XLATEOBJ {
 public:
  Xlate(const Palette& source, const Palette& destination);
  Xlate(const Xlate&) = delete;
  Xlate& operator=(const Xlate&) = delete;

  ULONG Translate(ULONG index) const;
  const Palette& source() const { return source_; }
  const Palette& destination() const { return destination_; }

 private:
  Palette source_;
  Palette destination_;
  std::vector<ULONG> table_;
};

// A brush of a drawing call: a solid colour index, or a pattern (an engine
// hatch or a bitmap) with its translation to the target surface, realized by
// the target's driver when it asks.
class Brush : public BRUSHOBJ {
 public:
  // colorIndex in the target's palette; rgb is what the application asked.
  static std::unique_ptr<Brush> Solid(ULONG colorIndex, ULONG rgb);
  // An engine hatch (HS_*): an 8 x 8 one-bit pattern whose set bits take
  // the foreground colour and clear bits the background colour.
  static std::unique_ptr<Brush> Hatch(ULONG style, const Palette& target, ULONG foreRgb,
                                      ULONG backRgb);
  // A pattern bitmap the caller keeps alive, with its translation.
  static std::unique_ptr<Brush> Pattern(SURFOBJ* pattern, std::unique_ptr<Xlate> xlate);
  ~Brush();
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;

  // The surface the current drawing call draws on; realizations are asked
  // of its driver.
  void SetTarget(SURFOBJ* target) { target_ = target; }
  // The colour index of the brush at a pixel of the target, with the
  // pattern aligned to the origin.
  ULONG IndexAt(LONG x, LONG y, POINTL origin) const;
  bool solid() const { return pattern_ == nullptr; }
  ULONG hatch() const { return hatch_; }
  SURFOBJ* pattern() const { return pattern_; }
  Xlate* xlate() const { return xlate_.get(); }
  ULONG rgb() const { return rgb_; }
  // How often the driver was asked to realize this brush.
  int realizations() const { return realizations_; }

  PVOID Allocate(ULONG bytes);
  PVOID Realization();

 private:
  Brush();
  ULONG hatch_ = HS_DDI_MAX;
  ULONG rgb_ = 0xFFFFFFFF;
  SURFOBJ* pattern_ = nullptr;
  HSURF ownPattern_ = nullptr;
  std::unique_ptr<Xlate> xlate_;
  SURFOBJ* target_ = nullptr;
  std::unique_ptr<std::max_align_t[]> storage_;
  bool realizing_ = false;
  int realizations_ = 0;
};

// The engine's 8 x 8 hatch patterns, one byte per row, top row first, the
// most significant bit leftmost; set bits draw.
extern const BYTE kHatchPatterns[HS_DDI_MAX][8];

}  // namespace plat::eng
