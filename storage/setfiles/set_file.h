// Set files: text files in INI syntax that each hold one named snapshot of
// the job settings (a preset, a print-quality set, a watermark, a free
// paper size, the defaults of a batch install, printer information or a
// whole exported settings file). One walk over the context's setting
// records reads or writes a section of such a file; a flag word selects
// which settings, which section and which version keys.
//
// A section holds the version keys first ("RstVersion", "RstMachine",
// "RstLanguage", "RstOSKind", as decimal text), then one line per setting:
// its setting name as key (a public DEVMODE field without a name uses its
// function id), its value as the settings INI keeps it. Settings without a
// name are never stored.
//
// The set-file code of the rendering library is not built: it reads no
// set file.
#pragma once

#include "platform/base/wintypes.h"

struct SFCB;
struct UCB;

// Flag word.
inline constexpr DWORD kSetFileRead = 0x1;
inline constexpr DWORD kSetFileWrite = 0x2;
// Settings of the preset class; on a write only with kSetFileInstall or
// kSetFilePlainSection (a plain preset write stores every setting).
inline constexpr DWORD kSetFilePreset = 0x4;
// Batch install: read from the driver-name section what the batch-install
// filter accepts; no version keys.
inline constexpr DWORD kSetFileBatchInstall = 0x8;
// Settings of the quality class; no version alert.
inline constexpr DWORD kSetFileQuality = 0x10;
// Settings of the watermark class; "RstVersion" alone, read only to decide
// on a conversion.
inline constexpr DWORD kSetFileWatermark = 0x20;
// The five settings of the free size being edited (752-756); version keys
// as for a watermark.
inline constexpr DWORD kSetFileFreeSize = 0x80;
// Every setting of the context that bidi transfers carry.
inline constexpr DWORD kSetFileBidi = 0x100;
// The five settings of the source free size (757-761); no version keys.
inline constexpr DWORD kSetFileSourceFreeSize = 0x200;
// Template data: section "KESMRsdSection", settings of the preset class.
inline constexpr DWORD kSetFileTemplate = 0x800;
// Only settings of the work block.
inline constexpr DWORD kSetFileWorkBlock = 0x1000;
// Install: read from the driver-name section without a version check,
// write to the printer-name section.
inline constexpr DWORD kSetFileInstall = 0x2000;
// No alert on a version mismatch.
inline constexpr DWORD kSetFileNoAlert = 0x8000;
// WriteSetFile: write under the batch-install section.
inline constexpr DWORD kSetFileBatchSection = 0x10000;
// ReadSetFile: choose the section as a plain read does although other
// bits are set; with kSetFilePreset on a write: preset class only.
inline constexpr DWORD kSetFilePlainSection = 0x20000;

// The context's last error after a read whose version keys do not match
// this driver (the read then fails and changes no setting).
inline constexpr DWORD kSetFileVersionMismatch = 1;

// Events offered to the feature modules: per setting before it is moved
// (a module sets veto to 1 to keep it out), and once after the section was
// read or written, with the walk's flags and file.
inline constexpr DWORD kModuleSetFileSetting = 6;
inline constexpr DWORD kModuleSetFileDone = 24;
struct SetFileModuleQuery {
  SFCB* record;
  DWORD veto;  // out
};
struct SetFileModuleDone {
  DWORD flags;
  LPCWSTR path;
};

// Version of the set-file format and the sections of fixed name.
inline constexpr WORD kSetFileHundreds = 100;
inline constexpr const WCHAR* kRsdSection = u"KESMRsdSection";
inline constexpr const WCHAR* kPrnSection = u"KESMPrnSection";
// The file in the shared directory that receives the template data and the
// printer information of an export.
inline constexpr const WCHAR* kExportCompanionFile = u"kesmtxt.txt";

#if KESM_KERNEL_MODE
// The rendering library's read of a stored quality set (the set file of a
// user print macro): under the lock, the quality settings of the work part
// from the printer's section, straight from the file through the
// kernel-mode INI reader, when "RstVersion" (by hundreds), "RstMachine" and
// "RstLanguage" are this driver's; else TRUE with kSetFileVersionMismatch
// as the last error and no setting changed. FALSE for a path that is not
// absolute and for a refused value (the settings are put back then).
BOOL ReadQualitySetFileKM(UCB* ucb, LPCWSTR path);
#endif

#if !KESM_KERNEL_MODE
// The entries. Each takes the printer handle (not used: the context names
// the printer), an absolute set-file path, the flag word and the context,
// and returns non-zero on success. A path that is empty or not absolute
// fails at once without touching any file.

