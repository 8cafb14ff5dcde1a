// The chapter store: the blocks in the settings INI and in set files, the
// distinct chapter trays, and the chapter module's events from the
// printer-property walks, the bidi code and the undo ring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devicecomm/bidi/bidi_events.h"
#include "features/chapter/chapter_module.h"
#include "features/chapter/chapter_store.h"
#include "features/chapter_blocks.h"
#include "features/custom_modules.h"
#include "jobsettings/paper/derived_settings.h"
#include "settings/context/context_dcb2.h"
#include "storage/properties/printer_properties.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/chapter_limits.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

constexpr WORD kChapterMax = 831;
constexpr WORD kChapterTrayMax = 832;
constexpr WORD kChapterNum = 833;
constexpr WORD kChapterTrayNum = 837;
constexpr WORD kSelectChapter = 69;
constexpr WORD kUseTray[] = {834, 835, 836, 842, 843, 844, 845};

class Chapters : public FeatureTest {
 protected:
  // Puts the blocks into the context: capacity, used count and contents.
  void Blocks(int capacity, const std::vector<CHAPTERBLOCK>& blocks) {
    S(kChapterMax, capacity);
    S(kChapterNum, static_cast<LONG_PTR>(blocks.size()));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb_, static_cast<int>(i));
      ASSERT_NE(block, nullptr) << i;
      *block = blocks[i];
    }
  }
  std::vector<int> Pages() {
    std::vector<int> pages;
    for (int i = 0;; ++i) {
      const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb_, i);
      if (block == nullptr) break;
      pages.push_back(block->page);
    }
    return pages;
  }
};

TEST_F(Chapters, BlocksAreWrittenAsFourKeysEachNumberedFromOne) {
  Blocks(8, {{3, 1, 0, 2}, {7, 0, 1, 0}, {10, 256, 0, 1}});
  SetMasterChapterBlockAll(ucb_, nullptr);
  const auto lines = setfile_test::Section(storage_test::Get(setfile_test::kSettingsIni), "Office 2F");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"wdmChapterPage1", "3"}, {"wdmChapterKind1", "0"},  {"wdmChapterTray1", "1"},   {"wdmChapterPrint1", "2"},
      {"wdmChapterPage2", "7"}, {"wdmChapterKind2", "1"},  {"wdmChapterTray2", "0"},   {"wdmChapterPrint2", "0"},
      {"wdmChapterPage3", "10"}, {"wdmChapterKind3", "0"}, {"wdmChapterTray3", "256"}, {"wdmChapterPrint3", "1"},
  };
  for (const auto& [key, value] : expected) EXPECT_EQ(setfile_test::ValueIn(lines, key), value) << key;
  EXPECT_EQ(setfile_test::ValueIn(lines, "wdmChapterPage4"), "<none>");

  // Read back into another context: used blocks from the INI, the rest zeroed.
  UCB* reader = OpenOn(office_);
  Set(reader, kChapterMax, 8);
  Set(reader, kChapterNum, 3);
  EXPECT_EQ(GetMasterChapterBlockAll(reader, nullptr), 3);
  const CHAPTERBLOCK* third = GetChapterBlockByIndex(reader, 2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->page, 10);
  EXPECT_EQ(third->tray, 256);
  EXPECT_EQ(third->breakFlag, 0);
  EXPECT_EQ(third->mode, 1);
  const auto* all = reinterpret_cast<const CHAPTERBLOCK*>(reader->pWork->pChapterBlocks);
  EXPECT_EQ(all[3].page, 0) << "the block after the last used one ends the list";
  Release(reader);
}

TEST_F(Chapters, WithNoChapterUsedAReadLeavesTheBlocksAlone) {
  PutText(kSection, u"wdmChapterPage1", u"4");
  S(kChapterMax, 8);
  S(kChapterNum, 0);
  EXPECT_EQ(GetMasterChapterBlockAll(ucb_, nullptr), 0);
  EXPECT_EQ(ucb_->pWork->pChapterBlocks, nullptr);
}

TEST_F(Chapters, AWrittenBlockOfPageZeroEndsTheListThere) {
  Blocks(8, {{3, 1, 0, 0}, {0, 0, 0, 0}, {9, 1, 0, 0}});
  SetMasterChapterBlockAll(ucb_, nullptr);
  EXPECT_EQ(V(kChapterNum), 1);
  EXPECT_EQ(IniText(kSection, u"wdmChapterPage3"), u"<none>");
}

TEST_F(Chapters, DistinctTraysOfPlainChaptersFillTheUseTraySlots) {
  // Trays 1 and 3 are tray indexes 0 and 1; tray 5 has a name no tray row
  // knows, so it counts as index 0 like tray 1.
  Blocks(8, {{2, 3, 0, 0}, {4, 1, 1, 0}, {6, 1, 0, 0}, {8, 3, 0, 1}, {9, 5, 0, 0}, {12, 256, 0, 0}});
  SetDevChapterData(ucb_);
  EXPECT_EQ(V(kChapterTrayNum), 3);
  EXPECT_EQ(V(kUseTray[0]), 3);
  EXPECT_EQ(V(kUseTray[1]), 1);
  EXPECT_EQ(V(kUseTray[2]), 256);
}

