// The font sets in printer data: the description's sets written on a
// printer's first read, the sets read back by a new context in a new
// process, the substitution table shortened and rewritten without ever
// leaving the printer without a whole table, the default table, and
// hostile counts, arrays and names.
#include <cstring>
#include <string>

#include "settings/bkpd/description_queries.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_dcb2.h"
#include "storage/properties/printer_fonts.h"
#include "storage/properties/printer_properties.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

class PrinterFonts : public PropertyTest {
 protected:
  // A context of the office printer that has the colour sample description
  // and has read its properties with it.
  UCB* OpenWithDescription(HANDLE printer) {
    UCB* ucb = OpenOn(printer);
    description_.AttachTo(ucb);
    FreeReg(ucb);
    GetReg(ucb);
    return ucb;
  }

  static DcbArray Held(UCB* ucb, int array) { return GetDcbArray(ucb->pDCB, kDcbOwnedArrays[array]); }
  static std::u16string Name(const WCHAR (&name)[kFontNameChars]) { return std::u16string(name); }

  // Gives the context a table of count pairs "TT<n><tag>" -> "Dev<n><tag>".
  static void GiveTable(UCB* ucb, WORD count, char16_t tag) {
    auto* pairs = static_cast<KESMFONTPAIR*>(GetMemPtr(sizeof(KESMFONTPAIR) * count));
    ASSERT_NE(pairs, nullptr);
    for (WORD i = 0; i < count; ++i) {
      const std::u16string n(1, static_cast<char16_t>(u'1' + i));
      const std::u16string tt = u"TT" + n + tag;
      const std::u16string dev = u"Dev" + n + tag;
      std::copy(tt.begin(), tt.end(), pairs[i].trueType);
      std::copy(dev.begin(), dev.end(), pairs[i].device);
    }
    FreeMemPtr(Held(ucb, kDcbFontTable).entries);
    SetDcbArray(ucb->pDCB, kDcbOwnedArrays[kDcbFontTable], {count, reinterpret_cast<BYTE*>(pairs)});
  }
  static std::u16string TrueTypeOf(UCB* ucb, WORD i) {
    return Name(reinterpret_cast<const KESMFONTPAIR*>(Held(ucb, kDcbFontTable).entries)[i].trueType);
  }

  ColourDescription description_;
};

TEST_F(PrinterFonts, TheDescriptionAnswersItsFontsAndTable) {
  UCB* ucb = OpenOn(office_);
  DWORD count = 99;
  EXPECT_EQ(BKPDGetDeviceFont(ucb, &count), nullptr) << "no description";
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(BKPDGetFontTable(ucb, &count), nullptr);
  description_.AttachTo(ucb);
  auto* fonts = static_cast<KESMFONT*>(BKPDGetDeviceFont(ucb, &count));
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(fonts[1].number, 2u);
  EXPECT_EQ(Name(fonts[1].name), u"Kesm Serif");
  FreeMemPtr(fonts);
  fonts = static_cast<KESMFONT*>(BKPDGetOptionFont(ucb, &count));
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(Name(fonts[0].name), u"Kesm Barcode");
  FreeMemPtr(fonts);
  auto* pairs = static_cast<KESMFONTPAIR*>(BKPDGetFontTable(ucb, &count));
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(Name(pairs[1].trueType), u"Lumen Serif");
  EXPECT_EQ(Name(pairs[1].device), u"Kesm Serif");
  FreeMemPtr(pairs);
  Release(ucb);
}

TEST_F(PrinterFonts, AFreshPrinterGetsTheDescriptionsSetsOnItsFirstReadAndKeepsThem) {
  UCB* ucb = OpenWithDescription(office_);
  EXPECT_EQ(ReadRaw(office_, u"DeviceFontNum").bytes, Le(3, 2));
  EXPECT_EQ(ReadRaw(office_, u"DeviceFont").bytes.size(), 3 * sizeof(KESMFONT));
  EXPECT_EQ(ReadRaw(office_, u"OptionFontNum").bytes, Le(1, 2));
  EXPECT_EQ(ReadRaw(office_, u"FontTableNum").bytes, Le(2, 2));
  EXPECT_EQ(ReadRaw(office_, u"LastFontTableNum").bytes, Le(2, 2));
  const Raw half = ReadRaw(office_, u"DevFontTable2");
  EXPECT_EQ(half.type, REG_BINARY);
  ASSERT_EQ(half.bytes.size(), 64u);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(half.bytes.data())), u"Kesm Serif");
  EXPECT_EQ(Held(ucb, kDcbDeviceFonts).count, 3);
  EXPECT_EQ(Held(ucb, kDcbFontTable).count, 2);
  Release(ucb);

  storage_test::InChild([&] {
    UCB* again = OpenOn(Open(context_test::kOffice));  // no description now
    ASSERT_EQ(Held(again, kDcbDeviceFonts).count, 3);
    EXPECT_EQ(Name(reinterpret_cast<const KESMFONT*>(Held(again, kDcbDeviceFonts).entries)[2].name), u"Kesm Mono");
    ASSERT_EQ(Held(again, kDcbOptionFonts).count, 1);
    ASSERT_EQ(Held(again, kDcbFontTable).count, 2);
    EXPECT_EQ(TrueTypeOf(again, 0), u"Lumen Sans");
    Release(again);
  });
}

