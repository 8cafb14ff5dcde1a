// Bitmaps, icons and cursors from modules: LoadBitmapW, LoadIconW,
// LoadImageW, and the shared handles of module icons and cursors.
#include "platform/window/images.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/files/winpath.h"
#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

constexpr ULONG_PTR kImageBase = 0x00C50000;
constexpr WORD kSystemIcons[] = {32512, 32513, 32514, 32515, 32516, 32517, 32518};
constexpr ULONG_PTR kSystemIconBase = 0x00C48000;

struct ModuleImage {
  HINSTANCE instance;
  WORD type;
  WORD id;
};

struct ImageTable {
  std::mutex lock;
  std::map<std::tuple<HINSTANCE, WORD, WORD>, ULONG_PTR> handles;
  std::vector<ModuleImage> images;  // by handle index
};

ImageTable& Images() {
  static auto* table = new ImageTable;  // shared handles live until process exit
  return *table;
}

// The shared handle of a module's icon or cursor resource.
HICON ModuleImageHandle(HINSTANCE instance, LPCWSTR name, LPCWSTR type) {
  if (!IS_INTRESOURCE(name) || FindResourceW(instance, name, type) == nullptr) {
    if (!IS_INTRESOURCE(name)) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  const auto kind = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(type));
  ImageTable& table = Images();
  std::lock_guard guard(table.lock);
  auto [it, added] = table.handles.emplace(std::tuple{instance, kind, id}, 0);
  if (added) {
    it->second = kImageBase + 4 * table.images.size();
    table.images.push_back(ModuleImage{instance, kind, id});
  }
  return reinterpret_cast<HICON>(it->second);
}

// A bitmap made from a DIB: its own format as a DIB section, or the
// display's (monochrome for a monochrome DIB).
HBITMAP BitmapFromDib(const BYTE* dib, std::size_t size, bool dibSection) {
  BITMAPINFOHEADER h{};
  if (dib == nullptr || size < sizeof(h)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  std::memcpy(&h, dib, sizeof(h));
  const std::size_t colors = h.biBitCount <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : (std::size_t{1} << h.biBitCount)) : 0;
  const std::size_t bitsAt = h.biSize + colors * sizeof(RGBQUAD);
  const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  const std::size_t stride = ((static_cast<std::size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  if (h.biSize < sizeof(h) || h.biWidth <= 0 || rows <= 0 || bitsAt > size ||
      stride * static_cast<std::size_t>(rows) > size - bitsAt) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  // The header is copied so that it is aligned for the calls below.
  std::vector<BYTE> info(bitsAt);
  std::memcpy(info.data(), dib, bitsAt);
  const auto* bi = reinterpret_cast<const BITMAPINFO*>(info.data());
  HDC memory = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP made = dibSection ? CreateDIBSection(memory, bi, DIB_RGB_COLORS, &bits, nullptr, 0)
                            : CreateBitmap(h.biWidth, rows, 1, h.biBitCount == 1 ? 1 : 32, nullptr);
  if (made != nullptr) {
    HGDIOBJ old = SelectObject(memory, made);
    SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(h.biWidth), static_cast<DWORD>(rows), 0, 0, 0,
                      static_cast<UINT>(rows), dib + bitsAt, bi, DIB_RGB_COLORS);
    SelectObject(memory, old);
  }
  DeleteDC(memory);
  return made;
}

HBITMAP BitmapResource(HINSTANCE instance, LPCWSTR name, bool dibSection) {
  HRSRC found = FindResourceW(instance, name, RT_BITMAP);
  if (found == nullptr) return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  return BitmapFromDib(data, SizeofResource(instance, found), dibSection);
}

// A BMP file of the machine's file system.
HBITMAP BitmapFile(LPCWSTR name, bool dibSection) {
  const auto host = name != nullptr ? plat::HostPathOf(name) : std::nullopt;
  if (!host) {
    if (name == nullptr) SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::ifstream in(*host, std::ios::binary);
  std::vector<BYTE> bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), {});
  constexpr std::size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader || bytes[0] != 'B' || bytes[1] != 'M') {
    SetLastError(bytes.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_DATA);
    return nullptr;
  }
  return BitmapFromDib(bytes.data() + kFileHeader, bytes.size() - kFileHeader, dibSection);
}

}  // namespace

HCURSOR ModuleCursor(HINSTANCE instance, LPCWSTR name) { return ModuleImageHandle(instance, name, RT_GROUP_CURSOR); }
HICON ModuleIcon(HINSTANCE instance, LPCWSTR name) { return ModuleImageHandle(instance, name, RT_GROUP_ICON); }

bool DescribeModuleImage(HICON handle, HINSTANCE* instance, WORD* type, WORD* id) {
  const auto value = reinterpret_cast<ULONG_PTR>(handle);
  ImageTable& table = Images();
  std::lock_guard guard(table.lock);
  if (value < kImageBase || (value - kImageBase) % 4 != 0) return false;
  const std::size_t index = (value - kImageBase) / 4;
  if (index >= table.images.size()) return false;
  const ModuleImage& image = table.images[index];
  if (instance != nullptr) *instance = image.instance;
  if (type != nullptr) *type = image.type;
  if (id != nullptr) *id = image.id;
  return true;
}

}  // namespace plat::window

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  if (instance != nullptr) return plat::window::ModuleIcon(instance, name);
  if (IS_INTRESOURCE(name)) {
    const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    for (std::size_t i = 0; i < std::size(plat::window::kSystemIcons); ++i) {
      if (plat::window::kSystemIcons[i] == id) return reinterpret_cast<HICON>(plat::window::kSystemIconBase + 4 * i);
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  if (instance == nullptr) {  // the system's own bitmaps are not kept
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return plat::window::BitmapResource(instance, name, false);
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int, int, UINT flags) {
  const bool fromFile = (flags & LR_LOADFROMFILE) != 0;
  switch (type) {
    case IMAGE_BITMAP: {
      const bool dib = (flags & LR_CREATEDIBSECTION) != 0;
      HBITMAP made = fromFile ? plat::window::BitmapFile(name, dib)
                              : (instance != nullptr ? plat::window::BitmapResource(instance, name, dib)
                                                     : LoadBitmapW(nullptr, name));
      return reinterpret_cast<HANDLE>(made);
    }
    case IMAGE_ICON:
      if (!fromFile) return reinterpret_cast<HANDLE>(LoadIconW(instance, name));
      break;
    case IMAGE_CURSOR:
      if (!fromFile) return reinterpret_cast<HANDLE>(LoadCursorW(instance, name));
      break;
    default:
      break;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}
