// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: LoadStringW, LoadBitmapW
// The program's strings and bitmaps, loaded from its resources by number.
#include <algorithm>
#include <cwchar>

#include "platform/formats/dib.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/kernel32/resource_lookup.h"

using namespace platform;

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    for (size_t i = 0; i < kStringCount; ++i) {
        if (kStrings[i].id != int(id) || !kStrings[i].text) continue;
        int length = int(std::min(std::wcslen(kStrings[i].text), size_t(bufferMax - 1)));
        std::wmemcpy(buffer, kStrings[i].text, size_t(length));
        buffer[length] = 0;
        return length;
    }
    buffer[0] = 0;
    return 0;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
    // Without the program's instance Win32 looks among the system's own bitmaps, which this
    // platform has none of.
    if (!instance || !IS_INTRESOURCE(name)) return nullptr;
    const ResourceEntry* e = FindResourceData(int(reinterpret_cast<ULONG_PTR>(name)), RT_BITMAP);
    if (!e) return nullptr;
    auto* bitmap = new BitmapObject(0, 0, 32);
    if (!DecodeDib(e->data, e->size, bitmap->surface)) {
        delete bitmap;
        return nullptr;
    }
    return ToHandle(bitmap);
}
