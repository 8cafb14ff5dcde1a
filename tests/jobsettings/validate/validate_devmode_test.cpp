// ValidateDevmode: which steps each caller's flag word runs, how much of a
// caller's DEVMODE the context takes (its own, another model's, an older
// and a newer version of its private part), that the context's run-time
// flags never come from the caller, the public-field rules and the private
// settings derived from the public fields. The description is the Kesm V5
// validation sample, which makes a DEVMODE this model's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "platform/files/winfile.h"
#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/system/unaligned.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace validation_test {
namespace {

// --- A context of the V5 sample ---------------------------------------------

constexpr DWORD kJobCheck = 0x8000008;

class Validation : public ValidationMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd"));
    ucb_ = Open();
    ASSERT_NE(ucb_, nullptr);
    ASSERT_TRUE(IsMyValidDevmode(Dm(ucb_), 0)) << "the V5 defaults are this model's";
  }
  // The context's DEVMODE as a caller would hand it back, with a public
  // mark (5 copies) and a private mark (watermark 7).
  Bytes Marked() {
    Bytes b = Image(ucb_);
    Dm(b)->dmCopies = 5;
    Dm(b)->dmFields |= DM_COPIES;
    StoreLE<WORD>(b.data(), KDM_OFFSET(kdmWmID), 7);
    return b;
  }
  int Run(Bytes& b, DWORD flags = kJobCheck) { return ValidateDevmode(ucb_, Dm(b), b.size(), flags); }
  bool TookPublic() { return Dm(ucb_)->dmCopies == 5; }
  bool TookPrivate() { return Value(ucb_, 118) == 7; }

  UCB* ucb_ = nullptr;
};

// --- The steps of each caller -----------------------------------------------

struct StepsRow {
  const char* caller;
  DWORD flags;
  ValidationSteps steps;  // runs, properties, constraints, job codes, re-derive, resolution, 600, quality set
};

// What each caller's flag word makes ValidateDevmode do, seen in its
// effects on a fresh context: whether it runs at all (the caller's marks
// are taken and the flags kept), whether it reads the printer's stored
// properties (a print method the settings INI holds replaces the caller's),
// and whether the destination resolution follows the caller's public print
// quality or stays as the caller's private part has it.
// The table also names the steps a flag word stands for.
TEST_F(Validation, EachCallersFlagWordRunsItsSteps) {
  const StepsRow rows[] = {
      {"set-file read", 0x10000008, {true, false, true, false, false, false, false, false}},
      {"device property sheet", 0x400000A, {true, true, true, false, false, true, true, false}},
      {"document sheet, no prompt", 0x2000000, {true, false, false, false, false, true, true, false}},
      {"document sheet with prompt", 0x2000004, {true, true, true, true, true, true, true, true}},
      {"document properties without UI", 0x22000008, {true, false, false, false, false, true, true, false}},
      {"DEVMODE conversion", 0x4000008, {true, true, true, false, false, true, true, false}},
      {"DevQueryPrintEx", 0x8000008, {true, true, true, false, false, true, true, false}},
      {"device capabilities", 0x1000008, {true, false, true, false, false, true, true, false}},
      {"PDEV enable", 0x10008, {true, false, false, false, false, true, true, false}},
      {"document start", 0x20008, {true, true, true, false, false, true, true, false}},
      {"after an application request", 0x40000008, {true, false, false, false, true, true, true, false}},
      {"device sheet bit alone", 0x2, {false, false, false, false, false, true, true, false}},
      {"prompt alone", 0x4, {false, true, true, true, true, true, true, false}},
  };
  constexpr WORD kPrintMethod = 209;
  constexpr WORD kDstResolution = 38;
  const SFCB* method = GetSFCBbyFuncID(ucb_, kPrintMethod);
  ASSERT_TRUE(method != nullptr && method->iniKey != nullptr);
  for (const StepsRow& r : rows) {
    SCOPED_TRACE(r.caller);
    UCB* ucb = Open();
    ASSERT_NE(ucb, nullptr);
    ASSERT_EQ(Value(ucb, kPrintMethod), 0);
    const std::u16string ini = GetIniFilePath(ucb);
    CreateDirectoryW(ini.substr(0, ini.rfind(u'\\')).c_str(), nullptr);
    ASSERT_TRUE(WritePrivateProfileStringW(GetPrinterName(ucb), method->iniKey, u"2", GetIniFilePath(ucb)));
    Set(ucb, kDstResolution, 1200);
    Bytes b = Image(ucb);
    Dm(b)->dmCopies = 5;
    Dm(b)->dmPrintQuality = 600;
    Dm(b)->dmFields |= DM_COPIES | DM_PRINTQUALITY;
    EXPECT_EQ(ValidateDevmode(ucb, Dm(b), b.size(), r.flags), 1);
    EXPECT_EQ(Dm(ucb)->dmCopies == 5, r.steps.runs) << "the caller's copies";
    EXPECT_EQ(ucb->pWork->dwValidateFlags, r.steps.runs ? r.flags : 0u);
    EXPECT_EQ(Value(ucb, kPrintMethod) == 2, r.steps.runs && r.steps.readsProperties) << "the stored print method";
    EXPECT_EQ(Value(ucb, kDstResolution), r.steps.runs && r.steps.resolutionFromPublic ? 600 : 1200)
        << "the destination resolution";

    const ValidationSteps s = StepsOf(r.flags);
    EXPECT_EQ(s.runs, r.steps.runs);
    EXPECT_EQ(s.readsProperties, r.steps.readsProperties);
    EXPECT_EQ(s.constraintPass, r.steps.constraintPass);
    EXPECT_EQ(s.jobCodes, r.steps.jobCodes);
    EXPECT_EQ(s.rederivesPrivate, r.steps.rederivesPrivate);
    EXPECT_EQ(s.resolutionFromPublic, r.steps.resolutionFromPublic);
    EXPECT_EQ(s.downResolution, r.steps.downResolution);
    EXPECT_EQ(s.storedQualitySet, r.steps.storedQualitySet);
    ASSERT_TRUE(WritePrivateProfileStringW(GetPrinterName(ucb), method->iniKey, nullptr, GetIniFilePath(ucb)));
  }
}

