// Which settings a kind of transfer carries.
#pragma once

#include "platform/base/wintypes.h"

struct SFCB;

// TRUE for the printer-wide settings 10001-10385 that bidi transfers carry:
// every one except those of the special list that keeps logging codes,
// font arrays and some tray papers and media out of them.
BOOL IsAvailableDevmodeValueForBidiSetFile(const SFCB* record);
// TRUE for a setting a batch install takes from its default set file: any
// with a function id except those of the special list that keeps the
// DEVMODE's own identity (device name, versions, sizes) out of it.
BOOL IsAvailableDevmodeValueForBatchInstall(const SFCB* record);
// TRUE for a setting a plain set-file read takes: not the DEVMODE's
// identity (its special list), the private header and run-time flags
// (599-623), the work settings of the dialogs (624-751), the judge and
// module words (954-1164) nor any printer-wide setting (10001-10385).
BOOL IsAvailableDevmodeValueForReadSetFile(const SFCB* record);
