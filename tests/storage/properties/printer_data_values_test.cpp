// Printer-wide settings in printer data: each kind in its encoding, read
// back by a new context in a new process; the two tray-7 settings kept
// apart; hostile values refused without reading past them; transfers under
// the setting name.
#include <cstring>
#include <set>

#include "storage/properties/printer_properties.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

using PrinterDataValues = PropertyTest;

struct NumberRow {
  WORD id;
  const char16_t* name;
  LONG_PTR value;
  DWORD type;
  std::vector<BYTE> bytes;
};

const std::vector<NumberRow>& NumberRows() {
  static const std::vector<NumberRow> rows = {
      {10001, u"ServerUse", 7, REG_BINARY, {7}},                       // u8
      {10175, u"Tray1Paper", 0x0203, REG_BINARY, {3, 2}},              // u16
      {10276, u"CoverTray", -2, REG_BINARY, {0xFE, 0xFF}},             // s16
      {10012, u"RAM", 0x01020304, REG_BINARY, {4, 3, 2, 1}},           // u32
      {10285, u"TrayChapterSep1", 40000, REG_BINARY, {0x40, 0x9C, 0, 0}},
      {10014, u"Duplex", 1, REG_BINARY, {1, 0, 0, 0}},                 // bit 0 of its word
      {10045, u"Tray7Option", 1, REG_BINARY, {1, 0, 0, 0}},            // bit 31 of the same word
      {10290, u"FoldingUnit", 1, REG_BINARY, {1, 0, 0, 0}},
      {10275, u"Logging", 5, REG_DWORD, {5, 0, 0, 0}},                 // the one REG_DWORD
  };
  return rows;
}

struct TextRow {
  WORD id;
  const char16_t* name;
  const char16_t* text;
  DWORD size;
};

const std::vector<TextRow>& TextRows() {
  static const std::vector<TextRow> rows = {
      {1124, u"Tray1", u"Cassette", 17},
      {1130, u"Tray7", u"Side feeder", 17},
      {10273, u"DllUserCode", u"K-204", 9},
      {10274, u"Other", u"8202150207d014", 33},  // not the text the defaults give
  };
  return rows;
}

TEST_F(PrinterDataValues, EveryKindIsStoredInItsEncodingAndReadByANewContextInANewProcess) {
  UCB* ucb = OpenOn(office_);
  for (const NumberRow& row : NumberRows()) Set(ucb, row.id, row.value);
  for (const TextRow& row : TextRows()) SetText(ucb, row.id, row.text);
  EXPECT_TRUE(SetPrinterProperties(office_, ucb));
  Release(ucb);

  for (const NumberRow& row : NumberRows()) {
    const Raw raw = ReadRaw(office_, row.name);
    EXPECT_TRUE(raw.present) << row.id;
    EXPECT_EQ(raw.type, row.type) << row.id;
    EXPECT_EQ(raw.bytes, row.bytes) << row.id;
  }
  for (const TextRow& row : TextRows()) {
    // The whole field: the text and the zeros behind it.
    const Raw raw = ReadRaw(office_, row.name);
    EXPECT_EQ(raw.type, REG_BINARY) << row.id;
    ASSERT_EQ(raw.bytes.size(), row.size) << row.id;
    std::vector<BYTE> expected(row.size, 0);
    for (std::size_t i = 0; row.text[i] != 0; ++i) expected[i] = static_cast<BYTE>(row.text[i]);
    EXPECT_EQ(raw.bytes, expected) << row.id;
  }

  storage_test::InChild([&] {
    HANDLE printer = Open(context_test::kOffice);
    UCB* again = OpenOn(printer);
    for (const NumberRow& row : NumberRows()) EXPECT_EQ(Value(again, row.id), row.value) << row.id;
    for (const TextRow& row : TextRows()) EXPECT_EQ(Text(again, row.id), row.text) << row.id;
    Release(again);
  });
}

TEST_F(PrinterDataValues, NoTwoPrinterDataSettingsShareAValueName) {
  std::set<std::u16string> names;
  for (const SFCB& record : fgSFCB) {
    if (SettingBlockOf(record.descriptor) != kBlockPrinter || record.storage != kStoragePrinterData ||
        record.iniKey == nullptr) {
      continue;
    }
    EXPECT_TRUE(names.insert(record.iniKey).second) << record.funcId;
  }
  EXPECT_EQ(names.size(), 92u);  // 91 and "UserCode", the user code a print server imposes
}

