// The tables that turn device codes into settings and values. The five tray
// families of a pair share one list of {device code, tray index}: a tray
// index n selects the settings 10111+n (fitted), 10143+n (orientation),
// 10175+n (paper), 10207+n (media) and 10239+n (lock).
#include <array>
#include <cstddef>

#include "devicecomm/bidi/bidi_map.h"

namespace {

struct TrayCode {
  DWORD code;
  WORD index;
};

// Device tray codes: 1 and 2 the manual and multi-purpose trays, 3-9 trays
// 1-7, 101 the first extension tray. The primary list has no row for code
// 12 (a second code of tray 2); the base list sends 7 and 11 to the
// large-capacity tray.
constexpr TrayCode kPrimaryTrays[] = {{3, 0}, {4, 1}, {5, 2}, {6, 3}, {7, 4}, {8, 5}, {9, 6}, {101, 29}};
constexpr TrayCode kBaseTrays[] = {{3, 0}, {4, 1}, {12, 1}, {5, 2},  {6, 3},  {8, 5},
                                   {9, 6}, {7, 25}, {11, 25}, {1, 27}, {2, 28}, {101, 29}};

constexpr WORD kTrayField0 = 10111;
constexpr WORD kTrayOrient0 = 10143;
constexpr WORD kTray1Paper = 10175;
constexpr WORD kTray1Media = 10207;
constexpr WORD kTrayLock0 = 10239;

template <std::size_t N>
constexpr std::array<BIDIINFO, N + 1> Family(const TrayCode (&trays)[N], WORD first) {
  std::array<BIDIINFO, N + 1> table{};
  for (std::size_t i = 0; i < N; ++i) {
    table[i] = {static_cast<WORD>(first + trays[i].index), 0, trays[i].code};
  }
  return table;
}

constexpr auto BidiTrayInfoBit2 = Family(kPrimaryTrays, kTrayField0);
constexpr auto BidiOrientInfoBit2 = Family(kPrimaryTrays, kTrayOrient0);
constexpr auto BidiTrayInfo2 = Family(kPrimaryTrays, kTray1Paper);
constexpr auto BidiTrayInfoMedia2 = Family(kPrimaryTrays, kTray1Media);
constexpr auto BidiTrayTrayLockInfoBit2 = Family(kPrimaryTrays, kTrayLock0);
constexpr auto BidiTrayInfoBit = Family(kBaseTrays, kTrayField0);
constexpr auto BidiOrientInfoBit = Family(kBaseTrays, kTrayOrient0);
constexpr auto BidiTrayInfo = Family(kBaseTrays, kTray1Paper);
constexpr auto BidiTrayInfoMedia = Family(kBaseTrays, kTray1Media);
constexpr auto BidiTrayTrayLockInfoBit = Family(kBaseTrays, kTrayLock0);
static_assert(BidiTrayInfo2[7].wFirst == 10204 && BidiTrayInfo[7].wFirst == 10200);

// Device tray code → the tray value of the default-tray settings. Code 7
// comes twice in the primary table; the first row wins.
constexpr BIDIINFO BidiTrayDefTrayInfo2[] = {
    {1, 0, 3},  {3, 0, 4},  {5, 0, 12}, {2, 0, 5},  {256, 0, 6}, {261, 0, 7},   {262, 0, 8},
    {263, 0, 9}, {11, 0, 11}, {11, 0, 7}, {4, 0, 1}, {4, 0, 2},   {286, 0, 101}, {0, 0, 0}};
constexpr BIDIINFO BidiTrayDefTrayInfo[] = {
    {1, 0, 3},  {3, 0, 4},  {5, 0, 12}, {2, 0, 5}, {256, 0, 6}, {262, 0, 8},   {263, 0, 9},
    {11, 0, 11}, {11, 0, 7}, {4, 0, 1},  {4, 0, 2}, {286, 0, 101}, {0, 0, 0}};

// Option code → option setting. Codes 132-134 come twice; the first rows
// (the FIN1 settings) win.
constexpr BIDIINFO BidiOptionInfo[] = {
    {10045, 0, 112}, {10018, 0, 104}, {10084, 0, 21},  {10082, 0, 38},  {10085, 0, 41},
    {10014, 0, 1},   {10070, 0, 3},   {10059, 0, 22},  {10030, 0, 111}, {10290, 0, 113},
    {10086, 0, 132}, {10087, 0, 133}, {10088, 0, 134}, {10094, 0, 132}, {10095, 0, 133},
    {10096, 0, 134}, {10090, 0, 137}, {10091, 0, 138}, {10092, 0, 12},  {10093, 0, 142},
    {0, 0, 0}};

// The option codes of punch units.
constexpr DWORD BidiPunchKindTbl[] = {132, 133, 134, 142, 137, 138, 12, 0};

// Device paper code → paper value, by the orientation the code stands for.
constexpr BIDIINFO BidiPaperInfoPortrait[] = {
    {2048, 0, 0}, {1, 0, 23},   {3, 0, 58},   {5, 0, 21},   {6, 0, 27},   {7, 0, 25},  {512, 0, 69},
    {66, 0, 72},  {8, 0, 5},    {9, 0, 9},    {11, 0, 13},  {269, 0, 73}, {12, 0, 7},  {13, 0, 11},
    {518, 0, 75}, {14, 0, 62},  {28, 0, 31},  {31, 0, 33},  {37, 0, 52},  {43, 0, 34}, {82, 0, 70},
    {70, 0, 17},  {88, 0, 15},  {513, 0, 28}, {514, 0, 60}, {20, 0, 53},  {27, 0, 32}, {517, 0, 64},
    {93, 0, 66},  {2049, 0, 1}, {393, 0, 2},  {0, 0, 0}};
constexpr BIDIINFO BidiPaperInfoLandscape[] = {
    {2048, 0, 0}, {1, 0, 22},  {3, 0, 57},   {5, 0, 20},  {6, 0, 26},  {7, 0, 24},   {512, 0, 56},
    {8, 0, 4},    {9, 0, 8},   {11, 0, 12},  {12, 0, 6},  {13, 0, 10}, {14, 0, 61},  {28, 0, 81},
    {31, 0, 82},  {37, 0, 80}, {43, 0, 78},  {82, 0, 71}, {70, 0, 16}, {88, 0, 14},  {514, 0, 59},
    {20, 0, 79},  {27, 0, 83}, {517, 0, 63}, {93, 0, 65}, {2049, 0, 1}, {393, 0, 2}, {0, 0, 0}};

// Device media code → media value. Code 4 comes twice (the same value).
constexpr BIDIINFO BidiMediaInfo[] = {
    {2048, 0, 0}, {1, 0, 1},   {2, 0, 3},   {257, 0, 6},  {258, 0, 5},  {260, 0, 2},  {262, 0, 13},
    {263, 0, 4},  {264, 0, 9}, {265, 0, 10}, {266, 0, 11}, {267, 0, 12}, {268, 0, 14}, {269, 0, 15},
    {270, 0, 16}, {271, 0, 20}, {513, 0, 18}, {515, 0, 19}, {272, 0, 8},  {3, 0, 21},   {264, 0, 22},
    {279, 0, 23}, {263, 0, 4}, {274, 0, 24}, {517, 0, 25}, {280, 0, 26}, {281, 0, 27}, {282, 0, 28},
    {283, 0, 29}, {284, 0, 30}, {285, 0, 31}, {286, 0, 32}, {287, 0, 33}, {288, 0, 34}, {0, 0, 0}};

static_assert(std::size(BidiTrayDefTrayInfo2) == 14 && std::size(BidiTrayDefTrayInfo) == 13);
static_assert(std::size(BidiOptionInfo) == 21 && std::size(BidiMediaInfo) == 35);
static_assert(std::size(BidiPaperInfoPortrait) == 32 && std::size(BidiPaperInfoLandscape) == 28);

}  // namespace

