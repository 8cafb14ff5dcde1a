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

// A new file beside the target, removed unless it was renamed over it.
class TempFile {
 public:
  explicit TempFile(const fs::path& target) : target_(target) {
    std::random_device seed;
    std::mt19937 pick(seed());
    for (int attempt = 0; attempt < 64 && fd_ < 0; ++attempt) {
      char suffix[16];
      std::snprintf(suffix, sizeof suffix, ".%06x.tmp", static_cast<unsigned>(pick() & 0xFFFFFF));
      path_ = target.parent_path() / ("." + target.filename().string() + suffix);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) error_ = errno;
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_ && fd_ != kNeverMade) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int error() const { return error_; }
  bool made() const { return fd_ >= 0 || renamed_; }

  bool Write(const unsigned char* bytes, std::size_t count) {
    while (count > 0) {
      const ssize_t done = ::write(fd_, bytes, count);
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) return Failed();
      bytes += done;
      count -= static_cast<std::size_t>(done);
    }
    return true;
  }
  // Flushes the file to the disk and renames it over the target.
  bool Commit() {
    if (::fsync(fd_) != 0) return Failed();
    const int fd = fd_;
    fd_ = kClosed;
    if (::close(fd) != 0) return Failed();
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
    error = "cannot read the spooler's job file " + Shown(jobFile);
    return false;
  }
  TempFile temp(output);
  if (!temp.made()) {
    error = "cannot write " + Shown(output) + ": " + std::strerror(temp.error());
    return false;
  }
  StreamSummarizer summarizer;
  std::vector<unsigned char> piece(kPieceBytes);
  while (in) {
    in.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(piece.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    summarizer.Add(piece.data(), count);
    if (!temp.Write(piece.data(), count)) {
      error = "cannot write " + Shown(output) + ": " + std::strerror(temp.error());
      return false;
    }
  }
  if (in.bad()) {
    error = "cannot read the spooler's job file " + Shown(jobFile);
    return false;
  }
  summary = summarizer.Finish();
  if (!summary.error.empty()) {
    error = "the job stream for " + Shown(output) + " is damaged: " + summary.error;
    return false;
  }
  if (!temp.Commit()) {
    error = "cannot write " + Shown(output) + ": " + std::strerror(temp.error());
    return false;
  }
  return true;
}

std::string OutputUntouched(const fs::path& output) {
  std::error_code ec;
  return fs::exists(output, ec) ? Shown(output) + " is left as it was" : "nothing was written to " + Shown(output);
}

}  // namespace kesmprint
