// The per-window log of GDI calls.
#include "platform/gdi/gdi_log.h"

#include <map>
#include <mutex>

#include "platform/gdi/display_dc.h"

namespace plat::gdi {
namespace {

struct WindowLog {
  std::vector<GdiCall> calls;
  std::size_t dropped = 0;
};

struct Logs {
  std::mutex lock;
  std::map<HWND, WindowLog> byWindow;
};

Logs& TheLogs() {
  static Logs* logs = new Logs;  // lives until process exit
  return *logs;
}

}  // namespace

void RecordGdiCall(HDC dc, const char* call, std::initializer_list<LONG_PTR> args) {
  HWND window = nullptr;
  if (!DescribeDC(dc, &window, nullptr)) return;
  Logs& logs = TheLogs();
  std::lock_guard guard(logs.lock);
  WindowLog& log = logs.byWindow[window];
  if (log.calls.size() >= kGdiLogLimit) {
    ++log.dropped;
    return;
  }
  log.calls.push_back(GdiCall{dc, call, std::vector<LONG_PTR>(args)});
}

std::vector<GdiCall> GdiCallLog(HWND window) {
  Logs& logs = TheLogs();
  std::lock_guard guard(logs.lock);
  auto it = logs.byWindow.find(window);
  return it == logs.byWindow.end() ? std::vector<GdiCall>{} : it->second.calls;
}

std::size_t DroppedGdiCalls(HWND window) {
  Logs& logs = TheLogs();
  std::lock_guard guard(logs.lock);
  auto it = logs.byWindow.find(window);
  return it == logs.byWindow.end() ? 0 : it->second.dropped;
}

void ClearGdiCallLog(HWND window) {
  Logs& logs = TheLogs();
  std::lock_guard guard(logs.lock);
  logs.byWindow.erase(window);
}

void ClearGdiCallLogs() {
  Logs& logs = TheLogs();
  std::lock_guard guard(logs.lock);
  logs.byWindow.clear();
}

}  // namespace plat::gdi
