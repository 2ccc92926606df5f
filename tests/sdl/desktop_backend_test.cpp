// The SDL backend under the platform, on SDL's dummy video driver: a real SDL window and
// renderer that draw into memory, fed with the events a desktop would send.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/sdl/sdl_backend.h"
#include "shell/platform.h"

namespace {

using platform::DesktopOptions;
using platform::SdlBackend;
using platform::Sound;

LRESULT CALLBACK QuietProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class DesktopBackendTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }
    void TearDown() override { platform::Stop(); }

    // Starts the platform on the SDL backend and creates the program's window.
    void Open(DesktopOptions options, const wchar_t* title = L"Quillby") {
        auto owned = std::make_unique<SdlBackend>(std::move(options));
        backend = owned.get();
        platform::Start(std::move(owned));
        WNDCLASSW cls{};
        cls.lpfnWndProc = QuietProc;
        cls.lpszClassName = L"FIRST";
        RegisterClassW(&cls);
        window = CreateWindowExW(0, L"FIRST", title, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window);
        ASSERT_TRUE(backend->window());
    }

    void Push(SDL_Event event) {
        event.common.timestamp = SDL_GetTicks();
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }
    void Mouse(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT, Uint32 which = 0) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = SDL_GetWindowID(backend->window());
        e.button.which = which;
        e.button.button = button;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
        Push(e);
    }
    void Finger(bool down, SDL_FingerID id, float x, float y) {
        SDL_Event e{};
        e.type = down ? SDL_FINGERDOWN : SDL_FINGERUP;
        e.tfinger.touchId = 1;
        e.tfinger.fingerId = id;
        e.tfinger.windowID = SDL_GetWindowID(backend->window());
        e.tfinger.x = x;
        e.tfinger.y = y;
        Push(e);
    }

    // The stylus and close messages the window has waiting, as "down X Y", "up X Y", "close".
    std::vector<std::string> Posted() {
        std::vector<std::string> got;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            std::string xy =
                " " + std::to_string(LOWORD(msg.lParam)) + " " + std::to_string(HIWORD(msg.lParam));
            if (msg.message == WM_LBUTTONDOWN) got.push_back("down" + xy);
            if (msg.message == WM_LBUTTONUP) got.push_back("up" + xy);
            if (msg.message == WM_CLOSE) got.push_back("close");
        }
        return got;
    }

    // What the window shows, as COLORREF values.
    std::vector<COLORREF> Shown(int& width, int& height) {
        SDL_GetRendererOutputSize(backend->renderer(), &width, &height);
        std::vector<COLORREF> pixels(size_t(width) * height);
        EXPECT_EQ(SDL_RenderReadPixels(backend->renderer(), nullptr, SDL_PIXELFORMAT_XBGR8888,
                                       pixels.data(), width * 4),
                  0)
            << SDL_GetError();
        for (COLORREF& p : pixels) p &= 0xFFFFFF;
        return pixels;
    }

    SdlBackend* backend = nullptr;
    HWND window = nullptr;
};

// Every display pixel different from its neighbours, in all three colour channels.
platform::Surface Pattern() {
    platform::Surface s(240, 320);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x) s.At(x, y) = RGB(x, y & 0xFF, (x * 7 + y * 13) & 0xFF);
    return s;
}

DesktopOptions Silent() {
    DesktopOptions options;
    options.sound = false;
    return options;
}

TEST_F(DesktopBackendTest, TheWindowTakesTheProgramsCaptionAndTheAskedScale) {
    DesktopOptions options = Silent();
    options.scale = 2;
    Open(options, L"Quillby \u2013 ABC");
    EXPECT_STREQ(SDL_GetWindowTitle(backend->window()), "Quillby \xE2\x80\x93 ABC");
    int w = 0, h = 0;
    SDL_GetWindowSize(backend->window(), &w, &h);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(h, 640);
    // The program still sees its own display.
    HDC dc = GetDC(window);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 240);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 320);
    ReleaseDC(window, dc);
}

