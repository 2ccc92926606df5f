// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game's sounds through Web Audio: one at a time, a new sound replacing the one playing,
// which fades out over a few milliseconds (a waveform cut mid-swing clicks); but one asked for
// once the sound before has ended by the program's clock follows it, whose end the context,
// resuming or a little behind, may not have played yet. Browsers allow
// sound only once the person has touched the page: a sound asked for before that plays only
// if the page may already play, and is otherwise skipped, never played late. Making the audio
// context takes a while, so the page makes it once its first frame is shown: a sound asked
// for before then (the opening sound) starts with that frame, as on the desktop.

export const FADE_SECONDS = 0.005;
// An audio context renders silence for as long as it runs: it rests this long after a sound.
const REST_AFTER_MS = 3000;

// The samples of 8-bit unsigned or 16-bit signed little-endian mono PCM, from -1 to 1.
function pcmToFloat(bits, bytes) {
  if (bits === 8) return Float32Array.from(bytes, (b) => (b - 128) / 128);
  const count = bytes.length >> 1;
  const view = new DataView(bytes.buffer, bytes.byteOffset, count * 2);
  const out = new Float32Array(count);
  for (let i = 0; i < count; ++i) out[i] = view.getInt16(i * 2, true) / 32768;
  return out;
}

export class SoundPlayer {
  constructor(makeContext = () => new AudioContext(), clock = () => performance.now()) {
    this.makeContext = makeContext;
    this.clock = clock;
    this.context = null;
    this.touched = false; // the person has touched the page: every sound from now on plays
    this.buffers = new Map();
    this.playing = null;
    this.restTimer = 0;
    this.opened = false;
    this.waiting = null; // the sound asked for before the context was made
    this.away = false; // the page is away: nothing plays
    this.onEnded = null; // hears the id of every sound that has played to its end or faded out
  }

  // A context, running at once where the page may play without a touch; then the sound that
  // waited for it, if the page may play it.
  open() {
    if (this.opened) return;
    this.opened = true;
    try {
      this.context = this.makeContext();
    } catch {
      this.context = null; // no audio here: the game plays silently
    }
    const waiting = this.waiting;
    this.waiting = null;
    if (waiting) this.play(...waiting);
  }

  // The page went away (hidden, frozen, cached) or came back. What plays stops as the page
  // goes, and the context rests: nothing sounds from a page no one sees. The next sound wakes
  // the context again. A context still waking from the last touch says it is suspended until
  // it runs: it is told to rest all the same, after it has woken.
  setAway(away) {
    this.away = away;
    if (!away || !this.context) return;
    this.fadeOut();
    clearTimeout(this.restTimer);
    if (this.context.state !== 'closed') this.context.suspend().catch(() => {});
  }

  // Every press: the first one lets the page play. A context the system has stopped meanwhile
  // (suspended, or "interrupted" by a call) is resumed here, while the browser counts the press.
  touch() {
    this.touched = true;
    this.open();
    if (this.context && this.context.state !== 'running') this.context.resume().catch(() => {});
  }

  mayPlay() {
    if (this.away) return false;
    return !!this.context && (this.touched || this.context.state === 'running');
  }

  // Starts sound `id` (its PCM in `bytes`), or silence for no bytes. False when skipped, or
  // left waiting for the context.
  play(id, rate, bits, bytes) {
    if (!this.opened) {
      this.waiting = [id, rate, bits, bytes.slice()];
      return false;
    }
    if (!this.mayPlay()) return false;
    const context = this.context;
    const asked = this.clock();
    const before = this.playing;
    const follows = before && asked - before.asked >= before.buffer.duration * 1000;
    if (!follows) this.fadeOut();
    const buffer = bytes.length ? this.buffer(id, rate, bits, bytes) : null;
    if (!buffer) return true;
    if (context.state !== 'running') context.resume().catch(() => {});
    const source = context.createBufferSource();
    const gain = context.createGain();
    source.buffer = buffer;
    source.connect(gain).connect(context.destination);
    const at = follows ? Math.max(context.currentTime, before.at + before.buffer.duration) : context.currentTime;
    if (follows) source.start(at);
    else source.start();
    const voice = { source, gain, buffer, asked, at };
    source.onended = () => {
      this.onEnded?.(id);
      if (this.playing === voice) this.playing = null;
      this.restLater();
    };
    this.playing = voice;
    clearTimeout(this.restTimer);
    return true;
  }

  buffer(id, rate, bits, bytes) {
    let buffer = id ? this.buffers.get(id) : undefined;
    if (buffer) return buffer;
    const samples = pcmToFloat(bits, bytes);
    if (!samples.length) return null;
    buffer = this.context.createBuffer(1, samples.length, rate);
    buffer.copyToChannel(samples, 0);
    if (id) this.buffers.set(id, buffer);
    return buffer;
  }

  fadeOut() {
    const voice = this.playing;
    this.playing = null;
    if (!voice) return;
    const now = this.context.currentTime;
    voice.gain.gain.setValueAtTime(voice.gain.gain.value, now);
    voice.gain.gain.linearRampToValueAtTime(0, now + FADE_SECONDS);
    voice.source.stop(now + FADE_SECONDS);
  }

  restLater() {
    clearTimeout(this.restTimer);
    this.restTimer = setTimeout(() => {
      if (!this.playing && this.context && this.context.state === 'running')
        this.context.suspend().catch(() => {});
    }, REST_AFTER_MS);
  }
}
