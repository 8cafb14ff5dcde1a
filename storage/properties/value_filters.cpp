#include "storage/properties/value_filters.h"

#include <array>

#include "jobsettings/validate/dm_value_tables.h"
#include "settings/tables/setting_table.h"

namespace {

struct IdRange {
  WORD first;
  WORD last;
};

// Settings a plain set-file read never takes, beside its special list.
constexpr std::array<IdRange, 5> kNotReadFromSetFile = {{
    {599, 623},    // private header and run-time flags
    {624, 751},    // work settings of the dialogs
    {954, 1123},   // version text and the judge-hook settings
    {1124, 1164},  // the feature modules' words
    {kSettingSecondRunFirst, kSettingSecondRunLast},
}};

}  // namespace

BOOL IsAvailableDevmodeValueForBidiSetFile(const SFCB* record) {
  if (record == nullptr) return FALSE;
  const WORD id = record->funcId;
  return id >= kSettingSecondRunFirst && id <= kSettingSecondRunLast &&
         !IsValidDMSpecialValue(kInvalidBidiSetFile, id);
}

BOOL IsAvailableDevmodeValueForBatchInstall(const SFCB* record) {
  return record != nullptr && record->funcId != 0 &&
         !IsValidDMSpecialValue(kInvalidBatchInstall, record->funcId);
}

BOOL IsAvailableDevmodeValueForReadSetFile(const SFCB* record) {
  if (record == nullptr || record->funcId == 0) return FALSE;
  const WORD id = record->funcId;
  if (IsValidDMSpecialValue(kInvalidReadSetFile, id)) return FALSE;
  for (const IdRange& range : kNotReadFromSetFile) {
    if (id >= range.first && id <= range.last) return FALSE;
  }
  return TRUE;
}
