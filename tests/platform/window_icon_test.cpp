// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Icons as the program loads them, and the picture a window hands its host as its icon.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/host.h"
#include "platform/png.h"
#include "shell/platform.h"

namespace {

constexpr int kProgramIcon = 101;

// Notes what the platform asks of the host's window, in order.
class IconRecordingBackend : public platform::HeadlessBackend {
  public:
    explicit IconRecordingBackend(std::ostream& log)
        : HeadlessBackend(platform::HeadlessOptions{}, log) {}
    bool OpenWindow(const std::wstring& title) override {
        asked += "open ";
        return HeadlessBackend::OpenWindow(title);
    }
    void SetWindowIcon(const platform::Surface& icon) override {
        asked += "icon ";
        picture = icon;
    }
    std::string asked;
    platform::Surface picture;
};

TEST(WindowIconTest, AWindowShowsItsClassIconOrWithoutOneTheProgramsOwn) {
    platform::Surface drawn;
    ASSERT_TRUE(platform::ReadPng("resources/icons/quillby-32.png", drawn));
    HINSTANCE module = GetModuleHandleW(nullptr);
    // Its own icon, the one the game asks for (number 3, which does not exist), and none.
    for (HICON classIcon : {LoadIconW(module, MAKEINTRESOURCEW(kProgramIcon)),
                            LoadIconW(module, MAKEINTRESOURCEW(3)), static_cast<HICON>(nullptr)}) {
        std::ostringstream log;
        auto owned = std::make_unique<IconRecordingBackend>(log);
        IconRecordingBackend* backend = owned.get();
        platform::Start(std::move(owned));
        WNDCLASSW cls{};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hIcon = classIcon;
        cls.lpszClassName = L"ICON";
        RegisterClassW(&cls);
        ASSERT_NE(CreateWindowExW(0, L"ICON", L"Icon", 0, 0, 0, 240, 320, nullptr, nullptr, module,
                                  nullptr),
                  nullptr);
        EXPECT_EQ(backend->asked, "open icon ");
        const platform::Surface& icon = backend->picture;
        ASSERT_EQ(icon.width, 32);
        ASSERT_EQ(icon.height, 32);
        EXPECT_EQ(icon.At(0, 0) >> 24, 0u);  // a round head: clear corners
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (!(icon.At(x, y) >> 24)) continue;  // opaque pixels as drawn
                ASSERT_EQ(icon.At(x, y), drawn.At(x, y) | 0xFF000000u) << x << ',' << y;
            }
        platform::Stop();
    }
}

}  // namespace
