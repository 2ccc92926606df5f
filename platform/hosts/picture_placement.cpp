// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The picture's place in the window (what it is for, depends on and cannot do: layout.h).
#include "platform/hosts/picture_placement.h"

#include <algorithm>

#include "platform/host.h"

namespace platform {
namespace {

// Rounds towards minus infinity, so that a point just left of the picture is outside it.
int FloorDiv(int a, int b) {
    int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

PixelPoint Unscaled(const PictureLayout& layout, int x, int y) {
    return {FloorDiv(x - layout.left, layout.scale), FloorDiv(y - layout.top, layout.scale)};
}

}  // namespace

int DefaultScale(int usableWidth, int usableHeight, int frameAllowance) {
    int byHeight = (usableHeight - frameAllowance) / kDisplayHeight;
    int byWidth = usableWidth / kDisplayWidth;
    return std::max(1, std::min(byHeight, byWidth));
}

PictureLayout FitPicture(int outputWidth, int outputHeight, int wanted) {
    int fits = std::max(1, std::min(outputWidth / kDisplayWidth, outputHeight / kDisplayHeight));
    PictureLayout layout;
    layout.scale = wanted > 0 ? std::min(wanted, fits) : fits;
    layout.width = kDisplayWidth * layout.scale;
    layout.height = kDisplayHeight * layout.scale;
    // An output smaller than the display keeps the picture's top-left corner in view.
    layout.left = std::max(0, (outputWidth - layout.width) / 2);
    layout.top = std::max(0, (outputHeight - layout.height) / 2);
    return layout;
}

std::optional<PixelPoint> PressAt(const PictureLayout& layout, int x, int y) {
    PixelPoint p = Unscaled(layout, x, y);
    if (p.x < 0 || p.y < 0 || p.x >= kDisplayWidth || p.y >= kDisplayHeight) return std::nullopt;
    return p;
}

PixelPoint ReleaseAt(const PictureLayout& layout, int x, int y) {
    PixelPoint p = Unscaled(layout, x, y);
    return {std::clamp(p.x, 0, kDisplayWidth - 1), std::clamp(p.y, 0, kDisplayHeight - 1)};
}

}  // namespace platform
