// Private copies of files that the engine loads for reading. A file that
// another process may truncate or rewrite is never read through a mapping
// of it (a truncation would fault the next read); its bytes are copied into
// a memory file of this process, which nothing else can change. A copy is
// kept while its file is unchanged, so loading the same file again costs
// one status call and shares the copy's pages. Internal to platform/.
#pragma once

#include <cstddef>

namespace plat::eng {

struct Snapshot {
  int fd = -1;           // a memory file holding the bytes; the caller closes it
  std::size_t size = 0;  // of the bytes copied
};

// The bytes of the file open on fd (read from its start), in a memory file
// of its own. fd = -1 when they cannot be read or there are none.
Snapshot SnapshotOf(int fd);

}  // namespace plat::eng
