// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game's random generator in place of the C library's rand and srand (msvcrt): the classic
// LCG, the project's own on every host, so that a seed gives the same sequence everywhere.
#pragma once

int LcgRand();
void LcgSrand(unsigned int seed);
