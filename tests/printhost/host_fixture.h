// A print host over the test driver module in a machine of its own, and
// the driver's log of calls.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/machine.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/modules/winmodule.h"
#include "tests/testdriver/driver_log.h"
#include "tools/printhost/print_host.h"

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open()); }

  // A host over a freshly enabled driver, with an empty log.
  void Open() {
    host_.reset();
    printhost::HostOptions options;
    options.driverModule = KESM_TEST_DRIVER;
    std::string error;
    host_ = printhost::PrintHost::Open(options, error);
    ASSERT_TRUE(host_) << error;
    auto logOf = reinterpret_cast<testdriver::Log* (*)()>(GetProcAddress(host_->module(), "TestDriverLog"));
    ASSERT_NE(logOf, nullptr);
    log_ = logOf();
    log_->Reset();
    surfaces_ = plat::eng::LiveSurfaces();
    palettes_ = plat::eng::LivePalettes();
  }

  // The calls of these names, in order.
  std::vector<std::string> Sequence(const std::vector<std::string>& names) const {
    std::vector<std::string> out;
    for (const auto& call : log_->calls) {
      if (std::find(names.begin(), names.end(), call.name) != names.end()) out.push_back(call.name);
    }
    return out;
  }
  std::vector<const testdriver::Call*> Calls(const std::string& name) const {
    std::vector<const testdriver::Call*> out;
    for (const auto& call : log_->calls) {
      if (call.name == name) out.push_back(&call);
    }
    return out;
  }
  // Everything the driver and the host made is gone again.
  void ExpectNothingLeft() const {
    EXPECT_EQ(plat::eng::LiveSurfaces(), surfaces_);
    EXPECT_EQ(plat::eng::LivePalettes(), palettes_);
    EXPECT_EQ(Calls("DrvEnablePDEV").size(), Calls("DrvDisablePDEV").size() + FailedEnables());
  }
  std::size_t FailedEnables() const { return failedEnables_; }

  plat::ScopedMachine machine_;
  std::unique_ptr<printhost::PrintHost> host_;
  testdriver::Log* log_ = nullptr;
  std::size_t surfaces_ = 0;
  std::size_t palettes_ = 0;
  std::size_t failedEnables_ = 0;
};
