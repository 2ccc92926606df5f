// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32's national language support as the program uses it: the language its thread's
// resources are looked up in, and how Windows numbers languages (winnt.h's LANGID).
#pragma once

#include "shell/winapi/windef.h"

typedef WORD LANGID;

#define MAKELANGID(primary, sub) ((LANGID)((((WORD)(sub)) << 10) | (WORD)(primary)))
#define PRIMARYLANGID(language) ((WORD)(language)&0x3FF)
#define SUBLANGID(language) ((WORD)(language) >> 10)

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01

LANGID SetThreadUILanguage(LANGID language);
LANGID GetThreadUILanguage();
