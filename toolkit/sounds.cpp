// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/sounds.h"

namespace {

SoundListener* soundListener = nullptr;

}  // namespace

void SetSoundListener(SoundListener* listener) {
    soundListener = listener;
}

void RemoveSoundListener(SoundListener* listener) {
    if (soundListener == listener) soundListener = nullptr;
}

void PlayWave(HGLOBAL sound) {
    sndPlaySoundW(static_cast<LPCWSTR>(sound), SND_ASYNC | SND_MEMORY);
    if (soundListener) soundListener->OnSoundStart(sound);
}
