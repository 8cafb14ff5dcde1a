// The chapter blocks of a context (features/chapter_blocks.h) in their
// stored forms: four integer keys per block in the printer's section of the
// settings INI or of a set file, numbered from 1.
#pragma once

#include <array>

#include "platform/base/wintypes.h"

struct UCB;

// Key kinds of one block.
inline constexpr int kChapterKeyPage = 1;
inline constexpr int kChapterKeyTray = 2;
inline constexpr int kChapterKeyKind = 3;
inline constexpr int kChapterKeyPrint = 4;  // any other kind, too

inline constexpr int kChapterKeyChars = 32;

// wdmChapterUseTray1 ... 7: the distinct trays of the plain chapters.
inline constexpr std::array<WORD, 7> kChapterUseTraySlots = {834, 835, 836, 842, 843, 844, 845};

// "wdmChapterPage%d" (and Tray, Kind, Print) of block index into buffer
// (kChapterKeyChars characters).
void MakeChpaterKey(UCB* ucb, LPWSTR buffer, int index, int keyKind);
// One value of block index; file null means the settings INI. Missing: 0.
int GetMasterChapterBlock(UCB* ucb, int index, int keyKind, LPCWSTR file);
BOOL SetMasterChapterBlock(UCB* ucb, int index, int keyKind, int value, LPCWSTR file);
// Reads the used blocks and zeroes the rest up to the capacity; with no
// block used nothing is touched. Returns the used count.
int GetMasterChapterBlockAll(UCB* ucb, LPCWSTR file);
// Writes the used blocks; a block of page 0 ends the list, and the used
// count then becomes its index.
void SetMasterChapterBlockAll(UCB* ucb, LPCWSTR file);

// The used count (wdmChapterNum).
int GetDevChapterData(UCB* ucb);
// The tray index of a chapter tray value, through its name.
DWORD ConvertTray2Index(UCB* ucb, LONG_PTR tray);
// The distinct trays of the plain (kind 0) chapters, in block order, into
// the use-tray settings, and their number into wdmChapterTrayNum. Trays
// beyond the seventh slot are not recorded.
void SetDevChapterData(UCB* ucb);
