// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Resources compiled into the program: bitmaps, WAVE sounds and strings, found by number.
#include <algorithm>
#include <cwctype>
#include <memory>

#include "platform/formats/bytes.h"
#include "platform/formats/dib.h"
#include "platform/formats/wave.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/host.h"
#include "platform/kernel32/resource_lookup.h"
#include "platform/platform_state.h"

namespace platform {
namespace {

char moduleTag;  // the program's one module; its address is the module handle

bool SameTypeName(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (std::towupper(wint_t(*a)) != std::towupper(wint_t(*b))) return false;
    return *a == *b;
}

bool OfType(const ResourceEntry& e, LPCWSTR type) {
    if (!e.data) return false;
    return IS_INTRESOURCE(type) ? e.typeId == int(reinterpret_cast<ULONG_PTR>(type))
                                : e.typeName && SameTypeName(e.typeName, type);
}

// The first resource that `matches`: among the compiled-in ones, then those the host added.
template <class Match>
const ResourceEntry* FirstResource(Match matches) {
    for (size_t i = 0; i < kResourceCount; ++i)
        if (matches(kResources[i])) return &kResources[i];
    for (const auto& e : State().addedResources)
        if (matches(*e)) return e.get();
    return nullptr;
}

const ResourceEntry* ToEntry(HRSRC resource) {
    auto* wanted = reinterpret_cast<const ResourceEntry*>(resource);
    return FirstResource([&](const ResourceEntry& e) { return &e == wanted; });
}

}  // namespace

const ResourceEntry* FindResourceData(int id, LPCWSTR type) {
    return FirstResource([&](const ResourceEntry& e) { return e.id == id && OfType(e, type); });
}

std::vector<const ResourceEntry*> ResourcesOfType(LPCWSTR type) {
    std::vector<const ResourceEntry*> found;
    FirstResource([&](const ResourceEntry& e) {
        if (OfType(e, type)) found.push_back(&e);
        return false;
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const ResourceEntry* a, const ResourceEntry* b) { return a->id < b->id; });
    return found;
}

void AddWaveResource(int id, const uint8_t* data, size_t size) {
    if (!data || FindResourceData(id, L"WAVE")) return;
    State().addedResources.push_back(
        std::make_unique<ResourceEntry>(ResourceEntry{0, L"WAVE", id, data, size}));
}

}  // namespace platform

using namespace platform;

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    return moduleName ? nullptr : reinterpret_cast<HMODULE>(&moduleTag);
}

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
    if (!IS_INTRESOURCE(name)) return nullptr;  // the program names resources by number only
    const ResourceEntry* e = FindResourceData(int(reinterpret_cast<ULONG_PTR>(name)), type);
    return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(e));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    const ResourceEntry* e = ToEntry(resource);
    return e ? const_cast<uint8_t*>(e->data) : nullptr;
}

LPVOID LockResource(HGLOBAL data) {
    return data;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    const ResourceEntry* e = ToEntry(resource);
    return e ? DWORD(e->size) : 0;
}

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

BOOL sndPlaySoundW(LPCWSTR sound, UINT flags) {
    Backend* backend = CurrentBackend();
    if (!backend) return FALSE;
    if (!sound) {
        backend->PlaySound(Sound{});  // silence
        return TRUE;
    }
    if (!(flags & SND_MEMORY)) return FALSE;  // the program plays only sounds held in memory
    auto* image = reinterpret_cast<const uint8_t*>(sound);
    // A resource's size is known; any other image is trusted to be as long as its RIFF header says.
    const ResourceEntry* e = FirstResource([&](const ResourceEntry& r) { return r.data == image; });
    size_t size = e ? e->size : 0;
    int id = e ? e->id : 0;
    if (!id) {
        uint32_t riffSize = ReadU32(image + 4);
        size = size_t(riffSize) + 8;
    }
    Sound parsed;
    if (!ParseWave(image, size, parsed) || !State().sounds.MakePlayable(parsed)) return FALSE;
    parsed.resourceId = id;
    backend->PlaySound(parsed);
    return TRUE;
}
