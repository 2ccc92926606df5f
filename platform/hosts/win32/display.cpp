// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The 240x320 display behind each of the program's windows: the device contexts the program
// gets for the window are a memory surface of that size, and what the program draws there
// reaches the real window stretched (nearest) to the window's scale. The program sees a 240x320
// client area and device.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/win32/layer.h"

namespace platform::win32 {
namespace {

std::vector<std::unique_ptr<DisplayWindow>>& Displays() {
    static std::vector<std::unique_ptr<DisplayWindow>> displays;
    return displays;
}

DisplayWindow* FindBySurface(HDC dc) {
    for (auto& d : Displays())
        if (d->surface == dc) return d.get();
    return nullptr;
}

// Starts gathering the rectangle the program draws into on the surface from now on.
void ResetDrawn(HDC surface) {
    SetBoundsRect(surface, nullptr, DCB_ENABLE | DCB_RESET);
}

// What the program drew on the surface since the last look, in display pixels; empty if nothing.
RECT TakeDrawn(HDC surface) {
    RECT drawn{};
    if (GetBoundsRect(surface, &drawn, DCB_RESET) != DCB_SET) return RECT{};
    RECT display{0, 0, kDisplayWidth, kDisplayHeight};
    IntersectRect(&drawn, &drawn, &display);
    return drawn;
}

// bench/measure_windows.sh reads when the first frame reached a window, as Unix time in seconds,
// from the file QUILLBY_WINDOWS_STATS names.
void NoteFirstFrame() {
    static bool noted = false;
    const char* path = std::getenv("QUILLBY_WINDOWS_STATS");
    if (noted || !path) return;
    noted = true;
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    ULONGLONG since1601 = ULONGLONG(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    constexpr ULONGLONG kUnixEpoch = 116444736000000000ull;  // 1970 in 100 ns since 1601
    if (FILE* out = std::fopen(path, "w")) {
        std::fprintf(out, "first_frame_wall_s %.3f\n", double(since1601 - kUnixEpoch) / 1e7);
        std::fclose(out);
    }
}

}  // namespace

DisplayWindow* FindDisplay(HWND window) {
    if (!window) return nullptr;
    for (auto& d : Displays())
        if (d->window == window) return d.get();
    return nullptr;
}

DisplayWindow* AttachDisplay(HWND window, WNDPROC programProc, const PictureLayout& layout) {
    auto d = std::make_unique<DisplayWindow>();
    d->window = window;
    d->programProc = programProc;
    d->layout = layout;
    // A top-down 32-bit DIB: every bitmap made compatible with it is one too, whatever the
    // screen's format, so colours and the key colour stay exact.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kDisplayWidth;
    info.bmiHeader.biHeight = -kDisplayHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    d->surface = CreateCompatibleDC(nullptr);
    d->bitmap = CreateDIBSection(d->surface, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    d->firstBitmap = SelectObject(d->surface, d->bitmap);
    ResetDrawn(d->surface);
    Displays().push_back(std::move(d));
    return Displays().back().get();
}

void DetachDisplay(HWND window) {
    auto& all = Displays();
    auto it = std::find_if(all.begin(), all.end(), [&](auto& d) { return d->window == window; });
    if (it == all.end()) return;
    SelectObject((*it)->surface, (*it)->firstBitmap);
    DeleteDC((*it)->surface);
    DeleteObject((*it)->bitmap);
    all.erase(it);
}

void Present(const DisplayWindow& d, HDC target, const RECT& area) {
    int s = d.layout.scale;
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    int x = d.layout.left + area.left * s, y = d.layout.top + area.top * s;
    NoteFirstFrame();
    NoteMoved();
    if (s == 1) {
        BitBlt(target, x, y, w, h, d.surface, area.left, area.top, SRCCOPY);
        return;
    }
    // Dropping scan lines instead of blending them: each pixel becomes an s-by-s square.
    int previousMode = SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, x, y, w * s, h * s, d.surface, area.left, area.top, w, h, SRCCOPY);
    SetStretchBltMode(target, previousMode);
}

void PaintBorder(const DisplayWindow& d, HDC target) {
    RECT client{};
    GetClientRect(d.window, &client);
    const PictureLayout& l = d.layout;
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT bands[] = {{0, 0, client.right, l.top},
                    {0, l.top + l.height, client.right, client.bottom},
                    {0, l.top, l.left, l.top + l.height},
                    {l.left + l.width, l.top, client.right, l.top + l.height}};
    for (const RECT& band : bands)
        if (!IsRectEmpty(&band)) FillRect(target, &band, black);
}

}  // namespace platform::win32

using namespace platform;
using namespace platform::win32;

HDC QuillbyGetDC(HWND window) {
    DisplayWindow* d = FindDisplay(window);
    return d ? d->surface : GetDC(window);
}

int QuillbyReleaseDC(HWND window, HDC dc) {
    DisplayWindow* d = FindBySurface(dc);
    if (!d) return ReleaseDC(window, dc);
    RECT drawn = TakeDrawn(d->surface);
    if (IsRectEmpty(&drawn)) return 1;
    HDC real = GetDC(d->window);
    Present(*d, real, drawn);
    ReleaseDC(d->window, real);
    return 1;
}

HDC QuillbyBeginPaint(HWND window, PAINTSTRUCT* paint) {
    DisplayWindow* d = FindDisplay(window);
    if (!d) return BeginPaint(window, paint);
    BeginPaint(window, &d->paint);
    d->painting = true;
    // The program sees the paint in its own pixels: the part of the picture to paint again.
    *paint = d->paint;
    paint->hdc = d->surface;
    const PictureLayout& l = d->layout;
    const RECT& r = d->paint.rcPaint;
    RECT shown{std::max(0L, (r.left - l.left) / l.scale), std::max(0L, (r.top - l.top) / l.scale),
               std::min(LONG(kDisplayWidth), (r.right - l.left + l.scale - 1) / l.scale),
               std::min(LONG(kDisplayHeight), (r.bottom - l.top + l.scale - 1) / l.scale)};
    if (IsRectEmpty(&shown)) SetRectEmpty(&shown);
    paint->rcPaint = shown;
    return d->surface;
}

BOOL QuillbyEndPaint(HWND window, const PAINTSTRUCT* paint) {
    DisplayWindow* d = FindDisplay(window);
    if (!d || !d->painting) return EndPaint(window, paint);
    // The whole picture: the paint DC is clipped to what needs painting anyway.
    TakeDrawn(d->surface);
    Present(*d, d->paint.hdc, RECT{0, 0, kDisplayWidth, kDisplayHeight});
    d->painting = false;
    return EndPaint(window, &d->paint);
}

BOOL QuillbyGetClientRect(HWND window, LPRECT rect) {
    if (!FindDisplay(window)) return GetClientRect(window, rect);
    if (!rect) return FALSE;
    *rect = RECT{0, 0, kDisplayWidth, kDisplayHeight};
    return TRUE;
}

int QuillbyGetDeviceCaps(HDC dc, int index) {
    if (FindBySurface(dc)) {
        if (index == HORZRES) return kDisplayWidth;
        if (index == VERTRES) return kDisplayHeight;
    }
    return GetDeviceCaps(dc, index);
}

BOOL QuillbyInvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    DisplayWindow* d = FindDisplay(window);
    if (!d || !rect) return InvalidateRect(window, rect, erase);
    const PictureLayout& l = d->layout;
    RECT scaled{l.left + rect->left * l.scale, l.top + rect->top * l.scale,
                l.left + rect->right * l.scale, l.top + rect->bottom * l.scale};
    return InvalidateRect(window, &scaled, erase);
}

BOOL QuillbyMoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    // The program places its window over the whole handheld display; on a PC the layer has
    // placed it already, where the command line asked.
    if (FindDisplay(window)) return TRUE;
    return MoveWindow(window, x, y, width, height, repaint);
}
