// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32: GetModuleHandleW, FindResourceW, FindResourceExW, LoadResource, LockResource,
// SizeofResource
// Resources compiled into the program, and those the host adds, found by number, type and
// language.
#include <algorithm>
#include <cwctype>
#include <memory>

#include "platform/kernel32/resource_language.h"
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
    const ResourceEntry* best = nullptr;
    int bestRank = 0;
    FirstResource([&](const ResourceEntry& e) {
        if (e.id != id || !OfType(e, type)) return false;
        int rank = LanguageRank(e.language, State().uiLanguage);
        if (!best || rank < bestRank) best = &e, bestRank = rank;
        return rank == 0;
    });
    return best;
}

const ResourceEntry* FindResourceData(int id, LPCWSTR type, uint16_t language) {
    if (language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) return FindResourceData(id, type);
    // A language of no particular variety takes any of its varieties, the neutral one first.
    bool anyVariety = SUBLANGID(language) == SUBLANG_NEUTRAL;
    const ResourceEntry* best = nullptr;
    FirstResource([&](const ResourceEntry& e) {
        if (e.id != id || !OfType(e, type)) return false;
        if (e.language == language) return best = &e, true;
        if (anyVariety && !best && PRIMARYLANGID(e.language) == PRIMARYLANGID(language)) best = &e;
        return false;
    });
    return best;
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

const ResourceEntry* ResourceHolding(const void* data) {
    return FirstResource([&](const ResourceEntry& e) { return e.data == data; });
}

void AddWaveResource(int id, const uint8_t* data, size_t size) {
    // Never in place of one of the program's own in English or no language; beside another
    // language's, which the thread's language chooses between.
    bool had = FirstResource([&](const ResourceEntry& e) {
        return e.id == id && OfType(e, L"WAVE") && (e.language == 0 || e.language == 0x0409);
    });
    if (!data || had) return;
    State().addedResources.push_back(
        std::make_unique<ResourceEntry>(ResourceEntry{0, L"WAVE", id, 0, data, size}));
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

HRSRC FindResourceExW(HMODULE, LPCWSTR type, LPCWSTR name, WORD language) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    const ResourceEntry* e =
        FindResourceData(int(reinterpret_cast<ULONG_PTR>(name)), type, language);
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