TEST_F(DesktopBackendTest, WithoutAScaleTheWindowIsTheLargestThatFitsTheScreen) {
    Open(Silent());
    SDL_Rect usable;
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
    int w = 0, h = 0;
    SDL_GetWindowSize(backend->window(), &w, &h);
    EXPECT_EQ(w * 320, h * 240);
    EXPECT_LE(h + 40, usable.h);
    EXPECT_GT(h + 320 + 40, usable.h);
}

TEST_F(DesktopBackendTest, ThePictureIsShownWithSquareCrispPixels) {
    DesktopOptions options = Silent();
    options.scale = 3;
    Open(options);
    platform::Surface display = Pattern();
    backend->Present(display, RECT{0, 0, 240, 320});
    backend->Poll();
    int w = 0, h = 0;
    std::vector<COLORREF> shown = Shown(w, h);
    ASSERT_EQ(w, 720);
    ASSERT_EQ(h, 960);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(shown[size_t(y) * w + x], display.At(x / 3, y / 3)) << x << "," << y;
}

TEST_F(DesktopBackendTest, CopiesGatherIntoOneFramePerLookAtTheQueue) {
    DesktopOptions options = Silent();
    options.scale = 1;
    Open(options);
    platform::Surface display(240, 320, RGB(10, 20, 30));
    backend->Present(display, RECT{0, 0, 240, 320});
    backend->Poll();
    uint64_t frames = backend->stats().renders;
    EXPECT_EQ(frames, 1u);

    // Many small copies, as a screen's redraw makes: one frame, holding all of them.
    for (int i = 0; i < 40; ++i) {
        display.At(i * 5, i * 7) = RGB(255, i, 0);
        backend->Present(display, RECT{i * 5, i * 7, i * 5 + 1, i * 7 + 1});
    }
    backend->Idle();
    EXPECT_EQ(backend->stats().renders, frames);
    backend->Poll();
    EXPECT_EQ(backend->stats().renders, frames + 1);
    int w = 0, h = 0;
    std::vector<COLORREF> shown = Shown(w, h);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(shown[size_t(i * 7) * w + i * 5], RGB(255, i, 0)) << i;
    EXPECT_EQ(shown[size_t(300) * w + 239], RGB(10, 20, 30));

    // Nothing new: no frame.
    backend->Poll();
    backend->Poll();
    EXPECT_EQ(backend->stats().renders, frames + 1);

    // The window uncovered: the whole picture again, though nothing changed.
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(backend->window());
    Push(exposed);
    backend->Poll();
    EXPECT_EQ(backend->stats().renders, frames + 2);
}

TEST_F(DesktopBackendTest, TheLeftButtonIsTheStylusAtDisplayCoordinates) {
    DesktopOptions options = Silent();
    options.scale = 2;
    Open(options);
    backend->Poll();
    Mouse(true, 2 * 75 + 1, 2 * 20);  // the quiz switch
    Mouse(false, 2 * 75, 2 * 21 + 1);
    Mouse(true, 2 * 227, 2 * 13);  // the close button
    Mouse(false, 2 * 227, 2 * 13);
    EXPECT_EQ(Posted(),
              (std::vector<std::string>{"down 75 20", "up 75 21", "down 227 13", "up 227 13"}));
    // Other buttons, a press's copy made from a touch, and keys are not the stylus.
    Mouse(true, 100, 100, SDL_BUTTON_RIGHT);
    Mouse(false, 100, 100, SDL_BUTTON_RIGHT);
    Mouse(true, 100, 100, SDL_BUTTON_LEFT, SDL_TOUCH_MOUSEID);
    Mouse(false, 100, 100, SDL_BUTTON_LEFT, SDL_TOUCH_MOUSEID);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_SPACE;
    Push(key);
    EXPECT_EQ(Posted(), std::vector<std::string>{});
}

TEST_F(DesktopBackendTest, AReleaseOutsideTheWindowStillArrivesOnTheEdge) {
    DesktopOptions options = Silent();
    options.scale = 2;
    Open(options);
    Mouse(true, 20, 600);
    Mouse(false, -35, 700);  // dragged off the bottom-left corner
    Mouse(true, 470, 10);
    Mouse(false, 900, -3);
    EXPECT_EQ(Posted(),
              (std::vector<std::string>{"down 10 300", "up 0 319", "down 235 5", "up 239 0"}));
    // A release with no press of ours before it is nobody's.
    Mouse(false, 50, 50);
    EXPECT_EQ(Posted(), std::vector<std::string>{});
}

