// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's icon as the icon reader reads it, damaged copies included, and the picture a
// window hands its host as its icon.
#include "platform/formats/ico.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/formats/bytes.h"
#include "platform/formats/png.h"
#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "shell/platform.h"
#include "tests/support/test_window.h"

namespace {

constexpr int kProgramIcon = 101;

TEST(IconTest, ADamagedIconIsRefusedNotReadPastItsEnd) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kProgramIcon), RT_GROUP_ICON);
    ASSERT_TRUE(resource);
    auto* ico = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
    size_t size = SizeofResource(module, resource);
    EXPECT_EQ(platform::IconPixels(ico, size, 16).size(), 16u * 16);
    EXPECT_TRUE(platform::IconPixels(ico, size, 48).empty());
    // The 16-pixel image is the file's last: one byte short, it is refused.
    EXPECT_TRUE(platform::IconPixels(ico, size - 1, 16).empty());

    // A bitmap whose own width differs from its entry's is refused, not read past its rows.
    size_t entry16 = 6 + 16, at = platform::ReadU32(ico + entry16 + 12);
    ASSERT_EQ(ico[entry16], 16);
    for (int32_t width : {1, 8, 15, 17, 32, -16}) {
        auto copy = std::make_unique<uint8_t[]>(size);
        std::memcpy(copy.get(), ico, size);
        std::memcpy(copy.get() + at + 4, &width, 4);
        EXPECT_TRUE(platform::IconPixels(copy.get(), size, 16).empty()) << width;
        EXPECT_EQ(platform::IconPixels(copy.get(), size, 32).size(), 32u * 32) << width;
    }
}

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

TEST(IconTest, AWindowShowsItsClassIconOrWithoutOneTheProgramsOwnAsDrawn) {
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
        ASSERT_NE(OpenTestWindow(L"ICON", DefWindowProcW, 0, classIcon), nullptr);
        EXPECT_EQ(backend->asked, "open icon ");
        const platform::Surface& icon = backend->picture;
        ASSERT_TRUE(icon.width == 32 && icon.height == 32);
        // A round head: clear corners, an opaque middle, and opaque pixels as drawn.
        EXPECT_EQ(icon.At(0, 0) >> 24, 0u);
        EXPECT_EQ(icon.At(16, 16) >> 24, 0xFFu);
        for (size_t i = 0; i < icon.pixels.size(); ++i) {
            uint32_t shown = icon.pixels[i];
            ASSERT_TRUE(!(shown >> 24) || shown == (drawn.pixels[i] | 0xFF000000u)) << i;
        }
        platform::Stop();
    }
}

}  // namespace
