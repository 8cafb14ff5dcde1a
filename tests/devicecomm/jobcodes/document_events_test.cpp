// The escapes of the document events, end to end: the print host prints
// through the built rendering library on the D4 printer (whose job header
// names every job-level value) and, at the start of the document and of
// each page, sends the settings INI path and the job codes the stand-in
// job-code library holds for the printer on its DC. The escapes reach the
// PDEV (it answers 1), in order and with their exact sizes, the codes come
// out in the job header, and the library is loaded once per document.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "devicecomm/jobcodes/jc_code_table.h"
#include "devicecomm/jobcodes/jc_document_events.h"
#include "platform/base/machine.h"
#include "platform/modules/winmodule.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_names.h"
#include "storage/ini/ini_path_escape.h"
#include "tests/common/driver_printer.h"
#include "tests/jobcodelib/install_library.h"
#include "tests/render/job_stream_decoder.h"
#include "tools/printhost/print_host.h"

namespace {

constexpr const char16_t* kPrinter = u"Kesm D4 Office";
constexpr const char16_t* kDriver = u"Kesm D4 Series";
constexpr const char* kDescription = KESM_TEST_DATA "/kpd/kesm_d4_document_events.kpd";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class DocumentEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(kesm_test::AddDriverPrinter(kDescription, u"KESMD4.KPD", kDriver, kPrinter));
  }
  void TearDown() override {
    if (library_ != nullptr) {
      EXPECT_EQ(lib_->interfacesOut, 0) << "an interface was not given back";
      FreeLibrary(library_);
    }
  }

  // The stand-in library in the system folder, held loaded by the test so
  // that its store outlives the documents.
  void InstallLibrary() {
    lib_ = jobcodelib::LoadStandIn(&library_);
    ASSERT_NE(lib_, nullptr);
  }
  jobcodelib::Printer& Codes() { return lib_->printers[kPrinter]; }

  // Prints a document of that many pages with the document events on; the
  // escapes its DC received, and the job stream.
  struct Printed {
    std::vector<plat::gdi::SentEscape> escapes;
    jobstream::Decoded stream;
  };
  // mask 0: the document events' own choice of kinds.
  Printed Print(std::size_t pages, DWORD mask = 0) {
    Printed printed;
    printhost::HostOptions options;
    options.driverModule = KESM_GR_LIBRARY;
    options.printerName = kPrinter;
    options.installPrinter = false;
    options.documentEvents = [&](printhost::DocumentEvent event, HANDLE printer, HDC dc) {
      if (event == printhost::DocumentEvent::kEndDoc) {
        printed.escapes = plat::gdi::SentEscapes(dc);
        EndJobCodeDocument(dc);
        return;
      }
      EXPECT_TRUE(EscapeIniFilePathWithoutUCB(printer, dc));
      if (mask == 0) {
        EXPECT_TRUE(EscapeJobCodeWithoutUCB(printer, dc));
      } else {
        _EscapeJobCodeWithoutUCB(printer, dc, mask);
      }
    };
    std::string error;
    auto host = printhost::PrintHost::Open(options, error);
    EXPECT_TRUE(host) << error;
    if (!host) return printed;
    printhost::Document document;
    document.name = u"Report";
    document.pages.resize(pages);
    const printhost::PrintResult result = host->Print(document);
    EXPECT_TRUE(result.ok) << result.error;
    std::ifstream in(result.jobFile, std::ios::binary);
    printed.stream = jobstream::Decode({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    EXPECT_TRUE(printed.stream.ok()) << printed.stream.error;
    return printed;
  }

  static std::vector<int> EscapeCodes(const std::vector<plat::gdi::SentEscape>& escapes) {
    std::vector<int> codes;
    for (const auto& e : escapes) codes.push_back(e.code);
    return codes;
  }
  static std::string JobHeader(const jobstream::Decoded& stream) {
    for (const jobstream::Block& b : stream.blocks) {
      const std::string text(b.payload.begin(), b.payload.end());
      if (b.tag == 0xF3 && !Has(text, "JOBNAME")) return text;
    }
    return {};
  }

  plat::ScopedMachine machine_;
  HMODULE library_ = nullptr;
  jobcodelib::State* lib_ = nullptr;
};

TEST_F(DocumentEvents, TheCodesReachThePdevAndComeOutInTheJobHeader) {
  InstallLibrary();
  Codes().values = {{1, jobcodelib::Text(u"4711")},       {2, jobcodelib::Text(u"Ann Example")},
                    {3, jobcodelib::Text(u"1234")},       {4, jobcodelib::Text(u"ann")},
                    {5, jobcodelib::Text(u"Quarterly")},  {6, jobcodelib::Text(u"0301234")},
                    {7, jobcodelib::Text(u"2")},          {8, jobcodelib::Text(u"9876")}};
  const Printed printed = Print(2);
  // At the start of the document and of each page: the INI path, then the
  // codes in the order of the kind table; the telephone number and line are
  // not among the codes a document event sends.
  const std::vector<int> oneEvent = {121, 111, 112, 113, 114, 115, 118};
  std::vector<int> expected;
  for (int event = 0; event < 3; ++event) expected.insert(expected.end(), oneEvent.begin(), oneEvent.end());
  EXPECT_EQ(EscapeCodes(printed.escapes), expected);
  for (const auto& e : printed.escapes) {
    SCOPED_TRACE(e.code);
    EXPECT_EQ(e.result, 1) << "the PDEV did not take the escape";
    const std::size_t bytes = e.code == 121 ? 520u : (e.code == 112 || e.code == 115) ? 17u : 9u;
    EXPECT_EQ(e.input.size(), bytes);
  }
  const std::string header = JobHeader(printed.stream);
  for (const char* line : {"@PJL SET USERCODE = 4711 \r\n", "@PJL SET OWNER = Ann Example \r\n",
                           "@PJL SET JOBPASSWORD = 1234 \r\n", "@PJL SET USERID = ann \r\n",
                           "@PJL SET DOCUMENT = Quarterly \r\n", "@PJL SET STOREDPASSWORD = 9876 \r\n"}) {
    EXPECT_TRUE(Has(header, line)) << line << " missing from:\n" << header;
  }
  EXPECT_FALSE(Has(header, "0301234")) << header;
}

TEST_F(DocumentEvents, TheTelephoneNumberAndLineTravelWhenAskedFor) {
  InstallLibrary();
  Codes().values = {{6, jobcodelib::Text(u"0301234")}, {7, jobcodelib::Text(u"2")}};
  const Printed printed = Print(1, kJCMaskAllDevmodeKinds);
  EXPECT_EQ(EscapeCodes(printed.escapes), (std::vector<int>{121, 116, 117, 121, 116, 117}));
  for (const auto& e : printed.escapes) {
    if (e.code == 116) {
      EXPECT_EQ(e.input.size(), 65u);
    } else if (e.code == 117) {
      EXPECT_EQ(e.input, (std::vector<BYTE>{'2', 0, 0, 0, 0, 0, 0, 0, 0}));
    }
  }
  const std::string header = JobHeader(printed.stream);
  EXPECT_TRUE(Has(header, "@PJL SET TELNO = 0301234 \r\n")) << header;
  EXPECT_TRUE(Has(header, "@PJL SET TELLINE = 2 \r\n")) << header;
}

TEST_F(DocumentEvents, TheLibraryIsLoadedOncePerDocumentAndAsksForTheNewestInterfaceFirst) {
  InstallLibrary();
  Codes().values = {{1, jobcodelib::Text(u"4711")}};
  lib_->versions = {kJCVersion258, kJCVersion259};
  Print(3);
  const auto asked = lib_->CallsOf("getinterface");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].version, kJCVersion259);
  EXPECT_EQ(lib_->CallsOf("dispose").size(), 1u);
  // The codes are fetched afresh at every event: the document and three pages.
  EXPECT_EQ(lib_->CallsOf("open").size(), 4u);
  EXPECT_EQ(lib_->CallsOf("close").size(), 4u);
}