TEST_F(Validation, WithoutModifyOrTheDocumentSheetNothingHappens) {
  Bytes b = Marked();
  const Bytes before(reinterpret_cast<BYTE*>(ucb_->pDCB), reinterpret_cast<BYTE*>(ucb_->pDCB) + sizeof(DCB));
  EXPECT_EQ(Run(b, 0x2), 1);
  EXPECT_EQ(std::memcmp(before.data(), ucb_->pDCB, sizeof(DCB)), 0);
  EXPECT_EQ(ucb_->pWork->dwValidateFlags, 0u) << "the flags are not even stored";
}

TEST_F(Validation, AnotherDevmodeOfThisModelIsTakenWhole) {
  Bytes b = Marked();
  EXPECT_EQ(Run(b), 1);
  EXPECT_TRUE(TookPublic());
  EXPECT_TRUE(TookPrivate());
  EXPECT_EQ(ucb_->pWork->dwValidateFlags, kJobCheck);
}

struct OwnershipCase {
  const char* what;
  void (*tamper)(Bytes&);
  bool takesPrivate;
  DWORD versionAfter;
};

TEST_F(Validation, OnlyAPrivatePartOfThisModelOrAnOlderVersionIsTaken) {
  const OwnershipCase cases[] = {
      {"this model and version", [](Bytes&) {}, true, 310},
      {"another machine id", [](Bytes& b) { b[KDM_OFFSET(kdmMachineID)] = 0x55; }, false, 310},
      {"another driver type", [](Bytes& b) { b[KDM_OFFSET(kdmDriverType)] = 0; }, false, 310},
      {"an older minor version: upgraded", [](Bytes& b) { StoreLE<DWORD>(b.data(), kOffDwVersion, 305); }, true, 310},
      {"a newer version: no upgrade applies", [](Bytes& b) { StoreLE<DWORD>(b.data(), kOffDwVersion, 311); }, false,
       310},
      {"an older major version: no upgrade applies", [](Bytes& b) { StoreLE<DWORD>(b.data(), kOffDwVersion, 250); },
       false, 310},
      {"another private size word", [](Bytes& b) { StoreLE<DWORD>(b.data(), kOffDwSize, 900); }, false, 310},
  };
  for (const OwnershipCase& k : cases) {
    SCOPED_TRACE(k.what);
    Set(ucb_, 118, 0);
    Dm(ucb_)->dmCopies = 1;
    Bytes b = Marked();
    k.tamper(b);
    EXPECT_EQ(Run(b), 1);
    EXPECT_TRUE(TookPublic()) << "the public fields are taken in every case";
    EXPECT_EQ(TookPrivate(), k.takesPrivate);
    EXPECT_EQ(GetKDMdwVersionByDM(Dm(ucb_)), k.versionAfter);
    EXPECT_TRUE(IsMyValidDevmode(Dm(ucb_), 0)) << "the context's DEVMODE stays this model's";
  }
}

