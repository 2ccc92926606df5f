// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32 as the program uses it: its module and resources, the tick, the command line,
// local memory. (The language its resources are found in: winnls.h.)
#pragma once

#include "shell/winapi/windef.h"
#include "shell/winapi/winnls.h"

HMODULE GetModuleHandleW(LPCWSTR moduleName);
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
DWORD GetTickCount();
LPWSTR GetCommandLineW();

// Local memory: fixed blocks, whose handle is their address.
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL LocalFree(HLOCAL memory);
