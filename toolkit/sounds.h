// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Sounds are WAVE resources of the program, played from memory without waiting.
#pragma once

#include "shell/platform.h"

// Hears of every sound the program's own code starts (a new one replaces the one playing).
class SoundListener {
  public:
    virtual void OnSoundStart(HGLOBAL sound) = 0;

  protected:
    ~SoundListener() = default;
};

// From now on `listener` is the one that hears of the program's sounds; there is one at most
// (none while nothing is spoken).
void SetSoundListener(SoundListener* listener);
// Leaves the program's sounds unheard, if `listener` is still the one hearing them.
void RemoveSoundListener(SoundListener* listener);

// The whole RIFF image of a WAVE resource of this program, or null when there is none.
inline HGLOBAL LoadWave(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    return resource ? LoadResource(module, resource) : nullptr;
}

// Starts `sound`, cutting the one playing, and tells the listener.
void PlayWave(HGLOBAL sound);