// Every run-time flag byte of a caller's DEVMODE set to 0xFF: none reaches
// the context, whether its private part is taken, upgraded or dropped.
TEST_F(Validation, RunTimeFlagsNeverComeFromTheCaller) {
  const Bytes flagsBefore(ucb_->pDCB->devmode + kOffRunTimeFlags, ucb_->pDCB->devmode + kSizeofKesmDM);
  for (DWORD version : {310u, 305u, 311u}) {
    SCOPED_TRACE(version);
    Bytes b = Marked();
    StoreLE<DWORD>(b.data(), kOffDwVersion, version);
    std::memset(b.data() + kOffRunTimeFlags, 0xFF, kRunTimeFlagCount);
    for (DWORD flags : {kJobCheck, 0x2000004u, 0x10000008u}) {
      EXPECT_EQ(Run(b, flags), 1);
      const Bytes flagsAfter(ucb_->pDCB->devmode + kOffRunTimeFlags, ucb_->pDCB->devmode + kSizeofKesmDM);
      EXPECT_EQ(flagsAfter, flagsBefore) << flags;
    }
  }
}

TEST_F(Validation, ACopyThatCannotBeAllocatedChangesNothing) {
  Bytes b = Marked();
  const Bytes before = Image(ucb_);
  plat::FailAllocationAt(1);
  EXPECT_EQ(Run(b), 0);
  plat::FailAllocationAt(0);
  EXPECT_EQ(Image(ucb_), before);
}

// --- Public fields ----------------------------------------------------------

TEST_F(Validation, ScaleLosesItsBitAndYResolutionFollowsThePrintQuality) {
  Bytes b = Marked();
  Dm(b)->dmScale = 150;
  Dm(b)->dmYResolution = 300;
  Dm(b)->dmPrintQuality = 1200;
  Dm(b)->dmFields |= DM_SCALE | DM_PRINTQUALITY | DM_YRESOLUTION;
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Dm(ucb_)->dmScale, 150);
  EXPECT_EQ(Dm(ucb_)->dmFields & DM_SCALE, 0u);
  EXPECT_EQ(Dm(ucb_)->dmPrintQuality, 1200);
  EXPECT_EQ(Dm(ucb_)->dmYResolution, 1200);
  EXPECT_EQ(Value(ucb_, 38), 1200) << "the destination resolution follows";
  Dm(b)->dmScale = 1001;
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Dm(ucb_)->dmScale, 100) << "out of the model's range: its default";
}

struct QualityCase {
  const char* what;
  SHORT given;
  SHORT result;
};

TEST_F(Validation, APrintQualityTheDeviceDoesNotTakeBecomesItsDefault) {
  const QualityCase cases[] = {
      {"a resolution of the description", 1200, 1200},
      {"a quality constant", -2, 600},
      {"a resolution the description does not offer", 300, 600},
      {"none at all", 0, 600},
      {"below zero", -300, 600},
  };
  for (const QualityCase& k : cases) {
    SCOPED_TRACE(k.what);
    Bytes b = Marked();
    Dm(b)->dmPrintQuality = k.given;
    Dm(b)->dmFields |= DM_PRINTQUALITY;
    EXPECT_EQ(Run(b), 1);
    EXPECT_EQ(Dm(ucb_)->dmPrintQuality, k.result);
    EXPECT_EQ(Dm(ucb_)->dmYResolution, k.result);
  }
}

struct PaperCase {
  const char* what;
  DWORD fields;
  SHORT paper;
  SHORT length;
  SHORT width;
  SHORT paperAfter;
  SHORT lengthAfter;
  SHORT widthAfter;
  DWORD fieldsAfter;  // of the paper bits
};

