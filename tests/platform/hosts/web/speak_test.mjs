// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's voice (?speak): its file read apart from the program, and in Debian's Chromium the
// voice heard when the headless run with --speak says, loaded only when asked for, and kept for
// play with no network.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { readVoice } from '../../../../platform/hosts/web/voice.js';
import { launch, needSite, serve } from './harness.mjs';
import { clickPage as click, headless } from './screens.mjs';

const TITLE_TAP = [120, 160];
const NEXT_ARROW = [170, 282];
// A voice never starts sooner after the sound before it than headless (the page's clock has
// fractions of the headless milliseconds); later only by the browser's own lateness, which on a
// busy machine can reach a tenth of a second. A voice that waited for input would come seconds
// late, or not at all.
const SOONER_MS = 1;
const LATE_MS = 250;

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

async function open(context, query) {
  const page = await context.newPage();
  page.on('pageerror', (e) => assert.fail(`the page threw: ${e.message}`));
  await page.goto(server.url + query);
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

// Each voice follows the sound before it as long after as it does headless; gives the latest.
function sameVoice(page, want) {
  assert.deepEqual(
    page.map(([, id]) => id),
    want.map(([, id]) => id),
  );
  let latest = 0;
  for (let i = 1; i < want.length; ++i) {
    if (want[i][1] >= 20000) continue;
    const late = page[i][0] - page[i - 1][0] - (want[i][0] - want[i - 1][0]);
    assert.ok(late >= -SOONER_MS && late <= LATE_MS, `sound ${want[i][1]} came ${late.toFixed(1)} ms off the headless run`);
    latest = Math.max(latest, late);
  }
  return latest;
}

test('with ?speak the page says what the headless run says, as long after each sound', async (t) => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const page = await open(context, '?start-tick=2026&test&speak');
  await click(page, TITLE_TAP);
  assert.equal((await heard(page, 4)).length, 4, 'the first card says its letter and its word');
  await click(page, NEXT_ARROW);
  const late = sameVoice(await heard(page, 7), headless('500 down 120 160\n540 up 120 160\n4000 down 170 282\n4040 up 170 282\n', { speak: true }).sounds);
  t.diagnostic(`the voice came at most ${late.toFixed(1)} ms later than headless`);
  await context.close();
});

test('the voice is fetched only with ?speak, and kept for play with no network', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const earlier = server.requests.length;
  const plain = await open(context, '?test');
  await plain.evaluate(() => navigator.serviceWorker.ready);
  assert.ok(!server.requests.slice(earlier).includes('/voice.bin'), 'a page without ?speak fetched the voice');
  await plain.close();

  const page = await open(context, '?start-tick=2026&test&speak');
  await page.waitForFunction(async () => !!(await caches.match('voice.bin')), null, { timeout: 10000 });
  await context.setOffline(true);
  await page.reload();
  await page.waitForFunction(() => window.quillbyTest?.firstFrameMs != null);
  await click(page, TITLE_TAP);
  const sounds = (await heard(page, 4)).map(([, id]) => id);
  assert.deepEqual(sounds, [20006, 20003, 1400, 1500]);
  await context.close();
});
