#include "storage/properties/value_filters.h"

#include "jobsettings/rules/dm_special_table.h"
#include "settings/tables/setting_table.h"

BOOL IsAvailableDevmodeValueForBidiSetFile(const SFCB* record) {
  if (record == nullptr) return FALSE;
  const WORD id = record->funcId;
  return id >= kSettingSecondRunFirst && id <= kSettingSecondRunLast &&
         !IsValidDMSpecialValue(kDMSpecialNotBidi, id);
}