// More distinct trays than slots: the eighth is not recorded and the count
// stays within the slots.
TEST_F(Chapters, TraysBeyondTheSeventhSlotAreNotRecorded) {
  const SHORT trays[] = {1, 3, 2, 256, 261, 262, 263, 11};
  std::vector<CHAPTERBLOCK> blocks;
  for (SHORT i = 0; i < 8; ++i) blocks.push_back({static_cast<SHORT>(i + 1), trays[i], 0, 0});
  Blocks(10, blocks);
  S(kUseTray[6], 0);
  SetDevChapterData(ucb_);
  EXPECT_EQ(V(kChapterTrayNum), 7);
  EXPECT_EQ(V(kUseTray[6]), 263);
}

TEST_F(Chapters, ATrayValueGoesThroughItsNameToItsTrayIndex) {
  const std::pair<LONG_PTR, DWORD> cases[] = {{1, 0}, {3, 1}, {2, 2}, {256, 3}, {261, 4}, {262, 5},
                                              {263, 6}, {11, 25}, {4, 27}, {286, 29}, {7, 0}, {999, 0}};
  for (const auto& [tray, index] : cases) EXPECT_EQ(ConvertTray2Index(ucb_, tray), index) << tray;
}

// The chapter pass of the printer properties moves only the chapter
// settings under their setting names, and then the blocks.
TEST_F(Chapters, ThePropertyPassCarriesTheChapterSettingsAndBlocks) {
  PutText(kSection, u"wdmChapterNum", u"2");
  PutText(kSection, u"wdmChapterUseTray1", u"3");
  PutText(kSection, u"wdmChapterPage1", u"5");
  PutText(kSection, u"wdmChapterTray1", u"3");
  PutText(kSection, u"wdmChapterPage2", u"9");
  PutText(kSection, u"wdmChapterKind2", u"2");
  PutText(kSection, u"wdmFreeSizeWidth", u"1234");  // a work setting outside the pass
  S(kChapterMax, 6);
  S(753, 77);
  ASSERT_TRUE(GetProperties(ucb_->hPrinter, ucb_, 3, kPropertiesModules));
  EXPECT_EQ(V(kChapterNum), 2);
  EXPECT_EQ(V(kUseTray[0]), 3);
  EXPECT_EQ(V(753), 77);
  EXPECT_EQ(Pages(), (std::vector<int>{5, 9}));
  EXPECT_EQ(GetChapterBlockByIndex(ucb_, 1)->breakFlag, 2);

  GetChapterBlockByIndex(ucb_, 1)->page = 11;
  S(kChapterNum, 2);
  ASSERT_TRUE(SetProperties(ucb_->hPrinter, ucb_, 3, kPropertiesModules));
  EXPECT_EQ(IniText(kSection, u"wdmChapterPage2"), u"11");
  EXPECT_EQ(IniText(kSection, u"wdmFreeSizeWidth"), u"1234");
}

// The chapter information is read once per context; later requests answer
// 1 without reading.
TEST_F(Chapters, TheChapterInformationIsReadOncePerContext) {
  PutText(kSection, u"ChapterMax", u"5");
  PutText(kSection, u"ChapterTrayMax", u"3");
  PutText(kSection, u"wdmChapterNum", u"1");
  PutText(kSection, u"wdmChapterPage1", u"4");
  S(kChapterMax, 5);  // as the context's build read it
  S(kChapterTrayMax, 0);
  S(kSelectChapter, 0);
  GetWorkChapterData(ucb_);
  EXPECT_EQ(ucb_->pWork->fChapterInfoRead, 0) << "chapters are off";
  S(kSelectChapter, 1);
  GetWorkChapterData(ucb_);
  EXPECT_EQ(ucb_->pWork->fChapterInfoRead, 1);
  EXPECT_EQ(V(kChapterMax), 5);
  EXPECT_EQ(V(kChapterTrayMax), 3);
  EXPECT_EQ(Pages(), std::vector<int>{4});
  PutText(kSection, u"wdmChapterPage1", u"8");
  EXPECT_EQ(ReadChapterInfo(ucb_), 1u);
  EXPECT_EQ(Pages(), std::vector<int>{4});
}

TEST_F(Chapters, AnUndoEntryKeepsTheBlocksOfItsTime) {
  Blocks(4, {{2, 1, 0, 0}, {5, 3, 0, 1}});
  BackupPrivateDevmode(ucb_);
  GetChapterBlockByIndex(ucb_, 0)->page = 3;
  GetChapterBlockByIndex(ucb_, 1)->tray = 1;
  RestorePrivateDevmode(ucb_, TRUE);
  EXPECT_EQ(Pages(), (std::vector<int>{2, 5}));
  EXPECT_EQ(GetChapterBlockByIndex(ucb_, 1)->tray, 3);
}

