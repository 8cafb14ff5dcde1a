// The image record in its two forms: the lengths of each format with and
// without a palette (always a multiple of 4, the filler zero), the same
// bytes from the one-piece and the piecewise encoder, the banding mark of
// the one-piece form only, lines read bottom-up, the piecewise record
// across chunks leaving the list aligned for the records after it, and
// what a piece that cannot be had does: the record withdrawn, or the job
// failed when part of it has gone out already.
#include "render/records/image_records.h"

#include <cstring>

#include "render/records/shape_records.h"
#include "tests/render/records/record_fixture.h"

namespace render_test {
namespace {

// A bitmap of lines x lineBytes bytes, each byte telling its line and
// place, and a palette of 256 entries to take the first of.
struct Bitmap {
  Bytes pixels;
  Bytes palette;
  ULONG lineBytes = 0;
  ULONG lines = 0;

  Bitmap(ULONG lineBytes_, ULONG lines_)
      : pixels(lineBytes_ * lines_), palette(768), lineBytes(lineBytes_), lines(lines_) {
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7 + i / lineBytes + 1);
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint8_t>(255 - i);
  }
  // The lines as the record carries them, top line first: stored top-down,
  // or bottom-up (the last stored line is the top one).
  Bytes Lines(bool bottomUp) const {
    if (!bottomUp) return pixels;
    Bytes out;
    for (ULONG i = lines; i-- > 0;)
      out.insert(out.end(), pixels.begin() + i * lineBytes, pixels.begin() + (i + 1) * lineBytes);
    return out;
  }
  const BYTE* Top(bool bottomUp) const {
    return bottomUp && lines > 0 ? pixels.data() + (lines - 1) * lineBytes : pixels.data();
  }
};

struct Shape {
  const char* what;
  BYTE format;
  LONG width;
  LONG height;
  bool palette;
  ULONG lineBytes;
  ULONG paletteBytes;
  ULONG length;
};

const Shape kShapes[] = {
    {"1 bit, 1 x 1, palette: 56 + 6 + 4 and 2 filler bytes", 0, 1, 1, true, 4, 6, 68},
    {"1 bit, 1 x 1, no palette", 0, 1, 1, false, 4, 0, 60},
    {"1 bit, 33 x 2, palette", 0, 33, 2, true, 8, 6, 80},
    {"1 bit, 0 x 0, palette: filler only", 0, 0, 0, true, 0, 6, 64},
    {"4 bits, 3 x 1, palette", 1, 3, 1, true, 4, 48, 108},
    {"8 bits, 5 x 3, palette", 2, 5, 3, true, 8, 768, 848},
    {"8 bits marked 0x80, 5 x 3, palette", 0x82, 5, 3, true, 8, 768, 848},
    {"24 bits, 3 x 3: a palette is never sent", 4, 3, 3, true, 12, 0, 92},
    {"24 bits, 1 x 5", 4, 1, 5, false, 4, 0, 76},
};

class ImageRecords : public RecordTest {
 protected:
  // The record one encoder makes of the shape; empty when it refused.
  Bytes Encode(const Shape& s, const Bitmap& bitmap, bool direct, bool bottomUp) {
    Clear();
    const BYTE* palette = s.palette ? bitmap.palette.data() : nullptr;
    const bool made = direct ? PrnIdlStretchBltDirect(stream_, 7, 8, 70, 80, 1, 2, s.width, s.height, s.format,
                                                      bitmap.Top(bottomUp), palette, bottomUp) != FALSE
                             : PrnIdlStretchBlt(stream_, 7, 8, 70, 80, 1, 2, s.width, s.height, s.format,
                                                bitmap.Top(bottomUp), palette, bottomUp) != nullptr;
    return made ? Listed() : Bytes{};
  }
};

TEST_F(ImageRecords, EachFormatHasTheLengthOfItsPaletteAndLinesInBothForms) {
  for (const Shape& s : kShapes) {
    for (bool bottomUp : {false, true}) {
      SCOPED_TRACE(std::string(s.what) + (bottomUp ? ", bottom-up" : ""));
      const Bitmap bitmap(s.lineBytes, static_cast<ULONG>(s.height));
      const Bytes whole = Encode(s, bitmap, false, bottomUp);
      ASSERT_EQ(whole.size(), s.length);
      const jobstream::Decoded decoded = ReadListed();
      ASSERT_TRUE(decoded.ok()) << decoded.error;
      const jobstream::Fields f = jobstream::ReadFields(decoded.records.at(0));
      EXPECT_EQ(f.Value("format"), s.format | (s.paletteBytes == 0 ? 0x20 : 0));
      EXPECT_EQ(f.Blob("lines"), bitmap.Lines(bottomUp));
      if (s.paletteBytes > 0) {
        EXPECT_EQ(f.Blob("palette"), Bytes(bitmap.palette.begin(), bitmap.palette.begin() + s.paletteBytes));
      }
      EXPECT_EQ(ToHex(Encode(s, bitmap, true, bottomUp)), ToHex(whole)) << "the piecewise form, byte for byte";
    }
  }
}

TEST_F(ImageRecords, OnlyTheOnePieceFormMarksABandingPdev) {
  Devmode banding;
  banding.Banding();
  Dc* dc = Enable(banding);
  ASSERT_NE(dc, nullptr);
  ASSERT_NE(dc->pdev()->banding, 0);
  JobStream* stream = &dc->pdev()->stream;
  dl_init(stream);
  const BYTE line[4] = {0xF0, 0, 0, 0};
  BYTE* record = PrnIdlStretchBlt(stream, 0, 0, 4, 1, 0, 0, 4, 1, 0, line, nullptr, FALSE);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record[3], 0x04);
  BYTE* next = stream->tail->fill;
  ASSERT_TRUE(PrnIdlStretchBltDirect(stream, 0, 0, 4, 1, 0, 0, 4, 1, 0, line, nullptr, FALSE));
  EXPECT_EQ(next[3], 0x00);
  EXPECT_EQ(record[3], 0x04);
  dl_free(stream);
  // A PDEV that does not band never marks.
  Clear();
  record = PrnIdlStretchBlt(stream_, 0, 0, 4, 1, 0, 0, 4, 1, 0, line, nullptr, FALSE);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record[3], 0x00);
}

