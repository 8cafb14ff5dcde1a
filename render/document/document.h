// What the document and page entry points share.
#pragma once

#include "platform/base/wintypes.h"

struct PDEV;

// Opens the job on the first page of a document, or again after a reset:
// the job header, and on the first page the job-name block when the
// document has a name. With initList the display list is emptied first.
// Clears the reset-pending flag. FALSE when a block could not be written.
BOOL StartJob(PDEV* pdev, bool initList);
