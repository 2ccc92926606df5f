// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/gdi32/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <cstdlib>
#include <cwctype>

#include "platform/kernel32/resource_lookup.h"

namespace platform {
namespace {

// The family name as Windows reads it: name record 1 for Windows in Unicode, US English when
// there are several. FreeType's own family name where the file has no such record.
std::wstring FamilyName(FT_Face face) {
    std::wstring best;
    bool english = false;
    for (FT_UInt i = 0, n = FT_Get_Sfnt_Name_Count(face); i < n; ++i) {
        FT_SfntName record;
        if (FT_Get_Sfnt_Name(face, i, &record) || record.name_id != TT_NAME_ID_FONT_FAMILY ||
            record.platform_id != TT_PLATFORM_MICROSOFT ||
            record.encoding_id != TT_MS_ID_UNICODE_CS || (english && !best.empty()))
            continue;
        std::wstring name;
        for (FT_UInt k = 0; k + 1 < record.string_len; k += 2)  // UTF-16, big-endian
            name += wchar_t(record.string[k] << 8 | record.string[k + 1]);
        english = record.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES;
        if (best.empty() || english) best = name;
    }
    if (best.empty() && face->family_name)
        for (const char* c = face->family_name; *c; ++c) best += wchar_t(static_cast<uint8_t>(*c));
    return best;
}

// What kind of typeface a font is, as GDI's families tell them: from the IBM family class in
// the OS/2 table, or failing that from PANOSE.
BYTE KindOf(FT_Face face, const TT_OS2* os2) {
    if (FT_IS_FIXED_WIDTH(face)) return FF_MODERN;
    if (!os2) return FF_DONTCARE;
    switch (os2->sFamilyClass >> 8) {
        case 1:  // old style serifs
        case 2:  // transitional serifs
        case 3:  // modern serifs
        case 4:  // Clarendon serifs
        case 5:  // slab serifs
        case 7:  // free-form serifs
            return FF_ROMAN;
        case 8:
            return FF_SWISS;
        case 10:  // ornamentals
        case 12:  // symbolic
            return FF_DECORATIVE;
        case 9:
            return FF_SCRIPT;
        default:
            break;
    }
    constexpr int kLatinText = 2, kLatinHandWritten = 3, kLatinDecorative = 4, kLatinSymbol = 5;
    constexpr int kFirstSerif = 2, kFirstSans = 11, kLastSans = 13;
    constexpr int kMonospaced = 9;
    const FT_Byte* panose = os2->panose;
    switch (panose[0]) {
        case kLatinText:
            if (panose[3] == kMonospaced) return FF_MODERN;
            if (panose[1] >= kFirstSans && panose[1] <= kLastSans) return FF_SWISS;
            if (panose[1] >= kFirstSerif && panose[1] < kFirstSans) return FF_ROMAN;
            return FF_DONTCARE;
        case kLatinHandWritten:
            return FF_SCRIPT;
        case kLatinDecorative:
        case kLatinSymbol:
            return FF_DECORATIVE;
        default:
            return FF_DONTCARE;
    }
}

bool SameName(const std::wstring& a, const WCHAR* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towlower(wint_t(a[i])) != std::towlower(wint_t(b[i]))) return false;
    return i == a.size() && !b[i];
}

// How far a font is from what is asked: the lower, the better. Each consideration outweighs
// everything after it together.
int Distance(const InstalledFont& f, const LOGFONTW& wanted) {
    int d = 0;
    WCHAR face[LF_FACESIZE + 1] = {};
    for (int i = 0; i < LF_FACESIZE && wanted.lfFaceName[i]; ++i) face[i] = wanted.lfFaceName[i];
    if (face[0] && !SameName(f.name, face)) d += 1000000;
    int pitch = wanted.lfPitchAndFamily & 0x0F;
    if ((pitch == FIXED_PITCH || pitch == VARIABLE_PITCH) && f.pitch != pitch) d += 100000;
    int kind = wanted.lfPitchAndFamily & 0xF0;
    // A font of no known kind may still be the one meant; a font of another kind is not.
    if (kind != FF_DONTCARE && f.kind != kind) d += f.kind == FF_DONTCARE ? 10000 : 20000;
    if ((wanted.lfItalic != 0) != f.italic) d += 5000;
    int weight = wanted.lfWeight == FW_DONTCARE ? FW_NORMAL : int(wanted.lfWeight);
    return d + std::abs(f.weight - weight);
}

}  // namespace

bool DescribeFont(FT_LibraryRec_* library, const uint8_t* data, size_t size, InstalledFont& out) {
    FT_Face face = nullptr;
    if (!library || FT_New_Memory_Face(library, data, FT_Long(size), 0, &face)) return false;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    out.name = FamilyName(face);
    bool bold = face->style_flags & FT_STYLE_FLAG_BOLD;
    out.weight = os2 && os2->usWeightClass ? os2->usWeightClass : bold ? FW_BOLD : FW_NORMAL;
    out.italic = face->style_flags & FT_STYLE_FLAG_ITALIC;
    out.kind = KindOf(face, os2);
    out.pitch = FT_IS_FIXED_WIDTH(face) ? FIXED_PITCH : VARIABLE_PITCH;
    out.data = data;
    out.size = size;
    FT_Done_Face(face);
    return true;
}

int ChooseFont(const std::vector<InstalledFont>& fonts, const LOGFONTW& wanted) {
    int best = -1, bestDistance = 0;
    for (size_t i = 0; i < fonts.size(); ++i) {
        int d = Distance(fonts[i], wanted);
        if (best < 0 || d < bestDistance) best = int(i), bestDistance = d;
    }
    return best;
}

FontLibrary::~FontLibrary() {
    if (library_) FT_Done_FreeType(library_);
}

FT_LibraryRec_* FontLibrary::Library() {
    if (!library_ && FT_Init_FreeType(&library_)) library_ = nullptr;
    return library_;
}

const std::vector<InstalledFont>& FontLibrary::Installed() {
    if (scanned_) return installed_;
    scanned_ = true;
    for (const ResourceEntry* e : ResourcesOfType(L"TRUETYPE")) {
        InstalledFont font;
        if (DescribeFont(Library(), e->data, e->size, font)) installed_.push_back(font);
    }
    return installed_;
}

}  // namespace platform
