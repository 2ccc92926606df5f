// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page while its program is still on the way: the title at once and the same pixels when
// the program takes over, a sign when it is slow, taps kept for it; a first visit that fetches
// each file once; the home-screen icons; and the static server of `make serve`, which serves as
// a real host does.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { request } from 'node:http';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';
import { serveSite } from '../../../../scripts/serve-web.mjs';
import { SITE, launch, needSite } from './harness.mjs';
import { clickPage as tap, golden, shows } from './screens.mjs';

const TITLE_TAP = [120, 160];
const CLOSE = [227, 13];

let browser;
let site;

before(async () => {
  needSite();
  site = await serveSite({ dir: SITE });
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await site?.close();
});

// A page whose program is held back until `arrive()`.
async function openHeldBack(context) {
  const page = await context.newPage();
  page.on('pageerror', (e) => assert.fail(`the page threw: ${e.message}`));
  let arrive;
  const held = new Promise((resolve) => (arrive = resolve));
  await page.route('**/quillby.wasm', async (route) => {
    await held;
    await route.continue();
  });
  await page.goto(site.url + '?start-tick=2026&test');
  await page.waitForFunction(() => window.quillbyTest?.titleMs != null);
  return { page, arrive };
}

test('the title comes before the program, which then changes no pixel; a sign shows while it is slow', async () => {
  for (const viewport of [
    { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
    { viewport: { width: 1280, height: 800 } },
  ]) {
    const context = await browser.newContext(viewport);
    const { page, arrive } = await openHeldBack(context);
    await shows(page, golden('title'), 0);
    assert.ok(await page.locator('#display').isVisible());
    // The sign comes 0.8 s after the title; the program held back, nothing hides it first, and
    // how long it takes on a busy machine is no fault.
    await page.locator('#waiting').waitFor({ state: 'visible', timeout: 20000 });
    // The sign sits on the picture and lets taps through to it.
    const sign = await page.locator('#waiting').boundingBox();
    assert.deepEqual(sign, await page.locator('#display').boundingBox());
    arrive();
    await page.waitForFunction(() => window.quillbyTest.firstFrameMs != null);
    await shows(page, golden('title'), 0);
    await page.locator('#waiting').waitFor({ state: 'hidden' });
    await context.close();
  }
});

test('taps made while the program loads are all handled once it arrives; the end shows the title', async () => {
  const context = await browser.newContext({ viewport: { width: 480, height: 640 } });
  const { page, arrive } = await openHeldBack(context);
  await tap(page, TITLE_TAP);
  await page.waitForTimeout(200);
  arrive();
  await shows(page, golden('card'));
  assert.deepEqual(await page.evaluate(() => window.quillbyTest.sounds.slice(-1)), [20003], 'the switch sound');
  await tap(page, CLOSE);
  await page.locator('#again').waitFor({ state: 'visible' });
  await shows(page, golden('title'), 0);
  await context.close();
});

test('a first visit fetches each file once, the service worker keeping what the page fetched', async () => {
  const context = await browser.newContext();
  const page = await context.newPage();
  const from = site.requests.length;
  await page.goto(site.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForTimeout(500);
  const requests = site.requests.slice(from);
  const full = requests.filter((r) => r.status === 200).map((r) => (r.path === '/' ? '/index.html' : r.path));
  assert.deepEqual(full.filter((path, i) => full.indexOf(path) !== i), [], 'sent in full twice');
  assert.ok(requests.some((r) => r.path === '/quillby.wasm' && r.status === 304), 'the worker checked its copy');
  await context.close();
});

test('the home-screen icons: iOS\'s at 180 pixels and opaque, the maskable ones with the face inside the circle every mask keeps', async () => {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(site.url);
  const icons = await page.evaluate(async () => {
    // The size of an icon, whether it is opaque, and how far from its centre, in sides, it
    // differs from its corner's colour.
    const look = async (href) => {
      const picture = new Image();
      picture.src = href;
      await picture.decode();
      const side = picture.naturalWidth;
      const scratch = document.createElement('canvas');
      scratch.width = scratch.height = side;
      const context = scratch.getContext('2d');
      context.drawImage(picture, 0, 0);
      const rgba = context.getImageData(0, 0, side, side).data;
      let opaque = true;
      let reach = 0;
      for (let i = 0; i < rgba.length; i += 4) {
        opaque &&= rgba[i + 3] === 255;
        if (rgba[i] !== rgba[0] || rgba[i + 1] !== rgba[1] || rgba[i + 2] !== rgba[2]) {
          const x = (i / 4) % side;
          const y = Math.floor(i / 4 / side);
          reach = Math.max(reach, Math.hypot(x + 0.5 - side / 2, y + 0.5 - side / 2) / side);
        }
      }
      return { side: `${side}x${picture.naturalHeight}`, opaque, reach };
    };
    const touch = document.querySelector('link[rel="apple-touch-icon"]');
    const manifest = await (await fetch(document.querySelector('link[rel="manifest"]').href)).json();
    const maskable = manifest.icons.filter((icon) => icon.purpose.split(' ').includes('maskable'));
    return {
      touch: { sizes: touch.sizes.value, ...(await look(touch.href)) },
      maskable: await Promise.all(maskable.map(async (icon) => ({ sizes: icon.sizes, ...(await look(new URL(icon.src, location.href).href)) }))),
    };
  });
  await context.close();
  assert.deepEqual([icons.touch.sizes, icons.touch.side, icons.touch.opaque], ['180x180', '180x180', true]);
  assert.ok(icons.maskable.length > 0, 'no maskable icon');
  for (const icon of icons.maskable) {
    assert.deepEqual([icon.side, icon.opaque], [icon.sizes, true], icon.sizes);
    assert.ok(icon.reach <= 0.4, `the ${icon.sizes} icon's face reaches ${icon.reach.toFixed(3)} of its side from the centre`);
  }
});

// One GET of `path` with these headers: status, headers and the body as sent.
function get(path, headers = {}) {
  return new Promise((resolve, reject) => {
    request(new URL(path, site.url), { headers }, (res) => {
      const chunks = [];
      res.on('data', (c) => chunks.push(c));
      res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, body: Buffer.concat(chunks) }));
    })
      .on('error', reject)
      .end();
  });
}

test("make serve's server compresses as the browser accepts, marks the wasm, and answers a current copy with 304", async () => {
  const wasm = readFileSync(join(SITE, 'quillby.wasm'));
  const cases = [
    { accept: 'gzip, deflate, br, zstd', encoding: 'br', unpack: brotliDecompressSync },
    { accept: 'gzip;q=1, br;q=0', encoding: 'gzip', unpack: gunzipSync },
    { accept: '', encoding: undefined, unpack: (b) => b },
  ];
  for (const { accept, encoding, unpack } of cases) {
    const res = await get('/quillby.wasm', { 'Accept-Encoding': accept });
    assert.equal(res.status, 200);
    assert.equal(res.headers['content-type'], 'application/wasm');
    assert.equal(res.headers['content-encoding'], encoding, accept);
    assert.ok(unpack(res.body).equals(wasm), accept);
    const again = await get('/quillby.wasm', { 'Accept-Encoding': accept, 'If-None-Match': res.headers.etag });
    assert.equal(again.status, 304, accept);
  }
  const icon = await get('/icon-192.png', { 'Accept-Encoding': 'br' });
  assert.equal(icon.headers['content-encoding'], undefined, 'a picture is sent as it is');
  assert.equal((await get('/..%2F..%2Fetc%2Fpasswd')).status, 403, 'nothing outside the folder');
  assert.equal((await get('/missing.js')).status, 404);
});
