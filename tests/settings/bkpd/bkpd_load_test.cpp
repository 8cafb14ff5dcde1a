// A compiled description read back is input: corrupted and truncated
// blocks are refused with the fault found, and nothing the checker accepts
// can lead a reader outside the block.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

#include "tests/settings/bkpd/bkpd_sample.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/system/memptr.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes PackedSample() {
  WorkBKPD* work = sample::Build();
  DWORD size = 0;
  EXPECT_TRUE(BKPDGetWriteSize(work, &size));
  Bytes bytes(size);
  EXPECT_TRUE(PackPpdData(bytes.data(), size, work));
  WorkBKPD_Free(work);
  return bytes;
}

template <class T>
T& Field(Bytes& bytes, const void* inSound, PCBKPD sound, size_t fieldOffset = 0) {
  return *reinterpret_cast<T*>(bytes.data() + BkpdOffsetOf(sound, inSound) + fieldOffset);
}

const UiGroup* GroupOf(PCBKPD b, WORD groupId) {
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->groupId == groupId && g->subGroupId == 0) {
      return g;
    }
  }
  return nullptr;
}

const ExclusiveRecord* ExclusiveOf(PCBKPD b, WORD groupId) { return BkpdGroupExclusive(b, GroupOf(b, groupId)); }

const CmdEntryHead* JobStartEntry(PCBKPD b, int n) {
  const CmdEntryHead* e = BkpdCommandMain(b, BkpdCommandGroup(b, kBkpdJobStart));
  while (n-- > 0) {
    e = BkpdNext(b, e);
  }
  return e;
}

