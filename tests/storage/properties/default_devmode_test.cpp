// The printer's stored default DEVMODE taken into a context: a DEVMODE of
// this driver comes back byte for byte; anything else - no DEVMODE, other
// sizes, fewer bytes than its header claims, another driver's or model's
// private part - is refused and the context keeps its DEVMODE. What the
// stored bytes say about block offsets and text ends is not believed.
#include <functional>
#include <string>

#include "platform/spooler/spoolsetup.h"
#include "storage/properties/default_devmode.h"
#include "tests/storage/properties/devmode_samples.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

using DefaultDevmode = PropertyTest;

void Store(const Bytes& bytes) {
  ASSERT_EQ(plat::SetStoredDevModeBytes(context_test::kOffice, bytes), ERROR_SUCCESS);
}

TEST_F(DefaultDevmode, OurStoredDevmodeComesBackWhole) {
  const Bytes stored = OurDevmode(5);
  ASSERT_NO_FATAL_FAILURE(Store(stored));
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(GetDefaultDevmodeFromReg(ucb));
  EXPECT_TRUE(CurrentDevmode(ucb) == stored) << "the DEVMODE taken differs from the one stored";
  EXPECT_EQ(GetPrinterDevmode(ucb), ucb->pDCB->prnDM);
  Release(ucb);
}

// Another layout version of our private part is still ours; the version
// word comes along for a later upgrade to judge.
TEST_F(DefaultDevmode, AnotherPrivateVersionIsTaken) {
  Bytes stored = OurDevmode(6);
  StoreLE<DWORD>(stored.data(), kOffDwVersion, fgDP.dwPrivVersion - 1);
  ASSERT_NO_FATAL_FAILURE(Store(stored));
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(GetDefaultDevmodeFromReg(ucb));
  EXPECT_EQ(GetKDMdwVersionByDM(GetDocumentDevmode(ucb)), fgDP.dwPrivVersion - 1);
  Release(ucb);
}

struct HostileCase {
  const char* what;
  std::function<Bytes()> bytes;
};

Bytes Resized(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}
Bytes WithWords(WORD size, WORD extra, std::size_t bytes) {
  Bytes b = Resized(OurDevmode(3), bytes);
  if (bytes >= kOffExtra + sizeof(WORD)) {
    StoreLE<WORD>(b.data(), kOffSize, size);
    StoreLE<WORD>(b.data(), kOffExtra, extra);
  }
  return b;
}
Bytes Changed(std::size_t offset, BYTE value) {
  Bytes b = OurDevmode(3);
  b[offset] = value;
  return b;
}

// Each stored DEVMODE lies in the spooler's answer exactly as stored, so a
// read past what it holds runs into the names behind it or off the block,
// where the address sanitizer sees it.
TEST_F(DefaultDevmode, AnythingButOurWholeDevmodeIsRefusedAndChangesNothing) {
  const HostileCase cases[] = {
      {"no stored DEVMODE", [] { return Bytes{}; }},
      {"only the start of the header words", [] { return Resized(OurDevmode(3), 60); }},
      {"the header words alone", [] { return Resized(OurDevmode(3), kOffFields); }},
      {"the public part alone", [] { return Resized(OurDevmode(3), kSizeofDM); }},
      {"truncated inside the private header", [] { return Resized(OurDevmode(3), 300); }},
      {"truncated inside the private settings", [] { return Resized(OurDevmode(3), 700); }},
      {"two bytes short", [] { return Resized(OurDevmode(3), kSizeofKesmDM - 2); }},
      {"a public part of the 4.0 size", [] { return WithWords(212, kSizeofPrivDM, 212 + kSizeofPrivDM); }},
      {"a public part of the 3.51 size", [] { return WithWords(188, kSizeofPrivDM, 188 + kSizeofPrivDM); }},
      {"a shorter private part", [] { return WithWords(kSizeofDM, 1000, kSizeofDM + 1000); }},
      {"a longer private part", [] { return WithWords(kSizeofDM, 1024, kSizeofDM + 1024); }},
      {"a public size beyond the buffer", [] { return WithWords(0xFFFF, kSizeofPrivDM, kSizeofKesmDM); }},
      {"dmDriverExtra inflated beyond the bytes", [] { return WithWords(kSizeofDM, 4000, kSizeofKesmDM); }},
      {"dmDriverExtra of 0xFFFF", [] { return WithWords(kSizeofDM, 0xFFFF, kSizeofKesmDM); }},
      {"another driver's private part", [] { return ForeignDevmode(); }},
      {"another model's signature", [] {
         Bytes b = OurDevmode(3);
         std::memcpy(&b[kOffDwPrivData], "PRIV", 4);
         return b;
       }},
      {"another machine", [] { return Changed(KDM_OFFSET(kdmMachineID), fgDP.bMachineID ^ 0xFF); }},
      {"another driver type", [] { return Changed(KDM_OFFSET(kdmDriverType), fgDP.cDriverType == 0 ? 1 : 0); }},
      {"another private size word", [] {
         Bytes b = OurDevmode(3);
         StoreLE<DWORD>(b.data(), kOffDwSize, 4000);
         return b;
       }},
  };
  UCB* ucb = OpenOn(office_);
  const Bytes before = OurDevmode(1);
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    MakeCurrent(ucb, before);
    ASSERT_NO_FATAL_FAILURE(Store(c.bytes()));
    EXPECT_FALSE(GetDefaultDevmodeFromReg(ucb));
    EXPECT_TRUE(CurrentDevmode(ucb) == before) << "the context's DEVMODE changed";
  }
  Release(ucb);
}

