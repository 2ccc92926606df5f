// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page around the program: one game per browser, the canvas fitted to the viewport, the
// stylus, sound, and "Play again" once the game has ended. quillby.js (the program, built
// by Emscripten) calls `quillbyPage` below through library_quillby.js.

import { DISPLAY_HEIGHT, DISPLAY_WIDTH, fitPicture } from './layout.js';
import { GameClock, Presence } from './lifecycle.js';
import { LoopWait } from './loop_wait.js';
import { OneGame } from './one_game.js';
import { SoundPlayer } from './sound.js';
import { Stylus } from './stylus.js';

const params = new URLSearchParams(location.search);
// `?test` keeps a record for the browser tests and the benchmark; a page without it keeps none.
// Errors are in it because not every browser's driver can read the console.
const record = params.has('test')
  ? (window.quillbyTest = {
      sounds: [], soundTimes: [], ended: [], audio: [], frames: [], lateness: [], firstFrameMs: null, exits: [], errors: [],
    })
  : null;
// `?speak` gives the game its voice (as --speak does): a file of its own for the language the
// program chooses, fetched only then; the game plays on without it when it cannot be had.
const speak = params.has('speak');
const voice = speak ? import('./voice.js') : null;
let voiceUrl = null; // the file of the page's language, once chosen
if (record) {
  window.addEventListener('error', (e) => record.errors.push(String(e.message)));
  window.addEventListener('unhandledrejection', (e) => record.errors.push(String(e.reason)));
}

const canvas = document.getElementById('display');
const context = canvas.getContext('2d', { alpha: false });
const ended = document.getElementById('ended');
const again = document.getElementById('again');
// The title as the program draws it, made by the program when the page was built: shown at
// once, before the program has arrived, and again, dimmed, when a game has ended.
const title = document.getElementById('title');
const waiting = document.getElementById('waiting');
// How long the title may stand before a sign says that the game is still on its way.
const WAITING_SIGN_AFTER_MS = 800;
let waitingTimer = 0;

// `?start-tick=N` sets the tick the game starts at, as --start-tick does; otherwise the page's
// clock does, so every visit plays different rounds.
function startTick() {
  const given = params.get('start-tick');
  if (given !== null && /^\d{1,10}$/.test(given) && Number(given) <= 0xffffffff) return Number(given);
  return Date.now() >>> 0;
}

// The picture fits the viewport less the insets of a notched screen (the body's padding,
// page.css), so that nothing of it hides behind a notch or a home indicator in full screen.
function fitCanvas() {
  const view = window.visualViewport;
  const inset = getComputedStyle(document.body);
  const [top, right, bottom, left] = ['Top', 'Right', 'Bottom', 'Left'].map((side) => parseFloat(inset[`padding${side}`]) || 0);
  const place = fitPicture(
    (view ? view.width : window.innerWidth) - left - right,
    (view ? view.height : window.innerHeight) - top - bottom,
    window.devicePixelRatio || 1,
  );
  for (const element of [canvas, waiting])
    Object.assign(element.style, {
      width: `${place.width}px`,
      height: `${place.height}px`,
      left: `${left + place.left}px`,
      top: `${top + place.top}px`,
    });
}

// A turned phone reports its new size with the resize, or (some tablets) a frame later.
function refit() {
  fitCanvas();
  requestAnimationFrame(fitCanvas);
}

const inputs = [];
// How late the program's timed waits end is in the record.
const loop = new LoopWait(record && ((ms) => record.lateness.length < 100000 && record.lateness.push(ms)));

// The program's clock, which stands still while the page is away; sounds are spaced by it too.
const clock = new GameClock();
const sound = new SoundPlayer(undefined, () => clock.now());
const stylus = new Stylus((input) => {
  inputs.push(input);
  loop.wake();
});
if (record) {
  record.clock = () => clock.now();
  sound.onEnded = (id) => record.ended.push(id);
  // What the system does to a page's sound on a phone call.
  record.audioState = () => sound.context?.state ?? null;
  record.interruptAudio = () => sound.context?.suspend();
}

