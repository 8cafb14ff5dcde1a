// The preset module's side of the file dialogs: the buffer that receives
// what the last file dialog chose (one path, or a folder followed by the
// names picked, parted by blanks) with the offset of its first name, and
// the import of the set files picked into the preset list. Configuration
// library only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The context's chosen-file buffer (1025 characters), or null without a
// work area.
LPWSTR GetPresetFileBuffer(UCB* ucb);
// Where the first name starts in the buffer.
void SetFileOffset(UCB* ucb, WORD offset);
WORD GetFileOffset(const UCB* ucb);

// Adds the set file to the preset list under the name and comment its
// printer section carries (an empty name: the file's name without its
// extension), then recalls it as the selected preset. FALSE when it could
// not be added.
BOOL ImportPresetFile(UCB* ucb, LPCWSTR path);
// Imports every file of a several-file choice in the buffer, in the order
// picked. A name whose path would be longer than a path may be is refused
// with message 10024 and nothing of it is read; the others are imported.
// The number of files added.
int MultiFileNameEx(UCB* ucb, HWND owner);
