// Hostile and malformed DEVMODEs handed to ValidateDevmode: the corpus of
// tests/data/devmodes (its README describes each file). Every file is
// validated under several callers' flag words on a context of the Kesm V5
// validation sample; each gets its documented result (what of it the
// context takes), and every result keeps the context sound: nothing is read
// past the buffer, the run-time flags stay the context's, the DEVMODE stays
// this model's with its block offsets, terminated texts, a real resolution
// and paper areas whose printable part fits the paper.
//
// The files are made from the V5 default DEVMODE by the recipes below; set
// KESM_UPDATE_GOLDEN=1 to write them again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "settings/system/unaligned.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

// What of a caller's DEVMODE the context takes: its public fields (the
// mark: 5 copies), its private part (the mark: watermark 7), or nothing. A
// file that replaces a mark itself only shows whether the other part was
// taken.
enum class Takes { kNothing, kPublic, kBoth, kPublicOfRepairedPrivate, kPrivateOfRepairedPublic };

constexpr SHORT kPublicMark = 5;
constexpr WORD kPrivateMark = 7;

DEVMODEW* AsDm(Bytes& b) { return reinterpret_cast<DEVMODEW*>(b.data()); }
void Put16(Bytes& b, std::size_t at, WORD v) { StoreLE<WORD>(b.data(), at, v); }
void Put32(Bytes& b, std::size_t at, DWORD v) { StoreLE<DWORD>(b.data(), at, v); }
constexpr std::size_t kOffSize = offsetof(DEVMODEW, dmSize);
constexpr std::size_t kOffExtra = offsetof(DEVMODEW, dmDriverExtra);
constexpr std::size_t kOffSpec = offsetof(DEVMODEW, dmSpecVersion);

// An application request in the private header: the mode, the pending
// flag and every field set to one byte.
Bytes Request(Bytes b, BYTE mode, BYTE fields) {
  BYTE* r = b.data() + KDM_OFFSET(header.kdmTcomMember);
  std::memset(r, fields, 32);
  r[0] = mode;
  r[1] = 1;
  return b;
}

struct HostileFile {
  const char* name;
  Bytes (*make)(Bytes base);  // from the marked V5 default
  Takes takes;
};

// The public part of another generation: the first `size` bytes of ours,
// then our private part.
Bytes OtherPublicSize(Bytes b, WORD size, WORD specVersion) {
  Bytes out(b.begin(), b.begin() + size);
  out.insert(out.end(), b.begin() + kSizeofDM, b.end());
  Put16(out, kOffSize, size);
  Put16(out, kOffSpec, specVersion);
  return out;
}

Bytes FillTexts(Bytes b) {
  for (const KdmTextField& f : kKdmTextFields) {
    for (std::size_t i = 0; i < f.size; i += f.wide ? 2 : 1) {
      b[f.offset + i] = 'A';
      if (f.wide) b[f.offset + i + 1] = 0;
    }
  }
  return b;
}

Bytes OutOfRangePrivate(Bytes b) {
  Put16(b, KDM_OFFSET(kdmScaleH), 60000);
  Put16(b, KDM_OFFSET(kdmWmID), 9999);
  b[KDM_OFFSET(kdmPresetNo)] = 200;
  Put16(b, KDM_OFFSET(kdmDstResolutionW), 7777);
  Put16(b, KDM_OFFSET(kdmDstResolutionH), 0x8000);
  b[KDM_OFFSET(kdmDuplexType)] = 99;
  b[KDM_OFFSET(kdmUserPrintMacro)] = 250;
  b[KDM_OFFSET(kdmDstResolutionBoth)] = 250;
  Put16(b, KDM_OFFSET(kdmNUPType), 0x7777);
  Put16(b, KDM_OFFSET(kdmOutPaperSize), 30000);
  Put32(b, KDM_OFFSET(kdmMediaType), 0xFFFFFFF0);
  b[KDM_OFFSET(kdmLanguageID)] = 200;
  Put32(b, KDM_OFFSET(kdmSrcPaperPrnLengthDot), 0xFFFFFFFF);
  return b;
}

