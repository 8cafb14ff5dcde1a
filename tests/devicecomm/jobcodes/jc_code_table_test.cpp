// The kind table: every buffer the exchange passes holds its setting whole,
// as wide text, and no buffer is larger than the exchange's own.
#include "devicecomm/jobcodes/jc_code_table.h"

#include <gtest/gtest.h>

#include "devicecomm/jobcodes/jc_interface.h"
#include "settings/values/setting_lookup.h"

namespace {

TEST(JobCodeTable, TextBuffersHoldTheirSettingsAsWideText) {
  DWORD masks = 0;
  for (const JCCODE& code : DrvJCCodeTbl) {
    SCOPED_TRACE(code.dwKind);
    EXPECT_EQ(masks & code.dwMask, 0u) << "one mask bit per kind";
    masks |= code.dwMask;
    EXPECT_LE(code.cbBuffer, kJCMaxBufferBytes);
    EXPECT_EQ(code.cbBuffer % sizeof(WCHAR), 0u);
    EXPECT_EQ(DrvJCFindCode(code.dwKind), &code);
    if (code.dwType == kJCTypeNumber) {
      EXPECT_EQ(code.cbBuffer, sizeof(DWORD));
      continue;
    }
    if (code.wFuncId == 0) continue;
    const SFCB* setting = GetSFCBbyFuncID(nullptr, code.wFuncId);
    ASSERT_NE(setting, nullptr);
    const DWORD size = SettingSizeOf(setting->descriptor);
    if (code.dwKind == kJCKindTelLine) {
      EXPECT_EQ(size, 1u) << "a 1-byte number";
    } else {
      EXPECT_GE(code.cbBuffer, size * sizeof(WCHAR));
    }
  }
  EXPECT_EQ(masks, 0x7FFu);
  EXPECT_EQ(DrvJCFindCode(9), nullptr);
}

}  // namespace
