// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// winmm: sndPlaySoundW
// Sounds played from memory, one at a time: the image read as RIFF WAVE, made playable once
// (IMA ADPCM decoded) and handed to the host; a new sound replaces the one playing.
#include "platform/formats/bytes.h"
#include "platform/formats/wave.h"
#include "platform/host.h"
#include "platform/kernel32/resource_lookup.h"
#include "platform/platform_state.h"

using namespace platform;

BOOL sndPlaySoundW(LPCWSTR sound, UINT flags) {
    Backend* backend = CurrentBackend();
    if (!backend) return FALSE;
    if (!sound) {
        backend->PlaySound(Sound{});  // silence
        return TRUE;
    }
    if (!(flags & SND_MEMORY)) return FALSE;  // the program plays only sounds held in memory
    auto* image = reinterpret_cast<const uint8_t*>(sound);
    // A resource's size is known; any other image is trusted to be as long as its RIFF header says.
    const ResourceEntry* e = ResourceHolding(image);
    size_t size = e ? e->size : 0;
    int id = e ? e->id : 0;
    if (!id) {
        uint32_t riffSize = ReadU32(image + 4);
        size = size_t(riffSize) + 8;
    }
    Sound parsed;
    if (!ParseWave(image, size, parsed) || !State().sounds.MakePlayable(parsed)) return FALSE;
    parsed.resourceId = id;
    backend->PlaySound(parsed);
    return TRUE;
}
