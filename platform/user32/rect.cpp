// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: SetRect, SetRectEmpty, IsRectEmpty, IntersectRect, UnionRect, OffsetRect, PtInRect
// Rectangle arithmetic as Windows does it: a rectangle holds the pixels from left to right - 1
// and from top to bottom - 1, so one whose right is not past its left (or bottom past top) is
// empty, wherever it stands.
#include <algorithm>

#include "shell/platform.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL IsRectEmpty(LPCRECT rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL IntersectRect(LPRECT out, LPCRECT a, LPCRECT b) {
    if (!out || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(out);
        return FALSE;
    }
    *out = r;
    return TRUE;
}

BOOL UnionRect(LPRECT out, LPCRECT a, LPCRECT b) {
    if (!out || !a || !b) return FALSE;
    // An empty rectangle adds nothing, however far away it lies.
    bool aEmpty = IsRectEmpty(a), bEmpty = IsRectEmpty(b);
    if (aEmpty && bEmpty) {
        SetRectEmpty(out);
        return FALSE;
    }
    if (aEmpty) {
        *out = *b;
    } else if (bEmpty) {
        *out = *a;
    } else {
        *out = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                    std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL PtInRect(LPCRECT rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
           point.y < rect->bottom;
}
