// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's voice (?speak): its file read apart from the program, and in Debian's Chromium the
// voice heard when the headless run with --speak says, loaded only when asked for, only the
// page's language's, and kept for play with no network.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { readVoice } from '../../../../platform/hosts/web/voice.js';
import { launch, needSite, serve } from './harness.mjs';
import { clickPage as click, headless } from './screens.mjs';

const TITLE_TAP = [120, 160];
const NEXT_ARROW = [170, 282];
// What the voice test taps, as a script for the headless run.
const SCRIPT = '500 down 120 160\n540 up 120 160\n4000 down 170 282\n4040 up 170 282\n';
// The narrator asks for a voice once the sound before it has ended by the program's clock,
// counting a game sound from when it heard of it, after the sound had reached the page, and a
// voice from the tick it said it at, with a pause after. The page notes each sound as it
// reaches it: after that tick by the rest of the loop's pass (finding and decoding the clip) and
// by whatever the browser or the machine does meanwhile, more one time than another. So after a
// game sound a voice never comes sooner than headless (but for the tick's fraction); after a
// voice it can seem to by a few milliseconds, yet never so much that it starts before that voice
// has ended. How much later than headless each comes is the machine's (bench/measure_web.mjs
// measures it); one that waited for anything but its time (input, the loop's rest) would come a
// second or more late, or not at all.
const PAUSE_MS = 150; // after a voice (the narrator's)
const TICK_MS = 1; // the program's clock has whole milliseconds, the page's fractions of them
const LATE_MS = 1000;

test('a voice file is read clip by clip and refused when it is not whole', () => {
  const file = new Uint8Array([...'QVC1'].map((c) => c.charCodeAt(0)).concat([0x78, 5, 0, 0, 2, 0, 0, 0, 7, 8]));
  assert.deepEqual(
    readVoice(file.buffer).map((c) => [c.id, [...c.bytes]]),
    [[1400, [7, 8]]],
  );
  assert.deepEqual(readVoice(file.subarray(0, 4).slice().buffer), []);
  for (const cut of [3, 5, 11, 13]) assert.throws(() => readVoice(file.slice(0, cut).buffer), `${cut} bytes`);
});

let browser;
let server;
before(async () => {
  needSite('voice.bin');
  [server, browser] = await Promise.all([serve(), launch()]);
});
after(async () => Promise.all([browser?.close(), server?.close()]));

async function open(context, query, site = server) {
  const page = await context.newPage();
  page.on('pageerror', (e) => assert.fail(`the page threw: ${e.message}`));
  await page.goto(site.url + query);
  await page.waitForFunction(() => window.quillbyTest?.firstFrameMs != null);
  return page;
}

// The sounds the page played, [ms, id] each, once `count` have.
async function heard(page, count) {
  await page.waitForFunction((n) => window.quillbyTest.sounds.length >= n, count, { timeout: 10000 });
  await page.waitForTimeout(1500); // nothing more comes
  const { sounds, soundTimes } = await page.evaluate(() => window.quillbyTest);
  return sounds.map((id, i) => [soundTimes[i], id]);
}

// Each voice comes once the sound before it has ended, not long after it does headless; gives
// how much later than headless each came.
function sameVoice(page, want) {
  assert.deepEqual(
    page.map(([, id]) => id),
    want.map(([, id]) => id),
  );
  const offs = [];
  for (let i = 1; i < want.length; ++i) {
    if (want[i][1] >= 20000) continue;
    const late = page[i][0] - page[i - 1][0] - (want[i][0] - want[i - 1][0]);
    const sooner = (want[i - 1][1] < 20000 ? PAUSE_MS : 0) + TICK_MS;
    assert.ok(late > -sooner, `sound ${want[i][1]} came ${(-late).toFixed(1)} ms sooner than headless, before the sound before it had ended`);
    assert.ok(late < LATE_MS, `sound ${want[i][1]} came ${late.toFixed(1)} ms later than headless`);
    offs.push(late);
  }
  return offs;
}

