// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page in Debian's Chromium: the canvas's own pixels against the headless golden
// screenshots, sounds against the headless log, touch, the close button and "Play again",
// offline after one visit, and one game per browser.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { ROOT, SITE, launch, serve } from './harness.mjs';

const START = `?start-tick=2026&test`;
const TITLE_TAP = [120, 160];
const QUIZ_SWITCH = [75, 20];
const CLOSE = [227, 13];
const NEXT_ARROW = [170, 282];

let browser;
let server;

before(async () => {
  assert.ok(existsSync(join(SITE, 'quillby.wasm')), `no page in ${SITE}: run make web`);
  server = await serve();
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

async function open(context, query = START) {
  const page = await context.newPage();
  page.on('pageerror', (e) => assert.fail(`the page threw: ${e.message}`));
  await page.goto(server.url + query);
  await page.waitForFunction(() => window.quillbyTest?.firstFrameMs != null);
  return page;
}

const golden = (name) => ({ name: `the golden ${name}`, png: readFileSync(join(ROOT, 'tests/golden', `${name}.png`)) });

// Pixels of the canvas that differ from a screenshot, read from the canvas itself.
function differingPixels(page, shot) {
  return page.evaluate(async (src) => {
    const picture = new Image();
    picture.src = src;
    await picture.decode();
    const scratch = document.createElement('canvas');
    scratch.width = 240;
    scratch.height = 320;
    const context = scratch.getContext('2d');
    context.drawImage(picture, 0, 0);
    const want = context.getImageData(0, 0, 240, 320).data;
    const have = document.getElementById('display').getContext('2d').getImageData(0, 0, 240, 320).data;
    let differ = 0;
    for (let i = 0; i < want.length; i += 4)
      if (want[i] !== have[i] || want[i + 1] !== have[i + 1] || want[i + 2] !== have[i + 2]) ++differ;
    return differ;
  }, `data:image/png;base64,${shot.png.toString('base64')}`);
}

// Waits until the canvas shows the screenshot; fails with the pixels still differing.
async function shows(page, shot, timeout = 8000) {
  const end = Date.now() + timeout;
  let differ;
  while ((differ = await differingPixels(page, shot)) !== 0 && Date.now() < end) await page.waitForTimeout(100);
  assert.equal(differ, 0, `${differ} pixels differ from ${shot.name}`);
}

// Where display pixel (x, y) is on the page.
async function pointOf(page, [x, y]) {
  const box = await page.locator('#display').boundingBox();
  return { x: box.x + ((x + 0.5) * box.width) / 240, y: box.y + ((y + 0.5) * box.height) / 320 };
}

async function click(page, at) {
  const p = await pointOf(page, at);
  await page.mouse.click(p.x, p.y);
}

// The headless program's run of a stylus script at start tick 2026: the sounds it asked for
// and its screenshots.
function headless(script) {
  const exe = process.env.QUILLBY_EXE || join(ROOT, 'build/default/shell/quillby');
  const dir = mkdtempSync(join(tmpdir(), 'quillby-web-'));
  try {
    writeFileSync(join(dir, 'taps.txt'), script);
    const log = execFileSync(exe, ['--headless', '--start-tick', '2026', '--script', join(dir, 'taps.txt'), '--shots', dir], {
      encoding: 'utf8',
    });
    const shots = {};
    for (const [, name] of log.matchAll(/^\d+ shot (\S+)$/gm))
      shots[name] = { name: `the headless ${name}`, png: readFileSync(join(dir, `${name}.png`)) };
    return { sounds: [...log.matchAll(/^\d+ sound (\d+)$/gm)].map((m) => Number(m[1])), shots };
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

test('the title, a tap into the game and the quiz switch match the headless run', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const page = await open(context);
  await shows(page, golden('title'));
  await click(page, TITLE_TAP);
  await shows(page, golden('card'));
  await click(page, QUIZ_SWITCH);
  await shows(page, golden('quiz'));
  const sounds = await page.evaluate(() => window.quillbyTest.sounds);
  assert.deepEqual(sounds, headless('500 down 120 160\n540 up 120 160\n2000 down 75 20\n2040 up 75 20\n').sounds);
  await context.close();
});

test('touch plays the same; other fingers are ignored while one is down', async () => {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true, deviceScaleFactor: 3 });
  const page = await open(context);
  const touch = await context.newCDPSession(page);
  const finger = async (type, points) =>
    touch.send('Input.dispatchTouchEvent', { type, touchPoints: await Promise.all(points.map(async ([id, at]) => ({ id, ...(await pointOf(page, at)) }))) });
  await finger('touchStart', [[1, TITLE_TAP]]);
  await finger('touchEnd', []);
  await shows(page, golden('card'));
  // A first finger rests on the picture; a second taps the quiz switch meanwhile.
  await finger('touchStart', [[1, [120, 200]]]);
  await finger('touchStart', [[1, [120, 200]], [2, QUIZ_SWITCH]]);
  await finger('touchEnd', [[1, [120, 200]]]);
  await finger('touchEnd', []);
  await page.waitForTimeout(300);
  await shows(page, golden('card'));
  await finger('touchStart', [[3, QUIZ_SWITCH]]);
  await finger('touchEnd', []);
  await shows(page, golden('quiz'));
  await context.close();
});

test('an arrow pressed and released outside the canvas comes back up', async () => {
  // The arrow steps the card as it goes down; let go anywhere, it comes back up.
  const run = headless('50 down 120 160\n90 up 120 160\n1000 down 170 282\n1500 shot held\n1600 up 239 282\n2600 shot after\n');
  const context = await browser.newContext({ viewport: { width: 700, height: 700 } });
  const page = await open(context);
  await click(page, TITLE_TAP);
  await shows(page, golden('card'));
  const arrow = await pointOf(page, NEXT_ARROW);
  await page.mouse.move(arrow.x, arrow.y);
  await page.mouse.down();
  await shows(page, run.shots.held);
  const box = await page.locator('#display').boundingBox();
  await page.mouse.move(box.x + box.width + 40, arrow.y, { steps: 4 });
  await page.mouse.up();
  await shows(page, run.shots.after);
  await context.close();
});

test('the close button ends the game and "Play again" starts a fresh one', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const page = await open(context);
  await page.evaluate(() => navigator.serviceWorker.ready); // its copies are no game's loading
  await click(page, TITLE_TAP);
  await shows(page, golden('card'));
  await click(page, CLOSE);
  await page.locator('#again').waitFor({ state: 'visible' });
  assert.deepEqual(await page.evaluate(() => window.quillbyTest.exits), [0]);
  assert.ok(await page.locator('#display.ended').isVisible(), 'the title is dimmed');
  await shows(page, golden('title'));
  const requests = server.requests.length;
  await page.locator('#again').click();
  await page.locator('#again').waitFor({ state: 'hidden' });
  assert.equal(await page.locator('#display.ended').count(), 0);
  await shows(page, golden('title'));
  await click(page, TITLE_TAP);
  await shows(page, golden('card'));
  assert.equal(server.requests.length, requests, 'nothing loaded again from the network');
  await context.close();
});

test('after one visit the page opens with no network', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const page = await open(context);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  const requests = server.requests.length;
  await page.reload();
  await page.waitForFunction(() => window.quillbyTest?.firstFrameMs != null);
  await shows(page, golden('title'));
  assert.equal(server.requests.length, requests);
  await context.close();
});

test('a second tab says the game is open elsewhere and the first plays on', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const first = await open(context);
  const second = await context.newPage();
  await second.goto(server.url + START);
  await second.locator('#message').waitFor({ state: 'visible' });
  assert.equal(await second.locator('#message').textContent(), 'Quillby is already open in another tab.');
  assert.equal(await second.locator('canvas').count(), 0);
  await first.bringToFront();
  await click(first, TITLE_TAP);
  await shows(first, golden('card'));
  await context.close();
});

test('a page whose program cannot load says so in one line', async () => {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.route('**/quillby.wasm', (route) => route.fulfill({ status: 404 }));
  await page.goto(server.url + START);
  await page.locator('#message').waitFor({ state: 'visible' });
  assert.match(await page.locator('#message').textContent(), /could not start/);
  assert.equal(await page.locator('canvas').count(), 0);
  await context.close();
});
