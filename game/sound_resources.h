// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's own sounds, WAVE resources by number (resources/resources.rc). The voice's
// clips are numbered apart (game/narrator.h).
#pragma once

#include "toolkit/hotspot.h"

namespace SoundResources {
// The click is the toolkit's, which every hotspot makes; the game's buttons make it too.
constexpr int Click = Hotspot::ClickSoundId;
constexpr int Right = 20002;    // a picture of the round's letter was tapped
constexpr int Switch = 20003;   // from the title to the game
constexpr int Startup = 20006;  // the program opens
constexpr int Wrong = 20007;    // a picture of another letter was tapped
}  // namespace SoundResources
