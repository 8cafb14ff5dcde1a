// The feature modules' tests: contexts of the set-file tests' machine (the
// fictional Kesm 4200 driver, printer "Office 2F" whose settings INI is
// C:\_kesm\kesmusr.ini, language section "jp"), and the context's own copy
// of the module table, whose rows a test may replace to watch the
// dispatchers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/custom_modules.h"
#include "features/module_table/custom_table.h"
#include "settings/context/context_block.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace features_test {

inline constexpr const char16_t* kSection = u"Office 2F";
inline constexpr const char16_t* kLanguage = u"jp";

class FeatureTest : public setfile_test::SetFileTest {
 protected:
  void SetUp() override {
    SetFileTest::SetUp();
    ucb_ = OpenOn(office_);
    ASSERT_NE(ucb_, nullptr);
  }
  void TearDown() override {
    Release(ucb_);
    SetFileTest::TearDown();
  }

  CUSTOMTABLE* Table() const { return ucb_->pWork->pCustom; }
  CUSTOMROW& Row(int i) const { return Table()->rows[i]; }
  LONG_PTR V(WORD id) const { return Value(ucb_, id); }
  void S(WORD id, LONG_PTR value) const { Set(ucb_, id, value); }
  std::u16string IniText(const char16_t* section, const char16_t* key) const { return Ini(ucb_, section, key); }
  void PutText(const char16_t* section, const char16_t* key, const char16_t* value) const {
    PutIni(ucb_, section, key, value);
  }

  UCB* ucb_ = nullptr;
};

}  // namespace features_test