Bytes HostilePublic(Bytes b) {
  DEVMODEW* dm = AsDm(b);
  dm->dmPaperSize = 30000;
  dm->dmPrintQuality = 0;
  dm->dmCopies = -5;
  dm->dmScale = 5000;
  dm->dmOrientation = 7;
  dm->dmDefaultSource = -1;
  dm->dmColor = 9;
  dm->dmDuplex = 0;
  dm->dmTTOption = 99;
  dm->dmCollate = 7;
  dm->dmMediaType = 0xFFFF;
  dm->dmICMMethod = 99;
  dm->dmICMIntent = 0xFFFFFFFF;
  dm->dmDitherType = 0;
  dm->dmFields = 0xFFFFFFFF & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
  return b;
}

Bytes CustomSize(Bytes b, SHORT length, SHORT width) {
  DEVMODEW* dm = AsDm(b);
  dm->dmPaperSize = 256;
  dm->dmPaperLength = length;
  dm->dmPaperWidth = width;
  dm->dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
  return b;
}

Bytes Quality(Bytes b, SHORT quality) {
  AsDm(b)->dmPrintQuality = quality;
  AsDm(b)->dmFields |= DM_PRINTQUALITY;
  return b;
}

const HostileFile kFiles[] = {
    {"own_marked.bin", [](Bytes b) { return b; }, Takes::kBoth},
    {"public_only.bin",
     [](Bytes b) {
       b.resize(kSizeofDM);
       Put16(b, kOffExtra, 0);
       return b;
     },
     Takes::kPublic},
    {"nt351_public.bin", [](Bytes b) { return OtherPublicSize(b, 188, 0x320); }, Takes::kNothing},
    {"public_212.bin", [](Bytes b) { return OtherPublicSize(b, 212, 0x400); }, Takes::kBoth},
    {"truncated_private.bin",
     [](Bytes b) {
       b.resize(600);
       return b;
     },
     Takes::kPublic},
    {"truncated_public.bin",
     [](Bytes b) {
       b.resize(100);
       return b;
     },
     Takes::kNothing},
    {"inflated_dmsize.bin",
     [](Bytes b) {
       Put16(b, kOffSize, 4000);
       return b;
     },
     Takes::kNothing},
    {"inflated_driverextra.bin",
     [](Bytes b) {
       Put16(b, kOffExtra, 60000);
       return b;
     },
     Takes::kPublic},
    {"tiny_dmsize.bin",
     [](Bytes b) {
       Put16(b, kOffSize, 10);
       return b;
     },
     Takes::kNothing},
    {"other_driver.bin",
     [](Bytes b) {
       std::memcpy(b.data() + kOffPrivHeader, "ABCD", 4);
       std::memcpy(b.data() + kOffDwPrivData, "othr", 4);
       return b;
     },
     Takes::kPublic},
    {"other_model.bin",
     [](Bytes b) {
       b[KDM_OFFSET(kdmMachineID)] = 0x55;
       return b;
     },
     Takes::kPublic},
    {"older_version_305.bin",
     [](Bytes b) {
       Put32(b, kOffDwVersion, 305);
       return b;
     },
     Takes::kBoth},
    {"newer_version_311.bin",
     [](Bytes b) {
       Put32(b, kOffDwVersion, 311);
       return b;
     },
     Takes::kPublic},
    {"old_major_version_250.bin",
     [](Bytes b) {
       Put32(b, kOffDwVersion, 250);
       return b;
     },
     Takes::kPublic},
    {"wrong_private_size_word.bin",
     [](Bytes b) {
       Put32(b, kOffDwSize, 900);
       return b;
     },
     Takes::kPublic},
    {"bad_block_offsets.bin",
     [](Bytes b) {
       for (std::size_t i = 0; i < 3; ++i) Put16(b, kOffBlockOffsets + 2 * i, 0xFFF0);
       return b;
     },
     Takes::kBoth},
    {"unterminated_texts.bin", FillTexts, Takes::kBoth},
    {"out_of_range_private.bin", OutOfRangePrivate, Takes::kPublicOfRepairedPrivate},
    {"spoofed_runtime_flags.bin",
     [](Bytes b) {
       std::memset(b.data() + kOffRunTimeFlags, 0xFF, kRunTimeFlagCount);
       return b;
     },
     Takes::kBoth},
    {"spoofed_runtime_flags_305.bin",
     [](Bytes b) {
       std::memset(b.data() + kOffRunTimeFlags, 0xFF, kRunTimeFlagCount);
       Put32(b, kOffDwVersion, 305);
       return b;
     },
     Takes::kBoth},
    {"hostile_public.bin", HostilePublic, Takes::kPrivateOfRepairedPublic},
    {"custom_size_too_large.bin", [](Bytes b) { return CustomSize(b, 32767, 32767); }, Takes::kBoth},
    {"custom_size_too_small.bin", [](Bytes b) { return CustomSize(b, 10, 10); }, Takes::kBoth},
    {"quality_constant.bin", [](Bytes b) { return Quality(b, -2); }, Takes::kBoth},
    {"zero_resolution.bin", [](Bytes b) { return Quality(b, 0); }, Takes::kBoth},
    {"all_zero.bin", [](Bytes b) { return Bytes(b.size(), 0); }, Takes::kNothing},
    {"all_ff.bin", [](Bytes b) { return Bytes(b.size(), 0xFF); }, Takes::kNothing},
    {"request_pending.bin",
     [](Bytes b) {
       b[KDM_OFFSET(header.kdmTcomMember) + 1] = 1;
       return b;
     },
     Takes::kBoth},
    {"request_defaults.bin", [](Bytes b) { return Request(b, 2, 0); }, Takes::kNothing},
    {"request_refresh.bin", [](Bytes b) { return Request(b, 3, 0); }, Takes::kBoth},
    {"request_defaults_refresh.bin", [](Bytes b) { return Request(b, 4, 0); }, Takes::kNothing},
    {"request_all_ff.bin", [](Bytes b) { return Request(b, 0xFF, 0xFF); }, Takes::kBoth},
    {"request_cut_short.bin",
     [](Bytes b) {
       b = Request(b, 0, 0xFF);
       b.resize(KDM_OFFSET(header.kdmTcomMember) + 8);
       return b;
     },
     Takes::kPublic},
};

