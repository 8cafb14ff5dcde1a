// The setting table addresses the DEVMODE's settings by offset; these tests
// hold its block-1 records to the DEVMODE layout, field by field.
#include <cstddef>
#include <iterator>

#include <gtest/gtest.h>

#include "jobsettings/devmode/devmode_layout.h"
#include "settings/tables/setting_table.h"

namespace {

const SFCB& Record(int id) {
  const int position = id <= kSettingFirstRunEnd ? id : kSettingFirstRunEnd + id - kSettingSecondRunFirst + 1;
  return fgSFCB[position - 1];
}

struct Field {
  int id;
  std::size_t offset;
  std::size_t size;
  DWORD kind;
};

void ExpectRecordIs(const Field& f) {
  const SFCB& r = Record(f.id);
  ASSERT_EQ(r.funcId, f.id);
  EXPECT_EQ(SettingBlockOf(r.descriptor), kBlockDevmode) << f.id;
  EXPECT_EQ(r.offset, f.offset) << f.id;
  EXPECT_EQ(SettingSizeOf(r.descriptor), f.size) << f.id;
  EXPECT_EQ(SettingKindOf(r.descriptor), f.kind) << f.id;
}

// Offset and size of a member of the public or private part.
#define PUB(member) offsetof(DEVMODEW, member), sizeof(DEVMODEW::member)
#define F(member) KDM_OFFSET(member), sizeof(PrivDM::member)
#define H(member) KDM_OFFSET(header.member), sizeof(PrivateDocHeader::member)

TEST(DevmodeLayout, PublicSettingsAreTheSystemFieldsInDeclarationOrder) {
  const Field fields[] = {
      {1, PUB(dmDeviceName), kKindWide},       {2, PUB(dmSpecVersion), kKindU16},
      {3, PUB(dmDriverVersion), kKindU16},     {4, PUB(dmSize), kKindU16},
      {5, PUB(dmDriverExtra), kKindU16},       {6, PUB(dmFields), kKindU32},
      {7, PUB(dmOrientation), kKindI16},       {8, PUB(dmPaperSize), kKindI16},
      {9, PUB(dmPaperLength), kKindI16},       {10, PUB(dmPaperWidth), kKindI16},
      {11, PUB(dmScale), kKindI16},            {12, PUB(dmCopies), kKindI16},
      {13, PUB(dmDefaultSource), kKindI16},    {14, PUB(dmPrintQuality), kKindI16},
      {15, PUB(dmColor), kKindI16},            {16, PUB(dmDuplex), kKindI16},
      {17, PUB(dmYResolution), kKindI16},      {18, PUB(dmTTOption), kKindI16},
      {19, PUB(dmCollate), kKindI16},          {20, PUB(dmFormName), kKindWide},
      {21, PUB(dmLogPixels), kKindU16},        {22, PUB(dmBitsPerPel), kKindU32},
      {23, PUB(dmPelsWidth), kKindU32},        {24, PUB(dmPelsHeight), kKindU32},
      {25, PUB(dmDisplayFlags), kKindU32},     {26, PUB(dmDisplayFrequency), kKindU32},
      {27, PUB(dmICMMethod), kKindU32},        {28, PUB(dmICMIntent), kKindU32},
      {29, PUB(dmMediaType), kKindU32},        {30, PUB(dmDitherType), kKindU32},
      {31, PUB(dmICCManufacturer), kKindU32},  {32, PUB(dmICCModel), kKindU32},
      {33, PUB(dmPanningWidth), kKindU32},     {34, PUB(dmPanningHeight), kKindU32},
  };
  for (const auto& f : fields) ExpectRecordIs(f);
}

TEST(DevmodeLayout, HeaderSettingsSitInThePrivateHeader) {
  const Field fields[] = {
      {599, H(kdmIniFileName), kKindAnsi}, {600, H(kdmiCDCVerStr), kKindAnsi},
      {601, H(kdmiKPJLVerStr), kKindAnsi}, {602, H(kdmTcomMark), kKindAnsi},
      {603, H(kdmTcomVersion), kKindU8},   {606, H(reserved), kKindU32},
  };
  for (const auto& f : fields) ExpectRecordIs(f);
  // The two application blocks are 32 raw bytes each, whatever kind the
  // table gives them.
  for (int id : {604, 605}) {
    const SFCB& r = Record(id);
    EXPECT_EQ(SettingBlockOf(r.descriptor), kBlockDevmode) << id;
    EXPECT_EQ(SettingSizeOf(r.descriptor), 32u) << id;
  }
  EXPECT_EQ(Record(604).offset, KDM_OFFSET(header.kdmTcomMember));
  EXPECT_EQ(Record(605).offset, KDM_OFFSET(header.kdmTcomCaps));
}

TEST(DevmodeLayout, PrivateValuesSitAtTheirFields) {
  const Field fields[] = {
      {35, F(kdmMachineID), kKindU8},
      {36, F(kdmUIModeChange), kKindU8},
      {37, F(kdmPresetNo), kKindI8},
      {38, F(kdmDstResolutionW), kKindI16},
      {39, F(kdmDstResolutionH), kKindI16},
      {40, F(kdmSrcPaperLengthDot), kKindU32},
      {41, F(kdmSrcPaperWidthDot), kKindU32},
      {42, F(kdmSrcPaperPrnLengthDot), kKindU32},
      {43, F(kdmSrcPaperPrnWidthDot), kKindU32},
      {44, F(kdmSrcXOffset), kKindU32},
      {45, F(kdmSrcYOffset), kKindU32},
      {46, F(kdmOutPaperSize), kKindI16},
      {47, F(kdmDstPaperLengthDot), kKindU32},
      {48, F(kdmDstPaperWidthDot), kKindU32},
      {49, F(kdmDstPaperPrnLengthDot), kKindU32},
      {50, F(kdmDstPaperPrnWidthDot), kKindU32},
      {51, F(kdmDstXOffset), kKindU32},
      {52, F(kdmDstYOffset), kKindU32},
      {53, F(kdmOutputTrayID), kKindU16},
      {54, F(kdmMediaType), kKindU32},
      {87, F(kdmScaleType), kKindU8},
      {89, F(kdmScaleH), kKindU16},
      {90, F(kdmScaleV), kKindU16},
      {91, F(kdmNUPPOSTKind), kKindU8},
      {92, F(kdmNUPType), kKindU16},
      {93, F(kdmNUPLine), kKindU8},
      {94, F(kdmDuplexType), kKindU8},
      {95, F(kdmShiftDir), kKindU8},
      {96, F(kdmShiftMarginX), kKindI16},
      {97, F(kdmShiftMarginY), kKindI16},
      {98, F(kdmMarginOdd), kKindI16},
      {99, F(kdmMarginEven), kKindI16},
      {108, F(kdmHFDatePosi), kKindU8},
      {109, F(kdmHFDateForm), kKindU8},
      {110, F(kdmHFPagePosi), kKindU8},
      {111, F(kdmHFPageForm), kKindU8},
      {112, F(kdmHFStrPosi), kKindU8},
      {113, F(kdmHFStrForm), kKindU8},
      {114, F(kdmHFString), kKindAnsi},
      {115, F(kdmHFFontName), kKindAnsi},
      {116, F(kdmHFFontPoint), kKindU16},
      {117, F(kdmWmKind), kKindU8},
      {118, F(kdmWmID), kKindU16},
      {119, F(kdmSortType), kKindU8},
      {120, F(kdmPunchType), kKindU8},
      {121, F(kdmStapleType), kKindU16},
      {122, F(kdmMarkPaperType), kKindU8},
      {123, F(kdmMPInputTray), kKindI16},
      {124, F(kdmCoverType), kKindU8},
      {125, F(kdmCoverInputTray), kKindI16},
      {126, F(kdmBackCoverType), kKindU8},
      {127, F(kdmBackCoverInputTray), kKindI16},
      {128, F(kdmAdjustMode), kKindU8},
      {129, F(kdmAdjustObject), kKindU8},
      {130, F(kdmColorMatching), kKindU8},
      {131, F(kdmICMType), kKindU8},
      {132, F(kdmICMIntent), kKindU8},
      {133, F(kdmColorMatchingMode), kKindU8},
      {134, F(kdmColorMode), kKindU8},
      {136, F(kdmAutoCorrectPhoto), kKindU8},
      {137, F(kdmDitherType), kKindU16},
      {138, F(kdmBrightness), kKindI8},
      {139, F(kdmContrast), kKindI8},
      {140, F(kdmSaturation), kKindI8},
      {141, F(kdmColorBalanceR), kKindI8},
      {142, F(kdmColorBalanceG), kKindI8},
      {143, F(kdmColorBalanceB), kKindI8},
      {152, F(kdmDstResolutionBoth), kKindU8},
      {169, F(kdmLanguageID), kKindU8},
      {170, F(kdmDspLanguageID), kKindU8},
      {171, F(kdmDspUnit), kKindU8},
      {172, F(kdmLocaleID), kKindU8},
      {173, F(kdmExtPrintArea), kKindU8},
      {174, F(kdmImagePrint), kKindU8},
      {175, F(kdmColorProcess), kKindU8},
      {177, F(kdmPrintMacro), kKindU8},
      {178, F(kdmBalanceMacro), kKindU8},
      {179, F(kdmUserPrintMacro), kKindU8},
      {180, F(kdmTTFont), kKindU8},
      {181, F(kdmResBorder), kKindU8},
      {182, F(kdmSmoothing), kKindU8},
      {199, F(kdmCosmeticLine), kKindU8},
      {200, F(kdmTonerSave), kKindU8},
      {201, F(kdmEmulation), kKindU8},
      {202, F(kdmUserID), kKindAnsi},
      {203, F(kdmUserCode), kKindAnsi},
      {204, F(kdmOwnerName), kKindAnsi},
      {205, F(kdmMergeFileName), kKindAnsi},
      {206, F(kdmDocumentName), kKindAnsi},
      {207, F(kdmJOBPassword), kKindAnsi},
      {208, F(kdmStoredPassword), kKindAnsi},
      {209, F(kdmPrnMethod), kKindU8},
      {210, F(kdmTime), kKindU8},
      {227, F(kdmLoadShare), kKindU8},
      {228, F(kdmRemotePrint), kKindU8},
      {229, F(kdmAddressType), kKindU8},
      {230, F(kdmAddrListSelectNo), kKindU16},
      {231, F(kdmTelNo), kKindAnsi},
      {232, F(kdmTelLine), kKindU8},
      {233, F(kdmKESMVer), kKindU16},
      {242, F(kdmDriverType), kKindU8},
      {243, F(kdmAPIUseFlag), kKindU8},
      {340, F(kdmPaperFreeSizeWidth), kKindU32},
      {341, F(kdmPaperFreeSizeLength), kKindU32},
      {342, F(kdmPaperFreeSizeTray), kKindU16},
      {343, F(kdmPaperFreeSizeOrient), kKindU16},
      {344, F(kdmPrintFreeSizeWidth), kKindU32},
      {345, F(kdmPrintFreeSizeLength), kKindU32},
      {346, F(kdmPrintFreeSizeTray), kKindU16},
      {347, F(kdmPrintFreeSizeOrient), kKindU16},
      {348, F(kdmFrontFunc), kKindU32},
      {397, F(kdmDryTimer), kKindU16},
      {398, F(kdmPassMode), kKindU8},
      {399, F(kdmGammaC), kKindI8},
      {400, F(kdmGammaM), kKindI8},
      {401, F(kdmGammaY), kKindI8},
      {402, F(kdmGammaK), kKindI8},
      {403, F(kdmOrientationManualTray), kKindI8},
      {404, F(kdmCoverMediaType), kKindI16},
      {405, F(kdmBackCoverMediaType), kKindI16},
      {406, F(kdmMPInputMediaType), kKindI16},
      {407, F(kdmChapterMediaType), kKindI16},
      {408, F(kdmReverseCoverInputTray), kKindI16},
      {409, F(kdmReverseCoverMediaType), kKindI16},
      {410, F(kdmReverseCoverType), kKindI16},
      {411, F(kdmSeparationSheetCycle), kKindI16},
      {444, F(kdmHiddenDstResolutionBoth), kKindU8},
      {445, F(kdmSkipCount), kKindU8},
      {446, F(kdmPrintSpeed), kKindU8},
      {511, F(kdmFoldType), kKindU8},
      {512, F(kdmCopyProtectColor), kKindU8},
      {513, F(kdmCopyProtectDensity), kKindU8},
      {522, F(kdmCopyProtectTileMask), kKindU8},
      {523, F(kdmCopyProtectPosi), kKindU8},
      {524, F(kdmCopyProtectChar), kKindAnsi},
      {525, F(kdmCopyProtectFontName), kKindAnsi},
      {526, F(kdmCopyProtectFontStyle), kKindU8},
      {527, F(kdmCopyProtectFontPoint), kKindU16},
      {528, F(kdmCopyProtectAngle), kKindU16},
      {529, F(kdmCopyProtectLinePitch), kKindU16},
      {594, F(kdmPaperINCHLength), kKindU32},
      {595, F(kdmPaperINCHWidth), kKindU32},
      {596, F(kdmDstPaperLengthMM), kKindU32},
      {597, F(kdmDstPaperWidthMM), kKindU32},
      {598, F(kdmTrackID), kKindAnsi},
  };
  static_assert(std::size(fields) == 145);
  for (const auto& f : fields) ExpectRecordIs(f);
}

// Every single-bit setting is bit (id - first) of its container: the kind
// names the bit of the little-endian word, the size is the container width.
TEST(DevmodeLayout, BitSettingsAddressTheirBitOfTheirFlagWord) {
  int bits = 0;
  for (const KdmFlagWord& w : kKdmFlagWords) {
    for (int id = w.firstFuncId; id <= w.lastFuncId; ++id, ++bits) {
      ExpectRecordIs({id, w.offset, w.width, kKindBitFirst + static_cast<DWORD>(id - w.firstFuncId)});
    }
  }
  EXPECT_EQ(bits, 564 - 145);
}

TEST(DevmodeLayout, RunTimeFlagsAreTheLastSeventeenBytes) {
  for (int id = 607; id <= 623; ++id) {
    ExpectRecordIs({id, KDM_OFFSET(runTime) + static_cast<std::size_t>(id - 607), 1, kKindU8});
  }
  EXPECT_EQ(KDM_OFFSET(runTime) + sizeof(KDMRunTimeFlags), static_cast<std::size_t>(kSizeofKesmDM));
}

// No block-1 setting reaches into the reserved area or past the DEVMODE.
TEST(DevmodeLayout, NoSettingLivesInTheReservedArea) {
  for (const SFCB& r : fgSFCB) {
    if (SettingBlockOf(r.descriptor) != kBlockDevmode) continue;
    const std::size_t end = r.offset + SettingSizeOf(r.descriptor);
    EXPECT_LE(end, static_cast<std::size_t>(kSizeofKesmDM)) << r.funcId;
    const bool inReserved = r.offset < 1219 && end > 1061;
    EXPECT_FALSE(inReserved) << r.funcId;
  }
}

#undef PUB
#undef F
#undef H

}  // namespace
