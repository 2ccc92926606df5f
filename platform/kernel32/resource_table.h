// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's resources as the build compiles them in from resources/resources.rc.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct ResourceEntry {
    int typeId;               // a numbered type (RT_BITMAP 2, RT_RCDATA 10, RT_GROUP_ICON 14), or 0
    const wchar_t* typeName;  // a named type such as "WAVE", or null
    int id;
    uint16_t language;  // as Windows numbers it: 0x0409 English (United States), 0 neutral
    const uint8_t* data;
    size_t size;
};

struct StringEntry {
    int id;
    uint16_t language;
    const wchar_t* text;
};

extern const ResourceEntry kResources[];
extern const size_t kResourceCount;
extern const StringEntry kStrings[];
extern const size_t kStringCount;

}  // namespace platform
