// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the game screen tells of the game as a child follows it: which card or round is shown,
// which picture was tapped, and the tick it is handed. By default nobody listens.
#pragma once

#include <cstdint>

class PlayListener {
  public:
    virtual ~PlayListener() = default;
    // A letter card is shown: the letter's index (0 for A and a) and its picture's bitmap.
    virtual void OnCardShown(int /*letterIndex*/, int /*pictureId*/) {}
    // A quiz round asks for the letter of this index.
    virtual void OnRoundStarted(int /*letterIndex*/) {}
    // A quiz picture was tapped, the right one or a wrong one.
    virtual void OnPictureAnswered(int /*pictureId*/, bool /*right*/) {}
    // The tick the game screen was handed, after the screen's own work on it.
    virtual void OnTick(uint32_t /*now*/) {}
};

// The listener a game screen starts with: it does nothing.
inline PlayListener nobodyListening;
