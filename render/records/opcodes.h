// The opcodes of the display-list records: byte 0 of every record. Every
// record is a whole multiple of 4 bytes long, little-endian throughout, with
// every byte its layout does not name zero.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr BYTE kOpRect = 0x10;
inline constexpr BYTE kOpPathCurves = 0x11;  // a path record that holds a curve
inline constexpr BYTE kOpPathLines = 0x12;   // a path record of lines only
inline constexpr BYTE kOpImage = 0x20;
inline constexpr BYTE kOpColor = 0x30;
inline constexpr BYTE kOpRop3 = 0x31;
inline constexpr BYTE kOpBackgroundMode = 0x32;
inline constexpr BYTE kOpLineStyle = 0x33;
inline constexpr BYTE kOpStyleShift = 0x34;
inline constexpr BYTE kOpLineCap = 0x35;
inline constexpr BYTE kOpLineJoin = 0x36;
inline constexpr BYTE kOpResetClip = 0x37;
inline constexpr BYTE kOpDefineBrush = 0x40;
inline constexpr BYTE kOpDefineFont = 0x50;
inline constexpr BYTE kOpPutChar = 0x51;
inline constexpr BYTE kOpPutString = 0x52;
inline constexpr BYTE kOpPutCharBitmap = 0x53;  // the printer keeps the bitmap under its key
inline constexpr BYTE kOpRegistCharBitmap = 0x54;
inline constexpr BYTE kOpPutStringEx = 0x55;
inline constexpr BYTE kOpDefineFontEx = 0x56;
inline constexpr BYTE kOpPutCharBitmapOnce = 0x57;  // the bitmap is drawn and forgotten
inline constexpr BYTE kOpPageStart = 0x60;
inline constexpr BYTE kOpPageEnd = 0x61;
