// From the device to a validated DEVMODE: a device that reports a finisher
// and an extra tray changes the printer's installed options in printer
// data; validating a DEVMODE from before the query keeps them, in the
// querying context and in every context opened afterwards. The installed
// options live in the printer-wide part, which no caller's DEVMODE
// carries, so an application's older DEVMODE cannot bring the old
// configuration back. On a model whose description asks the device rules
// (tests/data/kpd/kesm_f4_finisher.kpd), the finisher and the tray papers
// the device reports decide which staple and tray validation keeps; an
// application's request for the printer's state (request modes 3 and 4)
// runs the query.
#include <cstring>
#include <vector>

#include "devicecomm/bidi/bidi_query.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/request/app_request.h"
#include "jobsettings/request/request_block.h"
#include "jobsettings/validate/validate_devmode.h"
#include "tests/devicecomm/bidi/bidi_fixture.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace bidi_test {
namespace {

constexpr WORD kTrayField0 = 10111;
constexpr WORD kTrayField4 = 10115;   // tray 5
constexpr WORD kLct1 = 10018;         // large-capacity tray unit
constexpr WORD kFinQK = 10084;        // the finisher as the device names it
constexpr WORD kFinQKNoPunch = 10097; // ... and as this model keeps it

using BidiEndToEnd = BidiTest;

TEST_F(BidiEndToEnd, ADevicesFinisherAndExtraTrayReachValidation) {
  // An application's DEVMODE from before the query.
  const DEVMODEW* current = GetDocumentDevmode(ucb_);
  ASSERT_NE(current, nullptr);
  const std::size_t bytes = std::size_t{current->dmSize} + current->dmDriverExtra;
  std::vector<BYTE> dm(bytes);
  std::memcpy(dm.data(), current, bytes);
  const auto* older = reinterpret_cast<const DEVMODEW*>(dm.data());
  ASSERT_EQ(Value(ucb_, kTrayField4), 0);
  ASSERT_EQ(Value(ucb_, kFinQKNoPunch), 0);

  device().items[1] = Entries({3, 7});
  device().items[20] = Entries({23, 23});
  device().items[21] = Entries({1, 1});
  device().items[23] = Entries({0, 0});
  device().items[2] = Entries({21, 104});
  ASSERT_TRUE(GetBidiDataImmediately(ucb_, nullptr));
  const auto installed = [this](UCB* ucb) {
    EXPECT_EQ(Value(ucb, kTrayField0), 1);
    EXPECT_EQ(Value(ucb, kTrayField4), 1);
    EXPECT_EQ(Value(ucb, kLct1), 1);
    EXPECT_EQ(Value(ucb, kFinQK), 0) << "the generic finisher becomes the model's variant";
    EXPECT_EQ(Value(ucb, kFinQKNoPunch), 1);
  };
  installed(ucb_);

  for (DWORD flags : {kValidateModify, kValidateModify | kValidateJobCheck, kValidateModify | kValidateConvert}) {
    SCOPED_TRACE(flags);
    ASSERT_EQ(ValidateDevmode(ucb_, older, bytes, flags), 1);
    installed(ucb_);
    // The next entry point's context reads them from printer data.
    UCB* later = OpenOn(copyRoom_);
    ASSERT_EQ(ValidateDevmode(later, older, bytes, flags), 1);
    installed(later);
    Release(later);
  }
}

}  // namespace

// --- Through the device rules and the application request block ------------

namespace {

using validation_test::Bytes;

constexpr const char16_t* kDesk = validation_test::kPrinter;
constexpr DWORD kDeviceCapabilities = 0x1000008;  // runs the constraint pass, reads no properties
constexpr WORD kSelectStaple = 63;
constexpr WORD kStapleType = 121;
constexpr WORD kStapleTwoTop = 65;
constexpr SHORT kTray1 = 1;
constexpr SHORT kTray2 = 3;
constexpr SHORT kAutoTray = 7;
constexpr SHORT kA4 = 9;
constexpr WORD kTray1Paper = 10175;
constexpr WORD kTray2Paper = 10176;
constexpr DWORD kDeviceTray1 = 3;
constexpr DWORD kDeviceTray2 = 4;
constexpr DWORD kDeviceA4 = 9;
constexpr DWORD kDeviceFinisher = 21;
constexpr std::size_t kOffRequest = KDM_OFFSET(header.kdmTcomMember);

// The Kesm F4 sample (a QK stapling finisher, two trays; its transacts
// correct a staple the finisher cannot make and a tray that lacks the
// paper) on a printer with a bidirectional port and a device behind it.
class DeviceRules : public validation_test::ValidationMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_f4_finisher.kpd", {}, PRINTER_ATTRIBUTE_ENABLE_BIDI));
    ASSERT_NO_FATAL_FAILURE(InstallPortMonitor(&library_, &lib_));
    ucb_ = Open();
    ASSERT_NE(ucb_, nullptr);
    ASSERT_TRUE(WritePrivateProfileStringW(u"Models", u"Kesm Test", kModel, GetDriverIniFilePath(ucb_)));
    device().model = kModel;
  }
  void TearDown() override {
    RemovePortMonitor(library_, lib_);
    ValidationMachine::TearDown();
  }

  portmonlib::Device& device() { return lib_->devices[kDesk]; }
  // The device has trays 1 and 2 with A4 loaded portrait in both, and,
  // when asked, the stapling finisher.
  void Report(bool finisher) {
    device().items[1] = Entries({kDeviceTray1, kDeviceTray2});
    device().items[20] = Entries({kDeviceA4, kDeviceA4});
    device().items[21] = Entries({1, 1});
    device().items[23] = Entries({0, 0});
    device().items[2] = finisher ? Entries({kDeviceFinisher}) : Entries({});
  }
  // An application's job: A4 from the tray, stapled two on top, validated
  // into the context.
  int ValidateJob(SHORT tray) {
    Set(ucb_, kSelectStaple, 1);
    Set(ucb_, kStapleType, kStapleTwoTop);
    Bytes b = Image(ucb_);
    Dm(b)->dmPaperSize = kA4;
    Dm(b)->dmDefaultSource = tray;
    Dm(b)->dmOrientation = SHORT{1};
    Dm(b)->dmFields |= DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_ORIENTATION;
    return ValidateDevmode(ucb_, Dm(b), b.size(), kDeviceCapabilities);
  }
  // The context's DEVMODE as an application hands it back with a request
  // of the mode.
  Bytes WithRequest(BYTE mode) {
    Bytes b = Image(ucb_);
    b[kOffRequest + kReqMode] = mode;
    b[kOffRequest + kReqPending] = kReqIsPending;
    return b;
  }

  UCB* ucb_ = nullptr;
  HMODULE library_ = nullptr;
  portmonlib::State* lib_ = nullptr;
};

