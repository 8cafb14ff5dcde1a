// Every record kind, one row each: the encoder's call on a PDEV's display
// list, the bytes it must append (written out by hand from the record
// format) and what the test decoder, which knows only the format, reads
// from them. Edge rows: a 1 by 1 one-bit image with a palette is 68 bytes
// (its palette and line end 2 bytes short of a multiple of 4), a brush of
// pattern size 8 has size byte 0 and no data, ROP3 0xF0 is written as 0xCC,
// a closed subpath of four points has size estimate 12.
#include <functional>

#include "render/records/attribute_records.h"
#include "render/records/font_records.h"
#include "render/records/image_records.h"
#include "render/records/page_records.h"
#include "render/records/shape_records.h"
#include "render/records/text_records.h"
#include "tests/render/records/record_fixture.h"

namespace render_test {
namespace {

struct Row {
  const char* what;
  std::function<bool(PDEV*)> append;  // FALSE when the encoder refused
  const char* bytes;
  const char* fields;
};

JobStream* S(PDEV* pdev) { return &pdev->stream; }

DRAWATTR Attr(SHORT mode, ULONG background, ULONG foreground, ULONG third, SHORT thirdFlag, SHORT kind) {
  return DRAWATTR{13, mode, background, foreground, third, thirdFlag, kind};
}

bool Color(PDEV* pdev, const DRAWATTR& attributes) { return PrnIdlSetColor(S(pdev), &attributes) != nullptr; }

// A brush record with its pattern right after it.
struct PatternBrush {
  BrushRecord record;
  BYTE pattern[32];
};

bool Brush(PDEV* pdev, USHORT kind, USHORT depth, USHORT size) {
  PatternBrush brush{{kind, 0, 0, {0, 0xFFFFFF}, depth, size}, {}};
  for (int i = 0; i < 32; ++i) brush.pattern[i] = static_cast<BYTE>(i);
  return PrnIdlDefineBrush(S(pdev), &brush.record, BrushPattern(&brush.record)) != nullptr;
}

FontDescription Font(signed char kind, const char* face) {
  FontDescription font{};
  font.kind = kind;
  for (std::size_t i = 0; face[i] != 0; ++i) font.faceName[i] = face[i];
  return font;
}

bool ClosedSquarePath(PDEV* pdev) {
  ULONG length = 0;
  BYTE* record = IdlAllocPath(pdev, 4, &length);
  if (record == nullptr) return false;
  BYTE* end = record + length;
  BYTE* subpath = IdlGetPathPointer(pdev, record);
  const POINTL lines[] = {{160, 16}, {160, 160}, {16, 160}};
  BYTE* at = IdlPutPolyLine(IdlPutSubpathStart(subpath, end, {16, 16}), end, lines, 3);
  IdlSetSubpathSegments(subpath, 3);
  IdlFinishPath(pdev, record, at, FALSE, kPathStroke, {1, 3, 0, TRUE}, {16, 16, 160, 160});
  return true;
}

bool CurveAndLinePath(PDEV* pdev) {
  ULONG length = 0;
  BYTE* record = IdlAllocPath(pdev, 6, &length);
  if (record == nullptr) return false;
  BYTE* end = record + length;
  BYTE* first = IdlGetPathPointer(pdev, record);
  const POINTL curve[] = {{16, 0}, {32, 16}, {32, 32}};
  BYTE* second = IdlPutBezier(IdlPutSubpathStart(first, end, {0, 0}), end, curve, 3);
  IdlSetSubpathSegments(first, 1);
  const POINTL line[] = {{80, 64}};
  BYTE* at = IdlPutPolyLine(IdlPutSubpathStart(second, end, {64, 64}), end, line, 1);
  IdlSetSubpathSegments(second, 1);
  IdlFinishPath(pdev, record, at, TRUE, kPathWindingFill, {2, 1, 1, FALSE}, {-8, -24, 80, 64});
  return true;
}

const BYTE kOneBitLine[] = {0x80, 0, 0, 0};
const BYTE kBlackWhite[] = {0, 0, 0, 0xFF, 0xFF, 0xFF};
// A 2 by 2 24-bit bitmap stored bottom line first: the top line is the
// second in memory.
const BYTE kBottomUp[] = {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0, 0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0};
const BYTE kOutline[] = {6, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0};
const USHORT kAbc[] = {0x41, 0x42, 0x43};
const SHORT kEach[] = {10, 12, 0};
const SHORT kShared[] = {-24};
const BYTE kGlyph[] = {0xFF, 0x81};
const BYTE kPacked[] = {1, 2, 3, 4, 5};
const StringExEntry kEntries[] = {{0, 0, 0x41}, {12, -1, 0x42}};

const Row kRows[] = {
    {"filled rectangle",
     [](PDEV* p) {
       const RECTL a{1, 2, 3, 4}, b{5, 6, 7, 8};
       return PrnIdlRect(S(p), &a, &b, kRectFill) != nullptr;
     },
     "10 00 01 00 28 00 00 00 01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00"
     " 05 00 00 00 06 00 00 00 07 00 00 00 08 00 00 00",
     "0x10 kind=1 length=40 rect.left=1 rect.top=2 rect.right=3 rect.bottom=4"
     " rect2.left=5 rect2.top=6 rect2.right=7 rect2.bottom=8"},
    {"clip rectangle",
     [](PDEV* p) {
       const RECTL a{-1, 0, 100, 200};
       return PrnIdlRect(S(p), &a, &a, kRectClip) != nullptr;
     },
     "10 00 05 00 18 00 00 00 FF FF FF FF 00 00 00 00 64 00 00 00 C8 00 00 00",
     "0x10 kind=5 length=24 rect.left=-1 rect.top=0 rect.right=100 rect.bottom=200"},
    {"path of lines, one closed subpath", ClosedSquarePath,
     "12 00 08 00 4C 00 00 00 01 00 00 00 01 00 00 00 0A 00 00 00 0A 00 00 00 0C 00 00 00"
     " 03 00 00 00 10 00 00 00 10 00 00 00 00 00 00 00 A0 00 00 00 10 00 00 00"
     " 00 00 00 00 A0 00 00 00 A0 00 00 00 00 00 00 00 10 00 00 00 A0 00 00 00",
     "0x12 kind=0x08 length=76 bounds.left=1 bounds.top=1 bounds.right=10 bounds.bottom=10 estimate=12"
     " path=M 16,16 L 160,16 L 160,160 L 16,160"},
    {"path with a curve, two subpaths", CurveAndLinePath,
     "11 00 12 00 5C 00 00 00 FF FF FF FF FE FF FF FF 05 00 00 00 04 00 00 00 11 00 00 00"
     " 01 00 00 00 00 00 00 00 00 00 00 00"
     " 01 00 00 00 10 00 00 00 00 00 00 00 20 00 00 00 10 00 00 00 20 00 00 00 20 00 00 00"
     " 01 00 00 00 40 00 00 00 40 00 00 00 00 00 00 00 50 00 00 00 40 00 00 00",
     "0x11 kind=0x12 length=92 bounds.left=-1 bounds.top=-2 bounds.right=5 bounds.bottom=4 estimate=17"
     " path=M 0,0 C 16,0 32,16 32,32 | M 64,64 L 80,64"},
    {"1 by 1 one-bit image with a palette",
     [](PDEV* p) {
       return PrnIdlStretchBlt(S(p), 10, 20, 30, 40, 0, 0, 1, 1, 0x80, kOneBitLine, kBlackWhite, FALSE) != nullptr;
     },
     "20 00 80 00 44 00 00 00 0A 00 00 00 14 00 00 00 28 00 00 00 3C 00 00 00"
     " 00 00 00 00 00 00 00 00 01 00 00 00 01 00 00 00 0A 00 00 00 14 00 00 00 1E 00 00 00 28 00 00 00"
     " 00 00 00 FF FF FF 80 00 00 00 00 00",
     "0x20 format=0x80 banding=0x00 length=68 rect.left=10 rect.top=20 rect.right=40 rect.bottom=60"
     " sourceX=0 sourceY=0 width=1 height=1 x=10 y=20 cx=30 cy=40 palette=000000FFFFFF lines=80000000"},
    {"bottom-up 24-bit image",
     [](PDEV* p) {
       return PrnIdlStretchBlt(S(p), 0, 0, 2, 2, 3, 4, 2, 2, kImage24Bit, kBottomUp + 8, kBlackWhite, TRUE) != nullptr;
     },
     "20 00 24 00 48 00 00 00 00 00 00 00 00 00 00 00 02 00 00 00 02 00 00 00"
     " 03 00 00 00 04 00 00 00 02 00 00 00 02 00 00 00 00 00 00 00 00 00 00 00 02 00 00 00 02 00 00 00"
     " 01 02 03 04 05 06 00 00 11 12 13 14 15 16 00 00",
     "0x20 format=0x24 banding=0x00 length=72 rect.left=0 rect.top=0 rect.right=2 rect.bottom=2"
     " sourceX=3 sourceY=4 width=2 height=2 x=0 y=0 cx=2 cy=2 lines=01020304050600001112131415160000"},
    {"colour, one", [](PDEV* p) { return Color(p, Attr(1, 0xFFFFFF, 0x112233, 0, 0, 1)); }, "30 08 01 00 33 22 11 00",
     "0x30 length=8 flags=0x01 foreground=0x112233"},
    {"colour, text on an opaque background", [](PDEV* p) { return Color(p, Attr(2, 0xAABBCC, 0x010203, 0, 0, 2)); },
     "30 0C 49 00 03 02 01 CC BB AA 00 00", "0x30 length=12 flags=0x49 foreground=0x010203 background=0xAABBCC"},
    {"colour, transparent with a third", [](PDEV* p) { return Color(p, Attr(1, 0, 0x123456, 0x654321, 1, 3)); },
     "30 0C 11 00 56 34 12 21 43 65 00 00", "0x30 length=12 flags=0x11 foreground=0x123456 third=0x654321"},
    {"colour, three", [](PDEV* p) { return Color(p, Attr(2, 0xFFFFFF, 0x0000FF, 0x00FF00, 1, 3)); },
     "30 10 19 00 FF 00 00 FF FF FF 00 FF 00 00 00 00",
     "0x30 length=16 flags=0x19 foreground=0x0000FF background=0xFFFFFF third=0x00FF00"},
    {"ROP3 0xF0", [](PDEV* p) { return PrnIdlSetRop3(S(p), 0xF0) != nullptr; }, "31 CC 00 00", "0x31 rop3=0xCC"},
    {"background mode", [](PDEV* p) { return PrnIdlSetBackgroundMode(S(p), 2) != nullptr; }, "32 02 00 00",
     "0x32 mode=2"},
    {"line style", [](PDEV* p) { return PrnIdlLineStyle(S(p), 3, 0x0102, 0xF0F0F0F0) != nullptr; },
     "33 03 02 01 F0 F0 F0 F0", "0x33 unit=3 width=258 mask=0xF0F0F0F0"},
    {"style shift", [](PDEV* p) { return PrnIdlStyleShift(S(p), 7) != nullptr; }, "34 07 00 00", "0x34 shift=7"},
    {"line cap", [](PDEV* p) { return PrnIdlLineCap(S(p), 2) != nullptr; }, "35 02 00 00", "0x35 cap=2"},
    {"line join", [](PDEV* p) { return PrnIdlLineJoin(S(p), 2, 2560) != nullptr; }, "36 02 00 00 00 0A 00 00",
     "0x36 join=2 miter=2560"},
    {"reset clip", [](PDEV* p) { return PrnIdlResetClip(S(p)) != nullptr; }, "37 00 00 00", "0x37"},
    {"solid brush", [](PDEV* p) { return Brush(p, 0, 0, 0); }, "40 00 00 01 00 00 00 00",
     "0x40 flags=0x00 size=0 data=0 pattern="},
    {"two-colour brush of 16 pixels", [](PDEV* p) { return Brush(p, 2, 1, 16); },
     "40 80 10 01 20 00 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"
     " 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F 00 00",
     "0x40 flags=0x80 size=16 data=32 pattern=<32 bytes>"},
    {"brush of pattern size 8", [](PDEV* p) { return Brush(p, 2, 1, 8); }, "40 80 00 01 00 00 00 00",
     "0x40 flags=0x80 size=0 data=0 pattern="},
    {"define font",
     [](PDEV* p) {
       FontDescription font = Font(kFontDevice, "ABC");
       font.italic = 1;
       font.charSet = 128;
       font.pitchAndFamily = 0x11;
       font.weight = 400;
       font.escapement = 90;
       font.height = 48;
       font.width = 24;
       font.averageWidth = 12;
       font.internalLeading = 6;
       font.defaultChar = 0x30FB;
       return PrnIdlDefineFont(S(p), &font) != nullptr;
     },
     "50 00 80 11 09 00 90 01 5A 00 18 00 30 00 20 00 00 00 00 00 06 00 FB 30 41 42 43 00 00 00 00 00",
     "0x50 charSet=128 pitchAndFamily=0x11 flags=0x0009 weight=400 escapement=90 emWidth=24 emHeight=48"
     " length=32 internalLeading=6 defaultChar=0x30FB face=41424300"},
    {"define font, extended",
     [](PDEV* p) {
       FontDescription font = Font(kFontBitmap, "AB");
       font.bold = font.boldAgain = font.vertical = 1;
       font.pitchAndFamily = 0x22;
       font.weight = 700;
       font.height = 100;
       font.width = 50;
       font.defaultChar = 0x20;
       font.fontId = 77;
       font.generation = 3;
       return PrnIdlDefineFontEx(S(p), &font) != nullptr;
     },
     "56 00 22 00 A2 20 BC 02 00 00 32 00 64 00 24 00 00 00 00 00 00 00 20 00 00 00 00 00 00 00 00 00"
     " 41 42 00 00",
     "0x56 charSet=0 pitchAndFamily=0x22 flags=0x20A2 weight=700 escapement=0 emWidth=50 emHeight=100"
     " length=36 internalLeading=0 defaultChar=0x0020 face=4142"},
    {"put character",
     [](PDEV* p) {
       const RECTL cell{10, 20, 34, 44};
       return PrnIdlPutChar(S(p), &cell, 10, 56, 0x8250) != nullptr;
     },
     "51 00 00 00 24 00 00 00 0A 00 00 00 14 00 00 00 22 00 00 00 2C 00 00 00 0A 00 00 00 38 00 00 00 50 82 00 00",
     "0x51 outline=0 length=36 cell.left=10 cell.top=20 cell.right=34 cell.bottom=44 x=10 y=56 code=0x8250"},
    {"put character outline",
     [](PDEV* p) {
       const RECTL box{0, 0, 16, 16};
       return PrnIdlPutCharOutLine(S(p), &box, 5, 6, 0x41, kOutline, sizeof kOutline) != nullptr;
     },
     "51 00 01 00 40 00 00 00 00 00 00 00 00 00 00 00 10 00 00 00 10 00 00 00 05 00 00 00 06 00 00 00 41 00 00 00"
     " 06 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 10 00 00 00 10 00 00 00",
     "0x51 outline=1 length=64 cell.left=0 cell.top=0 cell.right=16 cell.bottom=16 x=5 y=6 code=0x0041 estimate=6"
     " path=M 0,0 L 16,16"},
    {"put string, an advance each",
     [](PDEV* p) {
       const RECTL rect{0, 0, 100, 20};
       return PrnIdlPutString(S(p), &rect, 1, 2, kAbc, kEach, 3, 3) != nullptr;
     },
     "52 00 80 00 30 00 00 00 00 00 00 00 00 00 00 00 64 00 00 00 14 00 00 00 01 00 00 00 02 00 00 00"
     " 03 00 00 00 0A 00 0C 00 00 00 41 00 42 00 43 00",
     "0x52 flags=0x80 length=48 rect.left=0 rect.top=0 rect.right=100 rect.bottom=20 x=1 y=2 count=3"
     " advances=[10,12,0] codes=[65,66,67]"},
    {"put string, one shared advance",
     [](PDEV* p) {
       const RECTL rect{0, 0, 100, 20};
       return PrnIdlPutString(S(p), &rect, 1, 2, kAbc, kShared, 2, 1) != nullptr;
     },
     "52 00 00 00 2C 00 00 00 00 00 00 00 00 00 00 00 64 00 00 00 14 00 00 00 01 00 00 00 02 00 00 00"
     " 02 00 00 00 E8 FF 41 00 42 00 00 00",
     "0x52 flags=0x00 length=44 rect.left=0 rect.top=0 rect.right=100 rect.bottom=20 x=1 y=2 count=2"
     " advances=[-24] codes=[65,66]"},
    {"put character bitmap, kept",
     [](PDEV* p) {
       const RECTL cell{0, 0, 8, 2};
       return PrnIdlPutCharBitmap(S(p), TRUE, &cell, 8, 0x41, 3, 4, 5, 6, 8, 2, kGlyph, 4, 2, kGlyphRaw) != nullptr;
     },
     "53 00 08 00 44 00 00 00 00 00 00 00 00 00 00 00 08 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00"
     " 40 00 00 00 05 00 00 00 06 00 00 00 08 00 00 00 02 00 00 00 02 00 00 00 00 00 00 00 41 00 00 00"
     " FF 81 00 00",
     "0x53 flags=0x08 length=68 cell.left=0 cell.top=0 cell.right=8 cell.bottom=2 x=3 y=4 dataOffset=64"
     " left=5 top=6 width=8 height=2 dataLength=2 key=0x0041 form=0 data=FF81"},
    {"put character bitmap, a reference",
     [](PDEV* p) {
       const RECTL cell{0, 0, 8, 2};
       return PrnIdlPutCharBitmap(S(p), TRUE, &cell, 0x48, 0x41, 3, 4, 5, 6, 8, 2, nullptr, 0, 0, kGlyphRaw) != nullptr;
     },
     "53 00 48 00 40 00 00 00 00 00 00 00 00 00 00 00 08 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00"
     " 00 00 00 00 05 00 00 00 06 00 00 00 08 00 00 00 02 00 00 00 00 00 00 00 00 00 00 00 41 00 00 00",
     "0x53 flags=0x48 length=64 cell.left=0 cell.top=0 cell.right=8 cell.bottom=2 x=3 y=4 dataOffset=0"
     " left=5 top=6 width=8 height=2 dataLength=0 key=0x0041 form=0"},
    {"put character bitmap, once",
     [](PDEV* p) {
       const RECTL cell{0, 0, 8, 2};
       return PrnIdlPutCharBitmap(S(p), FALSE, &cell, 4, 0x42, 0, 0, 0, 0, 8, 2, kPacked, 8, 5, kGlyphM9) != nullptr;
     },
     "57 00 04 00 48 00 00 00 00 00 00 00 00 00 00 00 08 00 00 00 02 00 00 00 00 00 00 00 00 00 00 00"
     " 40 00 00 00 00 00 00 00 00 00 00 00 08 00 00 00 02 00 00 00 05 00 00 00 00 00 00 00 42 00 02 00"
     " 01 02 03 04 05 00 00 00",
     "0x57 flags=0x04 length=72 cell.left=0 cell.top=0 cell.right=8 cell.bottom=2 x=0 y=0 dataOffset=64"
     " left=0 top=0 width=8 height=2 dataLength=5 key=0x0042 form=2 data=0102030405"},
    {"register character bitmap",
     [](PDEV* p) { return PrnIDLRegistCharBitmap(S(p), 4, 0x3042, 16, 16, kPacked, 8, 5, kGlyphM9) != nullptr; },
     "54 00 04 00 24 00 00 00 05 00 00 00 10 00 00 00 10 00 00 00 00 00 00 00 42 30 02 00 01 02 03 04 05 00 00 00",
     "0x54 flags=0x04 length=36 dataLength=5 width=16 height=16 key=0x3042 form=2 data=0102030405"},
    {"put string, extended",
     [](PDEV* p) {
       const RECTL rect{0, 0, 50, 10};
       return PrnIDLPutStringEx(S(p), &rect, 8, 7, 9, kEntries, 2) != nullptr;
     },
     "55 00 08 00 30 00 00 00 00 00 00 00 00 00 00 00 32 00 00 00 0A 00 00 00 07 00 00 00 09 00 00 00"
     " 02 00 00 00 00 00 00 00 41 00 0C 00 FF FF 42 00",
     "0x55 flags=0x08 length=48 rect.left=0 rect.top=0 rect.right=50 rect.bottom=10 x=7 y=9 count=2"
     " dx=[0,12] dy=[0,-1] codes=[65,66]"},
    {"put string, extended, one character padded",
     [](PDEV* p) {
       const RECTL rect{0, 0, 50, 10};
       return PrnIDLPutStringEx(S(p), &rect, 8, 7, 9, kEntries, 1) != nullptr;
     },
     "55 00 08 00 2C 00 00 00 00 00 00 00 00 00 00 00 32 00 00 00 0A 00 00 00 07 00 00 00 09 00 00 00"
     " 01 00 00 00 00 00 00 00 41 00 00 00",
     "0x55 flags=0x08 length=44 rect.left=0 rect.top=0 rect.right=50 rect.bottom=10 x=7 y=9 count=1"
     " dx=[0] dy=[0] codes=[65]"},
    {"page start", [](PDEV* p) { return IDlPageStart(S(p), 2450, 3200, 300, 600) != nullptr; },
     "60 00 00 00 92 09 00 00 80 0C 00 00 2C 01 58 02", "0x60 width=2450 height=3200 xResolution=300 yResolution=600"},
    {"page end", [](PDEV* p) { return IDlPageEnd(S(p)) != nullptr; }, "61 00 00 00", "0x61"},
};

class RecordBytes : public RecordTest {};

TEST_F(RecordBytes, EachRecordKindHasItsBytesAndReadsBackFieldByField) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.what);
    Clear();
    ASSERT_TRUE(row.append(pdev_));
    EXPECT_EQ(ToHex(Listed()), ToHex(FromHex(row.bytes)));
    const jobstream::Decoded decoded = ReadListed();
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    ASSERT_EQ(decoded.records.size(), 1u);
    EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(decoded.records[0])), row.fields);
  }
}

