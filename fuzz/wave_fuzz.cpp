// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The RIFF WAVE parser, as the sound resources reach it, and the IMA ADPCM decoder behind it.
#include <vector>

#include "fuzz/check.h"
#include "platform/formats/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::Sound sound;
    if (!platform::ParseWave(data, size, sound)) return 0;
    Check(sound.sampleRate > 0, "a sound is accepted without a rate");
    Check(sound.bitsPerSample == 4 || sound.bitsPerSample == 8 || sound.bitsPerSample == 16,
          "a sound is accepted with a sample size the platform cannot play");
    Check(sound.data >= data + 12 && sound.data <= data + size &&
              sound.dataBytes <= size_t(data + size - sound.data),
          "the samples lie outside the image");
    Check(sound.bitsPerSample != 16 || sound.dataBytes % 2 == 0,
          "16-bit samples end in half a sample");
    if (sound.bitsPerSample != 4) return 0;
    const platform::ImaAdpcmBlocks& a = sound.adpcm;
    Check(a.blockAlign > 4 && sound.dataBytes % a.blockAlign == 0 &&
              a.samplesPerBlock == (a.blockAlign - 4) * 2 + 1,
          "ADPCM is accepted in blocks that do not add up");
    Check(a.sampleCount > 0 && a.sampleCount <= sound.dataBytes / a.blockAlign * a.samplesPerBlock,
          "ADPCM is accepted counting more samples than its blocks hold");
    std::vector<int16_t> samples;
    if (platform::DecodeImaAdpcm(sound, samples))
        Check(samples.size() == a.sampleCount, "ADPCM decodes to another number of samples");
    else
        Check(samples.empty(), "a refused ADPCM sound leaves samples behind");
    return 0;
}
