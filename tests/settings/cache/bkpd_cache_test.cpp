// The description cache on a test machine whose driver carries the rich
// sample as its data file: when the BCS file beside it is taken, rebuilt,
// deleted or left alone; that it is only ever written whole; how the
// process list keys, shares and frees descriptions, also under memory
// failure and from many threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/files/file_watch.h"
#include "platform/files/winfile.h"
#include "settings/context/context_open.h"
#include "settings/system/memptr.h"
#include "tests/platform/drive_files.h"
#include "tests/settings/cache/description_machine.h"

namespace cache_test {
namespace {

TEST_F(DescriptionCache, TheFirstOpenCompilesTheTextAndWritesTheCacheWhole) {
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_EQ(Read(CacheFile()), Bytes(b));
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(Create(), b) << "listed: the same block again";
}

TEST_F(DescriptionCache, ASecondOpenInTheProcessDoesNoFileIO) {
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  kesm_test::HandContext c(printer_);
  const std::size_t opens = plat::FileOpens();
  EXPECT_EQ(BKPDCreate(c.ucb()), b);
  EXPECT_EQ(GetTargetBkpd(DataPath().c_str()), b);
  EXPECT_EQ(plat::FileOpens(), opens) << "neither the text nor the cache is opened again";
}

struct CacheCase {
  const char* what;
  int age;                 // seconds the cache is newer than the text
  const char16_t* used;    // the description opened
  bool rewritten;          // the cache then holds the text's block
};

TEST_F(DescriptionCache, ACacheIsTakenOnlyWhenNotOlderSoundAndOfTheTextsVersion) {
  const std::string plain = Packed(plain_);
  std::string otherVersion = plain;
  std::memcpy(otherVersion.data(), u"4.87", 8);
  std::string headerOnly = plain.substr(0, kBkpdHeaderSize);
  const DWORD headerSize = kBkpdHeaderSize;
  std::memcpy(headerOnly.data() + 32, &headerSize, 4);
  std::string badLink = plain;
  const DWORD outside = 0x0FFFFFF0;
  std::memcpy(badLink.data() + 36, &outside, 4);  // the group list
  std::string garbage(8000, '\xAB');
  const DWORD garbageSize = 8000;
  std::memcpy(garbage.data() + 32, &garbageSize, 4);
  const struct {
    CacheCase c;
    std::string bytes;
  } cases[] = {
      {{"as old as the text: taken", 0, kPlain, false}, plain},
      {{"newer: taken", 60, kPlain, false}, plain},
      {{"older: recompiled and rewritten", -60, kRich, true}, plain},
      {{"another version: deleted and rewritten", 60, kRich, true}, otherVersion},
      {{"a header alone: refused", 60, kRich, true}, headerOnly},
      {{"cut short: refused", 60, kRich, true}, plain.substr(0, plain.size() - 100)},
      {{"a link out of the block: refused", 60, kRich, true}, badLink},
      {{"garbage of the stated size: refused", 60, kRich, true}, garbage},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.c.what);
    BKPDAddrFree();
    PutCache(k.bytes, std::chrono::seconds(k.c.age));
    PCBKPD b = Create();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Text(BkpdUiResDllName(b)), k.c.used);
    EXPECT_EQ(Read(CacheFile()), k.c.rewritten ? Packed(rich_) : k.bytes);
    EXPECT_TRUE(Leftovers().empty());
  }
}

TEST_F(DescriptionCache, ATextOfAnotherVersionIsCompiledOnEveryFirstUseAndNeverCached) {
  PutText(WithVersion(rich_, "4.90"));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    BKPDAddrFree();
    PCBKPD b = Create();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Text(BkpdVersion(b)), u"4.90");
    EXPECT_FALSE(fs::exists(CacheFile()));
  }
}

TEST_F(DescriptionCache, ACacheOfATextOfAnotherVersionIsDeletedUnused) {
  PutText(WithVersion(rich_, "4.90"));
  PutCache(Packed(WithVersion(plain_, "4.90")), std::chrono::seconds(60));
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_FALSE(fs::exists(CacheFile()));
}

TEST_F(DescriptionCache, ATextWithoutAVersionNeitherTakesNorReplacesTheCache) {
  PutText(WithVersion(rich_, ""));
  const std::string plain = Packed(plain_);
  PutCache(plain, std::chrono::seconds(60));
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_EQ(Read(CacheFile()), plain);
}