// Appends length bytes of reset-clip records.
void Queue(JobStream* stream, ULONG length) {
  BYTE* filler = dl_alloc(stream, length);
  ASSERT_NE(filler, nullptr);
  for (ULONG i = 0; i < length; i += 4) {
    const BYTE resetClip[4] = {0x37, 0, 0, 0};
    std::memcpy(filler + i, resetClip, 4);
  }
}

// Fills the tail chunk up to room bytes before its end.
void LeaveRoom(JobStream* stream, ULONG room) {
  const auto left = static_cast<ULONG>(stream->tail->end - stream->tail->fill);
  ASSERT_GE(left, room);
  if (left > room) Queue(stream, left - room);
}

// A closed square as a path record, cut back to its length.
void AppendPath(PDEV* pdev) {
  ULONG length = 0;
  BYTE* record = IdlAllocPath(pdev, 4, &length);
  ASSERT_NE(record, nullptr);
  BYTE* end = record + length;
  BYTE* subpath = IdlGetPathPointer(pdev, record);
  const POINTL points[] = {{32, 0}, {32, 32}, {0, 32}};
  BYTE* at = IdlPutPolyLine(IdlPutSubpathStart(subpath, end, {0, 0}), end, points, 3);
  ASSERT_NE(at, nullptr);
  IdlSetSubpathSegments(subpath, 3);
  IdlFinishPath(pdev, record, at, FALSE, kPathStroke, {1, 3, 0, TRUE}, {0, 0, 32, 32});
}

TEST_F(ImageRecords, APiecewiseRecordAcrossChunksLeavesTheListAlignedForTheNextRecords) {
  // A one-bit image with a palette: its head and palette end 2 bytes off a
  // multiple of 4. Its lines go on in a new chunk.
  const Shape s{"", 0, 64, 50, true, 8, 6, 56 + 6 + 400 + 2};
  const Bitmap bitmap(s.lineBytes, 50);
  const Bytes whole = Encode(s, bitmap, false, false);
  for (ULONG room : {100u, 68u, 64u, 8u}) {
    SCOPED_TRACE(room);
    Clear();
    LeaveRoom(stream_, room);
    const Bytes before = Listed();
    ASSERT_TRUE(PrnIdlStretchBltDirect(stream_, 7, 8, 70, 80, 1, 2, 64, 50, 0, bitmap.pixels.data(),
                                       bitmap.palette.data(), FALSE));
    EXPECT_NE(stream_->tail, stream_->head) << "the record went on in a new chunk";
    EXPECT_EQ((stream_->tail->fill - stream_->tail->Data()) % 4, 0);
    AppendPath(pdev_);
    const jobstream::Decoded decoded = ReadListed();
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    ASSERT_GE(decoded.records.size(), 2u);
    const jobstream::Record& image = decoded.records[decoded.records.size() - 2];
    EXPECT_EQ(ToHex(image.bytes), ToHex(whole));
    EXPECT_EQ(decoded.records.back().opcode, 0x12);
    EXPECT_EQ(decoded.records.back().bytes.size(), 76u);
    EXPECT_EQ(Listed().size(), before.size() + whole.size() + 76) << "nothing between or after the records";
  }
}