const BIDIINFO* GetBidiTrayInfoBit() { return BidiTrayInfoBit.data(); }
const BIDIINFO* GetBidiOrientInfoBit() { return BidiOrientInfoBit.data(); }
const BIDIINFO* GetBidiTrayInfo() { return BidiTrayInfo.data(); }
const BIDIINFO* GetBidiTrayInfoMedia() { return BidiTrayInfoMedia.data(); }
const BIDIINFO* GetBidiTrayTrayLockInfoBit() { return BidiTrayTrayLockInfoBit.data(); }
const BIDIINFO* GetBidiTrayDefTrayInfo() { return BidiTrayDefTrayInfo; }
const BIDIINFO* GetBidiTrayInfoBit2() { return BidiTrayInfoBit2.data(); }
const BIDIINFO* GetBidiOrientInfoBit2() { return BidiOrientInfoBit2.data(); }
const BIDIINFO* GetBidiTrayInfo2() { return BidiTrayInfo2.data(); }
const BIDIINFO* GetBidiTrayInfoMedia2() { return BidiTrayInfoMedia2.data(); }
const BIDIINFO* GetBidiTrayTrayLockInfoBit2() { return BidiTrayTrayLockInfoBit2.data(); }
const BIDIINFO* GetBidiTrayDefTrayInfo2() { return BidiTrayDefTrayInfo2; }
const BIDIINFO* GetBidiPaperInfoPortrait() { return BidiPaperInfoPortrait; }
const BIDIINFO* GetBidiPaperInfoLandscape() { return BidiPaperInfoLandscape; }
const BIDIINFO* GetBidiMediaInfo() { return BidiMediaInfo; }
const BIDIINFO* GetBidiOptionInfo(UCB* /*ucb*/) { return BidiOptionInfo; }

BOOL IsOptDevPunch(DWORD code) {
  for (const DWORD* punch = BidiPunchKindTbl; *punch != 0; ++punch) {
    if (*punch == code) return TRUE;
  }
  return FALSE;
}
