// The keys of the install-time INI merges.
#include "storage/install/install_keys.h"

namespace {

constexpr INIKEY kIniKey[] = {
    {u"MergeKey", IniKeyKind::kCopy},
    {u"MergeSubKey", IniKeyKind::kCopy},
    {u"MergeFilePath", IniKeyKind::kCopy},
    {u"MergeFileName", IniKeyKind::kCopy},
    {u"DrvDefJobMergeFileName", IniKeyKind::kCopy},
    {u"DrvDefJobMergeFileExt", IniKeyKind::kCopy},
    // Read from the driver INI under its name followed by "2k" (Windows
    // 2000 and later) or "nt" (NT 4.0).
    {u"DrvDefJobMergePath", IniKeyKind::kCopy},
    {u"APIJobMergeFileName", IniKeyKind::kCopy},
    {u"APIJobMergePath", IniKeyKind::kCopy},
    {u"APIUseFlag", IniKeyKind::kCopy},
    {u"DriverJobMergeFileName", IniKeyKind::kCopy},
    {u"DriverJobMergePath", IniKeyKind::kCopy},
    {u"SAVEPrnMethod", IniKeyKind::kCopy},
    {u"SAVEACT_FILEMERGEPRINT", IniKeyKind::kCopy},
    {u"APIAPLName", IniKeyKind::kCopy},
    {u"APIAPLInfo", IniKeyKind::kCopy},
    {u"DefaultRst", IniKeyKind::kDefaultRst},
    {u"PresetRefresh", IniKeyKind::kRefreshMark},
};
static_assert(std::size(kIniKey) == 18);

constexpr LPCWSTR kIniKeyInstall[] = {
    u"RstVersion",
    u"bIsBIDISupportForKESMModel",
    u"bIsBIDISupportForKESMFont",
    u"bIsBIDISupportForKESM",
};

}  // namespace

const std::span<const INIKEY> IniKey{kIniKey};
const std::span<const LPCWSTR> IniKeyInstall{kIniKeyInstall};
const std::span<const LPCWSTR> IniKeyValidate{};
