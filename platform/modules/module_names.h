// Module names, the folders searched for them and the registry of built-in
// modules. Private to the module services.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/modules/winmodule.h"

namespace plat::modname {

// The name a module is stored under: ".DLL" added when its file-name part has
// no dot, one trailing dot dropped.
std::u16string WithExtension(std::u16string_view name);
// The part after the last "\" or "/".
std::u16string_view FileNamePart(std::u16string_view path);
bool HasFolder(std::u16string_view name);
// "folder\name" with one separator between.
std::u16string Join(std::u16string_view folder, std::u16string_view name);

// True for a full path "X:\..." (either separator).
bool IsFullPath(std::u16string_view name);
// The host file of a Windows path when it is an existing regular file.
std::optional<std::filesystem::path> ExistingFile(std::u16string_view winPath);
// The Windows path in its on-disk spelling (folders resolved, "." and ".."
// applied; a missing last component kept as written); empty when the path
// cannot be resolved on the machine.
std::u16string CanonicalPath(std::u16string_view winPath);

// The machine's system folder and the folders searched for a bare name, in
// order: the system directory, its 16-bit sibling "System" and the Windows
// directory.
std::u16string SystemFolder();
std::vector<std::u16string> SearchFolders();

struct Builtin {
  std::u16string name;  // as registered, with extension
  std::span<const BuiltinExport> exports;
  const void* resources = nullptr;  // its resource table, or none
};
// The built-in module registered under that file name (ignoring case).
std::optional<Builtin> FindBuiltin(std::u16string_view fileName);

}  // namespace plat::modname
