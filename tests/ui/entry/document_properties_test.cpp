// Document properties without sheets: the size answer that opens nothing,
// the merge of the caller's DEVMODE with the printer's settings handed out
// into an output of exactly the driver's size, the stored defaults when the
// caller asks for a copy without a merge, a sheet that cannot be shown
// reported as a failure, and hostile calls: foreign printers and DEVMODEs
// whose sizes do not describe a DEVMODE of this driver.
#include <gtest/gtest.h>

#include <cstring>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/modules/builtin_modules.h"
#include "platform/spooler/printer_interface.h"
#include "tests/ui/ui_machine.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/document_properties.h"
#include "settings/context/context_open.h"

namespace ui_test {
namespace {

constexpr LONG kDriverDevmode = 1236;

class DocumentProperties : public UiMachine {
 protected:
  // A DEVMODE of the driver's own sizes as the printer hands it out.
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter),
                                    reinterpret_cast<DEVMODEW*>(out.data()), nullptr, DM_COPY),
              1);
    return out;
  }
  LONG Call(Bytes& out, Bytes* in, DWORD fMode, HANDLE printer) {
    return DrvDocumentProperties(nullptr, printer, const_cast<LPWSTR>(kPrinter), Dm(out),
                                 in != nullptr ? Dm(*in) : nullptr, fMode);
  }
};

TEST_F(DocumentProperties, TheSizeAnswerOpensNoContext) {
  const DWORD live = CountLiveUcb();
  Bytes out = Filled(kDriverDevmode);
  EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, nullptr, nullptr, nullptr, DM_COPY), kDriverDevmode);
  EXPECT_EQ(Call(out, nullptr, 0, printer_), kDriverDevmode);
  EXPECT_EQ(out, Filled(kDriverDevmode));
  EXPECT_EQ(DrvAdvancedDocumentProperties(nullptr, printer_, nullptr, nullptr, nullptr), kDriverDevmode);
  EXPECT_EQ(CountLiveUcb(), live);
  DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer_, nullptr, nullptr, nullptr, 0, 0};
  EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), kDriverDevmode);
  EXPECT_EQ(header.cbOut, static_cast<DWORD>(kDriverDevmode));
  EXPECT_EQ(CountLiveUcb(), live);
}

TEST_F(DocumentProperties, AMergeTakesTheCallersSettingsACopyAloneTheStoredOnes) {
  Bytes in = Default();
  ASSERT_EQ(Dm(in)->dmCopies, 1);
  Dm(in)->dmCopies = 5;
  Dm(in)->dmFields |= DM_COPIES;
  struct Case {
    DWORD fMode;
    SHORT copies;
  };
  const Case cases[] = {{DM_COPY, 1}, {DM_COPY | DM_MODIFY, 5}, {DM_UPDATE | DM_COPY | DM_MODIFY, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fMode);
    Bytes out = Filled(kDriverDevmode);
    const DWORD open = OpenContexts();
    EXPECT_EQ(Call(out, &in, c.fMode, printer_), 1);
    EXPECT_EQ(OpenContexts(), open);
    EXPECT_EQ(Dm(out)->dmSize, 220);
    EXPECT_EQ(Dm(out)->dmDriverExtra, 1016);
    EXPECT_EQ(Dm(out)->dmCopies, c.copies);
  }
  // The same merge through the sheet callback without sheet information.
  Bytes out = Filled(kDriverDevmode);
  DOCUMENTPROPERTYHEADER header{sizeof header, 0, printer_, nullptr, Dm(in), Dm(out), 0, DM_COPY | DM_MODIFY};
  EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), 1);
  EXPECT_EQ(Dm(out)->dmCopies, 5);
}

// The property-sheet library is not on this machine (a module without its
// entry point): the sheet never writes its result, and the call must not
// read as the user's cancel.
TEST_F(DocumentProperties, ASheetThatNeverReportsIsAFailureNotACancel) {
  plat::RegisterBuiltinModule(u"compstui.dll", {});
  struct Restore {
    ~Restore() { plat::RegisterBuiltinModule(u"compstui.dll", plat::CompstuiExports()); }
  } restore;
  Bytes out = Filled(kDriverDevmode);
  EXPECT_EQ(Call(out, nullptr, DM_PROMPT | DM_COPY, printer_), -1);
  EXPECT_EQ(out, Filled(kDriverDevmode));
  EXPECT_EQ(DrvAdvancedDocumentProperties(nullptr, printer_, nullptr, Dm(out), nullptr), 0);
  LONG result = 7;
  EXPECT_EQ(CallCompstui(nullptr, DrvDocumentPropertySheets, 0, &result), -1);
  EXPECT_EQ(result, 7);
  PROPSHEETUI_INFO info{sizeof info, 0x100, 0, 0, nullptr, nullptr, 0, 0, 0};
  EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), -1);
}

