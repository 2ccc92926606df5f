// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The RIFF WAVE parser, as the sound resources reach it.
#include "fuzz/check.h"
#include "platform/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::Sound sound;
    if (!platform::ParseWave(data, size, sound)) return 0;
    Check(sound.sampleRate > 0, "a sound is accepted without a rate");
    Check(sound.bitsPerSample == 8 || sound.bitsPerSample == 16,
          "a sound is accepted with a sample size the players cannot play");
    Check(sound.data >= data + 12 && sound.data <= data + size &&
              sound.dataBytes <= size_t(data + size - sound.data),
          "the samples lie outside the image");
    Check(sound.bitsPerSample == 8 || sound.dataBytes % 2 == 0,
          "16-bit samples end in half a sample");
    return 0;
}
