// Whether a DEVMODE's private part is this driver's: each test against a
// DEVMODE of ours with one header word or model value changed.
#include <array>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"

namespace {

struct Ours {
  alignas(4) std::array<BYTE, kSizeofKesmDM> bytes{};
  Ours() {
    DevCBSetPrivHeader(dm(), nullptr);
    bytes[KDM_OFFSET(kdmMachineID)] = fgDP.bMachineID;
    bytes[KDM_OFFSET(kdmDriverType)] = static_cast<BYTE>(fgDP.cDriverType);
  }
  DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(bytes.data()); }
};

struct Case {
  const char* what;
  std::function<void(Ours&)> change;
  BOOL valid, exceptVersion, forUpgrade;
};

TEST(DevmodeOwnership, EachTestWeighsItsOwnWords) {
  const Case cases[] = {
      {"ours", [](Ours&) {}, 1, 1, 1},
      {"an older private version", [](Ours& d) { StoreLE<DWORD>(d.bytes.data(), kOffDwVersion, 309); }, 0, 1, 1},
      {"another private size", [](Ours& d) { StoreLE<DWORD>(d.bytes.data(), kOffDwSize, 1000); }, 0, 0, 1},
      {"another model signature", [](Ours& d) { std::memcpy(&d.bytes[kOffDwPrivData], "PRIV", 4); }, 0, 0, 0},
      {"another machine", [](Ours& d) { d.bytes[KDM_OFFSET(kdmMachineID)] = 0xAA; }, 0, 0, 0},
      {"another driver type", [](Ours& d) { d.bytes[KDM_OFFSET(kdmDriverType)] = 0; }, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Ours d;
    c.change(d);
    EXPECT_EQ(IsMyValidDevmode(d.dm(), 0), c.valid) << c.what;
    EXPECT_EQ(IsMyValidDevmodeExceptDwVersion(d.dm(), 0), c.exceptVersion) << c.what;
    EXPECT_EQ(IsMyValidDevmodeForUpgrade(d.dm(), 0), c.forUpgrade) << c.what;
  }
}

TEST(DevmodeOwnership, NoDevmodeIsNotOurs) {
  EXPECT_FALSE(IsMyValidDevmode(nullptr, 0));
  EXPECT_FALSE(IsMyValidDevmodeExceptDwVersion(nullptr, 0));
  EXPECT_FALSE(IsMyValidDevmodeForUpgrade(nullptr, 0));
}

}  // namespace
