// What cannot be done is refused with one line that names the file or
// folder at fault and says why in a person's words: a printer name the
// machine cannot take, a machine folder that cannot be written, a registry
// hive emptied or deleted under an installed printer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/kesmprint/kesmprint_fixture.h"

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

TEST_F(KesmPrint, APrinterNameTooLongIsRefusedWithTheLimit) {
  const std::string name(300, 'P');
  const Result result = Run({"--printer", name});
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "kesmprint: there is no printer " + name +
                            " on the machine, and it cannot be installed: a printer name has at most 220 "
                            "characters, and this one has 300\n");
  // Nothing of an install was left behind.
  const Result again = Run({"-o", "sample.kesm"});
  ASSERT_EQ(again.code, 0) << again.err;
  std::size_t descriptions = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder_ / "machine" / "drive")) {
    descriptions += entry.path().extension() == ".KPD" ? 1 : 0;
  }
  EXPECT_EQ(descriptions, 1u) << "the sample printer's only";
}

TEST_F(KesmPrint, AnEmptiedOrDeletedRegistryHiveIsNamed) {
  ASSERT_EQ(Run({"-o", "first.kesm"}).code, 0);
  const fs::path hive = folder_ / "machine" / "registry" / "HKLM.hive";
  const std::string kept = Text(hive);
  const struct {
    const char* what;
    void (*damage)(const fs::path&);
    const char* state;
  } rows[] = {
      {"emptied", [](const fs::path& f) { fs::resize_file(f, 0); }, "empty"},
      {"deleted", [](const fs::path& f) { fs::remove(f); }, "missing"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Write(hive, kept);
    row.damage(hive);
    const Result result = Run({"-o", "second.kesm"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "kesmprint: the printer Kesm Sample has lost its driver: the registry hive " +
                              hive.string() + " is " + row.state +
                              " (install the printer again on a new machine folder, or put the hive back)\n");
    EXPECT_FALSE(fs::exists(folder_ / "second.kesm"));
  }
  Write(hive, kept);
  EXPECT_EQ(Run({"-o", "third.kesm"}).code, 0) << "the hive put back";
}

// The machine folder made read-only (a read-only bind mount in a mount
// namespace of the test's own; skipped where there is none): the run names
// the file it cannot open and why, and changes nothing.
TEST_F(KesmPrint, AReadOnlyMachineFolderIsNamed) {
  ASSERT_EQ(Run({"-o", "first.kesm"}).code, 0);
  const Result result = Shell(R"(
unshare -m true 2>/dev/null || exit 77
exec unshare -m bash -c '
  mount --bind "$KESM_MACHINE" "$KESM_MACHINE" && mount -o remount,ro,bind "$KESM_MACHINE" || exit 77
  "$KESMPRINT" -o second.kesm; echo "sample: $?"
  "$KESMPRINT" --printer Other -o third.kesm; echo "other: $?"
'
)");
  if (result.code == 77) GTEST_SKIP() << "no private mount namespace here";
  EXPECT_EQ(result.out, "sample: 1\nother: 1\n");
  const std::string lock = (folder_ / "machine" / "registry" / "HKLM.hive.lock").string();
  const std::string line = "the lock " + lock + " of the registry hive " +
                           (folder_ / "machine" / "registry" / "HKLM.hive").string() +
                           " cannot be opened: Read-only file system\n";
  EXPECT_EQ(result.err, "kesmprint: cannot open the printer Kesm Sample: " + line +
                            "kesmprint: cannot open the printer Other: " + line);
}

}  // namespace
