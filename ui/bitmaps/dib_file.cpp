#include "ui/bitmaps/dib_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/base/handles.h"
#include "platform/files/winfile.h"
#include "platform/window/winuser.h"

namespace {

constexpr std::array<const char*, static_cast<std::size_t>(DibFault::kCount)> kFaultTexts = {
    "no fault",
    "shorter than the bitmap headers",
    "info-header size is not 40",
    "plane count is not 1",
    "bit count is not 1, 4, 8, 16, 24 or 32",
    "compression is not plain RGB",
    "colours used exceed what the bit count allows",
    "width or height is zero, or the width is negative",
    "more pixels than a picture may have",
    "colour table or pixels run past the end of the file",
    "file cannot be read",
};
static_assert(kFaultTexts.size() == static_cast<std::size_t>(DibFault::kCount));

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kReadPiece = 0x4000;

template <typename T>
T ReadLe(const BYTE* at) {
  T value{};
  std::memcpy(&value, at, sizeof value);
  return value;
}

bool KnownBitCount(WORD bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

class FileSource final : public DibSource {
 public:
  explicit FileSource(HANDLE file) : file_(file) {
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    length_ = (static_cast<std::uint64_t>(high) << 32) | low;
  }
  bool Read(void* buffer, std::uint32_t bytes) override {
    DWORD read = 0;
    return ReadFile(file_, buffer, bytes, &read, nullptr) && read == bytes;
  }
  std::uint64_t Length() const override { return length_; }

 private:
  HANDLE file_;
  std::uint64_t length_ = 0;
};

// Closes the file on every way out.
class OpenFile {
 public:
  explicit OpenFile(LPCWSTR path)
      : handle_(path == nullptr ? INVALID_HANDLE_VALUE
                                : CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OpenFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

DibFault CheckFile(HANDLE file) {
  FileSource source(file);
  std::array<BYTE, kDibHeadBytes> head{};
  if (source.Length() < kDibHeadBytes) return DibFault::kShortHeader;
  if (!source.Read(head.data(), kDibHeadBytes)) return DibFault::kReadFailed;
  DibLayout layout{};
  const DibFault fault = CheckDibHead(head.data(), source.Length(), &layout);
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  return fault;
}

}  // namespace

const char* DibFaultText(DibFault fault) {
  const auto index = static_cast<std::size_t>(fault);
  return index < kFaultTexts.size() ? kFaultTexts[index] : "unknown fault";
}

DibFault CheckDibHead(const BYTE* head, std::uint64_t fileLength, DibLayout* layout) {
  if (head == nullptr || layout == nullptr || fileLength < kDibHeadBytes) return DibFault::kShortHeader;
  BITMAPINFOHEADER& h = layout->header;
  std::memcpy(&h, head + 14, sizeof h);
  if (h.biSize != kInfoHeaderSize) return DibFault::kNotInfoHeader;
  if (h.biPlanes != 1) return DibFault::kPlanes;
  if (!KnownBitCount(h.biBitCount)) return DibFault::kBitCount;
  if (h.biCompression != BI_RGB) return DibFault::kCompression;
  if (h.biBitCount <= 8 && h.biClrUsed > (1u << h.biBitCount)) return DibFault::kColourCount;
  const std::int64_t width = h.biWidth;
  const std::int64_t lines = h.biHeight < 0 ? -static_cast<std::int64_t>(h.biHeight) : h.biHeight;
  if (width <= 0 || lines == 0) return DibFault::kDimensions;
  if (width > kDibMaxSide || lines > kDibMaxSide || width * lines > kDibMaxPixels) return DibFault::kTooLarge;
  const std::int64_t stride = (width * h.biBitCount + 31) / 32 * 4;
  layout->paletteBytes = h.biBitCount <= 8 ? 4u << h.biBitCount : 0;
  layout->pixelBytes = static_cast<std::uint32_t>(stride * lines);
  const std::uint64_t needed = std::uint64_t{kDibHeadBytes} + layout->paletteBytes + layout->pixelBytes;
  if (needed > fileLength) return DibFault::kTruncated;
  // What is handed on describes what is read: a whole colour table (or
  // none) and the pixels' own size.
  h.biClrUsed = 0;
  h.biClrImportant = 0;
  h.biSizeImage = layout->pixelBytes;
  return DibFault::kNone;
}

DibFault ReadDib(DibSource& source, DibImage* image) {
  if (image == nullptr) return DibFault::kReadFailed;
  *image = DibImage{};
  std::array<BYTE, kDibHeadBytes> head{};
  if (source.Length() < kDibHeadBytes) return DibFault::kShortHeader;
  if (!source.Read(head.data(), kDibHeadBytes)) return DibFault::kReadFailed;
  DibLayout layout{};
  const DibFault fault = CheckDibHead(head.data(), source.Length(), &layout);
  if (fault != DibFault::kNone) return fault;
  // Only now, with every size known to fit in the file, is memory taken.
  DibImage read;
  read.info.resize(sizeof(BITMAPINFOHEADER) + layout.paletteBytes);
  std::memcpy(read.info.data(), &layout.header, sizeof(BITMAPINFOHEADER));
  if (layout.paletteBytes != 0 && !source.Read(read.info.data() + sizeof(BITMAPINFOHEADER), layout.paletteBytes)) {
    return DibFault::kTruncated;
  }
  read.pixels.resize(layout.pixelBytes);
  for (std::uint32_t done = 0; done < layout.pixelBytes;) {
    const std::uint32_t piece = std::min(kReadPiece, layout.pixelBytes - done);
    if (!source.Read(read.pixels.data() + done, piece)) return DibFault::kTruncated;
    done += piece;
  }
  read.width = layout.header.biWidth;
  read.height = layout.header.biHeight < 0 ? -layout.header.biHeight : layout.header.biHeight;
  *image = std::move(read);
  return DibFault::kNone;
}

HBITMAP MakeDisplayBitmap(const DibImage& image) {
  if (image.info.empty() || image.width <= 0 || image.height <= 0) return nullptr;
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
  const HDC memory = bitmap != nullptr ? CreateCompatibleDC(screen) : nullptr;
  ReleaseDC(nullptr, screen);
  if (memory == nullptr) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return nullptr;
  }
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const int lines = SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(image.width),
                                      static_cast<DWORD>(image.height), 0, 0, 0,
                                      static_cast<UINT>(image.height), image.pixels.data(), image.Info(),
                                      DIB_RGB_COLORS);
  SelectObject(memory, old);
  DeleteDC(memory);
  if (lines <= 0) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

BOOL IsBitmapFile(LPCWSTR path, HANDLE* file) {
  if (file != nullptr) *file = INVALID_HANDLE_VALUE;
  OpenFile open(path);
  if (!open.ok() || CheckFile(open.get()) != DibFault::kNone) return FALSE;
  if (file != nullptr) *file = open.release();
  return TRUE;
}

HBITMAP LoadBitmapFileEx(LPCWSTR path, LONG* width, LONG* height, DibFault* fault) {
  if (width != nullptr) *width = 0;
  if (height != nullptr) *height = 0;
  DibFault result = DibFault::kReadFailed;
  HBITMAP bitmap = nullptr;
  OpenFile open(path);
  if (open.ok()) {
    FileSource source(open.get());
    DibImage image;
    result = ReadDib(source, &image);
    if (result == DibFault::kNone) {
      bitmap = MakeDisplayBitmap(image);
      if (bitmap == nullptr) {
        result = DibFault::kReadFailed;
      } else {
        if (width != nullptr) *width = image.width;
        if (height != nullptr) *height = image.height;
      }
    }
  }
  if (fault != nullptr) *fault = result;
  return bitmap;
}

HBITMAP LoadBitmapFile(LPCWSTR path, LONG* width, LONG* height) {
  return LoadBitmapFileEx(path, width, height, nullptr);
}
