// DEVMODE conversion between sizes and versions. Every DEVMODE lives in a
// heap buffer of exactly the bytes the case gives it, so that a read or a
// write past the buffer, whatever dmSize and dmDriverExtra claim, is caught
// by the address sanitizer.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"
#include "settings/tables/setting_table.h"

namespace {

constexpr std::size_t kOffSpec = offsetof(DEVMODEW, dmSpecVersion);
constexpr std::size_t kOffDriverVersion = offsetof(DEVMODEW, dmDriverVersion);
constexpr std::size_t kOffSize = offsetof(DEVMODEW, dmSize);
constexpr std::size_t kOffExtra = offsetof(DEVMODEW, dmDriverExtra);
constexpr std::size_t kPrivOffsets = offsetof(PrivDM, header.blockOffset);

// What a DEVMODE claims and how many bytes its buffer really holds.
struct Shape {
  WORD size = 220;
  WORD extra = 1016;
  WORD driverVersion = 0x400;
  std::size_t bytes = 1236;
  bool ours = true;     // our signature and model signature in the private header
  WORD specVersion = 0x401;
  BYTE seed = 1;        // fills the other bytes with a pattern of its own
};

using Buffer = std::vector<BYTE>;

Buffer Make(const Shape& s) {
  Buffer b(s.bytes);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<BYTE>(s.seed + i * 7 + 1);
  if (b.size() >= kDmHeaderBytes) {
    StoreLE<WORD>(b.data(), kOffSpec, s.specVersion);
    StoreLE<WORD>(b.data(), kOffDriverVersion, s.driverVersion);
    StoreLE<WORD>(b.data(), kOffSize, s.size);
    StoreLE<WORD>(b.data(), kOffExtra, s.extra);
  }
  const std::size_t priv = s.size;
  if (b.size() >= priv + offsetof(PrivDM, header.dwSize)) {
    const char* signature = s.ours ? "KESM" : "ABCD";
    const char* model = s.ours ? fgDP.privSignature : "none";
    std::memcpy(&b[priv], signature, 4);
    std::memcpy(&b[priv + offsetof(PrivDM, header.dwPrivData)], model, 4);
  }
  return b;
}

DEVMODEW* Dm(Buffer& b) { return b.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(b.data()); }
const DEVMODEW* Dm(const Buffer& b) { return b.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(b.data()); }

struct Words {
  WORD specVersion, driverVersion, size, extra;
  bool operator==(const Words&) const = default;
};
Words WordsOf(const Buffer& b) {
  return {LoadLE<WORD>(b.data(), kOffSpec), LoadLE<WORD>(b.data(), kOffDriverVersion),
          LoadLE<WORD>(b.data(), kOffSize), LoadLE<WORD>(b.data(), kOffExtra)};
}
std::ostream& operator<<(std::ostream& os, const Words& w) {
  return os << std::hex << "{specVersion 0x" << w.specVersion << ", driver 0x" << w.driverVersion << std::dec << ", size "
            << w.size << ", extra " << w.extra << "}";
}

enum class Op { Convert, Convert2, Out };

struct ConvertCase {
  const char* what;
  Op op;
  Shape source;
  Shape target;
  int result;
  Words after;              // the target's words afterwards (ignored when untouched)
  bool untouched = false;   // the target keeps every byte
  std::size_t publicCopied = 0;  // leading bytes (header words aside) now equal to the source's
  bool hasReference = false;
  Shape reference{};
};

int RunCase(const ConvertCase& c, const Buffer& source, Buffer& target) {
  switch (c.op) {
    case Op::Convert: return ConvertDevmode(Dm(source), source.size(), Dm(target), target.size());
    case Op::Convert2: return ConvertDevmode2(Dm(source), source.size(), Dm(target), target.size());
    case Op::Out: {
      const Buffer reference = c.hasReference ? Make(c.reference) : Buffer{};
      return ConvertDevmodeOut(Dm(source), source.size(), c.hasReference ? Dm(reference) : nullptr,
                               reference.size(), Dm(target), target.size());
    }
  }
  return 0;
}

// The edge cases of conversion, including the sizes a caller may lie about.
const ConvertCase kCases[] = {
    {"a 212-byte target keeps its size and gets the 0x400 specVersion version", Op::Convert, {},
     {.size = 212, .bytes = 1228, .specVersion = 0x401, .seed = 9}, 1228, {0x400, 0x400, 212, 1016}, false, 212},
    {"a whole DEVMODE of ours is merged whole", Op::Convert2, {}, {.seed = 9}, 1236,
     {0x401, 0x400, 220, 1016}, false, 220},
    {"a 188-byte source goes to ConvertDevmode, which refuses it", Op::Convert2,
     {.size = 188, .driverVersion = 0x350, .bytes = 1204, .specVersion = 0x320}, {.seed = 9}, -1, {}, true},
    {"a private part of 1024 bytes is not merged; the public part is", Op::Convert2,
     {.extra = 1024, .bytes = 1244}, {.seed = 9}, -1, {0x401, 0x400, 220, 1016}, false, 220},
    {"another driver version keeps the private part out", Op::Convert2, {.driverVersion = 0x401},
     {.seed = 9}, -1, {0x401, 0x400, 220, 1016}, false, 220},
    {"a foreign signature keeps the private part out", Op::Convert2, {.ours = false}, {.seed = 9}, -1,
     {0x401, 0x400, 220, 1016}, false, 220},
    {"a private part cut short by its buffer is not merged", Op::Convert2, {.bytes = 900}, {.seed = 9}, -1,
     {0x401, 0x400, 220, 1016}, false, 220},
    {"a private part cut short by its buffer is copied as far as it goes", Op::Convert, {.bytes = 900},
     {.seed = 9}, 900, {0x401, 0x400, 220, 1016}, false, 220},
    {"a source buffer shorter than its public part is refused", Op::Convert, {.bytes = 100}, {.seed = 9}, -1,
     {}, true},
    {"a merge from a buffer shorter than its public part is refused", Op::Convert2, {.bytes = 100},
     {.seed = 9}, -1, {}, true},
    {"a buffer too short for the size words is refused", Op::Convert2, {.bytes = 60}, {.seed = 9}, -1, {},
     true},
    {"a public part shorter than its own size words is refused", Op::Convert, {.size = 40}, {.seed = 9}, -1,
     {}, true},
    {"a target buffer shorter than its private part takes what fits", Op::Convert, {},
     {.bytes = 700, .seed = 9}, 700, {0x401, 0x400, 220, 1016}, false, 220},
    {"a target buffer shorter than its public part is refused", Op::Convert, {}, {.bytes = 200, .seed = 9},
     -1, {}, true},
    {"a target of unknown size and specVersion version 0 is refused", Op::Convert, {},
     {.size = 300, .extra = 100, .bytes = 400, .specVersion = 0, .seed = 9}, -1, {}, true},
    {"a target of unknown size keeps its own specVersion version", Op::Convert, {},
     {.size = 300, .extra = 100, .bytes = 400, .specVersion = 0x500, .seed = 9}, 320, {0x500, 0x400, 300, 100},
     false, 220},
    {"handing out without a reference copies the whole source", Op::Out, {}, {.seed = 9}, 1,
     {0x401, 0x400, 220, 1016}, false, 220},
    {"handing out without a reference into a short buffer copies nothing", Op::Out, {},
     {.bytes = 1235, .seed = 9}, 0, {}, true},
    {"a smaller reference gives its sizes", Op::Out, {}, {.seed = 9}, 1, {0x400, 0x350, 212, 0}, false, 212,
     true, {.size = 212, .extra = 0, .driverVersion = 0x350, .bytes = 212, .specVersion = 0x400}},
    {"a larger reference leaves the source's sizes", Op::Out, {}, {.seed = 9}, 1, {0x401, 0x400, 220, 1016},
     false, 220, true, {.extra = 2000, .bytes = 2220}},
    {"sizes the target buffer cannot hold copy nothing", Op::Out, {}, {.bytes = 1000, .seed = 9}, 0, {},
     true, 0, true, {}},
    {"a reference shorter than its public part copies nothing", Op::Out, {}, {.seed = 9}, 0, {}, true, 0,
     true, {.bytes = 100}},
};

void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.what; }

