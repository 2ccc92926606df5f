// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Sounds are WAVE resources of the program, played from memory without waiting.
#pragma once

#include "shell/platform.h"

constexpr int ClickSoundId = 20000;
constexpr int SwitchSoundId = 20003;
constexpr int StartupSoundId = 20006;

// Hears of every sound the program's own code starts (a new one replaces the one playing).
class SoundListener {
  public:
    virtual void OnSoundStart(HGLOBAL sound) = 0;

  protected:
    ~SoundListener() = default;
};

// The one listener of the program's sounds, or none (as when nothing is spoken).
inline SoundListener* soundListener = nullptr;

// The whole RIFF image of a WAVE resource of this program, or null when there is none.
inline HGLOBAL LoadWave(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    return resource ? LoadResource(module, resource) : nullptr;
}

inline void PlayWave(HGLOBAL sound) {
    sndPlaySoundW(static_cast<LPCWSTR>(sound), SND_ASYNC | SND_MEMORY);
    if (soundListener) soundListener->OnSoundStart(sound);
}
