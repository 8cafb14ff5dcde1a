// The device capabilities an application's print dialog asks for: fixed
// answers from the driver's parameters, and the papers, bins, resolutions
// and other answers of the printer's description under its current
// settings, with hidden options left out.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// The failure answer of every capability (-1).
inline constexpr DWORD kCapabilityFailed = 0xFFFFFFFF;

// The answers that need a printer context (DC_FIELDS, DC_PAPERS,
// DC_PAPERSIZE, DC_BINS, DC_BINNAMES, DC_ENUMRESOLUTIONS, DC_TRUETYPE,
// DC_PAPERNAMES, DC_BINADJUST to DC_COLLATE).
DWORD CapUCB(HANDLE printer, LPCWSTR ignored, WORD capability, PVOID output, const DEVMODEW* devmode);
// DC_DUPLEX from the printer's data.
DWORD CapReg(HANDLE printer, LPCWSTR ignored, WORD capability, PVOID output, const DEVMODEW* devmode);

// The option walks of one context; each writes only with an output and
// answers the number of visible options, or -1.
LONG CapBINS(UCB* ucb, WORD* output);
LONG CapBINNAMES(UCB* ucb, WCHAR* output);  // 24 characters a name
LONG CapPAPERS(UCB* ucb, WORD* output);
LONG CapPAPERNAMES(UCB* ucb, WCHAR* output);  // 64 characters a name
LONG CapPAPERSIZE(UCB* ucb, POINT* output);    // tenths of a millimetre
// {width, length} in tenths of a millimetre as two 16-bit values; the
// answer packs length << 16 | width.
DWORD _CapMinMaxEXTENT(UCB* ucb, WORD* output, WORD capability);
