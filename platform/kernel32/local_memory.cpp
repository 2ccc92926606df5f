// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32: LocalAlloc, LocalFree
// Local memory: a block that one library hands out and its caller frees, as CommandLineToArgvW's
// arguments. Every block is fixed, its handle its address: the program locks none.
#include <cstdlib>
#include <cstring>

#include "shell/platform.h"

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
    // Windows hands out a block for no bytes too, one that LocalFree takes back.
    void* block = std::malloc(bytes ? bytes : 1);
    if (block && (flags & LMEM_ZEROINIT)) std::memset(block, 0, bytes);
    return block;
}

HLOCAL LocalFree(HLOCAL memory) {
    std::free(memory);
    return nullptr;
}
