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
    const StringEntry* found = FindString(int(id), kStrings, kStringCount);
    if (!found) {
        buffer[0] = 0;
        return 0;
    }
    int length = int(std::min(std::wcslen(found->text), size_t(bufferMax - 1)));
    std::wmemcpy(buffer, found->text, size_t(length));
    buffer[length] = 0;
    return length;
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
