// Windows for the window tests: a class whose procedure records every
// message it receives (by window label) before the default handling, and a
// fixture that gives each test a fresh window system.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/window/window_control.h"
#include "platform/window/winuser.h"

namespace kesm_test {

struct Received {
  std::string window;  // the label the test gave the window
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class Recorder {
 public:
  static Recorder& Get() {
    static Recorder recorder;
    return recorder;
  }
  void Name(HWND hwnd, std::string label) { labels_[hwnd] = std::move(label); }
  std::string Label(HWND hwnd) const {
    auto it = labels_.find(hwnd);
    return it == labels_.end() ? "?" : it->second;
  }
  void Add(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    received_.push_back(Received{Label(hwnd), message, wParam, lParam});
  }
  std::vector<Received>& received() { return received_; }
  void Clear() { received_.clear(); }
  void Reset() {
    received_.clear();
    labels_.clear();
  }
  // The messages received among `watch`, as "label:message" in order.
  std::vector<std::string> Among(const std::vector<UINT>& watch) const;

 private:
  std::map<HWND, std::string> labels_;
  std::vector<Received> received_;
};

// Answers for WM_NCHITTEST that a recording window gives instead of the
// default one, by label.
inline std::map<std::string, LRESULT>& HitAnswers() {
  static std::map<std::string, LRESULT> answers;
  return answers;
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr const char16_t* kRecordingClass = u"Recording";

// A fresh window system with the recording class registered.
class WindowTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;
  // A recording window: a top-level one for a null parent, else a child.
  HWND Make(const std::string& label, HWND parent, RECT rect, DWORD style = WS_VISIBLE, int id = 0);
  // Takes and dispatches what the queue holds now.
  void Drain();
};

// Registers a window class of a test: its procedure and, as background,
// the brush of a system colour; false when it cannot be registered.
bool RegisterTestClass(const char16_t* name, WNDPROC proc, int backgroundColor);

// The name of a message the tests watch, for readable expectations.
std::string MessageName(UINT message);

}  // namespace kesm_test
