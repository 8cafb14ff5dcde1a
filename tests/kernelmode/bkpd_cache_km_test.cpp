// The description cache in the rendering library: the cache file is read
// through the engine with only its size checked (no time test), and it is
// never written or deleted; what the cache cannot give is compiled.
#include "tests/settings/cache/description_machine.h"

namespace cache_test {
namespace {

using KernelDescriptionCache = DescriptionCache;

TEST_F(KernelDescriptionCache, ACacheOlderThanItsTextIsStillTaken) {
  const std::string plain = Packed(plain_);
  PutCache(plain, std::chrono::seconds(-60));
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kPlain);
  EXPECT_EQ(Create(), b);
}

TEST_F(KernelDescriptionCache, WithoutACacheTheTextIsCompiledAndNoCacheWritten) {
  PCBKPD b = Create();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
  EXPECT_FALSE(fs::exists(CacheFile()));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(KernelDescriptionCache, ARefusedCacheIsCompiledAroundAndLeftInPlace) {
  std::string otherVersion = Packed(plain_);
  std::memcpy(otherVersion.data(), u"4.87", 8);
  std::string cut = Packed(plain_);
  cut.resize(cut.size() - 100);
  for (const std::string& bytes : {otherVersion, cut}) {
    BKPDAddrFree();
    PutCache(bytes, std::chrono::seconds(60));
    PCBKPD b = Create();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Text(BkpdUiResDllName(b)), kRich);
    EXPECT_EQ(Read(CacheFile()), bytes);
  }
}

}  // namespace
}  // namespace cache_test
