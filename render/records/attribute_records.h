// The attribute records: colour, ROP3, background mode, the four line
// records, reset clip and the brush definition. Each encoder appends its
// record to the display list and returns its address, or null when the list
// cannot take it (what was appended before stays). The drawing calls send
// these through the emit-on-change layer (state_control.h), not directly.
#pragma once

#include "platform/base/wintypes.h"
#include "render/records/drawing_state.h"
#include "render/records/opcodes.h"

struct JobStream;

// Flags byte of the colour record.
inline constexpr BYTE kColorFlagAlways = 0x01;
inline constexpr BYTE kColorFlagBackground = 0x08;  // a background colour follows
inline constexpr BYTE kColorFlagThird = 0x10;       // a third colour follows
inline constexpr BYTE kColorFlagText = 0x40;        // the colour is for text

inline constexpr SHORT kBackgroundTransparent = 1;
inline constexpr SHORT kBackgroundOpaque = 2;
inline constexpr SHORT kDrawKindText = 2;

// The flags byte the colour record of these attributes carries: a
// background colour in opaque mode, a third colour when its flag is set,
// the text mark for drawing kind 2.
BYTE ColorRecordFlags(const DRAWATTR& attributes);

// 0x30, 8, 12 or 16 bytes: {0x30, length, flags, 0}, then 3 bytes of each
// colour that goes (foreground; background when opaque; third when its flag
// is set), each the low 24 bits low byte first. The colours are taken as
// they are: the caller has already exchanged their red and blue bytes
// (BGRtoRGB_DRAWATTR).
BYTE* PrnIdlSetColor(JobStream* stream, const DRAWATTR* attributes);

// The ROP3 byte the printer is sent for a ROP3: 0xF0 goes as 0xCC.
BYTE SentRop3(BYTE rop3);
// {0x31, SentRop3(rop3), 0, 0}.
BYTE* PrnIdlSetRop3(JobStream* stream, BYTE rop3);
// {0x32, mode, 0, 0}: 1 transparent, 2 opaque.
BYTE* PrnIdlSetBackgroundMode(JobStream* stream, SHORT mode);
// {0x33, style unit, line width u16, style mask u32}.
BYTE* PrnIdlLineStyle(JobStream* stream, BYTE styleUnit, USHORT width, ULONG styleMask);
// {0x34, style shift, 0, 0}.
BYTE* PrnIdlStyleShift(JobStream* stream, BYTE styleShift);
// {0x35, cap, 0, 0}: 0 round, 1 butt, 2 square.
BYTE* PrnIdlLineCap(JobStream* stream, BYTE cap);
// {0x36, join, 0, 0, miter limit x 256 u32}: 0 round, 1 bevel, 2 miter.
BYTE* PrnIdlLineJoin(JobStream* stream, BYTE join, ULONG miterLimit);
// {0x37, 0, 0, 0}.
BYTE* PrnIdlResetClip(JobStream* stream);

// Flags byte (byte 1) of the brush-definition record.
inline constexpr BYTE kBrushFlag24Bit = 0x01;
inline constexpr BYTE kBrushFlagPattern = 0x80;

// The pattern bytes a brush of this kind, depth and size byte (16, 32, 64
// or 0) sends, or -1 when no record can be made for it: kind 0 sends none,
// kind 2 one bit a pixel, kind 3 one bit or 24 bits a pixel.
LONG BrushPatternBytes(USHORT kind, USHORT bitDepth, BYTE sizeByte);
// 0x40: {0x40, flags, size byte, 1, data length u16, pattern data}, padded
// to a multiple of 4. The flags say whether there is a pattern and whether
// it has 24 bits a pixel; the size byte is the pattern size when it is 16,
// 32 or 64, else 0 (and then no data goes). The data is copied from pattern
// (which may be null when no data goes). Returns where the pattern data
// lies in the record, or null when the brush's kind or depth has no record
// or the list cannot take it.
BYTE* PrnIdlDefineBrush(JobStream* stream, const BrushRecord* brush, const BYTE* pattern);
// The printer takes the brush origin from nowhere: writes nothing, TRUE.
BOOL PrnIdlSetBrushOrg(JobStream* stream, const POINTL* origin);

// The ROP3 of each raster-operation code 0-16 (0 is no code: copy).
inline constexpr int kRop2Codes = 17;
extern const BYTE Rop2To3[kRop2Codes];
// The ROP3 of an engine mix: its low byte, a raster-operation code 1-16,
// through Rop2To3; 0 and codes above 16 give 0xCC (copy).
BYTE GetGraphicROP3(ULONG mix);

// Exchanges bytes 0 and 2 of a colour and clears byte 3: the engine's
// colour as the printer takes it.
void BGRtoRGB(ULONG* color);
// BGRtoRGB on the foreground and background colours, and on the third
// colour when it is not 0.
void BGRtoRGB_DRAWATTR(DRAWATTR* attributes);
