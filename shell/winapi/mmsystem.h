// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// winmm as the program uses it: a sound played from memory.
#pragma once

#include "shell/winapi/windef.h"

// Sound flags.
#define SND_ASYNC 0x0001
#define SND_MEMORY 0x0004
BOOL sndPlaySoundW(LPCWSTR sound, UINT flags);