TEST_F(PrinterFonts, APrinterWithoutDescriptionOrFontsHasNone) {
  UCB* ucb = OpenOn(office_);
  EXPECT_EQ(Held(ucb, kDcbDeviceFonts).count, 0);
  EXPECT_EQ(Held(ucb, kDcbFontTable).count, 0);
  EXPECT_FALSE(ReadRaw(office_, u"DeviceFontNum").present);
  EXPECT_FALSE(SetDeviceFont(office_, ucb, 0)) << "no fonts to write";
  Release(ucb);
}

TEST_F(PrinterFonts, AShorterTableLeavesNoPairsBehind) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 5, u'a'));
  EXPECT_TRUE(SetFontTable(office_, ucb, 0));
  EXPECT_TRUE(ReadRaw(office_, u"TTFontTable5").present);
  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 3, u'b'));
  EXPECT_TRUE(SetFontTable(office_, ucb, 0));
  for (const char16_t* name : {u"TTFontTable4", u"DevFontTable4", u"TTFontTable5", u"DevFontTable5"}) {
    EXPECT_FALSE(ReadRaw(office_, name).present);
  }
  EXPECT_EQ(ReadRaw(office_, u"FontTableNum").bytes, Le(3, 2));
  EXPECT_EQ(ReadRaw(office_, u"LastFontTableNum").bytes, Le(3, 2));
  EXPECT_TRUE(GetFontTable(office_, ucb));
  ASSERT_EQ(Held(ucb, kDcbFontTable).count, 3);
  EXPECT_EQ(TrueTypeOf(ucb, 2), u"TT3b");

  // An emptied table is kept as count 0.
  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 0, u'c'));
  EXPECT_TRUE(SetFontTable(office_, ucb, 0));
  EXPECT_EQ(ReadRaw(office_, u"FontTableNum").bytes, Le(0, 2));
  EXPECT_FALSE(ReadRaw(office_, u"TTFontTable1").present);
  Release(ucb);
}

// Whatever step of a rewrite fails, the printer keeps a whole table: the
// new pairs are in place before the count names them, and the pairs of the
// longer table go only after that.
TEST_F(PrinterFonts, ARewriteStoppedPartWayLeavesAWholeTable) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 5, u'a'));
  ASSERT_TRUE(SetFontTable(office_, ucb, 0));

  // Stopped after the pairs: the old count still reads five pairs.
  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 3, u'b'));
  ASSERT_TRUE(SetFontTableEx(office_, Held(ucb, kDcbFontTable).entries, 3, 0));
  EXPECT_EQ(ReadRaw(office_, u"LastFontTableNum").bytes, Le(5, 2));
  EXPECT_TRUE(GetFontTable(office_, ucb));
  ASSERT_EQ(Held(ucb, kDcbFontTable).count, 5);
  EXPECT_EQ(TrueTypeOf(ucb, 2), u"TT3b");
  EXPECT_EQ(TrueTypeOf(ucb, 4), u"TT5a");

  // Stopped at once: a handle that may not write changes nothing.
  HANDLE reader = nullptr;
  PRINTER_DEFAULTSW use{nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(context_test::kOffice, &reader, &use));
  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 2, u'c'));
  EXPECT_FALSE(SetFontTable(reader, ucb, 0));
  EXPECT_TRUE(GetFontTable(office_, ucb));
  EXPECT_EQ(Held(ucb, kDcbFontTable).count, 5);
  ClosePrinter(reader);
  Release(ucb);
}

TEST_F(PrinterFonts, TheDefaultTableIsWrittenOnceAndCanReplaceTheCurrentOne) {
  UCB* ucb = OpenOn(office_);
  description_.AttachTo(ucb);
  EXPECT_TRUE(SetFontTableDefault(office_, ucb));
  EXPECT_EQ(ReadRaw(office_, u"DefFontTableNum").bytes, Le(2, 2));
  EXPECT_TRUE(ReadRaw(office_, u"TTFontDefTable2").present);
  EXPECT_FALSE(ReadRaw(office_, u"TTFontTable1").present) << "the current table is another";
  ASSERT_EQ(DeletePrinterDataW(office_, u"TTFontDefTable2"), ERROR_SUCCESS);
  EXPECT_TRUE(SetFontTableDefault(office_, ucb));
  EXPECT_FALSE(ReadRaw(office_, u"TTFontDefTable2").present) << "not written again";

  ASSERT_NO_FATAL_FAILURE(GiveTable(ucb, 4, u'x'));
  EXPECT_TRUE(GetFontTableDefault(office_, ucb));
  ASSERT_EQ(Held(ucb, kDcbFontTable).count, 2);
  EXPECT_EQ(TrueTypeOf(ucb, 0), u"Lumen Sans");
  EXPECT_EQ(TrueTypeOf(ucb, 1), u"") << "a pair that cannot be read stays empty";
  Release(ucb);
}

