// A figure that shows one bitmap resource at its natural size.
#pragma once

#include "toolkit/figure.h"

class Image : public Figure {
  public:
    Image(Screen* screen, HWND window, int32_t bitmapId);
    ~Image() override;
    const WCHAR* GetTypeName() override;
    HDC GetSurface() override;

    int32_t bitmapId;
    BITMAP bitmapInfo{};
    HBITMAP initialBitmap = nullptr;
    HBITMAP bitmap = nullptr;
    HDC surface = nullptr;
};
