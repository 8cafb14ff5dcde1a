// Emit on change, read back from the job stream of a one-page document:
// each case is a run of attribute calls and the records the page must hold,
// so that no record repeats what the page was already sent and every change
// is sent. Then the state's life: per page (also a page sent without being
// started), per PDEV (a reset hands none of it to the new PDEV), and kept as
// it was when a record could not be appended.
#include "render/records/state_control.h"

#include <cstring>
#include <functional>

#include "render/records/attribute_records.h"
#include "tests/render/records/record_fixture.h"

namespace render_test {
namespace {

using Step = std::function<BOOL(PDEV*)>;

Step Rop(BYTE rop3) {
  return [=](PDEV* p) { return IdlSetRop3Ctrl(p, rop3); };
}
Step Mode(SHORT mode) {
  return [=](PDEV* p) { return IdlSetBackgroundModeCtrl(p, mode); };
}
DRAWATTR Colors(ULONG foreground, ULONG background = 0xFFFFFF, SHORT mode = 1, SHORT kind = 1, SHORT thirdFlag = 0,
                ULONG third = 0) {
  return DRAWATTR{13, mode, background, foreground, third, thirdFlag, kind};
}
Step Color(DRAWATTR attributes) {
  return [=](PDEV* p) { return IdlSetColorCtrl(p, &attributes); };
}
LineAttributes Line(SHORT width = 1, USHORT cap = 0, USHORT join = 0, ULONG miter = 2560, BYTE shift = 0,
                    ULONG mask = 0xFFFFFFFF, USHORT unit = 1) {
  return LineAttributes{unit, join, cap, width, shift, miter, mask, 0};
}
Step Lines(LineAttributes line) {
  return [=](PDEV* p) { return IdlSetLineAttrCtrl(p, &line); };
}

// A brush record with a 32 by 32 one-bit pattern after it.
struct PatternBrush {
  BrushRecord record;
  BYTE pattern[128];
};
Step Solid(ULONG color, SHORT x = 0, SHORT y = 0) {
  return [=](PDEV* p) {
    const BrushRecord brush{0, x, y, {color, 0xFFFFFF}, 0, 0};
    return IdlSetBrushCtrl(p, &brush);
  };
}
Step Pattern(BYTE fill) {
  return [=](PDEV* p) {
    PatternBrush brush{{2, 0, 0, {0, 0xFFFFFF}, 1, 32}, {}};
    for (BYTE& b : brush.pattern) b = fill;
    return IdlSetBrushCtrl(p, &brush.record);
  };
}

struct Case {
  const char* what;
  std::vector<Step> steps;
  std::vector<std::uint8_t> opcodes;  // of the page, between its start and end
};

const Case kCases[] = {
    {"ROP3 0xF0 twice is one record", {Rop(0xF0), Rop(0xF0)}, {0x31}},
    {"ROP3 0xCC and then 0xF0 are the same record", {Rop(0xCC), Rop(0xF0)}, {0x31}},
    {"a changed ROP3 is sent", {Rop(0xCC), Rop(0x88), Rop(0x88), Rop(0xCC)}, {0x31, 0x31, 0x31}},
    {"background modes", {Mode(1), Mode(1), Mode(2), Mode(2), Mode(1)}, {0x32, 0x32, 0x32}},
    {"three equal colours are one record", {Color(Colors(0x10)), Color(Colors(0x10)), Color(Colors(0x10))}, {0x30}},
    {"a new foreground is sent", {Color(Colors(0x10)), Color(Colors(0x20))}, {0x30, 0x30}},
    {"a new background in transparent mode says nothing new",
     {Color(Colors(0x10, 0xFFFFFF)), Color(Colors(0x10, 0x808080))},
     {0x30}},
    {"a new background in opaque mode is sent",
     {Color(Colors(0x10, 0xFFFFFF, 2)), Color(Colors(0x10, 0x808080, 2))},
     {0x30, 0x30}},
    {"opaque after transparent is sent",
     {Color(Colors(0x10, 0xFFFFFF, 1)), Color(Colors(0x10, 0xFFFFFF, 2))},
     {0x30, 0x30}},
    {"fill and stroke colours are one record, text another",
     {Color(Colors(0x10, 0xFFFFFF, 1, 0)), Color(Colors(0x10, 0xFFFFFF, 1, 1)), Color(Colors(0x10, 0xFFFFFF, 1, 2))},
     {0x30, 0x30}},
    {"a third colour counts only when flagged",
     {Color(Colors(0x10, 0xFFFFFF, 1, 3, 0, 0x5)), Color(Colors(0x10, 0xFFFFFF, 1, 3, 0, 0x6)),
      Color(Colors(0x10, 0xFFFFFF, 1, 3, 1, 0x6)), Color(Colors(0x10, 0xFFFFFF, 1, 3, 1, 0x7))},
     {0x30, 0x30, 0x30}},
    {"a colour's fourth byte is not sent", {Color(Colors(0x10)), Color(Colors(0xFF000010))}, {0x30}},
    {"the first line attributes send all four records", {Lines(Line())}, {0x33, 0x34, 0x35, 0x36}},
    {"equal line attributes send nothing more", {Lines(Line()), Lines(Line())}, {0x33, 0x34, 0x35, 0x36}},
    {"each changed line value sends its own record",
     {Lines(Line()), Lines(Line(3)), Lines(Line(3, 0, 0, 2560, 0, 0xF0F0F0F0)),
      Lines(Line(3, 0, 0, 2560, 0, 0xF0F0F0F0, 2)), Lines(Line(3, 0, 0, 2560, 5, 0xF0F0F0F0, 2)),
      Lines(Line(3, 1, 0, 2560, 5, 0xF0F0F0F0, 2)), Lines(Line(3, 1, 2, 2560, 5, 0xF0F0F0F0, 2)),
      Lines(Line(3, 1, 2, 1024, 5, 0xF0F0F0F0, 2))},
     {0x33, 0x34, 0x35, 0x36, 0x33, 0x33, 0x33, 0x34, 0x35, 0x36, 0x36}},
    {"caps and joins other than 1 and 2 go as 0, and change nothing",
     {Lines(Line(1, 0, 0)), Lines(Line(1, 7, 9)), Lines(Line(1, 2, 9)), Lines(Line(1, 2, 1))},
     {0x33, 0x34, 0x35, 0x36, 0x35, 0x36}},
    {"width, style and shift change together in order",
     {Lines(Line()), Lines(Line(2, 0, 0, 2560, 1))},
     {0x33, 0x34, 0x35, 0x36, 0x33, 0x34}},
    {"the first brush is defined, a second solid one is not", {Solid(0x10), Solid(0x20)}, {0x40}},
    {"a pattern brush is always defined again",
     {Pattern(0xAA), Pattern(0xAA), Solid(0x10), Solid(0x10)},
     {0x40, 0x40, 0x40}},
    {"a new brush origin alone sends nothing", {Solid(0x10, 0, 0), Solid(0x10, 5, 7)}, {0x40}},
};

class StateControl : public RecordTest {
 protected:
  // Runs the steps on the open page and returns the page's records.
  std::vector<jobstream::Record> Page(const std::vector<Step>& steps) {
    OpenDocument();
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_TRUE(steps[i](pdev_)) << "step " << i;
    const jobstream::Decoded decoded = CloseDocument();
    return PageRecords(decoded, 0);
  }
};

TEST_F(StateControl, EachRunOfCallsSendsOnlyWhatChanged) {
  bool first = true;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    if (!first) StartJob();
    first = false;
    EXPECT_EQ(ToHex(Opcodes(Page(c.steps))), ToHex(c.opcodes));
  }
}

TEST_F(StateControl, WhatIsSentIsTheLastValueOfEachKind) {
  const auto records = Page({Rop(0xF0), Color(Colors(0x112233, 0x445566, 2, 2)),
                             Lines(Line(4, 7, 1, 3000, 3, 0xFF00FF00, 2)), Pattern(0x5A), Mode(1)});
  ASSERT_EQ(ToHex(Opcodes(records)), "31 30 33 34 35 36 40 32");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[0])), "0x31 rop3=0xCC");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[1])),
            "0x30 length=12 flags=0x49 foreground=0x112233 background=0x445566");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[2])), "0x33 unit=2 width=4 mask=0xFF00FF00");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[3])), "0x34 shift=3");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[4])), "0x35 cap=0");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[5])), "0x36 join=1 miter=3000");
  const jobstream::Fields brush = jobstream::ReadFields(records[6]);
  EXPECT_EQ(brush.Value("size"), 32);
  EXPECT_EQ(brush.Blob("pattern"), Bytes(128, 0x5A));
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(records[7])), "0x32 mode=1");
}

