// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's own modules without a browser: where the picture sits, when a sound may play, when
// the page counts as away, and a one-game lock that cannot be had. (Which pointer is the stylus, and the page's life in a
// tab, the browser tests show: page_cases.mjs, lifecycle_test.mjs.)
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { fitPicture } from '../../../../platform/hosts/web/layout.js';
import { Presence } from '../../../../platform/hosts/web/lifecycle.js';
import { OneGame } from '../../../../platform/hosts/web/one_game.js';
import { FADE_SECONDS, SoundPlayer } from '../../../../platform/hosts/web/sound.js';

test('the picture takes the largest size that fits, a whole scale where that gives up little', () => {
  const cases = [
    // viewport, pixel ratio => scale, CSS box
    { view: [480, 640], ratio: 1, scale: 2, box: [0, 0, 480, 640] },
    { view: [1280, 720], ratio: 1, scale: 2, box: [400, 40, 480, 640] }, // 2.25 fits: 2 keeps 89 %
    { view: [1366, 768], ratio: 1, scale: 2.4, box: [395, 0, 576, 768] }, // 2 would keep 83 %
    { view: [390, 844], ratio: 3, scale: 4.875, box: [0, 162, 390, 520] }, // a phone
    { view: [800, 1280], ratio: 2, scale: 6, box: [40, 160, 720, 960] }, // a tablet: 6.67 fits
    { view: [200, 200], ratio: 1, scale: 0.625, box: [25, 0, 150, 200] }, // smaller than the display
  ];
  for (const { view, ratio, scale, box } of cases) {
    const place = fitPicture(view[0], view[1], ratio);
    assert.equal(place.scale, scale, `${view} at ${ratio}`);
    assert.deepEqual([place.left, place.top, place.width, place.height], box, `${view} at ${ratio}`);
  }
});

// An audio context that records what is done with it.
function fakeContext(state) {
  const log = [];
  const context = {
    state,
    currentTime: 10,
    destination: {},
    resume: async () => {
      log.push('resume');
      context.state = 'running';
    },
    suspend: async () => log.push('suspend'),
    createBuffer: (channels, length, rate) => ({ length, rate, duration: length / rate, copyToChannel: () => {} }),
    createGain: () => ({
      gain: { value: 1, setValueAtTime: () => {}, linearRampToValueAtTime: (v, t) => log.push(`ramp ${v} ${t}`) },
      connect: (next) => next,
    }),
    createBufferSource: () => {
      const source = {
        connect: (gain) => gain,
        start: (t) => log.push(`start ${source.buffer.length}${t === undefined ? '' : ` at ${t}`}`),
        stop: (t) => log.push(`stop ${t}`),
      };
      return source;
    },
  };
  return { context, log };
}

test('sound plays from the first touch on, before it only where the page may already play', () => {
  const click = Uint8Array.of(1, 2, 3, 4);
  const cases = [
    { state: 'suspended', touch: false, played: false, log: [] },
    { state: 'running', touch: false, played: true, log: ['start 2'] },
    { state: 'suspended', touch: true, played: true, log: ['resume', 'start 2'] },
  ];
  for (const { state, touch, played, log } of cases) {
    const fake = fakeContext(state);
    const player = new SoundPlayer(() => fake.context);
    player.open();
    if (touch) player.touch();
    assert.equal(player.play(20000, 22050, 16, click), played, `${state}, touched: ${touch}`);
    assert.deepEqual(fake.log, log, `${state}, touched: ${touch}`);
  }
});

test('the opening sound waits for the context, then plays only where the page may play', () => {
  for (const [state, log] of [['running', ['start 2']], ['suspended', []]]) {
    const fake = fakeContext(state);
    const player = new SoundPlayer(() => fake.context);
    const heap = Uint8Array.of(1, 2, 3, 4);
    assert.equal(player.play(20006, 22050, 16, heap), false);
    heap.fill(0); // the program's memory moves on
    player.open();
    assert.deepEqual(fake.log, log, state);
  }
});