TEST_F(PrinterFonts, AnUnchangedSetIsNotWrittenAgain) {
  UCB* ucb = OpenWithDescription(office_);
  ASSERT_TRUE(GetDCB2(ucb));
  ASSERT_EQ(DeletePrinterDataW(office_, u"DeviceFontNum"), ERROR_SUCCESS);
  EXPECT_TRUE(SetFontProperties(office_, ucb));
  EXPECT_FALSE(ReadRaw(office_, u"DeviceFontNum").present);
  EXPECT_TRUE(SetDeviceFont(office_, ucb, 0));
  EXPECT_EQ(ReadRaw(office_, u"DeviceFontNum").bytes, Le(3, 2));
  Release(ucb);
}

TEST_F(PrinterFonts, HostileCountsArraysAndNamesAreRefused) {
  std::vector<BYTE> twoFonts(2 * sizeof(KESMFONT), 0);
  std::vector<BYTE> unended(sizeof(KESMFONT), 'A');
  std::vector<BYTE> half(64, 0);
  std::vector<BYTE> unendedHalf(64, 'B');
  struct Value {
    const char16_t* name;
    DWORD type;
    std::vector<BYTE> bytes;
  };
  struct Row {
    const char* what;
    std::vector<Value> values;
    int array;      // the set that must end empty
  };
  const Row rows[] = {
      {"a count of 4 bytes", {{u"DeviceFontNum", REG_BINARY, Le(1, 4)}, {u"DeviceFont", REG_BINARY, twoFonts}},
       kDcbDeviceFonts},
      {"a count of another type", {{u"DeviceFontNum", REG_SZ, Le(2, 2)}, {u"DeviceFont", REG_BINARY, twoFonts}},
       kDcbDeviceFonts},
      {"a count larger than its array",
       {{u"DeviceFontNum", REG_BINARY, Le(3, 2)}, {u"DeviceFont", REG_BINARY, twoFonts}}, kDcbDeviceFonts},
      {"a name without its end",
       {{u"OptionFontNum", REG_BINARY, Le(1, 2)}, {u"OptionFont", REG_BINARY, unended}}, kDcbOptionFonts},
      {"a table count beyond its pairs",
       {{u"FontTableNum", REG_BINARY, Le(60000, 2)}, {u"LastFontTableNum", REG_BINARY, Le(1, 2)},
        {u"TTFontTable1", REG_BINARY, half}, {u"DevFontTable1", REG_BINARY, half}},
       kDcbFontTable},
      {"a table without its pair count",
       {{u"FontTableNum", REG_BINARY, Le(1, 2)}, {u"TTFontTable1", REG_BINARY, half},
        {u"DevFontTable1", REG_BINARY, half}},
       kDcbFontTable},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    for (const Value& v : row.values) ASSERT_NO_FATAL_FAILURE(PutRaw(office_, v.name, v.type, v.bytes));
    UCB* ucb = OpenWithDescription(office_);
    EXPECT_EQ(Held(ucb, row.array).count, 0);
    EXPECT_EQ(Held(ucb, row.array).entries, nullptr);
    for (const Value& v : row.values) EXPECT_EQ(ReadRaw(office_, v.name).bytes, v.bytes) << "not overwritten";
    Release(ucb);
    for (const Value& v : row.values) DeletePrinterDataW(office_, v.name);
  }

  // Broken halves leave their pairs empty; the others are read.
  for (const auto& [what, tt2] : {std::pair{"a truncated half", std::vector<BYTE>(30, 0)},
                                  std::pair{"a half without its end", unendedHalf}}) {
    SCOPED_TRACE(what);
    ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"FontTableNum", REG_BINARY, Le(2, 2)));
    ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"LastFontTableNum", REG_BINARY, Le(2, 2)));
    std::vector<BYTE> named(64, 0);
    named[0] = 'A';
    for (const char16_t* name : {u"TTFontTable1", u"DevFontTable1", u"DevFontTable2"}) {
      ASSERT_NO_FATAL_FAILURE(PutRaw(office_, name, REG_BINARY, named));
    }
    ASSERT_NO_FATAL_FAILURE(PutRaw(office_, u"TTFontTable2", REG_BINARY, tt2));
    KESMFONTPAIR pairs[2];
    std::memset(pairs, 0x55, sizeof pairs);
    EXPECT_NE(GetFontTableEx(office_, pairs, 2, 0), 0u);
    EXPECT_EQ(Name(pairs[0].trueType), u"A");
    EXPECT_EQ(Name(pairs[1].trueType), u"");
    EXPECT_EQ(Name(pairs[1].device), u"");
  }
  EXPECT_EQ(GetFontTableEx(office_, nullptr, 2, 0), 8u);
}

}  // namespace
}  // namespace property_test
