// Printer DCs as GDI keeps them for the host that plays the application:
// each names the enabled device whose driver serves it and the surface its
// driver calls take. ExtEscape passes an escape to that driver's DrvEscape
// and records what was sent, so that a host can see the escapes an
// application (or a configuration library's document events) sent.
#pragma once

#include <vector>

#include "platform/base/wintypes.h"
#include "platform/engine/objects/eng_device.h"

// Hands the escape to the driver of the DC. The driver's answer (greater
// than 0 for success, 0 when it does not serve the escape); 0 as well when
// the driver has no DrvEscape. -1 with ERROR_INVALID_HANDLE for a DC that
// is not a printer DC, and with ERROR_INVALID_PARAMETER for a negative size
// or a size without its buffer.
int ExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput, LPSTR lpOutData);

namespace plat::gdi {

// One escape as ExtEscape received it.
struct SentEscape {
  int code = 0;
  std::vector<BYTE> input;  // the input bytes, cjInput of them
  int outputBytes = 0;
  int result = 0;
};

// A DC for the device and surface; the device must stay registered while
// the DC lives. Null when either is missing.
HDC CreatePrinterDC(const eng::Device* device, SURFOBJ* surface);
// After a reset the DC is served by the new device. FALSE for an unknown DC.
BOOL SetPrinterDCDevice(HDC dc, const eng::Device* device, SURFOBJ* surface);
void DeletePrinterDC(HDC dc);
// The escapes the DC received so far, in order; empty for an unknown DC.
std::vector<SentEscape> SentEscapes(HDC dc);

}  // namespace plat::gdi