// The callers whose flag words each file goes through.
constexpr DWORD kFlagWords[] = {0x8000008, 0x1000008, 0x2000004, 0x10000008, 0x20008, 0x22000008};

std::string Path(const char* name) { return std::string(KESM_TEST_DATA) + "/devmodes/" + name; }

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class HostileDevmodes : public ValidationMachine {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd")); }

  // The V5 default with the two marks.
  Bytes Base() {
    UCB* ucb = Open();
    Bytes b = Image(ucb);
    Dm(b)->dmCopies = kPublicMark;
    Dm(b)->dmFields |= DM_COPIES;
    Put16(b, KDM_OFFSET(kdmWmID), kPrivateMark);
    return b;
  }
};

TEST_F(HostileDevmodes, EachFileGetsItsResultAndLeavesTheContextSound) {
  const Bytes base = Base();
  const bool update = std::getenv("KESM_UPDATE_GOLDEN") != nullptr;
  for (const HostileFile& file : kFiles) {
    SCOPED_TRACE(file.name);
    if (update) {
      const Bytes made = file.make(base);
      std::ofstream(Path(file.name), std::ios::binary).write(reinterpret_cast<const char*>(made.data()),
                                                             static_cast<std::streamsize>(made.size()));
    }
    // The buffer is exactly as long as the file, so any access past it is
    // caught.
    const Bytes bytes = ReadFile(Path(file.name));
    ASSERT_FALSE(bytes.empty());
    UCB* ucb = Open();
    ASSERT_NE(ucb, nullptr);
    const Bytes runTime(ucb->pDCB->devmode + kOffRunTimeFlags, ucb->pDCB->devmode + kSizeofKesmDM);
    for (DWORD flags : kFlagWords) {
      SCOPED_TRACE(flags);
      Bytes input = bytes;
      auto* dm = input.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(input.data());
      EXPECT_EQ(ValidateDevmode(ucb, dm, input.size(), flags), 1);
      if (flags == kFlagWords[0]) {
        if (file.takes != Takes::kPrivateOfRepairedPublic) {
          EXPECT_EQ(Dm(ucb)->dmCopies == kPublicMark, file.takes != Takes::kNothing) << "public part";
        }
        if (file.takes != Takes::kPublicOfRepairedPrivate) {
          const bool both = file.takes == Takes::kBoth || file.takes == Takes::kPrivateOfRepairedPublic;
          EXPECT_EQ(Value(ucb, 118) == kPrivateMark, both) << "private part";
        }
      }
      ExpectSound(ucb, runTime);
    }
  }
}