test('a new sound replaces the one playing, which fades out; no sound fades out to silence', () => {
  const fake = fakeContext('running');
  const player = new SoundPlayer(() => fake.context, () => 0); // each asked for while the last plays
  player.open();
  const wave = Uint8Array.from({ length: 8 }, (_, i) => 128 + i);
  player.play(20006, 11025, 8, wave);
  player.play(20000, 11025, 8, wave.subarray(0, 4));
  player.play(0, 0, 0, new Uint8Array());
  player.play(20006, 11025, 8, new Uint8Array(8)); // the first picture of this id is kept
  const end = 10 + FADE_SECONDS;
  assert.deepEqual(fake.log, ['start 8', `ramp 0 ${end}`, `stop ${end}`, 'start 4', `ramp 0 ${end}`, `stop ${end}`, 'start 8']);
});

// The program's clock runs ahead of what the context has played: a sound asked for once the one
// before has ended by that clock follows it, whatever the context has played; sooner, it cuts in.
test('a sound asked for after the one before has ended follows it instead of cutting its end', () => {
  const fake = fakeContext('running');
  let clock = 0;
  const player = new SoundPlayer(() => fake.context, () => clock);
  player.open();
  const wave = new Uint8Array(441); // 40 ms at 11,025 a second
  player.play(20000, 11025, 8, wave);
  clock = 40;
  player.play(1400, 11025, 8, wave);
  clock = 50;
  player.play(20007, 11025, 8, wave.subarray(0, 220));
  const end = 10 + FADE_SECONDS;
  assert.deepEqual(fake.log, ['start 441', 'start 441 at 10.04', `ramp 0 ${end}`, `stop ${end}`, 'start 220']);
});

test('a page that goes away fades out what plays, rests the context and plays nothing until it is back', () => {
  const fake = fakeContext('running');
  const player = new SoundPlayer(() => fake.context);
  player.open();
  player.touch();
  const wave = Uint8Array.from({ length: 8 }, (_, i) => 128 + i);
  player.play(20002, 11025, 8, wave);
  player.setAway(true);
  assert.equal(player.play(20000, 11025, 8, wave), false);
  player.setAway(false);
  fake.context.state = 'suspended';
  assert.equal(player.play(20000, 11025, 8, wave), true);
  const end = 10 + FADE_SECONDS;
  assert.deepEqual(fake.log, ['start 8', `ramp 0 ${end}`, `stop ${end}`, 'suspend', 'resume', 'start 8']);
});

test('a page that goes away while the context still wakes from a touch rests it all the same', () => {
  const fake = fakeContext('suspended');
  fake.context.resume = async () => fake.log.push('resume'); // it runs only later
  const player = new SoundPlayer(() => fake.context);
  player.open();
  player.touch();
  player.setAway(true);
  assert.deepEqual(fake.log, ['resume', 'suspend']);
});

test('a page that loads hidden is away from the start, and back once every reason it was away for has gone', async () => {
  const doc = Object.assign(new EventTarget(), { visibilityState: 'hidden' });
  const heard = [];
  const presence = new Presence(() => heard.push('away'), () => heard.push('back'));
  presence.watch(doc);
  assert.deepEqual(heard, ['away'], 'a page that loaded hidden counts as there: its visibility went unchecked at load');
  let started = false;
  const start = presence.present().then(() => (started = true));
  doc.dispatchEvent(new Event('freeze'));
  doc.visibilityState = 'visible';
  doc.dispatchEvent(new Event('visibilitychange'));
  await Promise.resolve();
  assert.equal(started, false, 'what waits for the page went on while it was still frozen');
  doc.dispatchEvent(new Event('resume'));
  await start;
  assert.deepEqual(heard, ['away', 'back']);
});

test('a browser without Web Locks, or one that refuses them here, plays without the one-game check', async () => {
  const refusing = { request: () => Promise.reject(new DOMException('opaque origin', 'SecurityError')) };
  const throwing = {
    request: () => {
      throw new TypeError('no locks here');
    },
  };
  for (const locks of [null, refusing, throwing]) assert.equal(await new OneGame(locks).claim(), true);
});
