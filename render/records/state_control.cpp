// The state is compared in the form the records carry it, so that no
// record repeats what the page has already been told: two ROP3s that go out
// as the same byte, two colours that differ only where the record does not
// look (a background colour in transparent mode, a drawing kind other than
// text) or caps that are both sent as 0 make one record.
#include "render/records/state_control.h"

#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"

namespace {

constexpr ULONG kColorBits = 0x00FFFFFF;

// A cap or join as it is sent: 1 and 2 as they are, anything else 0.
BYTE SentCapOrJoin(USHORT value) { return value == 1 || value == 2 ? static_cast<BYTE>(value) : 0; }

// The line records' values, as they go out.
SentLine SentLineOf(const LineAttributes& line) {
  return {static_cast<USHORT>(line.width),
          line.styleMask,
          static_cast<BYTE>(line.styleUnit),
          line.styleShift,
          SentCapOrJoin(line.cap),
          SentCapOrJoin(line.join),
          line.miterLimit};
}

}  // namespace

BOOL IdlSetRop3Ctrl(PDEV* pdev, BYTE rop3) {
  DrawingState& state = pdev->lastSent;
  const BYTE sent = SentRop3(rop3);
  if (state.rop3Sent && state.rop3 == sent) return TRUE;
  if (PrnIdlSetRop3(&pdev->stream, rop3) == nullptr) return FALSE;
  state.rop3Sent = TRUE;
  state.rop3 = sent;
  return TRUE;
}

BOOL IdlSetBackgroundModeCtrl(PDEV* pdev, SHORT mode) {
  DrawingState& state = pdev->lastSent;
  const auto sent = static_cast<BYTE>(mode);
  if (state.backgroundModeSent && state.backgroundMode == sent) return TRUE;
  if (PrnIdlSetBackgroundMode(&pdev->stream, mode) == nullptr) return FALSE;
  state.backgroundModeSent = TRUE;
  state.backgroundMode = sent;
  return TRUE;
}

BOOL IdlSetBrushCtrl(PDEV* pdev, const BrushRecord* brush) {
  if (brush == nullptr) return FALSE;
  DrawingState& state = pdev->lastSent;
  const bool define = !state.brushSent || brush->kind != 0 || brush->kind != state.brushKind;
  if (define && PrnIdlDefineBrush(&pdev->stream, brush, BrushPattern(brush)) == nullptr) return FALSE;
  const POINTL origin{brush->originX, brush->originY};
  if (!define && (origin.x != state.brushOrigin.x || origin.y != state.brushOrigin.y)) {
    PrnIdlSetBrushOrg(&pdev->stream, &origin);
  }
  state.brushSent = TRUE;
  state.brushKind = brush->kind;
  state.brushOrigin = origin;
  return TRUE;
}

BOOL IdlSetColorCtrl(PDEV* pdev, const DRAWATTR* attributes) {
  if (attributes == nullptr) return FALSE;
  DrawingState& state = pdev->lastSent;
  const BYTE flags = ColorRecordFlags(*attributes);
  const ULONG colors[3] = {attributes->foregroundColor & kColorBits, attributes->backgroundColor & kColorBits,
                           attributes->thirdColor & kColorBits};
  const bool same = state.colorSent && state.colorFlags == flags && state.colors[0] == colors[0] &&
                    ((flags & kColorFlagBackground) == 0 || state.colors[1] == colors[1]) &&
                    ((flags & kColorFlagThird) == 0 || state.colors[2] == colors[2]);
  if (same) return TRUE;
  if (PrnIdlSetColor(&pdev->stream, attributes) == nullptr) return FALSE;
  state.colorSent = TRUE;
  state.colorFlags = flags;
  for (int i = 0; i < 3; ++i) state.colors[i] = colors[i];
  return TRUE;
}

BOOL IdlSetLineAttrCtrl(PDEV* pdev, const LineAttributes* line) {
  if (line == nullptr) return FALSE;
  DrawingState& state = pdev->lastSent;
  const SentLine sent = SentLineOf(*line);
  const bool first = !state.lineSent;
  JobStream* stream = &pdev->stream;
  const SentLine& last = state.line;
  if ((first || sent.width != last.width || sent.styleMask != last.styleMask || sent.styleUnit != last.styleUnit) &&
      PrnIdlLineStyle(stream, sent.styleUnit, sent.width, sent.styleMask) == nullptr) {
    return FALSE;
  }
  if ((first || sent.styleShift != last.styleShift) && PrnIdlStyleShift(stream, sent.styleShift) == nullptr) {
    return FALSE;
  }
  if ((first || sent.cap != last.cap) && PrnIdlLineCap(stream, sent.cap) == nullptr) return FALSE;
  if ((first || sent.join != last.join || sent.miterLimit != last.miterLimit) &&
      PrnIdlLineJoin(stream, sent.join, sent.miterLimit) == nullptr) {
    return FALSE;
  }
  state.lineSent = TRUE;
  state.line = sent;
  return TRUE;
}
