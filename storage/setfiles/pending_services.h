// What the set-file code and the stores ask of other parts of the driver
// that this build does not have yet: DEVMODE conversion and validation, the
// chapter module, the installed quality sets, the locale defaults, the
// job-code library and message boxes. Each is reached through one function
// here, which answers as a service that finds nothing to do would, so that
// a read or write goes on as it will once the service is there. The
// in-use indices are answered from the settings themselves. Internal to
// storage/.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// Converts settings just read from a set file of an older minor version,
// step by step from fromVersion to toVersion. Nothing is converted yet.
void ConvertSetFileSettings(UCB* ucb, WORD fromVersion, WORD toVersion);
// Validates and repairs the settings after a plain set-file read. Nothing
// is repaired yet.
void ValidateSettingsAfterSetFile(UCB* ucb);
// Re-validates the private settings before a set file is written. Nothing
// is changed yet.
void ValidatePrivateSettingsForSetFile(UCB* ucb);
// Has the chapter settings validated by the chapter module; its answer,
// TRUE while there is none.
BOOL ValidateChapterSettings(UCB* ucb);
// Has the chapter module put its chapter data into the settings. Nothing
// yet.
void LoadChapterSettings(UCB* ucb);
// Whether the setting accepts the value; TRUE while values are not judged.
BOOL IsAcceptedSettingValue(UCB* ucb, WORD funcId, LONG value);
// The description's default of a setting; 0 while defaults are not
// looked up.
LONG_PTR DescriptionDefaultOf(UCB* ucb, WORD funcId);
// Applies the locale's defaults and the job-code library's extension data
// after a plain read. Nothing yet.
void ApplyLocaleAndJobCodeDefaults(UCB* ucb);
// Rebuilds a quality set file from the installed quality set it was made
// from; FALSE while there is none to rebuild from.
BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path);
// Shows a message of the resource library (text inserted, caption the
// printer name, a warning). Nothing is shown yet.
void ShowStorageMessage(UCB* ucb, UINT messageId, LPCWSTR insert);

// The store entries the current settings use, -1 for none: the free size
// of the paper size (8) and of the output paper size (46) when it is one
// of the ten registered free sizes, the watermark (118) when watermark
// printing (60) is on, the user print macro (179 - 135) when user macros
// (176) are on.
int SourceFreeSizeInUse(const UCB* ucb);
int OutputFreeSizeInUse(const UCB* ucb);
int WatermarkInUse(const UCB* ucb);
int QualitySetInUse(const UCB* ucb);

}  // namespace storage
#endif
