// What the set-file code and the stores ask of other parts of the driver,
// each through one function here. Those this build does not have yet
// (DEVMODE validation, the chapter module, the job-code library's
// extension data, message boxes and dialogs) answer as a service that
// finds nothing to do would, so that a read or write goes on as it will
// once the service is there. The conversion of older settings, the
// rebuild of a quality set and the locale defaults are the install code's.
// The in-use indices are answered from the settings themselves. Internal
// to storage/.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// Converts settings just read from a set file of an older minor version,
// step by step from fromVersion to toVersion (the description's DEVMODE
// conversion program).
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
// after a plain read. Only the locale's for now.
void ApplyLocaleAndJobCodeDefaults(UCB* ucb);
// Rebuilds a quality set file from the installed quality set of its name
// in the driver directory; TRUE when it was rebuilt. A set that a newer
// driver wrote is left as it is (FALSE).
BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path);
// Shows a message of the resource library (text inserted, caption the
// printer name, a warning). Nothing is shown yet.
void ShowStorageMessage(UCB* ucb, UINT messageId, LPCWSTR insert);
// Asks a question of the resource library's alert table (text inserted)
// and returns the message-box answer. Nothing is shown yet: the answer is
// IDOK, as from a user who goes on.
int AskStorageQuestion(UCB* ucb, UINT alertId, LPCWSTR insert);
// Shows the installable-options dialog of the printer and returns how it
// ended. There is no dialog yet: it ends as if cancelled (IDCANCEL).
int ShowOptionDialogForRefresh(UCB* ucb);
// The driver's build switches of group control (indexes 1-8): only index
// 1 (the preset refresh after an option change) is on.
BOOL IsGroupControlSwitchOn(int index);

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
