#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/ini/ini_script.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Fixture;

// Reads one key as text.
std::u16string Read(LPCSTR body, const WCHAR* key, LONG* position, DWORD size = 64) {
  std::u16string buffer(size, u'#');
  const DWORD length = GetScriptString(key, u"<none>", buffer.data(), size, body, position);
  buffer.resize(length);
  return buffer;
}

TEST(IniScriptSearch, SectionHeadersMatchByTheExactRules) {
  const std::string image = Fixture("script_search.rst");
  struct Case {
    const WCHAR* section;
    const char* firstBodyLine;  // null: not found
  };
  const Case cases[] = {
      {u"Office", "RstVersion=310"},  // the header is in capitals
      {u"office", "RstVersion=310"}, {u"Draft", "Duplex=1"},
      {u"Preset", nullptr},  // only "[ Preset ]" is there
      {u"Offic", nullptr},   // a prefix is not the name
      {u"OFFICE]", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.firstBodyLine ? c.firstBodyLine : "missing");
    LPCSTR body = GetSectionAddr(c.section, image.c_str());
    if (c.firstBodyLine == nullptr) {
      EXPECT_EQ(body, nullptr);
    } else {
      ASSERT_NE(body, nullptr);
      EXPECT_EQ(std::string(body).rfind(c.firstBodyLine, 0), 0u);
    }
  }
}

TEST(IniScriptSearch, KeysOutOfOrderAreFoundByWrappingOnce) {
  const std::string image = Fixture("script_search.rst");
  LPCSTR body = GetSectionAddr(u"Office", image.c_str());
  ASSERT_NE(body, nullptr);
  struct Step {
    const WCHAR* key;
    const char16_t* value;
  };
  const Step steps[] = {
      {u"kdmStaple", u"2"},   {u"RSTVERSION", u"310"},
      {u"dmPaperSize", u"9"}, {u"kdmTitle", u"Quarterly report"},
      {u"Duplex", u"<none>"},  // only in [Draft]
      {u"Name", u"<none>"},    // a blank stands before "="
      {u"kdmStaple", u"2"},
  };
  LONG position = 0;
  for (const Step& s : steps) EXPECT_EQ(Read(body, s.key, &position), s.value);
}

TEST(IniScriptSearch, PositionStepsOneLinePerKeyReadInOrder) {
  const std::string text = "[S]\r\na=1\r\nbb=2\r\nccc=3\r\n";
  LPCSTR body = GetSectionAddr(u"S", text.c_str());
  LONG position = 0;
  EXPECT_EQ(Read(body, u"a", &position), u"1");
  EXPECT_EQ(position, 5);
  EXPECT_EQ(Read(body, u"bb", &position), u"2");
  EXPECT_EQ(position, 11);
  EXPECT_EQ(Read(body, u"ccc", &position), u"3");
  EXPECT_EQ(position, 18);                       // the end of the body
  EXPECT_EQ(Read(body, u"a", &position), u"1");  // wraps from the end
  EXPECT_EQ(Read(body, u"zz", &position), u"<none>");
  EXPECT_EQ(position, 0);
}

TEST(IniScriptSearch, APositionThatIsNoLineOfTheBodyStartsAtItsFirstLine) {
  // A position kept from another (longer) section: it must never lead the
  // search past the text, into the next section, or into the middle of a line.
  const std::string text = "[S]\r\nxa=1\r\nb=2\r\n[T]\r\na=9\r\n";
  const std::vector<char> image(text.c_str(), text.c_str() + text.size() + 1);  // exact heap block
  LPCSTR body = GetSectionAddr(u"S", image.data());
  ASSERT_NE(body, nullptr);
  const struct {
    LONG start;
    const char16_t* key;
    const char16_t* value;
  } cases[] = {
      {40, u"b", u"2"},        // past the end of the text
      {16, u"a", u"<none>"},   // a key line of the next section
      {1, u"a", u"<none>"},    // inside the key "xa"
      {6, u"b", u"2"},         // a line start of the body stays usable
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    LONG position = c.start;
    EXPECT_EQ(Read(body, c.key, &position), c.value);
  }
}

TEST(IniScriptSearch, WithoutBodyTheDefaultComesBack) {
  LONG position = 7;
  EXPECT_EQ(Read(nullptr, u"a", &position), u"<none>");
  EXPECT_EQ(position, 0);
  EXPECT_EQ(Read(nullptr, u"a", &position, 4), u"<no");  // cut to size - 1
}