// The last character of a public text field, which a copy terminates.
bool IsPublicTerminator(std::size_t i) {
  for (const KdmTextField& f : kKdmTextFields) {
    if (f.offset < kSizeofDM && i >= f.offset + f.size - sizeof(WCHAR) && i < f.offset + f.size) return true;
  }
  return false;
}

class ConvertEdge : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertEdge, CopiesWhatBothHaveAndKeepsTheTargetDescribingItself) {
  const ConvertCase& c = GetParam();
  const Buffer source = Make(c.source);
  Buffer target = Make(c.target);
  const Buffer before = target;
  EXPECT_EQ(RunCase(c, source, target), c.result);
  if (c.untouched) {
    EXPECT_EQ(target, before);
    return;
  }
  EXPECT_EQ(WordsOf(target), c.after);
  for (std::size_t i = 0; i < c.publicCopied; ++i) {
    if (i >= kOffSpec && i < kDmHeaderBytes) continue;
    if (IsPublicTerminator(i)) {
      EXPECT_EQ(target[i], 0) << "public byte " << i;
      continue;
    }
    ASSERT_EQ(target[i], source[i]) << "public byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertEdge, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string name = info.param.what;
                           std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
                           return name;
                         });

TEST(ConvertDevmodeOut, WithoutTargetAnswersMinusOne) {
  const Buffer source = Make({});
  EXPECT_EQ(ConvertDevmodeOut(Dm(source), source.size(), nullptr, 0, nullptr, 0), -1);
}

