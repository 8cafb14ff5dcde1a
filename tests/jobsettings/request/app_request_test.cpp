// The application request block carried out by DEVMODE validation and the
// capability block handed back, on the Kesm W2 request sample: requests in
// every mode (valid, unknown mode, codes outside the tables, oversized
// values), the run-time bytes that a rebuild of the defaults must keep, a
// request carried out once however often the DEVMODE is validated again,
// and the capability block under the description's constraints.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <utility>

#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/request/app_request.h"
#include "jobsettings/request/request_block.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

constexpr DWORD kJobCheck = 0x8000008;
constexpr std::size_t kOffRequest = KDM_OFFSET(header.kdmTcomMember);
constexpr std::size_t kOffCaps = KDM_OFFSET(header.kdmTcomCaps);

using Fields = std::initializer_list<std::pair<std::size_t, BYTE>>;

class AppRequest : public ValidationMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_w2_request.kpd"));
    ucb_ = Open();
    ASSERT_NE(ucb_, nullptr);
    ASSERT_TRUE(IsMyValidDevmode(Dm(ucb_), 0)) << "the W2 defaults are this model's";
  }
  // The context's DEVMODE as an application hands it back with a request.
  Bytes WithRequest(BYTE mode, Fields fields, WORD scale = 0) {
    Bytes b = Image(ucb_);
    BYTE* r = b.data() + kOffRequest;
    r[kReqMode] = mode;
    r[kReqPending] = kReqIsPending;
    for (const auto& [field, code] : fields) r[field] = code;
    StoreLE<WORD>(r, kReqScale, scale);
    return b;
  }
  int Validate(Bytes& b) { return ValidateDevmode(ucb_, Dm(b), b.size(), kJobCheck); }
  static Bytes RequestOf(const Bytes& image) {
    return Bytes(image.begin() + kOffRequest, image.begin() + kOffRequest + kRequestBlockSize);
  }
  static Bytes Block(UCB* ucb, std::size_t at) {
    const BYTE* p = ucb->pDCB->devmode + at;
    return Bytes(p, p + kRequestBlockSize);
  }
  static LONG ValueIn(const Bytes& image, std::size_t offset, std::size_t width) {
    return width == 1 ? image[offset] : LoadLE<SHORT>(image.data(), offset);
  }

  UCB* ucb_ = nullptr;
};

struct Expect {
  WORD funcId;
  LONG_PTR value;
};

TEST_F(AppRequest, AValidRequestSetsItsSettingsAndIsCarriedOutOnce) {
  Bytes b = WithRequest(0, {{kReqDuplex, 3},
                            {kReqSort, 3},
                            {kReqStaple, 1},
                            {kReqOutputTray, 2},
                            {kReqResolution, 3},
                            {kReqPaperSize, 1}},
                        0x4005);
  ASSERT_EQ(Validate(b), 1);
  const Expect expected[] = {{58, 1}, {94, 2}, {61, 1}, {119, 4}, {19, 1}, {63, 0}, {53, 2},
                             {38, 1200}, {55, 1}, {89, 88}, {46, 8}};
  for (const Expect& e : expected) EXPECT_EQ(Value(ucb_, e.funcId), e.value) << "setting " << e.funcId;
  EXPECT_NE(GetValidateFlags(ucb_) & kValidateRequestApplied, 0u);
  EXPECT_EQ(Block(ucb_, kOffRequest), Bytes(kRequestBlockSize, 0)) << "the context keeps no request";

  // Validated again, with no DEVMODE or with the one handed out, the
  // request is not applied again over a later change.
  Set(ucb_, 119, 1);
  Set(ucb_, 53, 0);
  ASSERT_EQ(ValidateDevmode(ucb_, nullptr, 0, kJobCheck), 1);
  Bytes handedOut = Image(ucb_);
  ASSERT_EQ(Validate(handedOut), 1);
  EXPECT_EQ(Value(ucb_, 119), 1);
  EXPECT_EQ(Value(ucb_, 53), 0);
  EXPECT_EQ(GetValidateFlags(ucb_) & kValidateRequestApplied, 0u);
}

