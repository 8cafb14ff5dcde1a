// A sheet's result handed out: the document DEVMODE into the caller's
// output at the sizes of its input, the collation the output carries, what
// DM_UPDATE alone does, buffers whose header or size does not fit (each a
// heap block of exactly its bytes, under the address sanitizer), the
// settings written to their stores, and the result reported to the host.
#include <algorithm>
#include <optional>
#include <string>

#include "devicecomm/jobcodes/job_codes.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_dcb2.h"
#include "storage/properties/devmode_handout.h"
#include "storage/properties/printer_properties.h"
#include "tests/storage/properties/devmode_samples.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

constexpr WORD kFuncSort = 61;   // kdmFuncSelectSort
constexpr WORD kFuncPrnMethod = 209;
constexpr WORD kFuncRam = 10012;
constexpr DWORD kModeDocumentWithoutSheet = 0x02000000;

DWORD FieldsOf(const Bytes& dm) { return LoadLE<DWORD>(dm.data(), kOffFields); }
SHORT CollateOf(const Bytes& dm) { return LoadLE<SHORT>(dm.data(), kOffCollate); }

// A caller's input DEVMODE: ours, cut to the given sizes (the words say
// so), in a buffer of `bytes` bytes.
Bytes Input(WORD size, WORD extra, std::size_t bytes, bool collateFlagged) {
  Bytes b = OurDevmode(4);
  StoreLE<DWORD>(b.data(), kOffFields, FieldsOf(b) | (collateFlagged ? DM_COLLATE : 0));
  StoreLE<WORD>(b.data(), kOffSize, size);
  StoreLE<WORD>(b.data(), kOffExtra, extra);
  b.resize(bytes);
  return b;
}

// What an output holds once written: its size words and its collation.
struct Written {
  WORD size, extra;
  bool collateFlagged;
  SHORT collate;
};

struct OutCase {
  const char* what;
  DWORD fMode;
  DWORD openMode;
  std::optional<Bytes> input;
  std::size_t outBytes;  // 0: no output
  bool sortOn;
  DWORD callSrc;
  BOOL result;
  std::optional<Written> written;  // none: left as it was
};

class DevmodeHandOut : public PropertyTest {
 protected:
  // A context of the office printer holding a DEVMODE of ours, without
  // job codes: a DM_COPY hand-out empties those (tested on its own below).
  UCB* OpenWithDevmode(DWORD mode = context_test::kSheetMode) {
    UCB* ucb = OpenOn(office_, mode);
    if (ucb != nullptr) {
      MakeCurrent(ucb, OurDevmode(2));
      ClearDevmodeJobCode(ucb, kJCMaskAllDevmodeKinds);
    }
    return ucb;
  }
};

// The two application blocks of the private header: the request and the
// capability block.
constexpr std::size_t kOffAppBlocks = KDM_OFFSET(header.kdmTcomMember);
constexpr std::size_t kAppBlockBytes = 32;

