// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Sound and bitmap images as the platform reads them from memory, malformed ones included, and
// the voice's IMA ADPCM as it decodes it, against sox's own decoder. Every image is read from a
// heap block of exactly its size, so that a read past its end shows under AddressSanitizer.
#include "platform/formats/wave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/formats/dib.h"
#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "platform/platform_state.h"
#include "shell/platform.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
// Little-endian numbers and four-character codes, as RIFF and DIB headers hold them.
const auto U16 = [](uint32_t v) { return Bytes{uint8_t(v), uint8_t(v >> 8)}; };
const auto U32 = [](uint32_t v) { return U16(v) + U16(v >> 16); };
const auto Id = [](const char* id) { return Bytes(id, id + 4); };

std::unique_ptr<uint8_t[]> Exact(const Bytes& b) {
    auto copy = std::make_unique<uint8_t[]>(b.size());
    std::copy(b.begin(), b.end(), copy.get());
    return copy;
}

// The chunk's header claims its real length unless told otherwise; odd bodies get a pad byte.
Bytes Chunk(const char* id, const Bytes& body, int64_t claimed = -1) {
    Bytes pad(body.size() % 2, 0xEE);
    return Id(id) + U32(claimed < 0 ? body.size() : claimed) + body + pad;
}
Bytes Fmt(unsigned tag, unsigned channels, uint32_t rate, unsigned bits) {
    unsigned align = channels * bits / 8;
    return Chunk("fmt ",
                 U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits));
}
Bytes Riff(const Bytes& chunks, int64_t riffSize = -1) {
    return Id("RIFF") + U32(riffSize < 0 ? chunks.size() + 4 : riffSize) + Id("WAVE") + chunks;
}

const Bytes kSamples{0x80, 0x90, 0xA0, 0xB0, 0xC0};
const Bytes kData = Chunk("data", kSamples), kFmt = Fmt(1, 1, 11025, 8);

// What the parser makes of the image: rate, depth, sample bytes and where they start.
std::string Read(const Bytes& image) {
    auto exact = Exact(image);
    platform::Sound s;
    if (!platform::ParseWave(exact.get(), image.size(), s)) return "refused";
    return std::to_string(s.sampleRate) + ' ' + std::to_string(s.bitsPerSample) + ' ' +
           std::to_string(s.dataBytes) + " at " + std::to_string(s.data - exact.get());
}

TEST(ParseWaveTest, ReadsMonoPcmPassingOverUnknownAndOddSizedChunks) {
    // The samples follow 12 bytes of RIFF header, 12 of odd LIST and its pad, 24 of format,
    // 10 of junk and the data's own 8-byte header.
    EXPECT_EQ(Read(Riff(Chunk("LIST", {'I', 'N', 'F'}) + kFmt + Chunk("junk", {1}) + kData)),
              "11025 8 5 at 66");
    EXPECT_EQ(Read(Riff(Fmt(1, 1, 22050, 16) + kData)), "22050 16 4 at 44");  // no half sample
    EXPECT_EQ(Read(Riff(kFmt + kData, 5000)), "11025 8 5 at 44");  // the RIFF beyond the buffer
}

TEST(ParseWaveTest, RefusesTruncatedOrLyingImagesAndAllButMonoPcmOfEightOrSixteenBits) {
    Bytes whole = Riff(kFmt + kData);
    for (size_t cut = 0; cut + 1 < whole.size(); ++cut)
        EXPECT_EQ(Read(Bytes(whole.begin(), whole.begin() + cut)), "refused") << cut;
    const Bytes refused[] = {
        // Chunks claiming more than is there, even with the RIFF size agreeing; a format too
        // short to be one; a RIFF size that ends before the data.
        Riff(kFmt + Chunk("data", kSamples, 1000)),
        Riff(kFmt + Chunk("data", kSamples, 1000), 1030),
        Riff(Chunk("LIST", {0, 0}, 0xFFFFFFF0u) + kFmt + kData),
        Riff(kData + Chunk("fmt ", {1, 0, 1, 0, 0x11, 0x2B, 0, 0})), Riff(kFmt + kData, 28),
        // Stereo, float, Microsoft's ADPCM, 24 bits, no rate, no data, no format, not a WAVE.
        Riff(Fmt(1, 2, 11025, 8) + kData), Riff(Fmt(3, 1, 11025, 32) + kData),
        Riff(Fmt(2, 1, 11025, 8) + kData), Riff(Fmt(1, 1, 11025, 24) + kData),
        Riff(Fmt(1, 1, 0, 8) + kData), Riff(kFmt + Chunk("LIST", kSamples)), Riff(kData),
        Id("RIFF") + U32(4 + kFmt.size() + kData.size()) + Id("AVI ") + kFmt + kData};
    for (const Bytes& image : refused) EXPECT_EQ(Read(image), "refused") << &image - refused;
    platform::Sound s;
    EXPECT_FALSE(platform::ParseWave(nullptr, 100, s));
}

