// What the parts of the item window procedure share: the message with the
// context, page and item it belongs to, the item's states, the cursor
// swaps of a press, and the handlers each part provides. Internal to
// ui/engine/.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/tables/dialog_tables.h"

struct HitTestRegion;

// One message of an item window, with what it belongs to.
struct ItemMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UCB* ucb;
  TCB* tcb;
  ICB* icb;
  HWND page;
};

// The control's own procedure, saved in its item when it was subclassed.
LRESULT PassOnItemMessage(const ItemMessage& m);

// The painted states of an item's status word.
bool IsItemHidden(const ICB* icb);
bool IsItemDisabled(const ICB* icb);
bool IsItemShownAndEnabled(const ICB* icb);

DIALOGSLOTS& DialogSlots(UCB* ucb);
// The cursor of a press: the arrow cursor becomes the hand cursor while the
// button is down, and back at the release; any other cursor stays.
void ArrowToHand(UCB* ucb);
void HandToArrow(UCB* ucb);
// Whether the arrow or the hand cursor is the one shown.
bool OwnCursorShown(UCB* ucb);

// The item of a control id on any page of the context (its tab too), or
// null.
ICB* FindItemOnAnyPage(UCB* ucb, WORD controlId, TCB** tab);
// The item on the page, or null.
ICB* FindItemOnPage(TCB* tcb, WORD controlId);
// A window's rectangle in the page's client coordinates.
RECT RectInPage(HWND window, HWND page);

// The printer picture: where its tray and output areas lie and which the
// point (in the picture's client coordinates) falls in.
inline constexpr WORD kPrinterPictureId = 2067;
inline constexpr WORD kTrayListId = 2007;
inline constexpr WORD kOutputListId = 2066;
struct PrinterPictureHit {
  const HitTestRegion* region = nullptr;  // null: no area holds the point
  WORD listId = 0;                        // the list the area chooses in
  RECT area{};                            // in the picture's client coordinates
};
PrinterPictureHit HitPrinterPicture(UCB* ucb, TCB* tcb, POINT client);

// A decorated scroll bar's arrow under a client x that cannot move the
// value further (the left one at the minimum, the right one at the
// maximum).
bool DecoratedArrowAtLimit(UCB* ucb, const ICB* icb, HWND bar, int clientX);

// The parts' handlers; each answers true with *result when it consumed the
// message.
bool OnItemHitTest(const ItemMessage& m, LRESULT* result);     // item_hover.cpp
bool OnItemPress(const ItemMessage& m, LRESULT* result);       // item_clicks.cpp
bool OnItemRelease(const ItemMessage& m, LRESULT* result);     // item_clicks.cpp
bool OnItemKeyDown(const ItemMessage& m, LRESULT* result);     // item_keys.cpp
bool OnItemChar(const ItemMessage& m, LRESULT* result);        // item_keys.cpp
bool OnItemPaste(const ItemMessage& m, LRESULT* result);       // item_keys.cpp
bool OnItemAutoRepeat(const ItemMessage& m, LRESULT* result);  // auto_repeat.cpp
// A repeat button: a push button whose class data lists the controls it
// moves.
bool IsRepeatButton(const ICB* icb);