TEST_F(DevmodeHandOut, TheOutputGetsTheDocumentDevmodeAndItsCollation) {
  const Bytes ours = OurDevmode(2);
  const DWORD sheet = context_test::kSheetMode;
  const std::nullopt_t untouched = std::nullopt;
  const OutCase cases[] = {
      {"neither DM_UPDATE nor DM_COPY", DM_PROMPT | DM_MODIFY, sheet, std::nullopt, 1236, true, 1, TRUE, untouched},
      {"DM_COPY, no input: the whole DEVMODE", DM_COPY, sheet, std::nullopt, 1236, true, 1, TRUE,
       Written{220, 1016, true, 1}},
      {"sorting off", DM_COPY, sheet, std::nullopt, 1236, false, 1, TRUE, Written{220, 1016, true, 0}},
      {"a larger output buffer", DM_COPY, sheet, std::nullopt, 2000, true, 1, TRUE, Written{220, 1016, true, 1}},
      {"the sizes of a public-only input", DM_COPY, sheet, Input(212, 0, 212, false), 1236, true, 1, TRUE,
       Written{212, 0, true, 1}},
      {"the sizes of a 3.51 input", DM_COPY, sheet, Input(188, 1016, 188 + 1016, false), 188 + 1016, true, 1, TRUE,
       Written{188, 1016, true, 1}},
      {"an output one byte short", DM_COPY, sheet, std::nullopt, 1235, true, 1, FALSE, untouched},
      {"an output too small for the input's sizes", DM_COPY, sheet, Input(220, 1016, 1236, false), 1000, true, 1,
       FALSE, untouched},
      {"an input whose header claims more than its buffer", DM_COPY, sheet, Input(220, 1016, 100, false), 1236,
       true, 1, FALSE, untouched},
      {"an input too short for its header words", DM_COPY, sheet, Input(220, 1016, 40, false), 1236, true, 1,
       FALSE, untouched},
      {"an application's own collation stays", DM_COPY, sheet, Input(220, 1016, 1236, true), 1236, true, 0, TRUE,
       Written{220, 1016, false, 0}},
      {"a sheet sets collation over the input's", DM_COPY, sheet, Input(220, 1016, 1236, true), 1236, true, 1,
       TRUE, Written{220, 1016, true, 1}},
      {"an application without DM_COLLATE gets it", DM_COPY, sheet, Input(220, 1016, 1236, false), 1236, true, 0,
       TRUE, Written{220, 1016, true, 1}},
      {"DM_COPY without an output", DM_COPY, sheet, std::nullopt, 0, true, 1, TRUE, untouched},
      {"DM_UPDATE alone without a sheet", DM_UPDATE, kModeDocumentWithoutSheet, std::nullopt, 1236, true, 1, TRUE,
       Written{220, 1016, true, 1}},
  };
  for (const OutCase& c : cases) {
    SCOPED_TRACE(c.what);
    UCB* ucb = OpenWithDevmode(c.openMode);
    ASSERT_NE(ucb, nullptr);
    Set(ucb, kFuncSort, c.sortOn ? 1 : 0);
    SetKDMCallSrc(ucb, c.callSrc);
    const Bytes current = CurrentDevmode(ucb);
    Bytes input = c.input.value_or(Bytes{});
    Bytes out(c.outBytes, 0xCD);
    const Bytes before = out;
    SHEETSLOTS& sheet = ucb->pWork->sheet;
    sheet.fMode = c.fMode;
    sheet.pdmIn = input.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(input.data());
    sheet.cbIn = static_cast<DWORD>(input.size());
    sheet.pdmOut = out.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(out.data());
    sheet.cbOut = static_cast<DWORD>(out.size());

    EXPECT_EQ(SetDefaultDevmodeToOut3(ucb), c.result);
    // A copy hands the application a fresh capability block and no
    // request; nothing else of the context's own DEVMODE changes.
    Bytes now = CurrentDevmode(ucb);
    const BYTE* request = now.data() + kOffAppBlocks;
    const BYTE* caps = request + kAppBlockBytes;
    if ((c.fMode & DM_COPY) != 0) {
      EXPECT_TRUE(std::all_of(request, caps, [](BYTE b) { return b == 0; })) << "a request handed out";
      EXPECT_EQ(caps[3], 3) << "no capability block";
      EXPECT_EQ(caps[17], 1) << "no capability block";
    }
    std::copy_n(current.begin() + kOffAppBlocks, 2 * kAppBlockBytes, now.begin() + kOffAppBlocks);
    EXPECT_TRUE(now == current) << "the context's own DEVMODE changed";
    if (!c.written) {
      EXPECT_TRUE(out == before) << "the output was written";
    } else {
      const Written& w = *c.written;
      EXPECT_EQ(SizeOf(out), w.size);
      EXPECT_EQ(ExtraOf(out), w.extra);
      EXPECT_EQ((FieldsOf(out) & DM_COLLATE) != 0, w.collateFlagged);
      EXPECT_EQ(CollateOf(out), w.collate);
      // Everything but the collation is the context's.
      EXPECT_EQ(FieldsOf(out) & ~DM_COLLATE, FieldsOf(current) & ~DM_COLLATE);
      EXPECT_EQ(std::memcmp(out.data() + kOffCollate + 2, current.data() + kOffCollate + 2,
                            w.size - kOffCollate - 2),
                0);
      const std::size_t privBytes = std::min<std::size_t>(w.extra, kSizeofPrivDM - sizeof(PrivateDocHeader));
      EXPECT_EQ(std::memcmp(out.data() + w.size + sizeof(PrivateDocHeader),
                            current.data() + kSizeofDM + sizeof(PrivateDocHeader),
                            w.extra == 0 ? 0 : privBytes),
                0);
      EXPECT_TRUE(std::all_of(out.begin() + w.size + w.extra, out.end(), [](BYTE b) { return b == 0xCD; }))
          << "written past the DEVMODE's own sizes";
    }
    Release(ucb);
  }
}