TEST_F(DocumentEvents, FewerEscapesWhenTheLibraryHasLessToGive) {
  struct Case {
    const char* what;
    bool library;
    std::function<void(jobcodelib::State&)> script;
    std::vector<int> codes;  // of the document's start; each page repeats it
  };
  const Case cases[] = {
      {"no library: only the INI path", false, nullptr, {121}},
      {"an interface never handed out", true, [](jobcodelib::State& s) { s.noInterface = true; }, {121}},
      {"no version the driver knows", true, [](jobcodelib::State& s) { s.versions = {256}; }, {121}},
      {"a printer the library does not know", true, [](jobcodelib::State& s) { s.printers.clear(); }, {121}},
      {"a value with a size needed of 0 sends nothing for its kind", true,
       [](jobcodelib::State& s) { s.printers[kPrinter].values[2] = jobcodelib::Value{}; }, {121, 111}},
      {"a failing fetch sends nothing for its kind", true,
       [](jobcodelib::State& s) {
         jobcodelib::Forced forced;
         forced.op = "get";
         forced.kind = 1;
         forced.status = kJCBadArgument;
         s.forced.push_back(forced);
       },
       {121}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.library) {
      InstallLibrary();
      Codes().values = {{1, jobcodelib::Text(u"4711")}};
      if (c.script) c.script(*lib_);
    }
    const Printed printed = Print(1);
    std::vector<int> expected = c.codes;
    expected.insert(expected.end(), c.codes.begin(), c.codes.end());
    EXPECT_EQ(EscapeCodes(printed.escapes), expected);
    EXPECT_EQ(jobstream::Pages(printed.stream), 1u);
    if (library_ != nullptr) {
      EXPECT_EQ(lib_->interfacesOut, 0);
      FreeLibrary(library_);
      library_ = nullptr;
    }
    std::error_code ignored;
    std::filesystem::remove(plat::DriveRoot() / "Windows/System32/TALJC32.DLL", ignored);
  }
}

