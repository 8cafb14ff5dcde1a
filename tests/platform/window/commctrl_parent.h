// A parent for the common-control tests: it writes down, in order, what
// its controls tell it (WM_NOTIFY codes with what each record says,
// WM_HSCROLL and WM_VSCROLL codes with the trackbar's position, owner-draw
// requests) and can refuse the changes a control asks leave for.
#pragma once

#include <string>
#include <vector>

#include "platform/window/commctrl.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {

struct ParentLog {
  std::vector<std::string> seen;
  bool refuse = false;      // answer TRUE to LVN_ITEMCHANGING, TVN_SELCHANGING, TVN_ITEMEXPANDING
  bool keepItems = false;   // answer TRUE to LVN_DELETEALLITEMS
  UINT rowHeight = 0;       // the WM_MEASUREITEM answer, 0 to leave it
  bool logDrawing = true;
  UINT destroyOn = 0;        // a WM_NOTIFY code on which the parent destroys the control
  int destroyOnScroll = -1;  // a TB_ code on which it destroys the trackbar
};
ParentLog& Log();

class CommonControlTest : public WindowTest {
 public:
  HWND parent = nullptr;
  void SetUp() override;
  // A child control of the parent, id 7 unless told.
  HWND Control(const char16_t* cls, DWORD style, RECT rect, int id = 7);
  // Runs a script to its end and takes the input it left.
  void Run(UiScript& script);
  std::vector<std::string> Take();
};

}  // namespace kesm_test
