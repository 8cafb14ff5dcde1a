// Device capabilities of the W2 printer: the answer of every capability
// index, the lists an application's print dialog asks for written into
// buffers of exactly the size the first call reported, hidden options left
// out, and hostile calls that fail with -1, write nothing and leave no
// context open.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/security/winsecurity.h"
#include "platform/sync/winprocess.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "platform/files/winfile.h"
#include "platform/profile/winprofile.h"
#include "platform/text/utf.h"
#include "settings/tables/driver_params.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"
#include "tests/ui/ui_machine.h"
#include "ui/entry/device_capabilities.h"
#include "ui/entry/dll_entry.h"

namespace ui_test {
namespace {

constexpr DWORD kFail = 0xFFFFFFFF;

class DeviceCapabilities : public UiMachine {
 protected:
  DWORD Ask(WORD capability, void* output = nullptr, DEVMODEW* dm = nullptr) {
    const DWORD before = OpenContexts();
    const DWORD answer = DrvDeviceCapabilities(printer_, const_cast<LPWSTR>(kPrinter), capability, output, dm);
    EXPECT_EQ(OpenContexts(), before) << "capability " << capability << " left a context open";
    return answer;
  }
  // Asks for the count, then fills a buffer of exactly that many elements.
  template <class T>
  std::vector<T> List(WORD capability, std::size_t perEntry = 1) {
    const DWORD n = Ask(capability);
    if (n == kFail || n == 0) return {};
    std::vector<T> out(n * perEntry);
    EXPECT_EQ(Ask(capability, out.data()), n);
    return out;
  }
  std::vector<std::u16string> Names(WORD capability, int chars) {
    const auto flat = List<WCHAR>(capability, static_cast<std::size_t>(chars));
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < flat.size(); i += static_cast<std::size_t>(chars)) {
      EXPECT_EQ(flat[i + static_cast<std::size_t>(chars) - 1], 0) << "a name is terminated in its entry";
      names.emplace_back(&flat[i]);
    }
    return names;
  }
};

TEST_F(DeviceCapabilities, EveryIndexAnswersAsTheDriverDescribesIt) {
  struct Case {
    WORD capability;
    DWORD answer;
  };
  // Extents: 6600 and 14412 dots wide, 6600 and 21636 long, in 0.1 mm.
  const Case cases[] = {
      {0, kFail},
      {DC_PAPERS, 2},
      {DC_PAPERSIZE, 2},
      {DC_MINEXTENT, (1397u << 16) | 1397u},
      {DC_MAXEXTENT, (4580u << 16) | 3050u},
      {DC_BINS, 1},
      {DC_SIZE, 220},
      {DC_EXTRA, 1016},
      {DC_VERSION, 0x401},
      {DC_DRIVER, 0x400},
      {DC_BINNAMES, 1},
      {DC_ENUMRESOLUTIONS, 2},
      {DC_FILEDEPENDENCIES, 0},
      {DC_TRUETYPE, DCTT_BITMAP},
      {DC_PAPERNAMES, 2},
      {DC_ORIENTATION, 90},
      {DC_COPIES, 999},
      {DC_BINADJUST, kFail},
      {DC_EMF_COMPLIANT, kFail},
      {DC_DATATYPE_PRODUCED, kFail},
      {23, kFail},
      {0xFFFF, kFail},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capability);
    EXPECT_EQ(Ask(c.capability), c.answer);
  }
  EXPECT_NE(Ask(DC_FIELDS) & DM_PAPERSIZE, 0u);
  EXPECT_LE(Ask(DC_COLLATE), 1u);
}

