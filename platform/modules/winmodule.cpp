// The module table: loading by name, reference counts, exports and the
// resource table of each module.
#include "platform/modules/winmodule.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/modules/kept_images.h"
#include "platform/modules/module_internal.h"
#include "platform/modules/module_names.h"
#include "platform/base/owned_table.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"

namespace plat {
namespace {

struct Module {
  std::u16string path;                     // full Windows path, as spelled on disk
  void* dl = nullptr;                      // null for a built-in module
  std::span<const BuiltinExport> exports;  // built-in modules only
  std::optional<res::Table> resources;
  long refs = 1;
  bool permanent = false;  // the process image is never unloaded
  // A resource-only module: its file's bytes, read as data (dl is null and
  // it has no exports), kept when freed while its file is unchanged.
  kept::Image image;
  std::filesystem::path host;
  kept::FileId id;

  std::u16string_view FileName() const { return modname::FileNamePart(path); }
};

// Loads and unloads may nest (a module's constructors may load others), as
// under the Windows loader lock.
struct ModuleTable {
  std::recursive_mutex lock;
  OwnedTable<Module> modules;
};

ModuleTable& Table() {
  static ModuleTable* table = new ModuleTable;  // lives until process exit
  return *table;
}

Module* Add(std::unique_ptr<Module> module) { return Table().modules.Add(std::move(module)); }

template <class Pred>
Module* FindIf(Pred pred) {
  return Table().modules.FindIf(pred);
}

// True when the address lies in the object that dl names, not in one of the
// libraries it depends on.
bool OwnAddress(void* dl, const void* address) {
  link_map* own = nullptr;
  link_map* found = nullptr;
  Dl_info info;
  return dlinfo(dl, RTLD_DI_LINKMAP, &own) == 0 &&
         dladdr1(address, &info, reinterpret_cast<void**>(&found), RTLD_DL_LINKMAP) != 0 &&
         found == own;
}

void* OwnSymbol(void* dl, const char* name) {
  void* address = dlsym(dl, name);
  return address != nullptr && OwnAddress(dl, address) ? address : nullptr;
}

std::optional<res::Table> ExportedResources(void* dl) {
  return res::Table::AtSymbol(OwnSymbol(dl, res::kSymbolName));
}

// The program of the process, as a file of the machine's system folder
// (the folder is read each time: the machine may change it).
Module* ProcessImage() {
  static const std::u16string exe = [] {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).filename().u16string();
  }();
  static Module* image = [] {
    auto m = std::make_unique<Module>();
    m->dl = dlopen(nullptr, RTLD_NOW);
    m->resources = ExportedResources(m->dl);
    m->permanent = true;
    return Add(std::move(m));
  }();
  image->path = modname::Join(modname::SystemFolder(), exe);
  return image;
}

// The loaded module a handle names (null: the process image), or null.
Module* Loaded(HMODULE handle) {
  if (handle == nullptr) return ProcessImage();
  return Table().modules.Find(handle);
}

// A resource-only file as data; null when the file is no such module.
Module* LoadImage(const std::filesystem::path& host) {
  const auto id = kept::IdOf(host);
  if (!id) return nullptr;
  if (Module* same = FindIf([&](const Module& m) { return m.image != nullptr && m.host == host; })) {
    ++same->refs;
    return same;
  }
  // A module kept since it was freed comes back with the path and table
  // worked out when it was first read.
  kept::Kept kept = kept::Take(host, *id);
  if (kept.image == nullptr) {
    kept.image = kept::ReadResourceOnly(host);
    if (kept.image == nullptr) return nullptr;
    kept.resources = res::Table::InImage(*kept.image);
    kept.windowsPath = WindowsPathOf(host);
  }
  if (!kept.resources) return nullptr;
  auto m = std::make_unique<Module>();
  m->path = std::move(kept.windowsPath);
  m->resources = kept.resources;
  m->image = std::move(kept.image);
  m->host = host;
  m->id = *id;
  return Add(std::move(m));
}

Module* LoadFile(const std::filesystem::path& host) {
  if (Module* image = LoadImage(host)) return image;
  void* dl = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (dl == nullptr) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  if (Module* same = FindIf([&](const Module& m) { return m.dl == dl; })) {
    dlclose(dl);  // the loader counted the same object twice
    ++same->refs;
    return same;
  }
  auto m = std::make_unique<Module>();
  m->path = WindowsPathOf(host);
  m->dl = dl;
  m->resources = ExportedResources(dl);
  return Add(std::move(m));
}

Module* LoadBuiltin(const modname::Builtin& builtin) {
  auto m = std::make_unique<Module>();
  m->path = modname::Join(modname::SystemFolder(), builtin.name);
  m->exports = builtin.exports;
  if (builtin.resources != nullptr) m->resources = res::Table::AtSymbol(builtin.resources);
  return Add(std::move(m));
}

Module* NotFound() {
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

// A relative name: below each searched folder in turn.
Module* LoadFromSearchFolders(std::u16string_view name) {
  for (const std::u16string& folder : modname::SearchFolders()) {
    if (auto host = modname::ExistingFile(modname::Join(folder, name))) return LoadFile(*host);
  }
  return NotFound();
}

Module* LoadBareName(std::u16string_view name) {
  if (Module* m = FindIf([&](const Module& m) { return SameName(m.FileName(), name); })) {
    ++m->refs;
    return m;
  }
  if (auto builtin = modname::FindBuiltin(name)) return LoadBuiltin(*builtin);
  return LoadFromSearchFolders(name);
}

// The loaded module of that full path (compared in on-disk spelling).
Module* LoadedAt(std::u16string_view path) {
  std::u16string canonical = modname::CanonicalPath(path);
  if (canonical.empty()) return nullptr;
  return FindIf([&](const Module& m) { return SameName(m.path, canonical); });
}

// A full path names a file; a built-in module also answers to its name in
// the system folder.
Module* LoadFullPath(std::u16string_view path) {
  if (auto host = modname::ExistingFile(path)) return LoadFile(*host);
  std::u16string_view file = modname::FileNamePart(path);
  std::u16string folder = modname::CanonicalPath(path.substr(0, path.size() - file.size()));
  auto builtin = modname::FindBuiltin(file);
  if (!builtin || !SameName(folder, modname::SystemFolder())) return NotFound();
  if (Module* loaded = LoadedAt(path)) {
    ++loaded->refs;
    return loaded;
  }
  return LoadBuiltin(*builtin);
}

}  // namespace

const res::Table* ModuleResources(HMODULE handle) {
  std::lock_guard guard(Table().lock);
  Module* m = Loaded(handle);
  if (m == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (!m->resources) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return &*m->resources;
}

}  // namespace plat

using plat::Module;

HMODULE LoadLibraryW(LPCWSTR fileName) {
  if (fileName == nullptr || fileName[0] == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::u16string name = plat::modname::WithExtension(fileName);
  std::lock_guard guard(plat::Table().lock);
  if (plat::modname::IsFullPath(name)) return plat::LoadFullPath(name);
  if (plat::modname::HasFolder(name)) return plat::LoadFromSearchFolders(name);
  return plat::LoadBareName(name);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  std::lock_guard guard(plat::Table().lock);
  if (moduleName == nullptr) return plat::ProcessImage();
  std::u16string name = plat::modname::WithExtension(moduleName);
  Module* m = plat::modname::HasFolder(name)
                  ? plat::LoadedAt(name)
                  : plat::FindIf([&](const Module& m) { return plat::SameName(m.FileName(), name); });
  return m != nullptr ? m : plat::NotFound();
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  std::lock_guard guard(plat::Table().lock);
  Module* m = plat::Loaded(module);
  if (m == nullptr) {
    plat::NotFound();
    return nullptr;
  }
  // Names only: a value below 0x10000 would be an ordinal.
  if (reinterpret_cast<ULONG_PTR>(procName) >= 0x10000) {
    if (m->dl != nullptr) {
      if (void* address = plat::OwnSymbol(m->dl, procName)) {
        return reinterpret_cast<FARPROC>(address);
      }
    } else {
      std::string_view wanted(procName);
      for (const plat::BuiltinExport& e : m->exports) {
        if (wanted == e.name) return e.proc;
      }
    }
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  std::unique_ptr<Module> unloaded;
  {
    std::lock_guard guard(plat::Table().lock);
    Module* m = module != nullptr ? plat::Table().modules.Find(module) : nullptr;
    if (m == nullptr) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return FALSE;
    }
    if (m->permanent || --m->refs > 0) return TRUE;
    unloaded = plat::Table().modules.Remove(module);
  }
  if (unloaded->image != nullptr) {
    std::lock_guard guard(plat::Table().lock);
    plat::kept::Keep(unloaded->host, unloaded->id,
                     {std::move(unloaded->image), std::move(unloaded->path), unloaded->resources});
    return TRUE;
  }
  // Outside the table's lock, so that the module's destructors may use it.
  if (unloaded->dl != nullptr) dlclose(unloaded->dl);
  return TRUE;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  std::u16string path;
  {
    std::lock_guard guard(plat::Table().lock);
    Module* m = plat::Loaded(module);
    if (m == nullptr) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    path = m->path;
  }
  if (path.size() < size) {
    std::copy(path.begin(), path.end(), fileName);
    fileName[path.size()] = 0;
    return static_cast<DWORD>(path.size());
  }
  if (size > 0) {
    std::copy_n(path.begin(), size - 1, fileName);
    fileName[size - 1] = 0;
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}