// With the host present, a sheet whose INIT fails (a printer handle that
// is closed, a call without a header) is the host's cancel, and the result
// word still stays unwritten: the call is a failure.
TEST_F(DocumentProperties, ASheetWhoseInitFailsLeavesTheResultUnwritten) {
  HANDLE closed = nullptr;
  ASSERT_TRUE(OpenPrinterW(kPrinter, &closed, nullptr));
  ASSERT_TRUE(ClosePrinter(closed));
  Bytes out = Filled(kDriverDevmode);
  const DWORD open = OpenContexts();
  EXPECT_EQ(Call(out, nullptr, DM_PROMPT | DM_COPY, closed), -1);
  EXPECT_EQ(out, Filled(kDriverDevmode));
  EXPECT_EQ(OpenContexts(), open);
  LONG result = 7;
  EXPECT_EQ(CallCompstui(nullptr, DrvDocumentPropertySheets, 0, &result), CPSUI_CANCEL);
  EXPECT_EQ(result, 7);
}

TEST_F(DocumentProperties, HostileCallsFailWithoutWritingOrLeavingAContext) {
  HANDLE closed = nullptr;
  ASSERT_TRUE(OpenPrinterW(kPrinter, &closed, nullptr));
  ASSERT_TRUE(ClosePrinter(closed));
  Bytes good = Default();
  for (HANDLE printer : {static_cast<HANDLE>(nullptr), closed}) {
    Bytes out = Filled(kDriverDevmode);
    const DWORD open = OpenContexts();
    EXPECT_EQ(Call(out, &good, DM_COPY | DM_MODIFY, printer), -1);
    EXPECT_EQ(out, Filled(kDriverDevmode));
    EXPECT_EQ(OpenContexts(), open);
  }
  // Inputs of exactly the bytes their size fields claim (at least the
  // fields that state the sizes): the merge reads nothing past them.
  struct Sizes {
    WORD size;
    WORD extra;
  };
  const Sizes sizes[] = {{0, 0},     {72, 0},    {100, 0},    {156, 0},  {220, 0},   {220, 1},
                         {220, 1015}, {220, 1017}, {188, 1016}, {220, 4000}, {300, 1016}, {0xFFFF, 0}};
  for (const Sizes& s : sizes) {
    SCOPED_TRACE(std::to_string(s.size) + "+" + std::to_string(s.extra));
    Bytes in(std::max<std::size_t>(72, std::size_t{s.size} + s.extra), 0);
    std::memcpy(in.data(), good.data(), std::min(in.size(), good.size()));
    Dm(in)->dmSize = s.size;
    Dm(in)->dmDriverExtra = s.extra;
    Bytes out = Filled(kDriverDevmode);
    const DWORD open = OpenContexts();
    const LONG r = Call(out, &in, DM_COPY | DM_MODIFY, printer_);
    EXPECT_TRUE(r == 1 || r == -1) << r;
    EXPECT_EQ(OpenContexts(), open);
  }
  DOCUMENTPROPERTYHEADER shortHeader{sizeof(DOCUMENTPROPERTYHEADER) - 1, 0, printer_, nullptr, nullptr, nullptr, 0, 0};
  EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&shortHeader)), -1);
  EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
}

// A description that names no driver type gives DEVMODEs that are never
// the driver's own, so each merge starts again from the printer's defaults
// (the context keeps them once built). A merge on a parked context hands
// out what the same merge on a fresh context does: nothing of an earlier
// merge stays behind.
class ForeignTypeDocumentProperties : public DocumentProperties {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Install("kesm_c7_colour.kpd")); }
  Bytes Merge(const Bytes& in) {
    Bytes copy = in;
    Bytes out = Filled(kDriverDevmode);
    EXPECT_EQ(Call(out, &copy, DM_UPDATE | DM_COPY | DM_MODIFY, printer_), 1);
    return out;
  }
};

TEST_F(ForeignTypeDocumentProperties, EachMergeStartsFromTheDefaultsAsOnAFreshContext) {
  constexpr SHORT kLandscape = 2;  // dmOrientation
  Bytes defaults = Default();
  ASSERT_EQ(defaults[KDM_OFFSET(kdmDriverType)], 0);
  Bytes first = defaults;
  Dm(first)->dmCopies = 7;
  Dm(first)->dmOrientation = kLandscape;
  Dm(first)->dmFields |= DM_COPIES | DM_ORIENTATION;
  // The second names neither orientation nor paper: those come from the
  // context.
  Bytes second = defaults;
  Dm(second)->dmCopies = 3;
  Dm(second)->dmFields |= DM_COPIES;
  Dm(second)->dmFields &= ~static_cast<DWORD>(DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH);

  Bytes landscape = Merge(first);
  EXPECT_EQ(Dm(landscape)->dmOrientation, kLandscape);
  const Bytes afterIt = Merge(second);
  const Bytes again = Merge(second);
  FreeStoredUcb(TRUE);
  Bytes fresh = Merge(second);
  EXPECT_EQ(Dm(fresh)->dmCopies, 3);
  EXPECT_EQ(Dm(fresh)->dmOrientation, Dm(defaults)->dmOrientation);
  EXPECT_EQ(afterIt, fresh);
  EXPECT_EQ(again, fresh);
}

}  // namespace
}  // namespace ui_test
