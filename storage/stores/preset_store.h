// Presets and print-quality sets: named sets of job settings, each kept as
// a set file and listed per user in the settings INI under the printer's
// section ("Count", "PresetList<n>", "PresetList<n>Name",
// "PresetList<n>Comment"; "QualityCount", "QualityList<n>",
// "QualityList<n>Name"). A preset's set file may carry "Readonly"=1 in its
// printer section, which protects it from being overwritten. Recalled
// presets are kept per context in one cache slot per index, which every
// preset write empties. The rendering library keeps no presets.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr int kPresetSlots = 16;
// Names of new user set files: "user0000.rst" to "user9999.rst".
inline constexpr int kRstNameTries = 10000;
inline constexpr DWORD kRstNameChars = 1025;
// Quality sets are numbered by the 8-bit user print macro from 135.
inline constexpr int kQualitySetsMax = 256 - 135;
// The message shown when a preset cannot be read with this driver.
inline constexpr UINT kMessagePresetVersion = 10023;

// Preset cache operations.
enum PresetCacheOp : int {
  kPresetCacheForget = 0,   // empty every slot
  kPresetCacheRestore = 1,  // the key's slot back into the settings: 1, or 0 when empty
  kPresetCacheSave = 2,     // the settings into the key's slot; 0
  kPresetCacheFree = 3,     // empty every slot
};

// "QualityList<index>", into a buffer of at least 64 characters (both
// libraries). Returns the buffer.
LPWSTR MakeQualityKey(LPWSTR buffer, int index);

#if !KESM_KERNEL_MODE
// "PresetList<index>" followed by "Name" (part 1), "Comment" (part 2) or
// nothing, into a buffer of at least kStoreKeyChars characters. Returns
// the buffer.
LPWSTR MakePresetKey(LPWSTR buffer, int index, int part);

// FALSE when the file's printer section has "Readonly" = 1.
BOOL CanOverwriteRst(UCB* ucb, LPCWSTR file);
// The full path of the first of "user0000.rst" ... "user9999.rst" (in the
// shared directory when settings INI files are not kept per user or the
// mode word holds 0x40000, else the per-user directory) whose printer
// section has no non-zero "RstMachine", into a buffer of kRstNameChars.
// FALSE, with the buffer emptied, when every name is in use or the folder
// cannot be had.
BOOL GetNewRstFileName(UCB* ucb, LPWSTR buffer);

// Appends a preset to the list: with n = "Count", "PresetList<n>" := path
// with its "Name" and "Comment", then "Count" := n + 1; the preset cache
// is emptied. FALSE when a value could not be written.
BOOL AddPresetData(UCB* ucb, LPCWSTR path, LPCWSTR name, LPCWSTR comment);
// Empties the list: "Count" := "0".
BOOL ResetPresetData(UCB* ucb);

// "Count" (0-16) and "QualityCount" (0-121); 0 when missing.
int ReadPresetCount(UCB* ucb);
int ReadQualityCount(UCB* ucb);

// The cache of recalled presets: each slot holds the values of every
// preset and watermark setting. A restore puts single-bit settings back bit
// by bit, leaving the other bits of their word. Keys other than the sixteen
// preset keys have no slot.
int CheckPresetCache(UCB* ucb, LPCWSTR key, int op);

// Recalls a preset: from the cache, else from its set file (preset
// settings only), then its name and comment (settings 762 and 763). A file
// that this driver cannot read is dropped from the list (its key emptied)
// and preset 0 is recalled instead, with a message. A watermark the preset
// refers to is reloaded from the watermark store, or switched off when the
// store does not have it. FALSE when the file could not be read.
BOOL ReadPresetByKey(UCB* ucb, LPCWSTR key);
// The same by index; an index outside 0-15 empties name and comment.
BOOL ReadPresetByID(UCB* ucb, int index);
// Recalls the driver's template of a preset: the ".rsd" file of the same
// name in the shared directory, section the driver name. It bypasses the
// cache, whose slots hold the user's presets.
BOOL ReadInstallPresetByID(UCB* ucb, int index);
// Writes every setting into the preset's set file, then its name and
// comment, and empties the cache. FALSE when the file could not be
// written; the list is then left as it was.
BOOL WritePresetByKey(UCB* ucb, LPCWSTR key);
// The same by index (0-15). Before Windows 2000 a terminal-server user who
// is not an administrator cannot write.
BOOL WritePresetByID(UCB* ucb, int index);
// TRUE for an index 0-15 whose file is not "Readonly".
BOOL CanOverwritePreset(UCB* ucb, int index);
// Rewrites every preset in the current format: the driver's template
// first, the user's preset read over it, written back with its "Readonly"
// mark. The settings are put back afterwards.
BOOL UpgradePreset(UCB* ucb);

// Reads a quality set file (quality settings only) and its name into
// setting 764. FALSE when the file could not be read.
BOOL ReadQualityByKey(UCB* ucb, LPCWSTR key);
BOOL ReadQualityByID(UCB* ucb, int index);
// Writes the quality settings into the quality set file, then the name of
// the quality-name item (setting 764 where the item is not there).
BOOL WriteQualityByKey(UCB* ucb, LPCWSTR key);
BOOL WriteQualityByID(UCB* ucb, int index);
// Reads the installed quality set a quality file was made from: the ".rsq"
// file of its driver-use name, section the driver name.
BOOL ReadInstallQualityByKey(UCB* ucb, LPCWSTR key);
BOOL ReadInstallQualityByID(UCB* ucb, int index);
// Rewrites every quality set in the current format over its installed
// set; the settings are put back afterwards.
BOOL UpgradeQuality(UCB* ucb);
#endif
