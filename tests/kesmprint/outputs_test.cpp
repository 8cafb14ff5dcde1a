// Outputs that are not plain files in a plain folder: a device or a named
// pipe is written in place and stays what it was, a symbolic link is
// followed to its file, and a name as long as the folder takes prints (its
// temporary name still fits).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/kesmprint/kesmprint_fixture.h"
#include "tests/render/job_stream_decoder.h"

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

// A whole stream of one page.
bool OnePage(const std::vector<std::uint8_t>& bytes) {
  const jobstream::Decoded stream = jobstream::Decode(bytes);
  return stream.ok() && jobstream::CheckOrder(stream).empty() && jobstream::Pages(stream) == 1u;
}

// The files of the folder whose names begin with a dot (temporary ones).
std::vector<fs::path> Hidden(const fs::path& folder) {
  std::vector<fs::path> hidden;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind('.', 0) == 0) hidden.push_back(entry.path().filename());
  }
  return hidden;
}

// Devices made in a memory file system of a mount namespace of the test's
// own, so that no device of the machine is touched: the null device takes
// the stream, the full one refuses it, and both stay devices.
TEST_F(KesmPrint, ADeviceIsWrittenInPlaceAndStaysADevice) {
  Write(folder_ / "memo.txt", "A memo\n");
  fs::create_directory(folder_ / "devices");
  const Result result = Shell(R"(
unshare -m true 2>/dev/null || exit 77
exec unshare -m bash -c '
  mount -t tmpfs kesm-devices devices || exit 77
  mknod devices/null c 1 3 && mknod devices/full c 1 7 || exit 77
  "$KESMPRINT" -o devices/null memo.txt >/dev/null; echo "null: $?"
  "$KESMPRINT" -o devices/full memo.txt >/dev/null; echo "full: $?"
  stat -c "%n: %F" devices/null devices/full
  ls -A devices | wc -l
'
)");
  if (result.code == 77) GTEST_SKIP() << "no private mount namespace with devices here";
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out,
            "null: 0\nfull: 1\ndevices/null: character special file\ndevices/full: character special file\n2\n");
  EXPECT_EQ(result.err, "kesmprint: cannot write devices/full: No space left on device; devices/full is left as it was\n");
}

// A named pipe gets the stream through itself and stays a pipe; a reader
// of it sees the whole stream.
TEST_F(KesmPrint, ANamedPipeIsWrittenInPlace) {
  Write(folder_ / "memo.txt", "A memo\n");
  const fs::path pipe = folder_ / "pipe.kesm";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::vector<std::uint8_t> got;
  std::thread reader([&] {
    const int fd = ::open(pipe.c_str(), O_RDONLY);
    if (fd < 0) return;
    std::uint8_t piece[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, piece, sizeof piece)) > 0) got.insert(got.end(), piece, piece + n);
    ::close(fd);
  });
  const Result result = Run({"-o", "pipe.kesm", "memo.txt"});
  // A run that never opened the pipe must not leave the reader waiting.
  const int unblock = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
  if (unblock >= 0) ::close(unblock);
  reader.join();
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_TRUE(OnePage(got)) << got.size() << " bytes";
  EXPECT_EQ(Hidden(folder_), std::vector<fs::path>{});
}

// -o onto a symbolic link writes the file it leads to, as a shell's
// redirection does; a link that leads to no file yet makes it.
TEST_F(KesmPrint, ALinkIsFollowedToItsFile) {
  Write(folder_ / "memo.txt", "A memo\n");
  fs::create_directory(folder_ / "kept");
  Write(folder_ / "kept" / "real.kesm", "the old stream");
  fs::create_symlink("kept/real.kesm", folder_ / "link.kesm");
  fs::create_symlink("kept/new.kesm", folder_ / "dangling.kesm");
  for (const char* link : {"link.kesm", "dangling.kesm"}) {
    SCOPED_TRACE(link);
    const Result result = Run({"-o", link, "memo.txt"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(fs::is_symlink(folder_ / link)) << "the link stays a link";
  }
  EXPECT_TRUE(OnePage(Read(folder_ / "kept" / "real.kesm")));
  EXPECT_TRUE(OnePage(Read(folder_ / "kept" / "new.kesm")));
  EXPECT_EQ(Hidden(folder_ / "kept"), std::vector<fs::path>{});
}

// Names up to the folder's limit print: the temporary file beside the
// output is named within the limit too (a name cut inside a character
// would be no worse, but it is cut between them).
TEST_F(KesmPrint, AnOutputNamedUpToTheLimitPrints) {
  Write(folder_ / "memo.txt", "A memo\n");
  const std::string ascii244(244, 'n');
  std::string accented;
  while (accented.size() + 2 <= 254) accented += "\xC3\xA9";  // 254 bytes
  accented += "x";                                              // 255
  const std::string document = std::string(239, 'd') + ".txt";  // its output: 239 + 5 = 244 bytes
  Write(folder_ / document, "A memo\n");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"-o", ascii244, "memo.txt"}, {"-o", accented, "memo.txt"}, {document}}) {
    SCOPED_TRACE(arguments[0].size());
    const Result result = Run(arguments);
    ASSERT_EQ(result.code, 0) << result.err;
  }
  EXPECT_TRUE(OnePage(Read(folder_ / ascii244)));
  EXPECT_TRUE(OnePage(Read(folder_ / accented)));
  EXPECT_TRUE(OnePage(Read(folder_ / (std::string(239, 'd') + ".kesm"))));
  EXPECT_EQ(Hidden(folder_), std::vector<fs::path>{});
}

}  // namespace
