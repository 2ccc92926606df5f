// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The one header through which the shell, the toolkit and the game reach the platform.
//
// It declares the Win32 names, types and constants the program uses, signature-compatible
// with the real API. A Windows build takes them from <windows.h> and reaches Windows itself,
// except for a few names routed to a thin layer (platform/hosts/win32/) where a PC differs from the
// handheld. Everywhere else the platform/ folder implements them on top of a small host
// backend.
#pragma once

#include <cstdint>
#include <cwchar>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>

// The program's entry point takes the command line as wide characters, which Windows' own
// WinMain does not; the start-up code (platform/hosts/win32/main.cpp) calls it.
#define WinMain QuillbyWinMain

// Where a PC differs from the handheld. The program's top-level windows show a 240x320 display
// stretched onto the real window: the program sees a 240x320 client area and device, draws into
// a surface of that size through the window's DCs, and gets stylus positions in its pixels. The
// font it asks for by family alone is its own, drawn without antialiasing; the loop's look at an
// empty queue waits a few milliseconds for input, or until a timer of the program is due; the
// tick starts where the command line says.
// The tests' host may hold the tick and the stylus and catch the sounds.
ATOM QuillbyRegisterClassW(const WNDCLASSW* wndClass);
HWND QuillbyCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
BOOL QuillbyMoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL QuillbyGetClientRect(HWND window, LPRECT rect);
BOOL QuillbyInvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL QuillbySetForegroundWindow(HWND window);
HDC QuillbyGetDC(HWND window);
int QuillbyReleaseDC(HWND window, HDC dc);
HDC QuillbyBeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL QuillbyEndPaint(HWND window, const PAINTSTRUCT* paint);
int QuillbyGetDeviceCaps(HDC dc, int index);
HFONT QuillbyCreateFontIndirectW(const LOGFONTW* font);
BOOL QuillbyPeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
UINT_PTR QuillbySetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
BOOL QuillbyKillTimer(HWND window, UINT_PTR id);
DWORD QuillbyGetTickCount();
BOOL QuillbySndPlaySoundW(LPCWSTR sound, UINT flags);
SHORT QuillbyGetAsyncKeyState(int key);
#ifndef QUILLBY_WIN32_LAYER  // the layer itself calls the real ones
#define RegisterClassW QuillbyRegisterClassW
#define CreateWindowExW QuillbyCreateWindowExW
#define MoveWindow QuillbyMoveWindow
#define GetClientRect QuillbyGetClientRect
#define InvalidateRect QuillbyInvalidateRect
#define SetForegroundWindow QuillbySetForegroundWindow
#define GetDC QuillbyGetDC
#define ReleaseDC QuillbyReleaseDC
#define BeginPaint QuillbyBeginPaint
#define EndPaint QuillbyEndPaint
#define GetDeviceCaps QuillbyGetDeviceCaps
#define CreateFontIndirectW QuillbyCreateFontIndirectW
#define PeekMessageW QuillbyPeekMessageW
#define SetTimer QuillbySetTimer
#define KillTimer QuillbyKillTimer
#define GetTickCount QuillbyGetTickCount
#define sndPlaySoundW QuillbySndPlaySoundW
#define GetAsyncKeyState QuillbyGetAsyncKeyState
#endif

#else

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int INT;
typedef int16_t SHORT;
typedef uint16_t ATOM;
typedef wchar_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef int* LPINT;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t ULONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;

#define DECLARE_QUILLBY_HANDLE(name) \
    struct name##__;                 \
    typedef struct name##__* name
DECLARE_QUILLBY_HANDLE(HWND);
DECLARE_QUILLBY_HANDLE(HDC);
DECLARE_QUILLBY_HANDLE(HBITMAP);
DECLARE_QUILLBY_HANDLE(HPEN);
DECLARE_QUILLBY_HANDLE(HBRUSH);
DECLARE_QUILLBY_HANDLE(HFONT);
DECLARE_QUILLBY_HANDLE(HINSTANCE);
DECLARE_QUILLBY_HANDLE(HICON);
DECLARE_QUILLBY_HANDLE(HMENU);
DECLARE_QUILLBY_HANDLE(HRSRC);
#undef DECLARE_QUILLBY_HANDLE
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;
typedef const RECT* LPCRECT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: the last row first; negative: the top row first
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

#define LF_FACESIZE 32
typedef struct tagLOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagWNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
} WNDCLASSW;

typedef struct tagCREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTW;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;

