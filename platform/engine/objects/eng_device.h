// The engine's own side of devices, palettes and surfaces: what the engine
// keeps beside the objects it hands to drivers. Used by the engine's raster
// code and by the host that plays the application and GDI.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "platform/engine/objects/devcaps.h"
#include "platform/engine/objects/surfobj.h"

namespace plat::eng {

// An enabled device: the driver's PDEV and function table, and the
// capabilities it reported.
struct Device {
  HDEV hdev = nullptr;
  DHPDEV dhpdev = nullptr;
  std::array<PFN, INDEX_LAST> functions{};
  GDIINFO gdiInfo{};
  DEVINFO devInfo{};

  // The driver's entry point of that index cast to its type, or null when
  // the driver does not provide it.
  template <class Fn>
  Fn Function(ULONG index) const {
    return index < functions.size() ? reinterpret_cast<Fn>(functions[index]) : nullptr;
  }
};

// Devices are registered by the host while their PDEV is enabled, so that
// surfaces can be associated with them and brushes realized by them.
void RegisterDevice(Device& device);
void UnregisterDevice(const Device& device);
Device* FindDevice(HDEV hdev);

// A palette's colours. Colours the engine exchanges as RGB hold red in the
// low byte (0x00BBGGRR); an indexed palette's entries are RGB too.
struct Palette {
  ULONG mode = PAL_BGR;
  std::vector<ULONG> colors;  // PAL_INDEXED
  std::array<ULONG, 3> masks{};  // PAL_BITFIELDS: red, green, blue

  static Palette Indexed(std::vector<ULONG> colors);
  static Palette Bgr();
  // RGB of a colour index of this palette.
  ULONG ToRgb(ULONG index) const;
  // The index of an RGB colour: exact for direct palettes, the nearest entry
  // for an indexed one.
  ULONG FromRgb(ULONG rgb) const;
  bool operator==(const Palette&) const = default;
};
// The palette behind a handle, or null.
const Palette* PaletteOf(HPALETTE hpal);

// The engine's record of a surface; the handle is its address.
struct Surface : SURFOBJ {
  std::vector<BYTE> ownBits;  // bits the engine allocated
  FLONG hooks = 0;
  bool banding = false;
  int locks = 0;
  Device* device = nullptr;
};
// The live surface of a handle or object, or null.
Surface* SurfaceOf(HSURF hsurf);
Surface* SurfaceOf(SURFOBJ* pso);
// Live surfaces, for leak checks.
std::size_t LiveSurfaces();
std::size_t LivePalettes();

// Bits per pixel of a bitmap format (0 for an unknown or compressed one),
// and the smallest whole-word line length of a width in that format.
ULONG BitsPerPixel(ULONG iFormat);
LONG MinimumDelta(ULONG iFormat, LONG width);

}  // namespace plat::eng
