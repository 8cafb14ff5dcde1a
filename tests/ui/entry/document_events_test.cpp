// Document events of a printer DC: the result of every event, the escapes
// of a document's start and of each page with the replace-string table
// loaded from the resource DLL the printer's help-file value names, the
// job-code document ended on every way a document or DC ends, and the
// escapes reaching the rendering library's PDEV in the print host.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "devicecomm/jobcodes/jc_document_events.h"
#include "platform/modules/winmodule.h"
#include "tests/jobcodelib/install_library.h"
#include "tests/platform/install_file.h"
#include "tests/render/job_stream_decoder.h"
#include "tests/ui/ui_machine.h"
#include "tools/printhost/print_host.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/document_events.h"

namespace ui_test {
namespace {

class DocumentEvents : public UiMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(UiMachine::SetUp());
    dc_ = plat::gdi::CreatePrinterDC(&device_, &surface_);
    ASSERT_NE(dc_, nullptr);
    // The resource DLL is found through the printer's help-file name.
    SetHelpFileName((resourceDll_.stem().u16string() + u".hlp").c_str());
  }
  void TearDown() override {
    EndJobCodeDocument(dc_);
    plat::gdi::DeletePrinterDC(dc_);
    if (library_ != nullptr) FreeLibrary(library_);
    UiMachine::TearDown();
  }
  void SetHelpFileName(const char16_t* name) {
    const auto bytes = static_cast<DWORD>((std::char_traits<char16_t>::length(name) + 1) * sizeof(char16_t));
    ASSERT_EQ(SetPrinterDataW(printer_, u"HelpFileName", REG_SZ, reinterpret_cast<const BYTE*>(name), bytes),
              ERROR_SUCCESS);
  }
  // The stand-in job-code library in the system folder, holding a code for
  // the printer, so that a document start binds it.
  void InstallJobCodes() {
    jobcodelib::State* state = jobcodelib::LoadStandIn(&library_);
    ASSERT_NE(state, nullptr);
    state->printers[kPrinter].values = {{1, jobcodelib::Text(u"4711")}};
  }
  int Event(int event, ULONG inBytes = 0, PVOID in = nullptr) {
    return DrvDocumentEvent(printer_, dc_, event, inBytes, in, 0, nullptr);
  }
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (const auto& e : plat::gdi::SentEscapes(dc_)) codes.push_back(e.code);
    return codes;
  }
  // The texts of the replace-string table the last escape 122 carried.
  std::vector<std::u16string> ReplaceTexts() {
    std::vector<std::u16string> texts;
    for (const auto& e : plat::gdi::SentEscapes(dc_)) {
      if (e.code != kEscapeReplaceStrings) continue;
      EXPECT_EQ(e.input.size(), static_cast<std::size_t>(kReplaceStringEscapeBytes));
      texts.clear();
      for (int row = 0; row < kReplaceStringRows; ++row) {
        REPLACESTRINGROW r;
        std::memcpy(&r, e.input.data() + row * sizeof r, sizeof r);
        texts.emplace_back(r.text);
      }
    }
    return texts;
  }

  plat::eng::Device device_;
  SURFOBJ surface_{};
  HDC dc_ = nullptr;
  HMODULE library_ = nullptr;
};