TEST_F(DescriptionCache, AFailedWriteLeavesTheOldCacheWholeAndNoTemporaryFile) {
  const std::string plain = Packed(plain_);
  PutCache(plain, std::chrono::seconds(-60));
  const std::u16string cache = plat::DriverFilesDirectory() + u"\\KESMC7.BCS";
  ASSERT_TRUE(SetFileAttributesW(cache.c_str(), FILE_ATTRIBUTE_READONLY));
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_EQ(Read(CacheFile()), plain);
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(DescriptionCache, RunningOutOfMemoryAnywhereGivesNoDescriptionAndLeaksNothing) {
  // Once without a cache file (compile, pack, check, save), once with the
  // cache the first pass wrote (read, check).
  for (const char* pass : {"compile", "cache"}) {
    SCOPED_TRACE(pass);
    for (std::size_t n = 1;; ++n) {
      SCOPED_TRACE(n);
      if (std::string(pass) == "compile") fs::remove(CacheFile());
      plat::FailAllocationAt(n);
      PCBKPD b = Create();
      void* probe = GetMemPtr(1);
      plat::FailAllocationAt(0);
      if (b != nullptr) {
        EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
      }
      BKPDAddrFree();
      FreeMemPtr(probe);
      EXPECT_EQ(plat::LiveBlocks(), baseline_);
      if (probe == nullptr) {
        EXPECT_NE(b, nullptr) << "an open with no failed allocation failed";
        break;
      }
      ASSERT_LT(n, 20000u);
    }
    ASSERT_TRUE(fs::exists(CacheFile()));
  }
}

// --- A data file named like a cache -----------------------------------------

class DescriptionNamedLikeACache : public DescriptionCache {
 protected:
  const char16_t* DataFileName() const override { return u"KESMC7.BCS"; }
};

TEST_F(DescriptionNamedLikeACache, TheTextIsNeverOverwrittenByItsCache) {
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_EQ(Read(TextFile()), rich_);
  EXPECT_FALSE(fs::exists(fs::path(TextFile()).concat(".BCS")));
  EXPECT_TRUE(Leftovers().empty());
  BKPDAddrFree();
  EXPECT_NE(Create(), nullptr) << "compiled again, from the text itself";
  EXPECT_EQ(Read(TextFile()), rich_);
}

// --- Cache file names ---------------------------------------------------------

TEST(DescriptionCacheName, TheCacheSitsBesideTheTextWithTheExtensionBCS) {
  const struct {
    const char16_t* text;
    const char16_t* cache;  // null: the text has no cache
  } cases[] = {
      {u"C:\\drv\\MODEL123.KPD", u"C:\\drv\\MODEL123.BCS"},
      {u"C:\\drv\\model", u"C:\\drv\\model.BCS"},
      {u"C:\\drv.v2\\model", u"C:\\drv.v2\\model.BCS"},  // a dot in a folder is no extension
      {u"C:\\drv\\a.b.kpd", u"C:\\drv\\a.b.BCS"},
      {u"C:\\drv\\model.", u"C:\\drv\\model.BCS"},
      {u"m.kpd", u"m.BCS"},
      {u"C:\\drv\\MODEL.BCS", nullptr},
      {u"C:\\drv\\model.bcs", nullptr},
  };
  for (const auto& k : cases) {
    const std::u16string text(k.text);
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    LPWSTR name = GenerateBKPDFilename(k.text);
    EXPECT_EQ(name == nullptr, k.cache == nullptr);
    if (name != nullptr && k.cache != nullptr) {
      EXPECT_EQ(Text(name), k.cache);
    }
    FreeMemPtr(name);
  }
  EXPECT_EQ(GenerateBKPDFilename(nullptr), nullptr);
}

// --- The process list ---------------------------------------------------------

class DescriptionList : public ::testing::Test {
 protected:
  void SetUp() override {
    BKPDAddrFree();
    baseline_ = plat::LiveBlocks();
    drive::Put("A/MODEL123.KPD", kpdtest::Fixture("kesm_m3.kpd"));
    drive::Put("B/MODEL123.KPD", kpdtest::Fixture("kesm_c7_colour.kpd"));
    drive::Put("m.kpd", kpdtest::Fixture("kesm_m3.kpd"));
  }
  void TearDown() override {
    BKPDAddrFree();
    EXPECT_EQ(plat::LiveBlocks(), baseline_);
  }
  plat::ScopedMachine machine_;
  std::size_t baseline_ = 0;
};

TEST_F(DescriptionList, TextsOfOneShortNameInTwoFoldersKeepTwoEntries) {
  PCBKPD a = SetTargetBkpd(BKPDabsCreate(nullptr, u"C:\\A\\MODEL123.KPD", FALSE), u"C:\\A\\MODEL123.KPD");
  PCBKPD b = SetTargetBkpd(BKPDabsCreate(nullptr, u"C:\\B\\MODEL123.KPD", FALSE), u"C:\\B\\MODEL123.KPD");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(GetTargetBkpd(u"C:\\A\\MODEL123.KPD"), a);
  EXPECT_EQ(GetTargetBkpd(u"c:\\a\\model123.kpd"), a) << "paths compare without case";
  EXPECT_EQ(GetTargetBkpd(u"C:\\B\\MODEL123.KPD"), b);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_EQ(GetTargetBkpd(u"C:\\C\\MODEL123.KPD"), nullptr);
  EXPECT_FALSE(drive::Exists("A/MODEL123.BCS")) << "compiled without saving";
}

TEST_F(DescriptionList, AShortPathIsListedFoundAndFreed) {
  PCBKPD m = SetTargetBkpd(BKPDabsCreate(nullptr, u"C:\\m.kpd", TRUE), u"C:\\m.kpd");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetTargetBkpd(u"C:\\m.kpd"), m);
  EXPECT_TRUE(drive::Exists("m.BCS")) << "without a context the block is saved whatever its version";
}