// Away, the program sleeps at its next wait with its clock stopped, the stylus lifts where it
// was (its release may never come) and nothing sounds; back, the program wakes where it was.
const presence = new Presence(
  () => {
    clock.stop();
    sound.setAway(true);
    loop.setAway(true);
    if (stylus.down) stylus.cancel(stylus.pointer);
  },
  () => {
    clock.run();
    sound.setAway(false);
    loop.setAway(false);
  },
);

function listen() {
  const box = () => canvas.getBoundingClientRect();
  canvas.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    if (e.pointerType === 'mouse' && e.button !== 0) return;
    sound.touch();
    noteAudio();
    if (stylus.press(e.pointerId, e.clientX, e.clientY, box())) canvas.setPointerCapture(e.pointerId);
  });
  canvas.addEventListener('pointermove', (e) => stylus.move(e.pointerId, e.clientX, e.clientY, box()));
  canvas.addEventListener('pointerup', (e) => stylus.release(e.pointerId, e.clientX, e.clientY, box()));
  canvas.addEventListener('pointercancel', (e) => stylus.cancel(e.pointerId));
  canvas.addEventListener('lostpointercapture', (e) => stylus.cancel(e.pointerId));
  for (const type of ['contextmenu', 'dblclick', 'selectstart', 'dragstart', 'gesturestart'])
    document.addEventListener(type, (e) => e.preventDefault());
  // A tablet may drop the canvas's pixels while the page is in the background.
  canvas.addEventListener('contextrestored', () => {
    if (shown && !canvas.classList.contains('ended'))
      quillbyPage.show(program.HEAPU8, shown, 0, 0, DISPLAY_WIDTH, DISPLAY_HEIGHT);
  });
  window.addEventListener('resize', refit);
  window.addEventListener('orientationchange', refit);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', refit);
}

// What a person would hear: whether the audio context ever ran.
function noteAudio() {
  const audio = sound.context;
  if (!record || !audio || record.audio.length) return;
  record.audio.push(audio.state);
  audio.addEventListener('statechange', () => record.audio.push(audio.state));
}

let program = null; // the program's module, once loaded
let shown = 0; // where in its memory the program keeps the whole picture the canvas shows

const quillbyPage = {
  openCanvas: () => canvas.isConnected,
  show(heap, rgba, left, top, width, height) {
    if (!shown) {
      canvas.classList.add('shown');
      clearTimeout(waitingTimer);
      waiting.hidden = true;
    }
    shown = rgba;
    const pixels = new Uint8ClampedArray(heap.buffer, rgba, DISPLAY_WIDTH * DISPLAY_HEIGHT * 4);
    context.putImageData(new ImageData(pixels, DISPLAY_WIDTH, DISPLAY_HEIGHT), 0, 0, left, top, width, height);
    // Making the audio context holds the page up: not while taps made during loading wait.
    if (!sound.opened && !inputs.length)
      requestAnimationFrame(() =>
        setTimeout(() => {
          sound.open();
          noteAudio();
        }),
      );
    if (!record) return;
    // The first frame is on the screen once the browser has drawn the page with it.
    if (!record.frames.length) requestAnimationFrame(() => (record.firstFrameMs = performance.now()));
    if (record.frames.length < 100000) record.frames.push({ at: performance.now(), left, top, width, height });
  },
  now: () => clock.now(),
  nextInput: () => inputs.shift() ?? null,
  wait: (ms, resume) => loop.wait(ms, resume, inputs.length > 0),
  playSound(id, rate, bits, bytes) {
    if (record) {
      record.sounds.push(id);
      record.soundTimes.push(performance.now());
    }
    sound.play(id, rate, bits, bytes);
  },
};

async function play() {
  for (;;) {
    ended.hidden = true;
    canvas.classList.remove('ended');
    // Taps made while the program was on its way wait here for it.
    const code = await program.ccall('quillby_run', 'number', ['number', 'number'], [startTick(), speak ? 1 : 0], {
      async: true,
    });
    if (record) record.exits.push(code);
    inputs.length = 0; // what the game left unread, such as its close button's release
    // The game has ended, as the program does on the desktop: the title, dimmed, and a
    // fresh game a tap away, from what the page already holds.
    if (title.complete && title.naturalWidth) context.drawImage(title, 0, 0);
    canvas.classList.add('ended');
    ended.hidden = false;
    again.focus();
    await new Promise((resolve) => again.addEventListener('click', resolve, { once: true }));
  }
}

