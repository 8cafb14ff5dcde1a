// The job check: a job's DEVMODE validated against the printer and its form
// fields matched with the spooler's forms (sizes within 1 mm, a paper size
// as a form index, a form name), form names kept within the DEVMODE's
// field however long the database's are, and hostile calls.
#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <memory>
#include <string>

#include "tests/ui/ui_machine.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/query_print.h"

namespace ui_test {
namespace {

constexpr LONG kDriverDevmode = 1236;

class QueryPrint : public UiMachine {
 protected:
  Bytes Job() {
    Bytes dm(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, nullptr, Dm(dm), nullptr, DM_COPY), 1);
    return dm;
  }
  BOOL Check(DEVMODEW* dm, HANDLE printer = nullptr) {
    DEVQUERYPRINT_INFO info{sizeof info, 1, printer != nullptr ? printer : printer_, dm, nullptr, 0, 0};
    const DWORD open = OpenContexts();
    const BOOL r = DevQueryPrintEx(&info);
    EXPECT_EQ(OpenContexts(), open);
    EXPECT_EQ(info.cchNeeded, 0u) << "no error text";
    return r;
  }
};

TEST_F(QueryPrint, AJobWithinOneMillimetreOfAFormTakesItsIndexAndName) {
  Bytes job = Job();
  Dm(job)->dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
  Dm(job)->dmPaperWidth = 2105;   // A4 is 210 x 297 mm
  Dm(job)->dmPaperLength = 2965;
  Dm(job)->dmPaperSize = 1;
  EXPECT_TRUE(Check(Dm(job)));
  EXPECT_EQ(Dm(job)->dmPaperSize, 9);
  EXPECT_EQ(Dm(job)->dmPaperWidth, 2100);
  EXPECT_EQ(Dm(job)->dmPaperLength, 2970);
  EXPECT_NE(Dm(job)->dmFields & DM_FORMNAME, 0u);
  EXPECT_EQ(std::u16string(Dm(job)->dmFormName), u"A4");
}

TEST_F(QueryPrint, FormFieldsDecideInTheirOrder) {
  const DatabaseForms forms = GetDatabaseForms(printer_);
  ASSERT_GT(forms.count, 100u);
  struct Case {
    const char* what;
    DWORD fields;
    SHORT width, length, paper;
    const char16_t* name;
    int result;
    SHORT paperAfter;
  };
  const Case cases[] = {
      {"1.1 mm off every form: a custom size", DM_PAPERWIDTH | DM_PAPERLENGTH, 2111, 2970, 9, u"", kFormCustom, 9},
      {"a paper size as form index", DM_PAPERSIZE, 0, 0, 11, u"", kFormMatched, 11},
      {"a paper size beyond the forms", DM_PAPERSIZE, 0, 0, 30000, u"", kFormUndecided, 30000},
      {"a form name, exact case", DM_FORMNAME, 0, 0, 0, u"Letter", kFormMatched, 1},
      {"a form name in another case", DM_FORMNAME, 0, 0, 0, u"letter", kFormUndecided, 0},
      {"sizes of 0 fall back to the paper size", DM_PAPERWIDTH | DM_PAPERLENGTH | DM_PAPERSIZE, 0, 0, 8, u"",
       kFormMatched, 8},
      {"no form field", 0, 2100, 2970, 9, u"A4", kFormUndecided, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = c.fields;
    dm.dmPaperWidth = c.width;
    dm.dmPaperLength = c.length;
    dm.dmPaperSize = c.paper;
    std::u16string(c.name).copy(dm.dmFormName, CCHFORMNAME - 1);
    FORMRECORD record{};
    EXPECT_EQ(MatchDevModeForm(forms.forms(), forms.count, &dm, &record), c.result);
    EXPECT_EQ(dm.dmPaperSize, c.paperAfter);
    if (c.result == kFormCustom) {
      EXPECT_EQ(record.info.Size.cx, 211100);
      EXPECT_EQ(record.info.ImageableArea.bottom, 297000);
      EXPECT_EQ(record.name[0], 0);
    }
  }
}

// The spooler's form names have no bound of their own; the record and the
// DEVMODE keep 31 characters and the terminator.
TEST_F(QueryPrint, ALongFormNameIsCutToTheField) {
  std::u16string longName(40, u'F');
  FORM_INFO_1W form{0, longName.data(), {100000, 200000}, {0, 0, 100000, 200000}};
  auto dm = std::make_unique<DEVMODEW>();
  dm->dmSize = sizeof(DEVMODEW);
  dm->dmFields = DM_PAPERWIDTH | DM_PAPERLENGTH;
  dm->dmPaperWidth = 1000;
  dm->dmPaperLength = 2000;
  auto record = std::make_unique<FORMRECORD>();
  EXPECT_EQ(MatchDevModeForm(&form, 1, dm.get(), record.get()), kFormMatched);
  EXPECT_EQ(std::u16string(record->name), longName.substr(0, 31));
  EXPECT_EQ(record->info.pName, record->name);
  EXPECT_EQ(std::u16string(dm->dmFormName), longName.substr(0, 31));
}

TEST_F(QueryPrint, ADevmodeTooShortForItsFormFieldsIsNotTouched) {
  const DatabaseForms forms = GetDatabaseForms(printer_);
  for (WORD size : {WORD{0}, WORD{72}, WORD{100}, WORD{165}}) {
    SCOPED_TRACE(size);
    Bytes dm(std::max<std::size_t>(size, 72), 0x11);
    Dm(dm)->dmSize = size;
    Dm(dm)->dmDriverExtra = 0;
    const Bytes before = dm;
    EXPECT_EQ(MatchDevModeForm(forms.forms(), forms.count, Dm(dm), nullptr), kFormUndecided);
    EXPECT_EQ(dm, before);
  }
}

TEST_F(QueryPrint, HostileChecks) {
  EXPECT_FALSE(DevQueryPrintEx(nullptr));
  EXPECT_TRUE(Check(nullptr)) << "no DEVMODE: nothing to check";
  Bytes job = Job();
  DEVQUERYPRINT_INFO shortInfo{sizeof(DEVQUERYPRINT_INFO) - 1, 1, printer_, Dm(job), nullptr, 0, 0};
  EXPECT_FALSE(DevQueryPrintEx(&shortInfo));
  // A foreign DEVMODE of exactly its stated public size.
  Bytes foreign(220, 0);
  Dm(foreign)->dmSize = 220;
  Dm(foreign)->dmSpecVersion = 0x401;
  Check(Dm(foreign));
  HANDLE closed = nullptr;
  ASSERT_TRUE(OpenPrinterW(kPrinter, &closed, nullptr));
  ASSERT_TRUE(ClosePrinter(closed));
  Bytes buffer(8, 0x5A);
  DEVQUERYPRINT_INFO info{sizeof info, 1, closed, Dm(job), reinterpret_cast<LPWSTR>(buffer.data()), 4, 0};
  const DWORD open = OpenContexts();
  DevQueryPrintEx(&info);
  EXPECT_EQ(buffer, Bytes(8, 0x5A)) << "no error text";
  EXPECT_EQ(OpenContexts(), open);
}

}  // namespace
}  // namespace ui_test
