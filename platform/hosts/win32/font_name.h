// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The family name of a TrueType font, as Windows knows it, read from the font's own bytes:
// a font added from memory cannot be enumerated, so its name must come from the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::win32 {

// The Windows-platform Unicode family name (name ID 1; US English preferred), or empty when
// the bytes hold no such name. Never reads past `size`.
std::u16string FontFamilyName(const uint8_t* font, size_t size);

}  // namespace platform::win32
