// kesmprint on a machine whose stores are damaged or locked away: the run
// fails with one line that names the file at fault, and the file is left
// as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

#include "tests/common/temp_folder.h"
#include "tools/kesmprint/kesmprint.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

class MachineFaults : public ::testing::Test {
 protected:
  int Print(std::string& err) {
    kesmprint::Options options;
    std::ostringstream out, errors;
    const int code = kesmprint::Run(options, machine(), out, errors);
    err = errors.str();
    return code;
  }
  fs::path machine() const { return folder_.path() / "machine"; }

  const kesm_test::TempFolder folder_{"kesmprint-faults", true};
};

TEST_F(MachineFaults, EachFaultIsOneLineNamingTheFileAndTheFileStaysAsItWas) {
  const struct {
    const char* what;
    const char* file;  // below the machine folder
    std::function<void(const fs::path&)> damage;
    const char* message;  // followed by the file's full path
  } rows[] = {
      {"a cut registry hive", "registry/HKLM.hive",
       [](const fs::path& f) { fs::resize_file(f, fs::file_size(f) / 2); }, "the registry hive "},
      {"a cut printer table", "spooler/printers.db",
       [](const fs::path& f) { fs::resize_file(f, fs::file_size(f) - 3); }, "the printer table "},
      {"a printer table lock that is a folder", "spooler/printers.db.lock",
       [](const fs::path& f) {
         fs::remove(f);
         fs::create_directory(f);
       },
       "the lock "},
      {"a damaged job counter", "spooler/jobid", [](const fs::path& f) { Write(f, "abc"); }, "the job counter "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::error_code ec;
    fs::remove_all(machine(), ec);
    std::string err;
    ASSERT_EQ(Print(err), 0) << err;
    const fs::path file = machine() / row.file;
    row.damage(file);
    const std::string before = fs::is_directory(file) ? "<folder>" : Read(file);
    EXPECT_EQ(Print(err), 1);
    const std::string named = std::string(row.message) + fs::absolute(file).string();
    EXPECT_NE(err.find(named), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(fs::is_directory(file) ? "<folder>" : Read(file), before);
  }
}

}  // namespace
