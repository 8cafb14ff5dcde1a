#include "storage/properties/printer_fonts.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "storage/system/printer_data.h"

namespace {

using storage::ValueRead;

// One font set: where the context keeps it, its printer-data values and
// where the description keeps it.
struct FontSet {
  int array;  // index in kDcbOwnedArrays
  LPCWSTR countName;
  LPCWSTR arrayName;
  LPVOID (*fromDescription)(UCB*, LPDWORD);
};
constexpr FontSet kDeviceFonts{kDcbDeviceFonts, u"DeviceFontNum", u"DeviceFont",
                               [](UCB* ucb, LPDWORD count) -> LPVOID { return BKPDGetDeviceFont(ucb, count); }};
constexpr FontSet kOptionFonts{kDcbOptionFonts, u"OptionFontNum", u"OptionFont",
                               [](UCB* ucb, LPDWORD count) -> LPVOID { return BKPDGetOptionFont(ucb, count); }};

// The names of the two tables' values.
struct TableNames {
  LPCWSTR count;      // the count the table is read by
  LPCWSTR trueType;   // prefix of the TrueType halves
  LPCWSTR device;     // prefix of the device halves
};
constexpr TableNames kCurrentTable{u"FontTableNum", u"TTFontTable", u"DevFontTable"};
constexpr TableNames kDefaultTable{u"DefFontTableNum", u"TTFontDefTable", u"DevFontDefTable"};
constexpr const WCHAR* kLastPairName = u"LastFontTableNum";

constexpr DWORD kHalfBytes = sizeof(KESMFONTPAIR::trueType);
constexpr DWORD kMaxCount = 0xFFFF;  // counts are kept in 16 bits

const TableNames& NamesOf(DWORD mode) { return (mode & kFontsDefaultTable) != 0 ? kDefaultTable : kCurrentTable; }

// "prefix" followed by the number.
class NumberedName {
 public:
  NumberedName(LPCWSTR prefix, DWORD number) {
    std::size_t n = 0;
    for (; prefix[n] != 0 && n < kPrefixChars; ++n) text_[n] = prefix[n];
    char digits[12] = {};
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    for (const char* d = digits; d != end; ++d) text_[n++] = static_cast<WCHAR>(*d);
    text_[n] = 0;
  }
  LPCWSTR get() const { return text_.data(); }

 private:
  static constexpr std::size_t kPrefixChars = 24;
  std::array<WCHAR, kPrefixChars + 12> text_{};
};

bool NameEnds(const WCHAR (&name)[kFontNameChars]) {
  return std::u16string_view(name, kFontNameChars).find(u'\0') != std::u16string_view::npos;
}

WORD OpenKind(const UCB* ucb) { return ucb->pWork != nullptr ? ucb->pWork->wOpenKind : 0; }

// Whether the saved state holds the same set; with open kind 0 only.
bool SameAsSaved(const UCB* ucb, int array, WORD count, const void* entries) {
  if (OpenKind(ucb) != 0 || ucb->pWork == nullptr || ucb->pWork->pDCB2 == nullptr) return false;
  const DcbOwnedArray& owned = kDcbOwnedArrays[array];
  const DcbArray saved = GetDcbArray(ucb->pWork->pDCB2, owned);
  if (saved.count != count) return false;
  if (count == 0) return true;
  return saved.entries != nullptr && entries != nullptr &&
         std::memcmp(saved.entries, entries, std::size_t{count} * owned.entrySize) == 0;
}

// Empties one array of the current DCB.
void DropArray(UCB* ucb, int array) {
  const DcbOwnedArray& owned = kDcbOwnedArrays[array];
  FreeMemPtr(GetDcbArray(ucb->pDCB, owned).entries);
  SetDcbArray(ucb->pDCB, owned, {});
}

ValueRead ReadCount(HANDLE printer, LPCWSTR name, WORD* count) {
  return storage::ReadPrinterValue(printer, name, REG_BINARY, count, sizeof(WORD));
}

BOOL WriteCount(HANDLE printer, LPCWSTR name, DWORD count) {
  const WORD value = static_cast<WORD>(count);
  return SetDataToReg(printer, &value, sizeof value, name, nullptr);
}

// The set to write: the description's (owned here) or the context's.
class SourceSet {
 public:
  SourceSet(UCB* ucb, int array, DWORD mode, LPVOID (*fromDescription)(UCB*, LPDWORD)) {
    if ((mode & kFontsFromDescription) != 0) {
      DWORD count = 0;
      owned_ = static_cast<BYTE*>(fromDescription(ucb, &count));
      entries_ = owned_;
      count_ = entries_ != nullptr ? count : 0;
    } else {
      const DcbArray held = GetDcbArray(ucb->pDCB, kDcbOwnedArrays[array]);
      entries_ = held.entries;
      count_ = held.entries != nullptr ? held.count : 0;
    }
  }
  ~SourceSet() { FreeMemPtr(owned_); }
  SourceSet(const SourceSet&) = delete;
  SourceSet& operator=(const SourceSet&) = delete;
  const BYTE* entries() const { return entries_; }
  DWORD count() const { return count_; }

