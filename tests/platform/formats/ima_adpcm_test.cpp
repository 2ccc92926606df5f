// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The voice's IMA ADPCM as the platform decodes it, against sox's own decoder, and handed to a
// backend decoded once a run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/formats/wave.h"
#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "platform/platform_state.h"
#include "shell/platform.h"
#include "tests/platform/formats/image_bytes.h"

namespace {

using namespace image_bytes;

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
    // One file a process: test programs of other builds may decode at the same moment.
    std::string path = testing::TempDir() + "quillby-adpcm-" + std::to_string(::getpid()) + ".wav";
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

}  // namespace