TEST_F(DeviceCapabilities, TheListsOfThePrintDialog) {
  EXPECT_EQ(List<WORD>(DC_PAPERS), (std::vector<WORD>{9, 1}));
  EXPECT_EQ(Names(DC_PAPERNAMES, CCHPAPERNAME), (std::vector<std::u16string>{u"A4", u"Letter"}));
  const auto sizes = List<POINT>(DC_PAPERSIZE);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].x, 2100);
  EXPECT_EQ(sizes[0].y, 2970);
  EXPECT_EQ(sizes[1].x, 2159);
  EXPECT_EQ(sizes[1].y, 2794);
  EXPECT_EQ(List<WORD>(DC_BINS), (std::vector<WORD>{7}));
  EXPECT_EQ(Names(DC_BINNAMES, CCHBINNAME), (std::vector<std::u16string>{u"Automatic"}));
  EXPECT_EQ(List<LONG>(DC_ENUMRESOLUTIONS, 2), (std::vector<LONG>{600, 600, 1200, 1200}));
  WORD extent[2] = {};
  EXPECT_EQ(Ask(DC_MINEXTENT, extent), (1397u << 16) | 1397u);
  EXPECT_EQ(extent[0], 1397);
  EXPECT_EQ(extent[1], 1397);
}

TEST_F(DeviceCapabilities, WithoutTheResourceDllTheNamesAreEmptyButCounted) {
  std::filesystem::remove(resourceDll_);
  EXPECT_EQ(Names(DC_PAPERNAMES, CCHPAPERNAME), (std::vector<std::u16string>{u"", u""}));
}

TEST_F(DeviceCapabilities, DuplexIsReadFromThePrintersData) {
  EXPECT_EQ(Ask(DC_DUPLEX), kFail) << "no value yet";
  const DWORD on = 1;
  ASSERT_EQ(SetPrinterDataW(printer_, u"kdmSourceOptionTypeDuplex", REG_BINARY, reinterpret_cast<const BYTE*>(&on),
                            sizeof on),
            ERROR_SUCCESS);
  EXPECT_EQ(Ask(DC_DUPLEX), 1u);
  const DWORD off = 0;
  ASSERT_EQ(SetPrinterDataW(printer_, u"kdmSourceOptionTypeDuplex", REG_BINARY, reinterpret_cast<const BYTE*>(&off),
                            sizeof off),
            ERROR_SUCCESS);
  EXPECT_EQ(Ask(DC_DUPLEX), 0u);
}

TEST_F(DeviceCapabilities, HostileCallsFailWriteNothingAndLeaveNoContext) {
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  HANDLE closed = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(kPrinter, &closed, &defaults));
  ASSERT_TRUE(ClosePrinter(closed));
  // A DEVMODE whose sizes claim more than its buffer holds is not ours and
  // is refused by validation, never read past its public part.
  Bytes lying(sizeof(DEVMODEW), 0);
  auto* dm = reinterpret_cast<DEVMODEW*>(lying.data());
  dm->dmSize = sizeof(DEVMODEW);
  dm->dmDriverExtra = 0;
  dm->dmFields = DM_PAPERSIZE;
  dm->dmPaperSize = 9;
  for (HANDLE printer : {static_cast<HANDLE>(nullptr), token, closed}) {
    for (WORD capability = 1; capability <= 22; ++capability) {
      if (capability == DC_MINEXTENT || capability == DC_MAXEXTENT || capability == DC_SIZE ||
          capability == DC_EXTRA || capability == DC_VERSION || capability == DC_DRIVER ||
          capability == DC_FILEDEPENDENCIES || capability == DC_ORIENTATION || capability == DC_COPIES) {
        continue;  // fixed answers that do not look at the printer
      }
      SCOPED_TRACE(capability);
      Bytes out = Filled(64);
      const DWORD before = OpenContexts();
      EXPECT_EQ(DrvDeviceCapabilities(printer, nullptr, capability, out.data(), nullptr), kFail);
      EXPECT_EQ(out, Filled(64));
      EXPECT_EQ(OpenContexts(), before);
    }
  }
  // Each list answer with a public-only DEVMODE still fits the count asked.
  for (WORD capability : {DC_PAPERS, DC_BINS, DC_ENUMRESOLUTIONS, DC_PAPERNAMES, DC_BINNAMES, DC_PAPERSIZE}) {
    SCOPED_TRACE(capability);
    const DWORD n = Ask(capability, nullptr, dm);
    ASSERT_NE(n, kFail);
    const std::size_t entry = capability == DC_PAPERNAMES ? 128 : capability == DC_BINNAMES ? 48
                              : capability == DC_PAPERSIZE || capability == DC_ENUMRESOLUTIONS ? 8 : 2;
    Bytes out(n * entry);
    EXPECT_EQ(Ask(capability, out.data(), dm), n);
  }
  CloseHandle(token);
}

