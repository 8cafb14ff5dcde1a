// Access tokens: the kernel object behind a token handle, and the calling
// thread's impersonation. Internal to platform/ (the user-profile library
// reads the user of a token through it).
#pragma once

#include "platform/base/handles.h"
#include "platform/security/security_model.h"

namespace plat {

class TokenObject : public KernelObject {
 public:
  TokenObject(TokenData data, bool impersonation, SECURITY_IMPERSONATION_LEVEL level, DWORD access)
      : data_(std::move(data)), impersonation_(impersonation), level_(level), access_(access) {}

  const TokenData& data() const { return data_; }
  bool impersonation() const { return impersonation_; }
  SECURITY_IMPERSONATION_LEVEL level() const { return level_; }
  DWORD access() const { return access_; }  // granted to this handle

 private:
  TokenData data_;
  bool impersonation_;
  SECURITY_IMPERSONATION_LEVEL level_;
  DWORD access_;
};

// The token the calling thread acts with: its impersonation token, or the
// process's.
TokenData EffectiveToken();

// The calling thread impersonates the token of the handle (an open token)
// until RevertToSelf; ERROR_INVALID_HANDLE for anything else.
BOOL ImpersonateTokenHandle(HANDLE token);

}  // namespace plat
