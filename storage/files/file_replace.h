// Replacing a file only once its new content is complete: the content goes
// to a new temporary file in the target's folder, which is then renamed over
// the target. Used by storage/ and by the description cache.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace storage {

class SiblingTempFile {
 public:
  // Creates a new, empty file beside target (which must be a full path).
  // When that fails, ok() is false and the last error tells why.
  explicit SiblingTempFile(std::u16string_view target);
  // Removes the temporary file unless it replaced the target.
  ~SiblingTempFile();
  SiblingTempFile(const SiblingTempFile&) = delete;
  SiblingTempFile& operator=(const SiblingTempFile&) = delete;

  bool ok() const { return !path_.empty(); }
  LPCWSTR path() const { return path_.c_str(); }
  // Writes all of the bytes as the file's content and flushes them to the
  // disk; FALSE with the last error set when it could not.
  BOOL Write(std::string_view bytes);
  // Renames the file over the target (which may exist, but not read-only).
  // FALSE with the last error set when it could not; the target is then
  // unchanged.
  BOOL ReplaceTarget();

 private:
  std::u16string target_;
  std::u16string path_;
  bool replaced_ = false;
};

}  // namespace storage
