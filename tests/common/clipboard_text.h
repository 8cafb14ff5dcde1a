// Text put on the clipboard as a person copies it from elsewhere, ready to
// be pasted into a control under test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/runtime/winmem.h"
#include "platform/window/winuser_clipboard.h"

namespace kesm_test {

inline void PutClipboardText(const std::u16string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* out = static_cast<char16_t*>(GlobalLock(block));
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = 0;
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

}  // namespace kesm_test
