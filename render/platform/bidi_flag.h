// The bidi flag the rendering library reads from the bidi fallback INI.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The bidi fallback INI's name in the system directory.
inline constexpr const WCHAR* kBidiIniName = u"kesmbid.ini";

// TRUE when the integer "BidiFlag" in the printer's section (its name) of
// the bidi fallback INI in the system directory is not 0; FALSE when it is
// 0 or missing, or when the file's path or the printer's name is unknown.
BOOL KMGetBidiFlagDataFromFile(UCB* ucb);

// Decides the bidi run-time flag of the context's DEVMODE: in server-client
// mode, or when the fallback INI holds no "BidiFlag" for the printer, it is
// on exactly when printer data "BidiFlag" has bit 0 (a bidi query was done
// before); otherwise exactly when the INI's "BidiFlag" is not 0.
void GetBidiFlagData(UCB* ucb);
