// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/win32/font_name.h"

#include "platform/formats/bytes.h"

namespace platform::win32 {
namespace {

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
    size_t tables = ReadU16BigEndian(font + 4);
    if (kOffsetTable + tables * kTableRecord > size) return {};
    for (size_t t = 0; t < tables; ++t) {
        const uint8_t* record = font + kOffsetTable + t * kTableRecord;
        if (record[0] != 'n' || record[1] != 'a' || record[2] != 'm' || record[3] != 'e') continue;
        size_t offset = ReadU32BigEndian(record + 8), length = ReadU32BigEndian(record + 12);
        if (offset > size || length > size - offset || length < kNameHeader) return {};
        const uint8_t* name = font + offset;
        size_t count = ReadU16BigEndian(name + 2), strings = ReadU16BigEndian(name + 4);
        if (kNameHeader + count * kNameRecord > length || strings > length) return {};
        std::u16string best;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* r = name + kNameHeader + i * kNameRecord;
            uint16_t encoding = ReadU16BigEndian(r + 2);
            if (ReadU16BigEndian(r) != kWindowsPlatform || ReadU16BigEndian(r + 6) != kFamilyName)
                continue;
            if (encoding != kUnicodeBmp && encoding != kUnicodeFull) continue;
            size_t at = strings + ReadU16BigEndian(r + 10), bytes = ReadU16BigEndian(r + 8);
            if (at > length || bytes > length - at) continue;
            std::u16string text;
            for (size_t b = 0; b + 1 < bytes; b += 2)
                text += char16_t(ReadU16BigEndian(name + at + b));
            if (ReadU16BigEndian(r + 4) == kUsEnglish) return text;
            if (best.empty()) best = text;
        }
        return best;
    }
    return {};
}

}  // namespace platform::win32
