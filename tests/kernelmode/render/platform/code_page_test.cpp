// The code-page answers of the kernel-mode build: the engine's ANSI page,
// which pages are double-byte, and the lead bytes decided by the page.
#include "render/platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/values/text_language.h"
#include "tests/platform/scoped_acp.h"

namespace {

TEST(KernelCodePage, TheEnginesAnsiPageDecidesTheConversions) {
  for (UINT page : {1252u, 932u, 936u, 949u, 950u}) {
    ScopedAnsiCodePage scoped(page);
    EXPECT_EQ(MyGetACP(), page);
  }
  ScopedAnsiCodePage scoped(932);
  WCHAR wide[4];
  CopyStr2Unicode(wide, "\x93\xfa\x96\x7b", 4);  // two characters in Shift-JIS
  EXPECT_EQ(std::u16string(wide), u"日本");
}

// The lead bytes of each page, as ranges of bytes from 0x80 (below it no
// byte leads on any page).
TEST(KernelCodePage, LeadBytesFollowThePageAlone) {
  const struct {
    UINT page;
    BOOL dbcs;
    bool (*leads)(BYTE);
  } pages[] = {
      {1252, FALSE, [](BYTE) { return false; }},
      {437, FALSE, [](BYTE) { return false; }},
      {932, TRUE, [](BYTE b) { return b <= 0xA0 || b >= 0xDF; }},
      {936, TRUE, [](BYTE) { return true; }},
      {949, TRUE, [](BYTE) { return true; }},
      {950, TRUE, [](BYTE) { return true; }},
  };
  for (const auto& p : pages) {
    SCOPED_TRACE(p.page);
    EXPECT_EQ(IsDBCSCodePage(p.page), p.dbcs);
    for (int b = 0; b < 0x100; ++b) {
      const bool expected = b >= 0x80 && p.leads(static_cast<BYTE>(b));
      ASSERT_EQ(MyIsDBCSLeadByteEx(p.page, static_cast<BYTE>(b)) != FALSE, expected) << b;
    }
  }
  EXPECT_TRUE(MyIsDBCSLeadByteEx(932, 0xA0));
  EXPECT_FALSE(MyIsDBCSLeadByteEx(932, 0xA1));
  EXPECT_FALSE(MyIsDBCSLeadByteEx(932, 0xDE));
  EXPECT_TRUE(MyIsDBCSLeadByteEx(936, 0xA1));
  EXPECT_FALSE(MyIsDBCSLeadByteEx(1252, 0x81));
}

}  // namespace