// Reads a set file. A read whose flags hold no bit but kSetFileNoAlert (or
// hold kSetFilePlainSection) reads the section of the printer's driver name
// when that section has "RstVersion", else the printer's section. A read
// that fails or finds another driver's version keys sets the work area's
// fSetFileReadFault (which only its callers clear).
BOOL ReadSetFile(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);
// Writes a set file: under the batch-install section with
// kSetFileBatchSection, under the driver name for a plain write (no bit
// but kSetFileNoAlert), else under the printer's section.
BOOL WriteSetFile(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);
// Writes the template data (flags | 0x802) into kExportCompanionFile of the
// shared directory; into path only when that file's path cannot be built.
BOOL WriteSetFileRSD(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);
BOOL WriteSetFileRSDMain(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);

// Under the cross-process lock: the walk with kSetFileRead added, then,
// after a plain read, the repairs of the references the new settings make
// (free sizes, watermark and quality written into their stores, the OS
// kind's colour settings, validation). A version mismatch of a quality
// file has the file rebuilt from the installed quality set.
BOOL ReadSetFileMain(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);
// Under the cross-process lock: a plain or preset write first loads the
// free sizes, watermark, quality set and chapter data that the settings
// refer to, writes, and puts the settings back as they were.
BOOL WriteSetFileMain(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);

// The walk over the setting records. A read either takes every value it
// finds or, when one is refused, none: the context is left as it was and
// the result is 0. A read of a file whose version keys do not match fails
// with kSetFileVersionMismatch as the last error; one of an older minor
// version has its values converted once they are read. A write composes
// the section in a buffer of kSetFileScriptBytes and replaces the file's
// section of that name in one go; a section that does not fit fails and
// leaves the file as it was.
inline constexpr DWORD kSetFileScriptBytes = 32768;
BOOL ReadWriteSetFile(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);

// A script being composed: buffer of size bytes, write position.
struct SetFileScript {
  LPSTR buffer;
  DWORD size;
  DWORD position;
};
// Writes "RstVersion" and, unless onlyVersion, "RstMachine", "RstLanguage"
// and "RstOSKind" into the script when one is given, else into the file's
// section through the profile functions.
BOOL WriteSetFileVerInfo(LPCWSTR path, SetFileScript* script, UCB* ucb, LPCWSTR section,
                         BOOL onlyVersion);
// The version check of the walk. On a write it writes the version keys the
// flags call for and returns 1. On a read it returns 0 for a mismatch
// (showing the version alert when alertAllowed and the flags are not a
// quality read), else 1; *convertFrom (when given) receives the file's
// version when its values need converting to this driver's, else 0.
// sectionText is the body of the section read (null: none there).
BOOL CheckRstVersion(LPCWSTR path, LPCWSTR section, DWORD flags, BOOL alertAllowed, UCB* ucb,
                     LPCSTR sectionText, SetFileScript* script, BOOL byHundreds, WORD* convertFrom);
// TRUE when the two versions have the same hundreds (both taken as 16-bit).
BOOL IsValidRstVersion(DWORD a, DWORD b);
// "RstOSKind" of the file's printer section; 0xFFFF when absent.
DWORD GetOSKindFromRSD(LPCWSTR path, UCB* ucb);

// Printer information: settings 10001-10385, then 1124-1164, under
// kPrnSection (a read with kSetFileBatchInstall: the batch-install
// section), one profile value each. The font settings 10004-10011 (counts
// and addresses) are never taken from a file and are stored as 0.
BOOL ReadSetFilePrnInfo(LPCWSTR path, DWORD flags, UCB* ucb);
// With kSetFileBatchInstall the information goes into kExportCompanionFile
// of the shared directory instead of path.
BOOL WriteSetFilePrnInfo(LPCWSTR path, DWORD flags, UCB* ucb);
BOOL ReadWriteSetFilePrnInfo(LPCWSTR path, DWORD flags, UCB* ucb);
// The transfer of ids first..last under section (key buffer of
// MAX_PATH + 1 characters); a batch-install transfer skips the log codes
// 10001-10003.
BOOL ReadWriteSetFilePrnInfo2(LPCWSTR path, DWORD flags, UCB* ucb, LPCWSTR section, LPWSTR key,
                              WORD first, WORD last);
// When the driver INI names a default set file, writes the version keys and
// the printer information into it under the batch-install section. TRUE
// unless memory ran short.
BOOL WriteSetFilePrnInfoToRSB(UCB* ucb);
#endif
