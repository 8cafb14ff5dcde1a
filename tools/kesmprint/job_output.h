// Where kesmprint's streams go, and how they get there without ever
// destroying what was there: each stream is written to a new temporary file
// beside its output (beside the file a symbolic link leads to), flushed,
// and renamed over the output only once it is whole. An output that is not
// a regular file (a device, a named pipe) is written in place instead and
// never replaced.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/kesmprint/stream_summary.h"

namespace kesmprint {

// The output of one document, or why it has none.
struct OutputPlan {
  std::filesystem::path output;
  std::string refusal;  // empty when the document may print into output
};

// The outputs of the documents (in their order; none given: the sample
// document alone). -o names the only one; otherwise each document prints
// into its name's stem with the extension .kesm in the current folder, and
// documents whose stems agree print into their whole names with .kesm
// added. An output is refused when it is a folder, when it is one of the
// documents or the description (it would be overwritten), and when an
// earlier document already prints into it.
std::vector<OutputPlan> PlanOutputs(const std::vector<std::string>& documents, const std::string& output,
                                    const std::filesystem::path& description);

// Copies the finished job file to the output (through a temporary file
// beside it, or in place), reading it in pieces and summarizing its framing
// on the way. False with a one-line message naming the file at fault and
// ending with what became of the output: a file is then as it was.
bool DeliverJob(const std::filesystem::path& jobFile, const std::filesystem::path& output,
                StreamSummary& summary, std::string& error);

// What became of the output when its job failed, for the end of the
// message: it was left as it was, or none was written.
std::string OutputUntouched(const std::filesystem::path& output);

}  // namespace kesmprint
