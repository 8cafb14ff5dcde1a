// The file kinds of the TCBs, one row each. Beside the filter name, title
// and default pattern of each kind, a row says which system dialog runs,
// which setting the dialog starts from and keeps the chosen path in, where
// it starts when that path names a file that is gone, and under which key
// the per-user INI remembers its last folder. The folder for intermediate
// files (0x8000) has a row of its own too: no filter, title or pattern,
// and nothing remembered; its start folder comes from the spool-directory
// values instead (file_dialog_setup.cpp).
#include <array>
#include <span>

#include "ui/subdialogs/file_dialogs.h"

namespace {

constexpr const WCHAR* atExtRst = u"*.rst";
constexpr const WCHAR* atExtRpo = u"*.rpo";
constexpr const WCHAR* atExtBmp = u"*.bmp";
constexpr const WCHAR* atExtTcm1 = u"*.tcm";

constexpr const WCHAR* ctKeyOpenFilePath = u"OpenFilePath";
constexpr const WCHAR* ctKeySaveFilePath = u"SaveFilePath";
constexpr const WCHAR* ctKeyRefFilePath = u"RefFilePath";
constexpr const WCHAR* ctKeyRporefPath = u"RporefPath";
constexpr const WCHAR* ctKeyRstSavePath = u"RstSavePath";

constexpr WORD kBitmapNameItem = 2341;   // the image stamp's picture file
constexpr WORD kOverlayPath = 790;       // wdmOvlPath
constexpr WORD kOverlayNameItem = 2586;  // the overlay dialog's file name
constexpr WORD kProfilePath = 828;       // wdmColorProfilePath, which the profile file item shows

using enum FileDialogCall;
using enum PathSetting;
using enum GoneFileStart;

constexpr std::array<FILEDIALOGINFO, 8> tblFileDialogInfo = {{
    // kind, filter, title, pattern, dialog, path setting, gone file, last-folder key
    // The colour profile comes first: its dialog also carries the bitmap bit.
    {kTabProfileRefer, 378, 5011, atExtTcm1, kOpen, kOfFunction, kProfilePath, kLastFolder, nullptr},
    {kTabFileOpen, 376, 5002, atExtRst, kOpen, kNone, 0, kFileFolder, ctKeyOpenFilePath},
    {kTabSetFileOpenSave, 376, 5003, atExtRst, kSave, kNone, 0, kFileFolder, ctKeySaveFilePath},
    {kTabBitmapRefer, 377, 5004, atExtBmp, kOpen, kOfItem, kBitmapNameItem, kLastFolder, ctKeyRefFilePath},
    {kTabOverlaySave, 433, 5008, atExtRpo, kOpen, kOfFunction, kOverlayPath, kFileFolder, nullptr},
    {kTabOverlayRefer, 433, 5009, atExtRpo, kOpen, kOfItem, kOverlayNameItem, kSystemFolder, ctKeyRporefPath},
    {kTabSetFileSave, 376, 5010, atExtRst, kSave, kNone, 0, kFileFolder, ctKeyRstSavePath},
    {kTabMidFileFolder, 0, 0, nullptr, kOpen, kNone, 0, kFileFolder, nullptr},
}};

}  // namespace

const FILEDIALOGINFO* GetFileDialogInfo(const TCB* tcb) {
  if (tcb == nullptr) return nullptr;
  for (const FILEDIALOGINFO& row : tblFileDialogInfo) {
    if ((tcb->kind & row.kind) != 0) return &row;
  }
  return nullptr;
}