TEST_F(DesktopBackendTest, FullScreenCentresThePictureAndIgnoresPressesOnTheBorder) {
    DesktopOptions options = Silent();
    options.fullscreen = true;
    Open(options);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(backend->renderer(), &w, &h);
    platform::PictureLayout l = backend->Layout();
    ASSERT_GT(w, 240);
    EXPECT_EQ(l.scale, std::min(w / 240, h / 320));
    EXPECT_EQ(l.left, (w - l.width) / 2);
    EXPECT_EQ(l.top, (h - l.height) / 2);

    platform::Surface display = Pattern();
    backend->Present(display, RECT{0, 0, 240, 320});
    backend->Poll();
    std::vector<COLORREF> shown = Shown(w, h);
    EXPECT_EQ(shown[0], RGB(0, 0, 0));  // the border is black
    EXPECT_EQ(shown[size_t(h - 1) * w + w - 1], RGB(0, 0, 0));
    EXPECT_EQ(shown[size_t(l.top + 5 * l.scale) * w + l.left + 9 * l.scale], display.At(9, 5));

    if (l.left > 0) {
        Mouse(true, l.left - 1, l.top + 10);  // just off the picture's left edge
        Mouse(false, l.left - 1, l.top + 10);
    }
    Mouse(true, l.left + 45 * l.scale, l.top + 10 * l.scale);
    Mouse(false, w - 1, h - 1);  // released on the border
    std::vector<std::string> expected = {"down 45 10", "up 239 319"};
    EXPECT_EQ(Posted(), expected);
}

TEST_F(DesktopBackendTest, OneFingerIsTheStylus) {
    DesktopOptions options = Silent();
    options.scale = 2;
    Open(options);
    EXPECT_FALSE(backend->StylusDown());
    Finger(true, 7, 0.5f, 0.25f);
    Finger(true, 8, 0.1f, 0.1f);  // a second finger meanwhile: ignored
    backend->Poll();
    EXPECT_TRUE(backend->StylusDown());
    Mouse(true, 10, 10);  // and the mouse too while the finger is down
    Finger(false, 8, 0.1f, 0.1f);
    Finger(false, 7, 1.5f, 0.5f);  // lifted after sliding off the right edge
    EXPECT_EQ(Posted(), (std::vector<std::string>{"down 120 80", "up 239 160"}));
    EXPECT_FALSE(backend->StylusDown());
}

TEST_F(DesktopBackendTest, TheCloseBoxAsksTheWindowToClose) {
    DesktopOptions options = Silent();
    options.scale = 1;
    Open(options);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(backend->window());
    Push(close);
    EXPECT_EQ(Posted(), std::vector<std::string>{"close"});
}

TEST_F(DesktopBackendTest, TheClockStandsAtTheStartTickUntilTheLoopFirstLooks) {
    DesktopOptions options = Silent();
    options.scale = 1;
    options.startTick = 1234;
    Open(options);
    EXPECT_EQ(GetTickCount(), 1234u);
    SDL_Delay(100);
    EXPECT_EQ(GetTickCount(), 1234u);  // seeding and building the screens take no game time
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    // From the first look on, real time: only the look's own brief wait for input has passed,
    // not the 100 ms before it.
    uint32_t first = GetTickCount();
    EXPECT_LT(first - 1234u, 100u);
    SDL_Delay(30);
    uint32_t later = GetTickCount();
    EXPECT_GE(later - first, 30u);
    EXPECT_LT(later - first, 2000u);
}

