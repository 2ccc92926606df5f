// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page in a tab that is hidden, frozen, cached and restored, or opened behind another, whose
// sound the system stops, on a phone that is turned and has a notch, and in a browser without
// Web Locks. Chromium over its DevTools pipe (devtools_pipe.mjs), against the headless
// program's screenshots.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { fitPicture } from '../../../../platform/hosts/web/layout.js';
import { launchOverPipe } from './devtools_pipe.mjs';
import { needSite, serve } from './harness.mjs';
import { startsOnceShown } from './hidden_start.mjs';
import { golden, headless, shows } from './screens.mjs';

const START = '?start-tick=2026&test';
const TITLE_TAP = [120, 160];
const QUIZ_SWITCH = [75, 20];
// At start tick 2026 the quiz asks for B (the bus, bottom right, is right), then Z (the
// zebra, top right), then p (the violin, bottom right, is wrong).
const BOTTOM_RIGHT = [180, 262];
const TOP_RIGHT = [180, 55];
const NEXT_ARROW = [170, 282];
const ALREADY_OPEN = 'Quillby is already open in another tab.';
const CLICK_SOUND = 20000;
const SWITCH_SOUND = 20003;
const SPARKLE_MS = 2000; // two loops of four frames at four a second

let browser;
let server;

before(async () => {
  needSite();
  server = await serve();
  browser = await launchOverPipe();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// Into the quiz, then the right answer and the wrong one of two rounds.
const { shots } = headless(
  '100 down 120 160\n140 up 120 160\n1000 down 75 20\n1040 up 75 20\n2000 down 180 262\n2040 up 180 262\n5000 shot round2\n' +
    '6000 down 180 55\n6040 up 180 55\n9000 shot round3\n10000 down 180 262\n10040 up 180 262\n11000 shot wrong\n',
);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const started = (tab) => tab.waitFor(() => window.quillbyTest?.firstFrameMs != null, 'the first frame');
const state = (tab) =>
  tab.evaluate(() => ({
    visibility: document.visibilityState,
    frames: window.quillbyTest.frames.length,
    ...window.noted,
  }));
// Notes when the last press came, and when the page was hidden and shown with how many
// frames it had shown by then (before the page's own script hears of it).
const NOTE_AWAY = `window.noted = {};
addEventListener('pointerdown', () => (noted.pressedAt = performance.now()), true);
document.addEventListener('visibilitychange', () => {
  if (document.visibilityState === 'hidden') Object.assign(noted, { hiddenAt: performance.now(), framesAtHiding: quillbyTest.frames.length });
  else noted.shownAt = performance.now();
});`;

async function intoQuiz(tab) {
  await started(tab);
  await tab.tap(TITLE_TAP);
  await shows(tab, golden('card'));
  await tab.tap(QUIZ_SWITCH);
  await shows(tab, golden('quiz'));
}

// A right answer's sparkle is under way: the page goes away for longer than the sparkle
// lasts (`goAway`, which leaves it hidden) and comes back (`comeBack`). Away, the game stands
// still (a hidden tab's timers still run, once a second) and nothing sounds; back, the sparkle
// plays on, not over at once, and the next round is the headless one. Gives how long the page
// was shown meanwhile: the sparkle and what the machine added, which is the machine's.
async function awayMidSparkle(tab, right, next, goAway, comeBack) {
  const asked = await tab.evaluate(() => window.quillbyTest.sounds.length);
  await tab.tap(right);
  await tab.waitFor((n) => window.quillbyTest.sounds.length > n, 'the right answer', asked);
  await goAway();
  const away = await state(tab);
  assert.equal(away.visibility, 'hidden');
  assert.equal(away.frames, away.framesAtHiding, 'the game moved while the page was away');
  // The context rests a moment after it is told to (after a freeze, once the page runs again).
  await tab.waitFor(() => window.quillbyTest.audioState() !== 'running', 'the sound to stop in a page no one sees');
  await comeBack();
  await shows(tab, next);
  // The time the page was shown from the press to the next round: the sparkle's eight steps
  // of more than 250 ms each by the game's clock, which runs only then, and what a busy
  // machine adds. A sparkle that went on while the page was away would end sooner.
  const { pressedAt, hiddenAt, shownAt } = await state(tab);
  const shownMs = hiddenAt - pressedAt + (await tab.evaluate(() => performance.now())) - shownAt;
  assert.ok(shownMs > SPARKLE_MS, `the sparkle was shown for only ${shownMs.toFixed(0)} ms`);
  return shownMs;
}

// Off to another page of the site, and back through the history. A page goes once the site's
// service worker has taken it over: its claim would otherwise take the page from the cache.
async function away(tab) {
  await tab.waitFor(() => navigator.serviceWorker.controller !== null, 'the service worker to take the page');
  await tab.send('Page.navigate', { url: server.url + 'icon-192.png' });
  await tab.waitFor(() => location.pathname.endsWith('.png'), 'the other page');
}
// Chromium may have let the page go from its cache (a busy machine is one reason): then the
// page loads afresh, and true comes back only when it was kept.
async function back(tab) {
  const { currentIndex, entries } = await tab.send('Page.getNavigationHistory');
  await tab.send('Page.navigateToHistoryEntry', { entryId: entries[currentIndex - 1].id });
  await tab.waitFor(() => !location.pathname.endsWith('.png') && document.readyState === 'complete', 'the page again');
  return tab.evaluate(() => window.restored === true);
}
const NOTE_RESTORED = `addEventListener('pageshow', (e) => { if (e.persisted) window.restored = true; });`;
// Each test's tabs are in a private window of the test's own, closed when the test ends,
// however it ends: what a failing test's tabs held (the one game's lock, a frozen page) is no
// later test's, so a fault fails its own test only.
const windows = new WeakMap();
async function open(t, options) {
  if (!windows.has(t)) {
    windows.set(t, browser.window());
    t.after(async () => (await windows.get(t)).close());
  }
  return (await windows.get(t)).open(server.url + START, options);
}

async function refusedSecondTab(t) {
  const second = await open(t);
  await second.waitFor(() => !document.getElementById('message').hidden, 'the second tab to answer');
  assert.equal(await second.evaluate(() => document.getElementById('message').textContent), ALREADY_OPEN);
  await second.close();
}

test('hidden, frozen and kept in the back-forward cache, the game goes on where it was and keeps the tab', async (t) => {
  const tab = await open(t, { init: NOTE_AWAY + NOTE_RESTORED });
  await intoQuiz(tab);
  const hide = async () => {
    await tab.hide();
    await sleep(SPARKLE_MS * 1.5);
  };
  const hidden = await awayMidSparkle(tab, BOTTOM_RIGHT, shots.round2, hide, () => tab.show());
  // Frozen, a page runs nothing, not even a look at it from here; resumed, it is still hidden.
  const freeze = async () => {
    await tab.send('Page.setWebLifecycleState', { state: 'frozen' });
    await sleep(SPARKLE_MS);
    await tab.send('Page.setWebLifecycleState', { state: 'active' });
  };
  const frozen = await awayMidSparkle(tab, TOP_RIGHT, shots.round3, freeze, () => tab.show());
  t.diagnostic(`the sparkle was shown for ${hidden.toFixed(0)} ms around the page hidden, ${frozen.toFixed(0)} ms around it frozen`);
  await refusedSecondTab(t);

  await away(tab);
  if (await back(tab)) {
    await shows(tab, shots.round3);
    await tab.tap(BOTTOM_RIGHT);
    await shows(tab, shots.wrong);
    await refusedSecondTab(t);
  } else t.diagnostic('Chromium did not keep the page in its back-forward cache');
  assert.deepEqual(tab.errors, []);
});

test('a tab opened behind another starts its game, its clock and its opening sound only once shown', async (t) => {
  const tab = await open(t, { behind: true });
  await startsOnceShown(tab, () => tab.show());
  assert.deepEqual(tab.errors, []);
});

test('a press held as the tab hides lets go there, and the next tap after plays', async (t) => {
  const { shots: held } = headless('100 down 120 160\n140 up 120 160\n1000 down 170 282\n2000 up 170 282\n3000 down 75 20\n3040 up 75 20\n4000 shot quiz\n');
  const tab = await open(t);
  await started(tab);
  await tab.tap(TITLE_TAP);
  await shows(tab, golden('card'));
  await tab.press(NEXT_ARROW);
  await tab.hide();
  await tab.show();
  await tab.tap(QUIZ_SWITCH);
  await shows(tab, held.quiz);
});

test('a page back from the cache after another tab started a game says so rather than play a second, and plays once that game is over', async (t) => {
  const first = await open(t, { init: NOTE_RESTORED });
  await started(first);
  await away(first);
  const second = await open(t);
  await started(second);
  if (!(await back(first))) t.diagnostic('Chromium did not keep the page in its back-forward cache');
  await first.waitFor(() => !document.getElementById('message').hidden, 'the page to answer');
  assert.equal(await first.evaluate(() => document.getElementById('message').textContent), ALREADY_OPEN);
  assert.equal(await first.evaluate(() => document.querySelectorAll('canvas').length), 0);
  await second.tap(TITLE_TAP);
  await shows(second, golden('card'));
  // That game over (its tab closed, its lock let go), the page shown again plays.
  await second.close();
  await away(first);
  await first.waitFor(async () => (await navigator.locks.query()).held.length === 0, 'the other game to end');
  await back(first);
  await first.waitFor(() => document.querySelector('canvas') && window.quillbyTest.firstFrameMs != null, 'a game in the page');
  await first.tap(TITLE_TAP);
  await shows(first, golden('card'));
});

test('sound that the system stopped, as a phone call does, comes back with the next tap', async (t) => {
  const tab = await open(t);
  await started(tab);
  await tab.tap(TITLE_TAP);
  await tab.waitFor((id) => window.quillbyTest.ended.includes(id), 'the first tap\'s sound played', SWITCH_SOUND);
  await tab.evaluate(() => window.quillbyTest.interruptAudio());
  await tab.waitFor(() => window.quillbyTest.audioState() === 'suspended', 'the sound stopped');
  const before = await tab.evaluate(() => window.quillbyTest.ended.length);
  await tab.tap(QUIZ_SWITCH);
  await tab.waitFor((n, id) => window.quillbyTest.ended.slice(n).includes(id), 'the next tap\'s sound played', before, CLICK_SOUND);
});

// A notched phone, turned: its size in CSS pixels and what of it is clear of the notch, the
// rounded corners and the home indicator.
const phone = (width, height, angle, insets) => ({
  metrics: { width, height, deviceScaleFactor: 3, mobile: true, screenOrientation: { type: angle ? 'landscapePrimary' : 'portraitPrimary', angle } },
  insets,
});
const PORTRAIT = phone(390, 844, 0, { top: 47, bottom: 34 });
const LANDSCAPE = phone(844, 390, 90, { left: 47, right: 47, bottom: 21 });

// Turns the phone; by the frame after, the picture has its new place: the largest that fits
// clear of the insets, on whole screen pixels (as near as the browser's layout, in 64ths of a
// CSS pixel, comes to them).
async function turn(tab, { metrics, insets }) {
  await tab.send('Emulation.setSafeAreaInsetsOverride', { insets });
  await tab.turn(metrics);
  const box = await tab.evaluate(() => new Promise((done) => requestAnimationFrame(() => done(document.getElementById('display').getBoundingClientRect().toJSON()))));
  const { top = 0, right = 0, bottom = 0, left = 0 } = insets;
  const fit = fitPicture(metrics.width - left - right, metrics.height - top - bottom, metrics.deviceScaleFactor);
  const want = [left + fit.left, top + fit.top, fit.width, fit.height];
  const have = [box.x, box.y, box.width, box.height];
  for (let i = 0; i < 4; ++i)
    assert.ok(Math.abs(have[i] - want[i]) < 1 / 64, `${metrics.width}x${metrics.height}: the picture at ${have}, not ${want}`);
}

test('a phone turned, also mid-sparkle, refits the picture at once clear of its notch, and a finger lands where it touches', async (t) => {
  const tab = await open(t, PORTRAIT);
  await intoQuiz(tab);
  await turn(tab, LANDSCAPE);
  await turn(tab, PORTRAIT);
  await tab.tap(BOTTOM_RIGHT);
  await turn(tab, LANDSCAPE);
  await turn(tab, PORTRAIT);
  await shows(tab, shots.round2);
  await turn(tab, LANDSCAPE);
  await tab.tap(TOP_RIGHT);
  await shows(tab, shots.round3);
  assert.deepEqual(tab.errors, []);
});

test('a browser without Web Locks plays, in every tab, and says nothing of it', async (t) => {
  const init = 'delete Navigator.prototype.locks;';
  const tabs = [];
  for (let n = 0; n < 2; ++n) {
    tabs.push(await open(t, { init }));
    await started(tabs[n]);
  }
  await tabs[1].tap(TITLE_TAP);
  await shows(tabs[1], golden('card'));
  for (const tab of tabs) {
    assert.equal(await tab.evaluate(() => document.getElementById('message').hidden), true);
    assert.deepEqual(tab.errors, []);
  }
});
