// The data of the run-time table correction. Internal to ui/engine/.
#pragma once

#include <span>

#include "ui/engine/table_correction.h"

struct IdRange {
  WORD first;
  WORD last;
};

// A control on a dialog (tab id 0: on every dialog).
struct ControlRef {
  WORD tabId;
  WORD itemId;
};

struct ControlPair {
  ControlRef source;
  ControlRef target;
};

struct SettingPair {
  WORD source;
  WORD target;
};

// Which kinds a flag rule applies to.
inline constexpr WORD kListOwner = 47;  // owner-drawn lists only
inline constexpr WORD kListAny = 1;     // list kinds 42-49

struct ItemFlagRule {
  WORD tabId;     // 0: every dialog
  WORD itemId;
  WORD kinds;     // 0: every kind, else kListOwner or kListAny
  bool replace;   // the flags become exactly bits, else bits are added
  DWORD bits;
};

// Settings whose writes ask items to re-initialise (request bits 0x10000,
// 0x20000 and 0x1000000).
extern const std::span<const IdRange> kReinitSettings;
// Item flags by control id, applied in order.
extern const std::span<const ItemFlagRule> kItemFlagRules;
// The target control shows the source control's setting.
extern const std::span<const ControlPair> kSharedItems;
// Text items whose setting reads the preset name's storage.
extern const std::span<const ControlRef> kPresetNameShowers;
// The target control's setting is stored where the source control's is.
extern const std::span<const ControlPair> kSharedFreeSizeStorage;
// The target setting is stored where the source setting is.
extern const std::span<const SettingPair> kSharedSettingStorage;
