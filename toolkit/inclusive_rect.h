// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A rectangle whose four edges all count as inside, as a figure's bounds and a screen's dirty
// rectangle are measured: a figure at x of width w takes the stylus from x to x + w, both
// included, and a repaint of it copies that last column and row too, one more of each than a
// Win32 RECT of the same four numbers holds (its right and bottom edges lie outside). The toolkit
// keeps its own type for them because where a tap lands and what each repaint copies, which the
// session logs record, follow from it; Exclusive() and FromExclusive() convert for Win32's
// rectangle calls.
#pragma once

#include "shell/platform.h"

struct InclusiveRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    RECT Exclusive() const { return RECT{left, top, right + 1, bottom + 1}; }
    static InclusiveRect FromExclusive(const RECT& r) {
        return InclusiveRect{r.left, r.top, r.right - 1, r.bottom - 1};
    }
};
