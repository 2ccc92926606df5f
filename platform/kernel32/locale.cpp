// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32: SetThreadUILanguage, GetThreadUILanguage
// The language the program's resources are found in first (resource_language.h): English
// (United States) until the host or the program chooses another.
#include "platform/platform_state.h"

using namespace platform;

LANGID SetThreadUILanguage(LANGID language) {
    // Neutral asks for the user's language, which for this platform is the host's choice.
    if (language != MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) State().uiLanguage = language;
    return State().uiLanguage;
}

LANGID GetThreadUILanguage() {
    return State().uiLanguage;
}
