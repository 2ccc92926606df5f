// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The thin layer against Wine's real Win32: what the program sees of its window (Quillby*
// calls, as the program's redirected names reach them) and what the real window shows.
#include "platform/win32/layer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::PictureLayout;
using platform::win32::Configure;
using platform::win32::FindDisplay;
using platform::win32::Options;

constexpr COLORREF kKey = RGB(246, 140, 197);

std::vector<MSG> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK)
        received.push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcW(window, message, wParam, lParam);
}

class LayerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSW c{};
        c.style = CS_DBLCLKS;
        c.lpfnWndProc = RecordingProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"LAYERTEST";
        ASSERT_NE(QuillbyRegisterClassW(&c), 0);
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        Configure(Options{});
        received.clear();
    }
    // A window as the program makes one: visible, every position and size left to the system.
    HWND Open(Options options) {
        Configure(options);
        window = QuillbyCreateWindowExW(0, L"LAYERTEST", L"Layer", WS_VISIBLE, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
        return window;
    }
    COLORREF RealPixel(int x, int y) {
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return c;
    }
    void Fill(HDC dc, RECT r, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }

    HWND window = nullptr;
};

TEST_F(LayerTest, TheProgramSeesA240By320DisplayWhateverTheWindowsScale) {
    for (int scale : {1, 2, 3}) {
        ASSERT_TRUE(Open(Options{scale, false, {}}));
        RECT seen{}, real{};
        QuillbyGetClientRect(window, &seen);
        GetClientRect(window, &real);
        EXPECT_EQ(seen.right, 240);
        EXPECT_EQ(seen.bottom, 320);
        EXPECT_EQ(real.right, 240 * scale);
        EXPECT_EQ(real.bottom, 320 * scale);
        HDC dc = QuillbyGetDC(window);
        EXPECT_EQ(QuillbyGetDeviceCaps(dc, HORZRES), 240);
        EXPECT_EQ(QuillbyGetDeviceCaps(dc, VERTRES), 320);
        QuillbyReleaseDC(window, dc);
        // The handheld program moves its window over the display; the layer has placed it.
        RECT before{}, after{};
        GetWindowRect(window, &before);
        QuillbyMoveWindow(window, 0, 0, 240, 320, TRUE);
        GetWindowRect(window, &after);
        EXPECT_TRUE(EqualRect(&before, &after));
        DestroyWindow(window);
        window = nullptr;
    }
}

TEST_F(LayerTest, AWindowHasACaptionAndTheProgramsIconAndFullScreenHasNeither) {
    ASSERT_TRUE(Open(Options{1, false, {}}));
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);  // its close button ends the game
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0u);
    DestroyWindow(window);
    ASSERT_TRUE(Open(Options{0, true, {}}));
    style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
}

TEST_F(LayerTest, WhatTheProgramDrawsReachesTheWindowEachPixelAScaleByScaleSquare) {
    ASSERT_TRUE(Open(Options{2, false, {}}));
    HDC dc = QuillbyGetDC(window);
    Fill(dc, RECT{10, 20, 11, 21}, RGB(255, 0, 0));
    QuillbyReleaseDC(window, dc);
    for (POINT p : {POINT{20, 40}, POINT{21, 40}, POINT{20, 41}, POINT{21, 41}})
        EXPECT_EQ(RealPixel(p.x, p.y), RGB(255, 0, 0)) << p.x << "," << p.y;
    EXPECT_NE(RealPixel(22, 40), RGB(255, 0, 0));
    EXPECT_NE(RealPixel(20, 42), RGB(255, 0, 0));

    // A paint shows the whole picture, drawn or not since the last.
    dc = QuillbyGetDC(window);
    Fill(dc, RECT{239, 319, 240, 320}, RGB(0, 0, 255));  // not released: not yet shown
    InvalidateRect(window, nullptr, FALSE);
    PAINTSTRUCT ps;
    HDC paintDc = QuillbyBeginPaint(window, &ps);
    EXPECT_EQ(paintDc, dc);
    EXPECT_EQ(ps.rcPaint.right, 240);
    EXPECT_EQ(ps.rcPaint.bottom, 320);
    QuillbyEndPaint(window, &ps);
    EXPECT_EQ(RealPixel(479, 639), RGB(0, 0, 255));
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));

    // The program's rectangles are display pixels.
    RECT part{5, 6, 7, 8};
    QuillbyInvalidateRect(window, &part, FALSE);
    RECT update{};
    GetUpdateRect(window, &update, FALSE);
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.top, 12);
    EXPECT_EQ(update.right, 14);
    EXPECT_EQ(update.bottom, 16);
}

TEST_F(LayerTest, StylusPositionsReachTheProgramInDisplayPixels) {
    ASSERT_TRUE(Open(Options{2, false, {}}));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(41, 61));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(-10, 700));  // off the window: the edge
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].lParam, MAKELPARAM(20, 30));
    EXPECT_EQ(received[1].lParam, MAKELPARAM(0, 319));
}

