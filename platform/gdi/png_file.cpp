// PNG files through libpng's simplified writing interface.
#include "platform/gdi/png_file.h"

#include <png.h>

#include <system_error>

namespace plat::gdi {

bool WritePng(const std::filesystem::path& file, const std::vector<std::uint32_t>& pixels, SIZE size) {
  if (size.cx <= 0 || size.cy <= 0 ||
      pixels.size() != static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy)) {
    return false;
  }
  std::vector<png_byte> rgb;
  rgb.reserve(pixels.size() * 3);
  for (std::uint32_t p : pixels) {
    rgb.push_back(static_cast<png_byte>(p >> 16));
    rgb.push_back(static_cast<png_byte>(p >> 8));
    rgb.push_back(static_cast<png_byte>(p));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size.cx);
  image.height = static_cast<png_uint_32>(size.cy);
  image.format = PNG_FORMAT_RGB;
  std::filesystem::path partial = file;
  partial += ".partial";
  const bool written = png_image_write_to_file(&image, partial.c_str(), 0, rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  std::error_code error;
  if (written) std::filesystem::rename(partial, file, error);
  if (!written || error) {
    std::filesystem::remove(partial, error);
    return false;
  }
  return true;
}

}  // namespace plat::gdi
