// Module names, search folders and built-in modules.
#include "platform/modules/module_names.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/modules/builtin_modules.h"
#include "platform/system/sysfacts.h"
#include "platform/files/winpath.h"

namespace plat::modname {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

struct Registry {
  std::mutex lock;
  std::vector<Builtin> modules;
};

// The built-in modules present from the start.
Registry& Builtins() {
  static Registry* registry = new Registry{
      {},
      {{u"UserEnv.dll", UserEnvExports()},
       {u"spoolss.dll", SpoolssExports()},
       {u"compstui.dll", CompstuiExports()},
       {u"comdlg32.dll", ComDlgExports(), ComDlgResources()}}};  // lives until process exit
  return *registry;
}

}  // namespace

std::u16string WithExtension(std::u16string_view name) {
  std::u16string result(name);
  if (!result.empty() && result.back() == u'.') {
    result.pop_back();
  } else if (FileNamePart(result).find(u'.') == std::u16string_view::npos) {
    result += u".DLL";
  }
  return result;
}

std::u16string_view FileNamePart(std::u16string_view path) {
  auto it = std::find_if(path.rbegin(), path.rend(), IsSeparator);
  return path.substr(static_cast<std::size_t>(path.rend() - it));
}

bool HasFolder(std::u16string_view name) {
  return std::any_of(name.begin(), name.end(), IsSeparator);
}

std::u16string Join(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += u'\\';
  path += name;
  return path;
}

bool IsFullPath(std::u16string_view name) {
  return name.size() >= 3 && name[1] == u':' && IsSeparator(name[2]) &&
         ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}

std::optional<std::filesystem::path> ExistingFile(std::u16string_view winPath) {
  auto host = HostPathOf(std::u16string(winPath).c_str());
  std::error_code ec;
  if (!host || !std::filesystem::is_regular_file(*host, ec)) return std::nullopt;
  return host;
}

std::u16string CanonicalPath(std::u16string_view winPath) {
  auto host = HostPathOf(std::u16string(winPath).c_str());
  return host ? WindowsPathOf(*host) : std::u16string();
}

std::u16string SystemFolder() { return SystemDirectory(); }

std::vector<std::u16string> SearchFolders() {
  const std::u16string windows = WindowsDirectory();
  return {SystemDirectory(), Join(windows, u"System"), windows};
}

std::optional<Builtin> FindBuiltin(std::u16string_view fileName) {
  Registry& r = Builtins();
  std::lock_guard guard(r.lock);
  auto it = std::find_if(r.modules.begin(), r.modules.end(), [&](const Builtin& b) {
    return SameName(b.name, fileName);
  });
  if (it == r.modules.end()) return std::nullopt;
  return *it;
}

}  // namespace plat::modname

bool plat::RegisterBuiltinModule(std::u16string_view fileName,
                                 std::span<const BuiltinExport> exports) {
  if (fileName.empty() || modname::HasFolder(fileName)) return false;
  std::u16string name = modname::WithExtension(fileName);
  modname::Registry& r = modname::Builtins();
  std::lock_guard guard(r.lock);
  auto it = std::find_if(r.modules.begin(), r.modules.end(), [&](const modname::Builtin& b) {
    return SameName(b.name, name);
  });
  if (it != r.modules.end()) {
    it->exports = exports;
    it->resources = nullptr;
  } else {
    r.modules.push_back({std::move(name), exports});
  }
  return true;
}