TEST_F(AppRequest, AnUnknownModeAppliesTheFields) {
  for (BYTE mode : {BYTE{1}, BYTE{7}, BYTE{0xFF}}) {
    SCOPED_TRACE(int{mode});
    Set(ucb_, 58, 0);
    Bytes b = WithRequest(mode, {{kReqDuplex, 2}});
    ASSERT_EQ(Validate(b), 1);
    EXPECT_EQ(Value(ucb_, 58), 1);
    EXPECT_EQ(Value(ucb_, 94), 1);
  }
}

TEST_F(AppRequest, WithoutThePendingFlagNothingChanges) {
  for (BYTE flag : {BYTE{0}, BYTE{2}}) {
    Bytes b = WithRequest(0, {{kReqDuplex, 2}, {kReqResolution, 3}});
    b[kOffRequest + kReqPending] = flag;
    ASSERT_EQ(Validate(b), 1);
    EXPECT_EQ(Value(ucb_, 58), 0);
    EXPECT_EQ(Value(ucb_, 38), 600);
    EXPECT_EQ(GetValidateFlags(ucb_) & kValidateRequestApplied, 0u);
  }
}

TEST_F(AppRequest, AnEmptyRequestOnlyFollowsCollationToSorting) {
  Set(ucb_, 61, 1);
  Set(ucb_, 19, 0);
  Bytes b = WithRequest(0, {});
  ASSERT_EQ(Validate(b), 1);
  EXPECT_EQ(Value(ucb_, 19), 1);
  EXPECT_EQ(Value(ucb_, 61), 1);
  EXPECT_EQ(Value(ucb_, 58), 0);
}

TEST_F(AppRequest, TheDescriptionsActionsFollowTheRequest) {
  // Slanted staples with punching go back to left-top.
  Bytes b = WithRequest(0, {{kReqPunch, 2}, {kReqStaple, 3}});
  ASSERT_EQ(Validate(b), 1);
  EXPECT_EQ(Value(ucb_, 62), 1);
  EXPECT_EQ(Value(ucb_, 63), 1);
  EXPECT_EQ(Value(ucb_, 121), 1);
  Bytes alone = WithRequest(0, {{kReqPunch, 1}, {kReqStaple, 3}});
  ASSERT_EQ(Validate(alone), 1);
  EXPECT_EQ(Value(ucb_, 121), 33);
}

