// Security of the shared data directory: every user who prints must be able
// to write there. The folder is owned by BUILTIN\Administrators and opens
// full control to Everyone, inherited by files and folders. Walks over
// folders never step through links.
#pragma once

#include "platform/security/winsecurity.h"
#include "platform/base/wintypes.h"

#if !KESM_KERNEL_MODE
// An absolute descriptor whose owner is S-1-5-32-544 (not defaulted), with
// no DACL; null when it cannot be built. Free with DisposeOwnerSecurityDesc.
PSECURITY_DESCRIPTOR CreateOwnerSecurityDesc();
void DisposeOwnerSecurityDesc(PSECURITY_DESCRIPTOR descriptor);
// An absolute descriptor whose DACL holds one entry: allowed, inherited by
// files and folders, FILE_ALL_ACCESS for Everyone (S-1-1-0); null when it
// cannot be built. Free with DisposeEveryoneFullControlSecurityDesc.
PSECURITY_DESCRIPTOR CreateEveryoneFullControlSecurityDesc();
void DisposeEveryoneFullControlSecurityDesc(PSECURITY_DESCRIPTOR descriptor);

// Scope bits of the walks below.
inline constexpr DWORD kScopeFolderOnly = 0x1;  // not the entries inside
inline constexpr DWORD kScopeSubfolders = 0x2;  // subfolders get it too
inline constexpr DWORD kScopeRecursive = 0x4;   // and are walked

// Apply the owner or the Everyone DACL to the folder and, unless the scope
// has kScopeFolderOnly, to its entries (SetFileSecurityByDir). TRUE when the
// descriptor could be built and set on the folder itself; a folder that is
// a link is refused.
BOOL SetOwnerDirectories(LPCWSTR path, DWORD scope);
BOOL SetAttrDirectories(LPCWSTR path, DWORD scope);
// Sets the descriptor on every entry of the folder but "." and "..": files
// always, subfolders with kScopeSubfolders, walking them with
// kScopeRecursive. Links are skipped. TRUE when the folder could be listed.
BOOL SetFileSecurityByDir(LPCWSTR path, PSECURITY_DESCRIPTOR descriptor, DWORD scope,
                          SECURITY_INFORMATION information);
#endif