// The values of the tampered files, as the rules replace them.
TEST_F(HostileDevmodes, OutOfRangeValuesBecomeDefaults) {
  UCB* ucb = Open();
  Bytes input = ReadFile(Path("out_of_range_private.bin"));
  ASSERT_EQ(ValidateDevmode(ucb, Dm(input), input.size(), 0x8000008), 1);
  EXPECT_EQ(Value(ucb, 89), 100) << "the scale group's default";
  EXPECT_EQ(Value(ucb, 118), 0) << "the watermark group's default";
  EXPECT_EQ(Value(ucb, 37), 0) << "a preset number that is none";
  EXPECT_EQ(Value(ucb, 38), 600) << "the destination resolution follows the print quality";
  EXPECT_EQ(Value(ucb, 46), 1024);
  EXPECT_EQ(Value(ucb, 179), 32);
  EXPECT_EQ(Value(ucb, 94), 2) << "the binding group's default";
  EXPECT_EQ(Value(ucb, 42), 6816) << "the printable length comes from the paper again";

  input = ReadFile(Path("hostile_public.bin"));
  ASSERT_EQ(ValidateDevmode(ucb, Dm(input), input.size(), 0x8000008), 1);
  const DEVMODEW* dm = Dm(ucb);
  EXPECT_EQ(dm->dmPaperSize, 9);
  EXPECT_EQ(dm->dmPrintQuality, 600);
  EXPECT_EQ(dm->dmCopies, 1);
  EXPECT_EQ(dm->dmScale, 100);
  EXPECT_EQ(dm->dmOrientation, 1);
  EXPECT_EQ(dm->dmDefaultSource, 7);
  EXPECT_EQ(dm->dmColor, 1);
  EXPECT_EQ(dm->dmDuplex, 1);
  EXPECT_EQ(dm->dmTTOption, 3);
  EXPECT_EQ(dm->dmCollate, 0);
  EXPECT_EQ(dm->dmICMMethod, 1u);
  EXPECT_EQ(dm->dmICMIntent, 1u);

  for (const char* name : {"custom_size_too_large.bin", "custom_size_too_small.bin"}) {
    SCOPED_TRACE(name);
    input = ReadFile(Path(name));
    ASSERT_EQ(ValidateDevmode(ucb, Dm(input), input.size(), 0x8000008), 1);
    EXPECT_EQ(dm->dmPaperSize, 256);
    EXPECT_GE(Value(ucb, 341), 6600) << "the free size in 1200-dpi dots is within the model's range";
    EXPECT_LE(Value(ucb, 341), 21636);
    EXPECT_GE(Value(ucb, 340), 6600);
    EXPECT_LE(Value(ucb, 340), 14412);
  }
}

}  // namespace
}  // namespace validation_test
