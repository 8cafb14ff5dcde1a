// kesmprint used wrongly: each misuse gives its exit code and one line per
// fault naming the file at fault, the documents that can print still do,
// and no file is lost: every file that was there before is either as it
// was or, for an output of a document that printed, a whole new stream.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/kesmprint/kesmprint_fixture.h"
#include "tests/render/job_stream_decoder.h"

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

// The files of the folder (not the machine's), with their bytes.
std::map<fs::path, std::vector<std::uint8_t>> Files(const fs::path& folder) {
  std::map<fs::path, std::vector<std::uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const fs::path name = fs::relative(entry.path(), folder);
    if (*name.begin() == "machine" || !entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[name] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  return files;
}

class Misuse : public KesmPrint {
 protected:
  // The documents and old outputs each row starts from.
  void Lay() {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      if (entry.path().filename() != "machine") fs::remove_all(entry.path());
    }
    Write(folder_ / "memo.txt", "A memo\n");
    Write(folder_ / "memo.kesm", "the old stream of the memo");
    Write(folder_ / "doc.kesm", "a document whose name ends in .kesm\n");
    Write(folder_ / "a.txt", "a as text\n");
    Write(folder_ / "a.text", "a as more text\n");
    fs::copy_file(KESM_TEST_DATA "/kesmprint/small_4x3.png", folder_ / "a.png");
    Write(folder_ / "bad.txt", "good, then \xFF");
    fs::create_directory(folder_ / "dir");
    Write(folder_ / "broken.kpd", Text(KESMPRINT_SAMPLE_DESCRIPTION) + "*Cut: \"a quote that never closes\n");
    std::string huge = Text(KESMPRINT_SAMPLE_DESCRIPTION);
    const std::string area = "\"50 50 2450 3200\"";
    huge.replace(huge.find(area), area.size(), "\"0 0 2147483647 2147483647\"");
    Write(folder_ / "huge.kpd", huge);
    fs::copy_file(KESMPRINT_SAMPLE_DESCRIPTION, folder_ / "desc.kpd");
  }
};

TEST_F(Misuse, EachMisuseFailsOnItsOwnAndLosesNoFile) {
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    int code;
    std::string err;                  // all that goes to the errors
    std::vector<std::string> written; // outputs that are new whole streams
    bool errStartsOnly = false;       // err is the start of the line (it names a machine path)
  } rows[] = {
      {"-o naming the document", {"-o", "memo.txt", "memo.txt"}, 1,
       "kesmprint: the output memo.txt is the document memo.txt: it would be overwritten\n", {}},
      {"a document whose output is itself", {"doc.kesm"}, 1,
       "kesmprint: the output doc.kesm is the document doc.kesm: it would be overwritten\n", {}},
      {"-o naming the description", {"--description", "desc.kpd", "-o", "desc.kpd"}, 1,
       "kesmprint: the output desc.kpd is the description desc.kpd: it would be overwritten\n", {}},
      {"documents of one stem", {"a.txt", "a.png", "a.text"}, 0, "", {"a.txt.kesm", "a.png.kesm", "a.text.kesm"}},
      {"a document twice", {"memo.txt", "memo.txt"}, 1,
       "kesmprint: the output memo.txt.kesm is already that of memo.txt\n", {"memo.txt.kesm"}},
      {"a missing document among good ones", {"missing.txt", "memo.txt"}, 1, "kesmprint: cannot open missing.txt\n",
       {"memo.kesm"}},
      {"a text that is not UTF-8 among good ones", {"bad.txt", "a.txt"}, 1,
       "kesmprint: bad.txt is not valid UTF-8 (at byte 11)\n", {"a.kesm"}},
      {"a missing document whose name has a newline", {"two\nlines.txt"}, 1, "kesmprint: cannot open two?lines.txt\n",
       {}},
      {"a folder as a document", {"dir", "memo.txt"}, 1, "kesmprint: dir is a folder, not a document\n", {"memo.kesm"}},
      {"an empty argument", {"", "memo.txt"}, 1, "kesmprint: an empty argument names no document\n", {"memo.kesm"}},
      {"-o naming a folder", {"-o", "dir", "memo.txt"}, 1, "kesmprint: the output dir is a folder\n", {}},
      {"an output in a missing folder", {"-o", "none/x.kesm", "memo.txt"}, 1,
       "kesmprint: cannot write none/x.kesm: No such file or directory; nothing was written to none/x.kesm\n", {}},
      {"a description that does not compile", {"--description", "broken.kpd", "memo.txt"}, 1,
       "kesmprint: the description broken.kpd cannot be compiled: the text ends inside an open quote, parenthesis "
       "or brace; the printer Kesm Sample keeps its description\n",
       {}},
      {"the printer still prints after the refused description", {"memo.txt"}, 0, "", {"memo.kesm"}},
      {"a new printer from a description that does not compile", {"--printer", "Cut", "--description", "broken.kpd"},
       1,
       "kesmprint: the description broken.kpd cannot be compiled: the text ends inside an open quote, parenthesis "
       "or brace; the printer Cut was not installed\n",
       {}},
      {"a printable area that does not fit", {"--printer", "Huge", "--description", "huge.kpd", "memo.txt"}, 1,
       "kesmprint: the job of memo.txt was not printed: the printer Huge cannot print with the description huge.kpd: "
       "no page can be set up on it: the driver refuses to set up a page on it; memo.kesm is left as it was\n",
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Lay();
    const auto before = Files(folder_);
    const Result result = Print(row.arguments);
    EXPECT_EQ(result.code, row.code);
    if (row.errStartsOnly) {
      EXPECT_EQ(result.err.rfind(row.err, 0), 0u) << result.err;
      EXPECT_TRUE(Has(result.err, "; memo.kesm is left as it was\n")) << result.err;
    } else {
      EXPECT_EQ(result.err, row.err);
    }
    const auto after = Files(folder_);
    for (const auto& [name, bytes] : before) {
      SCOPED_TRACE(name.string());
      ASSERT_TRUE(after.count(name)) << "lost";
      const bool written = std::find(row.written.begin(), row.written.end(), name) != row.written.end();
      if (!written) {
        EXPECT_EQ(after.at(name), bytes) << "changed";
      }
    }
    for (const std::string& name : row.written) {
      SCOPED_TRACE(name);
      ASSERT_TRUE(after.count(name)) << "not written";
      const jobstream::Decoded stream = jobstream::Decode(after.at(name));
      EXPECT_TRUE(stream.ok()) << stream.error;
      EXPECT_EQ(jobstream::CheckOrder(stream), "");
    }
    for (const auto& [name, bytes] : after) {
      const bool written = std::find(row.written.begin(), row.written.end(), name) != row.written.end();
      EXPECT_TRUE(before.count(name) || written) << name << " was made";
    }
  }
}

}  // namespace
