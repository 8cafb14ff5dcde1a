// A stand-in for the printer maker's port-monitor library: it answers the
// status operations for the devices a test scripted (portmonlib_state.h),
// with the size probes and last errors the driver relies on.
#include <algorithm>
#include <cstring>

#include "tests/portmonlib/portmonlib_state.h"

#define PORTMONLIB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using portmonlib::Device;
using portmonlib::State;

// Handles: printers count from 0x100, responses are the printer handle
// plus 0x10000, categories plus 0x20000.
constexpr DWORD kFirstPrinter = 0x100;
constexpr DWORD kResponseBase = 0x10000;
constexpr DWORD kCategoryBase = 0x20000;

// The host's last errors, as kernel32 would report them.
constexpr DWORD kInvalidPrinterName = 1801;
constexpr DWORD kInsufficientBuffer = 122;

State& TheState() {
  static State state;
  return state;
}

void SetLastError(DWORD error) {
  if (TheState().setLastError != nullptr) TheState().setLastError(error);
}

std::vector<std::u16string>& OpenNames() {
  static std::vector<std::u16string> names;
  return names;
}

void Record(const char* op, DWORD number = 0, bool probe = false) {
  TheState().calls.push_back({op, number, probe});
}

// True when the test made this step fail; the last error is then set.
bool Fails(const std::string& op, DWORD number = 0, bool probe = false) {
  for (const portmonlib::Failure& failure : TheState().failures) {
    if (failure.op == op && (failure.number == 0 || failure.number == number) && failure.probe == probe) {
      SetLastError(failure.error);
      return true;
    }
  }
  return false;
}

Device* DeviceOf(DWORD handle) {
  const DWORD index = (handle & 0xFFFF) - kFirstPrinter;
  if ((handle & 0xFFFF) < kFirstPrinter || index >= OpenNames().size()) return nullptr;
  const auto found = TheState().devices.find(OpenNames()[index]);
  return found != TheState().devices.end() ? &found->second : nullptr;
}

// The probe and read protocol shared by both item operations: the size
// needed always, the bytes when the buffer holds them all.
bool Serve(const portmonlib::Bytes& bytes, DWORD probeAnswer, LPVOID buffer, DWORD size, DWORD* needed,
           DWORD* written) {
  if (needed != nullptr) *needed = buffer == nullptr ? probeAnswer : static_cast<DWORD>(bytes.size());
  if (buffer == nullptr) return true;
  // A buffer too small still gets what fits, as a device that writes up
  // to the size it was given would.
  const DWORD copied = std::min<DWORD>(size, static_cast<DWORD>(bytes.size()));
  if (copied > 0) std::memcpy(buffer, bytes.data(), copied);
  *written = copied;
  if (copied < bytes.size()) {
    SetLastError(kInsufficientBuffer);
    return false;
  }
  return true;
}

BOOL WINAPI OpenPrinter(LPCWSTR name, DWORD* printer, DWORD* ok) {
  Record("open");
  if (Fails("open") || name == nullptr || printer == nullptr || ok == nullptr) return FALSE;
  const auto found = TheState().devices.find(name);
  if (found == TheState().devices.end()) {
    SetLastError(kInvalidPrinterName);
    return FALSE;
  }
  OpenNames().push_back(name);
  *printer = kFirstPrinter + static_cast<DWORD>(OpenNames().size() - 1);
  *ok = Fails("okword") ? 0 : 1;
  ++TheState().openPrinters;
  return TRUE;
}

BOOL WINAPI ClosePrinter(DWORD printer) {
  Record("close");
  if (DeviceOf(printer) == nullptr) return FALSE;
  --TheState().openPrinters;
  return TRUE;
}

BOOL WINAPI RequestStatus(DWORD printer, DWORD* response, DWORD mask, DWORD* word) {
  Record("request", mask);
  if (response != nullptr) *response = printer + kResponseBase;
  if (word != nullptr) *word = 0;
  if (Fails("request")) return FALSE;
  return DeviceOf(printer) != nullptr;
}

BOOL WINAPI OpenCategory(DWORD printer, DWORD* category, DWORD number, DWORD /*one*/) {
  Record("category", number);
  if (category != nullptr) *category = printer + kCategoryBase;
  if (Fails("category", number)) return FALSE;
  return DeviceOf(printer) != nullptr && number == kBidiCategoryUnique;
}

BOOL WINAPI GetModelName(DWORD printer, DWORD /*zero*/, LPWSTR buffer, DWORD chars) {
  Record("model");
  const Device* device = DeviceOf(printer);
  if (Fails("model") || device == nullptr || buffer == nullptr || chars == 0) return FALSE;
  const std::size_t n = std::min<std::size_t>(device->model.size(), chars - 1);
  std::copy_n(device->model.data(), n, buffer);
  buffer[n] = 0;
  return TRUE;
}

BOOL WINAPI Unused() { return FALSE; }

LONG WINAPI GetItem(DWORD response, DWORD item, LPVOID buffer, DWORD bytes, DWORD* needed) {
  const bool probe = buffer == nullptr;
  Record("item", item, probe);
  const Device* device = DeviceOf(response - kResponseBase);
  if (Fails("item", item, probe) || device == nullptr) return -1;
  const auto found = device->items.find(item);
  const portmonlib::Bytes none;
  const portmonlib::Bytes& data = found != device->items.end() ? found->second : none;
  const auto probeAnswer = device->probeAnswer.find(item);
  DWORD written = 0;
  if (!Serve(data, probeAnswer != device->probeAnswer.end() ? probeAnswer->second : static_cast<DWORD>(data.size()),
             buffer, bytes, needed, &written)) {
    return -1;
  }
  if (probe) return 0;
  const auto count = device->countAnswer.find(item);
  return count != device->countAnswer.end() ? count->second : static_cast<LONG>(written / 4);
}

BOOL WINAPI GetCategoryItem(DWORD category, DWORD /*number*/, DWORD subItem, LPVOID buffer, DWORD bytes,
                            DWORD* needed) {
  const bool probe = buffer == nullptr;
  Record("subitem", subItem, probe);
  const Device* device = DeviceOf(category - kCategoryBase);
  if (Fails("subitem", subItem, probe) || device == nullptr) return FALSE;
  const auto found = device->category.find(subItem);
  const portmonlib::Bytes none;
  const portmonlib::Bytes& data = found != device->category.end() ? found->second : none;
  DWORD written = 0;
  const bool served = Serve(data, static_cast<DWORD>(data.size()), buffer, bytes, needed, &written);
  if (probe) {
    // The library answers a probe with "access denied" and the size.
    SetLastError(kBidiProbeDenied);
    return FALSE;
  }
  return served ? TRUE : FALSE;
}

}  // namespace

PORTMONLIB_EXPORT BOOL TalvoInitializeBidiApiW(BIDIAPIEX2* api) {
  Record("init");
  if (api == nullptr || TheState().refuseInitialize) return FALSE;
  api->reserved[0] = 0x4B42;
  api->reserved[1] = 1;
  api->pfnOpenPrinter = OpenPrinter;
  api->pfnClosePrinter = ClosePrinter;
  api->pfnRequestStatus = RequestStatus;
  api->pfnOpenCategory = OpenCategory;
  api->pfnGetModelName = GetModelName;
  api->pfnUnused = Unused;
  api->pfnGetItem = GetItem;
  api->pfnGetCategoryItem = GetCategoryItem;
  return TRUE;
}

PORTMONLIB_EXPORT State* PortMonLibState() { return &TheState(); }
