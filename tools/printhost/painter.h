// GDI's part of the print host: turns the document's drawing commands into
// engine objects in device coordinates and hands them to the driver's hooked
// entry point, or to the engine's own raster code when the surface does not
// hook the call.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/engine/fonts/device_font.h"
#include "platform/engine/fonts/eng_font.h"
#include "platform/engine/objects/eng_device.h"
#include "tools/printhost/document.h"

namespace printhost {

// Realized fonts of one device, kept while its PDEV lives.
class FontCache {
 public:
  explicit FontCache(plat::eng::Device& device) : device_(device) {}
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  // The realization of the face at an em size and angle, asking the driver
  // for its glyph mode once. A face that is not installed is mapped to
  // DejaVu Sans, as the engine maps a name it does not know to a face it
  // has; null when that is not installed either.
  plat::eng::Font* Get(const std::u16string& face, bool bold, double emPixels, double angle);
  // The driver's device font of that face name at an em size and angle,
  // from the driver's metrics and glyph set; null when the device offers
  // no font of the name.
  plat::eng::DeviceFont* GetDevice(const std::u16string& face, double emPixels, double angle);
  // How many realizations the cache holds.
  std::size_t size() const { return fonts_.size() + deviceFonts_.size(); }

 private:
  plat::eng::Device& device_;
  std::map<std::tuple<std::u16string, bool, long, long>, std::unique_ptr<plat::eng::Font>> fonts_;
  std::map<std::tuple<std::u16string, long, long>, std::unique_ptr<plat::eng::DeviceFont>> deviceFonts_;
};

class Painter {
 public:
  // Draws on the surface of the device; device coordinates of the page less
  // the band origin are the surface's.
  Painter(plat::eng::Device& device, SURFOBJ* surface, POINTL bandOrigin, FontCache& fonts);
  // False when the driver (or the engine) failed the call; the message says
  // which.
  bool Draw(const Command& command, std::string& error);

 private:
  bool DrawText(const Text& text, std::string& error);
  bool DrawDeviceText(const Text& text, plat::eng::DeviceFont& font, std::string& error);
  // The text call to the driver, or to the engine when the surface does not
  // hook it.
  bool TextOut(STROBJ* str, FONTOBJ* font, const Text& text, const RECTL& box, std::string& error);
  bool DrawLine(const Line& line, std::string& error);
  bool DrawShape(const Shape& shape, std::string& error);
  bool DrawPicture(const Picture& picture, std::string& error);
  void SetClip(const Clip& clip);

  LONG ToDevice(LONG twips) const;
  POINTL ToDevice(POINT p) const;
  POINTFIX ToFix(POINT p) const;
  RECTL ToDevice(const RECT& r) const;
  bool Hooked(FLONG hook) const;

  plat::eng::Device& device_;
  SURFOBJ* surface_;
  POINTL origin_;
  FontCache& fonts_;
  LONG dpi_;
  plat::eng::Palette palette_;
  std::vector<RECTL> clip_;  // surface coordinates; empty: the surface
  ULONG clipUniq_;
};

}  // namespace printhost