// All rows but the page records, drawn on one page of a document: the job
// stream carries them in order, byte for byte, between the page's start and
// end records.
TEST_F(RecordBytes, ThePageOfADocumentCarriesTheRecordsInOrder) {
  OpenDocument();
  std::vector<std::string> expected;
  for (const Row& row : kRows) {
    const std::uint8_t opcode = FromHex(row.bytes)[0];
    if (opcode == 0x60 || opcode == 0x61) continue;
    ASSERT_TRUE(row.append(pdev_)) << row.what;
    expected.push_back(ToHex(FromHex(row.bytes)));
  }
  const jobstream::Decoded decoded = CloseDocument();
  std::vector<std::string> carried;
  for (const jobstream::Record& r : PageRecords(decoded, 0)) carried.push_back(ToHex(r.bytes));
  EXPECT_EQ(carried, expected);
}

TEST_F(RecordBytes, TheTableCoversEveryOpcode) {
  std::vector<int> seen(256, 0);
  for (const Row& row : kRows) seen[FromHex(row.bytes)[0]] = 1;
  for (int opcode : {0x10, 0x11, 0x12, 0x20, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37,
                     0x40, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x60, 0x61}) {
    EXPECT_EQ(seen[static_cast<std::size_t>(opcode)], 1) << std::hex << opcode;
  }
}

}  // namespace
}  // namespace render_test
