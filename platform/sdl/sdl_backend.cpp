// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/sdl/sdl_backend.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <utility>

#include "platform/host.h"
#include "platform/icon.h"

namespace platform {
namespace {

// How long Idle waits for input. The loop ticks the screen after every look, so a timed redraw
// is late by about this much at worst, while a waiting game sleeps nearly all the time.
constexpr int kIdleWaitMs = 5;
// Input is gathered at least this often even when nothing seems to wait: events that other
// threads push (an audio device going away) wake no socket.
constexpr uint64_t kGatherAtLeastMs = 250;
// Room left for a title bar and borders when choosing the window's scale.
constexpr int kFrameAllowance = 40;
constexpr int kIconResource = 101;
constexpr int kIconSide = 32;
// About 21 ms at 48 kHz: short enough for a tap's click to follow the tap.
constexpr Uint16 kAudioBufferFrames = 1024;

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        auto c = uint32_t(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool Empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

void AudioCallback(void* mixer, Uint8* stream, int bytes) {
    auto* m = static_cast<Mixer*>(mixer);
    m->Mix(reinterpret_cast<float*>(stream), size_t(bytes) / sizeof(float) / size_t(m->channels()));
}

// ALSA's library reports every device it fails to open on stderr, a dozen lines on a machine
// without a sound card. SDL loads it by name; loading it first lets us quieten it, so that a
// missing device is told in the one line of our own.
void SilentAlsaReport(const char*, int, const char*, int, const char*, ...) {}
void QuietenAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    using Report = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetReport = int (*)(Report);
    if (auto set = reinterpret_cast<SetReport>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(SilentAlsaReport);
    // The library stays loaded: SDL shares this copy of it.
}

}  // namespace

SdlBackend::SdlBackend(DesktopOptions options)
    : options_(std::move(options)), wait_(std::make_unique<InputWait>(nullptr)) {
    if (!options_.instancePath.empty())
        instance_ = std::make_unique<InstanceEndpoint>(options_.instancePath);
}

SdlBackend::~SdlBackend() {
    if (audio_) SDL_CloseAudioDevice(audio_);  // waits for the callback to finish
    if (audioTried_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    CloseWindow();
}

bool SdlBackend::OpenWindow(const std::wstring& title) {
    if (window_) return false;  // the program has one top-level window
    // The window's place: centred at its scale, or covering the first screen.
    SDL_Rect frame{int(SDL_WINDOWPOS_CENTERED), int(SDL_WINDOWPOS_CENTERED), 0, 0};
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (options_.fullscreen) {
        // Full-screen windows are the window manager's to size; where there is none, a
        // borderless window the size of the screen is the same thing.
        SDL_Rect screen{0, 0, kDisplayWidth, kDisplayHeight};
        SDL_GetDisplayBounds(0, &screen);
        frame = screen;
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        scale_ = FitPicture(screen.w, screen.h, options_.scale).scale;
    } else {
        scale_ = options_.scale;
        if (!scale_) {
            SDL_Rect usable{0, 0, kDisplayWidth, kDisplayHeight + kFrameAllowance};
            SDL_GetDisplayUsableBounds(0, &usable);
            scale_ = DefaultScale(usable.w, usable.h, kFrameAllowance);
        }
        frame.w = kDisplayWidth * scale_;
        frame.h = kDisplayHeight * scale_;
    }
    std::string caption = Utf8(title);
    for (int attempt = 0; attempt < 2 && !renderer_; ++attempt) {
        if (attempt == 1) {
            // No plain framebuffer on this host (Wayland): let SDL choose how to draw.
            SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
            SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
        }
        window_ = SDL_CreateWindow(caption.c_str(), frame.x, frame.y, frame.w, frame.h, flags);
        if (!window_) return false;
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) CloseWindow();
    }
    if (!renderer_ || !MakeTexture()) {
        CloseWindow();
        return false;
    }
    SetIcon();
    wait_ = std::make_unique<InputWait>(window_);
    // Answer later launches from now on: the program looked for a running copy just before.
    if (instance_) instance_->Listen();
    frameDue_ = true;
    return true;
}

bool SdlBackend::MakeTexture() {
    if (texture_) SDL_DestroyTexture(texture_);
    // COLORREF is 0x00BBGGRR: SDL's XBGR8888, no conversion.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING,
                                 kDisplayWidth, kDisplayHeight);
    if (!texture_) return false;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    dirty_ = RECT{0, 0, kDisplayWidth, kDisplayHeight};
    return true;
}

void SdlBackend::SetIcon() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kIconResource), RT_GROUP_ICON);
    if (!resource) return;
    auto* ico = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
    std::vector<uint32_t> pixels = IconPixels(ico, SizeofResource(module, resource), kIconSide);
    if (pixels.empty()) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kIconSide, kIconSide, 32,
                                                           kIconSide * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
}

void SdlBackend::CloseWindow() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    wait_ = std::make_unique<InputWait>(nullptr);
    shown_ = false;
    pressed_ = touching_ = false;
}

