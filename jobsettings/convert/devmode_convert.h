// Conversion between DEVMODEs of different sizes and versions: older public
// parts (188 bytes of Windows NT 3.51, 212 bytes before the ICM fields) and
// private parts of other lengths. A conversion copies what both sides have
// in common and keeps the target's own size and version words, so that the
// target always describes itself.
//
// Every DEVMODE comes with the number of bytes its buffer really holds.
// Nothing is read or written outside those bytes, whatever dmSize and
// dmDriverExtra claim: a DEVMODE whose buffer does not hold its own header
// words and public part is refused, and a private copy stops at the end of
// either buffer. Whenever a copied private part reaches the header's block
// offsets they are rewritten to their fixed values, and every text field that
// was copied ends terminated inside its field.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

// Public sizes and dmSpecVersion values of the system's DEVMODE generations.
inline constexpr WORD kDmSize351 = 188;
inline constexpr WORD kDmSize400 = 212;
inline constexpr WORD kDmSize401 = 220;
inline constexpr WORD kDmSpecVersion351 = 0x320;
inline constexpr WORD kDmSpecVersion400 = 0x400;
inline constexpr WORD kDmSpecVersion401 = 0x401;
// dmDriverVersion of the NT 3.51 form handed out by conversion mode 2.
inline constexpr WORD kDmDriverVersion351 = 0x350;

// The bytes a buffer must hold before its size and version words can be
// read: the header up to the end of dmDriverExtra.
inline constexpr std::size_t kDmHeaderBytes = offsetof(DEVMODEW, dmFields);

// The dmSpecVersion implied by dmSize: 188 gives 0x320, 212 gives 0x400,
// 220 gives 0x401, any other size the DEVMODE's own dmSpecVersion. 0 for a
// null DEVMODE or a buffer too short for the header words.
SHORT CheckDevmodeVersion(const DEVMODEW* dm, std::size_t bytes);

// Copies the common public length and the common private length from a
// source with a 220-byte public part into the target, then puts back the
// target's dmSpecVersion (from its dmSize), dmDriverVersion, dmSize and
// dmDriverExtra. The number of bytes copied, or -1 (target untouched) for a
// missing or unreadable DEVMODE or a source whose dmSize is not 220.
int ConvertDevmode(const DEVMODEW* source, std::size_t sourceBytes, DEVMODEW* target,
                   std::size_t targetBytes);

// The merge of a caller's DEVMODE into a copy of the current one. A source
// with a 188-byte public part goes through ConvertDevmode. Otherwise the
// public part is merged as ConvertDevmode does, and the private part only
// when it is ours: dmDriverExtra 1016, the target's dmDriverVersion, the
// signature and model signature of this driver, and all of it inside the
// source buffer. The bytes copied, or -1 when nothing or only the public
// part was merged.
int ConvertDevmode2(const DEVMODEW* source, std::size_t sourceBytes, DEVMODEW* target,
                    std::size_t targetBytes);

// Hands a DEVMODE out into a caller's buffer. Without a reference the whole
// source (dmSize plus dmDriverExtra bytes) is copied; with one, the target
// takes the smaller public part and the smaller private part of the two
// (their size and version words) and ConvertDevmode fills it. 1 on success,
// 0 when nothing was copied (also when the target buffer cannot hold the
// sizes chosen; it is then left untouched), -1 without a target.
int ConvertDevmodeOut(const DEVMODEW* source, std::size_t sourceBytes, const DEVMODEW* reference,
                      std::size_t referenceBytes, DEVMODEW* target, std::size_t targetBytes);

// Makes a whole driver DEVMODE image (sizeofKesmDM bytes, 220-byte public
// part) safe to use after its bytes came from outside: its block offsets
// are rewritten to their fixed values and every text field ends
// terminated inside its field.
void SettleDevmodeImage(DEVMODEW* image);

// The spooler's DEVMODE conversion. size points at the target buffer's
// size in bytes and receives the size used or needed; the printer name is
// not read. CDM_CONVERT converts to the target's own sizes, CDM_CONVERT351
// to the NT 3.51 form (188 + 1016 bytes), CDM_DRIVER_DEFAULT asks for the
// driver default (220 + 1016 bytes; on answer 2 the caller fills it); other
// modes answer 2. A failure answers 0 with the system's last error: invalid
// parameter, or for the last two modes insufficient buffer with the needed
// size.
int CommonDrvConvertDevmode(LPCWSTR printerName, const DEVMODEW* source, std::size_t sourceBytes,
                            DEVMODEW* target, DWORD* size, DWORD mode);
