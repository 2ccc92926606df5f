// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A page that loads where no one sees it, in a tab opened behind another (as an installed app
// relaunched behind the lock screen is): until it is first shown, its game has not started, so
// no frame is drawn and no opening sound asked for, and its clock stands; shown, the game
// starts at its title, with its sound, and its clock runs. What the lifecycle test (Chromium)
// and the page's cases (the engines whose drivers open a tab behind another) hold it to. A tab
// is anything with `evaluate(fn)`.
import assert from 'node:assert/strict';
import { golden, headless, shows } from './screens.mjs';

const WAIT_MS = 20000; // a cold browser on a busy 2-core machine
// How long the hidden page is watched once nothing but its absence holds its game: a game that
// started would have drawn its first frame at once, and a clock that ran would have moved.
const WATCHED_MS = 1500;
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

async function until(tab, fn, what) {
  const end = Date.now() + WAIT_MS;
  while (!(await tab.evaluate(fn).catch(() => false))) {
    if (Date.now() > end) assert.fail(`${what} did not happen within ${WAIT_MS / 1000} s`);
    await sleep(100);
  }
}

const look = (tab) =>
  tab.evaluate(() => ({
    visibility: document.visibilityState,
    clock: window.quillbyTest.clock(),
    frames: window.quillbyTest.frames.length,
    sounds: window.quillbyTest.sounds,
  }));

// `tab` is loading the page (with ?start-tick=2026&test) behind another; `show()` brings it
// forward.
export async function startsOnceShown(tab, show) {
  await until(tab, () => window.quillbyTest?.readyMs != null, 'the program arriving in the hidden page');
  const first = await look(tab);
  await sleep(WATCHED_MS);
  const hidden = await look(tab);
  assert.equal(hidden.visibility, 'hidden', 'the browser showed the tab opened behind another');
  const ran = hidden.clock - first.clock;
  assert.equal(ran, 0, `in a page that loaded hidden the game's clock ran ${ran.toFixed(0)} ms before the page was shown: its visibility went unchecked at load`);
  assert.equal(hidden.frames, 0, 'a page that loaded hidden drew the game before it was shown');
  assert.deepEqual(hidden.sounds, [], 'a page that loaded hidden asked for the opening sound before it was shown');
  await show();
  await until(tab, () => window.quillbyTest.firstFrameMs != null, 'the first frame once the page was shown');
  await shows(tab, golden('title'));
  const shown = await look(tab);
  assert.equal(shown.visibility, 'visible');
  assert.ok(shown.clock > hidden.clock, "the game's clock stood once the page was shown");
  const opening = headless('1000 shot title\n').sounds.map(([, id]) => id);
  assert.deepEqual(shown.sounds, opening, 'the opening sound once the page was shown');
}