 private:
  BYTE* owned_ = nullptr;
  const BYTE* entries_ = nullptr;
  DWORD count_ = 0;
};

BOOL WriteFontSet(HANDLE printer, UCB* ucb, DWORD mode, const FontSet& set) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  const SourceSet source(ucb, set.array, mode, set.fromDescription);
  if (source.count() == 0 || source.count() > kMaxCount) return FALSE;
  if ((mode & kFontsIfChanged) != 0 &&
      SameAsSaved(ucb, set.array, static_cast<WORD>(source.count()), source.entries())) {
    return TRUE;
  }
  return SetDataToReg(printer, source.entries(), source.count() * sizeof(KESMFONT), set.arrayName, ucb) &&
         WriteCount(printer, set.countName, source.count());
}

BOOL ReadFontSet(HANDLE printer, UCB* ucb, const FontSet& set) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  DropArray(ucb, set.array);
  WORD count = 0;
  ValueRead read = ReadCount(printer, set.countName, &count);
  if (read == ValueRead::kMissing) {
    if (!WriteFontSet(printer, ucb, kFontsFromDescription, set)) return TRUE;
    read = ReadCount(printer, set.countName, &count);
  }
  if (read != ValueRead::kRead || count == 0) return FALSE;
  auto* fonts = static_cast<KESMFONT*>(GetMemPtr(std::size_t{count} * sizeof(KESMFONT)));
  if (fonts == nullptr) return FALSE;
  bool sound = storage::ReadPrinterValue(printer, set.arrayName, REG_BINARY, fonts,
                                         count * static_cast<DWORD>(sizeof(KESMFONT))) == ValueRead::kRead;
  for (WORD i = 0; sound && i < count; ++i) sound = NameEnds(fonts[i].name);
  if (!sound) {
    FreeMemPtr(fonts);
    return FALSE;
  }
  SetDcbArray(ucb->pDCB, kDcbOwnedArrays[set.array], {count, reinterpret_cast<BYTE*>(fonts)});
  return TRUE;
}

// Reads the table whose count value is named into the context.
BOOL ReadTable(HANDLE printer, UCB* ucb, DWORD mode, WORD count) {
  if (count == 0) return TRUE;
  auto* pairs = static_cast<BYTE*>(GetMemPtr(std::size_t{count} * sizeof(KESMFONTPAIR)));
  if (pairs == nullptr) return FALSE;
  GetFontTableEx(printer, pairs, count, mode);
  SetDcbArray(ucb->pDCB, kDcbOwnedArrays[kDcbFontTable], {count, pairs});
  return TRUE;
}

// Removes the current pairs numbered after count and records count as the
// last pair.
BOOL TrimCurrentTable(HANDLE printer, DWORD count) {
  WORD last = 0;
  if (ReadCount(printer, kLastPairName, &last) != ValueRead::kRead) last = 0;
  BOOL removed = TRUE;
  for (DWORD n = count + 1; n <= last; ++n) {
    removed &= storage::DeletePrinterValue(printer, NumberedName(kCurrentTable.trueType, n).get());
    removed &= storage::DeletePrinterValue(printer, NumberedName(kCurrentTable.device, n).get());
  }
  return removed && WriteCount(printer, kLastPairName, count);
}

}  // namespace

BOOL GetDeviceFont(HANDLE printer, UCB* ucb) { return ReadFontSet(printer, ucb, kDeviceFonts); }

BOOL GetOptionFont(HANDLE printer, UCB* ucb) { return ReadFontSet(printer, ucb, kOptionFonts); }

BOOL SetDeviceFont(HANDLE printer, UCB* ucb, DWORD mode) { return WriteFontSet(printer, ucb, mode, kDeviceFonts); }

BOOL SetOptionFont(HANDLE printer, UCB* ucb, DWORD mode) { return WriteFontSet(printer, ucb, mode, kOptionFonts); }

BOOL GetFontTable(HANDLE printer, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  DropArray(ucb, kDcbFontTable);
  WORD count = 0;
  ValueRead read = ReadCount(printer, kCurrentTable.count, &count);
  if (read == ValueRead::kMissing) {
    if (!SetFontTable(printer, ucb, kFontsFromDescription)) return TRUE;
    read = ReadCount(printer, kCurrentTable.count, &count);
  }
  if (read == ValueRead::kMissing) return TRUE;  // a description without a table
  if (read != ValueRead::kRead) return FALSE;
  // Only pairs that were written may be counted.
  WORD last = 0;
  if (count != 0 && (ReadCount(printer, kLastPairName, &last) != ValueRead::kRead || count > last)) return FALSE;
  return ReadTable(printer, ucb, 0, count);
}

