// From the device to a validated DEVMODE: a device that reports a finisher
// and an extra tray changes the printer's installed options in printer
// data; validating a DEVMODE from before the query keeps them, in the
// querying context and in every context opened afterwards. The installed
// options live in the printer-wide part, which no caller's DEVMODE
// carries, so an application's older DEVMODE cannot bring the old
// configuration back.
#include <cstring>
#include <vector>

#include "devicecomm/bidi/bidi_query.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/validate/validate_devmode.h"
#include "tests/devicecomm/bidi/bidi_fixture.h"

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
}  // namespace bidi_test
