// The test driver: a printer driver that records what the engine hands it.
// It reports a 300 dpi page of 8 x 10.5 inches (landscape: 10.5 x 8), hooks
// every drawing call on a device surface, or bands the page through an
// engine bitmap, and writes a short text per page and band to the job.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "tests/testdriver/driver_log.h"

namespace {

testdriver::Log& TheLog() {
  static testdriver::Log log;
  return log;
}

constexpr ULONG kMagic = 0x54445256;
constexpr LONG kDpi = 300;
constexpr LONG kBandHeight = 1000;

struct Pdev {
  ULONG magic = kMagic;
  HDEV hdev = nullptr;
  HPALETTE palette = nullptr;
  HSURF surface = nullptr;
  SIZEL page{};
  bool banding = false;
  LONG bandTop = 0;
};

Pdev* PdevOf(DHPDEV dhpdev) {
  auto* pdev = reinterpret_cast<Pdev*>(dhpdev);
  return pdev != nullptr && pdev->magic == kMagic ? pdev : nullptr;
}
Pdev* PdevOf(SURFOBJ* pso) { return pso ? PdevOf(pso->dhpdev) : nullptr; }

// Records the call; false when the test asked this entry point to fail.
testdriver::Call& Record(const char* name) {
  TheLog().calls.push_back(testdriver::Call{});
  TheLog().calls.back().name = name;
  return TheLog().calls.back();
}
// A path call that fails says so with DDI_ERROR: FALSE would leave the
// path to the engine.
constexpr BOOL kPathFailure = static_cast<BOOL>(DDI_ERROR);

bool Fails(const char* name) {
  if (TheLog().control.failIn != name) return false;
  TheLog().control.failIn.clear();
  return true;
}

// A path call's answer: drawn, failed, or declined (FALSE) for the engine
// to draw.
BOOL PathResult(const char* name) {
  if (Fails(name)) return kPathFailure;
  if (TheLog().control.declineIn != name) return TRUE;
  TheLog().control.declineIn.clear();
  return FALSE;
}

void SeeClip(testdriver::Call& call, CLIPOBJ* pco) {
  if (pco == nullptr) return;
  call.clipped = true;
  call.clipUniq = pco->iUniq;
  call.clipComplexity = pco->iDComplexity;
  call.clipBounds = pco->rclBounds;
  if (pco->iDComplexity != DC_COMPLEX) return;
  CLIPOBJ_cEnumStart(pco, FALSE, CT_RECTANGLES, CD_RIGHTDOWN, 0);
  struct { ULONG c; RECTL arcl[3]; } rects;
  bool more = true;
  while (more) {
    more = CLIPOBJ_bEnum(pco, sizeof rects, reinterpret_cast<ULONG*>(&rects)) != FALSE;
    call.clipRects.insert(call.clipRects.end(), rects.arcl, rects.arcl + rects.c);
  }
}

void SeePath(testdriver::Call& call, PATHOBJ* ppo) {
  if (ppo == nullptr) return;
  call.pathFlags = ppo->fl;
  PATHOBJ_vGetBounds(ppo, &call.pathBounds);
  PATHOBJ_vEnumStart(ppo);
  PATHDATA data{};
  bool more = true;
  while (more) {
    more = PATHOBJ_bEnum(ppo, &data) != FALSE;
    if (data.count > 0) call.path.push_back({data.flags, {data.pptfx, data.pptfx + data.count}});
  }
}

void SeeBrush(testdriver::BrushSeen& seen, BRUSHOBJ* pbo) {
  if (pbo == nullptr) return;
  seen.solidColor = pbo->iSolidColor;
  if (pbo->iSolidColor != 0xFFFFFFFF) return;
  auto* realized = static_cast<testdriver::BrushSeen*>(BRUSHOBJ_pvGetRbrush(pbo));
  if (realized != nullptr) {
    seen.realized = true;
    seen.hatch = realized->hatch;
    seen.patternFormat = realized->patternFormat;
    seen.patternSize = realized->patternSize;
  }
}

void SeeXlate(std::vector<ULONG>& out, XLATEOBJ* pxlo) {
  if (pxlo == nullptr || pxlo->pulXlate == nullptr) return;
  out.assign(pxlo->pulXlate, pxlo->pulXlate + pxlo->cEntries);
}

// The engine's device handle of the last completed PDEV: the printer
// handle, which jobs are written to.
HDEV g_hdev = nullptr;

bool Write(const std::string& text) {
  auto& call = Record("EngWritePrinter");
  DWORD written = 0;
  call.writeOk = EngWritePrinter(reinterpret_cast<HANDLE>(g_hdev), const_cast<char*>(text.data()),
                                 static_cast<DWORD>(text.size()), &written) &&
                 written == text.size();
  return call.writeOk != FALSE;
}

}  // namespace

