// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "tests/support/pixels.h"

#include "toolkit/screen.h"

namespace {

Picture Read(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // the top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> quads(size_t(width) * size_t(height));
    if (GetDIBits(dc, bitmap, 0, UINT(height), quads.data(), &info, DIB_RGB_COLORS) != height)
        return Picture();
    Picture picture{width, height, {}};
    picture.pixels.reserve(quads.size());
    for (const RGBQUAD& q : quads) picture.pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    return picture;
}

BITMAP SizeOf(HGDIOBJ bitmap) {
    BITMAP size{};
    if (!bitmap || GetObjectW(bitmap, sizeof size, &size) != int(sizeof size)) return BITMAP{};
    return size;
}

}  // namespace

Picture PixelsOf(HBITMAP bitmap) {
    BITMAP size = SizeOf(bitmap);
    if (size.bmWidth <= 0 || size.bmHeight <= 0) return Picture();
    HDC dc = CreateCompatibleDC(nullptr);
    Picture picture = Read(dc, bitmap, size.bmWidth, size.bmHeight);
    DeleteDC(dc);
    return picture;
}

Picture PixelsOf(HDC dc) {
    BITMAP size = SizeOf(GetCurrentObject(dc, OBJ_BITMAP));
    if (size.bmWidth <= 0 || size.bmHeight <= 0) return Picture();
    // GetDIBits reads a bitmap that no DC holds: the pixels are read from a copy.
    HDC copyDc = CreateCompatibleDC(dc);
    HBITMAP copy = CreateCompatibleBitmap(dc, size.bmWidth, size.bmHeight);
    HGDIOBJ previous = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, size.bmWidth, size.bmHeight, dc, 0, 0, SRCCOPY);
    SelectObject(copyDc, previous);
    Picture picture = Read(copyDc, copy, size.bmWidth, size.bmHeight);
    DeleteDC(copyDc);
    DeleteObject(copy);
    return picture;
}

Picture PixelsOfBitmap(int id) {
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    Picture picture = PixelsOf(bitmap);
    DeleteObject(bitmap);
    return picture;
}

Picture Crop(const Picture& picture, int left, int top, int width, int height) {
    Picture out{width, height, std::vector<COLORREF>(size_t(width) * size_t(height))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.pixels[size_t(y) * size_t(width) + size_t(x)] = picture.At(left + x, top + y);
    return out;
}

Picture Compose(Screen& screen) {
    HDC dc = GetDC(screen.window);
    screen.Paint(dc, true);
    ReleaseDC(screen.window, dc);
    return PixelsOf(screen.backBuffer);
}
