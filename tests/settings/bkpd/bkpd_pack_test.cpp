// Packing a hand-built description: the size pass predicts the block, the
// block loads back to the same content, and the layout rules hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/settings/bkpd/bkpd_sample.h"
#include "platform/base/control.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"

namespace {

// A packed block in memory the test owns.
struct Block {
  std::vector<BYTE> bytes;
  PCBKPD Load() const { return UnpackPpdData(bytes.data(), bytes.size()); }
};

// The sample as the accessors see it. Sub-groups come first in the group
// list and share the option list of their main group (the same offset);
// the group of two kinds is left out; id 1200 has no slot; the malformed
// judge and the unterminated command string are dropped, and references to
// them, to a missing action and of the wrong kind, resolve to nothing.
constexpr const char* kSampleDump = R"(version 4.88 res kesmres.dll dep -
group 107/106 func 13 type 3001 default 0 options@6604
  option 1 'PLAIN'
  option 2 'THICK'
  option 3 -
group 106/2 func 11 type 2001 default 1 exclusive 106 options@6604
  option 1 'PLAIN'
  option 2 'THICK'
  option 3 -
group 106/1 func 11 type 2001 default 1 commands 'SUB1' - exclusive 106 options@6604
  option 1 'PLAIN'
  option 2 'THICK'
  option 3 -
group 100/0 func 8 type 101 default 0 commands '@PJL SET PAPER=' '\r\n' exclusive 100 options@7056
  option 1 'A4' size 2100x2970 area(600,1,0=0: 100 120 4760 6776 1 2) area(600,2,101=1: 120 100 6776 4760 2 1)
  option 2 - size 0x0
group 101/0 func 10001 type 4 default 0 options@6916
  boolean 1 'ON' 'OFF'
group 102/0 func 1200 type 8 default 0 options@6856
  numeric 1 1 1 999 1 5 6 7 -8
group 103/0 func 700 type 10 default 0 options@6820
  string 0 31 2 256
group 104/0 func 9 type 201 default 0 options@6772
  option 1 'T1' papers 9 1
  option 2 'MP' papers
group 105/0 func 10050 type 401 default 0 options@6688
  option 1 - Arial->Helvetica Times->-
group 106/0 func 11 type 2001 default 1 exclusive 106 options@6604
  option 1 'PLAIN'
  option 2 'THICK'
  option 3 -
group 109/0 func 15 type 2 default 0 options@6524
  option 4 'BIN4'
  option 5 'BIN5'
slot 8 100/0
slot 9 104/0
slot 11 106/0
slot 13 107/106
slot 15 109/0
slot 700 103/0
slot 1200 -
slot 10001 101/0
slot 10050 105/0
exclusive 106 hide [] disable [1:8 2:2 3:2 3:10 ]
  item 2 hide [1:10001 2:1 3:1 3:10 ] disable []
  item 3 hide [] disable []
  alert 42 icon 48 button 1 timing 2 when [1:8 2:2 3:2 3:10 ]
   on 1 tab 3 control 1001
    transact [1:10001 2:1 3:1 3:10 ] actions 10001=0 5!0
    transact [] actions
  transact [1:10001 2:1 3:1 3:10 ] actions 10001=0 5!0
  transact [] actions
exclusive 100 hide [1:10001 2:1 3:1 3:10 ] disable []
JobStart
  when []
    string 11 '@PJL JOB\r\n'
    group 100 0
    nested
      when [1:10001 2:1 3:1 3:10 ]
        fonts
      else
        string 11 '@PJL EOJ\r\n'
    string 0 ''
PageStart
  when [1:8 2:2 3:2 3:10 ]
    group 101 -1
  else
    string 11 '@PJL EOJ\r\n'
PageEnd
  when []
  else
    nested
      when [1:10001 2:1 3:1 3:10 ]
      else
        nested
          when [1:10001 2:1 3:1 3:10 ]
            fonts
device fonts 3: 1'Courier' - 3'Gothic'
option fonts 2: 10'Barcode' 11-
)";

Block PackWork(WorkBKPD* work) {
  DWORD size = 0;
  EXPECT_TRUE(BKPDGetWriteSize(work, &size));
  Block block{std::vector<BYTE>(size)};
  EXPECT_TRUE(PackPpdData(block.bytes.data(), size, work));
  return block;
}

Block PackSample() {
  WorkBKPD* work = sample::Build();
  Block block = PackWork(work);
  WorkBKPD_Free(work);
  return block;
}