// What the request hands to the rest of validation: every value is one the
// description offers before anything derives from it.
TEST_F(AppRequest, CodesOutsideTheTablesAndOversizedValuesArriveValid) {
  struct Case {
    const char* what;
    Fields fields;
    WORD scale;
    Expect expected;
    std::size_t offset;
    std::size_t width;
  };
  const Case cases[] = {
      {"unknown duplex kind: the default", {{kReqDuplex, 9}}, 0, {94, 1}, KDM_OFFSET(kdmDuplexType), 1},
      {"unknown resolution: the default", {{kReqResolution, 9}}, 0, {38, 600}, KDM_OFFSET(kdmDstResolutionW), 2},
      {"unknown paper: the default", {{kReqPaperSize, 16}}, 0, {46, 9}, KDM_OFFSET(kdmOutPaperSize), 2},
      {"a paper the printer lacks: the default", {{kReqPaperSize, 5}}, 0, {46, 9}, KDM_OFFSET(kdmOutPaperSize), 2},
      {"sort kind 255: the default", {{kReqSort, 255}}, 0, {119, 1}, KDM_OFFSET(kdmSortType), 1},
      {"a tray the printer lacks: the default", {{kReqOutputTray, 4}}, 0, {53, 0}, KDM_OFFSET(kdmOutputTrayID), 2},
      {"the finisher tray without a finisher: the default", {{kReqOutputTray, 15}}, 0, {53, 0},
       KDM_OFFSET(kdmOutputTrayID), 2},
      {"scale 65535: the largest", {}, 0xFFFF, {89, 400}, KDM_OFFSET(kdmScaleH), 2},
      {"scale 5: the smallest", {}, 5, {89, 20}, KDM_OFFSET(kdmScaleH), 2},
      {"scale 150", {}, 150, {89, 150}, KDM_OFFSET(kdmScaleH), 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes merged = WithRequest(0, c.fields, c.scale);
    ASSERT_EQ(GetWEXA_API(ucb_, Dm(merged)), 1);
    EXPECT_EQ(ValueIn(merged, c.offset, c.width), c.expected.value);
    EXPECT_EQ(RequestOf(merged), Bytes(kRequestBlockSize, 0));
    Bytes b = WithRequest(0, c.fields, c.scale);
    ASSERT_EQ(Validate(b), 1);
    EXPECT_EQ(Value(ucb_, c.expected.funcId), c.expected.value);
  }
}

TEST_F(AppRequest, TheFinisherTrayComesFromTheInstalledFinisher) {
  Set(ucb_, 10094, 1);  // a QK finisher: trays 44 and 45
  Bytes b = WithRequest(0, {{kReqOutputTray, 15}});
  ASSERT_EQ(Validate(b), 1);
  EXPECT_EQ(Value(ucb_, 53), 44);
  Bytes blank = WithRequest(0, {{kReqOutputTray, 14}});
  ASSERT_EQ(Validate(blank), 1);
  EXPECT_EQ(Value(ucb_, 53), 45);
}

// --- Modes that rebuild the defaults or ask the printer ------------------------

struct CallFlags {
  KdmRunTimeFlag flag;
  DWORD value;  // one the defaults would not give
};
constexpr CallFlags kCallFlags[] = {{KdmRunTimeFlag::CallSrc, 0},
                                    {KdmRunTimeFlag::NoPermission, 1},
                                    {KdmRunTimeFlag::PrintLog, 1},
                                    {KdmRunTimeFlag::PropertyType, 1},
                                    {KdmRunTimeFlag::BatchInst, 0}};

TEST_F(AppRequest, RebuildingTheDefaultsKeepsTheCallsRunTimeBytes) {
  struct Case {
    BYTE mode;
    int result;  // mode 4 also asks the printer, which does not answer here
  };
  for (const Case c : {Case{2, 1}, Case{4, 0}}) {
    SCOPED_TRACE(int{c.mode});
    for (const CallFlags& f : kCallFlags) SetKDMRunTimeFlagByDM(Dm(ucb_), f.flag, f.value);
    Set(ucb_, 58, 1);
    Set(ucb_, 89, 150);
    Bytes merged = WithRequest(c.mode, {{kReqDuplex, 1}});
    EXPECT_EQ(GetWEXA_API(ucb_, Dm(merged)), c.result);
    EXPECT_EQ(RequestOf(merged), Bytes(kRequestBlockSize, 0));
    for (const CallFlags& f : kCallFlags) {
      EXPECT_EQ(GetKDMRunTimeFlagByDM(Dm(ucb_), f.flag), f.value) << static_cast<int>(f.flag);
      EXPECT_EQ(GetKDMRunTimeFlagByDM(Dm(merged), f.flag), f.value) << static_cast<int>(f.flag);
    }
    EXPECT_EQ(ValueIn(merged, KDM_OFFSET(kdmScaleH), 2), 100) << "the defaults";
  }
}

TEST_F(AppRequest, ARefreshThePrinterDoesNotAnswerFailsOnce) {
  Set(ucb_, 119, 4);
  Bytes merged = WithRequest(3, {{kReqSort, 2}});
  EXPECT_EQ(GetWEXA_API(ucb_, Dm(merged)), 0);
  EXPECT_EQ(RequestOf(merged), Bytes(kRequestBlockSize, 0)) << "not tried again at every validation";
  EXPECT_EQ(merged[KDM_OFFSET(kdmSortType)], 4) << "the fields are not applied";
  Bytes b = WithRequest(3, {{kReqSort, 2}});
  ASSERT_EQ(Validate(b), 1);
  EXPECT_EQ(Value(ucb_, 119), 4);
  EXPECT_EQ(Block(ucb_, kOffRequest), Bytes(kRequestBlockSize, 0));
}

TEST(AppRequestBlock, OnlyAWholeBlockFromTheCallerIsKept) {
  Bytes merged(kSizeofKesmDM, 0);
  Bytes caller(kSizeofKesmDM, 0);
  auto run = [&](WORD driverExtra, std::size_t bytes) {
    std::fill(merged.begin() + kOffRequest, merged.begin() + kOffRequest + kRequestBlockSize, BYTE{1});
    StoreLE<WORD>(caller.data(), offsetof(DEVMODEW, dmSize), kSizeofDM);
    StoreLE<WORD>(caller.data(), offsetof(DEVMODEW, dmDriverExtra), driverExtra);
    KeepWholeRequestOnly(reinterpret_cast<DEVMODEW*>(merged.data()),
                         reinterpret_cast<const DEVMODEW*>(caller.data()), bytes);
    return merged[kOffRequest + kReqPending];
  };
  const std::size_t end = kOffRequest + kRequestBlockSize;  // where the block ends in a whole DEVMODE
  EXPECT_EQ(run(1016, kSizeofKesmDM), 1);
  EXPECT_EQ(run(static_cast<WORD>(end - kSizeofDM), end), 1);
  EXPECT_EQ(run(static_cast<WORD>(end - kSizeofDM - 1), kSizeofKesmDM), 0) << "the private part ends inside it";
  EXPECT_EQ(run(1016, end - 1), 0) << "the buffer ends inside it";
  EXPECT_EQ(run(1016, 10), 0) << "not even the size words";
  KeepWholeRequestOnly(reinterpret_cast<DEVMODEW*>(merged.data()), nullptr, 0);
  EXPECT_EQ(merged[kOffRequest + kReqPending], 0);
}

// --- The capability block ------------------------------------------------------

// The DEVMODE's copies of the printer-wide finisher options the option
// control reads: a punch unit (10072) and a stapler (10071).
constexpr WORD kPunchUnitCopy = 302;
constexpr WORD kStaplerCopy = 301;

TEST_F(AppRequest, TheCapabilityBlockReportsWhatTheConstraintsLeave) {
  std::memset(ucb_->pDCB->devmode + kOffRequest, 0x5A, kRequestBlockSize);
  ASSERT_TRUE(SetWEXA_API(ucb_));
  EXPECT_EQ(Block(ucb_, kOffRequest), Bytes(kRequestBlockSize, 0)) << "handed out without a request";
  const Bytes bare = Block(ucb_, kOffCaps);
  const std::pair<std::size_t, BYTE> expected[] = {
      {1, 0},     // no duplex unit
      {2, 0x01},  // sort kind 1 only: the others need a sorter
      {3, 3},    {4, 0}, {5, 0}, {6, 0},  // no punch unit, no stapler
      {7, 0x03},  // trays 0 and 2
      {8, 0x60},  // a finisher's blank-sheet tray (45) and ordinary tray (44)
      {9, 0},    {10, 0x06},  // 600 and 1200 dpi
      {11, 1},   {12, 0x3F},
      {13, 0xFF}, {14, 0x7F}, {15, 0x02},  // every request paper size: the option control lists them all
      {16, 0},   {17, 1},
  };
  for (const auto& [at, value] : expected) EXPECT_EQ(bare[at], value) << "byte " << at;
  for (std::size_t at = 18; at < kCapabilityBlockSize; ++at) EXPECT_EQ(bare[at], 0) << "byte " << at;

  // With a duplex unit, a punch unit and a stapler: two-sided printing,
  // both punch kinds and every staple kind; with punching on, not the
  // slanted staples, which the description's transact takes back.
  Set(ucb_, 10014, 1);
  Set(ucb_, kPunchUnitCopy, 1);
  Set(ucb_, kStaplerCopy, 1);
  ASSERT_TRUE(SetWEXA_API(ucb_));
  Bytes caps = Block(ucb_, kOffCaps);
  EXPECT_EQ(caps[1], 7);
  EXPECT_EQ(caps[4], 0x07);
  EXPECT_EQ(caps[5], 0xFF);
  EXPECT_EQ(caps[6], 0x07);
  Set(ucb_, 62, 1);
  ASSERT_TRUE(SetWEXA_API(ucb_));
  caps = Block(ucb_, kOffCaps);
  EXPECT_EQ(caps[5], 0xFC);
  EXPECT_EQ(caps[6], 0x07);
  EXPECT_EQ(Value(ucb_, 62), 1) << "listing changes nothing";
}

}  // namespace
}  // namespace validation_test
