// The property tests' machine: the fictional Kesm 4200 driver with its two
// printers (from the context tests), the shared data folder that holds the
// settings INI, contexts opened and released the way the entry points do,
// and raw access to printer data and INI text to see what was stored.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/context_fixture.h"
#include "tests/settings/kpd/kpd_compile_sample.h"
#include "tests/storage/storage_support.h"

namespace property_test {

// A printer-data value as stored.
struct Raw {
  bool present = false;
  DWORD type = 0;
  std::vector<BYTE> bytes;
};

inline Raw ReadRaw(HANDLE printer, const char16_t* name) {
  Raw raw;
  DWORD needed = 0;
  if (GetPrinterDataW(printer, name, &raw.type, nullptr, 0, &needed) == ERROR_FILE_NOT_FOUND) return raw;
  raw.bytes.resize(needed);
  raw.present = GetPrinterDataW(printer, name, &raw.type, raw.bytes.data(), needed, &needed) == ERROR_SUCCESS;
  return raw;
}

inline void PutRaw(HANDLE printer, const char16_t* name, DWORD type, std::vector<BYTE> bytes) {
  ASSERT_EQ(SetPrinterDataW(printer, name, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS)
     ;
}

inline std::vector<BYTE> Le(DWORD value, std::size_t width) {
  std::vector<BYTE> bytes;
  for (std::size_t i = 0; i < width; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
  return bytes;
}

// The compiled colour sample description (device fonts, a cartridge font
// and a two-pair substitution table).
class ColourDescription {
 public:
  ColourDescription() {
    packed_ = kpdtest::PackAndFree(kpdtest::CompileText(kpdtest::Fixture("kesm_c7_colour.kpd"), nullptr));
  }
  PCBKPD get() const { return packed_.Load(); }
  void AttachTo(UCB* ucb) const { ucb->pBKPD = reinterpret_cast<BKPD*>(const_cast<BKPDHEADER*>(get())); }

 private:
  kpdtest::Packed packed_;
};

class PropertyTest : public context_test::ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    storage_test::Put("_kesm/.keep", "");
  }

  UCB* OpenOn(HANDLE printer, DWORD mode = context_test::kSheetMode) {
    UCB* ucb = OpenContext(printer, mode);
    EXPECT_NE(ucb, nullptr);
    return ucb;
  }
  // Releases the context and frees it at once, as a process end would.
  static void Release(UCB* ucb) {
    if (ucb != nullptr && ucb->pBKPD != nullptr) ucb->pBKPD = nullptr;
    FreeUcb(ucb);
    FreeStoredUcb(TRUE);
  }

  static SFCB* Record(UCB* ucb, WORD id) { return GetSFCBbyFuncID(ucb, id); }
  static LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }
  static void Set(UCB* ucb, WORD id, LONG_PTR value) {
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, id, value)) << id;
  }
  static std::u16string Text(UCB* ucb, WORD id) {
    WCHAR text[kScratchChars] = {};
    GetDevmodeStringBySFCB(ucb, Record(ucb, id), text);
    return text;
  }
  static void SetText(UCB* ucb, WORD id, const char16_t* text) {
    ASSERT_NE(SetDevmodeStringBySFCB(ucb, Record(ucb, id), text), nullptr) << id;
  }

  // An INI value of the context's settings INI, "<none>" when missing.
  static std::u16string Ini(UCB* ucb, const char16_t* section, const char16_t* key) {
    WCHAR text[1100] = {};
    GetPrivateProfileStringW(section, key, u"<none>", text, 1100, GetIniFilePath(ucb));
    return text;
  }
  static void PutIni(UCB* ucb, const char16_t* section, const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, GetIniFilePath(ucb)));
  }
};

}  // namespace property_test
