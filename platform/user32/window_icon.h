// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Icons: what LoadIconW hands out for the program's icon groups, and the picture a window shows
// as its icon.
#pragma once

#include "platform/gdi32/surface.h"
#include "platform/kernel32/resource_table.h"

namespace platform {

// How large the picture handed to the backend for a window's icon is, each way.
constexpr int kWindowIconSide = 32;

// The icon group behind an icon handle; null for anything else. An icon handle is the address
// of its resource, so loading an icon twice gives the same handle, as for Windows' shared icons.
const ResourceEntry* ToIconResource(HICON icon);

// The picture a window of a class with this icon shows: the class's own icon, or where it has
// none the program's icon, the first icon group in its resources, as a file manager shows a
// program. Pixels are COLORREFs with the alpha in the high byte (0xAABBGGRR); empty when there
// is no icon with a kWindowIconSide image.
Surface WindowIconPicture(HICON classIcon);

}  // namespace platform
