// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/win32/font_name.h"

namespace platform::win32 {
namespace {

// TrueType's fields are big-endian.
uint16_t U16(const uint8_t* p) {
    return uint16_t(p[0] << 8 | p[1]);
}
uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

constexpr size_t kOffsetTable = 12;
constexpr size_t kTableRecord = 16;
constexpr size_t kNameHeader = 6;
constexpr size_t kNameRecord = 12;
constexpr uint16_t kWindowsPlatform = 3;
constexpr uint16_t kUnicodeBmp = 1;
constexpr uint16_t kUnicodeFull = 10;
constexpr uint16_t kFamilyName = 1;
constexpr uint16_t kUsEnglish = 0x409;

}  // namespace

std::u16string FontFamilyName(const uint8_t* font, size_t size) {
    if (!font || size < kOffsetTable) return {};
    size_t tables = U16(font + 4);
    if (kOffsetTable + tables * kTableRecord > size) return {};
    for (size_t t = 0; t < tables; ++t) {
        const uint8_t* record = font + kOffsetTable + t * kTableRecord;
        if (record[0] != 'n' || record[1] != 'a' || record[2] != 'm' || record[3] != 'e') continue;
        size_t offset = U32(record + 8), length = U32(record + 12);
        if (offset > size || length > size - offset || length < kNameHeader) return {};
        const uint8_t* name = font + offset;
        size_t count = U16(name + 2), strings = U16(name + 4);
        if (kNameHeader + count * kNameRecord > length || strings > length) return {};
        std::u16string best;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* r = name + kNameHeader + i * kNameRecord;
            uint16_t encoding = U16(r + 2);
            if (U16(r) != kWindowsPlatform || U16(r + 6) != kFamilyName) continue;
            if (encoding != kUnicodeBmp && encoding != kUnicodeFull) continue;
            size_t at = strings + U16(r + 10), bytes = U16(r + 8);
            if (at > length || bytes > length - at) continue;
            std::u16string text;
            for (size_t b = 0; b + 1 < bytes; b += 2) text += char16_t(U16(name + at + b));
            if (U16(r + 4) == kUsEnglish) return text;
            if (best.empty()) best = text;
        }
        return best;
    }
    return {};
}

}  // namespace platform::win32
