#include "platform/gdi/printer_dc.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/base/winerror.h"
#include "platform/engine/objects/ddi_types.h"

namespace {

using DrvEscapeFn = ULONG (*)(SURFOBJ*, ULONG, ULONG, PVOID, ULONG, PVOID);

struct PrinterDc {
  const plat::eng::Device* device = nullptr;
  SURFOBJ* surface = nullptr;
  std::vector<plat::gdi::SentEscape> sent;
};

struct DcTable {
  std::mutex lock;
  std::map<HDC, std::unique_ptr<PrinterDc>> dcs;
};

DcTable& Table() {
  static DcTable table;
  return table;
}

// A size must be 0 or more, and a positive one needs its buffer.
bool SizeFits(int bytes, const void* buffer) { return bytes >= 0 && (bytes == 0 || buffer != nullptr); }

}  // namespace

int ExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput, LPSTR lpOutData) {
  PrinterDc dc;
  {
    std::lock_guard guard(Table().lock);
    const auto found = Table().dcs.find(hdc);
    if (found == Table().dcs.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return -1;
    }
    dc.device = found->second->device;
    dc.surface = found->second->surface;
  }
  if (!SizeFits(cjInput, lpInData) || !SizeFits(cjOutput, lpOutData)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  plat::gdi::SentEscape sent;
  sent.code = iEscape;
  if (cjInput > 0) sent.input.assign(lpInData, lpInData + cjInput);
  sent.outputBytes = cjOutput;
  // The driver runs without the table's lock: it may take a while, and
  // another thread's DC must not wait for it.
  auto escape = dc.device->Function<DrvEscapeFn>(INDEX_DrvEscape);
  if (escape != nullptr) {
    sent.result = static_cast<int>(escape(dc.surface, static_cast<ULONG>(iEscape), static_cast<ULONG>(cjInput),
                                          const_cast<char*>(lpInData), static_cast<ULONG>(cjOutput), lpOutData));
  }
  std::lock_guard guard(Table().lock);
  const auto found = Table().dcs.find(hdc);
  if (found != Table().dcs.end()) found->second->sent.push_back(sent);
  return sent.result;
}

namespace plat::gdi {

HDC CreatePrinterDC(const eng::Device* device, SURFOBJ* surface) {
  if (device == nullptr || surface == nullptr) return nullptr;
  auto dc = std::make_unique<PrinterDc>();
  dc->device = device;
  dc->surface = surface;
  HDC handle = reinterpret_cast<HDC>(dc.get());
  std::lock_guard guard(Table().lock);
  Table().dcs.emplace(handle, std::move(dc));
  return handle;
}

BOOL SetPrinterDCDevice(HDC dc, const eng::Device* device, SURFOBJ* surface) {
  if (device == nullptr || surface == nullptr) return FALSE;
  std::lock_guard guard(Table().lock);
  const auto found = Table().dcs.find(dc);
  if (found == Table().dcs.end()) return FALSE;
  found->second->device = device;
  found->second->surface = surface;
  return TRUE;
}

void DeletePrinterDC(HDC dc) {
  std::lock_guard guard(Table().lock);
  Table().dcs.erase(dc);
}

std::vector<SentEscape> SentEscapes(HDC dc) {
  std::lock_guard guard(Table().lock);
  const auto found = Table().dcs.find(dc);
  return found != Table().dcs.end() ? found->second->sent : std::vector<SentEscape>{};
}

}  // namespace plat::gdi