test('with ?speak the page says what the headless run says, each voice once the sound before it has ended', async (t) => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const page = await open(context, '?start-tick=2026&test&speak');
  await click(page, TITLE_TAP);
  assert.equal((await heard(page, 4)).length, 4, 'the first card says its letter and its word');
  await click(page, NEXT_ARROW);
  const offs = sameVoice(await heard(page, 7), headless(SCRIPT, { speak: true }).sounds);
  t.diagnostic(`after the sound before it, each voice came ${offs.map((ms) => ms.toFixed(1)).join(', ')} ms later than headless`);
  await context.close();
});

// The voice files `site` was asked for since request `from`, each once.
const voicesFetched = (site, from) => [...new Set(site.requests.slice(from).filter((path) => /^\/voice[^/]*\.bin$/.test(path)))];

test('the voice is fetched only with ?speak, in English only English\'s, and kept for play with no network', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  for (const query of ['?test', '?test&lang=de']) {
    const earlier = server.requests.length;
    const plain = await open(context, query);
    await plain.evaluate(() => navigator.serviceWorker.ready);
    assert.deepEqual(voicesFetched(server, earlier), [], `a page with ${query} and no ?speak fetched a voice`);
    await plain.close();
  }

  const earlier = server.requests.length;
  const page = await open(context, '?start-tick=2026&test&speak');
  await page.waitForFunction(async () => !!(await caches.match('voice.bin')), null, { timeout: 10000 });
  assert.deepEqual(voicesFetched(server, earlier), ['/voice.bin']);
  await context.setOffline(true);
  await page.reload();
  await page.waitForFunction(() => window.quillbyTest?.firstFrameMs != null);
  await click(page, TITLE_TAP);
  const sounds = (await heard(page, 4)).map(([, id]) => id);
  assert.deepEqual(sounds, [20006, 20003, 1400, 1500]);
  await context.close();
});

// A German page, by ?lang= or by the browser's languages, fetches the German voice alone and
// says what the headless run in German says; without the file it plays on silent, saying so once
// in the console.
test('a page in German fetches only the German voice, and plays on silent without it', async () => {
  const want = headless('500 down 120 160\n540 up 120 160\n', { speak: true, language: 'de' }).sounds.map(([, id]) => id);
  const asked = await browser.newContext({ viewport: { width: 480, height: 640 } });
  let earlier = server.requests.length;
  const page = await open(asked, '?start-tick=2026&test&speak&lang=de');
  assert.deepEqual(voicesFetched(server, earlier), ['/voice-de.bin']);
  await click(page, TITLE_TAP);
  assert.deepEqual((await heard(page, want.length)).map(([, id]) => id), want, 'the German page does not say what the headless run in German says');
  await page.waitForFunction(async () => !!(await caches.match('voice-de.bin')), null, { timeout: 10000 });
  await asked.close();

  const missing = await serve(undefined, { missing: ['/voice-de.bin'] });
  const german = await browser.newContext({ viewport: { width: 480, height: 640 }, locale: 'de-DE' });
  try {
    const warnings = [];
    german.on('console', (m) => m.type() === 'warning' && warnings.push(m.text()));
    earlier = missing.requests.length;
    const silent = await open(german, '?start-tick=2026&test&speak', missing);
    assert.deepEqual(voicesFetched(missing, earlier), ['/voice-de.bin'], 'a German browser\'s page fetched another voice');
    assert.deepEqual(
      warnings.filter((w) => w.includes('voice')),
      [`quillby: no voice: voice-de.bin: 404 Not Found`],
    );
    await click(silent, TITLE_TAP);
    assert.deepEqual((await heard(silent, 2)).map(([, id]) => id), [20006, 20003], 'the game did not play on without its voice');
  } finally {
    await german.close();
    await missing.close();
  }
});
