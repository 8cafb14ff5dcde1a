// Paths in 28.4 fixed point, enumerated run by run, and line attributes.
#pragma once

#include "platform/engine/objects/ddi_types.h"

struct PATHOBJ {
  FLONG fl;
  ULONG cCurves;  // lines and curves in the path
};
using PPATHOBJ = PATHOBJ*;

inline constexpr FLONG PO_BEZIERS = 0x00000001;
inline constexpr FLONG PO_ELLIPSE = 0x00000002;
inline constexpr FLONG PO_ALL_INTEGERS = 0x00000004;

// One run of points handed out by PATHOBJ_bEnum.
struct PATHDATA {
  FLONG flags;
  ULONG count;
  POINTFIX* pptfx;
};
using PPATHDATA = PATHDATA*;

inline constexpr FLONG PD_BEGINSUBPATH = 0x00000001;  // the first point starts a subpath
inline constexpr FLONG PD_ENDSUBPATH = 0x00000002;    // the last point ends it
inline constexpr FLONG PD_RESETSTYLE = 0x00000004;
inline constexpr FLONG PD_CLOSEFIGURE = 0x00000008;   // the subpath is closed
inline constexpr FLONG PD_BEZIERS = 0x00000010;       // groups of three Bezier points

// Restarts the enumeration at the first run.
void PATHOBJ_vEnumStart(PATHOBJ* ppo);
// The next run: a subpath's first run carries PD_BEGINSUBPATH and its start
// point first; a run of Bezier points carries PD_BEZIERS and a multiple of
// three points after the start point. TRUE while more runs follow; after
// the last run, FALSE with a count of 0.
BOOL PATHOBJ_bEnum(PATHOBJ* ppo, PATHDATA* ppd);
// The smallest rectangle holding every point of the path, control points
// included.
void PATHOBJ_vGetBounds(PATHOBJ* ppo, PRECTFX prectfx);
// Building a path: a new subpath at the point, then lines or Beziers from
// the current point, and closing the current subpath.
BOOL PATHOBJ_bMoveTo(PATHOBJ* ppo, POINTFIX ptfx);
BOOL PATHOBJ_bPolyLineTo(PATHOBJ* ppo, POINTFIX* pptfx, ULONG cptfx);
BOOL PATHOBJ_bPolyBezierTo(PATHOBJ* ppo, POINTFIX* pptfx, ULONG cptfx);
BOOL PATHOBJ_bCloseFigure(PATHOBJ* ppo);
// An empty path of the engine, freed with EngDeletePath.
PATHOBJ* EngCreatePath();
// Frees a path the engine made for the driver (EngCreatePath,
// CLIPOBJ_ppoGetPath); a null path is ignored.
void EngDeletePath(PATHOBJ* ppo);

// Line attributes of DrvStrokePath.
struct LINEATTRS {
  FLONG fl;
  ULONG iJoin;
  ULONG iEndCap;
  FLOAT_LONG elWidth;  // a float for geometric lines, an integer for cosmetic ones
  FLOATL eMiterLimit;
  ULONG cstyle;
  PFLOAT_LONG pstyle;  // dash and gap lengths, starting with a dash
  FLOAT_LONG elStyleState;
};
using PLINEATTRS = LINEATTRS*;

inline constexpr FLONG LA_GEOMETRIC = 0x00000001;
inline constexpr FLONG LA_ALTERNATE = 0x00000002;
inline constexpr FLONG LA_STARTGAP = 0x00000004;
inline constexpr FLONG LA_STYLED = 0x00000008;
inline constexpr ULONG JOIN_ROUND = 0;
inline constexpr ULONG JOIN_BEVEL = 1;
inline constexpr ULONG JOIN_MITER = 2;
inline constexpr ULONG ENDCAP_ROUND = 0;
inline constexpr ULONG ENDCAP_SQUARE = 1;
inline constexpr ULONG ENDCAP_BUTT = 2;