TEST_F(LayerTest, FullScreenThePictureIsCentredAndTheBlackRoundItTakesNoPress) {
    ASSERT_TRUE(Open(Options{0, true, {}}));
    const PictureLayout& l = FindDisplay(window)->layout;
    RECT real{};
    GetClientRect(window, &real);
    EXPECT_EQ(l.left, (real.right - l.width) / 2);
    EXPECT_EQ(l.top, (real.bottom - l.height) / 2);
    if (l.left > 0) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(l.left - 1, l.top));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(l.left + 1, l.top));
        EXPECT_TRUE(received.empty()) << "a press on the black, or its release, reached the game";
    }
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(l.left + 7 * l.scale, l.top + 9 * l.scale));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].lParam, MAKELPARAM(7, 9));
}

TEST_F(LayerTest, AFontAskedForByFamilyIsTheProgramsOwnDrawnWithoutAntialiasing) {
    LOGFONTW asked{};
    asked.lfHeight = 150;
    asked.lfWeight = FW_BOLD;
    asked.lfPitchAndFamily = FF_SWISS;
    HFONT font = QuillbyCreateFontIndirectW(&asked);
    ASSERT_TRUE(font);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 120, -160, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    WCHAR face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(std::wstring(face), L"Quillby Letters");
    RECT cell{0, 0, 120, 160};
    Fill(dc, cell, kKey);
    SetBkColor(dc, kKey);
    SetTextColor(dc, RGB(0, 255, 0));
    DrawTextW(dc, L"B", 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int green = 0, other = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 120; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (c == RGB(0, 255, 0))
                ++green;
            else if (c != kKey)
                ++other;
        }
    EXPECT_GT(green, 1000);
    EXPECT_EQ(other, 0) << "blended pixels round the letter";
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);

    LOGFONTW named = asked;
    wcscpy(named.lfFaceName, L"Courier New");
    font = QuillbyCreateFontIndirectW(&named);
    dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_NE(std::wstring(face), L"Quillby Letters");
    DeleteDC(dc);
    DeleteObject(font);
}

TEST_F(LayerTest, TheTickReadsTheStartTickUntilTheLoopFirstLooksThenRunsOn) {
    Configure(Options{0, false, 2026u});
    EXPECT_EQ(QuillbyGetTickCount(), 2026u);
    Sleep(30);
    EXPECT_EQ(QuillbyGetTickCount(), 2026u);  // the game seeds its rounds meanwhile
    MSG msg;
    QuillbyPeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(100);
    DWORD later = QuillbyGetTickCount();
    EXPECT_GE(later, 2026u + 60);  // Windows' tick may move in steps of 16 ms
    EXPECT_LT(later, 2026u + 5000);

    Configure(Options{});
    DWORD own = GetTickCount();
    EXPECT_LE(QuillbyGetTickCount() - own, 1000u);
}

TEST_F(LayerTest, ALookAtTheQueueSeesWhatWaitsAndOnlyThat) {
    ASSERT_TRUE(Open(Options{1, false, {}}));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_FALSE(QuillbyPeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    PostMessageW(window, WM_APP, 7, 0);
    ASSERT_TRUE(QuillbyPeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_APP));
    EXPECT_TRUE(QuillbyPeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));  // seen, still there
    EXPECT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
    InvalidateRect(window, nullptr, FALSE);
    ASSERT_TRUE(QuillbyPeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
}

TEST_F(LayerTest, ASecondLaunchBringsAMinimisedGameBack) {
    ASSERT_TRUE(Open(Options{1, false, {}}));
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    // The handheld's way of naming the window: its handle with the lowest bit set.
    QuillbySetForegroundWindow(HWND(ULONG_PTR(window) | 1));
    EXPECT_FALSE(IsIconic(window));
}

TEST_F(LayerTest, TheKeyedBlitLeavesTheKeyColourOut) {
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen), dest = CreateCompatibleDC(screen);
    HBITMAP s = CreateCompatibleBitmap(screen, 4, 1), d = CreateCompatibleBitmap(screen, 4, 1);
    ReleaseDC(nullptr, screen);
    SelectObject(source, s);
    SelectObject(dest, d);
    const COLORREF row[] = {kKey, RGB(1, 2, 3), kKey, RGB(255, 255, 255)};
    for (int x = 0; x < 4; ++x) {
        SetPixel(source, x, 0, row[x]);
        SetPixel(dest, x, 0, RGB(9, 9, 9));
    }
    EXPECT_TRUE(TransparentImage(dest, 0, 0, 4, 1, source, 0, 0, 4, 1, kKey));
    const COLORREF expect[] = {RGB(9, 9, 9), RGB(1, 2, 3), RGB(9, 9, 9), RGB(255, 255, 255)};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(dest, x, 0), expect[x]) << x;
    DeleteDC(source);
    DeleteDC(dest);
    DeleteObject(s);
    DeleteObject(d);
}

TEST_F(LayerTest, ADestroyedWindowLeavesNoDisplayBehind) {
    ASSERT_TRUE(Open(Options{1, false, {}}));
    ASSERT_TRUE(FindDisplay(window));
    DestroyWindow(window);
    EXPECT_FALSE(FindDisplay(window));
    window = nullptr;
}

}  // namespace