TEST(CheckDevmodeVersion, TellsTheVersionBySize) {
  struct Row {
    Shape specVersion;
    SHORT version;
  } rows[] = {
      {{.size = 188, .specVersion = 0x111}, 0x320},
      {{.size = 212, .specVersion = 0x111}, 0x400},
      {{.size = 220, .specVersion = 0x111}, 0x401},
      {{.size = 300, .specVersion = 0x111}, 0x111},
      {{.bytes = 71}, 0},
  };
  for (const Row& r : rows) {
    const Buffer b = Make(r.specVersion);
    EXPECT_EQ(CheckDevmodeVersion(Dm(b), b.size()), r.version) << r.specVersion.size << " in " << r.specVersion.bytes;
  }
  EXPECT_EQ(CheckDevmodeVersion(nullptr, 1236), 0);
}

// A private part taken in never brings its own block offsets, and its texts
// end inside their fields; the two application blocks are bytes and stay.
TEST(ConvertDevmode2, SettlesTheTakenPrivatePart) {
  Buffer source = Make({});
  StoreLE<WORD>(source.data(), kOffBlockOffsets, 0xFFFF);
  StoreLE<WORD>(source.data(), kOffBlockOffsets + 2, 0x7777);
  StoreLE<WORD>(source.data(), kOffBlockOffsets + 4, 0x1);
  std::memset(&source[offsetof(DEVMODEW, dmFormName)], 'A', sizeof(DEVMODEW::dmFormName));
  std::memset(&source[KDM_OFFSET(kdmUserID)], 'x', sizeof(PrivDM::kdmUserID));
  std::memset(&source[KDM_OFFSET(kdmTrackID)], 'y', sizeof(PrivDM::kdmTrackID));
  std::memset(&source[KDM_OFFSET(header.kdmTcomMember)], 0x5A, sizeof(PrivateDocHeader::kdmTcomMember));
  Buffer target = Make({.seed = 3});

  ASSERT_EQ(ConvertDevmode2(Dm(source), source.size(), Dm(target), target.size()), 1236);
  EXPECT_EQ(LoadLE<WORD>(target.data(), kOffBlockOffsets), kDcbBlock1Offset);
  EXPECT_EQ(LoadLE<WORD>(target.data(), kOffBlockOffsets + 2), kDcbBlock2Offset);
  EXPECT_EQ(LoadLE<WORD>(target.data(), kOffBlockOffsets + 4), kDcbBlock3Offset);
  const std::size_t formEnd = offsetof(DEVMODEW, dmFormName) + sizeof(DEVMODEW::dmFormName);
  EXPECT_EQ(LoadLE<WORD>(target.data(), formEnd - 2), 0);
  EXPECT_EQ(target[formEnd - 3], 'A');
  EXPECT_EQ(target[KDM_OFFSET(kdmUserID) + 8], 0);
  EXPECT_EQ(target[KDM_OFFSET(kdmUserID) + 7], 'x');
  EXPECT_EQ(target[KDM_OFFSET(kdmTrackID) + 20], 0);
  EXPECT_EQ(target[KDM_OFFSET(header.kdmTcomMember) + 31], 0x5A);
}

// The text fields the conversion terminates are every text setting of the
// DEVMODE; the two application blocks are the only string-kind records left
// out, because they hold bytes.
TEST(DevmodeTextFields, AreTheTextSettingsOfTheDevmode) {
  std::vector<std::pair<WORD, WORD>> settings;
  for (const SFCB& r : fgSFCB) {
    if (SettingBlockOf(r.descriptor) != kBlockDevmode || !SettingKindIsString(SettingKindOf(r.descriptor))) continue;
    if (r.funcId == 604 || r.funcId == 605) continue;
    settings.emplace_back(r.offset, static_cast<WORD>(SettingSizeOf(r.descriptor)));
  }
  std::vector<std::pair<WORD, WORD>> fields;
  for (const KdmTextField& f : kKdmTextFields) fields.emplace_back(f.offset, f.size);
  std::sort(settings.begin(), settings.end());
  std::sort(fields.begin(), fields.end());
  EXPECT_EQ(fields, settings);
}

