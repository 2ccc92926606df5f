// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "game/narrator.h"

#include <algorithm>
#include <cwchar>

#include "game/sound_resources.h"
#include "game/wave_length.h"

namespace {

// The game's own sounds, whose ends a voice waits for.
constexpr int GameSoundIds[] = {SoundResources::Click, SoundResources::Switch,
                                SoundResources::Startup, SoundResources::Right,
                                SoundResources::Wrong};

}  // namespace

bool Narrator::Asked(LPCWSTR commandLine) {
    if (!commandLine) return false;
    // The arguments as Windows splits them; the first is the program's name.
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    bool asked = false;
    for (int i = 1; arguments && i < count; ++i)
        asked = asked || std::wcscmp(arguments[i], L"--speak") == 0;
    LocalFree(arguments);
    return asked;
}

Narrator::Narrator(HWND window) : window_(window) {
    for (int id : GameSoundIds)
        if (std::optional<Sound> sound = Find(id)) gameSounds_.push_back(*sound);
    SetSoundListener(this);
}

Narrator::~Narrator() {
    RemoveSoundListener(this);
    if (timerDue_) KillTimer(window_, WakeTimer);
}

std::optional<Narrator::Sound> Narrator::Find(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    HGLOBAL image = resource ? LoadResource(module, resource) : nullptr;
    if (!image) return std::nullopt;
    return Sound{image, WaveLengthMs(LockResource(image), SizeofResource(module, resource))};
}

void Narrator::OnCardShown(int letterIndex, int pictureId) {
    waiting_ = {{VoiceResources::FirstLetterName + letterIndex, About::Card},
                {pictureId + VoiceResources::WordAfterPicture, About::Card}};
}

void Narrator::OnRoundStarted(int letterIndex) {
    waiting_ = {{VoiceResources::FirstLetterName + letterIndex, About::Round}};
}

void Narrator::OnPictureAnswered(int pictureId, bool right) {
    // A right answer ends the round; a wrong one leaves its letter still to be said, after the
    // word of the picture the child has just tapped.
    if (right)
        waiting_.clear();
    else
        std::erase_if(waiting_, [](const Line& line) { return line.about == About::Answer; });
    waiting_.insert(waiting_.begin(),
                    {pictureId + VoiceResources::WordAfterPicture, About::Answer});
}

void Narrator::OnSoundStart(HGLOBAL sound) {
    uint32_t length = 0;
    for (const Sound& known : gameSounds_)
        if (known.image == sound) length = known.lengthMs;
    gameSound_ = Heard{GetTickCount(), length};
    voice_.reset();  // the game sound took its place
}

void Narrator::OnTick(uint32_t now) {
    // Differences of ticks, so that the counter's wrap changes nothing.
    if (gameSound_ && now - gameSound_->start >= gameSound_->lengthMs) gameSound_.reset();
    if (voice_ && now - voice_->start >= voice_->lengthMs + PauseMs) voice_.reset();
    while (!gameSound_ && !voice_ && !waiting_.empty()) {
        Line line = waiting_.front();
        waiting_.erase(waiting_.begin());
        Say(line, now);
    }
    std::optional<uint32_t> due;
    if (!waiting_.empty()) {
        uint32_t wait = 0;
        if (gameSound_) wait = gameSound_->lengthMs - (now - gameSound_->start);
        if (voice_) wait = std::max(wait, voice_->lengthMs + PauseMs - (now - voice_->start));
        due = now + wait;
    }
    WakeFor(due, now);
}

void Narrator::Say(const Line& line, uint32_t now) {
    // A clip the program lacks, or one with nothing in it, is passed over in silence.
    std::optional<Sound> clip = Find(line.clip);
    if (!clip || !clip->lengthMs) return;
    sndPlaySoundW(static_cast<LPCWSTR>(clip->image), SND_ASYNC | SND_MEMORY);
    voice_ = Heard{now, clip->lengthMs};
}

void Narrator::WakeFor(std::optional<uint32_t> due, uint32_t now) {
    if (due == timerDue_) return;
    if (due)
        SetTimer(window_, WakeTimer, *due - now, nullptr);
    else
        KillTimer(window_, WakeTimer);
    timerDue_ = due;
}