// DM_UPDATE alone from a sheet: the output, when given, is filled as it is,
// and the collation rule applies to the context's own DEVMODE.
TEST_F(DevmodeHandOut, UpdateAloneSetsTheContextsCollation) {
  for (const bool withOutput : {true, false}) {
    SCOPED_TRACE(withOutput ? "with an output" : "without an output");
    UCB* ucb = OpenWithDevmode();
    ASSERT_NE(ucb, nullptr);
    Set(ucb, kFuncSort, 1);
    const Bytes before = CurrentDevmode(ucb);
    Bytes out(withOutput ? kSizeofKesmDM : 0, 0xCD);
    ucb->pWork->sheet.fMode = DM_UPDATE;
    ucb->pWork->sheet.pdmOut = withOutput ? reinterpret_cast<DEVMODEW*>(out.data()) : nullptr;
    ucb->pWork->sheet.cbOut = static_cast<DWORD>(out.size());

    EXPECT_TRUE(SetDefaultDevmodeToOut3(ucb));
    const Bytes after = CurrentDevmode(ucb);
    EXPECT_EQ(FieldsOf(after), FieldsOf(before) | DM_COLLATE);
    EXPECT_EQ(CollateOf(after), 1);
    if (withOutput) {
      EXPECT_TRUE(out == before) << "the output is not the DEVMODE as it was";
    }
    Release(ucb);
  }
}

// The job-code library keeps the job codes: a copy handed to the caller
// carries none, and neither does the context afterwards; an update alone
// leaves them.
TEST_F(DevmodeHandOut, ACopyHandedOutCarriesNoJobCodes) {
  constexpr WORD kFuncUserCode = 203;
  constexpr WORD kFuncTelNo = 231;  // kind 6, which the library does not take back
  for (const DWORD fMode : {DWORD{DM_COPY}, DWORD{DM_UPDATE}}) {
    SCOPED_TRACE(fMode);
    UCB* ucb = OpenWithDevmode();
    ASSERT_NE(ucb, nullptr);
    SetText(ucb, kFuncUserCode, u"4711");
    SetText(ucb, kFuncTelNo, u"0301234");
    Bytes out(kSizeofKesmDM, 0);
    ucb->pWork->sheet.fMode = fMode;
    ucb->pWork->sheet.pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    ucb->pWork->sheet.cbOut = kSizeofKesmDM;
    EXPECT_TRUE(SetDefaultDevmodeToOut3(ucb));
    const char16_t* code = fMode == DM_COPY ? u"" : u"4711";
    EXPECT_EQ(Text(ucb, kFuncUserCode), code);
    EXPECT_EQ(Text(ucb, kFuncTelNo), u"0301234");
    const std::ptrdiff_t offset = GetDevmodeAddressBySFCB(ucb, Record(ucb, kFuncUserCode)) -
                                  reinterpret_cast<const BYTE*>(GetDocumentDevmode(ucb));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out[offset])), fMode == DM_COPY ? "" : "4711");
    Release(ucb);
  }
}

TEST_F(DevmodeHandOut, AContextWithoutItsDevmodeHandsNothingOut) {
  UCB* ucb = OpenOn(office_);
  // A DEVMODE that was never built: no size words.
  Bytes unbuilt = CurrentDevmode(ucb);
  StoreLE<WORD>(unbuilt.data(), kOffSize, 0);
  StoreLE<WORD>(unbuilt.data(), kOffExtra, 0);
  MakeCurrent(ucb, unbuilt);
  Bytes out(kSizeofKesmDM, 0xCD);
  ucb->pWork->sheet.fMode = DM_COPY;
  ucb->pWork->sheet.pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
  ucb->pWork->sheet.cbOut = kSizeofKesmDM;
  EXPECT_FALSE(SetDefaultDevmodeToOut3(ucb));
  EXPECT_TRUE(out == Bytes(kSizeofKesmDM, 0xCD)) << "the output was written";
  Release(ucb);
}

