#include <gtest/gtest.h>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"

namespace {

// A context with nothing but a DCB: what the flag accessors need.
struct ContextWithDcb {
  DCB dcb{};
  UCB ucb{};
  ContextWithDcb() { ucb.pDCB = &dcb; }
  BYTE at(std::size_t offset) const { return dcb.devmode[offset]; }
};

TEST(RunTimeFlags, EachFlagIsOneByteAtItsOffset) {
  for (int i = 0; i < kRunTimeFlagCount; ++i) {
    ContextWithDcb c;
    const auto flag = static_cast<KdmRunTimeFlag>(i);
    ASSERT_TRUE(SetKDMRunTimeFlagByDM(GetDocumentDevmode(&c.ucb), flag, 0x1234));
    EXPECT_EQ(c.at(1219 + i), 0x34) << "the low byte is stored";
    int written = 0;
    for (BYTE b : c.dcb.devmode) written += b != 0;
    EXPECT_EQ(written, 1) << "flag " << i << " touches one byte";
    EXPECT_EQ(GetKDMRunTimeFlagByDM(GetDocumentDevmode(&c.ucb), flag), 0x34u);
  }
}

TEST(RunTimeFlags, GettersReturnTheByteZeroExtended) {
  ContextWithDcb c;
  c.dcb.devmode[1235] = 0xF0;
  EXPECT_EQ(GetKDMBidiFunc(&c.ucb), 0xF0u);
  EXPECT_EQ(GetKDMBidiFuncByDM(GetDocumentDevmode(&c.ucb)), 0xF0u);
}

struct NamedSetter {
  const char* name;
  BOOL (*set)(UCB*);
  std::size_t offset;
  BYTE value;
};

TEST(RunTimeFlags, NamedMembersStoreTheirValue) {
  const NamedSetter cases[] = {
      {"CallSrcAppl", SetKDMCallSrcAppl, 1219, 0},
      {"CallSrcProperty", SetKDMCallSrcProperty, 1219, 1},
      {"OSKindNT", SetKDMOSKindNT, 1220, 1},
      {"OSKind2000", SetKDMOSKind2000, 1220, 2},
      {"BatchInstOn", SetKDMBatchInstOn, 1221, 1},
      {"BatchInstOff", SetKDMBatchInstOff, 1221, 0},
      {"PrintLogOn", SetKDMPrintLogOn, 1222, 1},
      {"BiDirectOn", SetKDMBiDirectOn, 1223, 1},
      {"NoPermissionOn", SetKDMNoPermissionOn, 1224, 1},
      {"PresentUIModeOn", SetKDMPresentUIModeOn, 1225, 1},
      {"BidiSupportOn", SetKDMBidiSupportOn, 1226, 1},
      {"ServerClientModeOn", SetKDMServerClientModeOn, 1227, 1},
      {"UserCodeFIXOn", SetKDMUserCodeFIXOn, 1228, 1},
      {"UserCodeGetOn", SetKDMUserCodeGetOn, 1229, 1},
      {"PXInstalledOn", SetKDMPXInstalledOn, 1230, 1},
      {"PropertyTypePrinter", SetKDMPropertyTypePrinter, 1231, 1},
      {"PropertyTypeDocument", SetKDMPropertyTypeDocument, 1231, 0},
      {"UserCodeDLLOn", SetKDMUserCodeDLLOn, 1232, 1},
  };
  for (const auto& c : cases) {
    ContextWithDcb ctx;
    ctx.dcb.devmode[c.offset] = 0x55;
    ASSERT_TRUE(c.set(&ctx.ucb)) << c.name;
    EXPECT_EQ(ctx.at(c.offset), c.value) << c.name;
  }
}

TEST(RunTimeFlags, ContextAndDevmodeFormsShareTheCurrentDevmode) {
  ContextWithDcb c;
  SetKDMTSE(&c.ucb, 1);
  EXPECT_EQ(GetKDMTSEByDM(GetDocumentDevmode(&c.ucb)), 1u);
  SetKDMAdminByDM(GetDocumentDevmode(&c.ucb), 1);
  EXPECT_EQ(GetKDMAdmin(&c.ucb), 1u);
  SetKDMServerClientModeOn(&c.ucb);
  EXPECT_EQ(GetKDMServerClientMode(&c.ucb), 1u);
  SetKDMServerClientModeOff(&c.ucb);
  EXPECT_EQ(GetKDMServerClientModeByDM(GetDocumentDevmode(&c.ucb)), 0u);
}

TEST(RunTimeFlags, ContextWithoutDcbIsNotWritten) {
  UCB ucb{};
  EXPECT_FALSE(SetKDMCallSrc(&ucb, 1));
  EXPECT_FALSE(SetKDMBatchInstOn(nullptr));
  EXPECT_EQ(GetKDMCallSrc(&ucb), 0u);
  EXPECT_EQ(GetKDMOSKindByDM(nullptr), 0u);
}

TEST(DocumentDevmode, PrivatePartFollowsDmSizeAndPrinterBlockItsOffset) {
  ContextWithDcb c;
  auto* dm = GetDocumentDevmode(&c.ucb);
  ASSERT_EQ(reinterpret_cast<BYTE*>(dm), c.dcb.devmode);
  EXPECT_EQ(GetDocumentDevmodePublic(&c.ucb), dm);
  dm->dmSize = 220;
  EXPECT_EQ(GetDocumentDevmodePrivate(&c.ucb), c.dcb.devmode + 220);
  dm->dmSize = 212;
  EXPECT_EQ(GetDocumentDevmodePrivateDocHeader(&c.ucb), c.dcb.devmode + 212);
  c.dcb.devmode[363] = 1236 & 0xFF;
  c.dcb.devmode[364] = 1236 >> 8;
  EXPECT_EQ(GetPrinterDevmode(&c.ucb), c.dcb.prnDM);
}

TEST(DocumentDevmode, OffsetsPointingOutsideTheBlockGiveNull) {
  ContextWithDcb c;
  auto* dm = GetDocumentDevmode(&c.ucb);
  dm->dmSize = 1200;
  EXPECT_EQ(GetDocumentDevmodePrivate(&c.ucb), nullptr);
  c.dcb.devmode[363] = 0xFF;
  c.dcb.devmode[364] = 0xFF;
  EXPECT_EQ(GetPrinterDevmode(&c.ucb), nullptr);
  EXPECT_EQ(GetDocumentDevmode(nullptr), nullptr);
}

}  // namespace