extern "C" testdriver::Log* TestDriverLog() { return &TheLog(); }

namespace {

DHPDEV DrvEnablePDEV(DEVMODEW* pdm, LPWSTR, ULONG cPat, HSURF* phsurfPatterns, ULONG cjCaps,
                     GDIINFO* pdevcaps, ULONG cjDevInfo, DEVINFO* pdi, HDEV, LPWSTR, HANDLE) {
  auto& call = Record("DrvEnablePDEV");
  call.orientation = pdm ? pdm->dmOrientation : 0;
  if (Fails("DrvEnablePDEV")) return nullptr;
  auto* pdev = new Pdev;
  pdev->banding = TheLog().control.banding;
  const bool landscape = pdm != nullptr && pdm->dmOrientation == 2;
  pdev->page = landscape ? SIZEL{3150, 2400} : SIZEL{2400, 3150};
  GDIINFO gi{};
  gi.ulVersion = GDI_DRIVER_VERSION;
  gi.ulTechnology = DT_RASPRINTER;
  gi.ulHorzRes = static_cast<ULONG>(pdev->page.cx);
  gi.ulVertRes = static_cast<ULONG>(pdev->page.cy);
  gi.cBitsPixel = 24;
  gi.cPlanes = 1;
  gi.ulLogPixelsX = gi.ulLogPixelsY = kDpi;
  gi.xStyleStep = gi.yStyleStep = 1;
  gi.denStyleStep = kDpi / 25;
  std::memcpy(pdevcaps, &gi, std::min<ULONG>(cjCaps, sizeof gi));
  DEVINFO di{};
  di.flGraphicsCaps = GCAPS_GEOMETRICWIDE | GCAPS_ALTERNATEFILL | GCAPS_WINDINGFILL |
                      (TheLog().control.curves ? GCAPS_BEZIERS : 0);
  di.iDitherFormat = BMF_24BPP;
  pdev->palette = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
  di.hpalDefault = pdev->palette;
  std::memcpy(pdi, &di, std::min<ULONG>(cjDevInfo, sizeof di));
  for (ULONG i = 0; i < cPat; ++i) phsurfPatterns[i] = nullptr;
  return reinterpret_cast<DHPDEV>(pdev);
}

void DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev) {
  Record("DrvCompletePDEV");
  if (Pdev* pdev = PdevOf(dhpdev)) pdev->hdev = hdev;
  g_hdev = hdev;
}

BOOL DrvResetPDEV(DHPDEV, DHPDEV) {
  Record("DrvResetPDEV");
  return Fails("DrvResetPDEV") ? FALSE : TRUE;
}

HSURF DrvEnableSurface(DHPDEV dhpdev) {
  Record("DrvEnableSurface");
  Pdev* pdev = PdevOf(dhpdev);
  if (pdev == nullptr || Fails("DrvEnableSurface")) return nullptr;
  if (pdev->banding) {
    HBITMAP band = EngCreateBitmap(SIZEL{pdev->page.cx, kBandHeight}, 0, BMF_24BPP, BMF_TOPDOWN, nullptr);
    pdev->surface = reinterpret_cast<HSURF>(band);
    EngAssociateSurface(pdev->surface, pdev->hdev, 0);
    EngMarkBandingSurface(pdev->surface);
  } else {
    pdev->surface = EngCreateDeviceSurface(reinterpret_cast<DHSURF>(pdev), pdev->page, BMF_24BPP);
    EngAssociateSurface(pdev->surface, pdev->hdev,
                        HOOK_BITBLT | HOOK_STRETCHBLT | HOOK_TEXTOUT | HOOK_STROKEPATH |
                            HOOK_FILLPATH | HOOK_STROKEANDFILLPATH | HOOK_COPYBITS);
  }
  return pdev->surface;
}