// The NT 3.51 form: a 188-byte public part followed by the whole private
// part. Its header lies 32 bytes earlier than in our layout, and so do its
// block offsets; no private setting is overwritten by them.
TEST(CommonDrvConvertDevmode, TheNT351FormKeepsEveryPrivateSetting) {
  plat::ScopedMachine machine;
  Buffer source = Make({});
  Buffer target(1204, 0);
  DWORD size = static_cast<DWORD>(target.size());
  ASSERT_EQ(CommonDrvConvertDevmode(nullptr, Dm(source), source.size(), Dm(target), &size, CDM_CONVERT351), 1);
  EXPECT_EQ(size, 1204u);
  EXPECT_EQ(WordsOf(target), (Words{0x320, 0x350, 188, 1016}));
  const std::size_t offsets = 188 + kPrivOffsets;
  EXPECT_EQ(LoadLE<WORD>(target.data(), offsets), kDcbBlock1Offset);
  EXPECT_EQ(LoadLE<WORD>(target.data(), offsets + 2), kDcbBlock2Offset);
  EXPECT_EQ(LoadLE<WORD>(target.data(), offsets + 4), kDcbBlock3Offset);
  for (std::size_t i = 0; i < kSizeofPrivDM; ++i) {
    if (i >= kPrivOffsets && i < kPrivOffsets + 6) continue;
    bool text = false;
    for (const KdmTextField& f : kKdmTextFields) {
      text = text || (f.offset >= kSizeofDM && i == f.offset - kSizeofDM + f.size - 1u);
    }
    if (text) continue;
    ASSERT_EQ(target[188 + i], source[220 + i]) << "private byte " << i;
  }
}

struct ModeCase {
  const char* what;
  DWORD mode;
  Shape source;
  std::size_t buffer;  // 0: no target
  Shape target;         // its words; the buffer holds `buffer` bytes
  DWORD sizeIn;
  int result;
  DWORD sizeOut;
  DWORD lastError;     // 0: none set
};

const ModeCase kModes[] = {
    {"driver default fits exactly", CDM_DRIVER_DEFAULT, {}, 1236, {}, 1236, 2, 1236, 0},
    {"driver default one byte short", CDM_DRIVER_DEFAULT, {}, 1236, {}, 1235, 0, 1236, ERROR_INSUFFICIENT_BUFFER},
    {"driver default without target", CDM_DRIVER_DEFAULT, {}, 0, {}, 5000, 0, 1236, ERROR_INSUFFICIENT_BUFFER},
    {"own sizes fit", CDM_CONVERT, {}, 1236, {}, 1236, 1, 1236, 0},
    {"own sizes of a 212-byte target", CDM_CONVERT, {}, 1228, {.size = 212}, 1228, 1, 1228, 0},
    {"own sizes one byte short", CDM_CONVERT, {}, 1236, {}, 1235, 0, 1235, ERROR_INVALID_PARAMETER},
    {"own sizes without target", CDM_CONVERT, {}, 0, {}, 1236, 0, 1236, ERROR_INVALID_PARAMETER},
    {"own sizes of an unconvertible source", CDM_CONVERT, {.size = 212, .bytes = 1228}, 1236, {}, 1236, 0, 1236,
     ERROR_INVALID_PARAMETER},
    {"NT 3.51 form fits", CDM_CONVERT351, {}, 1204, {}, 1204, 1, 1204, 0},
    {"NT 3.51 form one byte short", CDM_CONVERT351, {}, 1204, {}, 1203, 0, 1204, ERROR_INSUFFICIENT_BUFFER},
    {"NT 3.51 form of a 188-byte source", CDM_CONVERT351, {.size = 188, .bytes = 1204}, 1204, {}, 1204, 0, 1204,
     ERROR_INVALID_PARAMETER},
    {"another mode is left to the caller", 3, {}, 1236, {}, 1236, 2, 1236, 0},
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.what; }

class ConvertMode : public ::testing::TestWithParam<ModeCase> {
 protected:
  plat::ScopedMachine machine_;
};

