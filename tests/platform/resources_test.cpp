// The resources compiled into the program, checked against what the game expects of them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sound.h"
#include "tests/support/headless_fixture.h"

namespace {

struct Picture {
    int id, width, height, bits;
};

// Letter i's pictures 500 + i, 600 + i and 700 + i: width, height, bits per pixel.
constexpr int kLetterPictures[26][3][3] = {
    {{43, 60, 4}, {60, 35, 4}, {56, 60, 4}},   // A
    {{50, 57, 4}, {60, 52, 4}, {60, 48, 4}},   // B
    {{50, 61, 4}, {60, 31, 4}, {43, 60, 4}},   // C
    {{43, 60, 4}, {60, 55, 4}, {49, 60, 4}},   // D
    {{60, 45, 4}, {60, 55, 4}, {59, 60, 24}},  // E
    {{60, 60, 4}, {60, 60, 4}, {60, 55, 4}},   // F
    {{60, 55, 4}, {44, 60, 4}, {56, 60, 4}},   // G
    {{60, 43, 4}, {60, 54, 4}, {60, 55, 4}},   // H
    {{60, 33, 4}, {60, 48, 4}, {60, 56, 4}},   // I
    {{44, 60, 8}, {60, 57, 4}, {60, 59, 4}},   // J
    {{37, 60, 4}, {56, 60, 4}, {60, 41, 4}},   // K
    {{44, 51, 4}, {46, 60, 4}, {46, 60, 4}},   // L
    {{56, 60, 4}, {60, 50, 4}, {60, 41, 4}},   // M
    {{43, 60, 4}, {60, 23, 4}, {47, 60, 4}},   // N
    {{60, 60, 4}, {42, 60, 4}, {60, 57, 4}},   // O
    {{60, 48, 4}, {42, 60, 4}, {56, 60, 4}},   // P
    {{60, 60, 4}, {60, 60, 4}, {41, 60, 4}},   // Q
    {{56, 60, 4}, {58, 37, 8}, {60, 49, 4}},   // R
    {{60, 56, 4}, {60, 55, 4}, {60, 55, 4}},   // S
    {{60, 43, 4}, {44, 60, 4}, {50, 60, 4}},   // T
    {{60, 53, 4}, {53, 60, 4}, {60, 59, 4}},   // U
    {{41, 60, 4}, {63, 44, 4}, {60, 46, 4}},   // V
    {{59, 60, 4}, {60, 36, 4}, {60, 30, 4}},   // W
    {{60, 50, 4}, {60, 37, 4}, {60, 50, 4}},   // X
    {{59, 60, 4}, {43, 43, 4}, {60, 54, 4}},   // Y
    {{60, 56, 4}, {60, 60, 4}, {53, 60, 4}},   // Z
};

// Then the screens and strips: 176/177 hold two 60-wide halves, 178 two 60-wide frames and
// 179 four 100-wide frames.
std::vector<Picture> AllPictures() {
    std::vector<Picture> all{{175, 240, 320, 4}, {181, 240, 320, 4}, {176, 120, 45, 4},
                             {177, 120, 45, 4},  {178, 120, 20, 4},  {179, 400, 100, 4},
                             {182, 20, 20, 4}};
    for (int i = 0; i < 26; ++i)
        for (int k = 0; k < 3; ++k) {
            const int* p = kLetterPictures[i][k];
            all.push_back({500 + 100 * k + i, p[0], p[1], p[2]});
        }
    return all;
}

// Pictures drawn edge to edge: nothing in them is see-through.
bool Opaque(int id) {
    for (int o : {504, 509, 523, 708, 716, 723, 182})
        if (id == o) return true;
    return false;
}

HMODULE Module() {
    return GetModuleHandleW(nullptr);
}

uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

class ResourcesTest : public HeadlessTest {};

TEST_F(ResourcesTest, FindsByNumberAndTypeTheTypeNameInAnyCase) {
    for (int id : {900, 901})
        EXPECT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_RCDATA), nullptr) << id;
    EXPECT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(101), RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(20000), L"wave"), nullptr);
    EXPECT_EQ(FindResourceW(Module(), MAKEINTRESOURCEW(20000), RT_BITMAP), nullptr);
    EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(180)), nullptr);
}

