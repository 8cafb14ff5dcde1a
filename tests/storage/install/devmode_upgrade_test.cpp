// The upgrade of settings kept by an older driver version: which version
// pairs convert step by step, start over or need nothing, and that a
// DEVMODE of an older minor version is stamped with the current version
// even when the description carries no conversion program.
#include <gtest/gtest.h>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"
#include "settings/values/setting_value.h"
#include "storage/install/devmode_upgrade.h"
#include "tests/settings/context/hand_context.h"

namespace {

TEST(DevmodeUpgrade, VersionPairsConvertStartOverOrNeedNothing) {
  struct Row {
    DWORD stored, current;
    int answer;
  };
  const Row rows[] = {
      {305, 310, 1}, {309, 310, 1}, {310, 310, 0}, {311, 310, 0}, {299, 310, 2},
      {250, 280, 2}, {280, 250, 2}, {410, 310, 0}, {300, 399, 1},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(IsUpgradeVersionCheck(r.stored, r.current), r.answer) << r.stored << " -> " << r.current;
  }
  EXPECT_EQ(IsUpgrade(nullptr), -1);
}

TEST(DevmodeUpgrade, WithoutAConversionProgramOnlyTheVersionIsRaised) {
  struct Row {
    DWORD version;
    DWORD after;
  };
  for (const Row& r : {Row{305, fgDP.dwPrivVersion}, Row{311, 311}, Row{250, 250}}) {
    SCOPED_TRACE(r.version);
    kesm_test::HandContext context;  // no description: no conversion group
    auto* dm = reinterpret_cast<DEVMODEW*>(context.dcb().devmode);
    DevCBSetPrivHeader(dm, context.ucb());
    StoreLE<DWORD>(dm, kOffDwVersion, r.version);
    SetDevmodeValueDirectByFuncID(context.ucb(), 12, 4);
    EXPECT_EQ(UpgradeDevmode(dm, context.ucb()), 0);
    EXPECT_EQ(GetKDMdwVersionByDM(dm), r.after);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(context.ucb(), 12, nullptr), 4) << "the settings stay";
  }
  kesm_test::HandContext context;
  EXPECT_EQ(_UpgradeDevmode(305, 310, context.ucb()), 0);
}

}  // namespace