function registerWorker() {
  if (!('serviceWorker' in navigator)) return;
  // The worker keeps the voice as it passes: on a first visit it came before the worker did.
  if (speak && !navigator.serviceWorker.controller)
    navigator.serviceWorker.addEventListener('controllerchange', () => voiceUrl && fetch(voiceUrl).catch(() => {}), { once: true });
  navigator.serviceWorker.register('sw.js').catch((e) => console.warn('quillby: no offline copy:', e.message));
}

// The title at once, before anything else; the program's first frame, the same picture, then
// changes no pixel. From now on taps wait for the program. Should it take a while, a sign
// says it is coming.
function showTitle() {
  fitCanvas();
  listen();
  const draw = () => {
    if (shown || !canvas.isConnected || !title.naturalWidth) return; // the program's frame shows it
    context.drawImage(title, 0, 0);
    canvas.classList.add('shown');
    waitingTimer = setTimeout(() => (waiting.hidden = false), WAITING_SIGN_AFTER_MS);
    if (record) requestAnimationFrame(() => (record.titleMs = performance.now()));
  };
  if (title.complete) draw();
  else title.addEventListener('load', draw, { once: true });
}

// quillby.js, which index.html lists after this script, has run or has failed to load.
const programArrived = new Promise((resolve, reject) => {
  const script = document.querySelector('script[src="quillby.js"]');
  if (window.createQuillby) resolve();
  script.addEventListener('load', resolve, { once: true });
  script.addEventListener('error', () => reject(new Error('quillby.js did not load')), { once: true });
});
programArrived.catch(() => {}); // the game's start reports it

async function run() {
  await programArrived;
  program = await window.createQuillby({ quillbyPage, printErr: (line) => console.warn(line) });
  // `?lang=de` or the browser's languages (English when Quillby has none of them), and with
  // ?speak that language's voice.
  const language = program.ccall('quillby_choose_language', 'string', ['number', 'string', 'string'], [params.has('lang') ? 1 : 0, params.get('lang') ?? '', (navigator.languages ?? [navigator.language]).join(':')]);
  if (voice)
    await voice
      .then((v) => v.loadVoice((voiceUrl = v.voiceFile(language))).then((clips) => () => v.handVoiceTo(program, clips)))
      .then((handOver) => handOver(), (e) => console.warn('quillby: no voice:', e.message));
  if (document.readyState === 'complete') registerWorker();
  else window.addEventListener('load', registerWorker, { once: true });
  // A page that loaded where no one sees it starts its game once it is first shown: its first
  // frame, its clock and its opening sound are for the person who looks.
  if (record) record.readyMs = performance.now();
  await presence.present();
  if (canvas.isConnected) await play(); // not when another tab's game came first meanwhile
}

// Instead of the game: one line for the person in front of the page.
function say(text) {
  canvas.remove();
  clearTimeout(waitingTimer);
  waiting.hidden = true;
  ended.hidden = true;
  const message = document.getElementById('message');
  message.textContent = text;
  message.hidden = false;
}

async function runOrSay() {
  try {
    await run();
  } catch (e) {
    console.error(e);
    if (record) record.errors.push(String(e));
    say(shown ? 'Quillby stopped. Reloading the page starts it again.' : 'Quillby could not start in this browser. Reloading the page may help.');
  }
}

showTitle();
// One game per browser: a second tab says so instead of starting another.
const oneGame = new OneGame();
let refused = false;
function refuse() {
  refused = true;
  say('Quillby is already open in another tab.');
}
presence.watch();
window.addEventListener('pagehide', (e) => {
  if (!e.persisted) return;
  presence.set('cached', true);
  oneGame.giveUp();
});
window.addEventListener('pageshow', (e) => {
  if (!e.persisted) return;
  // A page that had said another tab plays starts afresh: that game may have ended. (Its own
  // game, if it had one, sleeps on for good.)
  if (refused) location.reload();
  else oneGame.claim().then((mine) => (mine ? presence.set('cached', false) : refuse()));
});
oneGame.claim().then((mine) => (mine ? runOrSay() : refuse()));
