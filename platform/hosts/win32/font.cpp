// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's own font. It asks for a font by family alone (Swiss, no face name), which on a
// PC would give a system face drawn with ClearType, leaving a coloured fringe round letters
// composed through the key colour. So the fonts compiled in as TRUETYPE resources are added for
// this process, and that request gets their family, drawn without antialiasing, as on every
// other host.
#include <algorithm>
#include <string>

#include "platform/hosts/win32/font_name.h"
#include "platform/hosts/win32/layer.h"

namespace platform::win32 {
namespace {

BOOL CALLBACK AddFont(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR family) {
    HRSRC resource = FindResourceW(module, name, type);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = resource ? SizeofResource(module, resource) : 0;
    DWORD fonts = 0;
    if (!data || !AddFontMemResourceEx(const_cast<void*>(data), size, nullptr, &fonts)) return TRUE;
    auto* out = reinterpret_cast<std::u16string*>(family);
    if (out->empty()) *out = FontFamilyName(static_cast<const uint8_t*>(data), size);
    return TRUE;
}

// The family of the program's fonts, added on first use; empty if it has none.
const std::u16string& ProgramFamily() {
    static const std::u16string family = [] {
        std::u16string name;
        EnumResourceNamesW(GetModuleHandleW(nullptr), L"TRUETYPE", AddFont, LONG_PTR(&name));
        return name;
    }();
    return family;
}

}  // namespace
}  // namespace platform::win32

HFONT QuillbyCreateFontIndirectW(const LOGFONTW* font) {
    if (!font || font->lfFaceName[0]) return CreateFontIndirectW(font);
    LOGFONTW own = *font;
    const std::u16string& family = platform::win32::ProgramFamily();
    size_t length = std::min(family.size(), size_t(LF_FACESIZE - 1));
    std::copy_n(family.begin(), length, own.lfFaceName);
    own.lfFaceName[length] = 0;
    own.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectW(&own);
}