TEST(BkpdPack, SizePassPredictsTheBlockExactly) {
  const size_t before = plat::LiveBlocks();
  const size_t invalidBefore = plat::InvalidFrees();
  WorkBKPD* work = sample::Build();
  const ULONGLONG sections = GetExclusiveWriteSize(work) + GetUiGroupsWriteSize(work) + GetWriteSizeOther(work);
  DWORD size = 0;
  ASSERT_TRUE(BKPDGetWriteSize(work, &size));
  EXPECT_EQ(size, kBkpdHeaderSize + sections);
  // The exact size packs; any other is refused, and nothing is written past
  // the buffer (the sanitizer watches the vector's end).
  for (DWORD other : {size - 4, size + 4}) {
    std::vector<BYTE> wrong(other);
    EXPECT_FALSE(PackPpdData(wrong.data(), other, work)) << other;
  }
  std::vector<BYTE> block(size);
  ASSERT_TRUE(PackPpdData(block.data(), size, work));
  EXPECT_EQ(reinterpret_cast<const BKPDHEADER*>(block.data())->totalSize, size);
  // Packing leaves the work as it was: a second pass gives the same bytes.
  std::vector<BYTE> again(size);
  ASSERT_TRUE(PackPpdData(again.data(), size, work));
  EXPECT_EQ(again, block);
  WorkBKPD_Free(work);
  EXPECT_EQ(plat::LiveBlocks(), before);
  EXPECT_EQ(plat::InvalidFrees(), invalidBefore);  // shared option lists are freed once
}

TEST(BkpdPack, BlockLoadsBackToTheSameContent) {
  const Block block = PackSample();
  PCBKPD loaded = block.Load();
  ASSERT_NE(loaded, nullptr);
  // A second copy, as read back from the cache file, describes the same.
  const Block copy{block.bytes};
  ASSERT_NE(copy.Load(), nullptr);
  EXPECT_EQ(sample::Describe(copy.Load()), sample::Describe(loaded));
  EXPECT_EQ(sample::Describe(loaded), kSampleDump);
}

}  // namespace

namespace {

TEST(BkpdPack, OnlyTypeWordsOfOneKindArePackable) {
  const struct {
    WORD type;
    BOOL packable;
  } cases[] = {
      {kUiPickOne, TRUE},
      {kUiPickOne | kUiTypeUnknown, TRUE},
      {kUiIdentity | kUiPickPage, TRUE},
      {kUiFontTbl | kUiIdentity | kUiTypeUnknown, TRUE},
      {kUiPickPage | kUiPickSlot, FALSE},  // two kinds ORed
      {kUiBoolean | kUiPickOne, FALSE},
      {kUiNumeric | kUiString, FALSE},
      {kUiIdentity, FALSE},  // an Identity group whose group was not found
      {0x4001, FALSE},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BKPDIsPackableGroupType(c.type), c.packable) << std::hex << c.type;
  }
}

// Depth of the deepest nested group of a tree, and whether its font command
// (at the end of the chain) is still there.
void ChainDepth(PCBKPD b, const BKPDCOMMANDGROUP* g, int depth, int* deepest, bool* font) {
  *deepest = std::max(*deepest, depth);
  for (const CmdEntryHead* e = BkpdCommandMain(b, g); e != nullptr; e = BkpdNext(b, e)) {
    *font = *font || e->type == kCmdFontType;
  }
  for (const CmdEntryHead* e = BkpdCommandElse(b, g); e != nullptr; e = BkpdNext(b, e)) {
    if (const CmdNestedEntry* n = BkpdAsNestedEntry(b, e)) {
      ChainDepth(b, BkpdNestedGroup(b, n), depth + 1, deepest, font);
    }
  }
}

TEST(BkpdPack, NestingDeeperThanAllowedIsCutAtTheSameDepthTheLoaderAccepts) {
  const struct {
    int levels;
    int deepest;
    bool font;
  } cases[] = {{2, 2, true}, {31, 31, true}, {32, 31, false}, {40, 31, false}};
  for (const auto& c : cases) {
    WorkBKPD* work = WorkBKPD_Entry();
    sample::SetElseIfChain(work, kBkpdJobStart, c.levels);
    const Block block = PackWork(work);
    WorkBKPD_Free(work);
    PCBKPD b = block.Load();
    ASSERT_NE(b, nullptr) << c.levels;
    int deepest = 0;
    bool font = false;
    ChainDepth(b, BkpdCommandGroup(b, kBkpdJobStart), 0, &deepest, &font);
    EXPECT_EQ(deepest, c.deepest) << c.levels;
    EXPECT_EQ(font, c.font) << c.levels;
  }
}

TEST(BkpdPack, EmptyDescriptionIsTheHeaderAlone) {
  WorkBKPD* work = WorkBKPD_Entry();
  const Block block = PackWork(work);
  WorkBKPD_Free(work);
  EXPECT_EQ(block.bytes.size(), kBkpdHeaderSize);
  PCBKPD b = block.Load();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(BkpdFirstGroup(b), nullptr);
  EXPECT_EQ(BkpdFirstExclusive(b), nullptr);
  EXPECT_EQ(BkpdFontCount(b, false), 0u);
}

TEST(BkpdPack, ConstraintDataWithoutExclusiveRecordsStaysInTheBlock) {
  WorkBKPD* work = sample::Build();
  WorkExclusive* records = work->exclusives;
  work->exclusives = nullptr;
  const Block block = PackWork(work);
  work->exclusives = records;
  const Block full = PackWork(work);
  WorkBKPD_Free(work);
  PCBKPD b = block.Load();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->exclusiveList, 0u);
  EXPECT_EQ(block.bytes.size(), full.bytes.size() - 2 * sizeof(ExclusiveRecord));
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    EXPECT_EQ(BkpdGroupExclusive(b, g), nullptr);
  }
}

}  // namespace
