// Palettes of the engine.
#include <limits>
#include <memory>
#include <mutex>
#include <new>

#include "platform/base/owned_table.h"
#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_device.h"

// A palette handle is the same kind of handle as GDI's logical palettes.
struct EnginePalette : HPALETTE__ {
  plat::eng::Palette palette;
};

namespace plat::eng {
namespace {

struct PaletteTable {
  std::mutex lock;
  OwnedTable<EnginePalette> palettes;
  std::size_t count = 0;
};

PaletteTable& Palettes() {
  static PaletteTable* table = new PaletteTable;  // lives until process exit
  return *table;
}

// The value of a colour channel under a bit-field mask, scaled to 8 bits.
ULONG FieldToByte(ULONG value, ULONG mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const ULONG field = (value & mask) >> shift;
  const ULONG max = mask >> shift;
  return (field * 255 + max / 2) / max;
}

ULONG ByteToField(ULONG byte, ULONG mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const ULONG max = mask >> shift;
  return ((byte * max + 127) / 255) << shift;
}

ULONG Red(ULONG rgb) { return rgb & 0xFF; }
ULONG Green(ULONG rgb) { return (rgb >> 8) & 0xFF; }
ULONG Blue(ULONG rgb) { return (rgb >> 16) & 0xFF; }

}  // namespace

Palette Palette::Indexed(std::vector<ULONG> colors) {
  Palette p;
  p.mode = PAL_INDEXED;
  p.colors = std::move(colors);
  return p;
}

Palette Palette::Bgr() { return Palette{}; }

ULONG Palette::ToRgb(ULONG index) const {
  switch (mode) {
    case PAL_INDEXED:
      return index < colors.size() ? colors[index] & 0xFFFFFF : 0;
    case PAL_RGB:
      return index & 0xFFFFFF;
    case PAL_BGR:
      return ((index & 0xFF) << 16) | (index & 0xFF00) | ((index >> 16) & 0xFF);
    case PAL_BITFIELDS:
      return FieldToByte(index, masks[0]) | (FieldToByte(index, masks[1]) << 8) |
             (FieldToByte(index, masks[2]) << 16);
    default:
      return 0;
  }
}

ULONG Palette::FromRgb(ULONG rgb) const {
  switch (mode) {
    case PAL_INDEXED: {
      ULONG best = 0;
      long bestDistance = std::numeric_limits<long>::max();
      for (ULONG i = 0; i < colors.size(); ++i) {
        const long dr = static_cast<long>(Red(colors[i])) - static_cast<long>(Red(rgb));
        const long dg = static_cast<long>(Green(colors[i])) - static_cast<long>(Green(rgb));
        const long db = static_cast<long>(Blue(colors[i])) - static_cast<long>(Blue(rgb));
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
          best = i;
          bestDistance = distance;
        }
      }
      return best;
    }
    case PAL_RGB:
      return rgb & 0xFFFFFF;
    case PAL_BGR:
      return (Red(rgb) << 16) | (Green(rgb) << 8) | Blue(rgb);
    case PAL_BITFIELDS:
      return ByteToField(Red(rgb), masks[0]) | ByteToField(Green(rgb), masks[1]) |
             ByteToField(Blue(rgb), masks[2]);
    default:
      return 0;
  }
}

const Palette* PaletteOf(HPALETTE hpal) {
  std::lock_guard guard(Palettes().lock);
  EnginePalette* found = Palettes().palettes.Find(hpal);
  return found ? &found->palette : nullptr;
}

std::size_t LivePalettes() {
  std::lock_guard guard(Palettes().lock);
  return Palettes().count;
}

}  // namespace plat::eng

HPALETTE EngCreatePalette(ULONG iMode, ULONG cColors, ULONG* pulColors, FLONG flRed,
                          FLONG flGreen, FLONG flBlue) {
  auto made = std::unique_ptr<EnginePalette>(new (std::nothrow) EnginePalette);
  if (!made) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  plat::eng::Palette& p = made->palette;
  p.mode = iMode;
  switch (iMode) {
    case PAL_INDEXED:
      if (cColors == 0 || pulColors == nullptr || cColors > 0x10000) {
        EngSetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
      p.colors.assign(pulColors, pulColors + cColors);
      break;
    case PAL_BITFIELDS:
      p.masks = {flRed, flGreen, flBlue};
      break;
    case PAL_RGB:
    case PAL_BGR:
      break;
    default:
      EngSetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
  auto& table = plat::eng::Palettes();
  std::lock_guard guard(table.lock);
  ++table.count;
  return table.palettes.Add(std::move(made));
}

BOOL EngDeletePalette(HPALETTE hpal) {
  auto& table = plat::eng::Palettes();
  std::lock_guard guard(table.lock);
  if (!table.palettes.Remove(hpal)) return FALSE;
  --table.count;
  return TRUE;
}