TEST_F(DocumentEvents, AnEmptyTextTravelsAsZerosAndALongOneIsCutToItsPayloadWithItsTerminator) {
  InstallLibrary();
  Codes().values = {{1, jobcodelib::Text(u"")}, {2, jobcodelib::Text(u"A name far longer than seventeen bytes")}};
  const Printed printed = Print(1);
  ASSERT_GE(printed.escapes.size(), 3u);
  EXPECT_EQ(printed.escapes[1].code, 111);
  EXPECT_EQ(printed.escapes[1].input, std::vector<BYTE>(9, 0));
  EXPECT_EQ(printed.escapes[2].code, 112);
  ASSERT_EQ(printed.escapes[2].input.size(), 17u);
  EXPECT_EQ(printed.escapes[2].input.back(), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(printed.escapes[2].input.data())), "A name far longe");
}

TEST_F(DocumentEvents, TheIniPathTravelsTerminatedInItsWholeBuffer) {
  const Printed printed = Print(1);
  ASSERT_FALSE(printed.escapes.empty());
  const plat::gdi::SentEscape& sent = printed.escapes[0];
  ASSERT_EQ(sent.code, 121);
  ASSERT_EQ(sent.input.size(), 520u);
  EXPECT_EQ(sent.result, 1);
  WCHAR expected[MAX_PATH] = {};
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(kPrinter, &printer, nullptr));
  ASSERT_TRUE(GetIniFilePathWithoutUCB(expected, 0, 0, printer));
  ClosePrinter(printer);
  const auto* path = reinterpret_cast<const char16_t*>(sent.input.data());
  EXPECT_EQ(std::u16string(path), std::u16string(expected));
}

TEST_F(DocumentEvents, APrinterThatCannotBeNamedSendsNoJobCodes) {
  InstallLibrary();
  plat::eng::Device device;
  SURFOBJ surface{};
  HDC dc = plat::gdi::CreatePrinterDC(&device, &surface);
  ASSERT_NE(dc, nullptr);
  // Without a printer its name for the job-code library cannot be had.
  EXPECT_FALSE(_EscapeJobCodeWithoutUCB(nullptr, dc, kJCMaskDevmodeCodes));
  EXPECT_TRUE(EscapeJobCodeWithoutUCB(nullptr, dc));
  EXPECT_TRUE(plat::gdi::SentEscapes(dc).empty());
  EXPECT_TRUE(lib_->CallsOf("getinterface").empty());
  EndJobCodeDocument(dc);
  plat::gdi::DeletePrinterDC(dc);
}

}  // namespace