TEST_F(DesktopBackendTest, WithoutAnAudioDeviceTheGameSaysSoOnceAndPlaysSilently) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    DesktopOptions options;
    options.scale = 1;
    Open(options);
    Sound sound;
    sound.sampleRate = 11025;
    sound.bitsPerSample = 8;
    static const uint8_t samples[64] = {128};
    sound.data = samples;
    sound.dataBytes = sizeof samples;
    testing::internal::CaptureStderr();
    backend->PlaySound(sound);  // the opening sound waits for the first frame
    std::string before = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    platform::Surface display(240, 320);
    backend->Present(display, RECT{0, 0, 240, 320});
    backend->Poll();
    backend->PlaySound(sound);
    backend->PlaySound(Sound{});
    std::string after = testing::internal::GetCapturedStderr();
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(before, "");
    EXPECT_EQ(after.rfind("quillby: no audio device (", 0), 0u) << after;
    EXPECT_TRUE(after.ends_with("); playing silently\n")) << after;
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), 1) << after;
}

TEST_F(DesktopBackendTest, ASoundReachesTheAudioDeviceAtItsLevel) {
    // SDL's "disk" driver writes what the device would play into a file, in real time.
    std::string file = std::filesystem::temp_directory_path() /
                       ("quillby-desktop-audio-" + std::to_string(getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    DesktopOptions options;
    options.scale = 1;
    Open(options);
    // A quarter of a second of a 441 Hz sine at half of full scale, 16-bit at 22050 Hz.
    std::vector<uint8_t> pcm;
    for (int i = 0; i < 22050 / 4; ++i) {
        auto v = int16_t(std::lround(16384 * std::sin(2 * 3.14159265358979 * 441 * i / 22050)));
        pcm.push_back(uint8_t(v & 0xFF));
        pcm.push_back(uint8_t(v >> 8 & 0xFF));
    }
    Sound sound;
    sound.sampleRate = 22050;
    sound.bitsPerSample = 16;
    sound.data = pcm.data();
    sound.dataBytes = pcm.size();
    platform::Surface display(240, 320);
    backend->Present(display, RECT{0, 0, 240, 320});
    backend->Poll();
    backend->PlaySound(sound);
    SDL_Delay(500);
    platform::Stop();  // closes the device and its file
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");

    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::filesystem::remove(file);
    std::vector<float> out(bytes.size() / sizeof(float));
    std::memcpy(out.data(), bytes.data(), out.size() * sizeof(float));
    // The device plays 48 kHz stereo floats: the sound on both channels, as long and as loud.
    size_t first = out.size(), last = 0;
    for (size_t i = 0; i + 1 < out.size(); i += 2) {
        ASSERT_EQ(out[i], out[i + 1]) << i;
        ASSERT_LT(std::fabs(out[i]), 0.6f) << i;
        if (std::fabs(out[i]) > 0.01f) first = std::min(first, i), last = i;
    }
    ASSERT_LT(first, last);
    EXPECT_NEAR(double(last - first) / 2, 48000 / 4, 48000 / 200);
    double sum = 0;
    for (size_t i = first; i <= last; i += 2) sum += double(out[i]) * out[i];
    EXPECT_NEAR(std::sqrt(sum / double((last - first) / 2 + 1)), 0.5 / std::sqrt(2.0), 0.01);
}

TEST_F(DesktopBackendTest, ASecondLaunchFindsTheWindowAndAsksItForward) {
    char pattern[] = "/tmp/quillby-desktop-test-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    std::string path = std::string(pattern) + "/instance.sock";
    {
        SdlBackend before(DesktopOptions{0, false, 0, path, false, ""});
        EXPECT_FALSE(before.FindRunningInstance());
    }
    DesktopOptions options = Silent();
    options.scale = 1;
    options.instancePath = path;
    Open(options);
    {
        // Another process would do this; a second backend stands in for it.
        SdlBackend second(DesktopOptions{0, false, 0, path, false, ""});
        EXPECT_TRUE(second.FindRunningInstance());
        second.BringRunningInstanceForward();
    }
    backend->Poll();  // takes the request and raises the window
    platform::Stop();
    SdlBackend after(DesktopOptions{0, false, 0, path, false, ""});
    EXPECT_FALSE(after.FindRunningInstance());
    std::filesystem::remove_all(pattern);
}

}  // namespace