TEST_F(StateControl, NullArgumentsAreRefusedAndSendNothing) {
  OpenDocument();
  EXPECT_FALSE(IdlSetBrushCtrl(pdev_, nullptr));
  EXPECT_FALSE(IdlSetColorCtrl(pdev_, nullptr));
  EXPECT_FALSE(IdlSetLineAttrCtrl(pdev_, nullptr));
  EXPECT_TRUE(PageRecords(CloseDocument(), 0).empty());
}

// The same attributes on every page of a document, with the page opened
// in the given ways: each page carries them once.
TEST_F(StateControl, EveryPageIsSentItsAttributesAgain) {
  const std::vector<Step> steps = {Rop(0xCC), Mode(2), Color(Colors(0x10)), Lines(Line()), Solid(0x10)};
  const std::string once = "31 32 30 33 34 35 36 40";
  auto draw = [&] {
    for (const Step& step : steps) EXPECT_TRUE(step(pdev_));
  };
  OpenDocument();
  draw();
  draw();
  ASSERT_TRUE(DrvSendPage(dc_->so));
  ASSERT_TRUE(DrvStartPage(dc_->so));
  draw();
  ASSERT_TRUE(DrvSendPage(dc_->so));
  // A page drawn without being started.
  draw();
  const jobstream::Decoded decoded = CloseDocument();
  ASSERT_EQ(jobstream::Pages(decoded), 3u);
  for (std::size_t page = 0; page < 3; ++page) {
    SCOPED_TRACE(page);
    EXPECT_EQ(ToHex(Opcodes(PageRecords(decoded, page))), once);
  }
}