TEST(IniScriptSearch, ValuesEndAtTheLineAndAreCutToTheBuffer) {
  const std::string text = "[S]\nlf=one\ncr=two\r\nlast=three";
  LPCSTR body = GetSectionAddr(u"S", text.c_str());
  LONG position = 0;
  EXPECT_EQ(Read(body, u"lf", &position), u"one");
  EXPECT_EQ(Read(body, u"cr", &position), u"two");
  EXPECT_EQ(Read(body, u"last", &position), u"three");
  EXPECT_EQ(Read(body, u"last", &position, 3), u"th");
  EXPECT_EQ(Read(body, u"cr", &position, 1), u"");
}

TEST(IniScriptSearch, ADoubleByteCharacterIsNeverSplit) {
  storage_test::ScopedAnsiCodePage japanese(932);
  const std::string text = "[S]\nv=a\x82\xa0\n";  // "a" and HIRAGANA LETTER A
  LPCSTR body = GetSectionAddr(u"S", text.c_str());
  LONG position = 0;
  EXPECT_EQ(Read(body, u"v", &position, 3), u"a");  // two bytes of room, not three
  EXPECT_EQ(Read(body, u"v", &position, 4), u"a\u3042");
}

TEST(IniScriptSearch, IntegersTakeTenCharactersAndDefaultWhenEmpty) {
  const std::string text =
      "[S]\npos=42\nneg=-7\nplus=+5\nempty=\ntail=12abc\nlong=12345678901\nword=abc\n";
  LPCSTR body = GetSectionAddr(u"S", text.c_str());
  const std::pair<const WCHAR*, INT> cases[] = {
      {u"pos", 42},  {u"neg", -7}, {u"plus", 5},          {u"empty", 99},
      {u"tail", 12}, {u"word", 0}, {u"long", 1234567890}, {u"missing", 99},
  };
  for (const auto& [key, expected] : cases) {
    LONG position = 0;
    EXPECT_EQ(GetScriptInt(key, 99, body, &position), expected) << std::u16string(key).size();
  }
}

TEST(IniScriptSearch, RawSectionSearchGivesHeaderAndExtent) {
  const std::string text = "; c\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n\r\n[C]\r\nz";
  struct Case {
    const char* section;
    std::size_t offset;  // npos: missing
    DWORD length;
  };
  const Case cases[] = {
      {"A", 5, 10},   // to the next header
      {"b", 15, 12},  // ignoring case, blank line included
      {"C", 27, 6},   // to the end of the text
      {"D", std::string::npos, 0},
  };
  for (const Case& c : cases) {
    DWORD length = 0;
    LPCSTR header =
        SearchSectionName(c.section, text.data(), static_cast<DWORD>(text.size()), &length);
    if (c.offset == std::string::npos) {
      EXPECT_EQ(header, nullptr);
    } else {
      ASSERT_NE(header, nullptr) << c.section;
      EXPECT_EQ(static_cast<std::size_t>(header - text.data()), c.offset) << c.section;
      EXPECT_EQ(length, c.length) << c.section;
    }
  }
}

TEST(IniScriptSearch, RawSectionSearchStopsAtTheGivenLength) {
  const std::string text = "[A]\nx=1\n[B]\ny=2\n";
  EXPECT_EQ(SearchSectionName("B", text.data(), 9, nullptr), nullptr);  // "[B" is cut
  const std::string withZero = std::string("[A]\nx=\0\n[B]\n", 12);
  EXPECT_NE(SearchSectionName("B", withZero.data(), 12, nullptr), nullptr);
}

TEST(IniScriptSearch, BracketsInSectionNamesBecomeCommas) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"Office [2F]", u"Office ,2F,"}, {u"[[x]]", u",,x,,"}, {u"plain", u"plain"}, {u"", u""}};
  for (auto [name, expected] : cases) {
    EXPECT_EQ(std::u16string(CnvSQUAREBRACKETS(name.data())), expected);
  }
  EXPECT_EQ(CnvSQUAREBRACKETS(nullptr), nullptr);
}

TEST(IniScriptSearch, SkipLineGoesPastTheLineFeed) {
  const char* text = "ab\r\ncd";
  EXPECT_EQ(SkipLine(text), text + 4);
  EXPECT_EQ(SkipLine(text + 4), text + 6);
  EXPECT_EQ(SkipLine(nullptr), nullptr);
}

}  // namespace