// A stored DEVMODE of ours carries block offsets and texts of its own: the
// context's offsets stay the fixed ones, so every setting is still found in
// its own block, and each text ends inside its field.
TEST_F(DefaultDevmode, OffsetsAndTextEndsAreNotTakenFromTheStore) {
  Bytes stored = OurDevmode(7);
  for (std::size_t i = 0; i < 3; ++i) StoreLE<WORD>(stored.data(), kOffBlockOffsets + 2 * i, 0x1111);
  const std::size_t userCode = KDM_OFFSET(kdmUserCode);
  std::memset(&stored[userCode], 'A', sizeof(PrivDM::kdmUserCode));
  std::memset(&stored[offsetof(DEVMODEW, dmFormName)], 'B', sizeof(DEVMODEW::dmFormName));
  ASSERT_NO_FATAL_FAILURE(Store(stored));

  UCB* ucb = OpenOn(office_);
  ASSERT_TRUE(GetDefaultDevmodeFromReg(ucb));
  const Bytes taken = CurrentDevmode(ucb);
  EXPECT_EQ(LoadLE<WORD>(taken.data(), kOffBlockOffsets), kDcbBlock1Offset);
  EXPECT_EQ(LoadLE<WORD>(taken.data(), kOffBlockOffsets + 2), kDcbBlock2Offset);
  EXPECT_EQ(LoadLE<WORD>(taken.data(), kOffBlockOffsets + 4), kDcbBlock3Offset);
  EXPECT_EQ(GetPrinterDevmode(ucb), ucb->pDCB->prnDM);
  EXPECT_EQ(Text(ucb, 203), u"AAAAAAAA");  // kdmUserCode, 9 bytes
  EXPECT_EQ(taken[userCode + sizeof(PrivDM::kdmUserCode) - 1], 0);
  const std::size_t formEnd = offsetof(DEVMODEW, dmFormName) + sizeof(DEVMODEW::dmFormName);
  EXPECT_EQ(LoadLE<WCHAR>(taken.data(), formEnd - sizeof(WCHAR)), u'\0');
  Release(ucb);
}

TEST_F(DefaultDevmode, AContextWithoutDevmodeTakesNothing) {
  ASSERT_NO_FATAL_FAILURE(Store(OurDevmode(2)));
  UCB* names = GetUcb2(office_, office_, 0, kOpenNoLock | kOpenNoAdminCheck | 4, context_test::kSheetMode);
  ASSERT_NE(names, nullptr);
  ASSERT_EQ(names->pDCB, nullptr);
  EXPECT_FALSE(GetDefaultDevmodeFromReg(names));
  Release(names);
}

}  // namespace
}  // namespace property_test