TEST_P(ConvertMode, AnswersWithSizeAndLastError) {
  const ModeCase& c = GetParam();
  const Buffer source = Make(c.source);
  Shape t = c.target;
  t.bytes = c.buffer;
  t.seed = 9;
  Buffer target = c.buffer != 0 ? Make(t) : Buffer{};
  SetLastError(0);
  DWORD size = c.sizeIn;
  EXPECT_EQ(CommonDrvConvertDevmode(u"Office", Dm(source), source.size(), Dm(target), &size, c.mode), c.result);
  EXPECT_EQ(size, c.sizeOut);
  EXPECT_EQ(GetLastError(), c.lastError);
}

INSTANTIATE_TEST_SUITE_P(Modes, ConvertMode, ::testing::ValuesIn(kModes), [](const auto& info) {
  std::string name = info.param.what;
  std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
  return name;
});

TEST(CommonDrvConvertDevmode, WithoutSizeIsAnInvalidParameter) {
  plat::ScopedMachine machine;
  const Buffer source = Make({});
  Buffer target = Make({});
  SetLastError(0);
  EXPECT_EQ(CommonDrvConvertDevmode(nullptr, Dm(source), source.size(), Dm(target), nullptr, CDM_CONVERT), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// Caller DEVMODEs of random sizes and versions: whatever they claim, every
// conversion stays inside both buffers (the sanitizer watches), the answers
// stay in their ranges, and a private part taken in is settled.
TEST(ConvertRandom, StaysInsideTheBuffersWhateverTheSizesClaim) {
  plat::ScopedMachine machine;
  std::mt19937 rng(20240314);
  auto pick = [&](std::initializer_list<int> choices) {
    std::uniform_int_distribution<std::size_t> d(0, choices.size() - 1);
    return *(choices.begin() + d(rng));
  };
  auto any = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  auto randomSpec = [&] {
    Shape s;
    s.size = static_cast<WORD>(pick({0, 40, 72, 188, 212, 220, 220, 220, 300, any(0, 0xFFFF)}));
    s.extra = static_cast<WORD>(pick({0, 100, 1016, 1016, 1024, 0xFFFF, any(0, 0xFFFF)}));
    s.driverVersion = static_cast<WORD>(pick({0x400, 0x400, 0x350, any(0, 0xFFFF)}));
    s.specVersion = static_cast<WORD>(pick({0x320, 0x400, 0x401, 0, any(0, 0xFFFF)}));
    s.ours = any(0, 3) != 0;
    s.seed = static_cast<BYTE>(any(0, 255));
    const int claimed = s.size + s.extra;
    s.bytes = static_cast<std::size_t>(pick({0, 60, 72, 188, 220, 700, 1204, 1236, claimed, claimed - 1, any(0, 1400)}));
    if (s.bytes > 70000) s.bytes = 1236;
    return s;
  };
  for (int i = 0; i < 3000; ++i) {
    const Shape sourceSpec = randomSpec();
    const Shape targetSpec = randomSpec();
    const Buffer source = Make(sourceSpec);
    Buffer target = Make(targetSpec);

    const int converted = ConvertDevmode(Dm(source), source.size(), Dm(target), target.size());
    ASSERT_TRUE(converted == -1 || (converted >= 0 && static_cast<std::size_t>(converted) <= target.size())) << i;

    target = Make(targetSpec);
    const int merged = ConvertDevmode2(Dm(source), source.size(), Dm(target), target.size());
    ASSERT_GE(merged, -1) << i;
    if (merged > 0) {
      // Both headers were read. When the part taken in reaches the block
      // offsets, they are ours.
      const std::size_t targetSize = LoadLE<WORD>(target.data(), kOffSize);
      const std::size_t pub = std::min<std::size_t>(targetSize, LoadLE<WORD>(source.data(), kOffSize));
      if (static_cast<std::size_t>(merged) - pub >= kPrivOffsets + 6) {
        ASSERT_EQ(LoadLE<WORD>(target.data(), targetSize + kPrivOffsets + 2), kDcbBlock2Offset) << i;
      }
    }

    target = Make(targetSpec);
    const Buffer reference = Make(randomSpec());
    const int out = ConvertDevmodeOut(Dm(source), source.size(), any(0, 1) ? Dm(reference) : nullptr,
                                      reference.size(), Dm(target), target.size());
    ASSERT_TRUE(out == -1 || out == 0 || out == 1) << i;

    target = Make(targetSpec);
    DWORD size = static_cast<DWORD>(any(0, static_cast<int>(target.size())));
    const DWORD mode = static_cast<DWORD>(pick({1, 2, 4, 7}));
    const int answer = CommonDrvConvertDevmode(nullptr, Dm(source), source.size(), Dm(target), &size, mode);
    ASSERT_TRUE(answer >= 0 && answer <= 2) << i;
  }
}

}  // namespace
