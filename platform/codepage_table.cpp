// The code pages the stand-in converts: how each is named to iconv and where
// its double-byte characters begin.
#include "platform/codepage_table.h"

namespace plat::cp {
namespace {

constexpr CodePageInfo kCodePages[] = {
    // id, iconv name, OEM page, lead bytes, trail bytes, unicode default, C1
    {1252, "CP1252", 437, {kNoBytes, kNoBytes}, {kNoBytes, kNoBytes, kNoBytes}, u'?', true},
    {437, "CP437", 437, {kNoBytes, kNoBytes}, {kNoBytes, kNoBytes, kNoBytes}, u'?', false},
    {20127,
     "ANSI_X3.4-1968",
     437,
     {kNoBytes, kNoBytes},
     {kNoBytes, kNoBytes, kNoBytes},
     u'?',
     false},
    // Shift-JIS: 0xA1-0xDF are single-byte half-width katakana.
    {932,
     "CP932",
     932,
     {{0x81, 0x9F}, {0xE0, 0xFC}},
     {{0x40, 0x7E}, {0x80, 0xFC}, kNoBytes},
     u'\x30FB',
     false},
    {936,
     "CP936",
     936,
     {{0x81, 0xFE}, kNoBytes},
     {{0x40, 0x7E}, {0x80, 0xFE}, kNoBytes},
     u'?',
     false},
    {949,
     "CP949",
     949,
     {{0x81, 0xFE}, kNoBytes},
     {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}},
     u'?',
     false},
    {950,
     "CP950",
     950,
     {{0x81, 0xFE}, kNoBytes},
     {{0x40, 0x7E}, {0xA1, 0xFE}, kNoBytes},
     u'?',
     false},
    {65001, nullptr, 437, {kNoBytes, kNoBytes}, {kNoBytes, kNoBytes, kNoBytes}, u'\xFFFD', false},
};

}  // namespace

const CodePageInfo* FindCodePage(UINT id) {
  for (const CodePageInfo& info : kCodePages) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

}  // namespace plat::cp