void DrvDisableSurface(DHPDEV dhpdev) {
  Record("DrvDisableSurface");
  if (Pdev* pdev = PdevOf(dhpdev)) {
    EngDeleteSurface(pdev->surface);
    pdev->surface = nullptr;
  }
}

void DrvDisablePDEV(DHPDEV dhpdev) {
  Record("DrvDisablePDEV");
  if (Pdev* pdev = PdevOf(dhpdev)) {
    EngDeletePalette(pdev->palette);
    pdev->magic = 0;
    delete pdev;
  }
}

BOOL DrvStartDoc(SURFOBJ*, LPWSTR name, DWORD jobId) {
  auto& call = Record("DrvStartDoc");
  call.text = name ? name : u"";
  call.jobId = jobId;
  return Fails("DrvStartDoc") ? FALSE : TRUE;
}

BOOL DrvEndDoc(SURFOBJ*, FLONG fl) {
  Record("DrvEndDoc").flags = fl;
  return TRUE;
}

BOOL DrvStartPage(SURFOBJ*) {
  Record("DrvStartPage");
  return Fails("DrvStartPage") ? FALSE : Write("page\n");
}

BOOL DrvSendPage(SURFOBJ*) {
  Record("DrvSendPage");
  return Fails("DrvSendPage") ? FALSE : Write("end of page\n");
}

BOOL DrvStartBanding(SURFOBJ* pso, POINTL* pptl) {
  Pdev* pdev = PdevOf(pso);
  auto& call = Record("DrvStartBanding");
  pdev->bandTop = 0;
  *pptl = POINTL{0, 0};
  call.band = *pptl;
  RECTL all{0, 0, pso->sizlBitmap.cx, pso->sizlBitmap.cy};
  EngEraseSurface(pso, &all, 0xFFFFFF);
  return TRUE;
}

BOOL DrvNextBand(SURFOBJ* pso, POINTL* pptl) {
  Pdev* pdev = PdevOf(pso);
  auto& call = Record("DrvNextBand");
  const BYTE* bits = static_cast<const BYTE*>(pso->pvBits);
  for (ULONG i = 0; i < pso->cjBits; ++i) call.inkPixels += bits[i] != 0xFF;
  RECTL all{0, 0, pso->sizlBitmap.cx, pso->sizlBitmap.cy};
  EngEraseSurface(pso, &all, 0xFFFFFF);
  pdev->bandTop += kBandHeight;
  *pptl = pdev->bandTop >= pdev->page.cy ? POINTL{-1, -1} : POINTL{0, pdev->bandTop};
  call.band = *pptl;
  if (!Write("band\n")) return FALSE;
  return pptl->x == -1 ? DrvSendPage(pso) : TRUE;
}

ULONG DrvGetGlyphMode(DHPDEV, FONTOBJ*) {
  Record("DrvGetGlyphMode");
  return FO_GLYPHBITS;
}

BOOL DrvRealizeBrush(BRUSHOBJ* pbo, SURFOBJ*, SURFOBJ* psoPattern, SURFOBJ*, XLATEOBJ* pxlo, ULONG iHatch) {
  auto& call = Record("DrvRealizeBrush");
  auto* realized = static_cast<testdriver::BrushSeen*>(BRUSHOBJ_pvAllocRbrush(pbo, sizeof(testdriver::BrushSeen)));
  if (realized == nullptr) return FALSE;
  new (realized) testdriver::BrushSeen{};
  realized->hatch = iHatch;
  realized->patternFormat = psoPattern ? psoPattern->iBitmapFormat : 0;
  realized->patternSize = psoPattern ? psoPattern->sizlBitmap : SIZEL{};
  SeeXlate(call.brush.xlate, pxlo);
  call.brush.hatch = iHatch;
  call.brush.patternFormat = realized->patternFormat;
  call.brush.patternSize = realized->patternSize;
  return TRUE;
}

void SeeLine(testdriver::Call& call, XFORMOBJ* pxo, LINEATTRS* pla) {
  if (pxo != nullptr) XFORMOBJ_iGetXform(pxo, &call.xform);
  if (pla == nullptr) return;
  call.lineFlags = pla->fl;
  call.width = pla->elWidth;
  call.styles.assign(pla->pstyle, pla->pstyle + pla->cstyle);
}

