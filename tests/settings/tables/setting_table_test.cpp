#include <cstddef>
#include <cstring>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/spooler/devmode.h"
#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"
#include "settings/tables/value_lists.h"

namespace {

const SFCB& Rec(WORD id) {
  const int pos = id > 10000 ? id - kSettingSecondRunFirst + kSettingFirstRunEnd : id - 1;
  return fgSFCB[pos];
}

std::u16string_view Str(LPCWSTR s) { return s ? std::u16string_view(s) : std::u16string_view(); }

constexpr int kBlockSize[4] = {0, 1236, 1020, 3116};

TEST(SettingTable, IdsRunInTwoAscendingRuns) {
  for (int i = 0; i < kSettingFirstRunEnd; ++i) EXPECT_EQ(fgSFCB[i].funcId, i + 1) << i;
  for (int i = kSettingFirstRunEnd; i < kSettingCount; ++i)
    EXPECT_EQ(fgSFCB[i].funcId, kSettingSecondRunFirst + (i - kSettingFirstRunEnd)) << i;
  EXPECT_EQ(fgSFCB[1175].funcId, 1176);
  EXPECT_EQ(fgSFCB[1176].funcId, 10001);
  EXPECT_EQ(fgSFCB[kSettingCount - 1].funcId, kSettingSecondRunLast);
}

TEST(SettingTable, RecordsPerValueKindAddUp) {
  std::map<DWORD, int> count;
  for (const SFCB& r : fgSFCB) {
    const DWORD kind = SettingKindOf(r.descriptor);
    ++count[SettingKindIsBit(kind) ? kKindBitFirst : kind];
  }
  const std::map<DWORD, int> expected = {
      {kKindI8, 35},  {kKindI16, 56}, {kKindI32, 1},   {kKindU8, 131},          {kKindU16, 114},
      {kKindU32, 51}, {kKindAnsi, 54}, {kKindWide, 2}, {kKindBitFirst, 1117}};
  EXPECT_EQ(count, expected);
}

// The public part must sit exactly where the system's record keeps it.
TEST(SettingTable, PublicFieldsMatchTheSystemRecord) {
  struct Row { WORD id; size_t offset; size_t size; };
  const Row rows[] = {
      {1, offsetof(DEVMODEW, dmDeviceName), 64},   {2, offsetof(DEVMODEW, dmSpecVersion), 2},
      {3, offsetof(DEVMODEW, dmDriverVersion), 2}, {4, offsetof(DEVMODEW, dmSize), 2},
      {5, offsetof(DEVMODEW, dmDriverExtra), 2},   {6, offsetof(DEVMODEW, dmFields), 4},
      {7, offsetof(DEVMODEW, dmOrientation), 2},   {8, offsetof(DEVMODEW, dmPaperSize), 2},
      {9, offsetof(DEVMODEW, dmPaperLength), 2},   {10, offsetof(DEVMODEW, dmPaperWidth), 2},
      {11, offsetof(DEVMODEW, dmScale), 2},        {12, offsetof(DEVMODEW, dmCopies), 2},
      {13, offsetof(DEVMODEW, dmDefaultSource), 2}, {14, offsetof(DEVMODEW, dmPrintQuality), 2},
      {15, offsetof(DEVMODEW, dmColor), 2},        {16, offsetof(DEVMODEW, dmDuplex), 2},
      {17, offsetof(DEVMODEW, dmYResolution), 2},  {18, offsetof(DEVMODEW, dmTTOption), 2},
      {19, offsetof(DEVMODEW, dmCollate), 2},      {20, offsetof(DEVMODEW, dmFormName), 64},
      {21, offsetof(DEVMODEW, dmLogPixels), 2},    {22, offsetof(DEVMODEW, dmBitsPerPel), 4},
      {23, offsetof(DEVMODEW, dmPelsWidth), 4},    {24, offsetof(DEVMODEW, dmPelsHeight), 4},
      {25, offsetof(DEVMODEW, dmDisplayFlags), 4}, {26, offsetof(DEVMODEW, dmDisplayFrequency), 4},
      {27, offsetof(DEVMODEW, dmICMMethod), 4},    {28, offsetof(DEVMODEW, dmICMIntent), 4},
      {29, offsetof(DEVMODEW, dmMediaType), 4},    {30, offsetof(DEVMODEW, dmDitherType), 4},
      {31, offsetof(DEVMODEW, dmICCManufacturer), 4}, {32, offsetof(DEVMODEW, dmICCModel), 4},
      {33, offsetof(DEVMODEW, dmPanningWidth), 4}, {34, offsetof(DEVMODEW, dmPanningHeight), 4},
  };
  for (const Row& row : rows) {
    const SFCB& r = Rec(row.id);
    EXPECT_EQ(SettingBlockOf(r.descriptor), kBlockDevmode) << row.id;
    EXPECT_EQ(r.offset, row.offset) << row.id;
    EXPECT_EQ(SettingSizeOf(r.descriptor), row.size) << row.id;
  }
}

// Rows of the layout that other code and stored data rely on.
TEST(SettingTable, TellingRowsSitWhereTheFormatPutsThem) {
  struct Row { WORD id; DWORD block; DWORD kind; DWORD size; WORD offset; const CDT* list; };
  const Row rows[] = {
      {1, 1, kKindWide, 64, 0, nullptr},
      {7, 1, kKindI16, 2, 76, CDT_RADIOLIST_1},
      {8, 1, kKindI16, 2, 78, CDT_IDC_PRESET_CHOICE_PAPERSIZE},
      {13, 1, kKindI16, 2, 88, CDT_IDC_PRESET_CHOICE_SOURCETRAY},
      {35, 1, kKindU8, 1, 368, nullptr},
      {63, 1, kKindBitFirst + 8, 4, 436, nullptr},
      {87, 1, kKindU8, 1, 440, CDT_IDC_BASIC_CHOICE_SCALE_TYPE},
      {89, 1, kKindU16, 2, 442, nullptr},
      {90, 1, kKindU16, 2, 444, nullptr},
      {117, 1, kKindU8, 1, 536, nullptr},
      {118, 1, kKindU16, 2, 538, nullptr},
      {171, 1, kKindU8, 1, 580, CDT_RADIOLIST_6},
      {598, 1, kKindAnsi, 21, 1040, nullptr},
      {599, 1, kKindAnsi, 16, 228, nullptr},
      {600, 1, kKindAnsi, 16, 244, nullptr},
      {601, 1, kKindAnsi, 16, 260, nullptr},
      {602, 1, kKindAnsi, 8, 276, nullptr},
      {603, 1, kKindU8, 1, 284, nullptr},
      {604, 1, kKindAnsi, 32, 285, nullptr},
      {605, 1, kKindAnsi, 32, 317, nullptr},
      {606, 1, kKindU32, 4, 224, nullptr},
      {607, 1, kKindU8, 1, 1219, nullptr},
      {623, 1, kKindU8, 1, 1235, nullptr},
      {624, 3, kKindBitFirst, 4, 0, nullptr},
      {631, 3, kKindBitFirst + 7, 4, 0, nullptr},
      {752, 3, kKindAnsi, 33, 16, nullptr},
      {753, 3, kKindU32, 4, 52, nullptr},
      {754, 3, kKindU32, 4, 56, nullptr},
      {1124, 2, kKindAnsi, 17, 860, nullptr},
      {10012, 2, kKindU32, 4, 44, CDT_IDC_OPTION_CHOICE_TOTALRAM},
  };
  for (const Row& row : rows) {
    const SFCB& r = Rec(row.id);
    EXPECT_EQ(SettingBlockOf(r.descriptor), row.block) << row.id;
    EXPECT_EQ(SettingKindOf(r.descriptor), row.kind) << row.id;
    EXPECT_EQ(SettingSizeOf(r.descriptor), row.size) << row.id;
    EXPECT_EQ(r.offset, row.offset) << row.id;
    EXPECT_EQ(r.valueList, row.list) << row.id;
  }
}

TEST(SettingTable, EachIdRangeLivesInItsBlock) {
  for (const SFCB& r : fgSFCB) {
    const WORD id = r.funcId;
    const DWORD expected = id <= 623 ? kBlockDevmode
                           : (id >= 1124 && id <= 1164) || id > 10000 ? kBlockPrinter
                                                                       : kBlockWork;
    EXPECT_EQ(SettingBlockOf(r.descriptor), expected) << id;
  }
}

// Every value lies inside its block, and no two values share a byte unless
// they are bits of one word (same offset and width, different bits).
TEST(SettingTable, ValuesStayInsideTheirBlockAndDoNotOverlap) {
  for (DWORD block = 1; block <= 3; ++block) {
    std::vector<const SFCB*> owner(kBlockSize[block], nullptr);
    for (const SFCB& r : fgSFCB) {
      if (SettingBlockOf(r.descriptor) != block) continue;
      const DWORD size = SettingSizeOf(r.descriptor);
      ASSERT_GT(size, 0u) << r.funcId;
      ASSERT_LE(r.offset + size, static_cast<DWORD>(kBlockSize[block])) << r.funcId;
      for (DWORD i = r.offset; i < r.offset + size; ++i) {
        const SFCB* other = owner[i];
        if (other) {
          const DWORD k1 = SettingKindOf(r.descriptor), k2 = SettingKindOf(other->descriptor);
          const bool sameWord = SettingKindIsBit(k1) && SettingKindIsBit(k2) && other->offset == r.offset &&
                                SettingSizeOf(other->descriptor) == size && k1 != k2;
          ASSERT_TRUE(sameWord) << r.funcId << " overlaps " << other->funcId << " at " << i;
        }
        owner[i] = &r;
      }
    }
  }
}

TEST(SettingTable, NumbersAreNaturallyAligned) {
  for (const SFCB& r : fgSFCB) {
    const DWORD kind = SettingKindOf(r.descriptor);
    if (SettingKindIsString(kind)) continue;
    const DWORD size = SettingSizeOf(r.descriptor);
    if (r.funcId <= 623) continue;  // the DEVMODE's own packing is fixed by the format
    EXPECT_EQ(r.offset % size, 0u) << r.funcId;
  }
}

// The arrays of the printer-wide part are held by pointer; a host pointer
// must fit its slot whole.
TEST(SettingTable, ArrayPointersHaveAWholeAlignedSlot) {
  for (WORD id : {10005, 10007, 10009, 10011}) {
    const SFCB& r = Rec(id);
    EXPECT_EQ(SettingSizeOf(r.descriptor), kSettingPointerSlot) << id;
    EXPECT_EQ(r.offset % alignof(void*), 0u) << id;
  }
}

TEST(SettingTable, BitKindsAddressTheirByteOfTheLittleEndianWord) {
  struct Row { DWORD kind; DWORD byte; BYTE mask; };
  const Row rows[] = {{16, 0, 0x01}, {23, 0, 0x80}, {24, 1, 0x01}, {31, 1, 0x80},
                      {32, 2, 0x01}, {39, 2, 0x80}, {40, 3, 0x01}, {47, 3, 0x80}};
  for (const Row& row : rows) {
    EXPECT_EQ(SettingBitByte(row.kind), row.byte) << row.kind;
    EXPECT_EQ(SettingBitMaskInByte(row.kind), row.mask) << row.kind;
    BYTE word[4] = {};
    word[SettingBitByte(row.kind)] |= SettingBitMaskInByte(row.kind);
    const DWORD value = word[0] | word[1] << 8 | word[2] << 16 | static_cast<DWORD>(word[3]) << 24;
    EXPECT_EQ(value, 1u << (row.kind - kKindBitFirst)) << row.kind;
  }
  for (const SFCB& r : fgSFCB) {
    const DWORD kind = SettingKindOf(r.descriptor);
    if (SettingKindIsBit(kind)) {
      EXPECT_LT(SettingBitByte(kind), SettingSizeOf(r.descriptor)) << r.funcId;
    }
  }
}

TEST(SettingTable, IniSectionsAndKeysAreExactlyTheListedOnes) {
  struct Row { WORD id; LPCWSTR section; LPCWSTR key; };
  const Row withSection[] = {
    {203, u"PRINTLOG", u"UserCode"},
    {1124, u"BINNAME", u"Tray1"},
    {1125, u"BINNAME", u"Tray2"},
    {1126, u"BINNAME", u"Tray3"},
    {1127, u"BINNAME", u"Tray4"},
    {1128, u"BINNAME", u"Tray5"},
    {1129, u"BINNAME", u"Tray6"},
    {1130, u"BINNAME", u"Tray7"},
    {1131, u"BINNAME", u"Tray8"},
    {1132, u"BINNAME", u"Tray9"},
    {10001, u"PRINTLOG", u"ServerUse"},
    {10002, u"PRINTLOG", u"UserCodeUse"},
    {10003, u"PRINTLOG", u"UserCode"},  // the user code a print server imposes
    {10012, u"OPTION", u"RAM"},
    {10013, u"OPTION", u"RAMType"},
    {10014, u"OPTION", u"Duplex"},
    {10018, u"OPTION", u"LCT1"},
    {10030, u"OPTION", u"TrayExpansion"},
    {10045, u"OPTION", u"Tray7Option"},
    {10047, u"OPTION", u"OutSideTray"},
    {10048, u"OPTION", u"MailBox1"},
    {10059, u"OPTION", u"PlockMatic"},
    {10070, u"OPTION", u"HDD"},
    {10072, u"OPTION", u"PunchUnit"},
    {10082, u"OPTION", u"FinQG"},
    {10084, u"OPTION", u"FinQK"},
    {10085, u"OPTION", u"CVRFeeder"},
    {10086, u"OPTION", u"FinQGNA23"},
    {10087, u"OPTION", u"FinQGEU24"},
    {10088, u"OPTION", u"FinQGNE4"},
    {10089, u"OPTION", u"FinQGNoPunch"},
    {10090, u"OPTION", u"FinQJNA23"},
    {10091, u"OPTION", u"FinQJEU24"},
    {10092, u"OPTION", u"FinQJNE4"},
    {10093, u"OPTION", u"FinQJNoPunch"},
    {10094, u"OPTION", u"FinQKNA23"},
    {10095, u"OPTION", u"FinQKEU24"},
    {10096, u"OPTION", u"FinQKNE4"},
    {10097, u"OPTION", u"FinQKNoPunch"},
    {10110, u"OPTION", u"1StepNum"},
    {10111, u"TRAYFIELD", u"Tray1Field"},
    {10112, u"TRAYFIELD", u"Tray2Field"},
    {10113, u"TRAYFIELD", u"Tray3Field"},
    {10114, u"TRAYFIELD", u"Tray4Field"},
    {10115, u"TRAYFIELD", u"Tray5Field"},
    {10116, u"TRAYFIELD", u"Tray6Field"},
    {10117, u"TRAYFIELD", u"Tray7Field"},
    {10140, u"TRAYFIELD", u"CVRField"},
    {10143, u"ORIENTATION", u"Tray1Orient"},
    {10144, u"ORIENTATION", u"Tray2Orient"},
    {10145, u"ORIENTATION", u"Tray3Orient"},
    {10146, u"ORIENTATION", u"Tray4Orient"},
    {10147, u"ORIENTATION", u"Tray5Orient"},
    {10148, u"ORIENTATION", u"Tray6Orient"},
    {10149, u"ORIENTATION", u"Tray7Orient"},
    {10172, u"ORIENTATION", u"CVROrient"},
    {10175, u"PAPERSIZE", u"Tray1Paper"},
    {10176, u"PAPERSIZE", u"Tray2Paper"},
    {10177, u"PAPERSIZE", u"Tray3Paper"},
    {10178, u"PAPERSIZE", u"Tray4Paper"},
    {10179, u"PAPERSIZE", u"Tray5Paper"},
    {10180, u"PAPERSIZE", u"Tray6Paper"},
    {10181, u"PAPERSIZE", u"Tray7Paper"},
    {10204, u"PAPERSIZE", u"CVRPaper"},
    {10207, u"MEDIATYPE", u"Tray1Media"},
    {10208, u"MEDIATYPE", u"Tray2Media"},
    {10209, u"MEDIATYPE", u"Tray3Media"},
    {10210, u"MEDIATYPE", u"Tray4Media"},
    {10211, u"MEDIATYPE", u"Tray5Media"},
    {10212, u"MEDIATYPE", u"Tray6Media"},
    {10213, u"MEDIATYPE", u"Tray7Media"},
    {10236, u"MEDIATYPE", u"CVRMedia"},
    {10239, u"LOCK", u"Tray1Lock"},
    {10240, u"LOCK", u"Tray2Lock"},
    {10241, u"LOCK", u"Tray3Lock"},
    {10242, u"TRAYLOCK", u"Tray4Lock"},
    {10243, u"TRAYLOCK", u"Tray5Lock"},
    {10244, u"TRAYLOCK", u"Tray6Lock"},
    {10245, u"TRAYLOCK", u"Tray7Lock"},
    {10268, u"TRAYLOCK", u"CVRLock"},
    {10273, u"PRINTLOG", u"DllUserCode"},
    {10274, u"OTHER", u"Other"},
    {10275, u"PRINTLOG", u"Logging"},
    {10276, u"COVER_MARK", u"CoverTray"},
    {10277, u"COVER_MARK", u"MarkTray"},
    {10278, u"COVER_MARK", u"ChapterTray1"},
    {10279, u"COVER_MARK", u"ChapterTray2"},
    {10280, u"COVER_MARK", u"ChapterTray3"},
    {10285, u"COVER_MARK", u"TrayChapterSep1"},
    {10286, u"COVER_MARK", u"TrayChapterSep2"},
    {10287, u"COVER_MARK", u"TrayChapterSep3"},
    {10288, u"COVER_MARK", u"ReverseCoverTray"},
    {10290, u"OPTION", u"FoldingUnit"},
  };
  struct KeyRow { WORD id; LPCWSTR key; };
  const KeyRow iniOnly[] = {
    {209, u"PrnMethod"},
    {211, u"ACT_SECUREPRINT"},
    {212, u"ACT_PROOFPRINT"},
    {213, u"ACT_LOCALSTORAGEPRINT"},
    {215, u"ACT_FILEMERGEPRINT"},
    {216, u"ACT_REMOTEPRINT"},
    {217, u"ACT_FORMOVERLAY"},
    {243, u"APIUseFlag"},
    {348, u"FrontFunc"},
    {790, u"OverlayDataPath"},
    {831, u"ChapterMax"},
    {832, u"ChapterTrayMax"},
    {833, u"wdmChapterNum"},
    {834, u"wdmChapterUseTray1"},
    {835, u"wdmChapterUseTray2"},
    {836, u"wdmChapterUseTray3"},
    {837, u"wdmChapterTrayNum"},
    {838, u"wdmChapterPage"},
    {840, u"wdmChapterTray"},
    {841, u"wdmChapterPrint"},
    {842, u"wdmChapterUseTray4"},
    {843, u"wdmChapterUseTray5"},
    {844, u"wdmChapterUseTray6"},
    {845, u"wdmChapterUseTray7"},
  };
  std::map<WORD, std::pair<std::u16string_view, std::u16string_view>> expected;
  for (const Row& row : withSection) expected[row.id] = {row.section, row.key};
  for (const KeyRow& row : iniOnly) expected[row.id] = {std::u16string_view(), row.key};
  ASSERT_EQ(expected.size(), 93u + 24u);
  for (const SFCB& r : fgSFCB) {
    const auto it = expected.find(r.funcId);
    if (it == expected.end()) {
      EXPECT_EQ(r.iniSection, nullptr) << r.funcId;
      EXPECT_EQ(r.iniKey, nullptr) << r.funcId;
      continue;
    }
    EXPECT_EQ(Str(r.iniSection), it->second.first) << r.funcId;
    EXPECT_EQ(Str(r.iniKey), it->second.second) << r.funcId;
  }
}

// The storage-0 ranges overlap the INI-kept chapter settings; the INI list
// wins, so those keep storage 2.
TEST(SettingTable, StorageFollowsTheIniListFirstThenTheComputedRanges) {
  std::set<WORD> ini = {209, 211, 212, 213, 215, 216, 217, 243, 348, 790, 831, 832};
  for (WORD id = 833; id <= 845; ++id) ini.insert(id);
  auto computed = [](WORD id) {
    return (id >= 696 && id <= 770) || (id >= 791 && id <= 812) || (id >= 825 && id <= 857) || id == 933 ||
           id == 954 || id == 955 || id == 1108 || (id >= 1165 && id <= 1176);
  };
  int none = 0;
  for (const SFCB& r : fgSFCB) {
    const WORD expected = ini.count(r.funcId) ? kStorageIni : computed(r.funcId) ? kStorageNone : kStoragePrinterData;
    EXPECT_EQ(r.storage, expected) << r.funcId;
    none += r.storage == kStorageNone;
  }
  EXPECT_EQ(ini.size(), 25u);
  EXPECT_EQ(none, 146 - 15);
  EXPECT_EQ(Rec(839).iniKey, nullptr);
  EXPECT_EQ(Rec(839).storage, kStorageIni);
}

TEST(SettingTable, TwelveSettingsCarryAJobHeaderCallback) {
  const std::map<WORD, WORD> expected = {{1, 3},   {69, 11},  {96, 9},  {97, 10},  {98, 2},   {99, 2},
                                         {111, 13}, {210, 1}, {599, 5}, {829, 6}, {830, 7}, {955, 12}};
  std::map<WORD, WORD> actual;
  for (const SFCB& r : fgSFCB)
    if (r.jobHeaderCallback) actual[r.funcId] = r.jobHeaderCallback;
  EXPECT_EQ(actual, expected);
}

TEST(SettingTable, FlagClassesHaveTheirMembers) {
  int layout = 0, quality = 0;
  std::set<WORD> watermark;
  for (const SFCB& r : fgSFCB) {
    EXPECT_EQ(r.flags & kSfcbChangedMask, 0) << r.funcId;
    EXPECT_EQ(r.flags & ~(kSfcbFlagLayout | kSfcbFlagQuality | kSfcbFlagWatermark), 0) << r.funcId;
    EXPECT_EQ(r.uiRequest, 0u) << r.funcId;
    layout += (r.flags & kSfcbFlagLayout) != 0;
    quality += (r.flags & kSfcbFlagQuality) != 0;
    if (r.flags & kSfcbFlagWatermark) {
      watermark.insert(r.funcId);
    }
  }
  std::set<WORD> expected = {117, 118, 766, 767, 768, 769, 770};
  for (WORD id = 772; id <= 789; ++id) expected.insert(id);
  EXPECT_EQ(layout, 89);
  EXPECT_EQ(quality, 27);
  EXPECT_EQ(watermark, expected);
  for (WORD id : {762, 763, 92, 120, 121, 833}) EXPECT_TRUE(Rec(id).flags & kSfcbFlagLayout) << id;
  for (WORD id : {137, 138, 139, 182, 804, 807, 810}) EXPECT_TRUE(Rec(id).flags & kSfcbFlagQuality) << id;
}

// Records without a setting name are named in listings by their group's
// keyword; the table keeps their name null.
TEST(SettingTable, UnnamedRecordsStandInByTheirGroupKeyword) {
  struct Row { WORD id; const char* keyword; };
  const Row rows[] = {
    {606, "KPD_kdmPlexor"},
    {607, "KPD_kdmCallSrc"},
    {608, "KPD_kdmOSKind"},
    {609, "KPD_kdmBatchInst"},
    {610, "KPD_kdmPrintLog"},
    {611, "KPD_kdmBiDirect"},
    {612, "KPD_kdmNoPermission"},
    {613, "KPD_kdmPresentUIMode"},
    {614, "KPD_kdmBidiSupport"},
    {615, "KPD_kdmServerClientMode"},
    {616, "KPD_kdmUserCodeFIX"},
    {617, "KPD_kdmUserCodeGet"},
    {618, "KPD_kdmJBInstalled"},
    {619, "KPD_kdmPropertyType"},
    {620, "KPD_kdmUserCodeDLL"},
    {621, "KPD_kdmTSE"},
    {622, "KPD_kdmAdmin"},
    {623, "KPD_kdmBidiFunc"},
    {696, "KPD_FinQKPortSet"},
    {697, "KPD_FinQKLandSet"},
    {698, "KPD_FinQKStapleSupportSize"},
    {699, "KPD_FinQKPunchTypeSupport"},
    {700, "KPD_FinQKStapleTypeSupport"},
    {701, "KPD_FinQKPunchSupportSize"},
    {702, "KPD_FinQKNAEUPunchSupportSize"},
    {704, "KPD_FinQGPortSet"},
    {705, "KPD_FinQGLandSet"},
    {706, "KPD_FinQGStapleSupportSize"},
    {707, "KPD_FinQGPunchTypeSupport"},
    {708, "KPD_FinQGStapleTypeSupport"},
    {709, "KPD_FinQGPunchSupportSize"},
    {710, "KPD_FinQGNAEUPunchSupportSize"},
    {712, "KPD_FinQHPortSet"},
    {713, "KPD_FinQHLandSet"},
    {714, "KPD_FinQHStapleSupportSize"},
    {715, "KPD_FinQHPunchTypeSupport"},
    {716, "KPD_FinQHStapleTypeSupport"},
    {717, "KPD_FinQHPunchSupportSize"},
    {718, "KPD_FinQHNAEUPunchSupportSize"},
    {720, "KPD_PrintPaperOrient"},
    {721, "KPD_SameSizeAuto"},
    {722, "KPD_SameSizeTray1"},
    {723, "KPD_SameSizeTray2"},
    {724, "KPD_SameSizeTray3"},
    {728, "KPD_ForceFeedPort"},
    {729, "KPD_ForceFeedLand"},
    {730, "KPD_SameSizeMassTray4"},
    {731, "KPD_SameSizeMassTray5"},
    {733, "KPD_SameSizeMassTray6"},
    {734, "KPD_SameSizeTray7"},
    {736, "KPD_ResolutionOverCheck"},
    {737, "KPD_SamePaperCoverSrcTray"},
    {738, "KPD_SamePaperMarkSrcTray"},
    {739, "KPD_SamePaperBackCoverSrcTray"},
    {740, "KPD_SamePaperChapterSrcTray"},
    {741, "KPD_SamePaperReverseCoverSrcTray"},
    {743, "KPD_FoldPaperTypeOneselfandNotDouble"},
    {744, "KPD_FoldPaperTypeOneselfandDouble"},
    {745, "KPD_FoldPaperTypeNotOneselfandDouble"},
    {746, "KPD_FoldRightLeft"},
    {747, "KPD_FoldBottom"},
    {1165, "KPD_IDC_BASIC_BMP_PRINTER"},
    {1166, "KPD_IDC_MAINTENANCE_ICONLIST"},
    {1167, "KPD_IDC_OPTION_CHOICE_OPTION"},
    {1168, "KPD_IDC_OPTION_CHOICE_SOURCE"},
    {1169, "KPD_IDC_OPTION_CHOICE_PAPERSIZE"},
    {1170, "KPD_IDC_OPTION_CHOICE_PAPERMEDIA"},
    {1171, "KPD_RADIOLIST_5"},
    {1172, "KPD_IDC_SAVE_PRESET_EDIT_PRESETNAME"},
    {1173, "KPD_IDC_PASSWORD_INPUT_EDIT_PASSWORD"},
    {1174, "KPD_IDC_OPTION_CHOICE_TRAYLOCK"},
    {1175, "KPD_IDC_USER_QUALITY_CHOICE_MODE"},
    {1176, "KPD_IDC_HIDDEN_FUNC"},
  };
  int unnamed = 0;
  for (const SFCB& r : fgSFCB) unnamed += r.name == nullptr;
  EXPECT_EQ(unnamed, 158);
  for (const Row& row : rows) {
    const SFCB& r = Rec(row.id);
    EXPECT_EQ(r.name, nullptr) << row.id;
    const GK* gk = nullptr;
    for (const GK& g : fgGK)
      if (g.groupId == r.groupId) gk = &g;
    ASSERT_NE(gk, nullptr) << row.id;
    EXPECT_STREQ(gk->keyword, row.keyword) << row.id;
  }
  EXPECT_EQ(Str(Rec(8).name), u"dmPaperSize");
  EXPECT_EQ(Str(Rec(10385).name), u"kdmPrnFunc31");
}

TEST(SettingTable, GroupIdsAreGroupKeywordsOfTheSameSetting) {
  std::map<WORD, WORD> functionOfGroup;
  for (const GK& g : fgGK) functionOfGroup[g.groupId] = g.funcId;
  int grouped = 0;
  for (const SFCB& r : fgSFCB) {
    if (!r.groupId) continue;
    ++grouped;
    const auto it = functionOfGroup.find(r.groupId);
    ASSERT_NE(it, functionOfGroup.end()) << r.funcId;
    EXPECT_EQ(it->second, r.funcId) << r.funcId;
  }
  EXPECT_GT(grouped, 0);
  for (WORD id : {7, 8, 37, 606, 10207}) EXPECT_NE(Rec(id).groupId, 0) << id;
  for (WORD id : {624, 703, 748, 751}) EXPECT_EQ(Rec(id).groupId, 0) << id;
}

}  // namespace