TEST_F(Validation, PaperByCodeOrByLengthAndWidth) {
  constexpr DWORD kAll = DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
  const PaperCase cases[] = {
      {"a paper of the description", DM_PAPERSIZE, 1, 0, 0, 1, 2794, 2159, DM_PAPERSIZE},
      {"a paper it does not offer: its default", DM_PAPERSIZE, 70, 0, 0, 9, 2970, 2100, DM_PAPERSIZE},
      {"the user size with its length and width", DM_PAPERSIZE, 256, 2000, 1500, 256, 2000, 1500,
       DM_PAPERLENGTH | DM_PAPERWIDTH},
      {"length and width alone: the user size", DM_PAPERLENGTH | DM_PAPERWIDTH, 9, 2000, 1500, 256, 2000, 1500,
       DM_PAPERLENGTH | DM_PAPERWIDTH},
      {"length and width with a free-size code", DM_PAPERLENGTH | DM_PAPERWIDTH, 384, 2000, 1500, 384, 2000, 1500,
       DM_PAPERLENGTH | DM_PAPERWIDTH},
      {"a custom size beyond the model's range", DM_PAPERLENGTH | DM_PAPERWIDTH, 256, 32767, 1, 256, 4580, 1397,
       DM_PAPERLENGTH | DM_PAPERWIDTH},
  };
  for (const PaperCase& k : cases) {
    SCOPED_TRACE(k.what);
    Bytes b = Marked();
    Dm(b)->dmFields = (Dm(b)->dmFields & ~kAll) | k.fields;
    Dm(b)->dmPaperSize = k.paper;
    Dm(b)->dmPaperLength = k.length;
    Dm(b)->dmPaperWidth = k.width;
    EXPECT_EQ(Run(b), 1);
    EXPECT_EQ(Dm(ucb_)->dmPaperSize, k.paperAfter);
    EXPECT_EQ(Dm(ucb_)->dmPaperLength, k.lengthAfter);
    EXPECT_EQ(Dm(ucb_)->dmPaperWidth, k.widthAfter);
    EXPECT_EQ(Dm(ucb_)->dmFields & kAll, k.fieldsAfter);
  }
}

TEST_F(Validation, TheSourceAreaFollowsThePaper) {
  Bytes b = Marked();
  Dm(b)->dmPaperSize = 1;
  Dm(b)->dmFields |= DM_PAPERSIZE;
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Value(ucb_, 40), 6600);
  EXPECT_EQ(Value(ucb_, 41), 5100);
  EXPECT_EQ(Value(ucb_, 42), 6400);
  Dm(b)->dmFields = (Dm(b)->dmFields & ~DM_PAPERSIZE) | DM_PAPERLENGTH | DM_PAPERWIDTH;
  Dm(b)->dmPaperLength = 2000;
  Dm(b)->dmPaperWidth = 1500;
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Value(ucb_, 40), 4724) << "200 mm at 600 dpi";
  EXPECT_EQ(Value(ucb_, 42), 4664) << "less the user size's top margin";
  EXPECT_EQ(Value(ucb_, 341), 9448) << "the free size in 1200-dpi dots";
}

// With sizes shown in inches, a custom size given in tenths of a millimetre
// is kept in hundredths of an inch beside its dots.
TEST_F(Validation, ACustomSizeShownInInchesKeepsItsInches) {
  Set(ucb_, 855, 1);  // the input dialog edits the paper size
  Bytes b = Marked();
  b[KDM_OFFSET(kdmDspUnit)] = 1;
  Dm(b)->dmFields = (Dm(b)->dmFields & ~DM_PAPERSIZE) | DM_PAPERLENGTH | DM_PAPERWIDTH;
  Dm(b)->dmPaperSize = 256;
  Dm(b)->dmPaperLength = 2794;  // 11 in
  Dm(b)->dmPaperWidth = 2159;   // 8.5 in
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Value(ucb_, 594), 1100);
  EXPECT_EQ(Value(ucb_, 595), 850);
  EXPECT_EQ(Dm(ucb_)->dmPaperLength, 2794);
  EXPECT_EQ(Dm(ucb_)->dmPaperWidth, 2159);
  // In millimetres nothing is kept in inches.
  Set(ucb_, 594, 0);
  b[KDM_OFFSET(kdmDspUnit)] = 0;
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Value(ucb_, 594), 0);
}

TEST_F(Validation, TheFormNameIsTakenOnlyOverANamedForm) {
  Bytes b = Marked();
  std::memcpy(Dm(b)->dmFormName, u"Letter", sizeof(u"Letter"));
  Dm(b)->dmFields = (Dm(b)->dmFields & ~(DM_PAPERSIZE | DM_ORIENTATION)) | DM_FORMNAME;
  ASSERT_NE(Dm(ucb_)->dmFormName[0], 0) << "the defaults name A4";
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(std::u16string(Dm(ucb_)->dmFormName), u"Letter");
  EXPECT_NE(Dm(ucb_)->dmFields & DM_FORMNAME, 0u);
  Dm(b)->dmFormName[0] = 0;
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Dm(ucb_)->dmFormName[0], 0) << "an empty name empties the current one";
  std::memcpy(Dm(b)->dmFormName, u"Letter", sizeof(u"Letter"));
  EXPECT_EQ(Run(b), 1);
  EXPECT_EQ(Dm(ucb_)->dmFormName[0], 0) << "not taken over an empty one";
  EXPECT_EQ(Dm(ucb_)->dmFields & DM_FORMNAME, 0u);
}

