#include "storage/properties/value_filters.h"

#include "jobsettings/validate/dm_value_tables.h"
#include "settings/tables/setting_table.h"

BOOL IsAvailableDevmodeValueForBidiSetFile(const SFCB* record) {
  if (record == nullptr) return FALSE;
  const WORD id = record->funcId;
  return id >= kSettingSecondRunFirst && id <= kSettingSecondRunLast &&
         !IsValidDMSpecialValue(kInvalidBidiSetFile, id);
}
