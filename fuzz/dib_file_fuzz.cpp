// Feeds picture files, as a user picks them, to the configuration library's
// reader: the header is checked against the file's length, the colour table
// and the pixels are read, and a taken picture becomes a display bitmap. An
// input is the whole file. A picture is taken only when every byte its
// header claims is there; the reader must refuse the rest cleanly. The seeds
// (fuzz/corpus/dib_file/) are the GDI tests' bitmaps with their file
// headers, and a few small pictures of other depths and line orders.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ui/bitmaps/dib_file.h"

namespace {

class MemorySource final : public DibSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Read(void* buffer, std::uint32_t bytes) override {
    if (bytes > size_ - at_) return false;
    std::memcpy(buffer, data_ + at_, bytes);
    at_ += bytes;
    return true;
  }
  std::uint64_t Length() const override { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemorySource source(data, size);
  DibImage image;
  const DibFault fault = ReadDib(source, &image);
  if (fault != DibFault::kNone) return 0;
  // A taken picture holds exactly what its header claims.
  const std::uint64_t claimed = kDibHeadBytes + (image.info.size() - sizeof(BITMAPINFOHEADER)) + image.pixels.size();
  if (claimed > size) std::abort();
  // Keep each run's bitmaps small; the reader's own bound is checked above.
  if (static_cast<std::int64_t>(image.width) * image.height > 256 * 256) return 0;
  const HBITMAP bitmap = MakeDisplayBitmap(image);
  if (bitmap == nullptr) std::abort();
  DeleteObject(bitmap);
  return 0;
}
