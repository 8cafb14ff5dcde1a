// The pieces of the flat classic look that controls and window frames
// share: raised and pressed buttons with an arrow on them, the check box's
// box and mark, the radio button's circle and dot, and text that turns grey
// in a disabled control. Internal to platform/window/.
#pragma once

#include <string>

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"

namespace plat::window {

enum class ArrowDirection { kUp, kDown, kLeft, kRight };

// A button face in r: raised, or sunken while pressed, with a triangle in
// its middle pointing the given way (grey when disabled).
void DrawArrowButton(HDC dc, RECT r, ArrowDirection direction, bool pressed, bool disabled);

// A check box's box (sunken, window-coloured or face-coloured when
// disabled) with its mark for BST_CHECKED and a grey mark for
// BST_INDETERMINATE.
void DrawCheckBox(HDC dc, RECT box, LRESULT check, bool disabled);

// A radio button's sunken circle with its dot when checked.
void DrawRadioCircle(HDC dc, RECT box, bool checked, bool disabled);

// Text in r with DrawTextW, in the system's grey when disabled; the DC's
// text colour is left as it was.
void DrawControlText(HDC dc, const std::u16string& text, RECT r, UINT format, bool disabled);

}  // namespace plat::window
