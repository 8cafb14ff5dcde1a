// The description reader as the kernel-mode build has it: lead bytes by the
// engine's code page and a file loaded as an engine module.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/codepage.h"
#include "platform/base/control.h"
#include "tests/platform/drive_files.h"
#include "platform/base/machine.h"
#include "settings/kpd/kpd_reader.h"
#include "tests/platform/scoped_acp.h"
#include "tests/settings/kpd/kpd_file_checks.h"

namespace {

// The value of the first entry, or the result when it is not an entry.
std::string FirstValue(const std::string& text) {
  FILEOBJ* f = FILEOBJ_CreateFromView(reinterpret_cast<const BYTE*>(text.data()),
                                      static_cast<DWORD>(text.size()), nullptr);
  PARSEROBJ* p = PARSEROBJ_Create();
  const int r = PARSEROBJ_ParseEntry(p, f);
  std::string value = r == kKpdOk ? std::string(p->value.text) : "result " + std::to_string(r);
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
  return value;
}

// On 932 the kernel build takes 0x80-0xA0 and 0xDF-0xFF as lead bytes, so
// 0xA0 carries a following '{' along; on 936 every byte from 0x80 leads.
TEST(KernelReader, LeadBytesFollowTheEngineCodePage) {
  const struct {
    UINT codePage;
    std::string text;
    std::string value;
  } cases[] = {
      {932, "*Cmd: a\xA0{b\n", "a\xA0{b"},
      {932, "*Cmd: a\xDF{b\n", "a\xDF{b"},
      {932, "*Cmd: a\xA1{b}\n", "a\xA1{b}"},  // 0xA1 is a single-byte character
      {936, "*Cmd: a\xA1{b\n", "a\xA1{b"},
      {1252, "*Cmd: a\x81{b}\n", "a\x81{b}"},
      {932, "*Cmd: a\xA0\n*Next: n\n", "a\xA0"},  // the line end is not taken as a trail byte
  };
  for (const auto& c : cases) {
    ScopedAnsiCodePage page(c.codePage);
    EXPECT_EQ(FirstValue(c.text), c.value) << c.codePage << " " << c.text;
  }
}

TEST(KernelReader, ReadsADescriptionLoadedAsAnEngineModule) {
  plat::ScopedMachine machine;
  kesm_test::ExpectReadsADescriptionFileAndReleasesIt();
}

}  // namespace