void SdlBackend::Present(const Surface& display, const RECT& area) {
    // The program copies onto the window many times a frame; the copies gather here and reach
    // the screen once, at the loop's next look at the queue.
    display_ = &display;
    RECT a{std::max(area.left, LONG(0)), std::max(area.top, LONG(0)),
           std::min(area.right, LONG(display.width)), std::min(area.bottom, LONG(display.height))};
    if (Empty(a)) return;
    if (Empty(dirty_)) {
        dirty_ = a;
    } else {
        dirty_.left = std::min(dirty_.left, a.left);
        dirty_.top = std::min(dirty_.top, a.top);
        dirty_.right = std::max(dirty_.right, a.right);
        dirty_.bottom = std::max(dirty_.bottom, a.bottom);
    }
    frameDue_ = true;
}

PictureLayout SdlBackend::Layout() const {
    int w = kDisplayWidth * std::max(scale_, 1), h = kDisplayHeight * std::max(scale_, 1);
    if (renderer_) SDL_GetRendererOutputSize(renderer_, &w, &h);
    return FitPicture(w, h, options_.scale);
}

void SdlBackend::Render() {
    if (!window_ || !frameDue_) return;
    frameDue_ = false;
    if (!Empty(dirty_) && display_ && display_->width == kDisplayWidth &&
        display_->height == kDisplayHeight) {
        SDL_Rect r{dirty_.left, dirty_.top, dirty_.right - dirty_.left, dirty_.bottom - dirty_.top};
        SDL_UpdateTexture(texture_, &r, &display_->pixels[size_t(r.y) * display_->width + r.x],
                          display_->width * 4);
    }
    dirty_ = RECT{0, 0, 0, 0};
    if (!shown_) {
        SDL_ShowWindow(window_);
        shown_ = true;
    }
    PictureLayout layout = Layout();
    SDL_Rect picture{layout.left, layout.top, layout.width, layout.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &picture);
    SDL_RenderPresent(renderer_);
    if (stats_.frameTicks.size() < 1000) stats_.frameTicks.push_back(Now());
    if (stats_.renders++ > 0) return;
    stats_.firstFrameWallS =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    // Showing the window waits for the window manager: that look's gap is no tick's lateness.
    firstFrameGap_ = true;
    if (soundBeforeFrame_) PlaySound(*std::exchange(soundBeforeFrame_, std::nullopt));
}

void SdlBackend::Poll() {
    auto now = std::chrono::steady_clock::now();
    if (!looked_) {
        looked_ = true;
        origin_ = SDL_GetTicks64();
    } else if (!firstFrameGap_) {
        double gap = std::chrono::duration<double, std::milli>(now - lastLook_).count();
        stats_.maxGapMs = std::max(stats_.maxGapMs, gap);
        stats_.gapHistogram[std::min<size_t>(size_t(gap), stats_.gapHistogram.size() - 1)]++;
        if (gap > 10.0) stats_.gapsOver10Ms++;
    }
    firstFrameGap_ = false;
    lastLook_ = now;
    stats_.looks++;

    if (instance_ && (callerWaiting_ || instance_->HasCallers())) {
        callerWaiting_ = false;
        if (instance_->TakeForwardRequest() && window_) {
            if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window_);
            SDL_RaiseWindow(window_);
        }
    }
    // While the loop finds messages it does not idle: input is gathered here instead.
    if (!idled_) Gather();
    idled_ = false;
    Render();
}

void SdlBackend::Idle() {
    idled_ = true;
    bool caller = false;
    bool ready = wait_->Wait(kIdleWaitMs, instance_ ? instance_->listenerFd() : -1, caller);
    callerWaiting_ = callerWaiting_ || caller;
    if (ready || SDL_GetTicks64() - lastGather_ >= kGatherAtLeastMs) Gather();
}

void SdlBackend::Gather() {
    lastGather_ = SDL_GetTicks64();
    // Pumping and then taking every event, rather than SDL_PollEvent: that one stops at a marker
    // SDL's own waiting may leave in the queue, and would leave later events for another pass.
    SDL_PumpEvents();
    SDL_Event events[16];
    int n = 0;
    while ((n = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0)
        for (int i = 0; i < n; ++i) Handle(events[i]);
}

void SdlBackend::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            PostClose();
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    PostClose();
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    frameDue_ = true;
                    break;
                default:
                    break;
            }
            break;
        case SDL_RENDER_TARGETS_RESET:
            frameDue_ = true;
            break;
        case SDL_RENDER_DEVICE_RESET:
            // The texture went with the device: make it again from the whole display.
            if (renderer_ && MakeTexture()) frameDue_ = true;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // Touch arrives as finger events; SDL's mouse copies of them would tap twice.
            if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT)
                break;
            if (touching_) break;  // the stylus is a finger now
            Stylus(event.type == SDL_MOUSEBUTTONDOWN, float(event.button.x), float(event.button.y));
            break;
        case SDL_FINGERDOWN:
            // One finger at a time is the stylus; others touching meanwhile are ignored.
            if (pressed_) break;
            if (Stylus(true, event.tfinger.x * float(WindowWidth()),
                       event.tfinger.y * float(WindowHeight()))) {
                touching_ = true;
                finger_ = event.tfinger.fingerId;
            }
            break;
        case SDL_FINGERUP:
            if (!touching_ || event.tfinger.fingerId != finger_) break;
            touching_ = false;
            Stylus(false, event.tfinger.x * float(WindowWidth()),
                   event.tfinger.y * float(WindowHeight()));
            break;
        default:
            break;
    }
}

