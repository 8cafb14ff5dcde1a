// A hand-built printer context for the device-rule tests, with helpers
// that load paper into trays, install finisher options and choose the job
// settings the rules read. Setting ids are written out here rather than
// taken from the rules' tables, so a wrong table row shows.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/base/machine.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"

namespace rules_test {

// Tray codes as dmDefaultSource names them.
inline constexpr WORD kTray1 = 1;
inline constexpr WORD kTray2 = 3;
inline constexpr WORD kTray3 = 2;
inline constexpr WORD kManual = 4;
inline constexpr WORD kAuto = 7;
inline constexpr WORD kLCT = 11;
inline constexpr WORD kTray4 = 256;
inline constexpr WORD kTray5 = 261;
inline constexpr WORD kTray6 = 262;
inline constexpr WORD kTray7 = 263;
inline constexpr WORD kInserter = 286;
// The trays that code 4 may name.
inline constexpr WORD kManualFeeder = 0xFFFE;
inline constexpr WORD kMultiTray = 0xFFFF;

// Paper codes.
inline constexpr WORD kLetter = 1;
inline constexpr WORD kDLT = 3;
inline constexpr WORD kLegal = 5;
inline constexpr WORD kHLT = 6;
inline constexpr WORD kA3 = 8;
inline constexpr WORD kA4 = 9;
inline constexpr WORD kA5 = 11;
inline constexpr WORD kB4 = 12;
inline constexpr WORD kB5 = 13;

inline constexpr WORD kP = 0;  // loaded portrait
inline constexpr WORD kL = 1;  // loaded landscape

struct Paper {
  WORD tray;
  WORD paper;
  WORD orient;
  bool locked = false;
};

class RuleContext : public ::testing::Test {
 protected:
  UCB* ucb() { return c_.ucb(); }
  void Set(WORD id, LONG_PTR v) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), id, v)) << "setting " << id; }
  LONG_PTR Get(WORD id) { return GetDevmodeValueDirectByFuncID(ucb(), id, nullptr); }
  void Machine(BYTE id) { ucb()->pDP->bMachineID = id; }
  void PrintSize(WORD size) { Set(46, size); }
  void Source(WORD tray) { Set(13, tray); }
  // 1 portrait, 2 landscape, without N-up or booklet: the print-orientation
  // flag is 0 in portrait and 1 in landscape.
  void Orientation(int o) { Set(7, o == 0 ? 1 : 2); }
  void Install(std::initializer_list<WORD> bits) {
    for (WORD bit : bits) Set(bit, 1);
  }
  // Only the given finisher option bits set.
  template <class Bits>
  void Finishers(const Bits& bits) {
    for (WORD bit = 10049; bit <= 10107; ++bit) Set(bit, 0);
    for (WORD bit : bits) Set(bit, 1);
  }
  void Load(const Paper& p) {
    const Ids ids = IdsOf(p.tray);
    ASSERT_NE(ids.paper, 0) << "tray " << p.tray;
    Set(ids.paper, p.paper);
    Set(ids.orient, p.orient);
    if (ids.lock != 0) Set(ids.lock, p.locked ? 1 : 0);
  }
  void Load(std::initializer_list<Paper> papers) {
    for (const Paper& p : papers) Load(p);
  }

 private:
  struct Ids {
    WORD paper;
    WORD orient;
    WORD lock;
  };
  static Ids IdsOf(WORD tray) {
    switch (tray) {
      case kTray1: return {10175, 10143, 10239};
      case kTray2: return {10176, 10144, 10240};
      case kTray3: return {10177, 10145, 10241};
      case kTray4: return {10178, 10146, 10242};
      case kTray5: return {10179, 10147, 10243};
      case kTray6: return {10180, 10148, 10244};
      case kTray7: return {10181, 10149, 10245};
      case kLCT: return {10200, 10168, 10264};
      case kManualFeeder: return {10202, 10170, 10266};
      case kMultiTray: return {10203, 10171, 10267};
      case kInserter: return {10204, 10172, 0};
      default: return {0, 0, 0};
    }
  }

  plat::ScopedMachine machine_;
  kesm_test::HandContext c_;
};

}  // namespace rules_test
