#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "settings/context/context_block.h"

namespace {

bool AllZero(const void* p, std::size_t n) {
  const auto* b = static_cast<const BYTE*>(p);
  for (std::size_t i = 0; i < n; ++i) {
    if (b[i] != 0) return false;
  }
  return true;
}

TEST(StaticRoot, PointsAtEveryStaticTable) {
  const UCB* root = GetStaticUcb();
  ASSERT_EQ(root, &fgUCB);
  EXPECT_EQ(root->hPrinter, nullptr);
  EXPECT_EQ(root->hData, nullptr);
  EXPECT_EQ(root->wCurrentDialog, 0);
  ASSERT_NE(root->pSFL, nullptr);
  EXPECT_EQ(root->pSFL->count, 1561);
  EXPECT_EQ(root->pSFL->pSFCB, fgSFCB);
  ASSERT_NE(root->pTL, nullptr);
  EXPECT_EQ(root->pTL->count, 63);
  EXPECT_EQ(root->pTL->pTCB, fgTCB);
  EXPECT_EQ(root->pGKL, &fgGKL);
  EXPECT_EQ(root->pGKL->count, 1489);
  EXPECT_EQ(root->pSPL, &fgSPL);
  EXPECT_EQ(root->pSPL->count, 3327);
  EXPECT_EQ(root->pAPL, &fgAPL);
  EXPECT_EQ(root->pAPL->count, 42);
  EXPECT_EQ(root->pAPL->pAP, fgAP);
  EXPECT_EQ(root->pDP, &fgDP);
  EXPECT_EQ(root->pDCB, &fgDCB);
  EXPECT_EQ(root->pBKPD, nullptr);
  EXPECT_EQ(root->pWork, &fgWork);
  EXPECT_EQ(root->hResDll, nullptr);
  EXPECT_EQ(root->hBmpDll, nullptr);
}

TEST(StaticRoot, TemplatesAreZero) {
  EXPECT_TRUE(AllZero(&fgDCB, sizeof fgDCB));
  EXPECT_TRUE(AllZero(&fgWork, sizeof fgWork));
}

// The three blocks follow each other at the offsets the DEVMODE header
// stores, and block 1 is exactly one driver DEVMODE.
TEST(DevmodeControlBlock, BlocksSitAtTheHeaderOffsets) {
  static_assert(sizeof(DCB) == 5372);
  static_assert(sizeof(DCB::devmode) == sizeof(KesmDM));
  DCB dcb{};
  ASSERT_TRUE(DevCBSetPrivHeaderOffset(reinterpret_cast<DEVMODEW*>(dcb.devmode)));
  const auto base = reinterpret_cast<const BYTE*>(&dcb);
  for (int block = 0; block < 3; ++block) {
    const BYTE* at = dcb.devmode + 361 + 2 * block;
    const std::size_t offset = at[0] | at[1] << 8;
    const BYTE* expected[] = {dcb.devmode, dcb.prnDM, dcb.workDM};
    EXPECT_EQ(base + offset, expected[block]) << "block " << block + 1;
  }
}

// The work area keeps its fields in the order other code relies on.
TEST(WorkArea, FieldsFollowInTheirOrder) {
  const std::size_t order[] = {
      offsetof(WORKAREA, szIniFilePath),   offsetof(WORKAREA, apUndoRing),
      offsetof(WORKAREA, fEngineBusy),     offsetof(WORKAREA, fChanged),
      offsetof(WORKAREA, wOpenKind),       offsetof(WORKAREA, szDriverLanguage),
      offsetof(WORKAREA, szDriverName),    offsetof(WORKAREA, szScratch),
      offsetof(WORKAREA, szPrinterName),   offsetof(WORKAREA, aRingRequest),
      offsetof(WORKAREA, dwRequest),       offsetof(WORKAREA, cSavedFontTable),
      offsetof(WORKAREA, pSavedFontTable), offsetof(WORKAREA, dwLastError),
      offsetof(WORKAREA, szDriverIniPath), offsetof(WORKAREA, szInstallDirectory),
      offsetof(WORKAREA, szInstallIniPath), offsetof(WORKAREA, ahGdiObject),
      offsetof(WORKAREA, pDCB2),           offsetof(WORKAREA, aOpenWords),
      offsetof(WORKAREA, fTakeLock),       offsetof(WORKAREA, fCheckAdmin),
      offsetof(WORKAREA, dwMode),
  };
  for (std::size_t i = 1; i < std::size(order); ++i) EXPECT_LT(order[i - 1], order[i]) << i;
  EXPECT_EQ(sizeof(WORKAREA::szScratch) / sizeof(WCHAR), 1025u);
  EXPECT_EQ(sizeof(WORKAREA::szInstallDirectory) / sizeof(WCHAR), 260u);
}

// The twelve words of public defaults are the model data as stored: the
// typed fields must pack into exactly these words.
TEST(DriverParameters, PublicDefaultsPackIntoTheModelWords) {
  const DWORD words[12] = {0x000103E7, 4,          90, 600, 0, 0x00090001, 0, 0x00010064,
                           0x02580007, 0x00010001, 0x00030258, 0};
  DWORD packed[12];
  std::memcpy(packed, &fgDP.pub, sizeof packed);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(packed[i], words[i]) << "word " << i;
  EXPECT_EQ(fgDP.pub.dmPaperSize, 9);
  EXPECT_EQ(fgDP.pub.dmDefaultSource, 7);
  EXPECT_EQ(fgDP.pub.maxCopies, 999);
}

TEST(DriverParameters, HeaderValuesAgreeWithTheLayout) {
  DWORD privData;
  std::memcpy(&privData, fgDP.privSignature, 4);
  EXPECT_EQ(privData, kPrivDataValue);
  EXPECT_EQ(fgDP.dwPrivVersion, kPrivVersion);
  EXPECT_EQ(fgDP.wSpecVersion, 0x0401);
  EXPECT_EQ(fgDP.wDriverVersion, 0x0400);
  EXPECT_EQ(fgDP.dwFields, 0x7F03u);
  EXPECT_EQ(fgDP.bMachineID, 169);
  EXPECT_EQ(fgDP.cDriverType, 1);
  EXPECT_EQ(std::u16string_view(fgDP.pszIniFileName), u"kesmusr.ini");
  EXPECT_EQ(std::u16string_view(fgDP.pszDriverVersion), u"4.88");
}

// A DEVMODE whose header was written from the root's model data is one the
// ownership tests accept: its words are those the model holds.
TEST(DriverParameters, HeaderWrittenFromTheRootCarriesTheModelWords) {
  DCB dcb{};
  auto* dm = reinterpret_cast<DEVMODEW*>(dcb.devmode);
  ASSERT_TRUE(DevCBSetPrivHeader(dm, GetStaticUcb()));
  EXPECT_EQ(GetKDMdwPrivDataByDM(dm), kPrivDataValue);
  EXPECT_EQ(GetKDMdwVersionByDM(dm), fgDP.dwPrivVersion);
  EXPECT_EQ(GetKDMdwSizeByDM(dm), static_cast<DWORD>(sizeofPrivDM351()));
}

}  // namespace
