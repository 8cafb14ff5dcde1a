#include "tools/kesmprint/job_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <system_error>

namespace kesmprint {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPieceBytes = 1 << 20;

std::string Shown(const fs::path& path) { return path.string(); }

// The same file: both exist and are one, or (for an output not made yet)
// the same path.
bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal();
}

std::string Refusal(const std::vector<std::string>& documents, std::size_t index, const fs::path& output,
                    const fs::path& description, const std::vector<OutputPlan>& earlier) {
  std::error_code ec;
  if (index < documents.size() && documents[index].empty()) return "an empty argument names no document";
  if (fs::is_directory(output, ec)) return "the output " + Shown(output) + " is a folder";
  if (fs::exists(output, ec)) {
    for (const std::string& document : documents) {
      if (!document.empty() && SameFile(output, document)) {
        return "the output " + Shown(output) + " is the document " + document + ": it would be overwritten";
      }
    }
    if (SameFile(output, description)) {
      return "the output " + Shown(output) + " is the description " + Shown(description) +
             ": it would be overwritten";
    }
  }
  for (std::size_t j = 0; j < earlier.size(); ++j) {
    if (earlier[j].refusal.empty() && SameFile(earlier[j].output, output)) {
      return "the output " + Shown(output) + " is already that of " + documents[j];
    }
  }
  return {};
}

// The file a symbolic link leads to, followed link by link as the system
// does (a relative target is taken from the link's folder); the path itself
// when it is no link. A link that leads nowhere gives the path it names, to
// be made there, as a shell's redirection does.
fs::path Followed(fs::path path) {
  std::error_code ec;
  for (int hop = 0; hop < 40 && fs::is_symlink(path, ec); ++hop) {
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// The longest file name the folder takes (255 bytes on most file systems).
std::size_t NameLimit(const fs::path& folder) {
  const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

// The start of a name, at most bytes long, cut between UTF-8 characters.
std::string CutName(const std::string& name, std::size_t bytes) {
  if (name.size() <= bytes) return name;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

// Where a stream goes: a new file beside the target, renamed over it only
// once whole (removed otherwise); or, for a target that is not a regular
// file (a device, a named pipe), the target itself, written in place: such
// a file is never replaced.
class StreamSink {
 public:
  explicit StreamSink(const fs::path& output) : target_(Followed(output)) {
    std::error_code ec;
    const fs::file_status status = fs::status(target_, ec);
    inPlace_ = fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
    if (inPlace_) {
      fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
      if (fd_ < 0) error_ = errno;
      return;
    }
    std::random_device seed;
    std::mt19937 pick(seed());
    // The temporary name adds a dot and a suffix to the output's name; a
    // name near the folder's limit is cut so that it still fits.
    const std::string suffix = ".xxxxxx.tmp";
    const std::string base = CutName(target_.filename().string(), NameLimit(target_.parent_path()) - 1 - suffix.size());
    for (int attempt = 0; attempt < 64 && fd_ < 0; ++attempt) {
      char text[16];
      std::snprintf(text, sizeof text, ".%06x.tmp", static_cast<unsigned>(pick() & 0xFFFFFF));
      path_ = target_.parent_path() / ("." + base + text);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) error_ = errno;
  }
  ~StreamSink() {
    if (fd_ >= 0) ::close(fd_);
    if (!inPlace_ && !renamed_ && fd_ != kNeverMade) ::unlink(path_.c_str());
  }
  StreamSink(const StreamSink&) = delete;
  StreamSink& operator=(const StreamSink&) = delete;

  int error() const { return error_; }
  bool made() const { return fd_ >= 0 || renamed_; }
  // Bytes went to the target itself (in place) before the stream ended.
  bool touched() const { return inPlace_ && written_; }

  bool Write(const unsigned char* bytes, std::size_t count) {
    while (count > 0) {
      const ssize_t done = ::write(fd_, bytes, count);
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) return Failed();
      written_ = true;
      bytes += done;
      count -= static_cast<std::size_t>(done);
    }
    return true;
  }
  // A file: flushed to the disk and renamed over the target. In place:
  // closed.
  bool Commit() {
    if (!inPlace_ && ::fsync(fd_) != 0) return Failed();
    const int fd = fd_;
    fd_ = kClosed;
    if (::close(fd) != 0) return Failed();
    if (inPlace_) return true;
    if (::rename(path_.c_str(), target_.c_str()) != 0) return Failed();
    renamed_ = true;
    return true;
  }

 private:
  static constexpr int kNeverMade = -1;
  static constexpr int kClosed = -2;
  bool Failed() {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }

  fs::path target_;
  fs::path path_;
  int fd_ = kNeverMade;
  int error_ = 0;
  bool inPlace_ = false;
  bool written_ = false;
  bool renamed_ = false;
};

}  // namespace

std::vector<OutputPlan> PlanOutputs(const std::vector<std::string>& documents, const std::string& output,
                                    const fs::path& description) {
  std::vector<fs::path> outputs;
  if (documents.empty()) {
    outputs.emplace_back(output.empty() ? "sample.kesm" : output);
  } else if (!output.empty()) {
    outputs.assign(documents.size(), fs::path(output));
  } else {
    std::map<fs::path, std::size_t> stems;
    for (const std::string& document : documents) ++stems[fs::path(document).stem() += ".kesm"];
    for (const std::string& document : documents) {
      fs::path name = fs::path(document).stem() += ".kesm";
      if (stems[name] > 1) name = fs::path(document).filename() += ".kesm";
      outputs.push_back(name);
    }
  }
  std::vector<OutputPlan> plans;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    OutputPlan plan;
    plan.output = outputs[i];
    plan.refusal = Refusal(documents, i, outputs[i], description, plans);
    plans.push_back(std::move(plan));
  }
  return plans;
}

bool DeliverJob(const fs::path& jobFile, const fs::path& output, StreamSummary& summary, std::string& error) {
  std::ifstream in(jobFile, std::ios::binary);
  if (!in) {
    error = "cannot read the spooler's job file " + Shown(jobFile) + "; " + OutputUntouched(output);
    return false;
  }
  StreamSink temp(output);
  // The end of a message: what became of the output.
  const auto fate = [&] {
    return temp.touched() ? "; only part of the stream reached " + Shown(output) : "; " + OutputUntouched(output);
  };
  if (!temp.made()) {
    error = "cannot write " + Shown(output) + ": " + std::strerror(temp.error()) + fate();
    return false;
  }
  StreamSummarizer summarizer;
  std::vector<unsigned char> piece(kPieceBytes);
  while (in) {
    in.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(piece.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    summarizer.Add(piece.data(), count);
    if (!temp.Write(piece.data(), count)) {
      error = "cannot write " + Shown(output) + ": " + std::strerror(temp.error()) + fate();
      return false;
    }
  }
  if (in.bad()) {
    error = "cannot read the spooler's job file " + Shown(jobFile) + fate();
    return false;
  }
  summary = summarizer.Finish();
  if (!summary.error.empty()) {
    error = "the job stream for " + Shown(output) + " is damaged: " + summary.error + fate();
    return false;
  }
  if (!temp.Commit()) {
    error = "cannot write " + Shown(output) + ": " + std::strerror(temp.error()) + fate();
    return false;
  }
  return true;
}

std::string OutputUntouched(const fs::path& output) {
  std::error_code ec;
  return fs::exists(output, ec) ? Shown(output) + " is left as it was" : "nothing was written to " + Shown(output);
}

}  // namespace kesmprint