// The model whose paper list offers the user's first stored free size
// (paper 384): an application's print dialog lists it by the name and the
// size the user stored, whatever paper the DEVMODE it passes selects.
class StoredFreeSize : public DeviceCapabilities {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Install("kesm_w2_stored_size.kpd")); }
  // Stores the first free size, 5 x 10 inches (6000 x 12000 dots), in the
  // user's settings INI as the free-size dialog leaves it.
  void Store(const char16_t* name) {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    // The printer was never installed: its settings folder is made here.
    const std::u16string ini = GetIniFilePath(ucb);
    CreateDirectoryW(ini.substr(0, ini.rfind(u'\\')).c_str(), nullptr);
    WCHAR section[storage::kStoreKeyChars] = {};
    MakeFreesizeKey(section, 0, 0, ucb);
    const std::u16string version = plat::utf::FromUtf8(std::to_string(fgDP.dwSetFileVersion));
    const std::pair<const char16_t*, std::u16string> keys[] = {
        {u"RstVersion", version},         {u"wdmFreeSizeName", name},   {u"wdmFreeSizeWidth", u"6000"},
        {u"wdmFreeSizeLength", u"12000"}, {u"wdmFreeSizeTray", u"4"},   {u"wdmFreeSizeOrient", u"1"}};
    for (const auto& [key, value] : keys) {
      EXPECT_TRUE(WritePrivateProfileStringW(section, key, value.c_str(), GetIniFilePath(ucb)));
    }
    FreeUcb2(ucb, 1);
  }
  Bytes Letter() {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    Bytes dm(reinterpret_cast<const BYTE*>(ucb->pDCB->devmode),
             reinterpret_cast<const BYTE*>(ucb->pDCB->devmode) + kSizeofKesmDM);
    FreeUcb2(ucb, 1);
    Dm(dm)->dmPaperSize = 1;
    return dm;
  }
};

TEST_F(StoredFreeSize, ThePaperListsShowItByItsStoredNameAndSize) {
  ASSERT_EQ(Ask(DC_PAPERS), 3u) << "the user's settings are set up by the first question";
  // The euro sign is one byte of the ANSI code page, not the control
  // character U+0080 that byte would be taken for.
  ASSERT_NO_FATAL_FAILURE(Store(u"\u20AC100"));
  Bytes letter = Letter();
  for (DEVMODEW* dm : {static_cast<DEVMODEW*>(nullptr), Dm(letter)}) {
    SCOPED_TRACE(dm == nullptr ? "no DEVMODE" : "a DEVMODE that selects Letter");
    const DWORD n = Ask(DC_PAPERNAMES, nullptr, dm);
    ASSERT_EQ(n, 3u);
    std::vector<WCHAR> names(n * CCHPAPERNAME);
    ASSERT_EQ(Ask(DC_PAPERNAMES, names.data(), dm), n);
    EXPECT_EQ(std::u16string(&names[2 * CCHPAPERNAME]), u"\u20AC100");
    std::vector<POINT> sizes(n);
    ASSERT_EQ(Ask(DC_PAPERSIZE, sizes.data(), dm), n);
    EXPECT_EQ(sizes[2].x, 1270) << "5 inches in tenths of a millimetre";
    EXPECT_EQ(sizes[2].y, 2540);
    std::vector<WORD> papers(n);
    ASSERT_EQ(Ask(DC_PAPERS, papers.data(), dm), n);
    EXPECT_EQ(papers, (std::vector<WORD>{9, 1, 384}));
  }
}

}  // namespace
}  // namespace ui_test
