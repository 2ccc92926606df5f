// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the program's WinMain returns besides the quit message's 0, for the host that runs it.
// The program speaks to its user through its window alone (the handheld gives it no console),
// so what it cannot show there the host tells, knowing it from the code.
#pragma once

// The program could not create its window and ended at once.
constexpr int NoWindowExitCode = 1;