TEST_F(DocumentEvents, EveryEventAnswersAsTheDriverServesIt) {
  struct Case {
    int event;
    int result;
    std::vector<int> escapes;
  };
  const Case cases[] = {
      {DOCUMENTEVENT_CREATEDCPRE, DOCUMENTEVENT_SUCCESS, {}},
      {DOCUMENTEVENT_CREATEDCPOST, DOCUMENTEVENT_SUCCESS, {}},
      {DOCUMENTEVENT_RESETDCPRE, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_RESETDCPOST, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_STARTDOC, DOCUMENTEVENT_SUCCESS, {122, 121}},
      {DOCUMENTEVENT_STARTPAGE, DOCUMENTEVENT_SUCCESS, {121}},
      {0x10000 | DOCUMENTEVENT_STARTPAGE, DOCUMENTEVENT_SUCCESS, {121}},
      {DOCUMENTEVENT_ENDPAGE, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_ENDDOC, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_ABORTDOC, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_DELETEDC, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_ESCAPE, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_ENDDOCPOST, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_STARTDOCPOST, DOCUMENTEVENT_UNSUPPORTED, {}},
      {DOCUMENTEVENT_QUERYFILTER, DOCUMENTEVENT_UNSUPPORTED, {}},
      {0, DOCUMENTEVENT_UNSUPPORTED, {}},
      {-1, DOCUMENTEVENT_UNSUPPORTED, {}},
      {0x7FFF, DOCUMENTEVENT_UNSUPPORTED, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    const std::size_t before = plat::gdi::SentEscapes(dc_).size();
    const DWORD contexts = OpenContexts();
    EXPECT_EQ(Event(c.event), c.result);
    std::vector<int> sent = Codes();
    sent.erase(sent.begin(), sent.begin() + static_cast<long>(before));
    EXPECT_EQ(sent, c.escapes);
    EXPECT_EQ(OpenContexts(), contexts);
  }
}

TEST_F(DocumentEvents, TheReplaceStringsComeFromTheResourceDllTheHelpFileNames) {
  EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOC), DOCUMENTEVENT_SUCCESS);
  EXPECT_EQ(ReplaceTexts(), (std::vector<std::u16string>{u"Page", u"of", u"Total pages", u""}));
}

// The help-file value is printer data anyone with the printer's rights may
// write; only a plain file name of the driver directory is loaded into an
// application.
TEST_F(DocumentEvents, AHelpFileNameThatLeavesTheDriverDirectoryLoadsNothing) {
  const std::u16string stem = resourceDll_.stem().u16string();
  const std::u16string names[] = {u"..\\" + stem + u".hlp", u"sub/" + stem + u".hlp",
                                  u"C:" + stem + u".hlp", u"C:\\Windows\\" + stem + u".hlp",
                                  u"\\\\server\\share\\" + stem + u".hlp", u".." + stem + u".hlp"};
  // A copy of the DLL where each of those names would lead.
  for (const char* where :
       {"Windows/System32/spool/drivers/w32x86", "Windows", "Windows/System32/spool/drivers/w32x86/3/sub"}) {
    kesm_test::InstallFile(resourceDll_, std::string(where) + "/" + resourceDll_.filename().string());
  }
  for (const std::u16string& name : names) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    SetHelpFileName(name.c_str());
    HMODULE slot = nullptr;
    EXPECT_EQ(GetResDllWithoutUCB(printer_, &slot), nullptr);
  }
  SetHelpFileName((stem + u".hlp").c_str());
  HMODULE slot = nullptr;
  EXPECT_NE(GetResDllWithoutUCB(printer_, &slot), nullptr);
  FreeResDllWithoutUCB(slot);
}

TEST_F(DocumentEvents, WithoutTheResourceDllEmptyTextsAreSent) {
  SetHelpFileName(u"missing.hlp");
  EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOC), DOCUMENTEVENT_SUCCESS);
  EXPECT_EQ(ReplaceTexts(), (std::vector<std::u16string>{u"", u"", u"", u""}));
}

