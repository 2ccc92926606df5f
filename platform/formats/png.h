// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// PNG files of display pixels: written for screenshots, read back to compare them.
#pragma once

#include <string>

#include "platform/gdi32/surface.h"

namespace platform {

bool WritePng(const std::string& path, const Surface& surface);
// Reads 8-bit RGB or RGBA PNGs without interlacing (what WritePng and common tools make).
bool ReadPng(const std::string& path, Surface& out);

}  // namespace platform
