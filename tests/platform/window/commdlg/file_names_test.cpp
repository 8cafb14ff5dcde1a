// The file dialog's names apart from its windows: the caller's filter
// block, patterns, the folder chain and the result with its offsets.
#include "platform/window/commdlg/file_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/utf.h"

namespace {

using plat::commdlg::FileResult;
std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

TEST(FileNames, AFilterBlockGivesItsPairsUpToTheEmptyName) {
  const char16_t block[] = u"Set files\0*.rst\0Pictures\0*.bmp; *.dib\0\0Never read\0*.x\0";
  const auto pairs = plat::commdlg::ParseFilter(block);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(Narrow(pairs[1].name), "Pictures");
  const auto patterns = plat::commdlg::SplitPatterns(pairs[1].patterns);
  ASSERT_EQ(patterns.size(), 2u);
  EXPECT_EQ(Narrow(patterns[1]), "*.dib");
  // A block cut short is read no further than its limit, and a name
  // without patterns ends the list.
  const char16_t cut[] = {u'A', 0, u'*', u'.', u'a', 0, u'B', u'B'};
  EXPECT_EQ(plat::commdlg::ParseFilter(cut, sizeof cut / sizeof cut[0]).size(), 1u);
  const char16_t nameOnly[] = u"Lonely\0\0";
  EXPECT_TRUE(plat::commdlg::ParseFilter(nameOnly).empty());
  EXPECT_TRUE(plat::commdlg::ParseFilter(nullptr).empty());
}

TEST(FileNames, PatternsMatchWithTheStarAndTheQuestionMark) {
  const std::vector<std::u16string> patterns = {u"*.rst", u"b?.txt"};
  struct Case {
    const char16_t* name;
    bool matches;
  } cases[] = {
      {u"office.rst", true}, {u"OFFICE.RST", true}, {u"office.rs", false}, {u"b1.txt", true},
      {u"b12.txt", false},   {u"b.txt", true},      {u"a1.txt", false},  // "?" before a dot may match nothing
  };
  for (const Case& c : cases) EXPECT_EQ(plat::commdlg::MatchesAny(patterns, c.name), c.matches) << Narrow(c.name);
}

TEST(FileNames, AFolderIsAChainFromTheRoot) {
  const auto chain = plat::commdlg::FolderChain(u"C:\\Sets\\My Presets");
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(Narrow(chain[0]), "C:\\");
  EXPECT_EQ(Narrow(chain[2]), "My Presets");
  EXPECT_EQ(Narrow(plat::commdlg::ChainFolder(chain)), "C:\\Sets\\My Presets");
  EXPECT_EQ(plat::commdlg::FolderChain(u"C:\\").size(), 1u);
  EXPECT_EQ(Narrow(plat::commdlg::ChainFolder(plat::commdlg::FolderChain(u"C:\\"))), "C:\\");
}

TEST(FileNames, TheResultCarriesTheOffsetsOfItsNameAndExtension) {
  struct Case {
    const char16_t* folder;
    std::vector<std::u16string> names;
    const char* text;
    WORD fileOffset;
    WORD extensionOffset;
  } cases[] = {
      {u"C:\\Sets", {u"office.rst"}, "C:\\Sets\\office.rst", 8, 15},
      {u"C:\\", {u"a.b.c"}, "C:\\a.b.c", 3, 7},
      {u"C:\\Sets", {u"noext"}, "C:\\Sets\\noext", 8, 13},     // the terminator's offset
      {u"C:\\Sets", {u"dot."}, "C:\\Sets\\dot.", 8, 0},        // a name ending in a dot
      {u"C:\\SETS~1", {u"a.rst", u"B.RST"}, "C:\\SETS~1 a.rst B.RST", 10, 0},
      {u"C:\\", {u"a.rst", u"b.rst"}, "C:\\ a.rst b.rst", 4, 0},
  };
  for (const Case& c : cases) {
    const FileResult r = plat::commdlg::ResultOf(c.folder, c.names);
    EXPECT_EQ(Narrow(r.text), c.text);
    EXPECT_EQ(r.fileOffset, c.fileOffset) << c.text;
    EXPECT_EQ(r.extensionOffset, c.extensionOffset) << c.text;
  }
}

}  // namespace
