// The data of the run-time table correction. Internal to ui/engine/.
#pragma once

#include <cstddef>
#include <iterator>

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
extern const IdRange kReinitSettings[];
extern const std::size_t kReinitSettingCount;
// Item flags by control id, applied in order.
extern const ItemFlagRule kItemFlagRules[];
extern const std::size_t kItemFlagRuleCount;
// The target control shows the source control's setting.
extern const ControlPair kSharedItems[];
extern const std::size_t kSharedItemCount;
// Text items whose setting reads the preset name's storage.
extern const ControlRef kPresetNameShowers[];
extern const std::size_t kPresetNameShowerCount;
// The target control's setting is stored where the source control's is.
extern const ControlPair kSharedFreeSizeStorage[];
extern const std::size_t kSharedFreeSizeStorageCount;
// The target setting is stored where the source setting is.
extern const SettingPair kSharedSettingStorage[];
extern const std::size_t kSharedSettingStorageCount;
