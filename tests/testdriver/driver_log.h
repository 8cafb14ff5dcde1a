// What the test driver module records of the calls it receives: each entry
// point by name with copies of the engine objects it was given. Shared by
// the module and the tests that load it through the print host.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/engine/winddi.h"

namespace testdriver {

struct PathRun {
  FLONG flags = 0;
  std::vector<POINTFIX> points;
};

struct BrushSeen {
  ULONG solidColor = 0xFFFFFFFF;
  bool realized = false;
  ULONG hatch = 0xFFFFFFFF;     // iHatch given to DrvRealizeBrush
  ULONG patternFormat = 0;      // the pattern surface's format
  SIZEL patternSize{};
  std::vector<ULONG> xlate;     // the pattern translation's table
};

struct Call {
  std::string name;
  // The clip object.
  bool clipped = false;
  ULONG clipUniq = 0;
  BYTE clipComplexity = 0;
  RECTL clipBounds{};
  std::vector<RECTL> clipRects;
  // A path.
  FLONG pathFlags = 0;
  std::vector<PathRun> path;
  RECTFX pathBounds{};
  FLONG fillMode = 0;
  // Brushes: the call's brush (fill), and the pen of a stroke.
  BrushSeen brush;
  BrushSeen pen;
  MIX mix = 0;
  // Line attributes and the world transform.
  FLONG lineFlags = 0;
  FLOAT_LONG width{};
  std::vector<FLOAT_LONG> styles;
  XFORML xform{};
  // A string.
  std::u16string text;
  std::vector<GLYPHPOS> glyphs;   // positions in enumeration order
  std::vector<ULONG> batches;     // glyphs per STROBJ_bEnum batch
  bool allPositions = false;      // pgp was given
  FLONG accel = 0;
  ULONG charInc = 0;
  RECTL background{};
  ULONG fontUniq = 0;
  std::u16string faceName;
  XFORML fontXform{};
  SIZEL firstGlyphSize{};
  // A blt.
  ROP4 rop4 = 0;
  ULONG sourceFormat = 0;
  SIZEL sourceSize{};
  RECTL dest{};
  RECTL source{};
  std::vector<ULONG> xlate;
  // Lifecycle values.
  DWORD jobId = 0;
  FLONG flags = 0;
  SHORT orientation = 0;
  POINTL band{};
  BOOL writeOk = TRUE;
  LONG inkPixels = 0;             // non-white pixels of a finished band
};

// How the driver behaves: leave entry points out of the table it hands
// over, fail the named entry point (the first call of it from now), leave
// the first call of a named path entry point to the engine, or band its
// pages.
struct Control {
  std::vector<ULONG> withheld;  // function indices DrvEnableDriver leaves out
  std::string failIn;
  std::string declineIn;
  bool banding = false;
  bool curves = true;  // GCAPS_BEZIERS
};

// The environment variable whose function index DrvEnableDriver leaves out
// of the table it hands over.
inline constexpr const char* kWithheldVariable = "KESM_TESTDRIVER_WITHHELD";

struct Log {
  // A deque, so that a call being filled in stays where it is while a
  // callback it makes (a brush realized on demand) records another call.
  std::deque<Call> calls;
  Control control;
  void Reset() { *this = Log{}; }
};

}  // namespace testdriver

// Exported by the module.
extern "C" testdriver::Log* TestDriverLog();
