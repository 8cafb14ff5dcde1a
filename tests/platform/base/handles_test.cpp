#include <gtest/gtest.h>

#include "platform/base/handles.h"

namespace {
struct Probe : plat::KernelObject {
  explicit Probe(bool* destroyed) : destroyed_(destroyed) {}
  ~Probe() override { *destroyed_ = true; }
  bool* destroyed_;
};
}  // namespace

TEST(Handles, CloseDestroysTheObjectAndInvalidatesTheHandle) {
  bool destroyed = false;
  const auto before = plat::OpenHandleCount();
  HANDLE h = plat::NewHandle(std::make_shared<Probe>(&destroyed));
  EXPECT_EQ(plat::OpenHandleCount(), before + 1);
  EXPECT_NE(plat::HandleAs<Probe>(h), nullptr);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);  // a probe is not waitable
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(plat::OpenHandleCount(), before);
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}