TEST_F(ResourcesTest, EachBitmapHasItsSizeAndDepthInItsHeader) {
    for (const Picture& p : AllPictures()) {
        SCOPED_TRACE(p.id);
        HRSRC r = FindResourceW(Module(), MAKEINTRESOURCEW(p.id), RT_BITMAP);
        ASSERT_NE(r, nullptr);
        auto* dib = static_cast<const uint8_t*>(LockResource(LoadResource(Module(), r)));
        DWORD size = SizeofResource(Module(), r);
        ASSERT_GE(size, 40u);
        EXPECT_EQ(U32(dib), 40u);  // no file header: BITMAPINFOHEADER first
        EXPECT_EQ(int32_t(U32(dib + 4)), p.width);
        EXPECT_EQ(int32_t(U32(dib + 8)), p.height);  // positive: bottom-up
        EXPECT_EQ(dib[14] | dib[15] << 8, p.bits);
        size_t palette = p.bits <= 8 ? (size_t(1) << p.bits) * 4 : 0;
        size_t stride = (size_t(p.width) * p.bits + 31) / 32 * 4;
        EXPECT_EQ(size, 40 + palette + stride * p.height);
        if (p.id >= 500) {
            EXPECT_LE(p.width, 63);
            EXPECT_LE(p.height, 61);
        }
    }
}

TEST_F(ResourcesTest, LetterPicturesShowTheirBackgroundThroughTheKeyColour) {
    constexpr COLORREF kKey = RGB(246, 140, 197);
    for (const Picture& p : AllPictures()) {
        if (p.id < 500 && p.id != 182) continue;
        SCOPED_TRACE(p.id);
        HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(p.id));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_TRUE(info.bmWidth == p.width && info.bmHeight == p.height);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        ColourSurface copy(window, p.width, p.height, RGB(1, 2, 3));
        BitBlt(copy.dc, 0, 0, p.width, p.height, dc, 0, 0, SRCCOPY);
        int keyed = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) keyed += copy.Get(x, y) == kKey;
        if (Opaque(p.id))
            EXPECT_EQ(keyed, 0);
        else
            EXPECT_GT(keyed, 0);
        EXPECT_LT(keyed, p.width * p.height);  // something is drawn
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST_F(ResourcesTest, EachSoundIsMonoPcmOfItsRateDepthAndLength) {
    struct Expected {
        int id;
        uint32_t rate;
        int bits;
        size_t bytes;
    } sounds[] = {{20000, 11025, 16, 514},
                  {20002, 22050, 8, 37251},
                  {20003, 22050, 16, 3724},
                  {20006, 11025, 8, 18996},
                  {20007, 22050, 8, 1576}};
    int withList = 0;
    for (const Expected& e : sounds) {
        SCOPED_TRACE(e.id);
        HRSRC r = FindResourceW(Module(), MAKEINTRESOURCEW(e.id), L"WAVE");
        ASSERT_NE(r, nullptr);
        auto* image = static_cast<const uint8_t*>(LoadResource(Module(), r));
        size_t size = SizeofResource(Module(), r);
        platform::Sound sound;
        ASSERT_TRUE(platform::ParseWave(image, size, sound));
        EXPECT_TRUE(sound.sampleRate == e.rate && sound.bitsPerSample == e.bits);
        EXPECT_EQ(sound.dataBytes, e.bytes);
        EXPECT_TRUE(sound.data > image && sound.data + sound.dataBytes <= image + size);
        for (size_t at = 12; at + 8 <= size; at += 8 + ((U32(image + at + 4) + 1) & ~1u))
            if (!std::memcmp(image + at, "LIST", 4)) {
                ++withList;
                break;
            }
    }
    // The credits travel inside the files: players pass over chunks they do not know.
    EXPECT_GE(withList, 2);
}

TEST_F(ResourcesTest, StringsLoadWholeOrCutToTheBuffer) {
    WCHAR buffer[20];
    struct Expected {
        UINT id;
        const WCHAR* text;
    } strings[] = {{1, L"Quillby"}, {3, L"FIRST"}, {305, L"v. 1.1"}, {306, L"2025\u20132026"}};
    for (const Expected& s : strings) {
        EXPECT_EQ(LoadStringW(nullptr, s.id, buffer, 20), int(std::wcslen(s.text)));
        EXPECT_STREQ(buffer, s.text);
    }

    EXPECT_EQ(LoadStringW(nullptr, 1, buffer, 3), 2);
    EXPECT_STREQ(buffer, L"Qu");
    // Whatever the buffer, at most one less than it is kept, the terminator follows and
    // nothing beyond the buffer is touched.
    for (int n = 1; n <= 11; ++n) {
        std::wmemset(buffer, L'#', 20);
        int kept = LoadStringW(nullptr, 306, buffer, n);
        EXPECT_EQ(kept, std::min(n - 1, 9)) << n;
        EXPECT_EQ(buffer[kept], L'\0') << n;
        EXPECT_EQ(buffer[n], L'#') << n;
    }

    buffer[0] = L'x';
    EXPECT_EQ(LoadStringW(nullptr, 2, buffer, 20), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

}  // namespace
