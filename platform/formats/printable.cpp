// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/formats/printable.h"

#include <cstdio>

namespace platform {

std::string Printable(std::string_view text, size_t longest) {
    std::string out;
    bool cut = text.size() > longest;
    if (cut) text = text.substr(0, longest);
    for (unsigned char c : text) {
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    if (cut) out += "...";
    return out;
}

}  // namespace platform
