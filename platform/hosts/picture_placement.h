// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Where the 240x320 picture sits in a desktop host's window (SDL, Windows), and which display
// pixel a point of the window stands for. Depends on: nothing (the arithmetic is tested on its
// own).
// Cannot: scale by fractions: an output smaller than the display shows its top-left part.
#pragma once

#include <optional>

namespace platform {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// The picture inside a window or screen: a whole-number scale, centred, black around it.
struct PictureLayout {
    int scale = 1;
    int left = 0;  // the picture's top-left corner in window pixels
    int top = 0;
    int width = 0;  // the picture's size in window pixels
    int height = 0;
};

// The window's scale when none is asked for: the largest whose window, with `frameAllowance`
// pixels of title bar and border, fits the usable area of the screen; at least 1.
int DefaultScale(int usableWidth, int usableHeight, int frameAllowance);

// The picture in an output of this size: `wanted` times the display if that fits, otherwise
// (or when `wanted` is 0) the largest whole scale that fits; at least 1, centred.
PictureLayout FitPicture(int outputWidth, int outputHeight, int wanted = 0);

// The display pixel under a press at window pixel (x, y); none when the press falls outside
// the picture, as on the black border around a full-screen picture.
std::optional<PixelPoint> PressAt(const PictureLayout& layout, int x, int y);
// The display pixel for a release at (x, y): a release outside the picture is moved onto its
// nearest edge pixel, so a press that started inside always ends.
PixelPoint ReleaseAt(const PictureLayout& layout, int x, int y);

}  // namespace platform