BOOL DrvStrokePath(SURFOBJ*, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pbo, POINTL*,
                   LINEATTRS* pla, MIX mix) {
  auto& call = Record("DrvStrokePath");
  SeeClip(call, pco);
  SeePath(call, ppo);
  SeeBrush(call.pen, pbo);
  SeeLine(call, pxo, pla);
  call.mix = mix;
  return PathResult("DrvStrokePath");
}

BOOL DrvFillPath(SURFOBJ*, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo, POINTL*, MIX mix, FLONG fl) {
  auto& call = Record("DrvFillPath");
  SeeClip(call, pco);
  SeePath(call, ppo);
  SeeBrush(call.brush, pbo);
  call.mix = mix;
  call.fillMode = fl;
  return PathResult("DrvFillPath");
}

BOOL DrvStrokeAndFillPath(SURFOBJ*, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pboStroke,
                          LINEATTRS* pla, BRUSHOBJ* pboFill, POINTL*, MIX mix, FLONG fl) {
  auto& call = Record("DrvStrokeAndFillPath");
  SeeClip(call, pco);
  SeePath(call, ppo);
  SeeBrush(call.pen, pboStroke);
  SeeBrush(call.brush, pboFill);
  SeeLine(call, pxo, pla);
  call.mix = mix;
  call.fillMode = fl;
  return PathResult("DrvStrokeAndFillPath");
}

void SeeSource(testdriver::Call& call, SURFOBJ* psoSrc, XLATEOBJ* pxlo, RECTL* dest) {
  if (psoSrc != nullptr) {
    call.sourceFormat = psoSrc->iBitmapFormat;
    call.sourceSize = psoSrc->sizlBitmap;
  }
  SeeXlate(call.xlate, pxlo);
  if (dest != nullptr) call.dest = *dest;
}

BOOL DrvBitBlt(SURFOBJ*, SURFOBJ* psoSrc, SURFOBJ*, CLIPOBJ* pco, XLATEOBJ* pxlo, RECTL* prclTrg,
               POINTL*, POINTL*, BRUSHOBJ* pbo, POINTL*, ROP4 rop4) {
  auto& call = Record("DrvBitBlt");
  SeeClip(call, pco);
  SeeSource(call, psoSrc, pxlo, prclTrg);
  SeeBrush(call.brush, pbo);
  call.rop4 = rop4;
  return Fails("DrvBitBlt") ? FALSE : TRUE;
}

BOOL DrvStretchBlt(SURFOBJ*, SURFOBJ* psoSrc, SURFOBJ*, CLIPOBJ* pco, XLATEOBJ* pxlo, COLORADJUSTMENT*,
                   POINTL*, RECTL* prclDest, RECTL* prclSrc, POINTL*, ULONG) {
  auto& call = Record("DrvStretchBlt");
  SeeClip(call, pco);
  SeeSource(call, psoSrc, pxlo, prclDest);
  if (prclSrc != nullptr) call.source = *prclSrc;
  return Fails("DrvStretchBlt") ? FALSE : TRUE;
}

BOOL DrvCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo, RECTL* prclDest, POINTL*) {
  auto& call = Record("DrvCopyBits");
  SeeClip(call, pco);
  SeeSource(call, psoSrc, pxlo, prclDest);
  // Reading the device back gives white: it keeps no pixels.
  if (psoSrc != nullptr && psoSrc->iType != STYPE_BITMAP) return EngEraseSurface(psoDest, prclDest, 0xFFFFFF);
  return TRUE;
}

