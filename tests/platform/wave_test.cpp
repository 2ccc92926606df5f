// Sound and bitmap images as the platform reads them from memory, malformed ones included.
// Every image sits in a heap block of exactly its size, so that a read past its end shows
// under AddressSanitizer.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/dib.h"
#include "platform/sound.h"
#include "tests/support/headless_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutU16(Bytes& b, unsigned v) {
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void PutU32(Bytes& b, uint32_t v) {
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// A copy in a block of exactly the image's size.
struct Exact {
    explicit Exact(const Bytes& b) : size(b.size()), data(new uint8_t[b.size()]) {
        if (size) std::memcpy(data.get(), b.data(), size);
    }
    size_t size;
    std::unique_ptr<uint8_t[]> data;
};

// A RIFF WAVE image put together chunk by chunk.
struct Wave {
    Bytes bytes;
    Wave() {
        const char header[] = "RIFF\0\0\0\0WAVE";
        bytes.assign(header, header + 12);
    }

    // `claimed` replaces the body's real length in the chunk header; odd bodies get a pad byte.
    Wave& Chunk(const char* id, const Bytes& body, int64_t claimed = -1) {
        bytes.insert(bytes.end(), id, id + 4);
        PutU32(bytes, claimed < 0 ? uint32_t(body.size()) : uint32_t(claimed));
        bytes.insert(bytes.end(), body.begin(), body.end());
        if (body.size() % 2) bytes.push_back(0xEE);
        return *this;
    }
    Wave& Format(unsigned tag, unsigned channels, uint32_t rate, unsigned bits) {
        Bytes f;
        PutU16(f, tag);
        PutU16(f, channels);
        PutU32(f, rate);
        PutU32(f, rate * channels * bits / 8);
        PutU16(f, channels * bits / 8);
        PutU16(f, bits);
        return Chunk("fmt ", f);
    }
    // The RIFF size is the real one unless given.
    Bytes Done(int64_t riffSize = -1) {
        Bytes out = bytes;
        uint32_t v = riffSize < 0 ? uint32_t(out.size() - 8) : uint32_t(riffSize);
        for (int i = 0; i < 4; ++i) out[4 + i] = uint8_t(v >> (8 * i));
        return out;
    }
};

const Bytes kSamples{0x80, 0x90, 0xA0, 0xB0, 0xC0};

bool Parse(const Bytes& image, platform::Sound& out) {
    Exact exact(image);
    return platform::ParseWave(exact.data.get(), exact.size, out);
}

bool Parse(const Bytes& image) {
    platform::Sound ignored;
    return Parse(image, ignored);
}

TEST(ParseWaveTest, ReadsMonoPcmPassingOverUnknownAndOddSizedChunks) {
    Bytes image = Wave()
                      .Chunk("LIST", {'I', 'N', 'F'})  // odd: a pad byte follows
                      .Format(1, 1, 11025, 8)
                      .Chunk("junk", {1})
                      .Chunk("data", kSamples)
                      .Done();
    Exact exact(image);
    platform::Sound s;
    ASSERT_TRUE(platform::ParseWave(exact.data.get(), exact.size, s));
    EXPECT_EQ(s.sampleRate, 11025u);
    EXPECT_EQ(s.bitsPerSample, 8);
    ASSERT_EQ(s.dataBytes, 5u);
    EXPECT_EQ(std::memcmp(s.data, kSamples.data(), 5), 0);
    EXPECT_EQ(s.data, exact.data.get() + image.size() - 6);  // before the data's own pad byte

    // Sixteen-bit sound never hands a player half a sample.
    ASSERT_TRUE(Parse(Wave().Format(1, 1, 22050, 16).Chunk("data", kSamples).Done(), s));
    EXPECT_EQ(s.bitsPerSample, 16);
    EXPECT_EQ(s.dataBytes, 4u);
}

TEST(ParseWaveTest, RefusesTruncatedImagesWithoutReadingPastThem) {
    Bytes whole = Wave().Format(1, 1, 11025, 8).Chunk("data", kSamples).Done();
    ASSERT_TRUE(Parse(whole));
    platform::Sound s;
    EXPECT_FALSE(platform::ParseWave(nullptr, 100, s));
    // Cut anywhere before the data's last byte, the image is refused: the header, the format
    // or the data chunk is incomplete.
    for (size_t cut = 0; cut + 1 < whole.size(); ++cut)
        EXPECT_FALSE(Parse(Bytes(whole.begin(), whole.begin() + cut))) << cut;
}

TEST(ParseWaveTest, RefusesAChunkClaimingMoreThanIsThere) {
    EXPECT_FALSE(Parse(Wave().Format(1, 1, 11025, 8).Chunk("data", kSamples, 1000).Done()));
    // Even when the RIFF size agrees with the chunk.
    EXPECT_FALSE(Parse(Wave().Format(1, 1, 11025, 8).Chunk("data", kSamples, 1000).Done(1030)));
    // A chunk passed over may not claim the impossible either, however large the claim.
    EXPECT_FALSE(Parse(Wave().Chunk("LIST", {0, 0}, 0xFFFFFFF0u).Format(1, 1, 11025, 8).Done()));
    // A format chunk too short to hold a format, at the very end of the image.
    EXPECT_FALSE(
        Parse(Wave().Chunk("data", kSamples).Chunk("fmt ", {1, 0, 1, 0, 0x11, 0x2B, 0, 0}).Done()));
}

TEST(ParseWaveTest, TheImageEndsAtTheBufferOrTheRiffSizeWhicheverComesFirst) {
    Wave wave;
    wave.Format(1, 1, 11025, 8).Chunk("data", kSamples);
    platform::Sound s;
    // A RIFF size larger than the buffer: what the buffer holds is still a whole sound.
    EXPECT_TRUE(Parse(wave.Done(5000), s));
    EXPECT_EQ(s.dataBytes, 5u);
    // A RIFF size that ends before the data chunk: bytes beyond it are not part of the image.
    EXPECT_FALSE(Parse(wave.Done(4 + 8 + 16)));
}

TEST(ParseWaveTest, AcceptsOnlyMonoPcmOfEightOrSixteenBitsWithData) {
    EXPECT_FALSE(Parse(Wave().Format(1, 2, 11025, 8).Chunk("data", kSamples).Done()));
    EXPECT_FALSE(Parse(Wave().Format(3, 1, 11025, 32).Chunk("data", kSamples).Done()));
    EXPECT_FALSE(Parse(Wave().Format(2, 1, 11025, 8).Chunk("data", kSamples).Done()));
    EXPECT_FALSE(Parse(Wave().Format(1, 1, 11025, 24).Chunk("data", kSamples).Done()));
    EXPECT_FALSE(Parse(Wave().Format(1, 1, 0, 8).Chunk("data", kSamples).Done()));
    EXPECT_FALSE(Parse(Wave().Format(1, 1, 11025, 8).Chunk("LIST", kSamples).Done()));
    EXPECT_FALSE(Parse(Wave().Chunk("data", kSamples).Done()));
    Bytes notWave = Wave().Format(1, 1, 11025, 8).Chunk("data", kSamples).Done();
    std::memcpy(&notWave[8], "AVI ", 4);
    EXPECT_FALSE(Parse(notWave));
}

class PlaySoundTest : public HeadlessTest {};

TEST_F(PlaySoundTest, PlaysResourcesByIdAndRefusesMalformedImages) {
    HMODULE module = GetModuleHandleW(nullptr);
    HGLOBAL right = LoadResource(module, FindResourceW(module, MAKEINTRESOURCEW(20002), L"WAVE"));
    ASSERT_NE(right, nullptr);
    EXPECT_TRUE(sndPlaySoundW(static_cast<LPCWSTR>(right), SND_ASYNC | SND_MEMORY));
    EXPECT_EQ(log.str(), "0 sound 20002\n");

    log.str("");
    Exact stereo(Wave().Format(1, 2, 11025, 8).Chunk("data", kSamples).Done());
    EXPECT_FALSE(sndPlaySoundW(reinterpret_cast<LPCWSTR>(stereo.data.get()), SND_MEMORY));
    // The program plays sounds from memory only, never from a file name.
    EXPECT_FALSE(sndPlaySoundW(L"click.wav", SND_ASYNC));
    EXPECT_EQ(log.str(), "");

    Exact mine(Wave().Format(1, 1, 8000, 8).Chunk("data", kSamples).Done());
    EXPECT_TRUE(sndPlaySoundW(reinterpret_cast<LPCWSTR>(mine.data.get()), SND_MEMORY));
    EXPECT_EQ(log.str(), "0 sound 0\n");  // not a resource: no id
}

// A device-independent bitmap as a resource holds it: BITMAPINFOHEADER, palette, pixel rows
// padded to four bytes, the bottom row first unless the height is negative.
Bytes Dib(int width, int height, int bits, uint32_t coloursUsed, const Bytes& palette,
          const Bytes& rows) {
    Bytes b;
    for (uint32_t v : {40u, uint32_t(width), uint32_t(height)}) PutU32(b, v);
    PutU16(b, 1);
    PutU16(b, unsigned(bits));
    // BI_RGB, the pixels' size, 72 dpi both ways, the colours used, the colours important.
    for (uint32_t v : {0u, uint32_t(rows.size()), 2835u, 2835u, coloursUsed, 0u}) PutU32(b, v);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

bool Decode(const Bytes& dib, platform::Surface& out) {
    Exact exact(dib);
    return platform::DecodeDib(exact.data.get(), exact.size, out);
}

// Three colours, blue-green-red-reserved.
const Bytes kPalette{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// 3x2, four bits: the file's first row (blue green red) is the picture's bottom row.
const Bytes kFourBitRows{0x21, 0x00, 0x00, 0x00, 0x01, 0x20, 0x00, 0x00};

TEST(DecodeDibTest, FourBitsBottomUpPutsTheFilesLastRowOnTop) {
    platform::Surface s;
    ASSERT_TRUE(Decode(Dib(3, 2, 4, 3, kPalette, kFourBitRows), s));
    ASSERT_EQ(s.width, 3);
    ASSERT_EQ(s.height, 2);
    EXPECT_EQ(s.pixels, (std::vector<COLORREF>{kRed, kGreen, kBlue, kBlue, kGreen, kRed}));

    ASSERT_TRUE(Decode(Dib(3, -2, 4, 3, kPalette, kFourBitRows), s));  // top-down
    EXPECT_EQ(s.pixels, (std::vector<COLORREF>{kBlue, kGreen, kRed, kRed, kGreen, kBlue}));
}

TEST(DecodeDibTest, TwentyFourBitsSkipPaddingAndAnyColourTable) {
    // 2x2, rows of six bytes padded to eight; bottom row grey and red, top row blue and green.
    const Bytes rows{0x40, 0x40, 0x40, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    const std::vector<COLORREF> expected{kBlue, kGreen, RGB(0x40, 0x40, 0x40), kRed};
    platform::Surface s;
    ASSERT_TRUE(Decode(Dib(2, 2, 24, 0, {}, rows), s));
    EXPECT_EQ(s.pixels, expected);
    // A true-colour DIB may carry a colour table, for palette devices; the pixels follow it.
    ASSERT_TRUE(Decode(Dib(2, 2, 24, 3, kPalette, rows), s));
    EXPECT_EQ(s.pixels, expected);
}

TEST(DecodeDibTest, RefusesWhatItCannotReadWhole) {
    Bytes good = Dib(3, 2, 4, 3, kPalette, kFourBitRows);
    platform::Surface s;
    // The pixel array one byte short, and a palette cut off.
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.end() - 1), s));
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + 46), s));
    // More colours than four bits can index, and a count that would reach far past the image.
    EXPECT_FALSE(Decode(Dib(3, 2, 4, 17, Bytes(17 * 4, 0), kFourBitRows), s));
    EXPECT_FALSE(Decode(Dib(3, 2, 8, 0x40000000u, kPalette, kFourBitRows), s));
    EXPECT_FALSE(Decode(Dib(2, 2, 24, 0xFFFFFFFFu, {}, Bytes(16, 0)), s));
    // No width, a header shorter than BITMAPINFOHEADER.
    EXPECT_FALSE(Decode(Dib(0, 2, 4, 3, kPalette, kFourBitRows), s));
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + 39), s));
}

}  // namespace