TEST_F(PrinterDataValues, HostileValuesAreRefusedAndTheSettingKept) {
  struct Row {
    const char* what;
    WORD id;
    const char16_t* name;
    DWORD type;
    std::vector<BYTE> bytes;
  };
  const std::vector<BYTE> noZero(17, 'A');
  const Row rows[] = {
      {"number too short", 10012, u"RAM", REG_BINARY, {1, 2}},
      {"number too long", 10012, u"RAM", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"number of another type", 10012, u"RAM", REG_SZ, {'1', 0, 0, 0}},
      {"16-bit number of 4 bytes", 10276, u"CoverTray", REG_BINARY, {1, 0, 0, 0}},
      {"byte of 2 bytes", 10001, u"ServerUse", REG_BINARY, {1, 0}},
      {"REG_DWORD setting as binary", 10275, u"Logging", REG_BINARY, {1, 0, 0, 0}},
      {"bit of one byte", 10014, u"Duplex", REG_BINARY, {1}},
      {"empty value", 10014, u"Duplex", REG_BINARY, {}},
      {"text without its terminator", 1124, u"Tray1", REG_BINARY, noZero},
      {"text shorter than its field", 1124, u"Tray1", REG_BINARY, {'A', 0}},
      {"text longer than its field", 1124, u"Tray1", REG_BINARY, std::vector<BYTE>(40, 0)},
      {"text of another type", 10274, u"Other", REG_SZ, std::vector<BYTE>(33, 0)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    // What the setting holds when nothing is stored.
    UCB* plain = OpenOn(office_);
    const bool text = SettingKindIsString(SettingKindOf(Record(plain, row.id)->descriptor));
    const std::u16string plainText = text ? Text(plain, row.id) : u"";
    const LONG_PTR plainValue = text ? 0 : Value(plain, row.id);
    Release(plain);
    ASSERT_NO_FATAL_FAILURE(PutRaw(office_, row.name, row.type, row.bytes));
    UCB* ucb = OpenOn(office_);
    if (text) {
      EXPECT_EQ(Text(ucb, row.id), plainText);
    } else {
      EXPECT_EQ(Value(ucb, row.id), plainValue);
    }
    EXPECT_FALSE(GetDevmodeValueFromReg(office_, ucb, Record(ucb, row.id)));
    // Refused, not repaired: the stored value is as it was.
    EXPECT_EQ(ReadRaw(office_, row.name).bytes, row.bytes);
    Release(ucb);
    ASSERT_EQ(DeletePrinterDataW(office_, row.name), ERROR_SUCCESS);
  }
}

TEST_F(PrinterDataValues, AMissingValueLeavesTheSettingAndAKeylessRecordHasNothingToDo) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 10012, 64);
  EXPECT_FALSE(GetDevmodeValueFromReg(office_, ucb, Record(ucb, 10012)));
  EXPECT_EQ(Value(ucb, 10012), 64);
  SFCB* keyless = Record(ucb, 10015);
  ASSERT_EQ(keyless->iniKey, nullptr);
  EXPECT_TRUE(GetDevmodeValueFromReg(office_, ucb, keyless));
  EXPECT_TRUE(SetDevmodeValueToReg(office_, ucb, keyless));
  Release(ucb);
}

TEST_F(PrinterDataValues, UnderTheSettingNameTheKeyComesBackAfterwards) {
  UCB* ucb = OpenOn(office_);
  SFCB* code = Record(ucb, 203);  // kdmUserCode, kept under "UserCode" otherwise
  const LPCWSTR key = code->iniKey;
  SetText(ucb, 203, u"4711");
  EXPECT_TRUE(SetDevmodeValueToRegUseSetKey(office_, ucb, code));
  EXPECT_EQ(code->iniKey, key);
  const Raw raw = ReadRaw(office_, u"kdmUserCode");
  EXPECT_EQ(raw.bytes.size(), SettingSizeOf(code->descriptor));
  SetText(ucb, 203, u"");
  EXPECT_TRUE(GetDevmodeValueFromRegUseSetKey(office_, ucb, code));
  EXPECT_EQ(Text(ucb, 203), u"4711");
  EXPECT_EQ(code->iniKey, key);

  SFCB nameless = *code;
  nameless.name = nullptr;
  EXPECT_FALSE(GetDevmodeValueFromRegUseSetKey(office_, ucb, &nameless));
  EXPECT_FALSE(SetDevmodeValueToRegUseSetKey(office_, ucb, &nameless));
  EXPECT_FALSE(GetDevmodeValueFromRegUseSetKey(office_, ucb, nullptr));
  Release(ucb);
}

}  // namespace
}  // namespace property_test
