// Taking turns with the profile writers: a service of the stand-in that
// Windows does not document. The profile services rewrite a file (read,
// change, replace) while holding a lock on its folder that the writers of
// every process take in turn. A program that rewrites a profile file whole
// by other means holds the same turn for its own read-change-replace round,
// so that neither its write nor a profile write made meanwhile is lost.
#pragma once

#include <memory>

#include "platform/base/wintypes.h"

namespace plat {

class ProfileFolderTurn {
 public:
  // Waits for the turn of the folder that holds file (a full path, or a
  // name in the Windows directory as the profile services take it). When the
  // folder cannot be opened (it does not exist, say) nothing is held. The
  // turn is not nested: a profile write to the folder by the holder's own
  // process waits for it to be given back.
  explicit ProfileFolderTurn(LPCWSTR file);
  ~ProfileFolderTurn();
  ProfileFolderTurn(const ProfileFolderTurn&) = delete;
  ProfileFolderTurn& operator=(const ProfileFolderTurn&) = delete;
  bool held() const;

 private:
  class Lock;
  std::unique_ptr<Lock> lock_;
};

}  // namespace plat
