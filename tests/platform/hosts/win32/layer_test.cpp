// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The thin layer against Wine's real Win32: what the program sees of its window (the Quillby*
// calls its redirected names reach) and what the real window shows. (That the tick stands at
// the start tick until the loop first looks, the end-to-end run shows: its rounds are headless.)
#include "platform/hosts/win32/layer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::PictureLayout;
using platform::win32::Configure;
using platform::win32::FindDisplay;
using platform::win32::Options;

std::vector<LPARAM> presses;  // where the program was told the stylus went down or up

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) presses.push_back(lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

class LayerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSW c{};
        c.lpfnWndProc = RecordingProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"LAYERTEST";
        ASSERT_NE(QuillbyRegisterClassW(&c), 0);
    }
    void TearDown() override {
        Close();
        Configure(Options{});
    }
    // A window as the program makes one: visible, every position and size left to the system.
    HWND Open(Options options) {
        Close();
        Configure(options);
        window = QuillbyCreateWindowExW(0, L"LAYERTEST", L"Layer", WS_VISIBLE, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
        presses.clear();
        return window;
    }
    void Close() {
        if (window) DestroyWindow(window);
        window = nullptr;
    }
    COLORREF RealPixel(int x, int y) {
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return c;
    }
    static void Fill(HDC dc, RECT r, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }

    HWND window = nullptr;
};

TEST_F(LayerTest, TheProgramSeesA240By320DisplayInAWindowOfItsScale) {
    for (int scale : {1, 2, 3}) {  // 3 is larger than Wine's screen: the window keeps its size
        ASSERT_TRUE(Open(Options{scale, false, {}}));
        RECT seen{}, real{}, before{}, after{};
        QuillbyGetClientRect(window, &seen);
        GetClientRect(window, &real);
        EXPECT_EQ(seen.right * 1000 + seen.bottom, 240 * 1000 + 320);
        EXPECT_EQ(real.right * 1000 + real.bottom, 240 * scale * 1000 + 320 * scale);
        HDC dc = QuillbyGetDC(window);
        EXPECT_EQ(QuillbyGetDeviceCaps(dc, HORZRES), 240);
        EXPECT_EQ(QuillbyGetDeviceCaps(dc, VERTRES), 320);
        QuillbyReleaseDC(window, dc);
        // The handheld program moves its window over the display; the layer has placed it.
        GetWindowRect(window, &before);
        QuillbyMoveWindow(window, 0, 0, 240, 320, TRUE);
        GetWindowRect(window, &after);
        EXPECT_TRUE(EqualRect(&before, &after));
    }
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), WS_CAPTION | WS_SYSMENU);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0u);  // the task bar shows the game's icon
    ASSERT_TRUE(Open(Options{0, true, {}}));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);
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
}

TEST_F(LayerTest, StylusPositionsReachTheProgramInDisplayPixels) {
    ASSERT_TRUE(Open(Options{2, false, {}}));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(41, 61));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(-10, 700));  // off the window: the edge
    EXPECT_EQ(presses, (std::vector<LPARAM>{MAKELPARAM(20, 30), MAKELPARAM(0, 319)}));

    // Full screen, the picture is centred and the black round it takes no press.
    ASSERT_TRUE(Open(Options{0, true, {}}));
    const PictureLayout& l = FindDisplay(window)->layout;
    if (l.left > 0) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(l.left - 1, l.top));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(l.left + 1, l.top));
    }
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(l.left + 7 * l.scale, l.top + 9 * l.scale));
    EXPECT_EQ(presses, std::vector<LPARAM>{MAKELPARAM(7, 9)});
}

// (That it is drawn without antialiasing, with no fringe to show through the key colour, the
// toolkit's text tests show when they run here.)
TEST_F(LayerTest, AFontAskedForByFamilyIsTheProgramsOwn) {
    LOGFONTW asked{};
    asked.lfHeight = 150;
    asked.lfWeight = FW_BOLD;
    asked.lfPitchAndFamily = FF_SWISS;
    HFONT font = QuillbyCreateFontIndirectW(&asked);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    WCHAR face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(std::wstring(face), L"Quillby Letters");
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(font);
}

TEST_F(LayerTest, ASecondLaunchBringsAMinimisedGameBack) {
    ASSERT_TRUE(Open(Options{1, false, {}}));
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    // The handheld's way of naming the window: its handle with the lowest bit set.
    QuillbySetForegroundWindow(HWND(ULONG_PTR(window) | 1));
    EXPECT_FALSE(IsIconic(window));
}

}  // namespace
