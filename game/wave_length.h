// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How long a WAVE sound plays, read from its header alone, whatever its samples' encoding.
#pragma once

#include <cstddef>
#include <cstdint>

// Milliseconds, rounded up: the samples of the "fact" chunk (which compressed formats such as
// IMA ADPCM carry) or else those the PCM data holds, at the format's rate. 0 for an image that
// is no RIFF WAVE with a format and data, and for silence. Reads nothing past `size` bytes.
uint32_t WaveLengthMs(const void* image, size_t size);
