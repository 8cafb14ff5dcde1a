// What the property walks, the font sets and the set-file code share about
// moving one setting to and from its store. Internal to storage/.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/setting_table.h"

struct UCB;

namespace storage {

// The fields of a setting record that a transfer may point elsewhere for
// its span (section, key, storage mark, descriptor); they are put back when
// the object goes, while marks the transfer sets in the record stay.
class RecordOverride {
 public:
  explicit RecordOverride(SFCB* record)
      : record_(record),
        section_(record->iniSection),
        key_(record->iniKey),
        storage_(record->storage),
        descriptor_(record->descriptor) {}
  ~RecordOverride() {
    record_->iniSection = section_;
    record_->iniKey = key_;
    record_->storage = storage_;
    record_->descriptor = descriptor_;
  }
  RecordOverride(const RecordOverride&) = delete;
  RecordOverride& operator=(const RecordOverride&) = delete;

 private:
  SFCB* record_;
  LPCWSTR section_;
  LPCWSTR key_;
  WORD storage_;
  DWORD descriptor_;
};

// What a single-value INI read did.
enum class IniRead {
  kStored,   // a value was found and stored
  kMissing,  // the key is not there; the setting is unchanged
  kSkipped,  // nothing to read: no absolute INI path, no key, or no INI here
  kRefused,  // the value is not one the setting can take; unchanged
};
// GetDevmodeValueFromIni with the outcome told apart.
IniRead ReadIniSetting(UCB* ucb, SFCB* record, LPCWSTR iniPath, LPCSTR script, PLONG position);

// True for a path that names a drive (":" as its second character).
bool IsAbsoluteIniPath(LPCWSTR path);

}  // namespace storage