// IMA ADPCM, mono at 16 kHz: its format's extension holds the samples a block.
Bytes AdpcmFmt(unsigned align, unsigned perBlock, unsigned bits = 4, unsigned channels = 1) {
    return Chunk("fmt ", U16(0x11) + U16(channels) + U32(16000) + U32(8000) + U16(align) +
                             U16(bits) + U16(2) + U16(perBlock));
}
const Bytes kTwoBlocks = Chunk("data", Bytes(16, 0));  // of 8 bytes, 9 samples each

// How many samples the parser counts in the image.
std::string Count(const Bytes& image) {
    auto exact = Exact(image);
    platform::Sound s;
    if (!platform::ParseWave(exact.get(), image.size(), s)) return "refused";
    return std::to_string(s.adpcm.sampleCount) + " of " + std::to_string(s.adpcm.blockAlign);
}

TEST(ParseWaveTest, TakesImaAdpcmInWholeBlocksThatAgreeWithTheirCount) {
    // The fact chunk says how many of the blocks' samples count; without it, all of them.
    EXPECT_EQ(Count(Riff(AdpcmFmt(8, 9) + Chunk("fact", U32(15)) + kTwoBlocks)), "15 of 8");
    EXPECT_EQ(Count(Riff(AdpcmFmt(8, 9) + kTwoBlocks)), "18 of 8");
    const Bytes refused[] = {
        // Blocks with no room for a sample after the header, or whose samples a block do not
        // follow from their size.
        Riff(AdpcmFmt(4, 1) + kTwoBlocks), Riff(AdpcmFmt(8, 10) + kTwoBlocks),
        Riff(AdpcmFmt(0, 1) + kTwoBlocks),
        // Data ending inside a block, no data, more samples counted than the blocks hold, none.
        Riff(AdpcmFmt(8, 9) + Chunk("data", Bytes(12, 0))),
        Riff(AdpcmFmt(8, 9) + Chunk("data", {})),
        Riff(AdpcmFmt(8, 9) + Chunk("fact", U32(19)) + kTwoBlocks),
        Riff(AdpcmFmt(8, 9) + Chunk("fact", U32(0)) + kTwoBlocks),
        // Three bits a sample, stereo, a format without its extension.
        Riff(AdpcmFmt(8, 9, 3) + kTwoBlocks), Riff(AdpcmFmt(8, 9, 4, 2) + kTwoBlocks),
        Riff(Chunk("fmt ", U16(0x11) + U16(1) + U32(16000) + U32(8000) + U16(8) + U16(4)) +
             kTwoBlocks)};
    for (const Bytes& image : refused) EXPECT_EQ(Count(image), "refused") << &image - refused;
}

// An ADPCM block of 36 bytes, 65 samples: its first sample, its step index, 32 bytes of nibbles.
Bytes Block(int16_t first, uint8_t index, uint8_t nibbles) {
    Bytes b = U16(uint16_t(first)) + Bytes{index, 0};
    b.resize(36, nibbles);
    return b;
}
Bytes AdpcmImage(const std::vector<Bytes>& blocks) {
    Bytes data;
    for (const Bytes& b : blocks) data = data + b;
    return Riff(AdpcmFmt(36, 65) + Chunk("fact", U32(65 * blocks.size())) + Chunk("data", data));
}

Bytes Resource(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    auto* data = r ? static_cast<const uint8_t*>(LoadResource(module, r)) : nullptr;
    return data ? Bytes(data, data + SizeofResource(module, r)) : Bytes{};
}

std::vector<int16_t> Decode(const Bytes& image) {
    auto exact = Exact(image);
    platform::Sound s;
    std::vector<int16_t> samples;
    EXPECT_TRUE(platform::ParseWave(exact.get(), image.size(), s) && s.bitsPerSample == 4 &&
                platform::DecodeImaAdpcm(s, samples));
    return samples;
}

// What sox's own decoder makes of the image.
std::vector<int16_t> SoxDecode(const Bytes& image) {
    std::string path = testing::TempDir() + "quillby-adpcm.wav";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    std::string command = "sox -t wav '" + path + "' -t raw -e signed -b 16 -L - 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<int16_t> samples;
    unsigned char pair[2];
    while (pipe && std::fread(pair, 1, 2, pipe.get()) == 2)
        samples.push_back(int16_t(pair[0] | pair[1] << 8));
    std::remove(path.c_str());
    return samples;
}

TEST(ImaAdpcmTest, DecodesEveryClipAndTheCodersExtremesAsSoxDoes) {
    std::vector<Bytes> images;
    for (int base : {1400, 1500, 1600, 1700})
        for (int i = 0; i < 26; ++i) images.push_back(Resource(base + i));
    // Steps climbing to the largest index and samples held at full scale, both ways; a swing at
    // the largest step; the smallest steps round a silent start.
    images.push_back(AdpcmImage({Block(32000, 0, 0x77), Block(-32768, 88, 0xFF), Block(0, 88, 0x87),
                                 Block(-5, 0, 0x18), Block(0, 40, 0x00)}));
    for (const Bytes& image : images) {
        SCOPED_TRACE(&image - images.data());
        std::vector<int16_t> ours = Decode(image);
        EXPECT_GE(ours.size(), 5u * 65);
        EXPECT_EQ(ours, SoxDecode(image));
    }
}

