// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The fonts the program carries: the font files its resources mark as TRUETYPE, each described
// by its family name, weight, slant, pitch and kind (sans, serif...), and chosen among for a
// LOGFONT the way GDI's font mapper chooses among a system's fonts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/platform.h"

struct FT_LibraryRec_;

namespace platform {

struct InstalledFont {
    std::wstring name;              // the family name a LOGFONT's face asks for
    int weight = FW_NORMAL;         // 100 to 900
    bool italic = false;            //
    BYTE kind = FF_DONTCARE;        // FF_SWISS for a sans, FF_ROMAN for a serif...
    BYTE pitch = VARIABLE_PITCH;    // FIXED_PITCH when every glyph is as wide
    const uint8_t* data = nullptr;  // the font file
    size_t size = 0;
};

// Reads what the mapper needs of a font file; false when FreeType cannot open it.
bool DescribeFont(FT_LibraryRec_* library, const uint8_t* data, size_t size, InstalledFont& out);

// The index of the font `wanted` asks for, -1 when none is installed. As GDI's mapper does, it
// weighs the face name first, then the pitch, the kind, italics and last the nearest weight; of
// fonts equally good, the first installed wins. With no font of the name, kind or pitch asked
// for, the others still decide among what there is: text is never left without a font.
int ChooseFont(const std::vector<InstalledFont>& fonts, const LOGFONTW& wanted);

// FreeType and the program's fonts, both made when text is first measured or drawn.
class FontLibrary {
  public:
    FontLibrary() = default;
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    FT_LibraryRec_* Library();  // null when FreeType cannot start
    // The TRUETYPE resources, in the order the resource directory lists them.
    const std::vector<InstalledFont>& Installed();

  private:
    FT_LibraryRec_* library_ = nullptr;
    bool scanned_ = false;
    std::vector<InstalledFont> installed_;
};

}  // namespace platform
