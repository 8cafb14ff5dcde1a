// The font sets of a printer in its printer data: the device fonts and the
// option (cartridge) fonts, each a count and an array of KESMFONT records,
// and the font substitution table, whose pairs are kept one value per half
// ("TTFontTable%d" and "DevFontTable%d", numbered from 1) under a count
// ("FontTableNum"; "LastFontTableNum" counts the pair values that exist). The
// description's table is kept beside it as the default table
// ("DefFontTableNum", "TTFontDefTable%d", "DevFontDefTable%d"). In the
// context each set is a counted array of the current DCB.
//
// Counts and arrays are input: a count or array of another type or size, a
// count larger than its array, or a name that does not end within its 32
// characters is refused, and the set stays empty.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Mode bits of the writers.
inline constexpr DWORD kFontsFromDescription = 0x1;  // the description's set, not the context's
inline constexpr DWORD kFontsIfChanged = 0x2;        // skip a set that equals the saved state's
inline constexpr DWORD kFontsDefaultTable = 0x100;   // the default substitution table

// Reads the set into the context, replacing what it holds. A printer
// without a count gets the description's set written first; when that
// fails the read ends without fonts and answers TRUE. Otherwise TRUE when
// the context ends with a non-empty set (the table: also when its count is
// 0).
BOOL GetDeviceFont(HANDLE printer, UCB* ucb);
BOOL GetOptionFont(HANDLE printer, UCB* ucb);
BOOL GetFontTable(HANDLE printer, UCB* ucb);
// Writes the context's set, or the description's (kFontsFromDescription).
// With kFontsIfChanged and open kind 0, a set equal to the saved state's is
// not written. Device and option fonts: FALSE without fonts to write. The
// table: a description without one succeeds without writing; an empty
// table of the context is written as count 0. The array is written before
// its count, so that a failure between them leaves a count that does not
// match the array, which a read refuses, never a count that reads past it.
BOOL SetDeviceFont(HANDLE printer, UCB* ucb, DWORD mode);
BOOL SetOptionFont(HANDLE printer, UCB* ucb, DWORD mode);
BOOL SetFontTable(HANDLE printer, UCB* ucb, DWORD mode);

// Writes count pairs of the table: the current table's pairs and then
// "LastFontTableNum", or with kFontsDefaultTable the default pairs and then
// "DefFontTableNum". Pairs of an earlier, longer current table stay counted
// in "LastFontTableNum" until SetFontTable has written the new count and
// removes them. FALSE when a write fails; then no count is changed.
BOOL SetFontTableEx(HANDLE printer, LPCVOID table, DWORD count, DWORD mode);
// Reads count pairs of the current (or default) table into buffer. A pair
// whose halves cannot both be read is left empty and its error code is the
// result; the other pairs are still read. 0 on full success, 8
// (ERROR_NOT_ENOUGH_MEMORY) for a null buffer.
DWORD GetFontTableEx(HANDLE printer, LPVOID buffer, DWORD count, DWORD mode);
// Deletes the current table's pair values and sets "LastFontTableNum" to 0.
BOOL DeleteFontTableEx(HANDLE printer);
// Replaces the context's table by the default table. FALSE when the default
// table cannot be read (the context then holds no table).
BOOL GetFontTableDefault(HANDLE printer, UCB* ucb);
// Writes the description's table as the default table when the printer has
// none yet; TRUE when it has one or it was written.
BOOL SetFontTableDefault(HANDLE printer, UCB* ucb);

// The three sets into the context; TRUE when all three reads are.
BOOL GetFontProperties(HANDLE printer, UCB* ucb);
// The three sets from the context where they changed (SetFontProperties) or
// from the description (SetFontPropertiesx). Both return 1.
BOOL SetFontProperties(HANDLE printer, UCB* ucb);
BOOL SetFontPropertiesx(HANDLE printer, UCB* ucb);
