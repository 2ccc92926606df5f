// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: LoadIconW
// The program's icons, and the picture a window shows as its icon (window_icon.h).
#include "platform/user32/window_icon.h"

#include <vector>

#include "platform/formats/ico.h"
#include "platform/kernel32/resource_lookup.h"

namespace platform {

const ResourceEntry* ToIconResource(HICON icon) {
    auto* e = reinterpret_cast<const ResourceEntry*>(icon);
    bool inTable = e >= kResources && e < kResources + kResourceCount;
    return inTable && e->typeId == int(reinterpret_cast<ULONG_PTR>(RT_GROUP_ICON)) ? e : nullptr;
}

Surface WindowIconPicture(HICON classIcon) {
    const ResourceEntry* icon = ToIconResource(classIcon);
    if (!icon) {
        std::vector<const ResourceEntry*> groups = ResourcesOfType(RT_GROUP_ICON);
        if (groups.empty()) return Surface();
        icon = groups.front();
    }
    std::vector<uint32_t> argb = IconPixels(icon->data, icon->size, kWindowIconSide);
    if (argb.empty()) return Surface();
    Surface picture(kWindowIconSide, kWindowIconSide);
    for (size_t i = 0; i < argb.size(); ++i) {
        uint32_t p = argb[i];
        picture.pixels[i] = (p & 0xFF000000u) | RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    return picture;
}

}  // namespace platform

using namespace platform;

HICON LoadIconW(HINSTANCE, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;  // the program names resources by number only
    const ResourceEntry* e =
        FindResourceData(int(reinterpret_cast<ULONG_PTR>(name)), RT_GROUP_ICON);
    return reinterpret_cast<HICON>(const_cast<ResourceEntry*>(e));
}
