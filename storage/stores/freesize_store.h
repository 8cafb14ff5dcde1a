// The ten user-defined free paper sizes, kept per user inside the settings
// INI: each is one section "FreeSize<n><language code>" in set-file form
// holding the free-size settings, counted by "FreeSizeCount" in the
// driver-name section. The driver INI holds the driver's defaults in the
// same layout. The context's free-size table (FREESIZEINFO) keeps them as
// the free-size page and the paper lists show them. Widths and lengths are
// in 1/1200 inch.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Paper ids of the free sizes: 384-393 the ten stored ones, 256 the user
// size of the DEVMODE, 448 the print size.
inline constexpr WORD kFreeSizePaperFirst = 384;
inline constexpr WORD kFreeSizePaperLast = 393;
inline constexpr WORD kPaperUser = 256;
inline constexpr WORD kPaperPrintFreeSize = 448;
// Entries of the paper-id table: the ten stored sizes, then 256 and 448.
inline constexpr int kFreeSizePaperIds = 12;
// The request-word bit that says the free-size table has been read.
inline constexpr DWORD kRequestFreeSizesRead = 0x4000000;
// Resource strings: list texts of the entries (109 + n), of the user size
// and of the print size.
inline constexpr UINT kStringFreeSizeFirst = 109;
inline constexpr UINT kStringPaperUser = 752;
inline constexpr UINT kStringPrintFreeSize = 753;

// TRUE for the paper ids of the ten stored free sizes.
BOOL IsFreeSizePaperIDByRegist(WORD paperId);
// The paper id of an entry number among the first count pairs of the
// paper-id table; 0 when not found or when count is below the entry.
WORD GetFreeSizePaperID2(int entry, int count, const UCB* ucb);
// The entry number of a paper id (-1 when unknown); *position (when given)
// receives its position among the pairs, kFreeSizePaperIds when unknown.
int GetFreeSizePaperNum(WORD paperId, UCB* ucb, int* position);
// 1/100 inch to 1/10 mm, rounded up so that the way back gives the value;
// 1/10 mm to 1/100 inch, truncated.
LONG ConvertINCHtoMM(LONG value);
LONG ConvertMMtoINCH(LONG value);

// Always 10. GetFreeSizeRegistNumEx gives it, GetFreeSizeRegistNum the
// number of paper ids (12).
int ReadFreesizeCount(const UCB* ucb);
int GetFreeSizeRegistNumEx(const UCB* ucb);
int GetFreeSizeRegistNum(const UCB* ucb);

#if KESM_KERNEL_MODE
// The rendering library reads a stored free size straight from the
// settings INI: entry n's name, width, length, tray and orientation into
// the source free size (757-761) or the free size being edited (752-756),
// emptied first. FALSE for an entry out of range or a context without a
// settings INI (nothing changed).
BOOL ReadFreesizeEntryKM(UCB* ucb, int n, bool source);
#endif

#if !KESM_KERNEL_MODE
// "FreeSize<index><language code>" into a buffer of at least
// kStoreKeyChars characters; returns the buffer.
LPWSTR MakeFreesizeKey(LPWSTR buffer, int index, DWORD reserved, UCB* ucb);

// Clears settings 752-756 and reads the section named key into them.
BOOL ReadFreesizeByKey(UCB* ucb, LPCWSTR key);
BOOL ReadFreesizeByID(UCB* ucb, int index);
// Clears settings 757-761 and reads the section's source free-size keys.
BOOL ReadSrcFreesizeByKey(UCB* ucb, LPCWSTR key);
BOOL ReadSrcFreesizeByID(UCB* ucb, int index);
// Writes settings 752-756 as the section named key.
BOOL WriteFreesizeByKey(UCB* ucb, LPCWSTR key);
BOOL WriteFreesizeByID(UCB* ucb, int index);
// Writes "FreeSizeCount" as decimal text.
BOOL WriteFreesizeCount(UCB* ucb, int count);
// Reads and writes back every entry in the current format; the settings
// are put back afterwards.
BOOL UpgradeFreesize(UCB* ucb);

// The table: every entry read from the store once per context (until the
// request bit is cleared), every entry written, or every entry filled with
// the driver's defaults (A4, tray 4, portrait where the driver INI says
// nothing). The settings are put back afterwards.
BOOL ReadFreesizeInfoAll(UCB* ucb);
BOOL WriteFreesizeInfoAll(UCB* ucb);
BOOL SetDefaultFreesizeInfoAll(UCB* ucb);
// Table entry n to settings 752-756 (UI scratch) or 757-761 (work), and
// back; the way back reloads both list texts of the entry.
BOOL MoveFreesizeInfoToUiTemp(UCB* ucb, int n);
BOOL MoveSrcFreesizeInfoToWork(UCB* ucb, int n);
BOOL MoveFreesizeInfoFromUiTemp(UCB* ucb, int n);
BOOL MoveSrcFreesizeInfoFromWork(UCB* ucb, int n);
// Entry n's list text and size from the DEVMODE's user size (paper 256)
// or print size (448); other ids do nothing.
BOOL GetFreeSizeInfoNoRegist(UCB* ucb, WORD paperId, int n);
// The paper size is the user size and sizes show in inches (millimetres).
BOOL IsUsePaperINCHSize(UCB* ucb);
BOOL IsUsePaperMMSize(UCB* ucb);

// The driver's free sizes: "FreeSizeCount" of the driver INI when it is 10
// (else 0), and its entries (settings 752-754 cleared first).
int ReadFreesizeCountFromInstIni(UCB* ucb);
BOOL ReadFreesizeByKeyFromInstIni(UCB* ucb, LPCWSTR key);
BOOL ReadFreesizeByIDFromInstIni(UCB* ucb, int index);
// Free sizes of a given file (a default set file): "FreeSizeCount" of the
// section (0-10), an entry by its key or index into settings 752-756
// (cleared first).
int ReadFreesizeCountDrvInst(LPCWSTR file, LPCWSTR section, UCB* ucb);
BOOL ReadFreesizeByKeyDrvInst(LPCWSTR file, LPCWSTR key, UCB* ucb);
BOOL ReadFreesizeByIDDrvInst(LPCWSTR file, int index, UCB* ucb);

#endif