#define MAKEINTRESOURCEW(i) ((LPWSTR)(ULONG_PTR)(WORD)(i))
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define RGB(r, g, b) \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#define LOWORD(l) ((WORD)(((ULONG_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((ULONG_PTR)(l)) >> 16) & 0xffff))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)(((WORD)(l)) | (((DWORD)(WORD)(h)) << 16)))

// Resource types.
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

// Window messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_SETTINGCHANGE 0x001A
#define WM_TIMER 0x0113
#define WM_NCDESTROY 0x0082
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203

// Window and class styles, show commands, PeekMessage flags.
#define WS_VISIBLE 0x10000000L
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CW_USEDEFAULT ((int)0x80000000)
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define VK_LBUTTON 0x01

// Device capabilities, raster operations, pens, stock objects, text.
#define HORZRES 8
#define VERTRES 10
#define SRCCOPY ((DWORD)0x00CC0020)
#define CLR_INVALID 0xFFFFFFFF
#define BI_RGB 0L
#define DIB_RGB_COLORS 0
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define PS_SOLID 0
#define PS_NULL 5
#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define TRANSPARENT 1
#define OPAQUE 2
#define DT_CENTER 0x00000001
#define DT_VCENTER 0x00000004
#define DT_SINGLELINE 0x00000020
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE (0 << 4)
#define FF_ROMAN (1 << 4)
#define FF_SWISS (2 << 4)
#define FF_MODERN (3 << 4)
#define FF_SCRIPT (4 << 4)
#define FF_DECORATIVE (5 << 4)

// Sound flags.
#define SND_ASYNC 0x0001
#define SND_MEMORY 0x0004

// Rectangles: left and top inside, right and bottom outside.
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL IsRectEmpty(LPCRECT rect);
BOOL IntersectRect(LPRECT out, LPCRECT a, LPCRECT b);
BOOL UnionRect(LPRECT out, LPCRECT a, LPCRECT b);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL PtInRect(LPCRECT rect, POINT point);

// Windows.
ATOM RegisterClassW(const WNDCLASSW* wndClass);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND window);
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
BOOL SetForegroundWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HGDIOBJ GetStockObject(int index);
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// Message queue.
BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
BOOL KillTimer(HWND window, UINT_PTR id);

// Device contexts.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
int GetDeviceCaps(HDC dc, int index);

// Surfaces and bitmaps.
HDC CreateCompatibleDC(HDC dc);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteDC(HDC dc);
BOOL DeleteObject(HGDIOBJ object);
int GetObjectW(HANDLE object, int size, LPVOID out);
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

// Pixels.
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage);

// Blitting.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop);

// Shapes and text.
HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH CreateSolidBrush(COLORREF colour);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
HFONT CreateFontIndirectW(const LOGFONTW* font);
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int length, int maxExtent, LPINT fit,
                           LPINT partialExtents, LPSIZE size);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF SetTextColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
int DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format);

// Resources and sound.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL sndPlaySoundW(LPCWSTR sound, UINT flags);

// Input, time, strings, the command line.
SHORT GetAsyncKeyState(int key);
DWORD GetTickCount();
LPWSTR CharLowerW(LPWSTR text);
LPWSTR GetCommandLineW();

#endif

// The Pocket PC shell, which neither a PC's nor our own headers have: its activation record,
// which the program only lends to the shell calls, and the calls themselves.
typedef struct tagSHACTIVATEINFO {
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;
#define SHFS_SHOWTASKBAR 0x0001
#define SHFS_HIDETASKBAR 0x0002
#define SHFS_SHOWSIPBUTTON 0x0004
#define SHFS_HIDESIPBUTTON 0x0008
#define SHFS_SHOWSTARTICON 0x0010
#define SHFS_HIDESTARTICON 0x0020
#define SHDB_SHOW 0x0001
#define SHDB_HIDE 0x0002
BOOL SHFullScreen(HWND window, DWORD state);
BOOL SHDoneButton(HWND window, DWORD state);
BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info,
                        DWORD flags);
BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// The handheld's blit through a colour key (on Windows, msimg32's TransparentBlt).
BOOL TransparentImage(HDC dest, int destX, int destY, int destWidth, int destHeight, HANDLE source,
                      int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                      COLORREF transparent);

// The game's random generator: the classic LCG, the project's own on every host, so that a seed
// gives the same sequence everywhere.
int LcgRand();
void LcgSrand(unsigned int seed);

// The program's entry point, called by the host's start-up code.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
