#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/sdl/mixer.h"

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
        if (bits == 8) bytes.push_back(uint8_t(std::lround(128 + 127 * v)));
        else bytes.insert(bytes.end(), {uint8_t(s & 0xFF), uint8_t(s >> 8 & 0xFF)});
    }
    return bytes;
}

TEST(SoundConversionTest, EveryGameFormatKeepsItsLengthPitchAndLevelAndSilenceStaysSilent) {
    for (int bits : {8, 16}) {
        for (uint32_t rate : {11025u, 22050u}) {
            for (AudioFormat device : {AudioFormat{48000, 2}, AudioFormat{44100, 1}}) {
                for (double level : {0.5, 0.0}) {
                    SCOPED_TRACE(testing::Message() << bits << "-bit " << rate << " Hz to " << device.rate
                                                    << " Hz x" << device.channels << " at " << level);
                    std::vector<uint8_t> pcm = Tone(bits, rate, level);
                    Sound sound{0, rate, bits, pcm.data(), pcm.size()};
                    std::vector<float> out = platform::ConvertSound(sound, device);
                    std::vector<float> left;
                    for (size_t i = 0; i < out.size(); i += size_t(device.channels)) {
                        if (device.channels == 2) ASSERT_EQ(out[i], out[i + 1]) << i;
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
                    if (level > 0) EXPECT_NEAR(crossings, 2 * 440 * 0.5 * 0.8, 3);
                    // Nothing rings after the end of a silent sound to click.
                    if (level == 0) for (float v : left) ASSERT_NEAR(v, 0.0, 0.002);
                }
            }
        }
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

TEST(MixerTest, ANewSoundReplacesTheOldWhichFadesOutInsteadOfJumping) {
    for (AudioFormat format : {AudioFormat{48000, 2}, AudioFormat{44100, 1}}) {
        SCOPED_TRACE(format.rate);
        const size_t fade = size_t(format.rate * Mixer::kFadeMs / 1000), n = 1000;
        const size_t samples = n * size_t(format.channels);
        std::vector<float> a(samples, 0.5f), b(samples, -0.5f), c(samples, 0.25f);
        Mixer mixer(format);
        EXPECT_TRUE(mixer.Silent());
        mixer.Play(a.data(), n);
        MixFrames(mixer, 50, format.channels);
        mixer.Play(b.data(), n);
        MixFrames(mixer, 50, format.channels);  // a is still fading when c cuts in
        mixer.Play(c.data(), n);
        std::vector<float> out = MixFrames(mixer, n + 100, format.channels);
        // a 50 frames into its fade, b at the start of its own, c in full: nothing drops suddenly.
        EXPECT_NEAR(out[0], 0.5 * double(fade - 50) / double(fade) - 0.5 + 0.25, 1e-4);
        for (size_t i = 1; i < fade; ++i) ASSERT_NEAR(out[i], out[i - 1], 1.0 / double(fade) + 1e-4) << i;
        // Then the last alone, once, and silence after it.
        for (size_t i = fade; i < n; ++i) ASSERT_FLOAT_EQ(out[i], 0.25f) << i;
        for (size_t i = n; i < out.size(); ++i) ASSERT_EQ(out[i], 0.0f) << i;
        EXPECT_TRUE(mixer.Silent());
    }
}

TEST(MixerTest, SilenceFadesTheSoundOutInsteadOfCuttingIt) {
    Mixer mixer({48000, 1});
    std::vector<float> sound(10000, 0.8f);
    mixer.Play(sound.data(), sound.size());
    MixFrames(mixer, 10, 1);
    mixer.Play(nullptr, 0);
    std::vector<float> out = MixFrames(mixer, 400, 1);
    EXPECT_GT(out[0], 0.79f);
    EXPECT_NEAR(out[120], 0.4f, 0.1f);  // halfway through the fade, about half the level
    for (size_t i = 240; i < out.size(); ++i) ASSERT_EQ(out[i], 0.0f) << i;
    EXPECT_TRUE(mixer.Silent());
}

}  // namespace
