// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The order in which the resource loader tries languages (resource_language.h).
#include "platform/kernel32/resource_language.h"

namespace platform {
namespace {

constexpr uint16_t kEnglishUs = 0x0409, kEnglish = 0x09;

uint16_t Primary(uint16_t language) {
    return language & 0x3FF;
}

}  // namespace

int LanguageRank(uint16_t resource, uint16_t thread) {
    if (resource == thread) return 0;
    if (Primary(resource) == Primary(thread) && Primary(thread) != 0) return resource >> 10 ? 2 : 1;
    if (Primary(resource) == 0) return 3;
    if (resource == kEnglishUs) return 4;
    if (Primary(resource) == kEnglish) return 5;
    return 6;
}

}  // namespace platform
