// The code pages the stand-in converts: how each is named to iconv and where
// its double-byte characters begin.
#include "platform/text/codepage_table.h"

namespace plat::cp {
namespace {

constexpr ByteRange k_ = kNoBytes;

// Shift-JIS (932) keeps 0xA1-0xDF as single-byte half-width katakana. An
// undecodable sequence becomes U+30FB in 932, as Windows does.
// clang-format off
constexpr CodePageInfo kCodePages[] = {
  // id    iconv name        OEM  lead bytes                  trail bytes                              default    C1
  {1252,  "CP1252",         437, {k_, k_},                   {k_, k_, k_},                            u'?',      true},
  {437,   "CP437",          437, {k_, k_},                   {k_, k_, k_},                            u'?',      false},
  {20127, "ANSI_X3.4-1968", 437, {k_, k_},                   {k_, k_, k_},                            u'?',      false},
  {932,   "CP932",          932, {{0x81,0x9F}, {0xE0,0xFC}}, {{0x40,0x7E}, {0x80,0xFC}, k_},          u'\x30FB', false},
  {936,   "CP936",          936, {{0x81,0xFE}, k_},          {{0x40,0x7E}, {0x80,0xFE}, k_},          u'?',      false},
  {949,   "CP949",          949, {{0x81,0xFE}, k_},          {{0x41,0x5A}, {0x61,0x7A}, {0x81,0xFE}}, u'?',      false},
  {950,   "CP950",          950, {{0x81,0xFE}, k_},          {{0x40,0x7E}, {0xA1,0xFE}, k_},          u'?',      false},
  {65001, nullptr,          437, {k_, k_},                   {k_, k_, k_},                            u'\xFFFD', false},
};
// clang-format on

}  // namespace

const CodePageInfo* FindCodePage(UINT id) {
  for (const CodePageInfo& info : kCodePages) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

}  // namespace plat::cp
