// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// RIFF WAVE images as the platform reads them from memory, malformed ones included.
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

#include "tests/platform/formats/image_bytes.h"

namespace {

using namespace image_bytes;

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

}  // namespace
