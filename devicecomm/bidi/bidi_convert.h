// Turning a device's status answer into printer-wide settings. Every read
// is a size probe followed by a read into a zero-filled block of the size
// named. The device's answer is input: a step whose read fails, or whose
// counts do not fit the entries it delivered, fails, and the full
// conversion then leaves the settings as they were.
#pragma once

#include "devicecomm/bidi/bidi_api.h"
#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Item reads beyond this size are refused as a broken answer.
inline constexpr DWORD kBidiMaxItemBytes = 0x10000;

// All or nothing: the input-option, output-option and tray-field settings
// start from nothing, then trays, options, memory and system version are
// read; on success the answer goes to the feature modules (event 22), the
// category items are read and the printer properties saved. Any failure
// restores the printer-wide settings as they were. TRUE on success.
BOOL GetBidiDataAndConvert2DriverData(const BIDIAPIEX2* api, DWORD printer, DWORD response, UCB* ucb);
// The system version, then the emulation version; TRUE when the system
// version step succeeded.
BOOL GetBidiDataAndConvert2DriverData2(const BIDIAPIEX2* api, DWORD printer, DWORD response, UCB* ucb);

// The steps. Each answers TRUE when it succeeded (a probe that names 0
// bytes succeeds with nothing changed; a device without paper, media or
// state items still has its trays set).
BOOL Bidi_INPUTTRAY(const BIDIAPIEX2* api, DWORD response, UCB* ucb);
BOOL Bidi_DEVICE(const BIDIAPIEX2* api, DWORD response, UCB* ucb);
BOOL Bidi_MEMORYSIZE(const BIDIAPIEX2* api, DWORD response, UCB* ucb);
BOOL Bidi_SYSVERSION(const BIDIAPIEX2* api, DWORD response, UCB* ucb);
// Category 15: memory type, emulation version and other information
// (Bidi_UNIQINFO2: the emulation version only). Always TRUE: what cannot be
// read is left as it was.
BOOL Bidi_UNIQINFO(const BIDIAPIEX2* api, DWORD printer, DWORD response, UCB* ucb);
BOOL Bidi_UNIQINFO2(const BIDIAPIEX2* api, DWORD printer, DWORD response, UCB* ucb);

// Passes the last punch-unit option code seen to the model's correction.
void CorrectOptDevByOptDevPunch(DWORD code, UCB* ucb);
#endif