int SdlBackend::WindowWidth() const {
    int w = 0;
    if (window_) SDL_GetWindowSize(window_, &w, nullptr);
    return w;
}

int SdlBackend::WindowHeight() const {
    int h = 0;
    if (window_) SDL_GetWindowSize(window_, nullptr, &h);
    return h;
}

bool SdlBackend::Stylus(bool down, float windowX, float windowY) {
    if (!window_ || down == pressed_) return false;  // a press needs a release before the next
    // Window coordinates are points; the picture is laid out in the output's pixels, which a
    // high-density screen has more of.
    int outW = 1, outH = 1;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    int x = int(std::floor(windowX * float(outW) / float(std::max(WindowWidth(), 1))));
    int y = int(std::floor(windowY * float(outH) / float(std::max(WindowHeight(), 1))));
    PictureLayout layout = Layout();
    if (down) {
        std::optional<PixelPoint> p = PressAt(layout, x, y);
        if (!p) return false;  // on the border around the picture: nothing there
        pressed_ = true;
        PostStylus(true, p->x, p->y);
    } else {
        pressed_ = false;
        PixelPoint p = ReleaseAt(layout, x, y);
        PostStylus(false, p.x, p.y);
    }
    return true;
}

uint32_t SdlBackend::Now() {
    if (!looked_) return options_.startTick;
    return options_.startTick + uint32_t(SDL_GetTicks64() - origin_);
}

bool SdlBackend::StylusDown() {
    return touching_ || (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
}

void SdlBackend::OpenAudio() {
    audioTried_ = true;
    QuietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::cerr << "quillby: no audio device (" << SDL_GetError() << "); playing silently\n";
        return;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = audioFormat_.rate;
    want.format = AUDIO_F32SYS;
    want.channels = Uint8(audioFormat_.channels);
    want.samples = kAudioBufferFrames;
    want.callback = AudioCallback;
    // The mixer is made for the format the device grants, before the device starts.
    mixer_ = std::make_unique<Mixer>(audioFormat_);
    want.userdata = mixer_.get();
    audio_ =
        SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (!audio_) {
        std::cerr << "quillby: no audio device (" << SDL_GetError() << "); playing silently\n";
        mixer_.reset();
        return;
    }
    audioFormat_ = AudioFormat{have.freq, have.channels};
    *mixer_ = Mixer(audioFormat_);
    SDL_PauseAudioDevice(audio_, 0);
}

void SdlBackend::PlaySound(const Sound& sound) {
    if (!options_.sound) return;
    if (!shown_) {
        // The opening sound comes while the program builds its screens: it starts with the
        // first frame, and opening the device does not hold that frame back.
        soundBeforeFrame_ = sound;
        return;
    }
    if (!audioTried_) OpenAudio();
    if (!audio_) return;
    const std::vector<float>* samples = nullptr;
    if (sound.data) {
        auto key = std::make_pair(sound.data, sound.dataBytes);
        auto found = converted_.find(key);
        if (found == converted_.end())
            found = converted_.emplace(key, ConvertSound(sound, audioFormat_)).first;
        samples = &found->second;
    }
    SDL_LockAudioDevice(audio_);
    if (samples)
        mixer_->Play(samples->data(), samples->size() / size_t(audioFormat_.channels));
    else
        mixer_->Play(nullptr, 0);
    SDL_UnlockAudioDevice(audio_);
}

bool SdlBackend::FindRunningInstance() {
    return instance_ && instance_->FindOther();
}

void SdlBackend::BringRunningInstanceForward() {
    if (instance_) instance_->AskOtherForward();
}

void SdlBackend::Exited(int code) {
    if (options_.statsPath.empty()) return;
    std::ofstream out(options_.statsPath);
    out << "exit " << code << "\nlooks " << stats_.looks << "\nrenders " << stats_.renders
        << "\nmax_gap_ms " << stats_.maxGapMs << "\ngaps_over_10ms " << stats_.gapsOver10Ms
        << "\nfirst_frame_wall_s " << std::fixed << stats_.firstFrameWallS << "\n";
    out << "gap_histogram_ms";
    for (uint32_t n : stats_.gapHistogram) out << ' ' << n;
    out << "\nframe_ticks";
    for (uint32_t t : stats_.frameTicks) out << ' ' << t;
    out << "\n";
}

}  // namespace platform