TEST_F(ImageRecords, APieceThatCannotBeHadWithdrawsTheWholeRecord) {
  const Bitmap bitmap(8, 50);
  LeaveRoom(stream_, 100);
  const Bytes before = Listed();
  plat::FailAllocationAt(1);  // the chunk the lines go on in
  EXPECT_FALSE(PrnIdlStretchBltDirect(stream_, 0, 0, 64, 50, 0, 0, 64, 50, 0, bitmap.pixels.data(),
                                      bitmap.palette.data(), FALSE));
  plat::FailAllocationAt(0);
  EXPECT_EQ(ToHex(Listed()), ToHex(before));
  EXPECT_EQ(stream_->tail, stream_->head);
  EXPECT_EQ(pdev_->flags & kPdevWriteError, 0u);
  // The list goes on as if nothing had been tried.
  AppendPath(pdev_);
  const jobstream::Decoded decoded = ReadListed();
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  EXPECT_EQ(decoded.records.back().opcode, 0x12);
}

TEST_F(ImageRecords, APieceLostAfterPartOfTheRecordWentOutFailsTheJob) {
  OpenDocument();
  // More than 0x100000 bytes queued in records of 10236 bytes, each in a
  // chunk of its own, so that the next chunk sends the page so far.
  for (int i = 0; i < 103; ++i) Queue(stream_, 10236);
  ASSERT_GT(stream_->queued, 0x100000u);
  // Lines of 10236 bytes: the head goes out with the page so far, each
  // line takes a chunk, and the second of those is refused.
  const Bitmap bitmap(10236, 3);
  const std::size_t writes = WriteSizes().size();
  plat::FailAllocationAt(3);
  EXPECT_FALSE(PrnIdlStretchBltDirect(stream_, 0, 0, 81888, 3, 0, 0, 81888, 3, 0, bitmap.pixels.data(),
                                      bitmap.palette.data(), FALSE));
  plat::FailAllocationAt(0);
  EXPECT_GT(WriteSizes().size(), writes) << "the page so far went out";
  EXPECT_NE(pdev_->flags & kPdevWriteError, 0u);
  const std::size_t failed = WriteSizes().size();
  EXPECT_FALSE(DrvSendPage(dc_->so));
  EXPECT_EQ(WriteSizes().size(), failed) << "nothing more of the job is written";
  DrvEndDoc(dc_->so, 0);
}

TEST_F(ImageRecords, ImagesNoRecordCanHoldAreRefusedAndAppendNothing) {
  const BYTE line[4] = {};
  const struct {
    const char* what;
    LONG width;
    LONG height;
    const BYTE* pixels;
  } rows[] = {
      {"negative width", -1, 1, line},
      {"negative height", 1, -1, line},
      {"longer than a length can say", 0x7FFFFFFF, 0x7FFFFFFF, line},
      {"lines without pixels", 1, 1, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Clear();
    EXPECT_EQ(PrnIdlStretchBlt(stream_, 0, 0, 1, 1, 0, 0, row.width, row.height, 4, row.pixels, nullptr, FALSE),
              nullptr);
    EXPECT_FALSE(
        PrnIdlStretchBltDirect(stream_, 0, 0, 1, 1, 0, 0, row.width, row.height, 4, row.pixels, nullptr, FALSE));
    EXPECT_TRUE(Listed().empty());
  }
}

TEST_F(ImageRecords, APlaceAtTheEndOfTheCoordinateRangeIsWrittenAsTheFieldsTakeIt) {
  const BYTE line[4] = {};
  BYTE* record = PrnIdlStretchBlt(stream_, 0x7FFFFFFF, -5, 10, 10, 0, 0, 1, 1, 4, line, nullptr, FALSE);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(ToHex(Bytes(record + 8, record + 24)), "FF FF FF 7F FB FF FF FF 09 00 00 80 05 00 00 00");
  const jobstream::Decoded decoded = ReadListed();
  EXPECT_TRUE(decoded.ok()) << decoded.error;
}

}  // namespace
}  // namespace render_test
