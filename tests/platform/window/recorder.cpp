#include "tests/platform/window/recorder.h"

#include <algorithm>

namespace kesm_test {

std::vector<std::string> Recorder::Among(const std::vector<UINT>& watch) const {
  std::vector<std::string> out;
  for (const Received& r : received_) {
    if (std::find(watch.begin(), watch.end(), r.message) != watch.end()) out.push_back(r.window + ":" + MessageName(r.message));
  }
  return out;
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Recorder::Get().Add(hwnd, message, wParam, lParam);
  if (message == WM_NCHITTEST) {
    auto it = HitAnswers().find(Recorder::Get().Label(hwnd));
    if (it != HitAnswers().end()) return it->second;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterTestClass(const char16_t* name, WNDPROC proc, int backgroundColor) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hbrBackground = GetSysColorBrush(backgroundColor);
  wc.lpszClassName = reinterpret_cast<LPCWSTR>(name);
  return RegisterClassExW(&wc) != 0;
}

void WindowTest::SetUp() {
  plat::window::ResetThreadWindows();
  Recorder::Get().Reset();
  HitAnswers().clear();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = RecordingProc;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_3DFACE + 1));
  wc.lpszClassName = reinterpret_cast<LPCWSTR>(kRecordingClass);
  ASSERT_NE(RegisterClassExW(&wc), 0);
}

void WindowTest::TearDown() {
  plat::window::ResetThreadWindows();
  Recorder::Get().Reset();
}

HWND WindowTest::Make(const std::string& label, HWND parent, RECT rect, DWORD style, int id) {
  HWND hwnd = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr,
                              style | (parent != nullptr ? WS_CHILD : WS_POPUP), rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
  Recorder::Get().Name(hwnd, label);
  // Messages of the creation arrived under "?": give them the label.
  for (Received& r : Recorder::Get().received()) {
    if (r.window == "?") r.window = label;
  }
  return hwnd;
}

void WindowTest::Drain() {
  MSG msg{};
  for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::string MessageName(UINT message) {
  static const std::map<UINT, std::string> names = {
      {WM_CREATE, "CREATE"},           {WM_DESTROY, "DESTROY"},       {WM_MOVE, "MOVE"},
      {WM_SIZE, "SIZE"},               {WM_ACTIVATE, "ACTIVATE"},     {WM_SETFOCUS, "SETFOCUS"},
      {WM_KILLFOCUS, "KILLFOCUS"},     {WM_PAINT, "PAINT"},           {WM_ERASEBKGND, "ERASEBKGND"},
      {WM_SHOWWINDOW, "SHOWWINDOW"},   {WM_SETCURSOR, "SETCURSOR"},   {WM_GETMINMAXINFO, "GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "POSCHANGING"}, {WM_WINDOWPOSCHANGED, "POSCHANGED"},
      {WM_NCCREATE, "NCCREATE"},       {WM_NCDESTROY, "NCDESTROY"},   {WM_NCCALCSIZE, "NCCALCSIZE"},
      {WM_NCHITTEST, "NCHITTEST"},     {WM_NCPAINT, "NCPAINT"},       {WM_KEYDOWN, "KEYDOWN"},
      {WM_KEYUP, "KEYUP"},             {WM_CHAR, "CHAR"},             {WM_TIMER, "TIMER"},
      {WM_MOUSEMOVE, "MOUSEMOVE"},     {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"},
      {WM_PARENTNOTIFY, "PARENTNOTIFY"}, {WM_CAPTURECHANGED, "CAPTURECHANGED"}, {WM_USER, "USER"},
      {WM_USER + 1, "USER+1"},         {WM_COMMAND, "COMMAND"},       {WM_ENABLE, "ENABLE"},
      {WM_CANCELMODE, "CANCELMODE"},   {WM_STYLECHANGING, "STYLECHANGING"}, {WM_STYLECHANGED, "STYLECHANGED"},
      {WM_MOUSEACTIVATE, "MOUSEACTIVATE"},
  };
  auto it = names.find(message);
  return it == names.end() ? std::to_string(message) : it->second;
}

}  // namespace kesm_test
