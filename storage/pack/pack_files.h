// A pack: the current printer's configuration exported as a package that an
// administrator installs elsewhere. The package folder lies below the
// package root "kesm" of the shared directory and is named by the export's
// local time ("%04d%02d%02d%02d%02d%02d") and the list file's base name. It
// holds the default set file "R<stamp>1.rsb" (default settings, printer
// information, free sizes, watermarks, the lists of templates and quality
// sets), the preset templates "R<stamp><i>.rsd" and the quality sets
// "R<stamp + 1><i>.rsq" (index characters "0"-"9", "A"-"Z"). The list
// file (.lst) beside the exported set file names them all; every file
// carries the section "ScenarioInstallData".
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr const WCHAR* kPackRoot = u"kesm";
inline constexpr const WCHAR* kScenarioSection = u"ScenarioInstallData";
// A section is copied whole up to this size.
inline constexpr DWORD kPackSectionChars = 32767;
// Templates and quality sets a package can name: one index character each.
inline constexpr int kPackFilesMax = 36;

#if !KESM_KERNEL_MODE
// Creates the package root and the package folder for the list path and
// sets the default set file's path (MAX_PATH characters) in any case;
// non-zero when both folders exist. The folder name is cut to fit.
BOOL CreatePackInstallDirectory(LPCWSTR listPath, LPWSTR rsbPath, UCB* ucb);
// The package's files, each step only after the one before succeeded.
BOOL WritePackInstallFiles(LPCWSTR listPath, LPCWSTR rsbPath, UCB* ucb);
BOOL WriteScenarioKey(LPCWSTR file, UCB* ucb);
BOOL WritePackRSB(LPCWSTR rsbPath, LPCWSTR listPath, UCB* ucb);
BOOL WritePackRSD(LPCWSTR rsbPath, UCB* ucb);
BOOL WritePackRSQ(LPCWSTR rsbPath, UCB* ucb);
BOOL WritePackLST(LPCWSTR rsbPath, LPCWSTR listPath, UCB* ucb);

// Deletes the package that the list file of path (its extension replaced
// by "lst") names, then the list file. Only a folder directly below the
// package root is deleted, whatever the list file says; a list file that
// names another place is deleted alone. TRUE also when there is no list
// file.
BOOL DeletePackInstall(LPCWSTR path, UCB* ucb);
// Deletes the files of the folder that holds path, then the folder.
BOOL DeletePackInstallFiles(LPCWSTR path);

// At install: the templates and quality sets that a default set file
// carries in a container file are written into their own files. TRUE.
BOOL SeparateRSXFiles(UCB* ucb);
// Key "TALVOINFO" of the section from source to destination.
BOOL CopyIniSection(LPCWSTR section, LPCWSTR destination, LPCWSTR source);
#endif
