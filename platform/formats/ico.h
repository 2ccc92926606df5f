// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The window's icon, taken from the program's icon resource (an ICO image).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// The `side` x `side` image of an ICO file as ARGB pixels (0xAARRGGBB), top row first, its AND
// mask made transparency. Empty when the file has no such image or is malformed.
std::vector<uint32_t> IconPixels(const uint8_t* ico, size_t size, int side);

}  // namespace platform
