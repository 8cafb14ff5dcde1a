// User colour profiles: named colour-matching files kept in the settings
// INI, in the section of the driver language's two-letter code: "CmmCount",
// "CmmDefault" (leading profiles that count as defaults, 4 when missing),
// "CmmMax" (16 when missing), and per profile i a section
// "ColorMatching<i><code>" with the name ("kdmColorMatchingMode") and the
// file ("wdmColorProfilePath"). A colour-matching setting names profile i
// by the value 200 + i; option lists show it as option id 565 + i.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct SFCB;
struct UCB;

inline constexpr LONG kCmmProfileValueBase = 200;
inline constexpr WORD kCmmProfileOptionFirst = 565;
inline constexpr WORD kCmmProfileOptionLast = 580;
inline constexpr int kCmmProfileChars = 260;
inline constexpr int kCmmSectionChars = 64;

LPCWSTR GetCmmProfileSectionName(UCB* ucb);
int ReadCmmProfileCount(UCB* ucb);
int ReadCmmProfileDefaultCount(UCB* ucb);
int ReadCmmProfileMaxCount(UCB* ucb);
void WriteCmmProfileCount(UCB* ucb, int count);
// "ColorMatching<index><code>" into section (kCmmSectionChars characters).
void MakeCmmProfileKey(UCB* ucb, LPWSTR section, int index);

// The profile's name and file into the settings of the name item (2823)
// and the file item (2825); an index at or above the count reads profile
// 0, a negative index empties both.
void ReadCmmProfileByID(UCB* ucb, int index);
// The name of profile index alone into name (kCmmProfileChars characters),
// with the same choice of index.
void ReadCmmProfileName(UCB* ucb, int index, LPWSTR name);
// The same into the settings of the two items' setting groups.
void ReadCmmProfileByIDForGR(UCB* ucb, int index);
// The two items' texts into profile index (0 to count - 1 only).
void WriteCmmProfileByID(UCB* ucb, int index);
// Moves each later profile down one place and lowers the count.
void DeleteCmmProfileByID(UCB* ucb, int index);

// value - 200 when that names a profile (0 to count - 1), else -1.
int ChangeCmmValueToIndex(UCB* ucb, LONG_PTR value);
int GetCmmIndexByFuncID(UCB* ucb, WORD funcId);
// The profile the profile combo (2256 of page 4010) holds, or -1.
int GetSelectedCmmIndex(UCB* ucb);
// Sets the combo's setting to 200 + index; an index outside the list takes
// the combo's first entry.
void SetCmmIndex(UCB* ucb, int index);

// The settings the name and file items edit: the one a dialog bound them
// to; the file item stands for the profile path setting until then.
SFCB* GetCmmNameSetting(UCB* ucb);
// The profile name an unbound name item edits, kept in the module's work
// area (kCmmProfileChars characters); null without it.
LPWSTR GetCmmNameBuffer(UCB* ucb);
// The name, file and combo items; null when the context has none.
ICB* GetIcbForCmmName(UCB* ucb);
ICB* GetIcbForCmmIndex(UCB* ucb);

// 1 when the file carries the colour-profile header of this maker's
// printer profiles, else 0.
int CheckTcmFileHeader(LPCWSTR path);