BOOL DrvTextOut(SURFOBJ*, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco, RECTL*, RECTL*, BRUSHOBJ* pboFore,
                BRUSHOBJ*, POINTL*, MIX mix) {
  auto& call = Record("DrvTextOut");
  SeeClip(call, pco);
  SeeBrush(call.brush, pboFore);
  call.mix = mix;
  // A string of glyph indices comes without its characters.
  if (pstro->pwszOrg != nullptr) call.text = std::u16string(pstro->pwszOrg, pstro->cGlyphs);
  call.allPositions = pstro->pgp != nullptr;
  call.accel = pstro->flAccel;
  call.charInc = pstro->ulCharInc;
  call.background = pstro->rclBkGround;
  STROBJ_vEnumStart(pstro);
  bool more = true;
  while (more) {
    ULONG count = 0;
    GLYPHPOS* gp = nullptr;
    more = STROBJ_bEnum(pstro, &count, &gp) != FALSE;
    call.batches.push_back(count);
    call.glyphs.insert(call.glyphs.end(), gp, gp + count);
  }
  call.fontUniq = pfo->iUniq;
  if (IFIMETRICS* ifi = FONTOBJ_pifi(pfo)) {
    call.faceName = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(ifi) + ifi->dpwszFaceName);
  }
  XFORMOBJ_iGetXform(FONTOBJ_pxoGetXform(pfo), &call.fontXform);
  if (!call.glyphs.empty()) {
    HGLYPH hg = call.glyphs.front().hg;
    PVOID data = nullptr;
    if (FONTOBJ_cGetGlyphs(pfo, FO_GLYPHBITS, 1, &hg, &data) == 1) {
      call.firstGlyphSize = static_cast<GLYPHDATA*>(data)->gdf.pgb->sizlBitmap;
    }
  }
  return Fails("DrvTextOut") ? FALSE : TRUE;
}

template <class Fn>
DRVFN Entry(ULONG index, Fn fn) {
  return DRVFN{index, reinterpret_cast<PFN>(fn)};
}

DRVFN g_functions[] = {
    Entry(INDEX_DrvEnablePDEV, DrvEnablePDEV),
    Entry(INDEX_DrvCompletePDEV, DrvCompletePDEV),
    Entry(INDEX_DrvDisablePDEV, DrvDisablePDEV),
    Entry(INDEX_DrvResetPDEV, DrvResetPDEV),
    Entry(INDEX_DrvEnableSurface, DrvEnableSurface),
    Entry(INDEX_DrvDisableSurface, DrvDisableSurface),
    Entry(INDEX_DrvStartDoc, DrvStartDoc),
    Entry(INDEX_DrvEndDoc, DrvEndDoc),
    Entry(INDEX_DrvStartPage, DrvStartPage),
    Entry(INDEX_DrvSendPage, DrvSendPage),
    Entry(INDEX_DrvStartBanding, DrvStartBanding),
    Entry(INDEX_DrvNextBand, DrvNextBand),
    Entry(INDEX_DrvGetGlyphMode, DrvGetGlyphMode),
    Entry(INDEX_DrvRealizeBrush, DrvRealizeBrush),
    Entry(INDEX_DrvStrokePath, DrvStrokePath),
    Entry(INDEX_DrvFillPath, DrvFillPath),
    Entry(INDEX_DrvStrokeAndFillPath, DrvStrokeAndFillPath),
    Entry(INDEX_DrvBitBlt, DrvBitBlt),
    Entry(INDEX_DrvStretchBlt, DrvStretchBlt),
    Entry(INDEX_DrvCopyBits, DrvCopyBits),
    Entry(INDEX_DrvTextOut, DrvTextOut),
};

}  // namespace

extern "C" BOOL DrvEnableDriver(ULONG iEngineVersion, ULONG cj, DRVENABLEDATA* pded) {
  Record("DrvEnableDriver");
  if (iEngineVersion < DDI_DRIVER_VERSION_NT4 || cj < sizeof(DRVENABLEDATA) || pded == nullptr) return FALSE;
  pded->iDriverVersion = DDI_DRIVER_VERSION_NT4;
  // The function index named by the environment is left out of the table,
  // as a driver without that entry point would hand it over; a host reads
  // the table as the driver is enabled, before a test could reach the log.
  const char* withheld = std::getenv(testdriver::kWithheldVariable);
  const long left = withheld != nullptr ? std::strtol(withheld, nullptr, 10) : -1;
  static std::vector<DRVFN> handedOut;
  handedOut.clear();
  for (const DRVFN& entry : g_functions) {
    if (static_cast<long>(entry.iFunc) != left) handedOut.push_back(entry);
  }
  pded->c = static_cast<ULONG>(handedOut.size());
  pded->pdrvfn = handedOut.data();
  return TRUE;
}
