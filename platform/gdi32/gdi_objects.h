// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The objects behind GDI handles: bitmaps, pens, brushes, fonts and device contexts.
#pragma once

#include <memory>
#include <unordered_set>

#include "platform/gdi32/surface.h"

namespace platform {

struct FontFace;

struct GdiObject {
    enum class Kind { Bitmap, Pen, Brush, Font };
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
    Kind kind;
    bool stock = false;  // stock objects are never deleted
    int selectedIn = 0;  // how many device contexts hold it
};

struct BitmapObject : GdiObject {
    BitmapObject(int w, int h, int bits)
        : GdiObject(Kind::Bitmap), surface(w, h), bitsPixel(bits) {}
    Surface surface;
    int bitsPixel;  // 1 for a monochrome bitmap, 32 for a full-colour one
};

struct PenObject : GdiObject {
    PenObject(int s, int w, COLORREF c) : GdiObject(Kind::Pen), style(s), width(w), colour(c) {}
    int style;
    int width;
    COLORREF colour;
};

struct BrushObject : GdiObject {
    BrushObject(COLORREF c, bool hollow) : GdiObject(Kind::Brush), colour(c), hollow(hollow) {}
    COLORREF colour;
    bool hollow;
};

struct FontObject : GdiObject {
    explicit FontObject(const LOGFONTW& l) : GdiObject(Kind::Font), logFont(l) {}
    LOGFONTW logFont;
    std::shared_ptr<FontFace> face;  // made when text is first measured or drawn
};

struct WindowObject;

struct DeviceContext {
    WindowObject* window = nullptr;  // a window's DC draws onto the display; else a memory DC
    BitmapObject* bitmap = nullptr;
    PenObject* pen = nullptr;
    BrushObject* brush = nullptr;
    FontObject* font = nullptr;
    COLORREF bkColour = RGB(255, 255, 255);
    COLORREF textColour = RGB(0, 0, 0);
    int bkMode = OPAQUE;
};

// The objects GetStockObject gives; they are never deleted.
struct StockObjects {
    BrushObject* whiteBrush = nullptr;
    BrushObject* blackBrush = nullptr;
    BrushObject* nullBrush = nullptr;
    PenObject* whitePen = nullptr;
    PenObject* blackPen = nullptr;
    PenObject* nullPen = nullptr;
    FontObject* systemFont = nullptr;
    // Every new memory DC starts with this 1x1 monochrome bitmap selected, as in GDI.
    BitmapObject* defaultBitmap = nullptr;
};

// Every GDI object and device context alive. A handle is the object's address: one that is
// not in these tables is stale or foreign, and every call refuses it.
struct GdiTables {
    GdiTables();
    ~GdiTables();  // deletes whatever the program left behind
    GdiTables(const GdiTables&) = delete;
    GdiTables& operator=(const GdiTables&) = delete;

    std::unordered_set<GdiObject*> objects;
    std::unordered_set<DeviceContext*> dcs;
    StockObjects stock;
};

// Handle conversions; a handle that is not a live object of the right kind gives null.
DeviceContext* ToDc(HDC dc);
BitmapObject* ToBitmap(HGDIOBJ object);
GdiObject* ToObject(HGDIOBJ object);
HBITMAP ToHandle(BitmapObject* bitmap);
// Makes a new object known to the handle checks; gives its handle.
HGDIOBJ RegisterObject(GdiObject* object);

// What a device context draws into: its bitmap's pixels, or the display clipped to the window.
struct DrawTarget {
    Surface* surface = nullptr;
    int originX = 0;  // where the DC's (0, 0) lies on the surface
    int originY = 0;
    RECT clip{};  // surface coordinates, exclusive right/bottom
    bool monochrome = false;
};
DrawTarget TargetOf(DeviceContext* dc);
// Tells the backend that pixels of a window DC changed.
void NoteDrawn(DeviceContext* dc, const RECT& surfaceArea);
// A new device context drawing onto the window (GetDC, BeginPaint).
HDC WindowDc(WindowObject* window);

}  // namespace platform
