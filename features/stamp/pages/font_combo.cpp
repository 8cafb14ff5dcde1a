// The font choices of the watermark, margin and copy-guard dialogs: the
// system's TrueType faces in a combo box, the setting holding the chosen
// face. A face no longer installed gives way to the model's default face,
// or to the first face when that is missing too.
#include <array>
#include <string>

#include "features/fontxchg/pages/font_lines.h"
#include "features/stamp/stamp_module.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/default_font.h"

namespace {

using Face = std::array<WCHAR, LF_FACESIZE + 1>;

LRESULT Send(const ICB* icb, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(icb->hWnd, message, wParam, lParam);
}

// The entry's face; empty when it has none or it is longer than a face.
std::u16string EntryFace(const ICB* combo, LRESULT entry) {
  const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry));
  if (length <= 0 || length > LF_FACESIZE) return {};
  Face face{};
  if (Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(face.data())) == CB_ERR) return {};
  return face.data();
}

// The first entry with exactly that face (the combo's own search ignores
// case), or CB_ERR.
LRESULT FindFace(const ICB* combo, LPCWSTR face) {
  if (face == nullptr || face[0] == 0) return CB_ERR;
  const LRESULT count = Send(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    if (EntryFace(combo, i) == face) return i;
  }
  return CB_ERR;
}

// The entry of the model's default face, else the first entry (CB_ERR for
// an empty combo).
LRESULT DefaultEntry(UCB* ucb, const ICB* combo) {
  std::array<WCHAR, kDefaultFontChars + 1> face{};
  KESMGetDefaultFont(ucb, face.data());
  const LRESULT entry = FindFace(combo, face.data());
  if (entry != CB_ERR) return entry;
  return Send(combo, CB_GETCOUNT) > 0 ? 0 : CB_ERR;
}

// Makes the entry the combo's selection and its face the setting's.
void Take(UCB* ucb, const ICB* combo, WORD funcId, LRESULT entry) {
  if (entry == CB_ERR) return;
  const std::u16string face = EntryFace(combo, entry);
  if (face.empty()) return;
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(entry));
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), face.c_str());
}

}  // namespace

void FontCmb(UCB* ucb, TCB*, ICB* combo, WORD funcId) {
  if (ucb == nullptr || combo == nullptr || combo->hWnd == nullptr) return;
  const HWND desktop = GetDesktopWindow();
  if (const HDC dc = GetDC(desktop); dc != nullptr) {
    FONTENUMRECORD record{ucb, combo, {}};
    EnumFontFamiliesW(dc, nullptr, EnumFontFamProc, reinterpret_cast<LPARAM>(&record));
    ReleaseDC(desktop, dc);
  }
  const SFCB* setting = GetSFCBbyFuncID(ucb, funcId);
  Face stored{};
  const bool read = setting != nullptr &&
                    SettingSizeOf(setting->descriptor) <= LF_FACESIZE * sizeof(WCHAR) &&
                    GetDevmodeStringBySFCB(ucb, setting, stored.data()) != nullptr;
  stored.back() = 0;
  if (const LRESULT entry = read ? FindFace(combo, stored.data()) : CB_ERR; entry != CB_ERR) {
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(entry));
    return;
  }
  Take(ucb, combo, funcId, DefaultEntry(ucb, combo));
}

void FontCmb_SelChg(UCB* ucb, TCB*, ICB* combo, WORD funcId) {
  if (ucb == nullptr || combo == nullptr || combo->hWnd == nullptr) return;
  Take(ucb, combo, funcId, Send(combo, CB_GETCURSEL));
}

void FontCmb_RESET(UCB* ucb, TCB* tcb, ICB*, WORD funcId, WORD comboId) {
  if (ucb == nullptr || tcb == nullptr) return;
  const ICB* combo = GetICBbyItemID(ucb, tcb, comboId);
  if (combo == nullptr || combo->hWnd == nullptr) return;
  Take(ucb, combo, funcId, DefaultEntry(ucb, combo));
}