TEST_F(Chapters, ASetFileCarriesTheBlocksOfAPlainReadOrWrite) {
  Blocks(6, {{2, 1, 0, 0}, {8, 256, 0, 2}});
  SetFileModuleDone written{kSetFileWrite, setfile_test::kSetPath};
  storage_test::Put(setfile_test::kSetFile, "[Office 2F]\r\n");
  KesmCustomFunction(ucb_, kModuleSetFileDone, &written);
  const auto lines = setfile_test::Section(storage_test::Get(setfile_test::kSetFile), "Office 2F");
  EXPECT_EQ(setfile_test::ValueIn(lines, "wdmChapterPage2"), "8");
  EXPECT_EQ(setfile_test::ValueIn(lines, "wdmChapterPrint2"), "2");

  UCB* reader = OpenOn(office_);
  Set(reader, kChapterMax, 6);
  Set(reader, kChapterNum, 2);
  SetFileModuleDone read{kSetFileRead, setfile_test::kSetPath};
  KesmCustomFunction(reader, kModuleSetFileDone, &read);
  ASSERT_NE(GetChapterBlockByIndex(reader, 1), nullptr);
  EXPECT_EQ(GetChapterBlockByIndex(reader, 1)->tray, 256);
  // A quality file carries no chapters.
  GetChapterBlockByIndex(reader, 1)->tray = 3;
  SetFileModuleDone quality{kSetFileRead | kSetFileQuality, setfile_test::kSetPath};
  KesmCustomFunction(reader, kModuleSetFileDone, &quality);
  EXPECT_EQ(GetChapterBlockByIndex(reader, 1)->tray, 3);
  Release(reader);
}

// Which set-file walks carry the blocks: a plain read or write, and a
// preset's, whose settings the chapter count belongs to.
TEST_F(Chapters, TheSetFileFlagsSayWhetherTheBlocksAreReadOrWritten) {
  struct Case {
    DWORD flags;
    bool read;
    bool written;
  };
  const Case cases[] = {
      {kSetFileRead, true, false},
      {kSetFileWrite, false, true},
      {kSetFilePreset | kSetFileRead, true, false},
      {kSetFilePreset | kSetFileWrite, false, true},
      {kSetFilePreset | kSetFileRead | kSetFileInstall, true, false},
      {kSetFileQuality | kSetFileRead, false, false},
      {kSetFileBidi | kSetFileWrite, false, false},
      {kSetFileWatermark | kSetFileWrite, false, false},
      {0, false, false},
  };
  Blocks(4, {{6, 1, 0, 0}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    storage_test::Put(setfile_test::kSetFile, "[Office 2F]\r\nwdmChapterPage1=9\r\n");
    GetChapterBlockByIndex(ucb_, 0)->page = 6;
    SetFileModuleDone done{c.flags, setfile_test::kSetPath};
    KesmCustomFunction(ucb_, kModuleSetFileDone, &done);
    const auto lines = setfile_test::Section(storage_test::Get(setfile_test::kSetFile), "Office 2F");
    EXPECT_EQ(GetChapterBlockByIndex(ucb_, 0)->page, c.read ? 9 : 6);
    EXPECT_EQ(setfile_test::ValueIn(lines, "wdmChapterPage1"), c.written ? "6" : "9");
  }
}

TEST_F(Chapters, TheDeviceReportsChapterDefaultTraysByStateBits) {
  struct Case {
    DWORD bits;
    DWORD index;
    DWORD answer;
  };
  const Case cases[] = {{0x20, 1, 1}, {0x20, 2, 0}, {0x40, 2, 1}, {0x80, 3, 1}, {0x40, 0, 1},
                        {0x10, 0, 0}, {0xE0, 4, 0}, {0x00, 1, 0}};
  for (const Case& c : cases) {
    CustomBidiChapterTray record{c.bits, c.index, 7};
    KesmCustomFunction(ucb_, kCustomBidiChapterTray, &record);
    EXPECT_EQ(record.answer, c.answer) << c.bits << " " << c.index;
  }
  DWORD bidiFunc = 1;
  CustomBidiSetChapterTray set{0x40 | 0x80, 263, &bidiFunc};
  KesmCustomFunction(ucb_, kCustomBidiSetChapterTray, &set);
  EXPECT_EQ(V(10279), 263);
  EXPECT_EQ(bidiFunc, 1u | 8u) << "only the first reported tray is taken";
}

TEST_F(Chapters, EachMediaBuiltInCopiesItsAttributeTrayToTheOtherFour) {
  const WORD media[] = {404, 405, 406, 407, 409};
  for (WORD id = 303; id <= 307; ++id) {
    for (WORD m : media) S(m, 1);
    S(media[id - 303], 3);
    KesmCustomBuiltInFunc(ucb_, id);
    for (WORD m : media) EXPECT_EQ(V(m), 3) << id << " " << m;
  }
}

}  // namespace
}  // namespace features_test
