// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/hosts/sdl/mixer.h"

namespace {

using platform::AudioFormat;
using platform::Mixer;
using platform::Sound;

// Half a second of a 440 Hz sine at `level` of full scale, as a WAVE file's data chunk holds it.
std::vector<uint8_t> Tone(int bits, uint32_t rate, double level) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < rate / 2; ++i) {
        double v = level * std::sin(2 * 3.14159265358979 * 440 * double(i) / rate);
        auto s = int16_t(std::lround(32767 * v));
        bytes.push_back(bits == 8 ? uint8_t(std::lround(128 + 127 * v)) : uint8_t(s & 0xFF));
        if (bits == 16) bytes.push_back(uint8_t(s >> 8 & 0xFF));
    }
    return bytes;
}

TEST(SoundConversionTest, EveryGameFormatKeepsItsLengthPitchAndLevelAndSilenceStaysSilent) {
    for (int k = 0; k < 16; ++k) {
        const int bits = k & 1 ? 16 : 8;
        const uint32_t rate = k & 2 ? 22050 : 11025;
        const AudioFormat device = k & 4 ? AudioFormat{44100, 1} : AudioFormat{48000, 2};
        const double level = k & 8 ? 0.0 : 0.5;
        SCOPED_TRACE(testing::Message() << bits << "-bit " << rate << " Hz to " << device.rate
                                        << " Hz x" << device.channels << " at " << level);
        std::vector<uint8_t> pcm = Tone(bits, rate, level);
        std::vector<float> out =
            platform::ConvertSound(Sound{0, rate, bits, pcm.data(), pcm.size(), {}}, device);
        std::vector<float> left;
        for (size_t i = 0; i < out.size(); i += size_t(device.channels)) {
            ASSERT_EQ(out[i], out[i + size_t(device.channels) - 1]) << i;
            ASSERT_LE(std::fabs(out[i]), level * 1.02 + 0.002) << i;  // silence rings nowhere
            left.push_back(out[i]);
        }
        EXPECT_NEAR(double(left.size()), device.rate * 0.5, device.rate * 0.002);
        double sum = 0;
        int crossings = 0;
        for (size_t i = left.size() / 10; i < left.size() * 9 / 10; ++i) {
            sum += double(left[i]) * left[i];
            crossings += (left[i] < 0) != (left[i + 1] < 0);
        }
        EXPECT_NEAR(std::sqrt(sum / double(left.size() * 8 / 10)), level / std::sqrt(2.0), 0.01);
        EXPECT_NEAR(crossings, level > 0 ? 2 * 440 * 0.4 : 0, 3);
    }
    EXPECT_TRUE(platform::ConvertSound(Sound{}, {48000, 2}).empty());
}

std::vector<float> MixFrames(Mixer& mixer, size_t frames, int channels) {
    std::vector<float> out(frames * size_t(channels), 99.0f);
    mixer.Mix(out.data(), frames);
    std::vector<float> left;
    for (size_t i = 0; i < out.size(); i += size_t(channels)) left.push_back(out[i]);
    return left;
}

// Three sounds cut in quick succession, the last of them a sound or silence.
TEST(MixerTest, ANewSoundReplacesTheOldWhichFadesOutInsteadOfJumping) {
    for (int k = 0; k < 4; ++k) {
        const AudioFormat format = k & 1 ? AudioFormat{44100, 1} : AudioFormat{48000, 2};
        const float last = k & 2 ? 0.0f : 0.25f;
        SCOPED_TRACE(testing::Message() << format.rate << " Hz, then " << last);
        const size_t fade = size_t(format.rate * Mixer::kFadeMs / 1000), n = 1000;
        const size_t samples = n * size_t(format.channels);
        std::vector<float> a(samples, 0.5f), b(samples, -0.5f), c(samples, last);
        Mixer mixer(format);
        EXPECT_TRUE(mixer.Silent());
        mixer.Play(a.data(), n);
        MixFrames(mixer, 50, format.channels);
        mixer.Play(b.data(), n);
        MixFrames(mixer, 50, format.channels);  // a is still fading when c cuts in
        mixer.Play(last ? c.data() : nullptr, last ? n : 0);
        std::vector<float> out = MixFrames(mixer, n + 100, format.channels);
        // a 50 frames into its fade, b at the start of its own, c in full: nothing drops suddenly.
        EXPECT_NEAR(out[0], 0.5 * double(fade - 50) / double(fade) - 0.5 + last, 1e-4);
        for (size_t i = 1; i < fade; ++i)
            ASSERT_NEAR(out[i], out[i - 1], 1.0 / double(fade) + 1e-4) << i;
        // Then the last alone, once, and silence after it.
        for (size_t i = fade; i < n; ++i) ASSERT_FLOAT_EQ(out[i], last) << i;
        for (size_t i = n; i < out.size(); ++i) ASSERT_EQ(out[i], 0.0f) << i;
        EXPECT_TRUE(mixer.Silent());
    }
}

// The device plays behind the program: a sound asked for once the one before has ended by the
// program's clock starts as long after that one's start as the program asked for it, though
// the device has not played that far; asked for sooner, it cuts in, and what waited is dropped.
TEST(MixerTest, ASoundAskedForAfterTheOneBeforeHasEndedKeepsItsDistance) {
    const AudioFormat format{48000, 2};
    const size_t n = 300, fade = size_t(format.rate * Mixer::kFadeMs / 1000);
    std::vector<float> a(2 * n, 0.5f), b(2 * n, -0.5f), c(2 * n, 0.25f);
    Mixer mixer(format);
    mixer.Play(a.data(), n);
    MixFrames(mixer, 100, 2);
    mixer.Play(b.data(), n, n + 50);  // 50 frames after a's end
    EXPECT_EQ(mixer.FramesLeft(), 2 * n - 50);
    std::vector<float> out = MixFrames(mixer, 2 * n, 2);
    for (size_t i = 0; i < 2 * n; ++i)
        ASSERT_EQ(out[i], i < n - 100      ? 0.5f
                          : i < n - 50     ? 0.0f
                          : i < 2 * n - 50 ? -0.5f
                                           : 0.0f)
            << i;
    mixer.Play(a.data(), n);
    mixer.Play(b.data(), n, n);
    mixer.Play(c.data(), n);
    out = MixFrames(mixer, 2 * n, 2);
    EXPECT_NEAR(out[0], 0.5 + 0.25, 1e-4);
    for (size_t i = fade; i < 2 * n; ++i) ASSERT_EQ(out[i], i < n ? 0.25f : 0.0f) << i;
    EXPECT_TRUE(mixer.Silent());
}

// The program's clock counts whole milliseconds, so a sound it holds ended can have a fraction
// of one still to play: 100.7 ms of it, asked after at 100 ms. The next one waits for its last
// frame rather than fading it.
TEST(MixerTest, ASoundAskedForInTheLastMillisecondOfTheOneBeforeWaitsForItsLastFrame) {
    const AudioFormat format{48000, 2};
    const size_t n = 4834, asked = 4800;  // 100.7 ms, and 100 ms
    std::vector<float> a(2 * n, 0.5f), b(2 * n, -0.5f);
    Mixer mixer(format);
    mixer.Play(a.data(), n);
    mixer.Play(b.data(), n, asked);
    std::vector<float> out = MixFrames(mixer, 2 * n, 2);
    for (size_t i = 0; i < 2 * n; ++i)
        ASSERT_EQ(out[i], i < n ? 0.5f : -0.5f)
            << "frame " << i << ": the next sound started " << n - asked
            << " frames early, fading the end of the one before";
}

}  // namespace