// The document settings are stored whether or not the output could take
// the DEVMODE; the answer says whether both went well.
TEST_F(DevmodeHandOut, TheDocumentSettingsAreStoredAlongside) {
  for (const std::size_t outBytes : {std::size_t{kSizeofKesmDM}, std::size_t{100}}) {
    SCOPED_TRACE(outBytes);
    UCB* ucb = OpenWithDevmode();
    ASSERT_NE(ucb, nullptr);
    Set(ucb, kFuncPrnMethod, outBytes == 100 ? 4 : 3);
    Bytes out(outBytes, 0);
    ucb->pWork->sheet.fMode = DM_COPY;
    ucb->pWork->sheet.pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    ucb->pWork->sheet.cbOut = static_cast<DWORD>(outBytes);
    EXPECT_EQ(SetDefaultDevmodeToOut2000(ucb), outBytes == kSizeofKesmDM);
    EXPECT_EQ(Ini(ucb, context_test::kOffice, u"PrnMethod"), outBytes == 100 ? u"4" : u"3");
    Release(ucb);
  }
}

TEST_F(DevmodeHandOut, ThePrinterSheetWritesThePrinterProperties) {
  UCB* ucb = OpenWithDevmode();
  Set(ucb, kFuncRam, 768);
  EXPECT_TRUE(SetPrinterPropertyToOutNT(ucb));
  EXPECT_EQ(ReadRaw(office_, u"RAM").bytes, Le(768, 4));
  Release(ucb);
}

// What the host heard.
struct HostCalls {
  int count = 0;
  UINT function = 0;
  LPARAM page = -1;
  LPARAM result = -1;
};
LONG_PTR CALLBACK RecordHostCall(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2) {
  auto* calls = static_cast<HostCalls*>(sheet);
  ++calls->count;
  calls->function = function;
  calls->page = lParam1;
  calls->result = lParam2;
  return 1;
}

struct ApplyCase {
  const char* what;
  WORD sheetKind;
  DWORD fMode;
  bool withCallback;
  bool reported;
  bool printerDataWritten;
  bool outputWritten;
};

TEST_F(DevmodeHandOut, ApplyingASheetHandsItsSettingsOutAndReports) {
  const ApplyCase cases[] = {
      {"printer sheet", kSheetPrinter, 0, true, true, true, false},
      {"document sheet asked for a copy", kSheetDocument, DM_COPY, true, true, false, true},
      {"document sheet asked for an update", kSheetDocument, DM_UPDATE, true, true, false, true},
      {"document sheet asked for neither", kSheetDocument, DM_PROMPT, true, false, false, false},
      {"printer sheet without a callback", kSheetPrinter, 0, false, false, true, false},
  };
  for (const ApplyCase& c : cases) {
    SCOPED_TRACE(c.what);
    DeletePrinterDataW(office_, u"RAM");
    UCB* ucb = OpenWithDevmode();
    ASSERT_NE(ucb, nullptr);
    SetKDMPresentUIMode(ucb, 1);
    Set(ucb, kFuncRam, 256);
    Bytes out(kSizeofKesmDM, 0xCD);
    HostCalls calls;
    SHEETSLOTS& sheet = ucb->pWork->sheet;
    sheet.wSheetKind = c.sheetKind;
    sheet.fMode = c.fMode;
    sheet.pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    sheet.cbOut = kSizeofKesmDM;
    sheet.hComPropSheet = &calls;
    sheet.pfnComPropSheet = c.withCallback ? RecordHostCall : nullptr;

    EXPECT_TRUE(ModifyDefaultDevmode2000(ucb));
    EXPECT_EQ(sheet.fApplied, 1u);
    EXPECT_EQ(GetKDMPresentUIMode(ucb), 1u);
    // The saved state is the applied one.
    EXPECT_EQ(GetDevmodeValueDirectByFuncIDSaveDCB2(ucb, kFuncRam, nullptr), 256);
    EXPECT_EQ(calls.count, c.reported ? 1 : 0);
    if (c.reported) {
      EXPECT_EQ(calls.function, CPSFUNC_SET_RESULT);
      EXPECT_EQ(calls.page, 0);
      EXPECT_EQ(calls.result, CPSUI_OK);
    }
    EXPECT_EQ(ReadRaw(office_, u"RAM").present, c.printerDataWritten);
    EXPECT_EQ(out != Bytes(kSizeofKesmDM, 0xCD), c.outputWritten);
    Release(ucb);
  }
}

}  // namespace
}  // namespace property_test
