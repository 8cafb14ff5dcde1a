// CRC-16/CCITT (polynomial 0x1021, most significant bit first, not
// reflected) over the bytes of a printer description.
#pragma once

#include "platform/base/wintypes.h"

extern const WORD Crc16Table[256];

// The CRC word after one more byte.
inline WORD Crc16Update(WORD crc, BYTE byte) {
  return static_cast<WORD>(Crc16Table[((crc >> 8) ^ byte) & 0xFF] ^ (crc << 8));
}

// The CRC word after the bytes, eight at a time: the same word as one
// Crc16Update per byte.
WORD Crc16UpdateSpan(WORD crc, const BYTE* bytes, SIZE_T count);
