// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The voice's clips are IMA ADPCM: the platform decodes them to the samples sox's own decoder
// gives, once a run, and hands the backends PCM.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/platform_state.h"
#include "platform/sound.h"
#include "shell/platform.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Samples = std::vector<int16_t>;

std::span<const uint8_t> Resource(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    if (!r) return {};
    return {static_cast<const uint8_t*>(LoadResource(module, r)), SizeofResource(module, r)};
}

// What sox makes of the image: its samples as signed 16-bit numbers.
Samples SoxDecode(std::span<const uint8_t> image) {
    std::string path = testing::TempDir() + "quillby-adpcm.wav";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    std::string command = "sox -t wav '" + path + "' -t raw -e signed -b 16 -L - 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    Samples out;
    unsigned char pair[2];
    while (pipe && std::fread(pair, 1, 2, pipe.get()) == 2)
        out.push_back(int16_t(pair[0] | pair[1] << 8));
    std::remove(path.c_str());
    return out;
}

Samples Decode(std::span<const uint8_t> image) {
    platform::Sound sound;
    Samples out;
    EXPECT_TRUE(platform::ParseWave(image.data(), image.size(), sound));
    EXPECT_EQ(sound.bitsPerSample, 4);
    EXPECT_TRUE(platform::DecodeImaAdpcm(sound, out));
    return out;
}

std::vector<int> ClipIds() {
    std::vector<int> ids;
    for (int base : {1400, 1500, 1600, 1700})
        for (int i = 0; i < 26; ++i) ids.push_back(base + i);
    return ids;
}

TEST(ImaAdpcmTest, EveryClipDecodesToTheSamplesSoxDecodes) {
    for (int id : ClipIds()) {
        SCOPED_TRACE(id);
        auto image = Resource(id);
        ASSERT_FALSE(image.empty());
        Samples ours = Decode(image);
        EXPECT_GT(ours.size(), 1600u);  // a tenth of a second at least
        EXPECT_EQ(ours, SoxDecode(image));
    }
}

// A mono IMA ADPCM image of 36-byte blocks (65 samples each), whose `fact` counts every sample.
Bytes AdpcmImage(const std::vector<Bytes>& blocks) {
    Bytes out;
    auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> 8 * i));
    };
    uint32_t dataBytes = uint32_t(36 * blocks.size());
    out = {'R', 'I', 'F', 'F'};
    put(4 + 28 + 12 + 8 + dataBytes, 4);
    for (char c : std::string("WAVEfmt ")) out.push_back(uint8_t(c));
    put(20, 4);
    for (uint32_t v : {0x11u, 1u}) put(v, 2);
    for (uint32_t v : {16000u, 16000u * 36 / 65}) put(v, 4);
    for (uint32_t v : {36u, 4u, 2u, 65u}) put(v, 2);
    for (char c : std::string("fact")) out.push_back(uint8_t(c));
    put(4, 4);
    put(uint32_t(65 * blocks.size()), 4);
    for (char c : std::string("data")) out.push_back(uint8_t(c));
    put(dataBytes, 4);
    for (const Bytes& b : blocks) out.insert(out.end(), b.begin(), b.end());
    return out;
}

// A block: its first sample, its step index, and 32 bytes of nibbles.
Bytes Block(int16_t first, uint8_t index, uint8_t nibbles) {
    Bytes b{uint8_t(first), uint8_t(uint16_t(first) >> 8), index, 0};
    b.resize(36, nibbles);
    return b;
}

TEST(ImaAdpcmTest, ExtremesDecodeAsSoxDecodesThem) {
    // Steps climbing to the largest index and samples held at full scale, both ways; a block
    // that swings at the largest step; the smallest steps round a silent start.
    Bytes image = AdpcmImage({Block(32000, 0, 0x77), Block(-32768, 88, 0xFF), Block(0, 88, 0x87),
                              Block(-5, 0, 0x18), Block(0, 40, 0x00)});
    Samples ours = Decode(image);
    EXPECT_EQ(ours.size(), 5u * 65);
    EXPECT_EQ(ours, SoxDecode(image));
}

// A backend that keeps what it is asked to play.
class RecordingBackend : public platform::Backend {
  public:
    std::vector<platform::Sound> played;
    bool OpenWindow(const std::wstring&) override { return true; }
    void CloseWindow() override {}
    void Poll() override {}
    void Idle(uint32_t) override {}
    uint32_t Now() override { return 0; }
    bool StylusDown() override { return false; }

  protected:
    void Show(const platform::Surface&, const RECT&) override {}
    void StartSound(const platform::Sound& sound) override { played.push_back(sound); }
};

BOOL Play(std::span<const uint8_t> image) {
    return sndPlaySoundW(reinterpret_cast<LPCWSTR>(image.data()), SND_ASYNC | SND_MEMORY);
}

TEST(ImaAdpcmTest, BackendsAreHandedPcmDecodedOnceARun) {
    auto image = Resource(1400);
    Samples expected = Decode(image);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        auto owned = std::make_unique<RecordingBackend>();
        RecordingBackend* backend = owned.get();
        platform::Start(std::move(owned));
        EXPECT_EQ(platform::State().sounds.Count(), 0u);
        ASSERT_TRUE(Play(image) && Play(image));
        ASSERT_EQ(backend->played.size(), 2u);
        const platform::Sound& first = backend->played[0];
        EXPECT_EQ(first.resourceId, 1400);
        EXPECT_EQ(first.sampleRate, 16000u);
        EXPECT_EQ(first.bitsPerSample, 16);
        ASSERT_EQ(first.dataBytes, expected.size() * 2);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                               reinterpret_cast<const int16_t*>(first.data)));
        EXPECT_EQ(backend->played[1].data, first.data);
        EXPECT_EQ(platform::State().sounds.Count(), 1u);

        // A block whose step index lies past the table is not played, and nothing is kept.
        Bytes broken = AdpcmImage({Block(0, 0, 0x11), Block(0, 89, 0x11)});
        EXPECT_FALSE(Play(broken));
        EXPECT_EQ(backend->played.size(), 2u);
        EXPECT_EQ(platform::State().sounds.Count(), 1u);
        platform::Stop();
    }
}

}  // namespace
