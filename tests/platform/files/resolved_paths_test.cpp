// A path resolved before is resolved again from what the stand-in kept,
// without walking its folders, only while the folders it depends on are
// unchanged: names added, renamed or removed behind the stand-in's back,
// on the last folder or on a folder above one matched by another spelling,
// are seen by the next resolution.
#include "platform/files/resolved_paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/base/winerror.h"
#include "platform/files/winpath.h"
#include "tests/platform/drive_files.h"

namespace {

// Long enough for folder time stamps to be trusted.
void LetTheFoldersSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(120)); }

std::string Found(const char16_t* path) {
  auto host = plat::HostPathOf(path);
  return host ? host->lexically_relative(plat::DriveRoot()).string() : "<unresolved>";
}

// Resolves the path until its resolution is kept, so that the next one is
// answered without a walk; its result.
std::string FoundAndKept(const char16_t* path) {
  LetTheFoldersSettle();
  Found(path);
  const auto walks = plat::resolved::Walks();
  std::string found = Found(path);
  EXPECT_EQ(plat::resolved::Walks(), walks) << "the resolution was not kept";
  return found;
}

}  // namespace

TEST(ResolvedPaths, AKeptResolutionAnswersOnlyWhileItsFolderIsUnchanged) {
  plat::ScopedMachine machine;
  drive::Put("Data/Sub/a.ini", "");
  EXPECT_EQ(FoundAndKept(u"C:\\DATA\\SUB\\A.INI"), "Data/Sub/a.ini");
  EXPECT_EQ(FoundAndKept(u"C:\\Data\\Sub\\missing.ini"), "Data/Sub/missing.ini");
  const auto walks = plat::resolved::Walks();
  drive::Put("Data/Sub/b.ini", "");  // the folder changed: walked again
  EXPECT_EQ(Found(u"C:\\DATA\\SUB\\A.INI"), "Data/Sub/a.ini");
  EXPECT_GT(plat::resolved::Walks(), walks);
}

TEST(ResolvedPaths, NamesAddedRenamedOrRemovedBehindTheStandInsBackAreSeen) {
  plat::ScopedMachine machine;
  drive::Put("Data/Other.ini", "");
  EXPECT_EQ(FoundAndKept(u"C:\\Data\\SETTINGS.INI"), "Data/SETTINGS.INI");  // not there: as written
  drive::Put("Data/settings.ini", "");                                       // added
  EXPECT_EQ(Found(u"C:\\Data\\SETTINGS.INI"), "Data/settings.ini");
  EXPECT_EQ(FoundAndKept(u"C:\\DATA\\OTHER.INI"), "Data/Other.ini");
  std::filesystem::rename(drive::Host("Data/Other.ini"), drive::Host("Data/Renamed.ini"));
  EXPECT_EQ(Found(u"C:\\DATA\\OTHER.INI"), "Data/OTHER.INI");
  EXPECT_EQ(Found(u"C:\\DATA\\RENAMED.INI"), "Data/Renamed.ini");
  EXPECT_EQ(FoundAndKept(u"C:\\DATA\\RENAMED.INI"), "Data/Renamed.ini");
  std::filesystem::remove(drive::Host("Data/Renamed.ini"));
  EXPECT_EQ(Found(u"C:\\DATA\\RENAMED.INI"), "Data/RENAMED.INI");
}

// The folder above one matched by another spelling decides too: a folder
// of the written spelling made there wins from then on.
TEST(ResolvedPaths, AFolderOfTheWrittenSpellingMadeAboveWins) {
  plat::ScopedMachine machine;
  drive::Put("Data/Sub/x.ini", "");
  EXPECT_EQ(FoundAndKept(u"C:\\DATA\\Sub\\x.ini"), "Data/Sub/x.ini");
  drive::Put("DATA/Sub/x.ini", "");
  EXPECT_EQ(Found(u"C:\\DATA\\Sub\\x.ini"), "DATA/Sub/x.ini");
}

TEST(ResolvedPaths, AFolderRenamedOrRemovedOnTheWayFailsTheResolution) {
  plat::ScopedMachine machine;
  drive::Put("Deep/Inner/f.ini", "");
  drive::Put("Gone/Inner/g.ini", "");
  EXPECT_EQ(FoundAndKept(u"C:\\Deep\\Inner\\f.ini"), "Deep/Inner/f.ini");
  EXPECT_EQ(FoundAndKept(u"C:\\Gone\\Inner\\g.ini"), "Gone/Inner/g.ini");
  std::filesystem::rename(drive::Host("Deep"), drive::Host("Moved"));
  std::filesystem::remove_all(drive::Host("Gone"));
  for (const char16_t* path : {u"C:\\Deep\\Inner\\f.ini", u"C:\\Gone\\Inner\\g.ini"}) {
    SetLastError(0);
    EXPECT_EQ(Found(path), "<unresolved>");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  }
  EXPECT_EQ(Found(u"C:\\MOVED\\INNER\\F.INI"), "Moved/Inner/f.ini");
}

// Each machine has its own drive: a resolution kept on one is not taken on
// another.
TEST(ResolvedPaths, ResolutionsAreKeptForEachMachineApart) {
  std::filesystem::path first;
  {
    plat::ScopedMachine machine;
    drive::Put("Data/one.ini", "");
    EXPECT_EQ(FoundAndKept(u"C:\\Data\\ONE.INI"), "Data/one.ini");
    first = plat::DriveRoot();
  }
  plat::ScopedMachine machine;
  ASSERT_NE(plat::DriveRoot(), first);
  drive::Put("Data/ONE.ini", "");
  EXPECT_EQ(Found(u"C:\\Data\\ONE.INI"), "Data/ONE.ini");
}

// A path taken exactly as written holds while its entry exists; once that
// entry goes, another spelling of it is found.
TEST(ResolvedPaths, AnExactResolutionHoldsOnlyWhileItsEntryExists) {
  plat::ScopedMachine machine;
  drive::Put("Data/a.ini", "");
  drive::Put("Data/A.INI", "");
  EXPECT_EQ(FoundAndKept(u"C:\\Data\\a.ini"), "Data/a.ini");
  drive::Put("Data/other.ini", "");  // the folder changed: the entry still decides
  const auto walks = plat::resolved::Walks();
  EXPECT_EQ(Found(u"C:\\Data\\a.ini"), "Data/a.ini");
  EXPECT_EQ(plat::resolved::Walks(), walks);
  std::filesystem::remove(drive::Host("Data/a.ini"));
  EXPECT_EQ(Found(u"C:\\Data\\a.ini"), "Data/A.INI");
}