// Validation asks the finisher and the trays the device reported: a staple
// the reported finisher can make stays, and so does a tray that holds the
// paper; without them validation corrects the job.
TEST_F(DeviceRules, WhatTheDeviceReportsDecidesWhatValidationKeeps) {
  struct Case {
    const char* what;
    bool finisher;
    DWORD tray2Paper;
    bool staples;
    LONG_PTR stapleType;
    SHORT tray;
  };
  constexpr DWORD kDeviceA3 = 5;
  constexpr LONG_PTR kCornerStaple = 49;
  const Case cases[] = {
      {"the finisher and A4 in tray 2", true, kDeviceA4, true, kStapleTwoTop, kTray2},
      {"the finisher, A3 in tray 2", true, kDeviceA3, true, kStapleTwoTop, kAutoTray},
      {"no finisher: no staple", false, kDeviceA4, false, kCornerStaple, kTray2},
  };
  // Before any query the printer has neither.
  ASSERT_EQ(ValidateJob(kTray2), 1);
  EXPECT_EQ(Value(ucb_, kSelectStaple), 0);
  EXPECT_EQ(Dm(ucb_)->dmDefaultSource, kAutoTray);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Report(c.finisher);
    device().items[20] = Entries({kDeviceA4, c.tray2Paper});
    ASSERT_TRUE(GetBidiDataImmediately(ucb_, nullptr));
    ASSERT_EQ(ValidateJob(kTray2), 1);
    EXPECT_EQ(Value(ucb_, kSelectStaple) != 0, c.staples);
    EXPECT_EQ(Value(ucb_, kStapleType), c.stapleType);
    EXPECT_EQ(Dm(ucb_)->dmDefaultSource, c.tray);
    EXPECT_EQ(Value(ucb_, kTray1Paper), kA4) << "tray 1 holds A4 throughout";
  }
}

// An application asks for the printer's current state through the request
// block: mode 3 asks the device, mode 4 rebuilds the defaults first. The
// request is carried out once, and a device that does not answer fails it.
TEST_F(DeviceRules, AnApplicationsRequestForThePrintersStateAsksTheDevice) {
  struct Case {
    const char* what;
    BYTE mode;
    bool answers;
    int result;
    WORD stapleType;  // the job's staple in the DEVMODE handed back
    bool finisher;    // the printer's finisher afterwards
  };
  constexpr WORD kCornerStaple = 49;  // the default
  const Case cases[] = {
      {"mode 3", 3, true, 1, kStapleTwoTop, true},
      {"mode 4: the defaults, then the device", 4, true, 1, kCornerStaple, true},
      {"mode 3, no answer", 3, false, 0, kStapleTwoTop, false},
      // The stored properties, which the last answer saved.
      {"mode 4, no answer", 4, false, 0, kCornerStaple, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Report(true);
    lib_->failures.clear();
    if (!c.answers) lib_->failures.push_back({"open", 0, false, 31});
    lib_->calls.clear();
    Set(ucb_, kFinQKNoPunch, 0);
    Set(ucb_, kTray2Paper, 0);
    Set(ucb_, kStapleType, kStapleTwoTop);
    Bytes merged = WithRequest(c.mode);
    EXPECT_EQ(GetWEXA_API(ucb_, Dm(merged)), c.result);
    EXPECT_EQ(lib_->CountOf("request"), c.answers ? 1 : 0) << "one query";
    EXPECT_EQ(Value(ucb_, kFinQKNoPunch), c.finisher ? 1 : 0);
    EXPECT_EQ(Value(ucb_, kTray2Paper), c.finisher ? kA4 : 0);
    EXPECT_EQ(GetKDMBiDirect(ucb_), c.answers ? 1u : 0u);
    EXPECT_EQ(LoadLE<WORD>(merged.data(), KDM_OFFSET(kdmStapleType)), c.stapleType);
    EXPECT_EQ(Bytes(merged.begin() + kOffRequest, merged.begin() + kOffRequest + kRequestBlockSize),
              Bytes(kRequestBlockSize, 0))
        << "carried out once";
  }
  EXPECT_EQ(ReadRaw(printer_, u"BidiFlag").bytes, Le(1, 4)) << "the answered queries left their mark";
}

}  // namespace
}  // namespace bidi_test
