// The set-file tests' machine: the property tests' printers and settings
// INI, a folder C:\Sets for set files, the fixtures of tests/data/setfiles,
// and a reader of the sections of a file as the tests expect them.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/setfiles/set_file.h"
#include "tests/storage/properties/property_fixture.h"

namespace setfile_test {

inline constexpr const char16_t* kDriver = u"Kesm 4200 Series";   // the real driver name
inline constexpr const char16_t* kPrinter = context_test::kOffice;  // "Office 2F"
inline constexpr const char* kDriverSection = "Kesm 4200 Series";
inline constexpr const char* kPrinterSection = "Office 2F";
// The section of driver-wide entries: the language code of the context's
// language setting. A context's defaults take the language of the printer's
// recorded help file, which SetUp makes a Japanese one (language 0).
inline constexpr const char* kLanguageSection = "jp";
inline constexpr const char16_t* kSetPath = u"C:\\Sets\\office.rst";
inline constexpr const char* kSetFile = "Sets/office.rst";
inline constexpr const char16_t* kCompanionPath = u"C:\\_kesm\\kesmtxt.txt";
inline constexpr const char* kCompanionFile = "_kesm/kesmtxt.txt";
inline constexpr const char* kSettingsIni = "_kesm/kesmusr.ini";

// A fixture file of tests/data/setfiles.
inline std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(KESM_TEST_DATA) + "/setfiles/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines "key=value" of the first section of that name (nothing when
// the file has no such section), in their order.
using Lines = std::vector<std::pair<std::string, std::string>>;
inline std::optional<Lines> Section(const std::string& text, const std::string& name) {
  std::optional<Lines> lines;
  bool inside = false;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      if (inside) break;
      inside = line == "[" + name + "]";
      if (inside) lines.emplace();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inside && equals != std::string::npos) lines->emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return lines;
}

// The value of a key in a section, "<none>" when missing.
inline std::string ValueIn(const std::optional<Lines>& lines, const std::string& key) {
  if (!lines) return "<none>";
  for (const auto& [k, v] : *lines) {
    if (k == key) return v;
  }
  return "<none>";
}

class SetFileTest : public property_test::PropertyTest {
 protected:
  void SetUp() override {
    PropertyTest::SetUp();
    storage_test::Put("Sets/.keep", "");
    for (HANDLE printer : {office_, lobby_}) ASSERT_NO_FATAL_FAILURE(RecordHelpFile(printer, u"kesmjp.hlp"));
  }

  // The help file installation records for the printer; the language of a
  // context's defaults is read from its name.
  static void RecordHelpFile(HANDLE printer, const std::u16string& name) {
    ASSERT_EQ(SetPrinterDataW(printer, u"HelpFileName", REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                              static_cast<DWORD>((name.size() + 1) * sizeof(char16_t))),
              ERROR_SUCCESS);
  }

  // The version keys of a section, in their order.
  static std::vector<std::string> VersionKeys(const std::optional<Lines>& lines) {
    std::vector<std::string> keys;
    if (!lines) return keys;
    for (const auto& entry : *lines) {
      if (entry.first.rfind("Rst", 0) == 0) keys.push_back(entry.first);
    }
    return keys;
  }

  // Every byte of the context's settings, to see that nothing changed.
  static std::vector<BYTE> Snapshot(UCB* ucb) {
    const auto* bytes = reinterpret_cast<const BYTE*>(ucb->pDCB);
    return std::vector<BYTE>(bytes, bytes + sizeof(DCB));
  }

  // The version keys of this driver for a context whose language is 0, on
  // a system of OS kind 2 (Windows 2000 or later) unless told.
  static std::string DriverKeys(int version = 310, int machine = 169, int language = 0, int osKind = 2) {
    return "RstVersion=" + std::to_string(version) + "\r\nRstMachine=" + std::to_string(machine) +
           "\r\nRstLanguage=" + std::to_string(language) + "\r\nRstOSKind=" + std::to_string(osKind) + "\r\n";
  }
};

}  // namespace setfile_test