// A headless backend that keeps what it is asked to play, and logs nothing.
std::ostream nowhere(nullptr);
class RecordingBackend : public platform::HeadlessBackend {
  public:
    RecordingBackend() : HeadlessBackend({}, nowhere) {}
    void StartSound(const platform::Sound& sound) override { played.push_back(sound); }
    std::vector<platform::Sound> played;
};

TEST(ImaAdpcmTest, BackendsAreHandedPcmDecodedOnceARun) {
    Bytes clip = Resource(1400), broken = AdpcmImage({Block(0, 0, 0x11), Block(0, 89, 0x11)});
    std::vector<int16_t> expected = Decode(clip);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        auto owned = std::make_unique<RecordingBackend>();
        RecordingBackend* backend = owned.get();
        platform::Start(std::move(owned));
        auto play = [](const Bytes& image) {
            return sndPlaySoundW(reinterpret_cast<LPCWSTR>(image.data()), SND_ASYNC | SND_MEMORY);
        };
        EXPECT_EQ(platform::State().sounds.Count(), 0u);
        ASSERT_TRUE(play(clip) && play(clip));
        ASSERT_EQ(backend->played.size(), 2u);
        const platform::Sound& first = backend->played[0];
        EXPECT_TRUE(first.sampleRate == 16000 && first.bitsPerSample == 16);
        ASSERT_EQ(first.dataBytes, expected.size() * 2);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                               reinterpret_cast<const int16_t*>(first.data)));
        EXPECT_EQ(backend->played[1].data, first.data);
        // A block whose step index lies past the table: not played, nothing kept.
        EXPECT_FALSE(play(broken));
        EXPECT_EQ(backend->played.size(), 2u);
        EXPECT_EQ(platform::State().sounds.Count(), 1u);
        platform::Stop();
    }
}

// A device-independent bitmap as a resource holds it: BITMAPINFOHEADER (one plane, BI_RGB,
// 72 dpi, all colours important), palette, pixel rows padded to four bytes, the bottom row
// first unless the height is negative.
Bytes Dib(int width, int height, int bits, uint32_t colours, const Bytes& palette,
          const Bytes& rows) {
    return U32(40) + U32(width) + U32(height) + U16(1) + U16(bits) + U32(0) + U32(rows.size()) +
           U32(2835) + U32(2835) + U32(colours) + U32(0) + palette + rows;
}

std::optional<std::vector<COLORREF>> DecodeBitmap(const Bytes& dib) {
    platform::Surface s;
    if (!platform::DecodeDib(Exact(dib).get(), dib.size(), s)) return std::nullopt;
    return s.pixels;
}

const Bytes kPalette{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // blue-green-red-reserved
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
// 3x2, four bits: the file's first row (blue green red) is the picture's bottom row.
const Bytes kFourBitRows{0x21, 0x00, 0x00, 0x00, 0x01, 0x20, 0x00, 0x00};

TEST(DecodeDibTest, ReadsRowsInTheirOrderAndRefusesWhatItCannotReadWhole) {
    using Pixels = std::vector<COLORREF>;
    EXPECT_EQ(DecodeBitmap(Dib(3, 2, 4, 3, kPalette, kFourBitRows)),
              (Pixels{kRed, kGreen, kBlue, kBlue, kGreen, kRed}));
    EXPECT_EQ(DecodeBitmap(Dib(3, -2, 4, 3, kPalette, kFourBitRows)),  // top-down
              (Pixels{kBlue, kGreen, kRed, kRed, kGreen, kBlue}));
    // 2x2, rows of six bytes padded to eight; bottom row grey and red, top row blue and green.
    // A true-colour DIB may carry a colour table, for palette devices; the pixels follow it.
    const Bytes rows{0x40, 0x40, 0x40, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    for (uint32_t colours : {0, 3})
        EXPECT_EQ(DecodeBitmap(Dib(2, 2, 24, colours, colours ? kPalette : Bytes{}, rows)),
                  (Pixels{kBlue, kGreen, RGB(0x40, 0x40, 0x40), kRed}));

    Bytes good = Dib(3, 2, 4, 3, kPalette, kFourBitRows);
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(DecodeBitmap(Bytes(good.begin(), good.begin() + cut))) << cut;
    // More colours than four bits index, colour tables reaching far past the end, no width.
    EXPECT_FALSE(DecodeBitmap(Dib(3, 2, 4, 17, Bytes(17 * 4, 0), kFourBitRows)));
    EXPECT_FALSE(DecodeBitmap(Dib(3, 2, 8, 0x40000000u, kPalette, kFourBitRows)));
    EXPECT_FALSE(DecodeBitmap(Dib(2, 2, 24, 0xFFFFFFFFu, {}, Bytes(16, 0))));
    EXPECT_FALSE(DecodeBitmap(Dib(0, 2, 4, 3, kPalette, kFourBitRows)));
}

}  // namespace
