// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Finding the program's compiled-in resources by number and type.
#pragma once

#include <vector>

#include "platform/kernel32/resource_table.h"
#include "shell/platform.h"

namespace platform {

// The resource of this number and type: a numbered type (RT_BITMAP) or a name ("WAVE", in any
// case), in the language the thread's UI language makes best (resource_language.h). Null when
// there is none.
const ResourceEntry* FindResourceData(int id, LPCWSTR type);
// The same in this language (FindResourceExW's rules); neutral is the thread's choice.
const ResourceEntry* FindResourceData(int id, LPCWSTR type, uint16_t language);
// The string of this number in the language the thread's makes best for its block of sixteen,
// as Windows keeps string tables; null when that block lacks it. Among `count` strings of
// `table`: the program's are kStrings.
const StringEntry* FindString(int id, const StringEntry* table, size_t count);
// The languages the program has string `id` in, English (United States) first, then by number.
std::vector<uint16_t> StringLanguages(int id);
// Every resource of a type, in the order a compiled resource directory lists them: by number.
std::vector<const ResourceEntry*> ResourcesOfType(LPCWSTR type);
// The resource whose image starts at `data`; null for an image of the program's own.
const ResourceEntry* ResourceHolding(const void* data);

}  // namespace platform
