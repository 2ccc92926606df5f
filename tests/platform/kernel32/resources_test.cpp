// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The resources compiled into the program, checked against what the game expects of them.
// (That each of the five sounds is one the platform plays, the session logs show: a sound it
// refused would be logged nowhere.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/formats/dib.h"
#include "tests/platform/headless_fixture.h"

namespace {

// Width and height of letter i's pictures 500 + i, 600 + i and 700 + i.
constexpr int kLetterSizes[26][6] = {
    {43, 60, 60, 35, 56, 60}, {50, 57, 60, 52, 60, 48}, {50, 61, 60, 31, 43, 60},  // ABC
    {43, 60, 60, 55, 49, 60}, {60, 45, 60, 55, 59, 60}, {60, 60, 60, 60, 60, 55},  // DEF
    {60, 55, 44, 60, 56, 60}, {60, 43, 60, 54, 60, 55}, {60, 33, 60, 48, 60, 56},  // GHI
    {44, 60, 60, 57, 60, 59}, {37, 60, 56, 60, 60, 41}, {44, 51, 46, 60, 46, 60},  // JKL
    {56, 60, 60, 50, 60, 41}, {43, 60, 60, 23, 47, 60}, {60, 60, 42, 60, 60, 57},  // MNO
    {60, 48, 42, 60, 56, 60}, {60, 60, 60, 60, 41, 60}, {56, 60, 58, 37, 60, 49},  // PQR
    {60, 56, 60, 55, 60, 55}, {60, 43, 44, 60, 50, 60}, {60, 53, 53, 60, 60, 59},  // STU
    {41, 60, 63, 44, 60, 46}, {59, 60, 60, 36, 60, 30}, {60, 50, 60, 37, 60, 50},  // VWX
    {59, 60, 43, 43, 60, 54}, {60, 56, 60, 60, 53, 60},                            // YZ
};

// The resource's bytes; none when there is no such resource.
std::span<const uint8_t> Resource(int id, LPCWSTR type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!r) return {};
    return {static_cast<const uint8_t*>(LoadResource(module, r)), SizeofResource(module, r)};
}

class ResourcesTest : public HeadlessTest {};

TEST_F(ResourcesTest, EachBitmapHasItsSizeDepthAndKeyColour) {
    // Screens and strips: 176/177 hold two 60-wide halves, 178 two 60-wide frames and 179 four
    // 100-wide frames. Then the letters' pictures.
    std::vector<std::array<int, 3>> pictures{{175, 240, 320}, {181, 240, 320}, {176, 120, 45},
                                             {177, 120, 45},  {178, 120, 20},  {179, 400, 100},
                                             {182, 20, 20}};
    for (int i = 0; i < 26; ++i)
        for (int k = 0; k < 3; ++k)
            pictures.push_back(
                {500 + 100 * k + i, kLetterSizes[i][2 * k], kLetterSizes[i][2 * k + 1]});
    EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(180)), nullptr);
    for (auto [id, width, height] : pictures) {
        SCOPED_TRACE(id);
        int bits = id == 704 ? 24 : id == 509 || id == 617 ? 8 : 4;
        auto dib = Resource(id, RT_BITMAP);
        // The header, a full palette below 24 bits and rows padded to four bytes: the size
        // tells the depth.
        size_t palette = bits <= 8 ? size_t(4) << bits : 0;
        size_t stride = (size_t(width) * bits + 31) / 32 * 4;
        ASSERT_EQ(dib.size(), 40 + palette + stride * height);
        platform::Surface s;
        ASSERT_TRUE(platform::DecodeDib(dib.data(), dib.size(), s));
        EXPECT_TRUE(s.width == width && s.height == height);
        // Letter pictures show their background through the key colour, but those drawn edge
        // to edge, as 182 is.
        if (id < 500 && id != 182) continue;
        bool opaque =
            id == 182 || id == 504 || id == 509 || id == 523 || id == 708 || id == 716 || id == 723;
        auto keyed = std::count(s.pixels.begin(), s.pixels.end(), RGB(246, 140, 197));
        EXPECT_EQ(keyed == 0, opaque);
        EXPECT_LT(size_t(keyed), s.pixels.size());  // something is drawn
    }
}

// A named type is matched as Win32 matches it, in any case; a number never matches a name.
TEST_F(ResourcesTest, SoundsAreFoundUnderTheirTypeNamedInAnyCase) {
    for (int id : {20000, 20002, 20003, 20006, 20007}) {
        SCOPED_TRACE(id);
        auto wave = Resource(id, L"WAVE");
        ASSERT_GE(wave.size(), 12u);
        EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
        for (LPCWSTR type : {L"wave", L"Wave", L"wAvE"}) {
            auto same = Resource(id, type);
            EXPECT_TRUE(same.data() == wave.data() && same.size() == wave.size());
        }
        const LPCWSTR others[] = {L"WAV", L"WAVES", L"", RT_BITMAP};
        for (LPCWSTR type : others) EXPECT_TRUE(Resource(id, type).empty());
    }
}

TEST_F(ResourcesTest, StringsLoadWholeOrCutToTheBuffer) {
    // Whatever the buffer, at most one less than it holds is kept, the terminator follows and
    // nothing beyond the buffer is touched. There is no string 2: it loads empty.
    const std::pair<UINT, std::wstring> strings[] = {
        {1, L"Quillby"}, {2, L""}, {3, L"FIRST"}, {305, L"v. 1.1"}, {306, L"2025\u20132026"}};
    for (const auto& [id, text] : strings)
        for (int n = 1; n < 20; ++n) {
            WCHAR buffer[20];
            std::wmemset(buffer, L'#', 20);
            int kept = LoadStringW(nullptr, id, buffer, n);
            ASSERT_EQ(kept, std::min(n - 1, int(text.size()))) << id << ' ' << n;
            EXPECT_EQ(std::wstring(buffer, kept + 1), text.substr(0, kept) + L'\0') << id;
            EXPECT_EQ(buffer[n], L'#') << id << ' ' << n;
        }
}

// The page hands the program its voice at run time: found and played as the program's own
// resources are, never in place of one, and gone with the platform.
TEST_F(ResourcesTest, AWaveAddedAtRunTimeIsFoundAndPlayedByItsNumberUntilTheNextStart) {
    std::span<const uint8_t> compiled = Resource(20000, L"WAVE");
    std::vector<uint8_t> click(compiled.begin(), compiled.end());
    platform::AddWaveResource(1999, click.data(), click.size());
    platform::AddWaveResource(20002, click.data(), click.size());
    EXPECT_EQ(Resource(1999, L"wave").size(), click.size());
    EXPECT_NE(Resource(20002, L"WAVE").data(), click.data());
    EXPECT_TRUE(Resource(1999, RT_RCDATA).empty());
    EXPECT_TRUE(sndPlaySoundW(reinterpret_cast<LPCWSTR>(Resource(1999, L"WAVE").data()),
                              SND_ASYNC | SND_MEMORY));
    EXPECT_NE(log.str().find(" sound 1999\n"), std::string::npos) << log.str();
    Restart({});
    EXPECT_TRUE(Resource(1999, L"WAVE").empty());
}

}  // namespace
