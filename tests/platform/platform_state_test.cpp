// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Start and Stop own everything the platform keeps: a second Start finds nothing of the first.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "platform/headless/headless_backend.h"
#include "platform/host.h"
#include "shell/platform.h"
#include "tests/support/test_window.h"

namespace {

TEST(PlatformStateTest, ASecondStartBeginsAsTheFirstDidWhateverTheFirstLeftBehind) {
    std::ostringstream log;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        platform::Start(
            std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{}, log));
        EXPECT_EQ(LcgRand(), 41);  // srand(1)
        EXPECT_EQ(FindWindowW(L"STATE", nullptr), nullptr);
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
        for (COLORREF c : platform::Display().pixels) ASSERT_EQ(c, RGB(0, 0, 0));

        HWND window = OpenTestWindow(L"STATE", DefWindowProcW, CS_DBLCLKS);
        ASSERT_NE(window, nullptr);
        // Left behind: a drawing on the window, objects never deleted, a font in use, a half
        // made double click, a posted message and a quit.
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        SelectObject(memory, CreateCompatibleBitmap(dc, 10, 10));
        LOGFONTW font{};
        font.lfHeight = 20;
        SelectObject(memory, CreateFontIndirectW(&font));
        SIZE size;
        GetTextExtentExPointW(memory, L"A", 1, 0, nullptr, nullptr, &size);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        Rectangle(dc, 0, 0, 240, 320);
        platform::PostStylus(true, 5, 5);
        PostMessageW(window, WM_CLOSE, 0, 0);
        PostQuitMessage(3);
        LcgRand();
        platform::Stop();
    }
}

}  // namespace
