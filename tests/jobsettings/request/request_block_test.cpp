// What each field of an application's request block asks for: the code
// tables of every field, the codes that depend on the context (two pages
// per sheet, the finisher trays), codes outside a table (the setting's
// default), and a block that is short or has no pending request.
#include <gtest/gtest.h>

#include <vector>

#include "jobsettings/request/request_block.h"

namespace {

constexpr LONG kDefault = -1;  // the expectation for "the setting's default"

struct Setting {
  WORD funcId;
  LONG value;
  bool operator==(const Setting&) const = default;
};

RequestBlock Block(std::size_t field, BYTE code) {
  RequestBlock b;
  b.bytes[kReqPending] = kReqIsPending;
  b.bytes[field] = code;
  return b;
}

RequestBlock ScaleBlock(WORD scale) {
  RequestBlock b = Block(kReqScale, static_cast<BYTE>(scale));
  b.bytes[kReqScale + 1] = static_cast<BYTE>(scale >> 8);
  return b;
}

std::vector<Setting> Asked(const RequestBlock& b, std::size_t field, RequestContext context = {true, 44, 45}) {
  const FieldSettings s = SettingsOfField(b, field, context);
  std::vector<Setting> out;
  for (std::size_t i = 0; i < s.count; ++i) {
    out.push_back({s.items[i].funcId, s.items[i].useDefault ? kDefault : s.items[i].value});
  }
  return out;
}

struct FieldCase {
  std::size_t field;
  BYTE code;
  std::vector<Setting> settings;
};

TEST(RequestBlock, EachFieldsCodes) {
  const FieldCase cases[] = {
      // Duplex, sort and punch: 1 off, 2-4 on with a kind, others on with the default kind.
      {kReqDuplex, 0, {}},
      {kReqDuplex, 1, {{58, 0}}},
      {kReqDuplex, 2, {{58, 1}, {94, 1}}},
      {kReqDuplex, 4, {{58, 1}, {94, 3}}},
      {kReqDuplex, 5, {{58, 1}, {94, kDefault}}},
      {kReqSort, 1, {{61, 0}}},
      {kReqSort, 3, {{61, 1}, {119, 4}}},
      {kReqSort, 4, {{61, 1}, {119, 6}}},
      {kReqSort, 200, {{61, 1}, {119, kDefault}}},
      {kReqPunch, 3, {{62, 1}, {120, 2}}},
      {kReqPunch, 9, {{62, 1}, {120, kDefault}}},
      // Staple kinds.
      {kReqStaple, 1, {{63, 0}}},
      {kReqStaple, 2, {{63, 1}, {121, 34}}},
      {kReqStaple, 3, {{63, 1}, {121, 33}}},
      {kReqStaple, 6, {{63, 1}, {121, 50}}},
      {kReqStaple, 12, {{63, 1}, {121, 49}}},
      {kReqStaple, 9, {{63, 1}, {121, 67}}},
      {kReqStaple, 10, {{63, 1}, {121, 66}}},
      {kReqStaple, 13, {{63, 1}, {121, kDefault}}},
      // Output trays; 14 and 15 are the finisher's blank-sheet and ordinary trays.
      {kReqOutputTray, 1, {{53, 0}}},
      {kReqOutputTray, 3, {{53, 13}}},
      {kReqOutputTray, 5, {{53, 15}}},
      {kReqOutputTray, 13, {{53, 23}}},
      {kReqOutputTray, 14, {{53, 45}}},
      {kReqOutputTray, 15, {{53, 44}}},
      {kReqOutputTray, 16, {{53, 14}}},
      {kReqOutputTray, 17, {{53, 1}}},
      {kReqOutputTray, 18, {{53, kDefault}}},
      {kReqResolution, 1, {{38, 400}}},
      {kReqResolution, 3, {{38, 1200}}},
      {kReqResolution, 4, {{38, kDefault}}},
      {kReqPrintArea, 2, {{173, 1}}},
      {kReqPrintArea, 3, {{173, kDefault}}},
      // Pages per sheet.
      {kReqPagesPerSheet, 1, {{56, 0}}},
      {kReqPagesPerSheet, 3, {{56, 1}, {91, 1}, {92, 2}}},
      {kReqPagesPerSheet, 7, {{56, 1}, {91, 2}, {92, 38}}},
      {kReqPagesPerSheet, 8, {{56, 1}, {91, kDefault}, {92, kDefault}}},
      // Paper sizes.
      {kReqPaperSize, 1, {{46, 8}}},
      {kReqPaperSize, 8, {{46, 1}}},
      {kReqPaperSize, 15, {{46, 66}}},
      {kReqPaperSize, 16, {{46, kDefault}}},
      {kReqPaperSize, 18, {{46, 269}}},
  };
  for (const FieldCase& c : cases) {
    EXPECT_EQ(Asked(Block(c.field, c.code), c.field), c.settings) << "field " << c.field << " code " << int{c.code};
  }
}

TEST(RequestBlock, ScaleCodesAndPercentages) {
  struct Case {
    WORD scale;
    LONG percent;
  };
  const Case cases[] = {{0x4001, 67}, {0x4005, 88}, {0x4007, 115}, {150, 150}, {0x4008, 0x4008}, {0xFFFF, 0xFFFF}};
  for (const Case& c : cases) {
    EXPECT_EQ(Asked(ScaleBlock(c.scale), kReqScale), (std::vector<Setting>{{55, 1}, {87, 1}, {89, c.percent}}))
        << c.scale;
  }
  EXPECT_TRUE(Asked(ScaleBlock(0), kReqScale).empty()) << "scale 0 leaves the scale alone";
}

TEST(RequestBlock, TwoPagesPerSheetFollowOrientation) {
  EXPECT_EQ(Asked(Block(kReqPagesPerSheet, 2), kReqPagesPerSheet, {true, -1, -1}),
            (std::vector<Setting>{{56, 1}, {91, 1}, {92, 1}}));
  EXPECT_EQ(Asked(Block(kReqPagesPerSheet, 2), kReqPagesPerSheet, {false, -1, -1}),
            (std::vector<Setting>{{56, 1}, {91, 1}, {92, 3}}));
}

TEST(RequestBlock, FinisherTraysWithoutAFinisherAskForTheDefault) {
  const RequestContext none{true, -1, -1};
  EXPECT_EQ(Asked(Block(kReqOutputTray, 14), kReqOutputTray, none), (std::vector<Setting>{{53, kDefault}}));
  EXPECT_EQ(Asked(Block(kReqOutputTray, 15), kReqOutputTray, none), (std::vector<Setting>{{53, kDefault}}));
}

TEST(RequestBlock, OnlyAWholeBlockWithItsFlagIsPending) {
  std::vector<BYTE> bytes(kRequestBlockSize, 0);
  bytes[kReqPending] = 1;
  bytes[kReqMode] = 2;
  const auto r = ReadPendingRequest(bytes);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->mode(), RequestMode::Defaults);
  EXPECT_FALSE(ReadPendingRequest(std::span<const BYTE>(bytes.data(), kRequestBlockSize - 1)).has_value());
  EXPECT_FALSE(ReadPendingRequest({}).has_value());
  for (BYTE flag : {BYTE{0}, BYTE{2}, BYTE{0xFF}}) {
    bytes[kReqPending] = flag;
    EXPECT_FALSE(ReadPendingRequest(bytes).has_value()) << int{flag};
  }
}

TEST(RequestBlock, ModesOtherThanTheThreeApply) {
  for (BYTE mode : {BYTE{0}, BYTE{1}, BYTE{5}, BYTE{0x80}, BYTE{0xFF}}) {
    EXPECT_EQ(Block(kReqMode, mode).mode(), RequestMode::Apply) << int{mode};
  }
  EXPECT_EQ(Block(kReqMode, 3).mode(), RequestMode::Refresh);
  EXPECT_EQ(Block(kReqMode, 4).mode(), RequestMode::DefaultsAndRefresh);
}

}  // namespace