TEST_F(DescriptionList, ListingAPathTwiceKeepsTheFirstBlockAndFreesTheSecond) {
  PCBKPD first = SetTargetBkpd(BKPDabsCreate(nullptr, u"C:\\m.kpd", FALSE), u"C:\\m.kpd");
  PCBKPD second = BKPDabsCreate(nullptr, u"C:\\m.kpd", FALSE);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(SetTargetBkpd(second, u"C:\\M.KPD"), first);
  EXPECT_EQ(SetTargetBkpd(nullptr, u"C:\\m.kpd"), nullptr);
  EXPECT_EQ(SetTargetBkpd(BKPDabsCreate(nullptr, u"C:\\m.kpd", FALSE), nullptr), nullptr) << "freed, not listed";
}

TEST_F(DescriptionList, ATextThatCannotBeReadGivesNoDescription) {
  EXPECT_EQ(BKPDabsCreate(nullptr, u"C:\\missing.kpd", TRUE), nullptr);
  EXPECT_FALSE(drive::Exists("missing.BCS"));
}

// --- Threads ------------------------------------------------------------------

// Two printers of two drivers, contexts opened and released on eight
// threads at once, half of them without the cross-process lock: each
// printer's contexts all get one listed description, and nothing leaks.
class DescriptionThreads : public DescriptionCache {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DescriptionCache::SetUp());
    Write(plat::DriverFilesFolder() / "KESMM3.KPD", plain_);
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(u"Kesm M3", u"KESMM3.KPD", nullptr));
    ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(u"Mail Room", u"Kesm M3"));
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(u"Mail Room", &h, &defaults));
    handles_.push_back(h);
    plainPrinter_ = h;
    baseline_ = plat::LiveBlocks();
  }
  HANDLE plainPrinter_ = nullptr;
};

TEST_F(DescriptionThreads, ContextsOpenedOnManyThreadsShareOneDescriptionPerText) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 12;
  std::atomic<int> ready{0};
  struct Opened {
    HANDLE printer;
    PCBKPD bkpd;
  };
  std::vector<std::vector<Opened>> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      // Kind 2 with the lock flag or the administrator flag: neither kind
      // is parked, so the threads share only the description list.
      const DWORD flags = 2 | (t % 2 == 0 ? kOpenNoLock : kOpenNoAdminCheck);
      ++ready;
      while (ready.load() < kThreads) std::this_thread::yield();
      for (int r = 0; r < kRounds; ++r) {
        HANDLE printer = (r + t) % 2 == 0 ? printer_ : plainPrinter_;
        UCB* ucb = GetUcb2(printer, printer, 0, flags, 0x80000000);
        seen[t].push_back({printer, ucb != nullptr ? ucb->pBKPD : nullptr});
        FreeUcb(ucb);
      }
    });
  }
  for (std::thread& th : threads) th.join();
  PCBKPD rich = GetTargetBkpd(DataPath().c_str());
  PCBKPD plain = GetTargetBkpd((plat::DriverFilesDirectory() + u"\\KESMM3.KPD").c_str());
  ASSERT_NE(rich, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(rich)), kRich);
  EXPECT_EQ(Text(BkpdUiResDllName(plain)), kPlain);
  for (int t = 0; t < kThreads; ++t) {
    for (const Opened& o : seen[t]) EXPECT_EQ(o.bkpd, o.printer == printer_ ? rich : plain) << "thread " << t;
  }
  FreeStoredUcb(TRUE);
  EXPECT_EQ(Read(CacheFile()), Bytes(rich));
  EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
}  // namespace cache_test