BOOL SetFontTable(HANDLE printer, UCB* ucb, DWORD mode) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  const SourceSet source(ucb, kDcbFontTable, mode,
                         [](UCB* u, LPDWORD count) -> LPVOID { return BKPDGetFontTable(u, count); });
  const bool fromDescription = (mode & kFontsFromDescription) != 0;
  if (fromDescription && source.count() == 0) return TRUE;
  if (source.count() > kMaxCount) return FALSE;
  if ((mode & kFontsDefaultTable) != 0) {
    return SetFontTableEx(printer, source.entries(), source.count(), kFontsDefaultTable);
  }
  if ((mode & kFontsIfChanged) != 0 &&
      SameAsSaved(ucb, kDcbFontTable, static_cast<WORD>(source.count()), source.entries())) {
    return TRUE;
  }
  // New pairs first, then the count that makes them the table, then the
  // pairs of a longer earlier table go: a failure on the way leaves a
  // readable table.
  return SetFontTableEx(printer, source.entries(), source.count(), 0) &&
         WriteCount(printer, kCurrentTable.count, source.count()) && TrimCurrentTable(printer, source.count());
}

BOOL SetFontTableEx(HANDLE printer, LPCVOID table, DWORD count, DWORD mode) {
  if (count > kMaxCount || (count != 0 && table == nullptr)) return FALSE;
  const TableNames& names = NamesOf(mode);
  const auto* pairs = static_cast<const KESMFONTPAIR*>(table);
  BOOL written = TRUE;
  for (DWORD n = 1; n <= count && written; ++n) {
    written = SetDataToReg(printer, pairs[n - 1].trueType, kHalfBytes, NumberedName(names.trueType, n).get(),
                           nullptr) &&
              SetDataToReg(printer, pairs[n - 1].device, kHalfBytes, NumberedName(names.device, n).get(), nullptr);
  }
  if (!written) return FALSE;
  if ((mode & kFontsDefaultTable) != 0) return WriteCount(printer, kDefaultTable.count, count);
  WORD last = 0;
  if (ReadCount(printer, kLastPairName, &last) == ValueRead::kRead && last > count) return TRUE;
  return WriteCount(printer, kLastPairName, count);
}

DWORD GetFontTableEx(HANDLE printer, LPVOID buffer, DWORD count, DWORD mode) {
  if (buffer == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  const TableNames& names = NamesOf(mode);
  auto* pairs = static_cast<KESMFONTPAIR*>(buffer);
  DWORD result = 0;
  for (DWORD n = 1; n <= count; ++n) {
    KESMFONTPAIR& pair = pairs[n - 1];
    const ValueRead trueType =
        storage::ReadPrinterValue(printer, NumberedName(names.trueType, n).get(), REG_BINARY, pair.trueType, kHalfBytes);
    const ValueRead device =
        storage::ReadPrinterValue(printer, NumberedName(names.device, n).get(), REG_BINARY, pair.device, kHalfBytes);
    if (trueType == ValueRead::kRead && device == ValueRead::kRead && NameEnds(pair.trueType) &&
        NameEnds(pair.device)) {
      continue;
    }
    std::memset(&pair, 0, sizeof pair);
    result = trueType == ValueRead::kMissing || device == ValueRead::kMissing ? ERROR_FILE_NOT_FOUND
                                                                                : ERROR_INVALID_DATA;
  }
  return result;
}

BOOL DeleteFontTableEx(HANDLE printer) { return TrimCurrentTable(printer, 0); }

BOOL GetFontTableDefault(HANDLE printer, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  DropArray(ucb, kDcbFontTable);
  WORD count = 0;
  if (ReadCount(printer, kDefaultTable.count, &count) != ValueRead::kRead) return FALSE;
  return ReadTable(printer, ucb, kFontsDefaultTable, count);
}

BOOL SetFontTableDefault(HANDLE printer, UCB* ucb) {
  WORD count = 0;
  if (ReadCount(printer, kDefaultTable.count, &count) != ValueRead::kMissing) return TRUE;
  return SetFontTable(printer, ucb, kFontsFromDescription | kFontsDefaultTable);
}

BOOL GetFontProperties(HANDLE printer, UCB* ucb) {
  const BOOL device = GetDeviceFont(printer, ucb);
  const BOOL option = GetOptionFont(printer, ucb);
  const BOOL table = GetFontTable(printer, ucb);
  return device && option && table;
}

BOOL SetFontProperties(HANDLE printer, UCB* ucb) {
  SetDeviceFont(printer, ucb, kFontsIfChanged);
  SetOptionFont(printer, ucb, kFontsIfChanged);
  SetFontTable(printer, ucb, kFontsIfChanged);
  return TRUE;
}

BOOL SetFontPropertiesx(HANDLE printer, UCB* ucb) {
  SetDeviceFont(printer, ucb, kFontsFromDescription);
  SetOptionFont(printer, ucb, kFontsFromDescription);
  SetFontTable(printer, ucb, kFontsFromDescription);
  return TRUE;
}
