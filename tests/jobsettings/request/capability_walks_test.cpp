// The device-capability walks the capability block is made of: visible
// options of a list group as device values, the square resolutions with
// the driver's default when none can be listed, and the duplex unit, on the
// W2 request sample and on the constraint sample, which describes neither
// output trays nor resolutions.
#include <gtest/gtest.h>

#include <vector>

#include "jobsettings/request/capability_walks.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

class CapabilityWalks : public ValidationMachine {
 protected:
  UCB* OpenOn(const char* description) {
    Install(description);
    return printer_ != nullptr ? Open() : nullptr;
  }
  static std::vector<WORD> Values(UCB* ucb, WORD funcId) {
    const LONG n = CapALL(ucb, nullptr, funcId);
    std::vector<WORD> out(n > 0 ? static_cast<std::size_t>(n) : 0, 0xEEEE);
    if (n > 0) {
      EXPECT_EQ(CapALL(ucb, out.data(), funcId), n);
    }
    return out;
  }
  static std::vector<LONG> Resolutions(UCB* ucb) {
    const LONG n = CapENUMRESOLUTIONS(ucb, nullptr);
    std::vector<LONG> out(2 * static_cast<std::size_t>(n), -7);
    EXPECT_EQ(CapENUMRESOLUTIONS(ucb, out.data()), n);
    return out;
  }
};

TEST_F(CapabilityWalks, ListsTheVisibleOptionsOfTheDescription) {
  UCB* ucb = OpenOn("kesm_w2_request.kpd");
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(Values(ucb, 53), (std::vector<WORD>{0, 2, 44, 45}));
  EXPECT_EQ(CapDESTS(ucb, nullptr), 4);
  EXPECT_EQ(Values(ucb, 120), (std::vector<WORD>{1, 2}));
  EXPECT_EQ(Resolutions(ucb), (std::vector<LONG>{600, 600, 1200, 1200}));
  EXPECT_EQ(CapALL(ucb, nullptr, 58), -1) << "a Boolean group is no list";
  EXPECT_EQ(CapALL(ucb, nullptr, 511), -1) << "no group";
  EXPECT_EQ(CapDUPLEX(ucb), 0);
  Set(ucb, 10014, 1);
  EXPECT_EQ(CapDUPLEX(ucb), 1);
}

TEST_F(CapabilityWalks, WithoutAResolutionGroupTheDefaultIsOffered) {
  UCB* ucb = OpenOn("exc_interface.kpd");
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(Resolutions(ucb), (std::vector<LONG>{600, 600}));
  EXPECT_EQ(CapDESTS(ucb, nullptr), -1);
  EXPECT_EQ(CapENUMRESOLUTIONS(nullptr, nullptr), 1);
}

}  // namespace
}  // namespace validation_test
