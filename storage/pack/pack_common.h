// What the pack files share: whole sections copied between INI files and
// the stamp of a package's default set file. Internal to storage/pack/.
#pragma once

#include <string>

#include "platform/base/wintypes.h"

#if !KESM_KERNEL_MODE
namespace pack {

// Copies the source section whole (up to maxChars characters) as the
// destination section, replacing it. FALSE, the destination untouched,
// when the source section is missing or empty (unless allowEmpty), too
// long, or the write fails.
bool CopySection(LPCWSTR sourceSection, LPCWSTR source, LPCWSTR destinationSection, LPCWSTR destination,
                 DWORD maxChars, bool allowEmpty = false);
// The six stamp characters of a package file name "R<stamp>...", with
// its terminator; empty when the name is not of that form.
std::u16string StampOf(LPCWSTR packFile);
// The folder of a path, without its last "\".
std::u16string FolderOf(std::u16string_view path);
// The package root of the context's printer.
std::u16string PackRoot(HANDLE printer);

}  // namespace pack
#endif