struct FaultCase {
  const char* name;
  void (*corrupt)(Bytes& bytes, PCBKPD sound);
  BkpdFault fault;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

const FaultCase kFaults[] = {
    {"TotalSizeDisagrees", [](Bytes& m, PCBKPD) { reinterpret_cast<BKPDHEADER*>(m.data())->totalSize += 4; },
     BkpdFault::kBlockSize},
    {"VersionNotTerminated",
     [](Bytes& m, PCBKPD) {
       for (WCHAR& c : reinterpret_cast<BKPDHEADER*>(m.data())->version) c = u'x';
     },
     BkpdFault::kVersion},
    {"GroupLinksToItself",
     [](Bytes& m, PCBKPD s) { Field<DWORD>(m, BkpdFirstGroup(s), s) = s->groupList; }, BkpdFault::kChain},
    {"OptionLinkMisaligned", [](Bytes& m, PCBKPD s) { Field<UiGroup>(m, GroupOf(s, sample::kBins), s).options += 2; },
     BkpdFault::kAlignment},
    {"OptionLinkPastTheEnd",
     [](Bytes& m, PCBKPD s) { Field<UiGroup>(m, GroupOf(s, sample::kBins), s).options = s->totalSize - 4; },
     BkpdFault::kBounds},
    {"GroupTypeOfTwoKinds",
     [](Bytes& m, PCBKPD s) { Field<UiGroup>(m, GroupOf(s, sample::kBins), s).type = kUiPickPage | kUiPickSlot; },
     BkpdFault::kGroupType},
    {"ExclusiveLinkNamesAGroup",
     [](Bytes& m, PCBKPD s) {
       const UiGroup* bins = GroupOf(s, sample::kBins);
       Field<UiGroup>(m, bins, s).exclusive = BkpdOffsetOf(s, bins);
     },
     BkpdFault::kKindClash},
    {"JudgeWithoutEndToken",
     [](Bytes& m, PCBKPD s) {
       const auto judge = BkpdJudge(s, ExclusiveOf(s, sample::kPageSize)->hideJudge);
       Field<JudgeToken>(m, &judge.back(), s).value = kJudgeOpLessEqual;
     },
     BkpdFault::kJudge},
    {"JudgeStartsWithAnOperator",
     [](Bytes& m, PCBKPD s) {
       const auto judge = BkpdJudge(s, ExclusiveOf(s, sample::kPageSize)->hideJudge);
       Field<JudgeToken>(m, &judge.front(), s) = {kJudgeOperator, kJudgeOpEqual};
     },
     BkpdFault::kJudge},
    {"JudgeLinkIntoTheMiddleOfAJudge",
     [](Bytes& m, PCBKPD s) {
       const ExclusiveRecord* page = ExclusiveOf(s, sample::kPageSize);
       Field<ExclusiveRecord>(m, page, s).hideJudge = page->hideJudge + BkpdTag(sizeof(JudgeToken)) - 1;
     },
     BkpdFault::kKindClash},
    // Tokens that form a judge, but inside the value record of a group: a
    // judge must lie in the constraint section.
    {"JudgeLinkIntoTheGroupSection",
     [](Bytes& m, PCBKPD s) {
       const UiNumericValue* copies = BkpdNumericValue(s, GroupOf(s, sample::kCopies));
       auto& n = Field<UiNumericValue>(m, copies, s);
       n.fifth = kJudgeSetting;
       n.sixth = 8;
       n.seventh = kJudgeOperator;
       n.eighth = kJudgeOpEnd;
       Field<ExclusiveRecord>(m, ExclusiveOf(s, sample::kPageSize), s).hideJudge =
           BkpdTag(BkpdOffsetOf(s, copies) + 4);
     },
     BkpdFault::kSection},
    {"ItemChainSkipsAnEntry",
     [](Bytes& m, PCBKPD s) {
       const ExclusiveItem* item = BkpdItemList(s, ExclusiveOf(s, sample::kMedia)->itemList);
       Field<ExclusiveItem>(m, item, s).next = BkpdTag(BkpdOffsetOf(s, item) + 2 * sizeof(ExclusiveItem));
     },
     BkpdFault::kChain},
    {"PlainLinkWhereTaggedIsDue",
     [](Bytes& m, PCBKPD s) {
       const ExclusiveRecord* x = ExclusiveOf(s, sample::kMedia);
       Field<ExclusiveRecord>(m, x, s).transact = BkpdUntag(x->transact);
     },
     BkpdFault::kLink},
    {"PaperCountWithoutArray",
     [](Bytes& m, PCBKPD s) {
       const UiOption* mp = BkpdNext(s, BkpdFirstOption(s, GroupOf(s, sample::kTray)));
       Field<UiSlotOption>(m, mp, s).paperCount = 5;
     },
     BkpdFault::kCount},
    {"PaperArrayPastTheEnd",
     [](Bytes& m, PCBKPD s) {
       Field<UiSlotOption>(m, BkpdFirstOption(s, GroupOf(s, sample::kTray)), s).paperCount = 0x40000000;
     },
     BkpdFault::kBounds},
    {"StringWithoutTerminator",
     [](Bytes& m, PCBKPD s) {
       std::memset(m.data() + m.size() - 4, 'A', 4);
       Field<UiCommandPair>(m, BkpdGroupCommands(s, GroupOf(s, sample::kPageSize)), s).first = s->totalSize - 4;
     },
     BkpdFault::kString},
    {"UnknownCommandEntry", [](Bytes& m, PCBKPD s) { Field<CmdEntryHead>(m, JobStartEntry(s, 0), s).type = 9; },
     BkpdFault::kCommandType},
    {"CommandTextWithoutZero",
     [](Bytes& m, PCBKPD s) { Field<CmdStringEntry>(m, JobStartEntry(s, 0), s).length -= 1; }, BkpdFault::kString},
    {"NestedGroupAfterItsEntry",
     [](Bytes& m, PCBKPD s) {
       const CmdEntryHead* nested = JobStartEntry(s, 2);
       Field<CmdNestedEntry>(m, nested, s).group = BkpdOffsetOf(s, nested);
     },
     BkpdFault::kChain},
    {"SlotNamesAGroupOfAnotherFunction",
     [](Bytes& m, PCBKPD s) {
       reinterpret_cast<BKPDHEADER*>(m.data())->slotsA[8 - 1] = BkpdOffsetOf(s, GroupOf(s, sample::kDuplex));
     },
     BkpdFault::kSlot},
    {"FontTableCountPastTheEnd",
     [](Bytes& m, PCBKPD) { reinterpret_cast<BKPDHEADER*>(m.data())->optionFontCount = 0x10000000; },
     BkpdFault::kBounds},
};

class BkpdFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(BkpdFaults, CorruptedBlockIsRefusedWithItsFault) {
  const Bytes sound = PackedSample();
  PCBKPD s = UnpackPpdData(sound.data(), sound.size());
  ASSERT_NE(s, nullptr);
  Bytes corrupted = sound;
  GetParam().corrupt(corrupted, s);
  BkpdCheckResult result{};
  EXPECT_FALSE(BKPDCheck(corrupted.data(), corrupted.size(), &result));
  EXPECT_EQ(result.fault, GetParam().fault) << BkpdFaultName(result.fault) << " at " << result.offset;
  EXPECT_EQ(UnpackPpdData(corrupted.data(), corrupted.size()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Bkpd, BkpdFaults, testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BkpdLoad, EveryTruncationIsRefused) {
  const Bytes sound = PackedSample();
  for (size_t length = 0; length < sound.size(); ++length) {
    // As cut off on disk: the header's total no longer matches.
    const Bytes cut(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(UnpackPpdData(cut.data(), cut.size()), nullptr) << length;
    // With the total patched to the length, every link into the lost tail
    // must be caught.
    if (length >= sizeof(BKPDHEADER)) {
      Bytes patched = cut;
      reinterpret_cast<BKPDHEADER*>(patched.data())->totalSize = static_cast<DWORD>(length);
      EXPECT_EQ(UnpackPpdData(patched.data(), patched.size()), nullptr) << length;
    }
  }
}

// Every 32-bit word of the block, links and counts included, is replaced in
// turn by values a damaged file may hold. Each result is either refused or,
// when the checker accepts it, walked whole through the accessors, which
// then stay inside the block (the sanitizer would see any stray read).
TEST(BkpdLoad, DamagedWordsAreRefusedOrStayInsideTheBlock) {
  const Bytes sound = PackedSample();
  size_t refused = 0;
  size_t tried = 0;
  for (size_t at = 0; at + sizeof(DWORD) <= sound.size(); at += sizeof(DWORD)) {
    DWORD original = 0;
    std::memcpy(&original, sound.data() + at, sizeof(DWORD));
    const DWORD damaged[] = {0,
                             0xFFFFFFFFu,
                             original + 4,
                             original - 4,
                             original ^ 1,
                             original ^ 0x10,
                             original + 2,
                             static_cast<DWORD>(sound.size()),
                             kBkpdHeaderSize,
                             BkpdTag(static_cast<DWORD>(at))};
    for (DWORD value : damaged) {
      if (value == original) {
        continue;
      }
      Bytes copy = sound;
      std::memcpy(copy.data() + at, &value, sizeof(DWORD));
      ++tried;
      PCBKPD b = UnpackPpdData(copy.data(), copy.size());
      if (b == nullptr) {
        ++refused;
        continue;
      }
      EXPECT_FALSE(sample::Describe(b).empty());
    }
  }
  // Most damage is caught; what passes is data that no link depends on.
  EXPECT_GT(refused, tried / 2);
}

// A judge of `operands` values compared in a chain: A (== A) ... .
void ChainJudge(WorkBKPD* work, DWORD number, DWORD operands) {
  auto* j = static_cast<WorkJudge*>(GetMemPtr(sizeof(WorkJudge)));
  j->number = number;
  j->areaSize = 2 * operands * sizeof(JudgeToken);
  j->tokens = static_cast<JudgeToken*>(GetMemPtr(j->areaSize));
  j->tokens[0] = {kJudgeSetting, 8};
  for (DWORD i = 1; i < operands; ++i) {
    j->tokens[2 * i - 1] = {kJudgeSetting, 8};
    j->tokens[2 * i] = {kJudgeOperator, kJudgeOpEqual};
  }
  j->tokens[2 * operands - 1] = {kJudgeOperator, kJudgeOpEnd};
  WorkJudge** link = &work->judges;
  while (*link != nullptr) link = &(*link)->next;
  *link = j;
}

// Token streams are checked whole: the end token, the stack in both
// directions and the length bound; the packer keeps to the same bound.
TEST(BkpdLoad, JudgeStreamsAreCheckedWhole) {
  WorkBKPD* work = WorkBKPD_Entry();
  ChainJudge(work, 1, kJudgeMaxTokens / 2);      // exactly as long as allowed
  ChainJudge(work, 2, kJudgeMaxTokens / 2 + 1);  // too long: never written
  // 127 values deep, then 126 operators.
  auto* deep = static_cast<WorkJudge*>(GetMemPtr(sizeof(WorkJudge)));
  deep->number = 3;
  deep->areaSize = 254 * sizeof(JudgeToken);
  deep->tokens = static_cast<JudgeToken*>(GetMemPtr(deep->areaSize));
  for (DWORD i = 0; i < 127; ++i) deep->tokens[i] = {kJudgeSetting, 8};
  for (DWORD i = 127; i < 253; ++i) deep->tokens[i] = {kJudgeOperator, kJudgeOpAnd};
  deep->tokens[253] = {kJudgeOperator, kJudgeOpEnd};
  work->judges->next->next = deep;
  auto* x = static_cast<WorkExclusive*>(GetMemPtr(sizeof(WorkExclusive)));
  *x = {nullptr, 1, MakeWorkRef(kRefJudge, 1), MakeWorkRef(kRefJudge, 2), 0, 0, 0, 0, 0};
  work->exclusives = x;
  auto* y = static_cast<WorkExclusive*>(GetMemPtr(sizeof(WorkExclusive)));
  *y = {nullptr, 2, MakeWorkRef(kRefJudge, 3), 0, 0, 0, 0, 0, 0};
  x->next = y;
  DWORD size = 0;
  ASSERT_TRUE(BKPDGetWriteSize(work, &size));
  Bytes sound(size);
  ASSERT_TRUE(PackPpdData(sound.data(), size, work));
  WorkBKPD_Free(work);
  PCBKPD s = UnpackPpdData(sound.data(), sound.size());
  ASSERT_NE(s, nullptr);
  const ExclusiveRecord* first = BkpdFirstExclusive(s);
  EXPECT_EQ(BkpdJudge(s, first->hideJudge).size(), kJudgeMaxTokens);
  EXPECT_EQ(first->disableJudge, 0u);
  const auto tokens = BkpdJudge(s, BkpdNext(s, first)->hideJudge);
  ASSERT_EQ(tokens.size(), 254u);

  const struct {
    const char* name;
    size_t token;
    JudgeToken value;
  } damage[] = {
      {"an operator too many: the stack underflows", 127, {kJudgeOperator, kJudgeOpAnd}},
      {"a value too many: 128 deep", 127, {kJudgeSetting, 8}},
      {"no end token", 253, {kJudgeOperator, kJudgeOpAnd}},
      {"an unknown kind", 5, {4, 0}},
      {"an unknown operator", 200, {kJudgeOperator, 11}},
  };
  for (const auto& d : damage) {
    Bytes copy = sound;
    Field<JudgeToken>(copy, &tokens[d.token], s) = d.value;
    if (d.token == 127 && d.value.kind == kJudgeOperator) {
      Field<JudgeToken>(copy, &tokens[126], s) = d.value;  // 126 values, 127 operators
    }
    BkpdCheckResult result{};
    EXPECT_FALSE(BKPDCheck(copy.data(), copy.size(), &result)) << d.name;
    EXPECT_EQ(result.fault, BkpdFault::kJudge) << d.name;
  }
}

TEST(BkpdLoad, BlockMustBeAlignedAndPresent) {
  const Bytes sound = PackedSample();
  Bytes shifted(sound.size() + 1);
  std::memcpy(shifted.data() + 1, sound.data(), sound.size());
  BkpdCheckResult result{};
  EXPECT_FALSE(BKPDCheck(shifted.data() + 1, sound.size(), &result));
  EXPECT_EQ(result.fault, BkpdFault::kAlignment);
  EXPECT_FALSE(BKPDCheck(nullptr, 0, &result));
  EXPECT_EQ(result.fault, BkpdFault::kBlockSize);
}

}  // namespace

namespace {

// The loader's fuzz target starts from these: a seed the loader refuses
// would leave it mutating blocks that die at the first check.
TEST(BkpdLoad, TheLoaderSeedsOfTheFuzzTargetAreAccepted) {
  const std::filesystem::path seeds = std::filesystem::path(KESM_TEST_DATA) / "../../fuzz/corpus/bkpd_loader";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    if (entry.path().extension() != ".bkpd") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    BkpdCheckResult result{};
    EXPECT_TRUE(BKPDCheck(bytes.data(), bytes.size(), &result))
        << entry.path().filename() << ": " << BkpdFaultName(result.fault)
        << " (refresh the seeds with kesm_fuzz_seeds, see README.md)";
    ++count;
  }
  EXPECT_GE(count, 3);
}

}  // namespace
