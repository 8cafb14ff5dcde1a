// The rectangle helpers of the window manager.
#include <algorithm>

#include "platform/window/winuser.h"

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT dst, const RECT* src) {
  if (dst == nullptr || src == nullptr) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) { return rect == nullptr || Empty(*rect) ? TRUE : FALSE; }

BOOL EqualRect(const RECT* a, const RECT* b) {
  if (a == nullptr || b == nullptr) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom ? TRUE : FALSE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
  if (rect == nullptr) return FALSE;
  return point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom ? TRUE
                                                                                                           : FALSE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{rect->left - dx, rect->top - dy, rect->right + dx, rect->bottom + dy};
  return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
  if (dst == nullptr || a == nullptr || b == nullptr) return FALSE;
  const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
               std::min(a->bottom, b->bottom)};
  *dst = Empty(r) ? RECT{} : r;
  return Empty(r) ? FALSE : TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
  if (dst == nullptr || a == nullptr || b == nullptr) return FALSE;
  if (Empty(*a)) {
    *dst = Empty(*b) ? RECT{} : *b;
  } else if (Empty(*b)) {
    *dst = *a;
  } else {
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
  }
  return Empty(*dst) ? FALSE : TRUE;
}
