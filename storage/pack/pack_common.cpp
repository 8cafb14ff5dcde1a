#include "storage/pack/pack_common.h"

#if !KESM_KERNEL_MODE
#include <optional>
#include <vector>

#include "platform/profile/winprofile.h"
#include "storage/files/file_names.h"
#include "storage/files/known_dirs.h"
#include "storage/ini/ini_script.h"
#include "storage/install/install_ini.h"
#include "storage/pack/pack_files.h"
#include "storage/pack/pack_stamp.h"

namespace pack {

bool CopySection(LPCWSTR sourceSection, LPCWSTR source, LPCWSTR destinationSection, LPCWSTR destination,
                 DWORD maxChars, bool allowEmpty) {
  const std::optional<std::vector<WCHAR>> lines = storage::ReadWholeSection(sourceSection, source, maxChars);
  if (!lines || (!allowEmpty && (lines->empty() || (*lines)[0] == 0))) return false;
  std::u16string name(destinationSection);
  CnvSQUAREBRACKETS(name.data());
  return WritePrivateProfileSectionW(name.c_str(), lines->data(), destination) != FALSE;
}

std::u16string StampOf(LPCWSTR packFile) {
  const std::u16string_view name = packFile != nullptr ? GetFileNamePtr(packFile) : u"";
  if (name.size() < kStampChars + 1 || name[0] != u'R') return {};
  std::u16string stamp(name.substr(1, kStampChars - 1));
  std::u16string probe = stamp;
  // A stamp is what the stepping accepts.
  return NextCnvTimeToSTR36(probe.data()) ? stamp : std::u16string();
}

std::u16string FolderOf(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, slash));
}

std::u16string PackRoot(HANDLE printer) {
  const std::u16string dummy = storage::DummyDirectory(printer);
  return dummy.empty() ? dummy : storage::JoinPath(dummy, kPackRoot);
}

}  // namespace pack
#endif