TEST_F(DocumentEvents, EveryWayADocumentEndsGivesTheJobCodeLibraryBack) {
  ASSERT_NO_FATAL_FAILURE(InstallJobCodes());
  const LONG failedJob = 0;
  const LONG job = 12;
  struct Case {
    const char* what;
    int event;
    ULONG inBytes;
    const void* in;
    bool ends;
  };
  const Case cases[] = {
      {"end of the document", DOCUMENTEVENT_ENDDOC, 0, nullptr, true},
      {"after the end", DOCUMENTEVENT_ENDDOCPOST, 0, nullptr, true},
      {"abort", DOCUMENTEVENT_ABORTDOC, 0, nullptr, true},
      {"the DC deleted without an end", DOCUMENTEVENT_DELETEDC, 0, nullptr, true},
      {"a start that failed", DOCUMENTEVENT_STARTDOCPOST, sizeof failedJob, &failedJob, true},
      {"a start that worked", DOCUMENTEVENT_STARTDOCPOST, sizeof job, &job, false},
      {"a start whose job id is cut short", DOCUMENTEVENT_STARTDOCPOST, sizeof failedJob - 1, &failedJob, false},
      {"a page ending", DOCUMENTEVENT_ENDPAGE, 0, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DWORD before = CountJobCodeDocuments();
    EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOC), DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(Event(DOCUMENTEVENT_STARTPAGE), DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(CountJobCodeDocuments(), before + (before == 0 ? 1 : 0)) << "one binding per DC";
    Event(c.event, c.inBytes, const_cast<void*>(c.in));
    EXPECT_EQ(CountJobCodeDocuments(), c.ends ? 0u : 1u);
    EndJobCodeDocument(dc_);
  }
  // A handle reused for another DC never inherits an old binding.
  EXPECT_EQ(CountJobCodeDocuments(), 0u);
}

TEST_F(DocumentEvents, HostileEventsSendNothingToNoDcAndLeaveNoContext) {
  HANDLE closed = nullptr;
  ASSERT_TRUE(OpenPrinterW(kPrinter, &closed, nullptr));
  ASSERT_TRUE(ClosePrinter(closed));
  Bytes in = Filled(3);
  Bytes out = Filled(2);
  for (HANDLE printer : {static_cast<HANDLE>(nullptr), closed, printer_}) {
    for (int event : {DOCUMENTEVENT_STARTDOC, DOCUMENTEVENT_STARTPAGE, DOCUMENTEVENT_STARTDOCPOST,
                      DOCUMENTEVENT_ESCAPE, DOCUMENTEVENT_DELETEDC}) {
      SCOPED_TRACE(event);
      const DWORD contexts = OpenContexts();
      DrvDocumentEvent(printer, nullptr, event, static_cast<ULONG>(in.size()), in.data(),
                       static_cast<ULONG>(out.size()), out.data());
      EXPECT_EQ(in, Filled(3));
      EXPECT_EQ(out, Filled(2));
      EXPECT_EQ(OpenContexts(), contexts);
      EXPECT_EQ(CountJobCodeDocuments(), 0u);
    }
  }
}

// The print host plays an application printing two pages on the printer
// through the built rendering library; the configuration library's
// document events send on the host's DC.
TEST_F(DocumentEvents, TheEscapesReachTheRenderingLibrarysPdev) {
  std::vector<plat::gdi::SentEscape> escapes;
  printhost::HostOptions options;
  options.driverModule = KESM_GR_LIBRARY;
  options.printerName = kPrinter;
  options.installPrinter = false;
  options.documentEvents = [&](printhost::DocumentEvent event, HANDLE printer, HDC dc) {
    switch (event) {
      case printhost::DocumentEvent::kStartDoc:
        EXPECT_EQ(DrvDocumentEvent(printer, dc, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr), 1);
        break;
      case printhost::DocumentEvent::kStartPage:
        EXPECT_EQ(DrvDocumentEvent(printer, dc, DOCUMENTEVENT_STARTPAGE, 0, nullptr, 0, nullptr), 1);
        break;
      case printhost::DocumentEvent::kEndDoc:
        escapes = plat::gdi::SentEscapes(dc);
        DrvDocumentEvent(printer, dc, DOCUMENTEVENT_ENDDOC, 0, nullptr, 0, nullptr);
        break;
    }
  };
  std::string error;
  auto host = printhost::PrintHost::Open(options, error);
  ASSERT_TRUE(host) << error;
  printhost::Document document;
  document.name = u"Report";
  document.pages.resize(2);
  const printhost::PrintResult result = host->Print(document);
  ASSERT_TRUE(result.ok) << result.error;
  std::vector<int> codes;
  for (const auto& e : escapes) {
    codes.push_back(e.code);
    EXPECT_EQ(e.result, 1) << "escape " << e.code << " was not taken by the PDEV";
  }
  EXPECT_EQ(codes, (std::vector<int>{122, 121, 121, 121}));
  ASSERT_FALSE(escapes.empty());
  EXPECT_EQ(escapes[0].input.size(), 2104u);
  std::ifstream in(result.jobFile, std::ios::binary);
  const jobstream::Decoded stream =
      jobstream::Decode({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  EXPECT_TRUE(stream.ok()) << stream.error;
  EXPECT_EQ(jobstream::Pages(stream), 2u);
}

}  // namespace
}  // namespace ui_test
