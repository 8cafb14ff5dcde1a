// Names matched ignoring case come from directory listings the stand-in keeps
// between lookups; files put in place behind its back must still be found,
// whether the change comes in the same clock tick as the listing or later.
#include "platform/files/folded_names.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/files/winpath.h"
#include "tests/platform/drive_files.h"

namespace {

// Long enough for a listing to be trusted again.
void LetTheListingSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(120)); }

std::string Found(const char16_t* path) {
  auto host = plat::HostPathOf(path);
  return host ? host->lexically_relative(plat::DriveRoot()).string() : "<unresolved>";
}

}  // namespace

TEST(FoldedNames, AFileAddedBehindTheStandInsBackIsFoundAtOnce) {
  plat::ScopedMachine machine;
  drive::Put("Data/Other.ini", "");
  EXPECT_EQ(Found(u"C:\\Data\\SETTINGS.INI"), "Data/SETTINGS.INI");  // not there: the caller's spelling
  drive::Put("Data/settings.ini", "");                                 // in the same clock tick
  EXPECT_EQ(Found(u"C:\\Data\\SETTINGS.INI"), "Data/settings.ini");
  LetTheListingSettle();
  EXPECT_EQ(Found(u"C:\\DATA\\OTHER.INI"), "Data/Other.ini");
  std::filesystem::rename(drive::Host("Data/Other.ini"), drive::Host("Data/Renamed.ini"));
  EXPECT_EQ(Found(u"C:\\DATA\\OTHER.INI"), "Data/OTHER.INI");
  EXPECT_EQ(Found(u"C:\\DATA\\RENAMED.INI"), "Data/Renamed.ini");
}

TEST(FoldedNames, AListingIsReusedOnlyWhileItsDirectoryIsUnchanged) {
  plat::ScopedMachine machine;
  drive::Put("Data/a.ini", "");
  const auto dir = drive::Host("Data");
  ASSERT_TRUE(plat::folded::FindIgnoringCase(dir, u"A.INI"));
  LetTheListingSettle();
  ASSERT_TRUE(plat::folded::FindIgnoringCase(dir, u"A.INI"));  // taken again: the first was too fresh
  const auto taken = plat::folded::ListingsTaken();
  EXPECT_FALSE(plat::folded::FindIgnoringCase(dir, u"B.INI"));
  EXPECT_EQ(plat::folded::ListingsTaken(), taken);  // the settled listing answered
  drive::Put("Data/b.ini", "");
  EXPECT_TRUE(plat::folded::FindIgnoringCase(dir, u"B.INI"));
  EXPECT_GT(plat::folded::ListingsTaken(), taken);
}

TEST(FoldedNames, NamesDifferingOnlyInCaseGiveTheFirstInHostOrder) {
  plat::ScopedMachine machine;
  drive::Put("Data/b.txt", "");
  drive::Put("Data/B.TXT", "");
  auto found = plat::folded::FindIgnoringCase(drive::Host("Data"), u"b.Txt");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->filename(), "B.TXT");
  EXPECT_FALSE(plat::folded::FindIgnoringCase(drive::Host("Missing"), u"b.txt"));
}
