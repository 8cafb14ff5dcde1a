// Documents read from outside files: plain text and PNG images. Both are
// checked whole before any page is made, so a bad file prints nothing.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

#include "tools/printhost/document.h"
#include "tools/printhost/text_pages.h"

namespace printhost {
namespace {

constexpr std::size_t kMaxTextBytes = 4u << 20;
// The largest image printed (the README states them).
constexpr png_uint_32 kMaxImageSide = 65535;
constexpr std::uint64_t kMaxImagePixels = 40'000'000;
// The largest side the format allows: libpng reads any such header, so that
// an image beyond the limits above is refused in their words, not its own.
constexpr png_uint_32 kFormatMaxSide = 0x7FFFFFFF;

// The printable area the sources lay out in, in twips, with a half-inch
// margin: letter paper less the usual unprintable edge.
constexpr LONG kMargin = 720;
constexpr LONG kAreaWidth = 10800;
constexpr LONG kAreaHeight = 14400;

}  // namespace

bool DecodeUtf8(std::string_view in, std::u16string& out, std::size_t& bad) {
  for (std::size_t i = 0; i < in.size();) {
    const auto b = static_cast<unsigned char>(in[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= in.size() + (extra == 0 ? 1 : 0)) {
      bad = i;
      return false;
    }
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(in[i + k]);
      if ((cont & 0xC0) != 0x80) {
        bad = i;
        return false;
      }
      c = (c << 6) | (cont & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      bad = i;
      return false;
    }
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    i += extra + 1;
  }
  return true;
}

bool TextDocument(const std::string& path, Document& document, std::string& error) {
  // The whole document is held: its size is limited.
  std::error_code ec;
  if (const std::uintmax_t bytes = std::filesystem::file_size(path, ec); !ec && bytes > kMaxTextBytes) {
    error = path + " is larger than 4 MiB";
    return false;
  }
  TextPages text;
  if (!text.Open(path, error)) return false;
  Document doc;
  doc.name = text.Name();
  std::string fault;
  while (const Page* page = text.Next(fault)) doc.pages.push_back(*page);
  if (!fault.empty()) {
    error = fault;
    return false;
  }
  document = std::move(doc);
  return true;
}

namespace {

// libpng's state and what it reads, on the heap so that nothing the reader
// keeps on its stack changes between setjmp and longjmp.
struct PngRead {
  std::FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::string message;
  Image image;
  std::vector<png_bytep> rowPointers;
  ~PngRead() {
    if (png != nullptr) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (file != nullptr) std::fclose(file);
  }
};

void OnError(png_structp png, png_const_charp message) {
  static_cast<PngRead*>(png_get_error_ptr(png))->message = message;
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// Reads the whole image as 24-bit pixels; false with a message.
bool ReadPng(PngRead& r) {
  if (setjmp(png_jmpbuf(r.png))) return false;
  png_init_io(r.png, r.file);
  png_set_sig_bytes(r.png, 8);
  png_set_user_limits(r.png, kFormatMaxSide, kFormatMaxSide);
  png_read_info(r.png, r.info);
  const png_uint_32 width = png_get_image_width(r.png, r.info);
  const png_uint_32 height = png_get_image_height(r.png, r.info);
  if (width > kMaxImageSide || height > kMaxImageSide || std::uint64_t{width} * height > kMaxImagePixels) {
    r.message = "the image is " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels: images of up to " + std::to_string(kMaxImageSide) + " pixels a side and " +
                std::to_string(kMaxImagePixels / 1'000'000) + " million pixels print";
    return false;
  }
  png_set_expand(r.png);
  png_set_strip_16(r.png);
  png_set_gray_to_rgb(r.png);
  png_color_16 white{0, 0xFF, 0xFF, 0xFF, 0xFF};
  png_set_background(r.png, &white, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  png_set_bgr(r.png);
  png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  if (png_get_rowbytes(r.png, r.info) != std::size_t{width} * 3) {
    r.message = "the image has an unsupported pixel layout";
    return false;
  }
  r.image.bitsPerPixel = 24;
  r.image.width = static_cast<LONG>(width);
  r.image.height = static_cast<LONG>(height);
  r.image.rows.assign(static_cast<std::size_t>(r.image.Stride()) * height, 0);
  r.rowPointers.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    r.rowPointers[y] = r.image.rows.data() + std::size_t{y} * r.image.Stride();
  }
  png_read_image(r.png, r.rowPointers.data());
  png_read_end(r.png, nullptr);
  return true;
}

}  // namespace

bool PngDocument(const std::string& path, Document& document, std::string& error) {
  auto r = std::make_unique<PngRead>();
  r->file = std::fopen(path.c_str(), "rb");
  if (r->file == nullptr) {
    error = "cannot open " + path;
    return false;
  }
  png_byte signature[8] = {};
  if (std::fread(signature, 1, 8, r->file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
    error = path + " is not a PNG image";
    return false;
  }
  r->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, r.get(), OnError, OnWarning);
  r->info = r->png ? png_create_info_struct(r->png) : nullptr;
  if (r->info == nullptr) {
    error = "out of memory reading " + path;
    return false;
  }
  if (!ReadPng(*r)) {
    // libpng's word for a header it refuses, in the user's.
    if (r->message == "Invalid IHDR data") r->message = "the image's header is invalid (a side of 0 pixels, or a "
                                                        "bit depth or colour type that PNG does not have)";
    error = path + ": " + (r->message.empty() ? "the image is damaged" : r->message);
    return false;
  }
  // Scaled to fit the printable area, keeping its proportions.
  const double scale = std::min(static_cast<double>(kAreaWidth - 2 * kMargin) / r->image.width,
                                static_cast<double>(kAreaHeight - 2 * kMargin) / r->image.height);
  const LONG w = std::max<LONG>(1, static_cast<LONG>(r->image.width * scale));
  const LONG h = std::max<LONG>(1, static_cast<LONG>(r->image.height * scale));
  Document doc;
  doc.name = DocumentName(path);
  Page page;
  page.commands.push_back(Picture{std::move(r->image), RECT{kMargin, kMargin, kMargin + w, kMargin + h}});
  doc.pages.push_back(std::move(page));
  document = std::move(doc);
  return true;
}

}  // namespace printhost