// Collation is offered (the constraint interface that could withdraw it is
// not there yet): a caller that flagged DM_COLLATE keeps its choice only as
// "on" (1) or "off", and without the flag the sort choice decides.
struct CollationCase {
  const char* what;
  bool flagged;
  SHORT collate;
  LONG_PTR sortChoice;  // kdmFuncSelectSort
  SHORT after;
};

TEST_F(Validation, CollationFollowsTheCallerOrElseTheSortChoice) {
  const CollationCase cases[] = {
      {"flagged on", true, 1, 0, 1},
      {"flagged off", true, 0, 1, 0},
      {"flagged with a value other than on", true, 7, 1, 0},
      {"not flagged, sorting chosen", false, 1, 1, 1},
      {"not flagged, sorting not chosen", false, 1, 0, 0},
  };
  for (const CollationCase& k : cases) {
    SCOPED_TRACE(k.what);
    Set(ucb_, 61, k.sortChoice);  // the caller's DEVMODE carries it
    Bytes b = Marked();
    Dm(b)->dmCollate = k.collate;
    Dm(b)->dmFields = k.flagged ? Dm(b)->dmFields | DM_COLLATE : Dm(b)->dmFields & ~DM_COLLATE;
    EXPECT_EQ(Run(b), 1);
    EXPECT_EQ(Dm(ucb_)->dmCollate, k.after);
    EXPECT_NE(Dm(ucb_)->dmFields & DM_COLLATE, 0u);
  }
}

// --- Private settings from public fields --------------------------------------

struct DuplexCase {
  const char* what;
  SHORT duplex;
  SHORT orientation;
  LONG_PTR selectBefore;
  LONG_PTR typeBefore;
  LONG_PTR selectAfter;
  LONG_PTR typeAfter;
};

TEST_F(Validation, PublicDuplexSwitchesAndBindsThePrivateDuplex) {
  const DuplexCase cases[] = {
      {"long edge in landscape binds at the top", 2, 2, 0, 2, 1, 1},
      {"long edge in portrait binds at the side", 2, 1, 0, 1, 1, 2},
      {"simplex switches it off", 1, 1, 1, 2, 0, 2},
      {"an agreeing binding stays", 3, 1, 1, 1, 1, 1},
  };
  for (const DuplexCase& k : cases) {
    SCOPED_TRACE(k.what);
    Bytes b = Marked();
    Dm(b)->dmDuplex = k.duplex;
    Dm(b)->dmOrientation = k.orientation;
    Dm(b)->dmFields |= DM_DUPLEX | DM_ORIENTATION;
    Set(ucb_, 58, k.selectBefore);
    Set(ucb_, 94, k.typeBefore);
    // The caller's private part is this context's own, with its switch.
    b[KDM_OFFSET(kdmFuncSelect)] = ucb_->pDCB->devmode[KDM_OFFSET(kdmFuncSelect)];
    b[KDM_OFFSET(kdmDuplexType)] = ucb_->pDCB->devmode[KDM_OFFSET(kdmDuplexType)];
    EXPECT_EQ(Run(b), 1);
    EXPECT_EQ(Value(ucb_, 58), k.selectAfter);
    EXPECT_EQ(Value(ucb_, 94), k.typeAfter);
  }
}

TEST_F(Validation, TheDocumentSheetWithPromptDerivesThePublicDuplex) {
  Bytes b = Marked();
  Dm(b)->dmDuplex = 3;
  Dm(b)->dmOrientation = 1;
  Dm(b)->dmFields |= DM_DUPLEX | DM_ORIENTATION;
  EXPECT_EQ(Run(b, 0x2000004), 1);
  EXPECT_EQ(Value(ucb_, 58), 1);
  EXPECT_EQ(Value(ucb_, 94), 1) << "short edge in portrait binds at the top";
  EXPECT_EQ(Dm(ucb_)->dmDuplex, 3) << "and the public duplex is derived back from it";
  EXPECT_EQ(Value(ucb_, 846), 1) << "the prompt is kept for the dialogs";
}

TEST_F(Validation, ASetFileReadKeepsTheDestinationResolution) {
  Set(ucb_, 38, 1200);
  Bytes b = Marked();
  Dm(b)->dmPrintQuality = 600;
  Dm(b)->dmFields |= DM_PRINTQUALITY;
  EXPECT_EQ(Run(b, 0x10000008), 1);
  EXPECT_EQ(Value(ucb_, 38), 1200);
  EXPECT_EQ(Run(b, kJobCheck), 1);
  EXPECT_EQ(Value(ucb_, 38), 600);
}

}  // namespace
}  // namespace validation_test