TEST_F(StateControl, ANewPdevAfterAResetKnowsNothingOfWhatTheOldOneSent) {
  const std::vector<Step> steps = {Rop(0xCC), Color(Colors(0x10)), Lines(Line())};
  OpenDocument();
  for (const Step& step : steps) ASSERT_TRUE(step(pdev_));
  ASSERT_TRUE(DrvSendPage(dc_->so));
  Dc* fresh = Enable(devmode_);
  ASSERT_NE(fresh, nullptr);
  ASSERT_TRUE(DrvResetPDEV(dc_->device.dhpdev, fresh->device.dhpdev));
  Disable(dc_);
  dc_ = fresh;
  pdev_ = fresh->pdev();
  // The new PDEV's first page is drawn without being started, then one
  // that is.
  for (const Step& step : steps) ASSERT_TRUE(step(pdev_));
  ASSERT_TRUE(DrvSendPage(dc_->so));
  ASSERT_TRUE(DrvStartPage(dc_->so));
  for (const Step& step : steps) ASSERT_TRUE(step(pdev_));
  const jobstream::Decoded decoded = CloseDocument();
  EXPECT_EQ(jobstream::Letters(decoded), "JNHELTJLTHELT");
  ASSERT_EQ(jobstream::Pages(decoded), 3u);
  for (std::size_t page = 0; page < 3; ++page) {
    SCOPED_TRACE(page);
    EXPECT_EQ(ToHex(Opcodes(PageRecords(decoded, page))), "31 30 33 34 35 36");
  }
}

// Fills the tail chunk so that exactly room bytes are left before its end.
void LeaveRoom(JobStream* stream, ULONG room) {
  const auto left = static_cast<ULONG>(stream->tail->end - stream->tail->fill);
  ASSERT_GT(left, room);
  BYTE* filler = dl_alloc(stream, left - room);
  ASSERT_NE(filler, nullptr);
  for (ULONG i = 0; i < left - room; i += 4) {
    const BYTE resetClip[4] = {0x37, 0, 0, 0};
    std::memcpy(filler + i, resetClip, 4);
  }
}

TEST_F(StateControl, ARecordThatCannotBeAppendedLeavesTheStateAsItWas) {
  OpenDocument();
  ASSERT_TRUE(IdlSetRop3Ctrl(pdev_, 0xCC));
  const DRAWATTR black = Colors(0x10);
  ASSERT_TRUE(IdlSetColorCtrl(pdev_, &black));
  LeaveRoom(stream_, 4);  // every further record needs a new chunk
  const DRAWATTR red = Colors(0xFF0000);
  const LineAttributes line = Line(2);
  plat::FailAllocationAt(1);
  EXPECT_FALSE(IdlSetRop3Ctrl(pdev_, 0x88));
  plat::FailAllocationAt(1);
  EXPECT_FALSE(IdlSetColorCtrl(pdev_, &red));
  plat::FailAllocationAt(1);
  EXPECT_FALSE(IdlSetLineAttrCtrl(pdev_, &line));
  plat::FailAllocationAt(0);
  // The state still says 0xCC and the old colour: the new values go out,
  // the old ones are still known.
  EXPECT_TRUE(IdlSetRop3Ctrl(pdev_, 0x88));
  EXPECT_TRUE(IdlSetColorCtrl(pdev_, &red));
  EXPECT_TRUE(IdlSetLineAttrCtrl(pdev_, &line));
  EXPECT_TRUE(IdlSetRop3Ctrl(pdev_, 0x88));
  EXPECT_TRUE(IdlSetColorCtrl(pdev_, &red));
  std::vector<std::uint8_t> sent;
  for (const jobstream::Record& r : PageRecords(CloseDocument(), 0)) {
    if (r.opcode != 0x37) sent.push_back(r.opcode);
  }
  EXPECT_EQ(ToHex(sent), "31 30 31 30 33 34 35 36");
}

}  // namespace
}  // namespace render_test
