// The keyword indexes answer exactly as a scan of the table in order does:
// the first record of a keyword (the value table names some twice), and
// nothing for a word that is no keyword, however close.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "settings/tables/keyword_index.h"

namespace {

template <class Record, std::size_t N>
const Record* Scan(const Record (&table)[N], std::string_view keyword) {
  for (const Record& r : table) {
    if (r.keyword != nullptr && keyword == r.keyword) return &r;
  }
  return nullptr;
}

TEST(KeywordIndex, EveryKeywordFindsTheFirstRecordThatCarriesIt) {
  for (const GK& g : fgGK) EXPECT_EQ(FindGroupKeyword(g.keyword), Scan(fgGK, g.keyword)) << g.keyword;
  int repeated = 0;
  for (const SP& s : fgSP) {
    const SP* first = Scan(fgSP, s.keyword);
    EXPECT_EQ(FindValueKeyword(s.keyword), first) << s.keyword;
    repeated += first != &s;
  }
  EXPECT_GT(repeated, 0) << "the value table names some keywords more than once";
}

TEST(KeywordIndex, WordsThatAreNoKeywordFindNothing) {
  const std::string group = fgGK[10].keyword;
  const std::string value = fgSP[10].keyword;
  for (const std::string& word : {std::string(), std::string("KPD_"), group.substr(0, group.size() - 1),
                                  group + "X", group + '\0', std::string("kpd_kdmplexor"), value + " ",
                                  value.substr(1), std::string("600"), std::string(300, 'K')}) {
    EXPECT_EQ(FindGroupKeyword(word), nullptr) << word;
    EXPECT_EQ(FindValueKeyword(word), nullptr) << word;
  }
  // A bounded view of a longer text is matched by its own length.
  const std::string longer = value + "_AND_MORE";
  EXPECT_EQ(FindValueKeyword(std::string_view(longer).substr(0, value.size())), Scan(fgSP, value));
}

TEST(KeywordIndex, NoValueKeywordIsANumber) {
  // Page values read a word as a number before they look it up, which is
  // only the same as looking it up first while no keyword is all digits.
  for (const SP& s : fgSP) {
    std::string_view word = s.keyword;
    if (!word.empty() && word.front() == '-') word.remove_prefix(1);
    EXPECT_NE(word.find_first_not_of("0123456789"), std::string_view::npos) << s.keyword;
  }
}

}  // namespace
