// A store's content kept in memory: read again after a write by this
// process or another, kept while nothing changes (the very same content),
// and a file changed behind the store's back is seen by the reads that
// compare the file itself. A damaged file is refused and nothing is kept.
#include "platform/host/storecache.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/base/machine.h"
#include "platform/host/storefile.h"
#include "tests/platform/child_process.h"

namespace {

// The toy store: its text; a text starting with '!' is damaged.
DWORD DecodeText(std::span<const BYTE> bytes, std::string& text) {
  text.assign(bytes.begin(), bytes.end());
  return !text.empty() && text.front() == '!' ? ERROR_INVALID_DATA : ERROR_SUCCESS;
}

std::filesystem::path StoreFile() {
  const std::filesystem::path root = plat::MachineRoot();
  return root.empty() ? root : root / "system" / "toy.store";
}

using ToyStore = plat::store::CachedStore<std::string, DecodeText>;

DWORD Write(const std::string& text) {
  return plat::store::Update(StoreFile(), [&](std::vector<BYTE>& bytes) {
    bytes.assign(text.begin(), text.end());
    return DWORD{ERROR_SUCCESS};
  });
}

// Rewrites the file in place, as a tool or a damaged disk would, without
// the store's lock or counter.
void WriteBehindTheStoresBack(const std::string& text) {
  std::ofstream(StoreFile(), std::ios::binary | std::ios::in | std::ios::out) << text;
}

std::string Text(ToyStore& store, bool checkFile = false) {
  std::shared_ptr<const std::string> text;
  EXPECT_EQ(store.Get(checkFile, text), ERROR_SUCCESS);
  return text ? *text : "<none>";
}

TEST(StoreCache, KeepsTheContentUntilAWriteOfAnyProcess) {
  plat::ScopedMachine machine;
  ToyStore store(StoreFile);
  EXPECT_EQ(Text(store), "");  // no file yet: empty
  ASSERT_EQ(Write("first"), ERROR_SUCCESS);
  std::shared_ptr<const std::string> one, two;
  ASSERT_EQ(store.Get(false, one), ERROR_SUCCESS);
  ASSERT_EQ(store.Get(true, two), ERROR_SUCCESS);
  EXPECT_EQ(*one, "first");
  EXPECT_EQ(one, two) << "an unchanged store is not read again";
  ASSERT_EQ(Write("second"), ERROR_SUCCESS);
  EXPECT_EQ(Text(store), "second");
  EXPECT_EQ(RunInChild([] { return Write("from a child") == ERROR_SUCCESS ? 0 : 1; }), 0);
  EXPECT_EQ(Text(store), "from a child");
  ASSERT_EQ(Write("from a child"), ERROR_SUCCESS);  // the same bytes: nothing written
  EXPECT_EQ(Text(store), "from a child");
}

TEST(StoreCache, AFileChangedBehindTheStoresBackIsSeenWhenTheFileIsCompared) {
  plat::ScopedMachine machine;
  ToyStore store(StoreFile);
  ASSERT_EQ(Write("abcdef"), ERROR_SUCCESS);
  EXPECT_EQ(Text(store), "abcdef");
  WriteBehindTheStoresBack("uvwxyz");
  EXPECT_EQ(Text(store), "abcdef");        // calls trust the counter
  EXPECT_EQ(Text(store, true), "uvwxyz");  // opens look at the file too
  WriteBehindTheStoresBack("!damaged");
  std::shared_ptr<const std::string> text;
  EXPECT_EQ(store.Get(true, text), ERROR_INVALID_DATA);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(store.Get(false, text), ERROR_INVALID_DATA) << "a refused file leaves nothing kept";
  ASSERT_EQ(Write("mended"), ERROR_SUCCESS);
  EXPECT_EQ(Text(store), "mended");
}

TEST(StoreCache, AnotherMachineHasItsOwnContent) {
  ToyStore store(StoreFile);
  {
    plat::ScopedMachine first;
    ASSERT_EQ(Write("first machine"), ERROR_SUCCESS);
    EXPECT_EQ(Text(store), "first machine");
  }
  plat::ScopedMachine second;
  EXPECT_EQ(Text(store), "");
  std::shared_ptr<const std::string> text;
  {
    plat::ScopedMachine third;
    ASSERT_EQ(Write("third machine"), ERROR_SUCCESS);
    EXPECT_EQ(Text(store), "third machine");
  }
  EXPECT_EQ(Text(store), "") << "the machine given back is read again";
}

TEST(StoreCache, NoMachineIsAnError) {
  ToyStore store(StoreFile);
  std::shared_ptr<const std::string> text;
  EXPECT_EQ(store.Get(false, text), ERROR_CANTOPEN);
  EXPECT_EQ(text, nullptr);
}

}  // namespace
